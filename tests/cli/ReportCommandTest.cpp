#include "TestSupport.h"

#include "CommandLine.h"
#include "ReportCommand.h"

#include "logs/LogFormats.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dialtally {

namespace {

// Begin lines carry the description in columns 52 to 59, as the built-in
// modem format reads it.
const char* const ModemLog = "03-05-2001 09:59:40.100 - Dialing.\r\n"
                             "03-05-2001 10:00:00.000 - Connection established   My ISP\r\n"
                             "03-05-2001 10:02:05.000 - Hanging up the modem.\r\n"
                             "03-05-2001 10:02:05.100 - Interpreted response: No Carrier\r\n"
                             "03-10-2001 20:00:00.000 - Connection established   My ISP\r\n"
                             "03-10-2001 20:10:00.000 - Interpreted response: No Carrier\r\n"
                             "04-02-2001 19:00:00.000 - Connection established   Other\r\n"
                             "04-02-2001 19:01:00.000 - Hanging up the modem.\r\n";

const char* const MonthlyReport = "*\r\n*  Dialtally Report Configuration\r\n*\r\n"
                                  "ReportDescription=Monthly\r\n"
                                  "ServiceProviders=Sample Telephone Company\r\n"
                                  "DetailCost=1\r\n"
                                  "TotalMonth=1\r\n";

class ReportCommandRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cwd.resize(4096);
        ASSERT_NE(::getcwd(m_cwd.data(), m_cwd.size()), nullptr);
        home.Write("ModemLog.Txt", ModemLog);
        home.Write("Monthly.rep", MonthlyReport);
        FixedFolders folders;
        folders.Windows = home.Path();
        TLCfg formats;
        LoadDefaultLogFormats(formats, folders);
        ASSERT_TRUE(SaveLogFormats(formats, home.Path()));
        home.Write("Dialtally.ini", "[Files]\r\nPath=" + home.Path() + "\r\n");
    }
    void TearDown() override { ASSERT_EQ(::chdir(m_cwd.c_str()), 0); }

    int Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--home", home.Path(), "--today", "2026-12-09"});
        std::string error;
        const auto command = ParseCommandLine(args, error);
        EXPECT_TRUE(command) << error;
        out.str("");
        err.str("");
        return command ? RunReportCommand(*command, out, err) : 2;
    }

    TempFolder home;
    std::ostringstream out;
    std::ostringstream err;

private:
    std::string m_cwd;
};

TEST_F(ReportCommandRun, MonthlyReportInTwoPresets)
{
    struct Case {
        const char* Locale;
        const char* Csv;
        const char* Status;
    };
    const Case cases[] = {
        {"en-US",
         "Date On,Time On,Duration,Cost,Description\r\n"
         "3/5/2001,10:00:00 AM,0:02:05,$0.21,My ISP\r\n"
         "3/10/2001,8:00:00 PM,0:10:00,$0.50,My ISP\r\n"
         "2,2,0:12:05,$25.61,March 2001\r\n"
         "4/2/2001,7:00:00 PM,0:01:00,$0.05,Other\r\n"
         "1,1,0:01:00,$5.00,April 2001\r\n"
         "3,3,0:13:05,$30.61,Total\r\n",
         "status\tMonthly\t3 \t3 \t0:13:05 \t$30.61 \n"},
        {"de-DE",
         "Date On;Time On;Duration;Cost;Description\r\n"
         "05.03.2001;10:00:00;0:02:05;0,21 \xE2\x82\xAC;My ISP\r\n"
         "10.03.2001;20:00:00;0:10:00;0,50 \xE2\x82\xAC;My ISP\r\n"
         "2;2;0:12:05;25,61 \xE2\x82\xAC;M\xC3\xA4rz 2001\r\n"
         "02.04.2001;19:00:00;0:01:00;0,05 \xE2\x82\xAC;Other\r\n"
         "1;1;0:01:00;5,00 \xE2\x82\xAC;April 2001\r\n"
         "3;3;0:13:05;30,61 \xE2\x82\xAC;Total\r\n",
         "status\tMonthly\t3 \t3 \t0:13:05 \t30,61 \xE2\x82\xAC \n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run({"--locale", c.Locale, "--status", home.File("Monthly.rep")}), 0)
            << err.str();
        EXPECT_EQ(out.str(), c.Csv) << c.Locale;
        EXPECT_EQ(err.str(), c.Status) << c.Locale;
    }
    // Figures that could not be written are no success.
    err.setstate(std::ios::badbit);
    EXPECT_EQ(Run({"--locale", "en-US", "--status", home.File("Monthly.rep")}), 1);
    err.clear();
}

TEST_F(ReportCommandRun, FileOutputMatchesStandardOutput)
{
    ASSERT_EQ(Run({"--locale", "en-US", "--format", "html", home.File("Monthly.rep")}), 0);
    const std::string shown = out.str();
    ASSERT_EQ(Run({"--locale", "en-US", "--format", "html", "--output", home.File("out.htm"),
                   home.File("Monthly.rep")}),
              0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(home.Read("out.htm"), shown);
    EXPECT_NE(shown.find("<td nowrap><B>March 2001</B></td>"), std::string::npos) << shown;
    // Standard output named as a device is the stream the shell opened
    // (which ">>" may append to), not a file written anew.
    ASSERT_EQ(Run({"--locale", "en-US", "--format", "html", "--output", "/dev/stdout",
                   home.File("Monthly.rep")}),
              0);
    EXPECT_EQ(out.str(), shown);
}

TEST_F(ReportCommandRun, FailuresGoToStandardErrorWithTheirStatus)
{
    home.Write("Bad.rep", "LogType=No Such Format\r\n");
    EXPECT_EQ(Run({"--locale", "en-US", home.File("Bad.rep")}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "Error: An error occurred reading No Such Format.\nThe file was not found.\n"
              "Information: There was no data found matching the criteria.\n");

    home.Write("Empty.rep",
               "CriteriaDateAll=0\r\nCriteriaDateFrom=1/1/1990\r\nCriteriaDateTo=1/2/1990\r\n");
    EXPECT_EQ(Run({"--locale", "en-US", home.File("Empty.rep")}), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "Information: There was no data found matching the criteria.\n");

    home.Write("BadDate.rep", "CriteriaDateFrom=31/31/2001\r\n");
    EXPECT_EQ(Run({"--locale", "en-US", home.File("BadDate.rep")}), 1);
    EXPECT_EQ(err.str(), "Error: '31/31/2001' is not a valid date\n");

    EXPECT_EQ(Run({"--locale", "en-US", home.File("Missing.rep")}), 1);
    EXPECT_NE(err.str().find("Missing.rep.\nThe file was not found."), std::string::npos)
        << err.str();

    EXPECT_EQ(Run({"--locale", "xx-XX"}), 2);
    for (const char* today : {"2026-13-01", "+026-01-05", " 2026-1-05", "1899-12-31"})
        EXPECT_EQ(Run({"--today", today}), 2) << today;
}

// A stream whose writes fail once `room` bytes are taken, as standard
// output to a full disk or /dev/full does.
class FullStreamBuffer : public std::streambuf {
public:
    explicit FullStreamBuffer(std::size_t room) : m_room(room) {}

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        return xsputn(nullptr, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize count) override
    {
        const auto taken = std::min<std::streamsize>(count, static_cast<std::streamsize>(m_room));
        m_room -= static_cast<std::size_t>(taken);
        return taken;
    }

private:
    std::size_t m_room;
};

TEST_F(ReportCommandRun, AFailedWriteToStandardOutputIsAnError)
{
    for (const std::size_t room : {std::size_t{0}, std::size_t{20}}) {
        SCOPED_TRACE(room);
        std::vector<std::string> args{"--home",
                                      home.Path(),
                                      "--today",
                                      "2026-12-09",
                                      "--locale",
                                      "en-US",
                                      home.File("Monthly.rep")};
        std::string error;
        const auto command = ParseCommandLine(args, error);
        ASSERT_TRUE(command) << error;
        FullStreamBuffer full(room);
        std::ostream fullOut(&full);
        err.str("");
        EXPECT_EQ(RunReportCommand(*command, fullOut, err), 1);
        EXPECT_EQ(err.str(), "Error: An error occurred writing standard output.\n");
    }
}

// Past the file size limit the export fails with its message and leaves no
// temporary file; the process is not killed by SIGXFSZ.
// Writes past the limit fail; with the signal at its default the command
// was killed, as it was by the workbook's rows in a temporary file.
TEST_F(ReportCommandRun, TheFileSizeLimitIsAWriteError)
{
    // A log whose sheet passes the limit, though its workbook would not.
    std::string longLog;
    for (int i = 0; i < 4000; ++i)
        longLog += "03-05-2001 10:00:00.000 - Connection established   My ISP\r\n"
                   "03-05-2001 10:02:05.000 - Interpreted response: No Carrier\r\n";
    // The limit counts for standard error too, where the workbook library
    // writes a line or two of its own.
    const struct {
        const char* Format;
        int Bytes;
        bool LongLog;
    } cases[] = {{"csv", 100, false}, {"xlsx", 1000, false}, {"xlsx", 200'000, true}};
    for (const auto& [format, bytes, isLong] : cases) {
        SCOPED_TRACE(format + std::string(isLong ? " long" : ""));
        home.Write("ModemLog.Txt", isLong ? longLog : ModemLog);
        const std::string target = home.File(std::string("big.") + format);
        const auto exportPastTheLimit = [&] {
            std::signal(SIGXFSZ, SIG_DFL);
            ::setenv("TMPDIR", home.Path().c_str(), 1);
            const rlimit limit{static_cast<rlim_t>(bytes), RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const int status = Run({"--locale", "en-US", "--format", format, "--output", target,
                                    home.File("Monthly.rep")});
            std::cerr << err.str();
            std::_Exit(status);
        };
        EXPECT_EXIT(exportPastTheLimit(), testing::ExitedWithCode(1),
                    "Error: (An error occurred writing .*big.csv|Cannot write the workbook: "
                    "its temporary file in .* could not be written)");
        EXPECT_FALSE(std::filesystem::exists(target));
        for (const auto& entry : std::filesystem::directory_iterator(home.Path()))
            EXPECT_EQ(entry.path().filename().string().find("big."), std::string::npos)
                << entry.path();
    }
}

TEST_F(ReportCommandRun, ANoDataPassLeavesNoEarlierOutput)
{
    home.Write("Empty.rep",
               "CriteriaDateAll=0\r\nCriteriaDateFrom=1/1/1990\r\nCriteriaDateTo=1/2/1990\r\n");
    // A link someone else laid in a sticky shared folder, pointing at a
    // file of the user's; only root can lay it.
    const bool root = ::geteuid() == 0;
    std::filesystem::create_directory(home.File("tmp"));
    ::chmod(home.File("tmp").c_str(), 01777);
    std::filesystem::create_symlink(home.File("out.csv"), home.File("tmp/laid.csv"));
    if (root) {
        ASSERT_EQ(::lchown(home.File("tmp/laid.csv").c_str(), 65534, 65534), 0);
    }
    const struct {
        const char* Kind;
        const char* Output;
        bool LogRead;
        int Status;
        bool Removed;
    } cases[] = {
        {"--status", "out.csv", true, 0, true},
        {"--compare", "out.csv", true, 0, true},
        // A log that could not be read: the last good output stays.
        {"--status", "out.csv", false, 1, false},
        {"--compare", "out.csv", false, 1, false},
        {"--billing", "out.csv", false, 1, false},
        {"--status", "tmp/laid.csv", true, 0, !root},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Kind) + " " + c.Output + (c.LogRead ? "" : " unread"));
        home.Write("out.csv", "an earlier pass's table\r\n");
        if (!c.LogRead)
            std::filesystem::rename(home.File("ModemLog.Txt"), home.File("Away.Txt"));
        EXPECT_EQ(Run({"--locale", "en-US", c.Kind, "--output", home.File(c.Output),
                       home.File("Empty.rep")}),
                  c.Status);
        if (!c.LogRead)
            std::filesystem::rename(home.File("Away.Txt"), home.File("ModemLog.Txt"));
        // The tools tell only of the error: their tables need the whole log.
        const bool toldNoData = c.LogRead || std::string(c.Kind) == "--status";
        EXPECT_EQ(err.str().find("Information: There was no data found matching the criteria.\n") !=
                      std::string::npos,
                  toldNoData);
        EXPECT_EQ(std::filesystem::exists(home.File("out.csv")), !c.Removed);
        if (!c.Removed) {
            EXPECT_EQ(home.Read("out.csv"), "an earlier pass's table\r\n");
        }
    }
}

// An output that is a file the pass reads, by name or through a link, is
// refused before anything is read or written: a pass with data would
// replace it, one without would remove it.
TEST_F(ReportCommandRun, AnOutputThatIsAnInputIsRefused)
{
    home.Write("Empty.rep",
               "CriteriaDateAll=0\r\nCriteriaDateFrom=1/1/1990\r\nCriteriaDateTo=1/2/1990\r\n");
    std::filesystem::create_symlink(home.File("ModemLog.Txt"), home.File("link.csv"));
    for (const char* report : {"Monthly.rep", "Empty.rep"})
        for (const char* output :
             {report, "ModemLog.Txt", "Dialtally.log", "Dialtally.ini", "link.csv"}) {
            SCOPED_TRACE(std::string(report) + " > " + output);
            const std::string before = home.Read(output);
            EXPECT_EQ(Run({"--locale", "en-US", "--output", home.File(output), home.File(report)}),
                      2);
            EXPECT_NE(err.str().find("which the report is made from"), std::string::npos);
            EXPECT_EQ(home.Read(output), before);
        }
}

TEST_F(ReportCommandRun, AMissingHomeIsAUsageErrorAndCreatesNothing)
{
    std::string error;
    for (const std::string name : {"missing", "missing/deeper", "Monthly.rep"}) {
        SCOPED_TRACE(name);
        const auto command =
            ParseCommandLine({"--home", home.File(name), home.File("Monthly.rep")}, error);
        ASSERT_TRUE(command) << error;
        err.str("");
        EXPECT_EQ(RunReportCommand(*command, out, err), 2);
        EXPECT_EQ(err.str(), "dialtally-report: --home " + home.File(name) + " is not a folder\n");
    }
    EXPECT_FALSE(std::filesystem::exists(home.File("missing")));
}

// The telephone company alone is named. Its billing month on 10 April
// 2001: 2 Apr 19:00 pays 1 min at 0.05 and opens the month (4.95); 10 days
// so far, 20 left: that minute twice more. Compared, each provider alone:
// the internet provider 19.95 a month; the telephone company 4.95 + 0.21 +
// 0.50 (Saturday 20:00) in March, 4.95 + 0.05 in April.
TEST_F(ReportCommandRun, BillingAndComparison)
{
    struct Case {
        const char* Tool;
        const char* Csv;
    };
    const Case cases[] = {
        {"--billing",
         "Provider,From,To,Days so far,Connections,Time online,Charges so far,Monthly charge,"
         "Free hours used,Free hours left,Projected time online,Free hours run out,"
         "Projected cost,Note\r\n"
         "Sample Telephone Company,4/1/2001,4/30/2001,10,1,0:01:00,$5.00,$4.95,\"\",\"\","
         "0:03:00,\"\",$5.10,\"\"\r\n"},
        {"--compare", "Month,Connections,Time online,Sample Internet Service Provider,"
                      "Sample Telephone Company,Cheapest\r\n"
                      "March 2001,2,0:12:05,$19.95,$5.66,Sample Telephone Company\r\n"
                      "April 2001,1,0:01:00,$19.95,$5.00,Sample Telephone Company\r\n"
                      "Total,3,0:13:05,$39.90,$10.66,Sample Telephone Company\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            Run({"--locale", "en-US", "--today", "2001-04-10", c.Tool, home.File("Monthly.rep")}),
            0)
            << err.str();
        EXPECT_EQ(out.str(), c.Csv) << c.Tool;
        EXPECT_EQ(err.str(), "") << c.Tool;
    }
    // A tariff that does not convert is an error naming its provider; the
    // others are still written.
    home.Write("Dialtally.prv", "Provider=Cheap\r\nProviderMonthBegin=1\r\n"
                                "ProviderMonthCharge=free\r\nProviderMonthFree=0\r\n"
                                "Provider=Dear\r\nProviderMonthBegin=1\r\n"
                                "ProviderMonthCharge=30\r\nProviderMonthFree=0\r\n");
    EXPECT_EQ(Run({"--locale", "en-US", "--compare", home.File("Monthly.rep")}), 1);
    EXPECT_EQ(out.str(), "Month,Connections,Time online,Dear,Cheapest\r\n"
                         "March 2001,2,0:12:05,$30.00,Dear\r\n"
                         "April 2001,1,0:01:00,$30.00,Dear\r\n"
                         "Total,3,0:13:05,$60.00,Dear\r\n");
    EXPECT_EQ(err.str(), "Error: Cheap: 'free' is not a valid floating point value\n");
}

TEST(ReportCommandLine, UsageErrors)
{
    std::string error;
    EXPECT_FALSE(ParseCommandLine({"--format", "pdf"}, error));
    EXPECT_FALSE(ParseCommandLine({"--home"}, error));
    EXPECT_FALSE(ParseCommandLine({"--bogus"}, error));
    EXPECT_FALSE(ParseCommandLine({"a.rep", "b.rep"}, error));
    EXPECT_FALSE(ParseCommandLine({"--billing", "--compare"}, error));
    EXPECT_FALSE(ParseCommandLine({"--status", "--billing"}, error));
    EXPECT_FALSE(ParseCommandLine({"--output="}, error));
    EXPECT_FALSE(ParseCommandLine({"--output", ""}, error));
    EXPECT_FALSE(ParseCommandLine({"--detect", "--output", "d.txt"}, error));
    EXPECT_FALSE(ParseCommandLine({"--detect", "x.rep"}, error));
    EXPECT_FALSE(ParseCommandLine({"--format", "csv", "--detect"}, error));
    EXPECT_FALSE(ParseCommandLine({"--", "a.rep", "b.rep"}, error));
    const auto line = ParseCommandLine({"--format=xlsx", "--status", "x.rep"}, error);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Format, "xlsx");
    EXPECT_TRUE(line->Status);
    EXPECT_EQ(line->Report, "x.rep");
    const auto dashed = ParseCommandLine({"--status", "--", "-odd.rep"}, error);
    ASSERT_TRUE(dashed) << error;
    EXPECT_EQ(dashed->Report, "-odd.rep");
}

// --detect over a prepared log folder: one line per source and format.
TEST_F(ReportCommandRun, DetectListsTheLogsAReadyMadeFormatReads)
{
    TempFolder logs;
    logs.Write("syslog", "Jan  2 10:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS0\n"
                         "Jan  2 10:01:00 h pppd[1]: Connection terminated.\n"
                         "Jan  3 10:00:00 h pppd[2]: Connect: ppp0 <--> /dev/ttyS0\n");
    logs.Write("syslog.1", "Jan  1 09:00:00 h cron[5]: nothing\n");
    ::setenv("DIALTALLY_LOG_DIR", logs.Path().c_str(), 1);
    ::setenv("DIALTALLY_DATA_DIR", DIALTALLY_DATA_DIR, 1);
    // Where the Windows folder is without Wine: it must not hide the sets.
    ::setenv("DIALTALLY_WINDOWS_DIR", "/var/log/", 1);
    const int status = Run({"--detect"});
    ::unsetenv("DIALTALLY_LOG_DIR");
    ::unsetenv("DIALTALLY_DATA_DIR");
    ::unsetenv("DIALTALLY_WINDOWS_DIR");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.str(), logs.File("syslog*") + "\tpppd (syslog)\t2\n");
    EXPECT_EQ(err.str(), "");
}

} // namespace

} // namespace dialtally
