#include "reports/LogReader.h"

#include "TestSupport.h"
#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/FileRange.h"
#include "base/InputFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <tuple>
#include <vector>

namespace dialtally {

namespace {

const char* const Modem = "Windows Dial-Up Networking";
const char* const Win98 = "Windows Update (Win98)";
const char* const Pipes = "Pipes";
const std::string ParsingMessage =
    "There was a problem parsing the log file.\n\rVerify the Log file Format entries.";

// A modem log line: date in columns 1-10, time in 12-19, the message after
// it, and the description in columns 52-59.
std::string ModemLine(const std::string& date, const std::string& time, const std::string& message,
                      const std::string& service = "")
{
    std::string line = date + " " + time + ".000 - " + message;
    if (!service.empty()) {
        line.resize(51, ' ');
        line += service;
    }
    return line;
}

std::string Begin(const std::string& date, const std::string& time, const std::string& service = "")
{
    return ModemLine(date, time, "Connection established", service);
}

std::string End(const std::string& date, const std::string& time)
{
    return ModemLine(date, time, "Interpreted response: No Carrier");
}

// "BEGIN|month|day|year|time|marker|description|" and the same with END.
std::string PipeLine(const std::string& kind, const std::string& month, const std::string& day,
                     const std::string& year, const std::string& time,
                     const std::string& marker = "", const std::string& service = "svc")
{
    return kind + "|" + month + "|" + day + "|" + year + "|" + time + "|" + marker + "|" + service +
           "|";
}

// The n-th "|"-separated field of a line, for n >= 2.
std::string PipeField(int n)
{
    return "{'|'}{#" + std::to_string(n - 1) + "};{'|'}{#" + std::to_string(n) + "}";
}

class LogReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folders.Windows = m_folder.Path();
        m_folders.ProgramFiles = m_folder.Path() + "pf";
        LoadDefaultLogFormats(formats, m_folders);
        const int f = formats.Count = 3;
        formats.LogType[f] = Pipes;
        formats.LogFile[f] = m_folder.File("pipes.log");
        formats.Online[f] = "BEGIN|";
        formats.Offline[f] = "END|";
        formats.OnMonth[f] = formats.OffMonth[f] = PipeField(2);
        formats.OnDate[f] = formats.OffDate[f] = PipeField(3);
        formats.OnYear[f] = formats.OffYear[f] = PipeField(4);
        formats.OnTime[f] = formats.OffTime[f] = PipeField(5);
        formats.OnAmpm[f] = formats.OffAmpm[f] = PipeField(6);
        formats.OnService[f] = PipeField(7);

        report.LogType = Modem;
        report.CriteriaDateAll = "0";
        report.CriteriaDateFrom = "1/1/1990";
        report.CriteriaDateTo = "12/31/2099";
        report.CriteriaTimeAll = "0";
        report.CriteriaTimeFrom = "12:00:00 AM";
        report.CriteriaTimeTo = "11:59:59 PM";
        report.CriteriaDescripAll = "0";
    }

    std::string LogPath() const { return formats.LogFile[FindLogFormat(formats, report.LogType)]; }

    void WriteLog(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n")
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + lineEnd;
        const std::string path = LogPath();
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    void Read()
    {
        ReadContext context{report, formats, providers, links, rep, [this] { ++builds; }};
        ReadConnectionLog(context);
    }

    std::size_t Count() const { return static_cast<std::size_t>(rep.Count()); }
    std::vector<std::string> Errors() const { return m_front.Texts(MessageKind::Error); }

    RecordingFrontEnd m_front;
    TempFolder m_folder;
    FixedFolders m_folders;
    ScopedToday m_today{2026, 12, 9};

public:
    TLCfg formats;
    TProv providers;
    TServ links;
    TRep rep;
    TCfg report;
    int builds = 0;
};

TDateTime At(int year, int month, int day, int hour, int minute, int second)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
}

TEST_F(LogReaderTest, PairsEachEndLineWithTheNewestOpenConnection)
{
    WriteLog({End("03-05-2001", "09:00:00"), Begin("03-05-2001", "10:00:00", "first"),
              "03-05-2001 10:00:30.000 - Recv: <cr><lf>NO CARRIER<cr><lf>",
              Begin("03-05-2001", "10:01:00", "second"), End("03-05-2001", "10:03:05"),
              End("03-05-2001", "10:04:00")});
    Read();
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(rep.Service[0], "first");
    EXPECT_EQ(rep.Duration[0], 0);
    EXPECT_EQ(rep.DateTimeOff[0], rep.DateTimeOn[0]);
    EXPECT_EQ(rep.Service[1], "second");
    EXPECT_EQ(rep.DateTimeOn[1], At(2001, 3, 5, 10, 1, 0));
    EXPECT_EQ(rep.DateTimeOff[1], At(2001, 3, 5, 10, 3, 5));
    EXPECT_EQ(rep.Duration[1], 125);
    EXPECT_TRUE(Errors().empty());
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(formats.Current, 1);
}

// Columns count characters: a character of two bytes before the description
// moves it one column, as the Log Files ruler shows it.
TEST_F(LogReaderTest, ColumnsCountCharactersNotBytes)
{
    std::string begin = Begin("03-05-2001", "10:00:00", "46\u20ac66bps");
    begin.replace(begin.find("   "), 1, "\u00b7");
    WriteLog({begin, End("03-05-2001", "10:00:10")});
    Read();
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(rep.Service[0], "46\u20ac66bps");
    EXPECT_EQ(rep.Duration[0], 10);
}

// UTF-16 with its byte order mark, from UTF-8 text of characters below
// U+10000 and the one four-byte character "\U0001F600".
std::string Utf16(const std::string& utf8, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto unit = [&](unsigned u) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (utf8.compare(i, 4, "\U0001F600") == 0) {
            unit(0xD83D);
            unit(0xDE00);
            i += 3;
        } else if (c >= 0xC0) { // two bytes
            unit(((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            unit(c);
        }
    }
    return out;
}

// An editor's mark of UTF-8 is no part of the first line, and a log saved
// as UTF-16 ("Unicode") reads as its text.
TEST_F(LogReaderTest, ByteOrderMarksAreReadAsTheEncodingTheyName)
{
    const std::string text = Begin("03-05-2001", "10:00:00", "\u00e9\U0001F600bps") + "\r\n" +
                             End("03-05-2001", "10:00:10") + "\r\n";
    for (const std::string& bytes :
         {"\xEF\xBB\xBF" + text, Utf16(text, false), Utf16(text, true)}) {
        std::ofstream(LogPath(), std::ios::binary) << bytes;
        Read();
        ASSERT_EQ(Count(), 1u);
        EXPECT_EQ(rep.Duration[0], 10);
        EXPECT_EQ(rep.Service[0], "\u00e9\U0001F600bps");
        EXPECT_TRUE(Errors().empty());
        // Read in small pieces, a surrogate pair and a unit are cut apart.
        auto file = std::make_shared<InputFile>();
        ASSERT_TRUE(file->Open(LogPath()));
        for (const std::size_t piece : {12, 13, 4096}) {
            FileRange range;
            range.Open(file);
            std::string read(piece, '\0'), all;
            for (ssize_t got; (got = range.Read(read.data(), piece)) > 0;)
                all.append(read, 0, static_cast<std::size_t>(got));
            EXPECT_EQ(all, text) << piece;
        }
    }
}

TEST_F(LogReaderTest, ConnectionOverNewYearCountsInFull)
{
    WriteLog({Begin("12-31-2000", "23:50:00"), End("01-01-2001", "00:10:00")});
    Read();
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(rep.Duration[0], 1200);
}

TEST_F(LogReaderTest, BeginOutsideTheDatesAddsNothingButTheOlderOneStillCloses)
{
    report.CriteriaDateFrom = "3/1/2001";
    report.CriteriaDateTo = "3/31/2001";
    WriteLog({Begin("03-05-2001", "10:00:00"), Begin("04-02-2001", "10:00:00"),
              End("04-02-2001", "10:05:00")});
    Read();
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(rep.DateTimeOff[0], At(2001, 4, 2, 10, 5, 0));
    EXPECT_EQ(rep.Duration[0], 28 * 86400 + 300);
}

TEST_F(LogReaderTest, CriteriaAreTestedOnTheBeginLineOnly)
{
    report.CriteriaDateTo = "3/31/2001";
    report.CriteriaTimeTo = "11:55:00 PM";
    WriteLog({Begin("03-31-2001", "23:50:00"), End("04-01-2001", "00:10:00")});
    Read();
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(rep.Duration[0], 1200);
}

struct TimeRangeCase {
    const char* From;
    const char* To;
    std::size_t Expected; // of begins at 01:00:00, 10:00:00 and 23:00:00
};

void PrintTo(const TimeRangeCase& c, std::ostream* os)
{
    *os << c.From << "-" << c.To;
}

class TimeRange : public LogReaderTest, public testing::WithParamInterface<TimeRangeCase> {};

TEST_P(TimeRange, ComparesTimesOfDayInclusivelyWithoutWrapping)
{
    report.CriteriaTimeFrom = GetParam().From;
    report.CriteriaTimeTo = GetParam().To;
    WriteLog({Begin("03-05-2001", "01:00:00"), Begin("03-05-2001", "10:00:00"),
              Begin("03-05-2001", "23:00:00")});
    Read();
    EXPECT_EQ(Count(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(LogReader, TimeRange,
                         testing::Values(TimeRangeCase{"22:00:00", "02:00:00", 0},
                                         TimeRangeCase{"10:00:00", "10:00:00", 1},
                                         TimeRangeCase{"1:00:00 AM", "11:00 PM", 3},
                                         TimeRangeCase{"1:00:01", "22:59:59", 1}));

TEST_F(LogReaderTest, Win98FormatMakesEveryLineAConnectionUntilALineLacksTheFields)
{
    report.LogType = Win98;
    WriteLog({"a|b|KB123|d|e|2001-03-05 14:20:07|f|g|h", "a|b|KB456|d|e|2001-03-06 09:00:00|f|g|h",
              "", "a|b|KB789|d|e|2001-03-07 09:00:00|f|g|h"});
    Read();
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(rep.Service[0], "d|e|2001-03-05 14:20:07|f|g");
    EXPECT_EQ(rep.DateTimeOn[0], At(2001, 3, 5, 14, 20, 7));
    EXPECT_EQ(rep.DateTimeOff[0], rep.DateTimeOn[0]);
    EXPECT_EQ(rep.Duration[1], 0);
    EXPECT_EQ(Errors(), std::vector<std::string>{ParsingMessage});
    EXPECT_EQ(builds, 1);
}

struct FieldCase {
    const char* Month;
    const char* Day;
    const char* Year;
    const char* Time;
    const char* Marker;
    TDateTime Expected; // 0: the parsing message
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << c.Month << "_" << c.Day << "_" << c.Year << "_" << c.Time << "_" << c.Marker;
}

class DateAndTimeFields : public LogReaderTest, public testing::WithParamInterface<FieldCase> {};

TEST_P(DateAndTimeFields, ReadAsTheLogFormatSays)
{
    const FieldCase& c = GetParam();
    report.LogType = Pipes;
    WriteLog({PipeLine("BEGIN", c.Month, c.Day, c.Year, c.Time, c.Marker)});
    Read();
    if (c.Expected == 0) {
        EXPECT_EQ(Count(), 0u);
        EXPECT_EQ(Errors(), std::vector<std::string>{ParsingMessage});
    } else {
        ASSERT_EQ(Count(), 1u);
        EXPECT_EQ(rep.DateTimeOn[0], c.Expected);
        EXPECT_TRUE(Errors().empty());
    }
}

// Fields that locators complete with texts of their own ({"..."}).
TEST_F(LogReaderTest, TimeAndMarkerFieldsCompletedByTheirLocators)
{
    const int f = FindLogFormat(formats, Pipes);
    report.LogType = Pipes;
    const struct {
        const char* TimeEnd; // appended to the time
        const char* Time;
        const char* MarkerEnd; // appended to the marker
        const char* Marker;
    } cases[] = {{"{\":00\"}", "10:30", "", "PM"},
                 {"", "10:30:00", "{\"M\"}", "P"},
                 {"{\":00\"}", "10:30", "{\"M\"}", "P"}};
    for (const auto& c : cases) {
        formats.OnTime[f] = formats.OffTime[f] = PipeField(5) + c.TimeEnd;
        formats.OnAmpm[f] = formats.OffAmpm[f] = PipeField(6) + c.MarkerEnd;
        WriteLog({PipeLine("BEGIN", "3", "5", "2001", c.Time, c.Marker)});
        m_front.Messages.clear();
        Read();
        EXPECT_TRUE(Errors().empty()) << c.TimeEnd << c.MarkerEnd;
        ASSERT_EQ(Count(), 1u);
        EXPECT_EQ(rep.DateTimeOn[0], At(2001, 3, 5, 22, 30, 0));
    }
}

INSTANTIATE_TEST_SUITE_P(
    LogReader, DateAndTimeFields,
    testing::Values(FieldCase{"Mar", "5", "2001", "10:00:00", "", At(2001, 3, 5, 10, 0, 0)},
                    FieldCase{"MAR", "5", "2001", "10:00:00", "", At(2001, 3, 5, 10, 0, 0)},
                    FieldCase{"March", "5", "2001", "10:00:00", "", At(2001, 3, 5, 10, 0, 0)},
                    FieldCase{" 03", " 5", "2001", "10:00", "", At(2001, 3, 5, 10, 0, 0)},
                    FieldCase{"13", "5", "2001", "10:00:00", "", 0},
                    FieldCase{"Mxx", "5", "2001", "10:00:00", "", 0},
                    FieldCase{"4", "31", "2001", "10:00:00", "", 0},
                    FieldCase{"2", "29", "2001", "10:00:00", "", 0},
                    FieldCase{"2", "29", "2004", "10:00:00", "", At(2004, 2, 29, 10, 0, 0)},
                    FieldCase{"3", "5 ", "2001", "10:00:00", "", 0},
                    FieldCase{"3", "5", "99", "10:00:00", "", At(1999, 3, 5, 10, 0, 0)},
                    FieldCase{"3", "5", "00", "10:00:00", "", At(2000, 3, 5, 10, 0, 0)},
                    FieldCase{"3", "5", "2001", "10:00:00", "PM", At(2001, 3, 5, 22, 0, 0)},
                    FieldCase{"3", "5", "2001", "12:30:00", "am", At(2001, 3, 5, 0, 30, 0)},
                    FieldCase{"3", "5", "2001", "13:00:00", "PM", 0},
                    FieldCase{"3", "5", "2001", "10:00:00.5", "", 0},
                    FieldCase{"3", "5", "2001", "", "", 0}));

TEST_F(LogReaderTest, EmptyLogWithAllDatesEndsTheRangeToday)
{
    report.CriteriaDateAll = "1";
    WriteLog({});
    Read();
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(report.CriteriaDateFrom, "1/1/1990");
    EXPECT_EQ(report.CriteriaDateTo, "12/9/2026");
    EXPECT_FALSE(report.Modified);
    EXPECT_EQ(builds, 1);
}

TEST_F(LogReaderTest, AllSwitchesRewriteTheCriteriaFromTheLog)
{
    report.CriteriaDateAll = report.CriteriaTimeAll = report.CriteriaDescripAll = "1";
    report.CriteriaDateFrom = "1/1/2010"; // would exclude everything
    report.CriteriaTimeFrom = "11:00:00 PM";
    report.CriteriaInclude = "nothing";
    report.CriteriaExclude = "My";
    WriteLog({Begin("03-05-2001", "10:00:00", "My ISP"), End("03-05-2001", "10:10:00"),
              Begin("03-07-2001", "10:00:00", "My ISP"), End("03-08-2001", "00:10:00"),
              Begin("03-09-2001", "10:00:00", "My ISP")});
    Read();
    EXPECT_EQ(Count(), 3u);
    EXPECT_EQ(report.CriteriaDateFrom, "3/5/2001");
    EXPECT_EQ(report.CriteriaDateTo, "3/9/2001");
    EXPECT_EQ(report.CriteriaTimeFrom, "12:00:00 AM");
    EXPECT_EQ(report.CriteriaTimeTo, "11:59:59 PM");
    EXPECT_EQ(report.CriteriaInclude, "");
    EXPECT_EQ(report.CriteriaExclude, "");
    EXPECT_FALSE(report.Modified);
}

TEST_F(LogReaderTest, LastPairedEndDateEndsTheAllDatesRange)
{
    report.CriteriaDateAll = "1";
    WriteLog({Begin("03-05-2001", "23:00:00"), End("03-06-2001", "00:10:00"),
              End("03-09-2001", "00:10:00")});
    Read();
    EXPECT_EQ(report.CriteriaDateTo, "3/6/2001");
}

TEST_F(LogReaderTest, MissingLogIsReportedAndTheReportStillBuilt)
{
    ClearConnections(rep);
    AddConnection(rep); // left from an earlier pass
    Read();
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(Errors(), std::vector<std::string>{"An error occurred reading " + LogPath() +
                                                 ".\n\rThe file was not found."});
    EXPECT_EQ(builds, 1);
}

TEST_F(LogReaderTest, UnknownFormatIsReportedByName)
{
    report.LogType = "Nowhere";
    formats.Current = 2;
    Read();
    EXPECT_EQ(Errors(), std::vector<std::string>{
                            "An error occurred reading Nowhere.\n\rThe file was not found."});
    EXPECT_EQ(formats.Current, 2);
    EXPECT_EQ(builds, 1);
}

TEST_F(LogReaderTest, FailedReadOfAnExistingFileSaysAConnectionMayBeActive)
{
    formats.LogFile[1] = m_folder.Path(); // a folder opens but cannot be read
    Read();
    EXPECT_EQ(Count(), 0u);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors()[0].find("A dial-up connection may be active."), std::string::npos);
    EXPECT_EQ(builds, 1);
}

TEST_F(LogReaderTest, ExcludeBeatsInclude)
{
    report.CriteriaInclude = "ISP";
    report.CriteriaExclude = "Bad";
    WriteLog({Begin("03-05-2001", "10:00:00", "Bad ISP"), Begin("03-05-2001", "11:00:00", "My ISP"),
              Begin("03-05-2001", "12:00:00", "Other")});
    Read();
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(rep.Service[0], "My ISP");
}

TEST_F(LogReaderTest, ParseFailureKeepsTheRowsReadBefore)
{
    WriteLog({Begin("03-05-2001", "10:00:00"), End("03-05-2001", "10:01:00"),
              Begin("03-06-2001", "10:00:00"), End("03-xx-2001", "10:01:00"),
              Begin("03-07-2001", "10:00:00")});
    Read();
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(rep.Duration[0], 60);
    EXPECT_EQ(rep.Duration[1], 0); // pending when reading stopped
    EXPECT_EQ(rep.DateTimeOff[1], rep.DateTimeOn[1]);
    EXPECT_EQ(Errors(), std::vector<std::string>{ParsingMessage});
    EXPECT_EQ(m_front.BusyCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(builds, 1);
}

TEST_F(LogReaderTest, CriteriaTextThatDoesNotConvertAbandonsThePass)
{
    AddConnection(rep);
    report.CriteriaTimeTo = "late";
    EXPECT_THROW(Read(), ConversionError);
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(builds, 0);
    EXPECT_TRUE(m_front.Messages.empty());
}

class LineEnds : public LogReaderTest, public testing::WithParamInterface<const char*> {};

TEST_P(LineEnds, AreAllRecognised)
{
    WriteLog({Begin("03-05-2001", "10:00:00", "one"), End("03-05-2001", "10:01:00"),
              Begin("03-05-2001", "11:00:00", "two"), End("03-05-2001", "11:02:00")},
             GetParam());
    Read();
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(rep.Duration[0], 60);
    EXPECT_EQ(rep.Service[1], "two");
    EXPECT_EQ(rep.Duration[1], 120);
}

INSTANTIATE_TEST_SUITE_P(LogReader, LineEnds, testing::Values("\r\n", "\n", "\r"),
                         [](const auto& info) {
                             return std::string(info.param) == "\r\n" ? "CRLF"
                                    : std::string(info.param) == "\n" ? "LF"
                                                                      : "CR";
                         });

TEST_F(LogReaderTest, ShowsWhatItReadsAndIsBusyMeanwhile)
{
    WriteLog({Begin("03-05-2001", "10:00:00")});
    Read();
    EXPECT_EQ(m_front.StatusTexts,
              (std::vector<std::pair<int, std::string>>{{0, "Reading " + LogPath()}}));
    EXPECT_EQ(m_front.BusyCalls, (std::vector<bool>{true, false}));
}

TEST_F(LogReaderTest, PricesEachConnectionWhenItsEndLineIsRead)
{
    DefaultProviders(providers);
    DefaultLinks(links);
    report.LogType = Pipes;
    report.ServiceProviders = "Sample Telephone Company";
    WriteLog({PipeLine("BEGIN", "3", "5", "2001", "10:00:00", "", "My ISP"),
              PipeLine("END", "3", "5", "2001", "10:02:05"),
              PipeLine("BEGIN", "3", "5", "2001", "19:00:00", "", "Other"),
              PipeLine("END", "3", "5", "2001", "19:01:00"),
              PipeLine("BEGIN", "3", "6", "2001", "19:00:00", "", "Other")});
    Read();
    ASSERT_EQ(Count(), 3u);
    EXPECT_EQ(rep.Cost[0], 2'100);
    EXPECT_EQ(rep.MonthCharge[0], 49'500 + 199'500);
    EXPECT_EQ(rep.Cost[1], 500);
    EXPECT_EQ(rep.MonthCharge[1], 0);
    EXPECT_EQ(rep.Cost[2], 0); // never paired, never priced
}

// A marker and a link typed here are UTF-8; the log from Windows spells
// them in its code page.
TEST_F(LogReaderTest, MarkersAndLinksTypedHereFindALogInAWindowsCodePage)
{
    DefaultProviders(providers);
    DefaultLinks(links);
    links.Service[1] = "T\u00e9l\u00e9 ISP";
    formats.Online[3] = "D\u00c9BUT|";
    report.LogType = Pipes;
    report.ServiceProviders = "Sample Telephone Company";
    WriteLog({PipeLine("D\xC9"
                       "BUT",
                       "3", "5", "2001", "10:00:00", "", "T\xE9l\xE9 ISP"),
              PipeLine("END", "3", "5", "2001", "10:02:05")});
    Read();
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(rep.Duration[0], 125);
    EXPECT_EQ(rep.MonthCharge[0], 49'500 + 199'500); // the linked provider's too
}

TEST_F(LogReaderTest, ALongReadLetsTheWindowRepaintAsItGoes)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 5000; ++i) {
        lines.push_back(Begin("03-05-2001", "10:00:00"));
        lines.push_back(End("03-05-2001", "10:01:00"));
    }
    WriteLog(lines);
    Read();
    EXPECT_EQ(Count(), 5000u);
    EXPECT_GE(m_front.Repaints, 2);
}

TEST_F(LogReaderTest, TariffFailureStopsWithTheParsingMessage)
{
    DefaultProviders(providers);
    providers.ProviderTod[2].UnitMinutes[1] = "0";
    report.ServiceProviders = "Sample Telephone Company";
    WriteLog({Begin("03-05-2001", "10:00:00"), End("03-05-2001", "10:02:05"),
              Begin("03-05-2001", "11:00:00")});
    Read();
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(rep.Duration[0], 125);
    EXPECT_EQ(rep.Cost[0], 0);
    EXPECT_EQ(rep.MonthCharge[0], 49'500);
    EXPECT_EQ(Errors(), std::vector<std::string>{ParsingMessage});
    EXPECT_EQ(builds, 1);
}

} // namespace

} // namespace dialtally

namespace dialtally {

namespace {

// What a pass leaves behind that a cut in the log could change.
struct PassResult {
    std::vector<std::tuple<TDateTime, TDateTime, std::int32_t, Currency, std::string, Currency>>
        Connections;
    std::vector<std::string> Errors;
    std::string DateFrom, DateTo, TimeFrom, TimeTo, Include;
    // The providers' billing state and the provider and period priced last.
    std::vector<std::tuple<int, TDateTime, int, int>> Providers;

    bool operator==(const PassResult&) const = default;
};

struct SplitCase {
    const char* Name;
    std::vector<std::string> Lines;
    bool AllDates = false;    // the dates criteria follow the log
    bool TariffFails = false; // the evening rate's units do not convert
    bool Stops = false;       // the pass ends with the parsing message
    bool FreeTime = false;    // billing months from the 15th with two free hours
};

void PrintTo(const SplitCase& c, std::ostream* out)
{
    *out << c.Name;
}

class SplitRead : public LogReaderTest, public testing::WithParamInterface<SplitCase> {
protected:
    PassResult ReadCutNear(std::vector<std::uint64_t> nears, int frontPieces = 0)
    {
        TCfg start = report;
        m_front.Messages.clear();
        ReadContext context{report, formats, providers, links, rep, {}};
        context.CutsNear = [nears](std::uint64_t) { return nears; };
        context.FrontPieces = frontPieces;
        ReadConnectionLog(context);
        PassResult result{{},
                          Errors(),
                          report.CriteriaDateFrom,
                          report.CriteriaDateTo,
                          report.CriteriaTimeFrom,
                          report.CriteriaTimeTo,
                          report.CriteriaInclude,
                          {}};
        for (int p = 1; p <= providers.Count; ++p)
            result.Providers.emplace_back(providers.Current, providers.NextMonthStart[p],
                                          providers.FreeSecondsLeft[p],
                                          providers.ProviderTod[p].Current);
        for (int i = 0; i < rep.Count(); ++i)
            result.Connections.emplace_back(rep.DateTimeOn[i], rep.DateTimeOff[i], rep.Duration[i],
                                            rep.Cost[i], rep.Service[i], rep.MonthCharge[i]);
        report = start;
        return result;
    }
};

std::string Pipe(const std::string& kind, const std::string& day, const std::string& time,
                 const std::string& service = "svc")
{
    return PipeLine(kind, "3", day, "2001", time, "", service);
}

// A log read in pieces on two cores ends exactly as the same log read in
// one piece, wherever it is cut.
TEST_P(SplitRead, EndsAsReadingInOnePieceWhereverTheLogIsCut)
{
    const SplitCase& c = GetParam();
    DefaultProviders(providers);
    DefaultLinks(links);
    if (c.TariffFails)
        providers.ProviderTod[2].UnitMinutes[2] = "0";
    if (c.FreeTime) {
        providers.ProviderMonthBegin[2] = "15";
        providers.ProviderMonthFree[2] = "2";
        providers.ProviderTod[2].ApplyFree[1] = providers.ProviderTod[2].ApplyFree[2] = true;
    }
    report.LogType = Pipes;
    report.ServiceProviders = "Sample Telephone Company";
    report.CriteriaDateFrom = "3/2/2001";
    report.CriteriaTimeFrom = "9:30:00 AM";
    report.CriteriaInclude = "svc,My";
    if (c.AllDates)
        report.CriteriaDateAll = "1";
    WriteLog(c.Lines);

    const PassResult whole = ReadCutNear({});
    EXPECT_EQ(!whole.Errors.empty(), c.Stops);
    std::string text;
    ReadWholeFile(LogPath(), text);
    std::vector<std::uint64_t> lineEnds;
    for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', lf + 1)) {
        EXPECT_EQ(ReadCutNear({lf}, 1), whole) << "cut after byte " << lf;
        lineEnds.push_back(lf);
    }
    // Pieces of one, two and three lines, cut at every place; the second
    // core reads all but the first, or as many as it gets to first.
    for (std::size_t step = 1; step <= 3; ++step)
        for (std::size_t first = 0; first < step; ++first) {
            std::vector<std::uint64_t> cuts;
            for (std::size_t k = first; k < lineEnds.size(); k += step)
                cuts.push_back(lineEnds[k]);
            for (const int front : {1, 0})
                EXPECT_EQ(ReadCutNear(cuts, front), whole)
                    << "every " << step << " lines from " << first << ", front " << front;
        }
}

INSTANTIATE_TEST_SUITE_P(
    LogReader, SplitRead,
    testing::Values(
        SplitCase{.Name = "PairsStrayEndsAndMonths",
                  .Lines = {Pipe("END", "4", "09:00:00"), Pipe("BEGIN", "5", "10:00:00", "My ISP"),
                            "chatter", Pipe("END", "5", "10:02:05"), Pipe("BEGIN", "5", "11:00:00"),
                            Pipe("BEGIN", "5", "19:00:00"), Pipe("END", "5", "19:01:00"),
                            Pipe("END", "5", "19:02:00"),
                            PipeLine("BEGIN", "4", "1", "2001", "19:00:00"),
                            PipeLine("END", "4", "1", "2001", "20:00:00")}},
        SplitCase{.Name = "OutsideTheCriteria",
                  .Lines = {Pipe("BEGIN", "1", "10:00:00"), Pipe("END", "1", "10:01:00"),
                            Pipe("BEGIN", "5", "08:00:00"), Pipe("BEGIN", "5", "10:00:00", "Other"),
                            Pipe("END", "5", "10:05:00"), Pipe("BEGIN", "6", "10:00:00"),
                            Pipe("BEGIN", "7", "08:00:00"), Pipe("END", "8", "08:05:00")},
                  .AllDates = true},
        SplitCase{.Name = "EndLinesThatDoNotConvert",
                  .Lines = {Pipe("BEGIN", "5", "10:00:00"), Pipe("END", "5", "10:01:00"),
                            Pipe("END", "x", "10:02:00"), Pipe("BEGIN", "6", "10:00:00"),
                            Pipe("BEGIN", "6", "11:00:00"), Pipe("END", "6", "late"),
                            Pipe("BEGIN", "7", "10:00:00"), Pipe("END", "7", "10:01:00")},
                  .Stops = true},
        SplitCase{.Name = "BeginLineThatDoesNotConvert",
                  .Lines = {"chatter", Pipe("END", "4", "09:00:00"), Pipe("BEGIN", "5", "10:00:00"),
                            Pipe("END", "5", "10:01:00"), Pipe("BEGIN", "y", "10:00:00"),
                            Pipe("BEGIN", "6", "10:00:00"), Pipe("END", "6", "10:01:00")},
                  .Stops = true},
        SplitCase{.Name = "TariffThatDoesNotConvert",
                  .Lines = {Pipe("BEGIN", "5", "10:00:00"), Pipe("END", "5", "10:01:00"),
                            Pipe("BEGIN", "5", "11:00:00"), Pipe("END", "5", "11:01:00"),
                            Pipe("BEGIN", "5", "19:00:00"), Pipe("END", "5", "19:01:00"),
                            Pipe("BEGIN", "6", "10:00:00"), Pipe("END", "6", "10:01:00")},
                  .TariffFails = true,
                  .Stops = true},
        SplitCase{.Name = "FreeTimeAcrossBillingMonths",
                  .Lines =
                      [] {
                          std::vector<std::string> lines;
                          for (const std::string month : {"3", "4", "5"})
                              for (const std::string day : {"10", "14", "16", "20"}) {
                                  const bool linked = month == "3" && day == "14";
                                  lines.push_back(PipeLine("BEGIN", month, day, "2001", "10:00:00",
                                                           "", linked ? "My ISP" : "svc"));
                                  lines.push_back(PipeLine("END", month, day, "2001", "10:40:00"));
                              }
                          return lines;
                      }(),
                  .FreeTime = true}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.Name); });

} // namespace

} // namespace dialtally
