#include "TestSupport.h"

#include "app/ReportFileType.h"
#include "platform/FileTypeRegistration.h"
#include "platform/RecentlyUsed.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

const std::string RegistryError =
    "Registry error.\n\rThe user account may not have the required rights.";

// Points XDG_DATA_HOME at a fresh folder for the life of the test.
class DataHome : public ::testing::Test {
protected:
    DataHome()
    {
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            m_old = old;
        Point(dir.Path() + "share");
    }
    ~DataHome() override
    {
        if (m_old)
            ::setenv("XDG_DATA_HOME", m_old->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }
    void Point(const std::string& folder) { ::setenv("XDG_DATA_HOME", folder.c_str(), 1); }

    TempFolder dir;
    RecordingFrontEnd ui;

private:
    std::optional<std::string> m_old;
};

TEST_F(DataHome, RegisterWritesThePackageAndTheDesktopEntry)
{
    EXPECT_FALSE(FileTypeRegistered(".rep"));
    ASSERT_TRUE(RegisterFileType(".rep", "Dialtally", "DdeServerConv1"));
    EXPECT_TRUE(FileTypeRegistered(".rep"));
    EXPECT_EQ(ui.Texts(MessageKind::Information),
              std::vector<std::string>{"A file type has been created."});
    const std::string package = dir.Read("share/mime/packages/dialtally-rep.xml");
    EXPECT_NE(package.find("<mime-type type=\"application/x-dialtally-report\">"),
              std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.rep\"/>"), std::string::npos);
    EXPECT_NE(package.find("<comment>Dialtally Document</comment>"), std::string::npos);
    // The package installed system-wide defines the same type.
    std::ifstream installed(DIALTALLY_SHARE_DIR "/linux/org.dialtally.Dialtally.xml");
    EXPECT_EQ(package, std::string(std::istreambuf_iterator<char>(installed), {}));
    const std::string entry = dir.Read("share/applications/dialtally.desktop");
    EXPECT_NE(entry.find("MimeType=application/x-dialtally-report;\n"), std::string::npos);
    EXPECT_NE(entry.find("Icon=org.dialtally.Dialtally\n"), std::string::npos);
    EXPECT_NE(entry.find(" %f\n"), std::string::npos);
}

TEST_F(DataHome, RemoveKeepsTheDesktopEntry)
{
    ASSERT_TRUE(RegisterFileType(".rep", "Dialtally", "DdeServerConv1"));
    EXPECT_TRUE(RemoveFileType(".rep"));
    EXPECT_FALSE(FileTypeRegistered(".rep"));
    EXPECT_TRUE(std::filesystem::exists(dir.File("share/applications/dialtally.desktop")));
    EXPECT_EQ(ui.Texts(MessageKind::Information).back(), "The file type has been removed.");
}

TEST_F(DataHome, RemovingWhatIsAlreadyRemovedSaysNothing)
{
    ASSERT_TRUE(RegisterFileType(".rep", "Dialtally", ""));
    std::filesystem::remove(dir.File("share/mime/packages/dialtally-rep.xml"));
    ui.Messages.clear();
    EXPECT_FALSE(RemoveFileType(".rep"));
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(DataHome, UnwritableFolderGivesTheRegistryError)
{
    // A file where the folder should be stops even a privileged user.
    dir.Write("blocked", "");
    Point(dir.File("blocked"));
    EXPECT_FALSE(RegisterFileType(".rep", "Dialtally", "DdeServerConv1"));
    EXPECT_EQ(ui.Texts(MessageKind::Error), std::vector<std::string>{RegistryError});
    EXPECT_TRUE(ui.Texts(MessageKind::Information).empty());
    EXPECT_FALSE(FileTypeRegistered(".rep"));
}

TEST_F(DataHome, PackageThatCannotBeDeletedIsAnError)
{
    std::filesystem::create_directories(dir.File("share/mime/packages/dialtally-rep.xml/x"));
    EXPECT_FALSE(RemoveFileType(".rep"));
    EXPECT_EQ(ui.Texts(MessageKind::Error),
              std::vector<std::string>{"The file type could not be removed.\n\rThe user account "
                                       "may not have the required rights."});
}

TEST_F(DataHome, RecentlyUsedKeepsOtherEntriesAndRenewsItsOwn)
{
    const std::string other = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<xbel version=\"1.0\">\n"
                              "  <bookmark href=\"file:///home/u/photo.png\" added=\"x\"/>\n"
                              "</xbel>\n";
    std::filesystem::create_directories(dir.File("share"));
    dir.Write("share/recently-used.xbel", other);
    const std::string report = dir.File("My <Reports> & more.rep");
    ASSERT_TRUE(AddToRecentlyUsed(report, "application/x-dialtally-report", "Dialtally"));
    ASSERT_TRUE(AddToRecentlyUsed(report, "application/x-dialtally-report", "Dialtally"));
    const std::string list = dir.Read("share/recently-used.xbel");
    EXPECT_NE(list.find("file:///home/u/photo.png"), std::string::npos);
    EXPECT_NE(list.find("xmlns:bookmark="), std::string::npos);
    EXPECT_NE(list.find("xmlns:mime="), std::string::npos);
    const std::string href = FileUri(report);
    EXPECT_NE(href.find("My%20%3CReports%3E%20%26%20more.rep"), std::string::npos);
    const std::size_t first = list.find(href);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(list.find(href, first + 1), std::string::npos); // renewed, not repeated
    EXPECT_EQ(list.find("& "), std::string::npos);
}

TEST_F(DataHome, RecentlyUsedListThatIsNotXbelIsLeftAlone)
{
    std::filesystem::create_directories(dir.File("share"));
    dir.Write("share/recently-used.xbel", "garbage");
    EXPECT_FALSE(AddToRecentlyUsed("/tmp/a.rep", "application/x-dialtally-report", "Dialtally"));
    EXPECT_EQ(dir.Read("share/recently-used.xbel"), "garbage");
}

// The button keeps its Remove caption when another program already took
// the type away.
TEST_F(DataHome, FlagFollowsOnlyASuccess)
{
    bool registered = false;
    ToggleReportFileType(registered);
    EXPECT_TRUE(registered);
    EXPECT_EQ(FileTypeButtonCaption(registered), "Remove &File Type");
    std::filesystem::remove(FileTypePackagePath(".rep"));
    ToggleReportFileType(registered);
    EXPECT_TRUE(registered);
    EXPECT_EQ(ui.Messages.size(), 1U); // only the creation was told

    dir.Write("blocked", "");
    Point(dir.File("blocked"));
    registered = false;
    ToggleReportFileType(registered);
    EXPECT_FALSE(registered);
    EXPECT_EQ(FileTypeButtonCaption(registered), "Add &File Type");
}

} // namespace

} // namespace dialtally
