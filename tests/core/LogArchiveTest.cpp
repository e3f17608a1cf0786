#include "TestSupport.h"

#include "logs/LogArchive.h"
#include "logs/LogSource.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace dialtally {

namespace {

const std::string ModemLog = "08-14-2001 20:01:02.11 - Dialing.\r\n"
                             "08-14-2001 20:01:30.20 - Connection established at 49333bps.\r\n"
                             "08-14-2001 20:05:30.20 - Rate negotiated.\r\n"
                             "08-14-2001 20:41:00.00 - Hanging up the modem.\r\n"
                             "08-14-2001 21:01:30.20 - Connection established at 28800bps.\r\n"
                             "08-14-2001 21:30:00.00 - No Carrier\r\n";

class LogArchive : public ::testing::Test {
protected:
    LogArchive()
    {
        FixedFolders folders;
        folders.Windows = dir.Path();
        LoadDefaultLogFormats(formats, folders);
        dir.Write("ModemLog.Txt", ModemLog);
        options.Target = dir.File("archive.old");
        options.Clear = false;
    }

    std::string Source() const { return dir.Read("ModemLog.Txt"); }
    std::string Target() const { return dir.Read("archive.old"); }

    TempFolder dir;
    RecordingFrontEnd ui;
    TLCfg formats;
    ArchiveOptions options;
};

TEST_F(LogArchive, ArchivingTwiceAppendsTheSecondCopy)
{
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
    EXPECT_EQ(Target(), ModemLog + ModemLog);
    EXPECT_EQ(Source(), ModemLog); // clear off leaves the source
    EXPECT_EQ(ui.Texts(MessageKind::Information).back(),
              "Completed archive to " + options.Target + ".");
}

TEST_F(LogArchive, ANewArchiveIsNoMoreReadableThanItsSource)
{
    // A read-only log still gives an archive its user may add to.
    const std::pair<mode_t, mode_t> cases[] = {{0600, 0600}, {0640, 0640}, {0444, 0644}};
    for (const auto& [mode, archiveMode] : cases) {
        std::filesystem::remove(options.Target);
        ::chmod(dir.File("ModemLog.Txt").c_str(), mode);
        ASSERT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
        struct stat status {};
        ASSERT_EQ(::stat(options.Target.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, archiveMode) << std::oct << mode;
    }
}

// A log saved as UTF-16 is archived as its text: its lines were never
// found, and clearing the source after the copy lost them all.
TEST_F(LogArchive, SkipKeepsOnlyTheBeginAndEndLines)
{
    std::string utf16 = "\xFF\xFE";
    for (const char c : ModemLog)
        utf16 += std::string{c, '\0'};
    options.Skip = true;
    options.Clear = true;
    for (const std::string& log : {ModemLog, utf16}) {
        dir.Write("ModemLog.Txt", log);
        std::filesystem::remove(options.Target);
        ASSERT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
        EXPECT_EQ(Target(), "08-14-2001 20:01:30.20 - Connection established at 49333bps.\r\n"
                            "08-14-2001 20:41:00.00 - Hanging up the modem.\r\n"
                            "08-14-2001 21:01:30.20 - Connection established at 28800bps.\r\n"
                            "08-14-2001 21:30:00.00 - No Carrier\r\n");
        EXPECT_EQ(Source(), "");
    }
}

TEST_F(LogArchive, EveryLineEndBecomesCrLf)
{
    dir.Write("ModemLog.Txt", "one\ntwo\rthree");
    ASSERT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
    EXPECT_EQ(Target(), "one\r\ntwo\r\nthree\r\n");
}

struct MarkerCase {
    const char* Online;
    const char* Offline;
    const char* Kept;
};

class ArchiveMarkers : public LogArchive, public ::testing::WithParamInterface<MarkerCase> {};

// A format's reader treats an empty marker list as matching every line, so
// the archive must keep every line for it.
TEST_P(ArchiveMarkers, SkipKeepsWhatTheReaderWouldUse)
{
    formats.Online[1] = GetParam().Online;
    formats.Offline[1] = GetParam().Offline;
    dir.Write("ModemLog.Txt", "up\r\nnoise\r\ndown\r\n");
    options.Skip = true;
    options.Clear = true;
    ASSERT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
    EXPECT_EQ(Target(), GetParam().Kept);
    EXPECT_EQ(Source(), "");
}

INSTANTIATE_TEST_SUITE_P(Lists, ArchiveMarkers,
                         ::testing::Values(MarkerCase{"up", "down", "up\r\ndown\r\n"},
                                           MarkerCase{"", "down", "up\r\nnoise\r\ndown\r\n"},
                                           MarkerCase{"up", "", "up\r\nnoise\r\ndown\r\n"},
                                           MarkerCase{"", "", "up\r\nnoise\r\ndown\r\n"},
                                           MarkerCase{"up,", "down", "up\r\ndown\r\n"}));

TEST_F(LogArchive, ClearEmptiesTheSourceAfterTheCopy)
{
    options.Clear = true;
    ASSERT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
    EXPECT_EQ(Target(), ModemLog);
    EXPECT_EQ(Source(), "");
    EXPECT_TRUE(std::filesystem::exists(dir.File("ModemLog.Txt")));
}

TEST_F(LogArchive, SourceThatGrowsDuringTheCopyIsLeftWhole)
{
    options.Clear = true;
    const std::string added = "08-14-2001 22:00:00.00 - Connection established at 9600bps.\r\n";
    const auto dialerAppends = [&] {
        std::ofstream log(dir.File("ModemLog.Txt"), std::ios::binary | std::ios::app);
        log << added;
    };
    ASSERT_EQ(ArchiveLogFile(formats, options, dialerAppends), ArchiveResult::NotCleared);
    EXPECT_EQ(Source(), ModemLog + added);
    EXPECT_EQ(Target(), ModemLog);
    ASSERT_EQ(ui.Texts(MessageKind::Information).size(), 1U);
    EXPECT_NE(ui.Texts(MessageKind::Information)[0].find("was not cleared"), std::string::npos);
}

// A log that cannot be cleared after the copy is said to be copied, so
// that nobody archives it twice.
TEST_F(LogArchive, ASourceThatCannotBeClearedIsSaidToBeCopied)
{
    options.Clear = true;
    const auto logMovedAway = [&] {
        std::filesystem::rename(dir.File("ModemLog.Txt"), dir.File("moved"));
    };
    EXPECT_EQ(ArchiveLogFile(formats, options, logMovedAway), ArchiveResult::NotCleared);
    EXPECT_EQ(Target(), ModemLog);
    ASSERT_EQ(ui.Texts(MessageKind::Error).size(), 1U);
    EXPECT_NE(ui.Texts(MessageKind::Error)[0].find("were copied to " + options.Target),
              std::string::npos);
}

TEST_F(LogArchive, TargetInAnotherCaseIsRefused)
{
    options.Target = dir.File("MODEMLOG.TXT");
    options.Clear = true;
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Refused);
    EXPECT_EQ(ui.Texts(MessageKind::Error),
              std::vector<std::string>{"The source and target files cannot be the same."});
    EXPECT_EQ(Source(), ModemLog);
}

TEST_F(LogArchive, AnotherSpellingOfTheSourceIsRefused)
{
    options.Target = dir.Path() + "./ModemLog.Txt";
    options.Clear = true;
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Refused);
    EXPECT_EQ(Source(), ModemLog);
}

// A file the reports are made from is no archive: the lines would spoil
// it (and go with its next save), and the log would be cleared.
TEST_F(LogArchive, AFileTheReportsAreMadeFromIsRefused)
{
    dir.Write("Dialtally.log", "LogType=x\r\n");
    options.Target = dir.File("Dialtally.log");
    options.Clear = true;
    options.InputNamedBy = [&](const std::string& path) -> std::optional<std::string> {
        return path == dir.File("Dialtally.log") ? std::optional(path) : std::nullopt;
    };
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Refused);
    EXPECT_EQ(Source(), ModemLog);
    EXPECT_EQ(dir.Read("Dialtally.log"), "LogType=x\r\n");
    // An archive that a format reads is what archiving again adds to.
    dir.Write("Modem.old", "earlier\r\n");
    formats.Count = 2;
    formats.LogFile[2] = options.Target = dir.File("Modem.old");
    options.InputNamedBy = [&](const std::string& path) { return std::optional(path); };
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
    EXPECT_TRUE(dir.Read("Modem.old").starts_with("earlier\r\n" + ModemLog.substr(0, 10)));
}

// A set's archive never joins the set: an archive named by its pattern is
// refused, and the ".old" Archive proposes beside it is no member of it.
TEST_F(LogArchive, ASetIsNeverArchivedIntoItself)
{
    const std::string syslog = "Dec  1 10:00:00 duck pppd[1]: Connect: ppp0 <--> /dev/ttyS0\n"
                               "Dec  1 10:30:00 duck pppd[1]: Connection terminated.\n";
    dir.Write("syslog.1", syslog);
    dir.Write("syslog", syslog);
    formats.LogFile[1] = dir.File("syslog*");
    for (const char* inside : {"syslog-archive", "syslog.arc"}) {
        options.Target = dir.File(inside);
        EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Refused) << inside;
        EXPECT_FALSE(std::filesystem::exists(options.Target)) << inside;
    }
    options.Target = dir.File("syslog.old");
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Done);
    EXPECT_EQ(ResolveLogSource(dir.File("syslog*")).Members,
              (std::vector<std::string>{dir.File("syslog.1"), dir.File("syslog")}));
}

TEST_F(LogArchive, MissingSourceIsAnError)
{
    std::filesystem::remove(dir.File("ModemLog.Txt"));
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Failed);
    EXPECT_EQ(ui.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred archiving " + formats.LogFile[1] + "."});
    EXPECT_FALSE(std::filesystem::exists(options.Target));
}

TEST_F(LogArchive, FailedWriteLeavesTheSourceWhole)
{
    dir.Write("blocker", "a file where a folder should be");
    options.Target = dir.File("blocker/archive.old");
    options.Clear = true;
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Failed);
    EXPECT_EQ(ui.Texts(MessageKind::Error).size(), 1U);
    EXPECT_EQ(Source(), ModemLog);
}

TEST_F(LogArchive, NoFormatInUse)
{
    formats.Current = 0;
    EXPECT_EQ(ArchiveLogFile(formats, options), ArchiveResult::Refused);
    EXPECT_EQ(ui.Texts(MessageKind::Error),
              std::vector<std::string>{"The log file format was not found."});
}

TEST(ArchiveTarget, RememberedTargetElseTheLogWithOld)
{
    TLCfg formats;
    formats.Count = 1;
    formats.Current = 1;
    formats.LogFile[1] = "/var/log/ModemLog.Txt";
    EXPECT_EQ(ProposedArchiveTarget(formats, "/x/a.arc"), "/x/a.arc");
    EXPECT_EQ(ProposedArchiveTarget(formats, ""), "/var/log/ModemLog.old");
    formats.LogFile[1] = "/var/log/modem";
    EXPECT_EQ(ProposedArchiveTarget(formats, ""), "/var/log/modem.old");
    // Sources that name no single file.
    const struct {
        const char* Source;
        const char* Target;
    } sources[] = {{"/var/log/syslog*", "/var/log/syslog.old"},
                   {"/var/log/syslog.[0-9]*", "/var/log/syslog.old"},
                   {"/l/*.journal", "/l/archive.old"},
                   {"/l/*/system.journal", "/l/archive.old"},
                   {"journal:pppd, ModemManager", "pppd-ModemManager.old"}};
    for (const auto& c : sources) {
        formats.LogFile[1] = c.Source;
        EXPECT_EQ(ProposedArchiveTarget(formats, ""), c.Target) << c.Source;
    }
    formats.Current = 0;
    EXPECT_EQ(ProposedArchiveTarget(formats, ""), "");
}

} // namespace

} // namespace dialtally
