#include "TestSupport.h"

#include "costs/Links.h"
#include "costs/Providers.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

class TariffFiles : public ::testing::Test {
protected:
    TempFolder home;
    RecordingFrontEnd ui;
};

TEST_F(TariffFiles, MissingFilesGiveTheSamples)
{
    TProv providers;
    TServ links;
    LoadProviders(providers, home.Path());
    LoadLinks(links, home.Path());
    EXPECT_EQ(providers.Count, 2);
    EXPECT_EQ(FindProvider("Sample Telephone Company", providers), 2);
    EXPECT_EQ(FindProvider("sample telephone company", providers), 0);
    EXPECT_EQ(providers.ProviderMonthCharge[1], "19.95");
    EXPECT_EQ(providers.ProviderTod[2].Count, 2);
    EXPECT_EQ(EncodeRatePeriod(providers, 2, 1), "1,0,0,7:00:00 AM,6:59:59 PM,0,.07,1,0,0");
    EXPECT_EQ(links.Count, 1);
    EXPECT_EQ(FindLink("My ISP", links), 1);
    EXPECT_EQ(FindLink("My ISP ", links), 0);
    EXPECT_FALSE(std::filesystem::exists(home.File("Dialtally.prv")));
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(TariffFiles, SamplePeriodsFollowThePreset)
{
    ScopedRegional de("de-DE");
    TProv providers;
    DefaultProviders(providers);
    EXPECT_EQ(providers.ProviderMonthCharge[2], "4,95");
    EXPECT_EQ(EncodeRatePeriod(providers, 2, 1), "1;0;0;07:00:00;18:59:59;0;,07;1;0;0");
    EXPECT_EQ(EncodeRatePeriod(providers, 2, 2), "1;1;1;00:00:00;23:59:59;0;,05;1;0;0");
}

TEST_F(TariffFiles, ProvidersSaveExactlyAndReloadEqual)
{
    TProv providers;
    DefaultProviders(providers);
    providers.Provider[1] = "a=b";
    ASSERT_TRUE(SaveProviders(providers, home.Path()));
    EXPECT_EQ(
        home.Read("Dialtally.prv"),
        "*\r\n*  Dialtally Provider Configuration\r\n*\r\n"
        "Provider=a=b\r\nProviderMonthBegin=1\r\nProviderMonthCharge=19.95\r\nProviderMonthFree="
        "0\r\n"
        "Provider=Sample Telephone Company\r\nProviderMonthBegin=1\r\nProviderMonthCharge=4.95\r\n"
        "ProviderMonthFree=0\r\n"
        "ProviderTod1=1,0,0,7:00:00 AM,6:59:59 PM,0,.07,1,0,0\r\n"
        "ProviderTod2=1,1,1,12:00:00 AM,11:59:59 PM,0,.05,1,0,0\r\n");
    TProv loaded;
    LoadProviders(loaded, home.Path());
    providers.Current = loaded.Current; // the loader leaves it at the last provider
    providers.ProviderTod[2].Current = loaded.ProviderTod[2].Current;
    EXPECT_EQ(loaded, providers);
}

TEST_F(TariffFiles, ProviderLoadingRules)
{
    home.Write("Dialtally.prv",
               "ProviderMonthBegin=9\r\n" // before any provider: ignored
               "Provider=First\r\n"
               "ProviderTod3=1,1,0,1:00:00 AM,2:00:00 AM,1,.10,2.5,.25,3\r\n"
               "provider=Second\r\n" // lower case: neither key nor new provider
               "ProviderTod01=1,1,1,x,y,1,1,1,1,1\r\n"
               "ProviderTod11=1,1,1,x,y,1,1,1,1,1\r\n"
               "Provider=Second\r\n"
               "ProviderTod1=0,0,1\r\n");
    TProv p;
    LoadProviders(p, home.Path());
    ASSERT_EQ(p.Count, 2);
    EXPECT_EQ(p.Provider[1], "First");
    EXPECT_EQ(p.ProviderMonthBegin[1], "");
    const TTod& first = p.ProviderTod[1];
    EXPECT_EQ(first.Count, 3);
    EXPECT_EQ(first.TimeFrom[1], "");
    EXPECT_TRUE(first.MondayToFriday[3] && first.Saturday[3] && !first.Sunday[3] &&
                first.ApplyFree[3]);
    EXPECT_EQ(first.UnitMinutes[3], "2.5");
    EXPECT_EQ(first.InitialMinutes[3], "3");
    const TTod& second = p.ProviderTod[2];
    EXPECT_EQ(second.Count, 1);
    EXPECT_TRUE(second.Sunday[1]);
    EXPECT_EQ(second.TimeFrom[1], "");
    EXPECT_EQ(second.InitialMinutes[1], "");
}

TEST_F(TariffFiles, ListSeparatorOfThePresetSplitsPeriods)
{
    ScopedRegional de("de-DE");
    home.Write("Dialtally.prv",
               "Provider=P\r\nProviderTod1=1;0;0;07:00:00;18:59:59;0;0,07;1;0,25;0\r\n");
    TProv p;
    LoadProviders(p, home.Path());
    EXPECT_EQ(p.ProviderTod[1].UnitCharge[1], "0,07");
    EXPECT_EQ(p.ProviderTod[1].InitialCharge[1], "0,25");
}

TEST_F(TariffFiles, EntriesPastTheTablesAreIgnored)
{
    std::string prv, srv;
    for (int i = 1; i <= 30; ++i) {
        prv += "Provider=P" + std::to_string(i) + "\r\nProviderMonthFree=" + std::to_string(i) +
               "\r\n";
        for (int k = 1; k <= 10; ++k)
            prv += "ProviderTod" + std::to_string(k) + "=1,1,1,,,0,1,1,0,0\r\n";
    }
    for (int i = 1; i <= 300; ++i)
        srv += "Service=S" + std::to_string(i) + "\r\nProvider=P\r\n";
    home.Write("Dialtally.prv", prv);
    home.Write("Dialtally.srv", srv);
    TProv p;
    TServ s;
    LoadProviders(p, home.Path());
    LoadLinks(s, home.Path());
    EXPECT_EQ(p.Count, 25);
    EXPECT_EQ(p.ProviderMonthFree[25], "25");
    EXPECT_EQ(p.ProviderTod[25].Count, 10);
    EXPECT_EQ(s.Count, 256);
    EXPECT_EQ(s.Service[256], "S256");
}

TEST_F(TariffFiles, LinksRoundTripAndBannerlessFiles)
{
    TServ links;
    links.Count = 2;
    links.Service[1] = "My ISP";
    links.Provider[1] = "Gone Provider";
    links.Service[2] = "x=y";
    links.Provider[2] = "";
    ASSERT_TRUE(SaveLinks(links, home.Path()));
    EXPECT_EQ(home.Read("Dialtally.srv"), "*\r\n*  Dialtally Link Configuration\r\n*\r\n"
                                          "Service=My ISP\r\nProvider=Gone Provider\r\n"
                                          "Service=x=y\r\nProvider=\r\n");
    TServ loaded;
    LoadLinks(loaded, home.Path());
    loaded.Current = links.Current;
    EXPECT_EQ(loaded, links);

    home.Write("Dialtally.srv", "Service=A\nProvider=B\n");
    LoadLinks(loaded, home.Path());
    EXPECT_EQ(loaded.Count, 1);
    EXPECT_EQ(loaded.Provider[1], "B");
}

TEST_F(TariffFiles, EmptyProviderFileGivesAnEmptyTable)
{
    home.Write("Dialtally.prv", "*\r\n*  Dialtally Provider Configuration\r\n*\r\n");
    TProv p;
    DefaultProviders(p);
    LoadProviders(p, home.Path());
    EXPECT_EQ(p.Count, 0);
}

TEST_F(TariffFiles, ReadAndWriteFailuresAreReported)
{
    std::filesystem::create_directory(home.File("Dialtally.srv"));
    TServ links;
    LoadLinks(links, home.Path());
    EXPECT_EQ(links.Count, 0);
    TProv providers;
    DefaultProviders(providers);
    EXPECT_FALSE(SaveLinks(links, home.Path())); // a folder is in the way
    EXPECT_EQ(ui.Texts(MessageKind::Error),
              (std::vector<std::string>{"An error occurred reading " + home.File("Dialtally.srv") +
                                            ".\n\rA dial-up connection may be active.",
                                        "An error occurred writing " + home.File("Dialtally.srv") +
                                            "."}));
}

} // namespace

} // namespace dialtally
