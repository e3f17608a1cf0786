#include "TestSupport.h"

#include "base/Currency.h"
#include "base/DateFormat.h"
#include "base/DateRoutines.h"
#include "base/Numbers.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

struct WorkedValues {
    const char* Preset;
    const char* ShortDate;
    const char* ShortDateWithDay;
    const char* StoredDate;
    const char* LongDate;
    const char* LongTime;
    const char* MonthRow;
    const char* MonthLabel;
    const char* Money021;
    const char* Money12345;
    const char* Decimal3725;
};

const WorkedValues Worked[] = {
    {"en-US", "3/5/2001", "Mon 3/5/2001", "3/5/2001", "Monday, March 5, 2001", "2:20:07 PM",
     "March 2001", "3/2001", "$0.21", "$1234.50", "1.035"},
    {"en-GB", "05/03/2001", "Mon 05/03/2001", "5/3/2001", "05 March 2001", "14:20:07", "March 2001",
     "3/2001",
     "\xC2\xA3"
     "0.21",
     "\xC2\xA3"
     "1234.50",
     "1.035"},
    {"de-DE", "05.03.2001", "Mo 05.03.2001", "5.3.2001", "Montag, 5. M\xC3\xA4rz 2001", "14:20:07",
     "M\xC3\xA4rz 2001", "3.2001", "0,21 \xE2\x82\xAC", "1234,50 \xE2\x82\xAC", "1,035"},
    {"sv-SE", "2001-03-05", "m\xC3\xA5n 2001-03-05", "2001-3-5", "den 5 mars 2001", "14:20:07",
     "mars 2001", "2001-3", "0,21 kr", "1234,50 kr", "1,035"},
};

class RegionalWorkedValues : public ::testing::TestWithParam<WorkedValues> {};

TEST_P(RegionalWorkedValues, FormatAsDocumented)
{
    const WorkedValues& w = GetParam();
    ScopedRegional regional(w.Preset);
    const RegionalSettings& rs = Regional();
    const TDateTime moment = EncodeDate(2001, 3, 5) + EncodeTime(14, 20, 7, 0);
    EXPECT_EQ(FormatDateTime(rs.ShortDateFormat, moment), w.ShortDate);
    EXPECT_EQ(FormatDateTime("ddd " + rs.ShortDateFormat, moment), w.ShortDateWithDay);
    EXPECT_EQ(DateToDisplayText(moment), w.StoredDate);
    EXPECT_EQ(FormatDateTime(rs.LongDateFormat, moment), w.LongDate);
    EXPECT_EQ(FormatDateTime(rs.LongTimeFormat, moment), w.LongTime);
    EXPECT_EQ(FormatDateTime("MMMM yyyy", moment), w.MonthRow);
    const bool yearFirst = rs.ShortDateFormat[0] == 'y';
    const std::string label = yearFirst ? std::string("yyyy") + rs.DateSeparator + "M"
                                        : std::string("M") + rs.DateSeparator + "yyyy";
    EXPECT_EQ(FormatDateTime(label, moment), w.MonthLabel);
    EXPECT_EQ(FormatMoney(2100), w.Money021);
    EXPECT_EQ(FormatMoney(12'345'000), w.Money12345);
    EXPECT_EQ(FormatFixed(3725 / 3600.0, 3), w.Decimal3725);
}

TEST_P(RegionalWorkedValues, StoredDatesAndTimesReadBack)
{
    const WorkedValues& w = GetParam();
    ScopedRegional regional(w.Preset);
    EXPECT_EQ(TextToDate(w.StoredDate), EncodeDate(2001, 3, 5));
    EXPECT_EQ(TextToDate(w.ShortDate), EncodeDate(2001, 3, 5));
    EXPECT_DOUBLE_EQ(TextToTime(w.LongTime), EncodeTime(14, 20, 7, 0));
}

INSTANTIATE_TEST_SUITE_P(Presets, RegionalWorkedValues, ::testing::ValuesIn(Worked),
                         [](const auto& info) {
                             std::string name = info.param.Preset;
                             name.erase(name.find('-'), 1);
                             return name;
                         });

TEST(RegionalSettings, MoneyRoundsHalfAwayFromZeroOnTheStoredValue)
{
    EXPECT_EQ(FormatMoney(1250), "$0.13");
    EXPECT_EQ(FormatMoney(1249), "$0.12");
    EXPECT_EQ(FormatMoney(-1250), "-$0.13");
    EXPECT_EQ(FormatMoney(0), "$0.00");
}

class EnvironmentGuard {
public:
    EnvironmentGuard()
    {
        for (const char* name : Names)
            if (const char* value = std::getenv(name))
                m_saved.emplace_back(name, value);
        for (const char* name : Names)
            ::unsetenv(name);
    }
    ~EnvironmentGuard()
    {
        for (const char* name : Names)
            ::unsetenv(name);
        for (const auto& [name, value] : m_saved)
            ::setenv(name.c_str(), value.c_str(), 1);
    }
    static constexpr const char* Names[] = {"DIALTALLY_LOCALE", "LC_ALL", "LC_TIME", "LANG"};

private:
    std::vector<std::pair<std::string, std::string>> m_saved;
};

TEST(RegionalSettings, PresetChosenFromEnvironment)
{
    struct Case {
        const char* Locale;
        const char* LcAll;
        const char* LcTime;
        const char* Lang;
        const char* Expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, nullptr, "en-US"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "de-DE"},
        {nullptr, nullptr, "sv_SE", "de_DE.UTF-8", "sv-SE"},
        {nullptr, "en_GB", "sv_SE", "de_DE", "en-GB"},
        {nullptr, "", "", "de_DE@euro", "de-DE"},
        {nullptr, "C", nullptr, "de_DE", "en-US"},
        {nullptr, nullptr, nullptr, "POSIX", "en-US"},
        {nullptr, nullptr, nullptr, "fr_FR.UTF-8", "en-US"},
        {"sv-SE", "de_DE", nullptr, nullptr, "sv-SE"},
    };
    for (const Case& c : cases) {
        EnvironmentGuard guard;
        const std::pair<const char*, const char*> vars[] = {{"DIALTALLY_LOCALE", c.Locale},
                                                            {"LC_ALL", c.LcAll},
                                                            {"LC_TIME", c.LcTime},
                                                            {"LANG", c.Lang}};
        for (const auto& [name, value] : vars)
            if (value)
                ::setenv(name, value, 1);
        EXPECT_EQ(RegionalSettingsFromEnvironment().Name, c.Expected)
            << (c.LcAll ? c.LcAll : "-") << " " << (c.Lang ? c.Lang : "-");
    }
}

TEST(RegionalSettings, UnknownExplicitPresetIsAnError)
{
    EnvironmentGuard guard;
    ::setenv("DIALTALLY_LOCALE", "xx-YY", 1);
    EXPECT_THROW(RegionalSettingsFromEnvironment(), std::invalid_argument);
}

} // namespace

} // namespace dialtally
