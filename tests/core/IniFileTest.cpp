#include "TestSupport.h"
#include "base/NewIniFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace dialtally {

namespace {

// A settings file holding the text, read back through TNewIniFile.
struct IniFixture : ::testing::Test {
    TempFolder folder;
    RecordingFrontEnd frontEnd;

    std::string PathOf() const { return folder.File("Dialtally.ini"); }
    TNewIniFile FileWith(const std::string& text) const
    {
        folder.Write("Dialtally.ini", text);
        return TNewIniFile(PathOf());
    }
};

struct IntegerCase {
    const char* Value;
    int Expected;
};

class ReadIntegerTest : public IniFixture, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(ReadIntegerTest, ReadsDecimalAndHexadecimalElseTheDefault)
{
    const TNewIniFile file = FileWith(std::string("[S]\r\nKey=") + GetParam().Value + "\r\n");
    EXPECT_EQ(file.ReadInteger("S", "Key", 77), GetParam().Expected) << GetParam().Value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadIntegerTest,
    ::testing::Values(IntegerCase{"10", 10}, IntegerCase{" -5 ", -5}, IntegerCase{"+3", 3},
                      IntegerCase{"$1F", 31}, IntegerCase{"0x1f", 31}, IntegerCase{"0X1F", 31},
                      IntegerCase{"$80000005", -2147483643}, IntegerCase{"$FFFFFFFF", -1},
                      IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"2147483648", 77},
                      IntegerCase{"$100000000", 77}, IntegerCase{"$", 77}, IntegerCase{"0x", 77},
                      IntegerCase{"12abc", 77}, IntegerCase{"abc", 77}, IntegerCase{"", 77},
                      IntegerCase{"1 2", 77}, IntegerCase{"$1G", 77}));

struct BoolCase {
    const char* Value;
    bool Default;
    bool Expected;
};

class ReadBoolTest : public IniFixture, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(ReadBoolTest, NonZeroIsOnAndNonNumbersGiveTheDefault)
{
    const TNewIniFile file = FileWith(std::string("[S]\r\nKey=") + GetParam().Value + "\r\n");
    EXPECT_EQ(file.ReadBool("S", "Key", GetParam().Default), GetParam().Expected)
        << GetParam().Value;
}

INSTANTIATE_TEST_SUITE_P(Values, ReadBoolTest,
                         ::testing::Values(BoolCase{"1", false, true}, BoolCase{"0", true, false},
                                           BoolCase{"2", false, true}, BoolCase{"-1", false, true},
                                           BoolCase{"$0", true, false}, BoolCase{"yes", true, true},
                                           BoolCase{"yes", false, false},
                                           BoolCase{"", true, true}));

TEST_F(IniFixture, MissingFileSectionOrKeyGivesTheDefaultWithoutAMessage)
{
    const TNewIniFile missing(folder.File("none.ini"));
    EXPECT_FALSE(missing.ReadFailed());
    EXPECT_EQ(missing.ReadString("Files", "Path", "dflt"), "dflt");
    EXPECT_EQ(missing.ReadInteger("Window", "Left", -99), -99);
    EXPECT_FALSE(missing.SectionExists("Window"));

    const TNewIniFile file = FileWith("[Window]\r\nLeft=5\r\nEmpty=\r\n");
    EXPECT_EQ(file.ReadString("Other", "Left", "d"), "d");
    EXPECT_EQ(file.ReadString("Window", "Top", "d"), "d");
    // A key that is there but empty reads as empty, and as no number.
    EXPECT_EQ(file.ReadString("Window", "Empty", "d"), "");
    EXPECT_EQ(file.ReadInteger("Window", "Empty", 4), 4);
    EXPECT_TRUE(frontEnd.Messages.empty());
}

TEST_F(IniFixture, NamesMatchInAnyCaseAndValuesStandAsWritten)
{
    TNewIniFile file = FileWith("; comment=1\n[ window ]\n  left = 12\nPath= /x y \n");
    EXPECT_TRUE(file.SectionExists("WINDOW"));
    EXPECT_EQ(file.ReadInteger("Window", "LEFT", 0), 12);
    EXPECT_EQ(file.ReadString("WINDOW", "path", ""), " /x y ");
    EXPECT_FALSE(file.ValueExists("Window", "; comment"));

    file.WriteInteger("Window", "Left", 30);
    file.WriteString("Window", "Path", "/z");
    EXPECT_EQ(file.Contents(), "; comment=1\r\n[ window ]\r\n  left =30\r\nPath=/z\r\n");
}

TEST_F(IniFixture, FirstOfRepeatedSectionsAndKeysWins)
{
    TNewIniFile file = FileWith("[A]\r\nK=1\r\nK=2\r\n[a]\r\nK=3\r\nL=4\r\n");
    EXPECT_EQ(file.ReadInteger("A", "K", 0), 1);
    EXPECT_FALSE(file.ValueExists("A", "L"));
    file.WriteInteger("A", "K", 9);
    EXPECT_EQ(file.Contents(), "[A]\r\nK=9\r\nK=2\r\n[a]\r\nK=3\r\nL=4\r\n");
}

TEST_F(IniFixture, UnknownLinesSurviveAndNewKeysJoinTheEndOfTheirSection)
{
    TNewIniFile file =
        FileWith("top line\n[Mine]\nZ=z\n\n[Window]\nLeft=1\nOdd line\n\n[Theirs]\nQ=q\n");
    file.WriteInteger("Window", "State", 2);
    file.WriteInteger("Window", "Left", 3);
    file.WriteString("Later", "B", "b");
    file.WriteString("Later", "A", "a");
    file.WriteString("Earlier", "C", "c");
    EXPECT_TRUE(file.UpdateFile());
    EXPECT_EQ(folder.Read("Dialtally.ini"),
              "top line\r\n[Mine]\r\nZ=z\r\n\r\n[Window]\r\nLeft=3\r\nOdd line\r\nState=2\r\n"
              "\r\n[Theirs]\r\nQ=q\r\n\r\n[Later]\r\nB=b\r\nA=a\r\n\r\n[Earlier]\r\nC=c\r\n");
}

TEST_F(IniFixture, WritesAFreshFileInWrittenOrder)
{
    TNewIniFile file(PathOf());
    file.WriteBool("One", "On", true);
    file.WriteBool("Two", "Off", false);
    file.WriteInteger("One", "N", -2147483643);
    EXPECT_TRUE(file.UpdateFile());
    EXPECT_EQ(folder.Read("Dialtally.ini"),
              "[One]\r\nOn=1\r\nN=-2147483643\r\n\r\n[Two]\r\nOff=0\r\n");
    EXPECT_EQ(TNewIniFile(PathOf()).ReadInteger("one", "n", 0), -2147483643);
}

TEST_F(IniFixture, LineBreaksInAValueCannotAddKeys)
{
    TNewIniFile file(PathOf());
    file.WriteString("S", "Tag", "a\r\n[Evil]\nKey=1");
    ASSERT_TRUE(file.UpdateFile());
    const TNewIniFile again(PathOf());
    EXPECT_FALSE(again.SectionExists("Evil"));
    EXPECT_EQ(again.ReadString("S", "Tag", ""), "a  [Evil] Key=1");
}

TEST_F(IniFixture, StringsReadBackAtMostTheirLimitWhileTheFileKeepsThemWhole)
{
    const std::string longValue(3000, 'x');
    TNewIniFile file(PathOf());
    file.WriteString("S", "Long", longValue);
    file.WriteString("S", "Exact", std::string(TNewIniFile::MaxValueLength, 'y'));
    // Two-byte characters straddling the limit are not cut in half.
    std::string accented(TNewIniFile::MaxValueLength - 1, 'z');
    accented += "\xC3\xA9\xC3\xA9";
    file.WriteString("S", "Accented", accented);
    ASSERT_TRUE(file.UpdateFile());

    const TNewIniFile again(PathOf());
    EXPECT_EQ(again.ReadString("S", "Long", ""), longValue.substr(0, 2047));
    EXPECT_EQ(again.ReadString("S", "Exact", "").size(), 2047u);
    EXPECT_EQ(again.ReadString("S", "Accented", ""), accented.substr(0, 2046));
    EXPECT_NE(folder.Read("Dialtally.ini").find("Long=" + longValue + "\r\n"), std::string::npos);
}

TEST_F(IniFixture, ReadOnlyFolderReportsTheWriteErrorAndKeepsTheOldFile)
{
    const std::string old = "[Window]\r\nLeft=1\r\n";
    TNewIniFile file = FileWith(old);
    file.WriteInteger("Window", "Left", 2);
    namespace fs = std::filesystem;
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(folder.File("probe")).is_open())
        GTEST_SKIP() << "running with rights that ignore folder permissions";

    EXPECT_FALSE(file.UpdateFile());
    EXPECT_EQ(frontEnd.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred writing " + PathOf() + "."});
    EXPECT_EQ(folder.Read("Dialtally.ini"), old);
}

TEST_F(IniFixture, FailedWriteKeepsTheOldFileWhole)
{
    // A file size limit fails the write for every user, privileged or not.
    const std::string old = "[Window]\r\nLeft=1\r\n";
    TNewIniFile file = FileWith(old);
    file.WriteString("Window", "Big", std::string(4096, 'b'));
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = file.UpdateFile();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(frontEnd.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred writing " + PathOf() + "."});
    EXPECT_EQ(folder.Read("Dialtally.ini"), old);
}

TEST_F(IniFixture, UnreadableFileIsReportedAndNeverOverwritten)
{
    // A folder in the file's place cannot be read, whatever the user's rights.
    std::filesystem::create_directory(PathOf());
    TNewIniFile file(PathOf());
    EXPECT_TRUE(file.ReadFailed());
    EXPECT_EQ(file.ReadInteger("Window", "Left", -99), -99);
    file.WriteInteger("Window", "Left", 1);
    EXPECT_FALSE(file.UpdateFile());
    const std::vector<std::string> errors = frontEnd.Texts(MessageKind::Error);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].rfind("An error occurred reading " + PathOf() + ".", 0), 0u);
    EXPECT_EQ(errors[1], "An error occurred writing " + PathOf() + ".");
    EXPECT_TRUE(std::filesystem::is_directory(PathOf()));
}

} // namespace

} // namespace dialtally
