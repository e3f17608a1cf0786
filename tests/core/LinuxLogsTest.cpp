// Logs of a Linux machine: the ready-made formats on public sample lines,
// year-less lines, rotated and compressed sets, the journal, and sources
// that cannot be read.

#include "reports/LogReader.h"

#include "app/ProgramState.h"

#include "TestSupport.h"
#include "base/Clock.h"
#include "base/DateRoutines.h"
#include "base/Messages.h"
#include "logs/FormatLibrary.h"
#include "logs/LogArchive.h"
#include "logs/LogDetection.h"
#include "logs/LogSource.h"
#include "reports/ProviderPricer.h"
#include "reports/ReportFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <zlib.h>

namespace dialtally {

namespace {

// One home with the ready-made formats loaded as the table.
class LinuxLogs : public ::testing::Test {
protected:
    LinuxLogs()
    {
        folders.Windows = home.Path();
        library = LoadFormatLibrary(DIALTALLY_FORMATS_DIR, folders);
        formats = library;
        SetReportDefaults(report, home.File("Default.rep"));
    }

    // Reads the source with the named format.
    void Read(const std::string& format, const std::string& source)
    {
        const int f = FindLogFormat(formats, format);
        ASSERT_NE(f, 0) << format;
        formats.LogFile[f] = source;
        report.LogType = format;
        ReadContext context{report, formats, providers, links, rep, [] {}};
        ReadConnectionLog(context);
    }

    int TotalSeconds() const
    {
        int total = 0;
        for (int i = 0; i < rep.Count(); ++i)
            total += rep.Duration[static_cast<std::size_t>(i)];
        return total;
    }

    ScopedRegional regional{"en-US"};
    ScopedToday today{2026, 12, 9};
    TempFolder home;
    RecordingFrontEnd ui;
    FixedFolders folders;
    TLCfg library, formats;
    TCfg report;
    TProv providers;
    TServ links;
    TRep rep;
};

// Each ready-made format over lines of its kind. Journal entries are
// "time|identifier|pid|message".
struct FormatCase {
    const char* Format;
    bool Journal;
    std::vector<std::string> Lines;
    const char* Modified; // the file's time, for year-less lines
    int Connections;
    const char* FirstBegin;
    int FirstSeconds;
    const char* FirstService;
};

const FormatCase FormatCases[] = {
    // http://linuxmafia.com/faq/VALinux-kb/ppp-debugging.html and
    // https://github.com/sixfab/Sixfab_PPP_Installer/issues/3 (a Raspberry
    // Pi's pppd; its end is taken from the first page's pppd).
    {"pppd (syslog)",
     false,
     {"Aug 13 01:17:18 duck pppd[2832]: pppd 2.2.0 started by root, uid 0",
      "Aug 13 01:17:52 duck pppd[2832]: Connect: ppp0 <--> /dev/modem",
      "Aug 13 01:18:22 duck pppd[2832]: LCP: timeout sending Config-Requests",
      "Aug 13 01:18:22 duck pppd[2832]: Connection terminated.",
      "Aug 13 01:18:22 duck pppd[2832]: Exit.",
      "Sep 16 16:26:08 rpi4-broker sh[431]: Using interface ppp0",
      "Sep 16 16:26:08 rpi4-broker pppd[1063]: Connect: ppp0 <--> /dev/ttyS0",
      "Sep 16 16:26:09 rpi4-broker pppd[1063]: sent [LCP ConfReq id=0x1 <asyncmap 0x0>]",
      "Sep 16 17:02:10 rpi4-broker pppd[1063]: Connection terminated."},
     "2026-09-20 08:00:00",
     2,
     "2026-08-13 01:17:52",
     30,
     "ppp0 <--> /dev/modem"},
    // The pppd messages above under rsyslog's RFC 3339 stamp, as in
    // https://github.com/pinojs/pino-syslog/pull/31
    // ("2025-11-04T17:49:25.915+00:00 jsas-lwc jsas-config[287642]: ...").
    {"pppd (syslog, RFC 3339 stamps)",
     false,
     {"2025-11-04T17:49:25.915123+00:00 duck pppd[2832]: Connect: ppp0 <--> /dev/ttyUSB0",
      "2025-11-04T17:49:55.002001+00:00 duck pppd[2832]: Connection terminated.",
      "2025-11-04T17:49:55.002417+00:00 duck pppd[2832]: Exit."},
     "2026-01-01 00:00:00",
     1,
     "2025-11-04 17:49:25",
     30,
     "ppp0 <--> /dev/ttyUSB0"},
    // https://github.com/coolsnowwolf/lede/issues/4712 and
    // https://github.com/ericpaulbishop/gargoyle/issues/830 (logread).
    {"pppd (OpenWrt logread)",
     false,
     {"Mon Jun  1 10:50:58 2020 daemon.info pppd[5863]: Connect: pppoe-wan <--> eth0.2",
      "Mon Jun  1 10:51:02 2020 daemon.info pppd[5863]: LCP terminated by peer",
      "Mon Jun  1 10:51:02 2020 daemon.notice pppd[5863]: Modem hangup",
      "Mon Jun  1 10:51:02 2020 daemon.notice pppd[5863]: Connection terminated.",
      "Mon Jun  1 10:51:02 2020 daemon.info pppd[5863]: Connect time 0.1 minutes.",
      "Tue Aug 27 20:13:59 2019 daemon.info pppd[23086]: Connect time 2875.0 minutes.",
      "Tue Aug 27 20:13:59 2019 daemon.notice pppd[23086]: Connection terminated."},
     "2026-01-01 00:00:00",
     1,
     "2020-06-01 10:50:58",
     4,
     "pppoe-wan <--> eth0.2"},
    // https://github.com/ppp-project/ppp/issues/352 (pppd started by wvdial)
    // as the journal holds it.
    {"pppd (journal)",
     true,
     {"2023-08-10 14:40:01|pppd|84797|pppd 2.4.9 started by user, uid 0",
      "2023-08-10 14:40:01|pppd|84797|Using interface ppp0",
      "2023-08-10 14:45:43|pppd|84797|Connect: ppp0 <--> /dev/ttyUSB0",
      "2023-08-10 14:50:00|NetworkManager|500|<info>  [1691671800.0001] manager: (ppp0): new Ppp "
      "device",
      "2023-08-10 15:02:13|pppd|84797|Modem hangup",
      "2023-08-10 15:02:13|pppd|84797|Connection terminated.",
      "2023-08-10 15:02:13|pppd|84797|Exit."},
     nullptr,
     1,
     "2023-08-10 14:45:43",
     990,
     "ppp0 <--> /dev/ttyUSB0"},
    // https://github.com/openwrt/packages/pull/23590 and
    // https://github.com/openwrt/packages/pull/24184 (ModemManager's state
    // changes; "connecting -> connected" is the step between them).
    {"ModemManager (journal)",
     true,
     {"2024-06-26 16:34:34|ModemManager|2234|<info>  [modem0] state changed (registered -> "
      "connecting)",
      "2024-06-26 16:34:35|ModemManager|2234|<info>  [modem0] state changed (connecting -> "
      "connected)",
      "2024-06-26 16:39:41|ModemManager|2234|<info>  [modem0] state changed (connected -> "
      "disconnecting)",
      "2024-06-26 16:39:41|ModemManager|2234|<info>  [modem0] state changed (disconnecting -> "
      "registered)"},
     nullptr,
     1,
     "2024-06-26 16:34:35",
     306,
     "modem0"},
    // The same with the time stamps ModemManager 1.22 puts before the modem
    // ("<msg> [1719412474.250170] [modem0] simple connect started...", same
    // pull request): the modem is still the text in the last brackets.
    {"ModemManager (journal)",
     true,
     {"2024-06-26 16:34:35|ModemManager|2234|<msg> [1719412475.250170] [modem1] state changed "
      "(connecting -> connected)",
      "2024-06-26 16:39:41|ModemManager|2234|<msg> [1719412781.003125] [modem1] state changed "
      "(connected -> disconnecting)"},
     nullptr,
     1,
     "2024-06-26 16:34:35",
     306,
     "modem1"},
    // https://github.com/borovsky/x5-snapdragon-linux/issues/2 (a QMI modem
    // under NetworkManager of 2017); the hang-up is its state change back.
    {"NetworkManager mobile broadband, before 2018 (journal)",
     true,
     {"2017-11-07 19:13:55|NetworkManager|1444|<info>  [1510078435.1622] (cdc-wdm0): modem state "
      "changed, 'registered' --> 'connecting' (reason: user-requested)",
      "2017-11-07 19:13:55|NetworkManager|1444|<info>  [1510078435.3218] (cdc-wdm0): modem state "
      "changed, 'connecting' --> 'connected' (reason: user-requested)",
      "2017-11-07 19:13:55|NetworkManager|1444|<info>  [1510078435.3325] device (cdc-wdm0): state "
      "change: prepare -> config (reason 'none', internal state 'managed')",
      "2017-11-07 20:01:10|NetworkManager|1444|<info>  [1510081270.0042] (cdc-wdm0): modem state "
      "changed, 'connected' --> 'disconnecting' (reason: user-requested)"},
     nullptr,
     1,
     "2017-11-07 19:13:55",
     2835,
     "cdc-wdm0"},
    // NetworkManager from 2018 on names the modem 'modem["cdc-wdm0"]', as in
    // an Ubuntu 18.04 journal on the Ubuntu Forums ("Modem Manager fails to
    // get up WWAN connection after update to 18.04", 2019), its hang-up
    // moved half an hour on.
    {"NetworkManager mobile broadband (journal)",
     true,
     {"2019-09-01 20:45:27|NetworkManager|767|<info>  [1567345527.3721] modem[\"cdc-wdm0\"]: "
      "modem state changed, 'registered' --> 'connecting' (reason: user-requested)",
      "2019-09-01 20:45:29|NetworkManager|767|<info>  [1567345529.2815] modem[\"cdc-wdm0\"]: "
      "modem state changed, 'connecting' --> 'connected' (reason: user-requested)",
      "2019-09-01 21:15:29|NetworkManager|767|<info>  [1567347329.3803] modem[\"cdc-wdm0\"]: "
      "modem state changed, 'connected' --> 'disconnecting' (reason: user-requested)"},
     nullptr,
     1,
     "2019-09-01 20:45:29",
     1800,
     "cdc-wdm0"},
    // The same messages where rsyslog writes them to /var/log/syslog, with
    // classic stamps and with RFC 3339 ones (Ubuntu since 23.10).
    {"NetworkManager mobile broadband (syslog)",
     false,
     {"Sep  1 20:45:29 duck NetworkManager[767]: <info>  [1567345529.2815] modem[\"cdc-wdm0\"]: "
      "modem state changed, 'connecting' --> 'connected' (reason: user-requested)",
      "Sep  1 21:15:29 duck NetworkManager[767]: <info>  [1567347329.3803] modem[\"cdc-wdm0\"]: "
      "modem state changed, 'connected' --> 'disconnecting' (reason: user-requested)"},
     "2019-10-01 08:00:00",
     1,
     "2019-09-01 20:45:29",
     1800,
     "cdc-wdm0"},
    {"NetworkManager mobile broadband (syslog, RFC 3339 stamps)",
     false,
     {"2019-09-01T20:45:29.281544+02:00 duck NetworkManager[767]: <info>  [1567345529.2815] "
      "modem[\"cdc-wdm0\"]: modem state changed, 'connecting' --> 'connected' (reason: "
      "user-requested)",
      "2019-09-01T21:15:29.380301+02:00 duck NetworkManager[767]: <info>  [1567347329.3803] "
      "modem[\"cdc-wdm0\"]: modem state changed, 'connected' --> 'disconnecting' (reason: "
      "user-requested)"},
     "2026-01-01 00:00:00",
     1,
     "2019-09-01 20:45:29",
     1800,
     "cdc-wdm0"},
    {"ModemManager (syslog)",
     false,
     {"Jun 26 16:34:35 duck ModemManager[2234]: <info>  [modem0] state changed (connecting -> "
      "connected)",
      "Jun 26 16:39:41 duck ModemManager[2234]: <info>  [modem0] state changed (connected -> "
      "disconnecting)"},
     "2024-07-01 00:00:00",
     1,
     "2024-06-26 16:34:35",
     306,
     "modem0"},
    {"ModemManager (syslog, RFC 3339 stamps)",
     false,
     {"2024-06-26T16:34:35.250170+02:00 duck ModemManager[2234]: <msg> [1719412475.250170] "
      "[modem1] state changed (connecting -> connected)",
      "2024-06-26T16:39:41.003125+02:00 duck ModemManager[2234]: <msg> [1719412781.003125] "
      "[modem1] state changed (connected -> disconnecting)"},
     "2026-01-01 00:00:00",
     1,
     "2024-06-26 16:34:35",
     306,
     "modem1"},
    // wvdial's own stamps, as in its session transcripts ("--> Starting pppd
    // at Thu Mar 25 11:40:28 1999").
    {"wvdial",
     false,
     {"--> Carrier detected.  Waiting for prompt.", "--> Starting pppd at Thu Mar 25 11:40:28 1999",
      "--> pid of pppd: 1234", "--> Using interface ppp0",
      "--> Disconnecting at Thu Mar 25 11:40:32 1999",
      "--> Starting pppd at Sat Apr  3 09:05:00 1999",
      "--> Disconnecting at Sat Apr  3 10:05:00 1999"},
     "2026-01-01 00:00:00",
     2,
     "1999-03-25 11:40:28",
     4,
     "wvdial"},
    // The Windows 95 layout (time before date) of
    // https://library.thedatadungeon.com/msdn-2000-04/win95ddk/devdoc/live/win98ddk/modem_54vl.content.htm
    // with Unimodem's connect and hang-up messages.
    {"Windows 95 Dial-Up Networking",
     false,
     {"05:02:56 05-25-1994 - Initializing modem.", "05:03:04 05-25-1994 - Interpreted response: Ok",
      "05:03:31 05-25-1994 - Connection established at 14400bps.",
      "05:03:31 05-25-1994 - Error-control on.", "05:05:02 05-25-1994 - Hanging up the modem.",
      "05:05:02 05-25-1994 - Hardware hangup by lowering DTR."},
     "2026-01-01 00:00:00",
     1,
     "1994-05-25 05:03:31",
     91,
     "14400"},
};

class ReadyMadeFormats : public LinuxLogs, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(ReadyMadeFormats, ReadTheirLogs)
{
    const FormatCase& c = GetParam();
    std::string source;
    if (c.Journal) {
        source = home.File("system.journal");
        ASSERT_TRUE(WriteJournal(source, c.Lines));
    } else {
        source = home.File("log");
        home.Write("log", Joined(c.Lines));
        ASSERT_TRUE(SetModified(source, c.Modified));
    }
    Read(c.Format, source);
    EXPECT_TRUE(ui.Messages.empty()) << (ui.Messages.empty() ? "" : ui.Messages[0].Text);
    ASSERT_EQ(rep.Count(), c.Connections);
    EXPECT_EQ(rep.DateTimeOn[0], At(c.FirstBegin));
    EXPECT_EQ(rep.Duration[0], c.FirstSeconds);
    EXPECT_EQ(rep.Service[0], c.FirstService);
}

INSTANTIATE_TEST_SUITE_P(Library, ReadyMadeFormats, ::testing::ValuesIn(FormatCases),
                         [](const auto& info) { return "Format" + std::to_string(info.index); });

TEST_F(LinuxLogs, TheLibraryHoldsOneFormatPerFile)
{
    EXPECT_EQ(library.Count, static_cast<int>(std::size(FormatCases)) - 1);
    for (const FormatCase& c : FormatCases)
        EXPECT_NE(FindLogFormat(library, c.Format), 0) << c.Format;
    // A bare file name reads from the Windows folder.
    EXPECT_EQ(library.LogFile[FindLogFormat(library, "Windows 95 Dial-Up Networking")],
              home.File("ModemLog.txt"));
}

// Year-less dates against the time the log was last written to.
struct YearCase {
    const char* Modified;
    int Month, Day;
    int Year;
};

class YearInference : public ::testing::TestWithParam<YearCase> {};

TEST_P(YearInference, TakesTheYearOfTheFileOrTheOneBefore)
{
    const YearCase& c = GetParam();
    EXPECT_EQ(InferYear(c.Month, c.Day, At(c.Modified)), c.Year);
}

INSTANTIATE_TEST_SUITE_P(Syslog, YearInference,
                         ::testing::Values(YearCase{"2026-12-09 10:00:00", 12, 9, 2026},
                                           YearCase{"2026-12-09 10:00:00", 12, 10, 2025},
                                           YearCase{"2026-12-09 10:00:00", 1, 1, 2026},
                                           YearCase{"2027-01-02 00:00:05", 12, 31, 2026},
                                           YearCase{"2029-01-05 12:00:00", 2, 29, 2028},
                                           YearCase{"2028-03-01 12:00:00", 2, 29, 2028},
                                           YearCase{"2026-03-01 12:00:00", 2, 29, 2024}));

// Lines without a year in a file that spans years, such as an archive kept
// over years, or whose lines stand a little out of order around midnight.
TEST_F(LinuxLogs, LinesWithoutAYearTakeTheYearsTheirFileSpans)
{
    const auto pair = [](const std::string& on, const std::string& off) {
        return on + " h pppd[1]: Connect: ppp0 <--> /dev/ttyS0\n" + off +
               " h pppd[1]: Connection terminated.\n";
    };
    const struct {
        const char* Name;
        std::string Lines;
        const char* Modified;
        std::vector<const char*> Begins;
    } cases[] = {
        {"three years",
         pair("Mar 10 10:00:00", "Mar 10 10:30:00") + pair("Nov  5 10:00:00", "Nov  5 10:30:00") +
             pair("Feb  2 10:00:00", "Feb  2 10:30:00") +
             pair("Dec 31 23:50:00", "Jan  1 00:10:00") +
             pair("Jan 20 10:00:00", "Jan 20 10:30:00"),
         "2026-02-01 00:00:00",
         {"2024-03-10 10:00:00", "2024-11-05 10:00:00", "2025-02-02 10:00:00",
          "2025-12-31 23:50:00", "2026-01-20 10:00:00"}},
        {"out of order at New Year",
         pair("Dec 31 23:59:50", "Jan  1 00:00:01") + pair("Dec 31 23:59:59", "Jan  1 00:00:05") +
             pair("Jan  3 10:00:00", "Jan  3 10:01:00"),
         "2027-01-05 00:00:00",
         {"2026-12-31 23:59:50", "2026-12-31 23:59:59", "2027-01-03 10:00:00"}},
        {"a year's gap",
         pair("Jan  2 19:00:00", "Jan  2 19:12:00") + pair("Dec 30 18:00:00", "Dec 30 18:25:00") +
             pair("Dec 20 10:00:00", "Dec 20 10:30:00") +
             pair("Aug  1 10:00:00", "Aug  1 10:30:00"),
         "2027-08-02 00:00:00",
         {"2025-01-02 19:00:00", "2025-12-30 18:00:00", "2026-12-20 10:00:00",
          "2027-08-01 10:00:00"}},
        {"out of order at midnight",
         pair("Mar  1 23:00:00", "Mar  2 00:00:05") + pair("Mar  1 23:59:59", "Mar  2 00:01:00") +
             pair("Mar  2 10:00:00", "Mar  2 10:01:00"),
         "2026-03-03 00:00:00",
         {"2026-03-01 23:00:00", "2026-03-01 23:59:59", "2026-03-02 10:00:00"}},
        {"out of order at the end of February",
         pair("Feb 28 23:00:00", "Mar  1 00:00:05") + pair("Feb 28 23:59:59", "Mar  1 00:01:00"),
         "2026-03-03 00:00:00",
         {"2026-02-28 23:00:00", "2026-02-28 23:59:59"}},
        {"29 February, then a year unseen",
         pair("Jan 15 10:00:00", "Jan 15 10:10:00") + pair("Feb 29 10:00:00", "Feb 29 10:10:00") +
             pair("Mar  5 10:00:00", "Mar  5 10:10:00"),
         "2025-03-06 00:00:00",
         {"2024-01-15 10:00:00", "2024-02-29 10:00:00", "2025-03-05 10:00:00"}},
        {"a connection begun on 29 February, then a year unseen",
         pair("Feb 29 23:50:00", "Mar  1 00:10:00") + pair("Mar  5 10:00:00", "Mar  5 10:30:00"),
         "2025-06-01 00:00:00",
         {"2024-02-29 23:50:00", "2025-03-05 10:00:00"}},
        {"out of order at New Year, written before it by the file's clock",
         pair("Dec 31 23:59:50", "Jan  1 00:00:01") + pair("Dec 31 23:59:59", "Dec 31 23:59:59"),
         "2026-12-31 20:00:00",
         {"2025-12-31 23:59:50", "2025-12-31 23:59:59"}},
        {"29 February, then 28 February out of order",
         pair("Feb 28 23:59:50", "Feb 29 00:00:01") + pair("Feb 28 23:59:59", "Feb 28 23:59:59"),
         "2025-06-01 00:00:00",
         {"2024-02-28 23:59:50", "2024-02-28 23:59:59"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        home.Write("ppp.log", c.Lines);
        ASSERT_TRUE(SetModified(home.File("ppp.log"), c.Modified));
        Read("pppd (syslog)", home.File("ppp.log"));
        EXPECT_TRUE(ui.Messages.empty());
        ASSERT_EQ(rep.Count(), static_cast<int>(c.Begins.size()));
        for (std::size_t i = 0; i < c.Begins.size(); ++i) {
            EXPECT_EQ(rep.DateTimeOn[i], At(c.Begins[i])) << i;
            EXPECT_LT(rep.Duration[i], 86400) << i; // none spans a year
        }
    }
}

// logrotate's order: the highest number first, the live file last.
TEST(RotatedSets, AreReadOldestFirst)
{
    EXPECT_EQ(RotationOrder({"/l/syslog", "/l/syslog.1", "/l/syslog.10.gz", "/l/syslog.2.gz",
                             "/l/syslog.9.gz"}),
              (std::vector<std::string>{"/l/syslog.10.gz", "/l/syslog.9.gz", "/l/syslog.2.gz",
                                        "/l/syslog.1", "/l/syslog"}));
    EXPECT_EQ(RotationOrder({"/l/messages", "/l/messages-20261207.gz", "/l/messages-20261130"}),
              (std::vector<std::string>{"/l/messages-20261130", "/l/messages-20261207.gz",
                                        "/l/messages"}));
}

// Over a change of daylight saving time a connection lasts as long as it
// did when its lines give their UTC offsets, read in one piece or in two.
TEST_F(LinuxLogs, DurationsFollowTheUtcOffsetsOfTheirLines)
{
    const std::string pppd = " duck pppd[1]: ";
    const struct {
        const char* Begin;
        const char* End;
    } cases[] = {
        {"2026-10-25T02:50:00+02:00", "2026-10-25T02:10:00+01:00"},            // clocks back
        {"2026-03-29T01:50:00.000001+01:00", "2026-03-29T03:10:00.999+02:00"}, // forward
        {"2026-03-29T01:50:00Z", "2026-03-29T03:10:00+01:00"},
        // journalctl -o short-iso before systemd 255; RFC 3339's lower case
        {"2026-10-25T02:50:00+0200", "2026-10-25T02:10:00+0100"},
        {"2026-03-08T01:50:00-0500", "2026-03-08T03:10:00-0400"},
        {"2026-03-29t01:50:00z", "2026-03-29t03:10:00+01:00"},
    };
    const std::string format = "pppd (syslog, RFC 3339 stamps)";
    const int f = FindLogFormat(formats, format);
    ASSERT_NE(f, 0);
    formats.LogFile[f] = home.File("log");
    report.LogType = format;
    for (const auto& c : cases) {
        const std::string lines = Joined({c.Begin + pppd + "Connect: ppp0 <--> /dev/ttyUSB0",
                                          c.End + pppd + "Connection terminated."});
        home.Write("log", lines);
        for (const bool cut : {false, true}) {
            SCOPED_TRACE(std::string(c.Begin) + (cut ? ", cut" : ""));
            ReadContext context{report, formats, providers, links, rep, [] {}};
            if (cut) {
                context.CutsNear = [&](std::uint64_t) {
                    return std::vector<std::uint64_t>{lines.find('\n')};
                };
                context.FrontPieces = 1; // the end line is read on the second core
            }
            ReadConnectionLog(context);
            ASSERT_EQ(rep.Count(), 1);
            EXPECT_EQ(rep.Duration[0], 1200);
        }
    }
}

// logrotate renames the log away and starts a new one while it is read in
// pieces: every piece still reads the file the pass opened.
TEST_F(LinuxLogs, ALogRotatedDuringThePassIsReadAsTheFileItBeganOn)
{
    const std::string pppd = "2026-12-01T10:00:00+01:00 duck pppd[1]: ";
    const std::string lines =
        Joined({pppd + "Connect: ppp0 <--> /dev/ttyS0", pppd + "Connection terminated.",
                pppd + "Connect: ppp0 <--> /dev/ttyS1", pppd + "Connection terminated."});
    home.Write("log", lines);
    std::string fresh = lines;
    for (std::size_t at; (at = fresh.find("ttyS")) != std::string::npos;)
        fresh[at + 3] = 'X';
    home.Write("fresh", fresh);
    const std::string format = "pppd (syslog, RFC 3339 stamps)";
    const int f = FindLogFormat(formats, format);
    ASSERT_NE(f, 0);
    formats.LogFile[f] = home.File("log");
    report.LogType = format;
    ReadContext context{report, formats, providers, links, rep, [] {}};
    context.CutsNear = [&](std::uint64_t) {
        std::filesystem::rename(home.File("log"), home.File("log.1"));
        std::filesystem::rename(home.File("fresh"), home.File("log"));
        return std::vector<std::uint64_t>{lines.size() / 2};
    };
    ReadConnectionLog(context);
    EXPECT_TRUE(ui.Messages.empty());
    ASSERT_EQ(rep.Count(), 2);
    EXPECT_EQ(rep.Service[0], "ppp0 <--> /dev/ttyS0");
    EXPECT_EQ(rep.Service[1], "ppp0 <--> /dev/ttyS1");
}

// logrotate during a pass: the set is read as it was when the pass began,
// every line once, whatever the names point to by the time a member's turn
// comes; and a .gz being written beside its plain file is no member.
TEST_F(LinuxLogs, ASetChangedDuringThePassIsReadAsItWasListed)
{
    const auto rename = [this](const char* from, const char* to) {
        std::filesystem::rename(home.File(from), home.File(to));
    };
    const struct {
        const char* Change;
        bool BeforeOpen;
        std::function<void()> Make;
    } cases[] = {
        {"rotated", false,
         [&] {
             rename("syslog.1", "syslog.2");
             rename("syslog", "syslog.1");
             home.Write("syslog", "");
         }},
        {"being compressed", true,
         [&] { ASSERT_TRUE(WriteGzip(home.File("syslog.1.gz"), "a\n")); }},
        {"removed", false, [&] { std::filesystem::remove(home.File("syslog")); }},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(home.Path());
        std::filesystem::create_directories(home.Path());
        home.Write("syslog.1", "a\nb\n");
        home.Write("syslog", "c\n");
        if (c.BeforeOpen)
            c.Make();
        LogSource source;
        std::string_view line;
        std::string read;
        ASSERT_TRUE(source.Open(home.File("syslog*")));
        ASSERT_TRUE(source.ReadLine(line));
        read += line;
        if (!c.BeforeOpen)
            c.Make();
        while (source.ReadLine(line))
            read += line;
        EXPECT_EQ(read, "abc") << c.Change;
        EXPECT_FALSE(source.Failed()) << c.Change;
    }
}

// logrotate's copytruncate empties the live file during the pass: what the
// pass had not read yet is lost to it, which is a read error, not a report
// that looks whole. A file that grows meanwhile is read on.
TEST_F(LinuxLogs, ALogCutShortDuringThePassIsAReadError)
{
    const std::string lines(8 << 20, '\n');
    for (const bool cut : {true, false}) {
        home.Write("syslog", lines);
        LogSource source;
        std::string_view line;
        ASSERT_TRUE(source.Open(home.File("syslog")));
        ASSERT_TRUE(source.ReadLine(line));
        if (cut)
            std::filesystem::resize_file(home.File("syslog"), 0);
        else
            std::ofstream(home.File("syslog"), std::ios::app) << "more\n";
        std::size_t count = 1;
        while (source.ReadLine(line))
            ++count;
        EXPECT_EQ(source.Failed(), cut);
        EXPECT_EQ(count == lines.size() + 1, !cut) << count;
    }
}

// A connection that begins in one member and ends in the next is paired,
// and each member dates its own lines.
TEST_F(LinuxLogs, ASetIsOneLogAcrossItsMembers)
{
    const std::string prefix = "host pppd[7]: ";
    ASSERT_TRUE(WriteGzip(home.File("syslog.2.gz"),
                          Joined({"Dec 30 20:00:00 " + prefix + "Connect: ppp0 <--> /dev/ttyS0",
                                  "Dec 30 20:30:00 " + prefix + "Connection terminated.",
                                  "Dec 31 23:50:00 " + prefix + "Connect: ppp0 <--> /dev/ttyS1"})));
    ASSERT_TRUE(SetModified(home.File("syslog.2.gz"), "2027-01-01 00:00:05"));
    home.Write("syslog.1", Joined({"Jan  1 00:10:00 " + prefix + "Connection terminated."}));
    ASSERT_TRUE(SetModified(home.File("syslog.1"), "2027-01-08 06:25:00"));
    // The live file has no line end after its last line.
    home.Write("syslog", "Jan  9 08:00:00 " + prefix + "Connect: ppp0 <--> /dev/ttyS0\n" +
                             "Jan  9 08:00:42 " + prefix + "Connection terminated.");
    ASSERT_TRUE(SetModified(home.File("syslog"), "2027-01-09 08:00:42"));
    Read("pppd (syslog)", home.File("syslog*"));
    EXPECT_TRUE(ui.Messages.empty());
    ASSERT_EQ(rep.Count(), 3);
    EXPECT_EQ(rep.DateTimeOn[1], At("2026-12-31 23:50:00"));
    EXPECT_EQ(rep.DateTimeOff[1], At("2027-01-01 00:10:00"));
    EXPECT_EQ(rep.Service[1], "ppp0 <--> /dev/ttyS1");
    EXPECT_EQ(TotalSeconds(), 1800 + 1200 + 42);
    EXPECT_EQ(report.CriteriaDateFrom, "12/30/2026");
    EXPECT_EQ(report.CriteriaDateTo, "1/9/2027");
}

// Sources that cannot be read: the reader's message with the source's
// name, and what was read before kept; of a set, the members after too.
struct BadSource {
    const char* Name;
    std::function<std::string(const TempFolder&)> Make; // returns the LogFile
    std::function<std::string(const TempFolder&)> Named;
    bool Found;
    int Kept;
    int Seconds; // of the connections kept
    const char* Format = "pppd (syslog)";
};

const std::string GoodLines = "Jan  2 10:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS0\n"
                              "Jan  2 10:01:00 h pppd[1]: Connection terminated.\n";

// A good member, then one that is damaged or cut off (and holds no marker,
// so that what it yields before the fault adds nothing).
std::string CorruptGzip(const TempFolder& home, bool cut, const std::string& before = GoodLines)
{
    EXPECT_TRUE(WriteGzip(home.File("a.gz"), before));
    const std::string bytes = home.Read("a.gz");
    std::string chatter;
    for (int i = 0; i < 200; ++i)
        chatter += "Jan  2 11:00:" + std::to_string(10 + i % 50) + " h kernel: usb " +
                   std::to_string(i * 7919 % 1000) + "\n";
    EXPECT_TRUE(WriteGzip(home.File("b.gz"), chatter));
    std::string second = home.Read("b.gz");
    if (cut)
        second.resize(second.size() / 2);
    else
        second[second.size() / 2] = static_cast<char>(second[second.size() / 2] ^ 0x5a);
    home.Write("syslog.1.gz", bytes + second);
    return home.File("syslog*");
}

const BadSource BadSourceCases[] = {
    {"Missing", [](const TempFolder& h) { return h.File("nothing.log"); },
     [](const TempFolder& h) { return h.File("nothing.log"); }, false, 0, 0},
    {"SetMatchingNothing", [](const TempFolder& h) { return h.File("syslog*"); },
     [](const TempFolder& h) { return h.File("syslog*"); }, false, 0, 0},
    {"CorruptGzipMember", [](const TempFolder& h) { return CorruptGzip(h, false); },
     [](const TempFolder& h) { return h.File("syslog.1.gz"); }, true, 1, 60},
    {"CutOffGzipMember", [](const TempFolder& h) { return CorruptGzip(h, true); },
     [](const TempFolder& h) { return h.File("syslog.1.gz"); }, true, 1, 60},
    // A connection open where the member breaks off is not ended by the
    // next member's first end line, and the newer members are read.
    {"CutOffGzipBeforeNewerMembers",
     [](const TempFolder& h) {
         const std::string set = CorruptGzip(
             h, true, GoodLines + "Jan  2 12:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS1\n");
         h.Write("syslog", "Jan  3 09:00:00 h pppd[1]: Connection terminated.\n"
                           "Jan  3 10:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS0\n"
                           "Jan  3 10:00:30 h pppd[1]: Connection terminated.\n");
         return set;
     },
     [](const TempFolder& h) { return h.File("syslog.1.gz"); }, true, 3, 90},
    {"UnreadableFirstMember",
     [](const TempFolder& h) {
         h.Write("syslog.2.gz", "not gzip at all");
         h.Write("syslog", GoodLines);
         return h.File("syslog*");
     },
     [](const TempFolder& h) { return h.File("syslog.2.gz"); }, true, 1, 60},
    {"TwoUnreadableMembers",
     [](const TempFolder& h) {
         h.Write("syslog.3.gz", "not gzip at all");
         h.Write("syslog.2.gz", "nor this");
         h.Write("syslog", GoodLines);
         return h.File("syslog*");
     },
     [](const TempFolder& h) { return h.File("syslog.3.gz") + ", " + h.File("syslog.2.gz"); }, true,
     1, 60},
    {"DamagedJournalFileBesideAGoodOne",
     [](const TempFolder& h) {
         EXPECT_TRUE(WriteJournal(h.File("good.journal"),
                                  {"2026-12-02 10:00:00|pppd|1|Connect: ppp0 <--> /dev/ttyS0",
                                   "2026-12-02 10:01:00|pppd|1|Connection terminated."}));
         h.Write("cut.journal", h.Read("good.journal").substr(0, 5000));
         return h.File("*.journal");
     },
     [](const TempFolder& h) { return h.File("cut.journal"); }, true, 1, 60, "pppd (journal)"},
    {"MissingJournalFile", [](const TempFolder& h) { return h.File("gone.journal"); },
     [](const TempFolder& h) { return h.File("gone.journal"); }, false, 0, 0},
    {"JournalFileOfGarbage",
     [](const TempFolder& h) {
         h.Write("bad.journal", std::string(4096, 'x'));
         return h.File("bad.journal");
     },
     [](const TempFolder& h) { return h.File("bad.journal"); }, true, 0, 0},
};

class BadSources : public LinuxLogs, public ::testing::WithParamInterface<BadSource> {};

TEST_P(BadSources, AreReportedByNameAndKeepWhatWasRead)
{
    const BadSource& c = GetParam();
    const std::string source = c.Make(home);
    Read(c.Format, source);
    // A journal file that is there but does not open is named as damaged.
    const std::string named = c.Named(home);
    const std::string expected =
        named.ends_with(".journal") && c.Found
            ? "An error occurred reading " + named +
                  ".\n\rA journal file may be damaged, or readable only by members of the "
                  "systemd-journal or adm group."
            : ReadErrorText(named, c.Found);
    ASSERT_EQ(ui.Texts(MessageKind::Error), std::vector<std::string>{expected});
    EXPECT_EQ(rep.Count(), c.Kept);
    EXPECT_EQ(TotalSeconds(), c.Seconds);
}

INSTANTIATE_TEST_SUITE_P(Sources, BadSources, ::testing::ValuesIn(BadSourceCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(LinuxLogs, AGigabyteSizedGzipIsReadInBoundedMemory)
{
    // One member of 1 MiB, written 3072 times: 3 GiB of text.
    std::string block;
    for (int day = 1; day <= 28; ++day) {
        char stamp[16];
        // One day over: a log's dates that went back would turn its year.
        std::snprintf(stamp, sizeof stamp, "Feb 28 ");
        block += std::string(stamp) + "10:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS0\n" +
                 stamp + "10:01:00 h pppd[1]: Connection terminated.\n";
    }
    while (block.size() < (1 << 20))
        block += "Feb 28 10:00:30 h kernel: [42.0] usb 1-1: chatter\n";
    ASSERT_TRUE(WriteGzip(home.File("one.gz"), block));
    const std::string member = home.Read("one.gz");
    {
        std::ofstream out(home.File("syslog.1.gz"), std::ios::binary);
        for (int i = 0; i < 3072; ++i)
            out << member;
    }
    ASSERT_TRUE(SetModified(home.File("syslog.1.gz"), "2026-03-01 00:00:00"));
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    Read("pppd (syslog)", home.File("syslog*"));
    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_EQ(rep.Count(), 3072 * 28);
    EXPECT_LT(usage.ru_maxrss - before, 64 * 1024) << "KiB more than before the pass";
}

// The syslog daemon's stamps changed between two members of a set: each
// format reads the members of its style and names the others. A tariff that
// does not convert still ends the pass.
TEST_F(LinuxLogs, EachFormatReadsTheMembersOfItsStampStyle)
{
    const std::string parsing =
        "There was a problem parsing the log file.\n\rVerify the Log file Format entries.";
    const std::string rfc = "2026-01-03T10:00:00.000000+00:00 h pppd[2]: Connect: ppp0 <--> x\n"
                            "2026-01-03T10:00:30.000000+00:00 h pppd[2]: Connection terminated.\n";
    const struct {
        const char* Format;
        std::string Newer; // the member after GoodLines
        bool TariffFails;
        int Connections, Seconds;
        const char* Skipped;
        const char* DateTo; // as the "all dates" switch sets it after a whole read
    } cases[] = {
        {"pppd (syslog)", rfc, false, 1, 60, "syslog", "1/2/2026"},
        {"pppd (syslog, RFC 3339 stamps)", rfc, false, 1, 30, "syslog.1", "1/3/2026"},
        {"pppd (syslog)", GoodLines, true, 1, 60, "", "1/3/2026"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Format);
        home.Write("syslog.1", GoodLines);
        home.Write("syslog", c.Newer);
        DefaultProviders(providers);
        if (c.TariffFails)
            providers.ProviderTod[2].UnitMinutes[1] = "0";
        report.ServiceProviders = c.TariffFails ? "Sample Telephone Company" : "";
        ui.Messages.clear();
        Read(c.Format, home.File("syslog*"));
        EXPECT_EQ(rep.Count(), c.Connections);
        EXPECT_EQ(TotalSeconds(), c.Seconds);
        const std::string skipped =
            *c.Skipped == '\0' ? "" : "\n\rNot read: the rest of " + home.File(c.Skipped) + ".";
        EXPECT_EQ(ui.Texts(MessageKind::Error), std::vector<std::string>{parsing + skipped});
        EXPECT_EQ(report.CriteriaDateTo, c.DateTo);
    }
}

// journald leaves a file it could not close as ".journal~".
TEST_F(LinuxLogs, JournalFilesLeftByAnUncleanShutdownAreRead)
{
    ASSERT_TRUE(WriteJournal(home.File("system.journal"),
                             {"2026-12-02 10:00:00|pppd|1|Connect: ppp0 <--> /dev/ttyS0",
                              "2026-12-02 10:01:00|pppd|1|Connection terminated."}));
    ASSERT_TRUE(WriteJournal(home.File("unclean.journal"),
                             {"2026-12-01 10:00:00|pppd|1|Connect: ppp0 <--> /dev/ttyS0",
                              "2026-12-01 10:00:30|pppd|1|Connection terminated."},
                             "fedcba9876543210fedcba9876543210"));
    std::filesystem::rename(home.File("unclean.journal"), home.File("system@0005-0006.journal~"));
    Read("pppd (journal)", home.File("*.journal"));
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_EQ(rep.Count(), 2);
    EXPECT_EQ(TotalSeconds(), 90);
}

// Any process may name itself in the journal; a line break in its name or
// process id must not start a line of its choosing, such as a begin line
// dated years back.
TEST_F(LinuxLogs, AJournalEntryIsOneLineWhateverItsFieldsHold)
{
    const std::string forged = "\n2020-01-01T10:00:00+01:00 pppd[9]: Connect: ppp0 <--> /dev/ttyS0";
    ASSERT_TRUE(WriteJournal(home.File("system.journal"),
                             {"2026-12-02 10:00:00|evil" + forged + "|1|a\nb",
                              "2026-12-02 10:00:01|pppd|2" + forged + "|c",
                              "2026-12-02 10:01:00|pppd|1|Connection terminated."}));
    LogSource source;
    ASSERT_TRUE(source.Open(home.File("system.journal")));
    std::vector<std::string> lines;
    for (std::string_view line; source.ReadLine(line);)
        lines.emplace_back(line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].ends_with(" evil " + forged.substr(1) + "[1]: a b")) << lines[0];
    EXPECT_TRUE(lines[1].ends_with(" pppd[2 " + forged.substr(1) + "]: c")) << lines[1];
}

// The archive copies from any source; only a single plain file is cleared.
TEST_F(LinuxLogs, ArchivesCopyAnySourceAndClearOnlyAPlainFile)
{
    ASSERT_TRUE(WriteGzip(home.File("syslog.1.gz"), "old line\n"));
    home.Write("syslog", "new line\n");
    ASSERT_TRUE(WriteJournal(home.File("system.journal"),
                             {"2023-08-10 14:45:43|pppd|7|Connect: ppp0 <--> /dev/ttyUSB0"}));
    const std::string begin = "Jan  2 10:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS0";
    const std::string end = "Jan  2 10:01:00 h pppd[1]: Connection terminated.";
    home.Write("ppp.1", begin + "\nchatter\n");
    home.Write("ppp", end + "\n");
    home.Write("blank", end + "\n\n");
    home.Write("grown", end + "\n\nchatter\n");
    const std::string byHand = "Jan  1 09:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS9";
    const std::string whole = begin + "\r\nchatter\r\n" + end + "\r\n";
    struct Case {
        std::string Source;
        bool Clear;
        std::string Archived; // empty: refused
        std::string Before = {};
        bool Skip = false;
        bool Gap = false; // the source no longer holds what was archived last
    } cases[] = {
        {home.File("syslog*"), false, "old line\r\nnew line\r\n"},
        {home.File("syslog*"), true, ""},
        {home.File("system.journal"), false, "pppd[7]: Connect: ppp0 <--> /dev/ttyUSB0\r\n"},
        // Archived again: the set still holds what the last run took.
        {home.File("syslog*"), false, "older\r\nold line\r\nnew line\r\n", "older\r\nold line\r\n"},
        {home.File("syslog*"), false, "gone\r\nold line\r\nnew line\r\n", "gone\r\n", false, true},
        // The last run kept every line, this one skips them; a line added by hand.
        {home.File("ppp*"), false, begin + "\r\nchatter\r\n" + end + "\r\n",
         begin + "\r\nchatter\r\n", true},
        {home.File("ppp*"), false, begin + "\r\n# checked\r\nchatter\r\n" + end + "\r\n",
         begin + "\r\n# checked\r\n"},
        // A begin line added by hand, and nothing new: the archive keeps its
        // time, which dates its lines.
        {home.File("ppp*"), false, whole + byHand + "\r\n", whole + byHand + "\r\n"},
        // Edited by hand, without its last line end.
        {home.File("syslog*"), false, "older\r\nold line\r\nnew line\r\n", "older\r\nold line"},
        // A set that ends in an empty line, archived again with nothing new.
        {home.File("blank*"), false, end + "\r\n\r\n", end + "\r\n\r\n"},
        // Its empty line is the one the archive ends in, or new after its last line.
        {home.File("grown*"), false, end + "\r\n\r\nchatter\r\n", end + "\r\n\r\n"},
        {home.File("grown*"), false, end + "\r\n\r\nchatter\r\n", end + "\r\n"},
    };
    const int f = formats.Current = FindLogFormat(formats, "pppd (syslog)");
    for (const Case& c : cases) {
        std::filesystem::remove(home.File("archive.old"));
        std::filesystem::file_time_type stamped{};
        if (!c.Before.empty()) {
            home.Write("archive.old", c.Before);
            ASSERT_TRUE(SetModified(home.File("archive.old"), "2020-01-01 00:00:00"));
            stamped = std::filesystem::last_write_time(home.File("archive.old"));
        }
        ui.Messages.clear();
        formats.LogFile[f] = c.Source;
        const ArchiveResult result =
            ArchiveLogFile(formats, ArchiveOptions{home.File("archive.old"), c.Skip, c.Clear, {}});
        SCOPED_TRACE(c.Source);
        if (c.Archived.empty()) {
            EXPECT_EQ(result, ArchiveResult::Refused);
            EXPECT_FALSE(std::filesystem::exists(home.File("archive.old")));
            ASSERT_EQ(ui.Texts(MessageKind::Error).size(), 1u);
            EXPECT_NE(ui.Texts(MessageKind::Error)[0].find("cannot be cleared"), std::string::npos);
        } else {
            EXPECT_EQ(result, ArchiveResult::Done);
            if (c.Before.empty())
                EXPECT_TRUE(home.Read("archive.old").ends_with(c.Archived))
                    << home.Read("archive.old");
            else
                EXPECT_EQ(home.Read("archive.old"), c.Archived);
            ASSERT_EQ(ui.Texts(MessageKind::Information).size(), 1u);
            EXPECT_EQ(ui.Texts(MessageKind::Information)[0].ends_with("may be missing."), c.Gap);
            if (!c.Before.empty()) {
                EXPECT_EQ(home.Read("archive.old") == c.Before,
                          std::filesystem::last_write_time(home.File("archive.old")) == stamped);
                continue;
            }
            // The system's logs are not for everyone: nor is their archive.
            EXPECT_EQ(std::filesystem::status(home.File("archive.old")).permissions() &
                          std::filesystem::perms::others_all,
                      std::filesystem::perms::none);
        }
    }
    EXPECT_EQ(home.Read("syslog"), "new line\n");
}

// View Log File opens one file, of a set the newest, or says why it cannot.
TEST_F(LinuxLogs, ViewingALogOpensOneFileOrSaysWhyNot)
{
    ASSERT_TRUE(WriteGzip(home.File("syslog.2.gz"), "older line\n"));
    home.Write("syslog.1", "old line\n");
    home.Write("syslog", "new line\n");
    ASSERT_TRUE(WriteJournal(home.File("system.journal"),
                             {"2023-08-10 14:45:43|pppd|7|Connect: ppp0 <--> /dev/ttyUSB0"}));
    const struct {
        std::string LogFile, Path, Reason;
    } cases[] = {
        {home.File("syslog.1"), home.File("syslog.1"), ""},
        {home.File("syslog*"), home.File("syslog"), ""},
        {home.File("messages*"), "", "No file matches " + home.File("messages*") + "."},
        {home.File("gone.log"), "", "The file " + home.File("gone.log") + " was not found."},
        {"journal:pppd", "", "journal"},
        {home.File("system.journal"), "", "journal"},
    };
    for (const auto& c : cases) {
        const ViewableLog log = ViewableLogFile(c.LogFile);
        EXPECT_EQ(log.Path, c.Path) << c.LogFile;
        if (c.Reason.empty())
            EXPECT_EQ(log.Reason, "") << c.LogFile;
        else
            EXPECT_NE(log.Reason.find(c.Reason), std::string::npos) << log.Reason;
    }
}

// The first-time setup's search over a prepared log folder.
TEST_F(LinuxLogs, DetectionFindsWhatTheFormatsRead)
{
    TempFolder logs;
    folders.Logs = logs.Path();
    logs.Write("syslog", GoodLines + GoodLines);
    ASSERT_TRUE(SetModified(logs.File("syslog"), "2026-02-01 00:00:00"));
    ASSERT_TRUE(WriteGzip(logs.File("syslog.2.gz"), GoodLines));
    logs.Write("messages", "Mon Jun  1 10:50:58 2020 daemon.info pppd[5863]: Connect: pppoe-wan\n");
    std::filesystem::create_directory(logs.File("journal"));
    // The two NetworkManager formats share their marker; each finds the
    // description only in its own lines.
    ASSERT_TRUE(WriteJournal(
        logs.File("journal/system.journal"),
        {"2023-08-10 14:45:43|pppd|1|Connect: ppp0 <--> /dev/ttyUSB0",
         "2023-08-10 15:00:00|NetworkManager|2|<info>  [1691679600.0001] modem[\"cdc-wdm0\"]: "
         "modem state changed, 'connecting' --> 'connected' (reason: user-requested)"}));
    home.Write("ModemLog.txt", "05:03:31 05-25-1994 - Connection established at 14400bps.\n");
    const std::vector<DetectedLog> found = DetectLogs(folders, library);
    std::vector<std::string> seen;
    for (const DetectedLog& log : found)
        seen.push_back(log.Source + " | " + library.LogType[log.Format] + " | " +
                       std::to_string(log.BeginLines));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        logs.File("journal/*.journal") +
                            " | NetworkManager mobile broadband (journal) | 1",
                        logs.File("journal/*.journal") + " | pppd (journal) | 1",
                        logs.File("syslog*") + " | pppd (syslog) | 3",
                        logs.File("messages*") + " | pppd (OpenWrt logread) | 1",
                        home.File("ModemLog.txt") + " | Windows 95 Dial-Up Networking | 1"}));

    // Choosing one adds its format with that source and saves the table.
    folders.Program = home.Path();
    TLCfg table;
    LoadDefaultLogFormats(table, folders);
    EXPECT_EQ(ApplyDetectedLog(table, library, found[2], home.Path()), "pppd (syslog)");
    EXPECT_EQ(table.Count, 3);
    EXPECT_EQ(table.LogFile[3], logs.File("syslog*"));
    TLCfg saved;
    LoadLogFormats(saved, folders);
    EXPECT_EQ(saved.LogType[3], "pppd (syslog)");
    // ... and the default report reads it from now on.
    TCfg defaultTemplate;
    const std::string defaultReport = home.File("Documents/Default.rep");
    ASSERT_TRUE(UseLogTypeInDefaultReport(defaultTemplate, defaultReport, "pppd (syslog)"));
    EXPECT_EQ(defaultTemplate.LogType, "pppd (syslog)");
    TCfg reread;
    LoadDefaultTemplate(reread, defaultReport);
    EXPECT_EQ(reread.LogType, "pppd (syslog)");
    // One another program folder wrote is changed only when the user says so.
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        ui.Answers = {answer};
        const bool changed =
            UseLogTypeInDefaultReport(defaultTemplate, defaultReport, "pppd (journal)");
        EXPECT_EQ(changed, answer == MessageAnswer::Yes);
        LoadDefaultTemplate(reread, defaultReport);
        EXPECT_EQ(reread.LogType, changed ? "pppd (journal)" : "pppd (syslog)");
        EXPECT_EQ(defaultTemplate.LogType, reread.LogType);
    }
    EXPECT_TRUE(ui.Answers.empty());
}

// The Linux sample, whose set the build writes with
// scripts/make-sample-syslog.py: every pppd session of its three files is
// paired, in order, across the rotation and New Year, and one runs from the
// .gz member into the next file.
TEST(LinuxSample, PairsEverySessionOfItsSet)
{
    ScopedRegional regional("en-US");
    RecordingFrontEnd ui;
    const std::string home = DIALTALLY_SAMPLES_DIR "/linux-home/";
    FixedFolders folders;
    folders.Program = home;
    ProgramState state(folders);
    StartProgram(state);
    ASSERT_TRUE(ReadReportFile(state.Current, DIALTALLY_SAMPLES_DIR "/Linux.rep",
                               state.Options.Files.Path, state.Options.Files.Recent));
    const int f = FindLogFormat(state.Formats, state.Current.LogType);
    ASSERT_NE(f, 0);
    state.Formats.LogFile[f] = home + state.Formats.LogFile[f]; // relative to the home
    const PairedConnections paired = ReadPairedConnections(state.Current, state.Formats);
    EXPECT_TRUE(ui.Messages.empty());

    std::string text;
    gzFile gz = gzopen((home + "log/syslog.2.gz").c_str(), "rb");
    ASSERT_NE(gz, nullptr);
    char block[4096];
    for (int got = 0; (got = gzread(gz, block, sizeof block)) > 0;)
        text.append(block, static_cast<std::size_t>(got));
    gzclose(gz);
    for (const char* plain : {"log/syslog.1", "log/syslog"}) {
        std::ifstream in(home + plain, std::ios::binary);
        text.append(std::istreambuf_iterator<char>(in), {});
    }
    int sessions = 0;
    for (std::size_t at = 0; (at = text.find("]: Connect: ", at)) != std::string::npos; ++at)
        ++sessions;
    ASSERT_GT(sessions, 20);
    ASSERT_EQ(paired.List.Count(), sessions);

    struct stat rotated {};
    ASSERT_EQ(::stat((home + "log/syslog.2.gz").c_str(), &rotated), 0);
    const TDateTime rotation = LocalDateTime(rotated.st_mtim.tv_sec);
    int across = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(sessions); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(paired.Closed[i]);
        EXPECT_GT(paired.List.Duration[i], 0);
        EXPECT_LT(paired.List.Duration[i], 3 * 3600);
        if (i > 0) {
            EXPECT_GT(paired.List.DateTimeOn[i], paired.List.DateTimeOff[i - 1]);
        }
        across += paired.List.DateTimeOn[i] < rotation && rotation < paired.List.DateTimeOff[i];
    }
    EXPECT_EQ(across, 1);
    EXPECT_EQ(YearOf(paired.List.DateTimeOn[0]) + 1,
              YearOf(paired.List.DateTimeOn[static_cast<std::size_t>(sessions - 1)]));
}

} // namespace

} // namespace dialtally
