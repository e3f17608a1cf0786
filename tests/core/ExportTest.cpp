#include "reports/ExportWriters.h"

#include "TestSupport.h"
#include "base/RegionalSettings.h"
#include "reports/ReportEngine.h"
#include "reports/SheetCells.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/resource.h>

namespace dialtally {

namespace {

// A report of three calls with awkward descriptions, every total on.
struct Report {
    ReportOutput Output;
    TCfg Cfg;

    explicit Report(bool costColumn = true)
    {
        for (std::string* flag :
             {&Cfg.DetailDateOn, &Cfg.DetailTimeOn, &Cfg.DetailDateOff, &Cfg.DetailTimeOff,
              &Cfg.DetailDuration, &Cfg.DetailCost, &Cfg.DetailService, &Cfg.DetailShow,
              &Cfg.TotalDay, &Cfg.TotalTotal, &Cfg.TotalShow})
            *flag = "1";
        if (!costColumn)
            Cfg.DetailCost = "0";
        Cfg.ReportDescription = "Calls";
        TRep rep;
        const std::vector<std::string> services{"Net; \"Fast\" & <cheap>", "März, Berlin", "plain"};
        for (int k = 0; k < 3; ++k) {
            const int i = AddConnection(rep);
            rep.DateTimeOn[i] = EncodeDate(2001, 3, 5 + k / 2) + EncodeTime(9 + k, 0, 0, 0);
            rep.DateTimeOff[i] = rep.DateTimeOn[i] + EncodeTime(0, 30, 0, 0);
            rep.Duration[i] = 1800;
            rep.Cost[i] = 2100;
            rep.Service[i] = services[k];
        }
        NoDisplay display;
        ReportEngine(Output, display).BuildReport(Cfg, rep, {});
    }

    ExportSource Source() const
    {
        ExportSource source;
        source.Table = &Output.Table;
        source.Visible = Output.Columns.Visible;
        return source;
    }
};

ReportTable OneRowTable(const std::vector<std::string>& cells, RowKind kind = RowKind::Detail)
{
    ReportTable table;
    table.StartRow(RowKind::Head);
    for (int c = 0; c < ReportTextColumns; ++c)
        table.AddCell("H" + std::to_string(c));
    table.StartRow(kind);
    for (int c = 0; c < ReportTextColumns; ++c)
        table.AddCell(c < static_cast<int>(cells.size()) ? cells[c] : "x");
    return table;
}

ExportSource FirstColumnOnly(const ReportTable& table)
{
    ExportSource source;
    source.Table = &table;
    source.Visible.fill(false);
    source.Visible[0] = true;
    return source;
}

bool PythonHas(const char* module)
{
    const std::string command =
        std::string("/usr/bin/python3 -c 'import ") + module + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace

TEST(CsvExport, WholeReportInEnUs)
{
    const Report report(false);
    EXPECT_EQ(CsvText(report.Source(), ','),
              "Date On,Time On,Date Off,Time Off,Duration,Description\r\n"
              "3/5/2001,9:00:00 AM,3/5/2001,9:30:00 AM,0:30:00,\"Net; \"\"Fast\"\" & <cheap>\"\r\n"
              "3/5/2001,10:00:00 AM,3/5/2001,10:30:00 AM,0:30:00,\"März, Berlin\"\r\n"
              " ,2, , ,1:00:00,3/5/2001\r\n"
              "3/6/2001,11:00:00 AM,3/6/2001,11:30:00 AM,0:30:00,plain\r\n"
              " ,1, , ,0:30:00,3/6/2001\r\n"
              "2,3, , ,1:30:00,Total\r\n");
}

TEST(CsvExport, GermanListSeparatorQuotesSemicolons)
{
    ScopedRegional german("de-DE");
    const Report report;
    const std::string csv = CsvText(report.Source(), Regional().ListSeparator);
    EXPECT_NE(csv.find("05.03.2001;09:00:00;05.03.2001;09:30:00;0:30:00;0,21 €;"
                       "\"Net; \"\"Fast\"\" & <cheap>\"\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find(";März, Berlin\r\n"), std::string::npos) << csv;
}

struct CsvCase {
    const char* Cell;
    char Delimiter;
    const char* Written;
};

void PrintTo(const CsvCase& c, std::ostream* os)
{
    *os << c.Written;
}

class CsvQuoting : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvQuoting, CellIsWrittenSafely)
{
    const ReportTable table = OneRowTable({GetParam().Cell});
    EXPECT_EQ(CsvText(FirstColumnOnly(table), GetParam().Delimiter),
              std::string("H0\r\n") + GetParam().Written + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(CsvExport, CsvQuoting,
                         testing::Values(CsvCase{"", ',', "\"\""}, CsvCase{" ", ',', " "},
                                         CsvCase{"a,b", ',', "\"a,b\""}, CsvCase{"a,b", ';', "a,b"},
                                         CsvCase{"a;b", ';', "\"a;b\""},
                                         CsvCase{"say \"hi\"", ',', "\"say \"\"hi\"\"\""},
                                         CsvCase{"two\r\nlines", ',', "\"two\nlines\""},
                                         CsvCase{"lone\rcr", ',', "\"lone\rcr\""},
                                         CsvCase{"plain", ',', "plain"},
                                         CsvCase{"a,b", '\0', "\"a,b\""}));

TEST(CsvExport, ShownRowOrderAndNoSequenceColumn)
{
    const Report report;
    ExportSource source = report.Source();
    source.Visible.fill(true); // even a visible sequence column holds no report text
    source.RowOrder = {6, 1};
    const std::string csv = CsvText(source, ',');
    EXPECT_EQ(csv, "Date On,Time On,Date Off,Time Off,Duration,Cost,Description\r\n"
                   "2,3, , ,1:30:00,$0.63,Total\r\n"
                   "3/5/2001,9:00:00 AM,3/5/2001,9:30:00 AM,0:30:00,$0.21,"
                   "\"Net; \"\"Fast\"\" & <cheap>\"\r\n");
}

TEST(TextExport, ColumnsPaddedToTheirWidestText)
{
    ReportTable table = OneRowTable({"März", "a"});
    ExportSource source = FirstColumnOnly(table);
    source.Visible[1] = true;
    EXPECT_EQ(FormattedText(source), "H0   H1 \r\nMärz a  \r\n");
    source.RightAligned = true;
    EXPECT_EQ(FormattedText(source), "  H0 H1 \r\nMärz  a \r\n");
}

TEST(TextExport, WidthsAreTheColumnsAFixedPitchFontShows)
{
    const struct {
        const char* Text;
        std::size_t Columns;
    } cases[] = {
        {"\xE6\x97\xA5\xE6\x9C\xAC", 4}, // two wide characters
        {"Cafe\xCC\x81", 4},             // a combining accent
        {"\x80 5\xA3", 4},               // Windows-1252: euro, pound
        {"a\tb\r\nlonger", 6},           // the widest line counts
    };
    for (const auto& c : cases) {
        ReportTable table = OneRowTable({c.Text, "a"});
        ExportSource source = FirstColumnOnly(table);
        source.Visible[1] = true;
        // The head is padded to the widest text, which needs none.
        EXPECT_EQ(FormattedText(source),
                  "H0" + std::string(c.Columns - 2, ' ') + " H1 \r\n" + c.Text + " a  \r\n")
            << c.Text;
    }
}

TEST(HtmlExport, TableWithEscapedTextsAndTotalColours)
{
    const ReportTable table = OneRowTable({"a & <b> \"c\"", ""}, RowKind::Total);
    ExportSource source = FirstColumnOnly(table);
    source.Visible[1] = true;
    source.RightAligned = true;
    HtmlExportSettings settings;
    settings.SaveColor = true;
    settings.TotalBackground = 0xC0C0C0;
    settings.TotalFontColor = 0x0000FF;
    settings.TotalFont = {true, true, false};
    settings.HeaderBackground = 0xD4D0C8;
    EXPECT_EQ(HtmlText(source, settings),
              "<table border=\"1\" cellspacing=\"0\" width=\"100%\">\r\n"
              "<tr>\r\n"
              "<td nowrap align=\"right\" BGCOLOR=\"#D4D0C8\"><B>H0</B></td>\r\n"
              "<td nowrap align=\"right\" BGCOLOR=\"#D4D0C8\"><B>H1</B></td>\r\n"
              "</tr>\r\n"
              "<tr>\r\n"
              "<td nowrap align=\"right\" BGCOLOR=\"#C0C0C0\"><font color=\"#0000FF\"><B><I>"
              "a &amp; &lt;b&gt; &quot;c&quot;</I></B></font></td>\r\n"
              "<td nowrap BGCOLOR=\"#C0C0C0\"><font color=\"#0000FF\"><B><I><br></I></B></font>"
              "</td>\r\n"
              "</tr>\r\n"
              "</table><p>\r\n");
}

TEST(HtmlExport, DetailRowsCarryNoColoursAndFontsOnlyWhenAsked)
{
    const ReportTable table = OneRowTable({"d"});
    HtmlExportSettings settings;
    settings.SaveColor = true;
    settings.DetailFont.Underline = true;
    std::string html = HtmlText(FirstColumnOnly(table), settings);
    EXPECT_NE(html.find("<td nowrap><U>d</U></td>\r\n"), std::string::npos) << html;
    settings.SaveFonts = false;
    html = HtmlText(FirstColumnOnly(table), settings);
    EXPECT_NE(html.find("<td nowrap>d</td>\r\n"), std::string::npos) << html;
}

TEST(HtmlExport, HeaderFooterAndTagsAsTheyAre)
{
    TempFolder folder;
    folder.Write("head.htm", "<html>\n<body bgcolor=\"white\">\r\n");
    const ReportTable table = OneRowTable({"d"});
    HtmlExportSettings settings;
    settings.HeaderFile = folder.File("head.htm");
    settings.FooterFile = folder.File("missing.htm");
    settings.PrefixTag = "<h1>Calls & more</h1>";
    settings.SuffixTag = "</body></html>";
    settings.TableStyle = "class=\"report\"";
    settings.BorderSize = 2;
    settings.CellSpacing = 3;
    settings.Width = 80;
    const std::string html = HtmlText(FirstColumnOnly(table), settings);
    EXPECT_TRUE(html.starts_with("<html>\r\n<body bgcolor=\"white\">\r\n<h1>Calls & more</h1>\r\n"
                                 "<table border=\"2\" cellspacing=\"3\" width=\"80%\" "
                                 "class=\"report\">\r\n"))
        << html;
    EXPECT_TRUE(html.ends_with("</table><p>\r\n</body></html>\r\n")) << html;
}

TEST(ExportFiles, TypesKeepTheirPlaces)
{
    const auto& types = ExportTypes();
    EXPECT_STREQ(types[0].Caption, "Comma Separated Values");
    EXPECT_STREQ(types[2].Extension, ".htm");
    EXPECT_STREQ(types[3].Caption, "Microsoft Excel");
    EXPECT_STREQ(types[3].Extension, ".xlsx");
    EXPECT_STREQ(types[4].Caption, "Microsoft Word");
    EXPECT_STREQ(types[4].Extension, ".docx");
}

TEST(ExportFiles, WritesTheFileOrRaisesTheWriteError)
{
    TempFolder folder;
    const Report report;
    WriteExportFile(folder.File("r.csv"), ExportCsv, report.Source(), ExportSettings{});
    EXPECT_EQ(folder.Read("r.csv"), CsvText(report.Source(), ','));
    const std::string bad = folder.File("no/such/folder/r.csv");
    try {
        WriteExportFile(bad, ExportText, report.Source(), ExportSettings{});
        ADD_FAILURE() << "no error";
    } catch (const ExportError& error) {
        EXPECT_EQ(std::string(error.what()), "An error occurred writing " + bad + ".");
    }
    EXPECT_THROW(ExportBytes(5, report.Source(), ExportSettings{}), ExportError);
    // The workbook is made in the temporary folder, which may be missing.
    const char* const temp = std::getenv("TMPDIR");
    const std::string oldTemp = temp ? temp : "";
    ::setenv("TMPDIR", bad.c_str(), 1);
    EXPECT_THROW(ExportBytes(ExportXlsx, report.Source(), ExportSettings{}), ExportError);
    // A folder where no file can be made, not even by root, is named.
    ::setenv("TMPDIR", "/proc", 1);
    try {
        ExportBytes(ExportXlsx, report.Source(), ExportSettings{});
        ADD_FAILURE() << "no error";
    } catch (const ExportError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create a temporary file for the export in /proc.");
    }
    ::setenv("TMPDIR", "", 1);
    EXPECT_NO_THROW(ExportBytes(ExportXlsx, report.Source(), ExportSettings{}));
    if (temp)
        ::setenv("TMPDIR", oldTemp.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

// Reads the workbook or document back with an independent reader and
// compares every cell with the CSV export of the same report.
class OfficeExport : public testing::TestWithParam<int> {};

TEST_P(OfficeExport, ReadsBackAsTheCsv)
{
    const int format = GetParam();
    if (!PythonHas(format == ExportXlsx ? "openpyxl" : "docx"))
        GTEST_SKIP() << "python module for the reader missing";
    TempFolder folder;
    Report report;
    ExportSource source = report.Source();
    source.RightAligned = true;
    const std::string name = format == ExportXlsx ? "r.xlsx" : "r.docx";
    WriteExportFile(folder.File(name), format, source, ExportSettings{});
    folder.Write("r.csv", CsvText(source, ','));
    folder.Write("check.py", R"(import csv, sys, datetime
path, csvpath = sys.argv[1], sys.argv[2]
with open(csvpath, newline='', encoding='utf-8') as f:
    expected = [row for row in csv.reader(f)]
def shown(c):
    # What a spreadsheet in en-US shows for the cell.
    v, f = c.value, c.number_format
    if v is None:
        return ''
    if isinstance(v, str):
        return v
    if isinstance(v, datetime.timedelta):
        s = int(v.total_seconds())
        return '%d:%02d:%02d' % (s // 3600, s // 60 % 60, s % 60)
    if isinstance(v, datetime.datetime) and 'AM/PM' in f:
        return v.strftime('%I:%M:%S %p').lstrip('0')
    if isinstance(v, datetime.datetime):
        return ('%s ' % v.strftime('%a') if 'ddd' in f else '') + '%d/%d/%d' % (v.month, v.day, v.year)
    if isinstance(v, datetime.time):
        return v.strftime('%I:%M:%S %p').lstrip('0')
    if '$' in f:
        return '$%.2f' % v
    return str(v)
if path.endswith('.xlsx'):
    import openpyxl
    sheet = openpyxl.load_workbook(path).active
    got = [[shown(c) for c in row] for row in sheet.iter_rows()]
    # Dates, times, durations and amounts of the detail row are numbers.
    kinds = [c.data_type for c in list(sheet.iter_rows())[1]]
    if kinds != ['d', 'd', 'd', 'd', 'd', 'n', 's']:
        print('cell types', kinds)
        sys.exit(1)
    aligned = all(c.alignment.horizontal == 'right' for row in sheet.iter_rows() for c in row if c.value)
else:
    import docx
    from docx.enum.text import WD_ALIGN_PARAGRAPH
    table = docx.Document(path).tables[0]
    got = [[cell.text for cell in row.cells] for row in table.rows]
    aligned = all(p.alignment == WD_ALIGN_PARAGRAPH.RIGHT for row in table.rows for cell in row.cells for p in cell.paragraphs)
if got != expected:
    print('differs', got, expected)
    sys.exit(1)
if not aligned:
    print('not right-aligned')
    sys.exit(1)
)");
    const std::string command = "/usr/bin/python3 " + folder.File("check.py") + " " +
                                folder.File(name) + " " + folder.File("r.csv");
    EXPECT_EQ(std::system(command.c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(ExportFiles, OfficeExport, testing::Values(ExportXlsx, ExportDocx),
                         [](const auto& info) {
                             return info.param == ExportXlsx ? "xlsx" : "docx";
                         });

// A workbook cell is a number only when its format shows the grid's text
// again; anything else stays the text.
TEST(ExportFiles, SheetCellsAreNumbersThatShowAsTheGridDoes)
{
    struct Case {
        const char* Preset;
        const char* Text;
        bool Number;
        double Value;
        const char* Format;
    };
    const double day = 86'400;
    const Case cases[] = {
        {"en-US", "12", true, 12, ""},
        {"en-US", "012", false, 0, ""},
        {"en-US", "1:00:03", true, 3603 / day, "[h]:mm:ss"},
        {"en-US", "125:00:00", true, 450'000 / day, "[h]:mm:ss"},
        {"en-US", "1:0:03", false, 0, ""},
        {"en-US", "1.500", true, 1.5, "0.000"},
        {"en-US", "$14.81", true, 14.81, "\"$\"0.00"},
        {"en-US", "-$1.00", true, -1, "\"$\"0.00"},
        {"en-US", "$14.8", false, 0, ""},
        {"en-US", "8:05:00 PM", true, (20 * 3600 + 300) / day, "[$-409]h:mm:ss AM/PM"},
        {"en-US", "12/5/2025", true, 45'996, "[$-409]m\"/\"d\"/\"yyyy"},
        {"en-US", "Fri 12/5/2025", true, 45'996, "[$-409]ddd m\"/\"d\"/\"yyyy"},
        {"en-US", "Sat 12/5/2025", false, 0, ""},
        {"en-US", "12/05/2025", false, 0, ""},
        {"en-US", "2/28/1900", false, 0, ""},
        {"en-US", "December 2025", false, 0, ""},
        {"en-US", "Sample ISP 2", false, 0, ""},
        {"en-GB", "\u00a314.81", true, 14.81, "\"\u00a3\"0.00"},
        {"en-GB", "05/12/2025", true, 45'996, "[$-809]dd\"/\"mm\"/\"yyyy"},
        {"en-GB", "08:05:00", true, (8 * 3600 + 300) / day, "[$-809]hh:mm:ss"},
        {"de-DE", "1,500", true, 1.5, "0.000"},
        {"de-DE", "14,81 \u20ac", true, 14.81, "0.00\" \u20ac\""},
        {"de-DE", "$14.81", false, 0, ""},
        {"de-DE", "Fr 05.12.2025", true, 45'996, "[$-407]ddd dd\".\"mm\".\"yyyy"},
        {"sv-SE", "14,81 kr", true, 14.81, "0.00\" kr\""},
        {"sv-SE", "2025-12-05", true, 45'996, "[$-41D]yyyy\"-\"mm\"-\"dd"},
    };
    const RegionalSettings previous = Regional();
    for (const Case& c : cases) {
        SetRegional(*FindRegionalPreset(c.Preset));
        const SheetCell cell = SheetCellFor(c.Text);
        EXPECT_EQ(cell.IsNumber, c.Number) << c.Preset << " " << c.Text;
        if (cell.IsNumber && c.Number) {
            EXPECT_DOUBLE_EQ(cell.Number, c.Value) << c.Preset << " " << c.Text;
            EXPECT_EQ(cell.NumberFormat, c.Format) << c.Preset << " " << c.Text;
        }
    }
    SetRegional(previous);
}

// A workbook or document of a million rows takes seconds: the status bar's
// progress moves to its end, and goes.
TEST_P(OfficeExport, ProgressMovesToTheEndAndGoes)
{
    RecordingFrontEnd ui;
    TempFolder folder;
    Report report;
    WriteExportFile(folder.File("r"), GetParam(), report.Source(), ExportSettings{});
    ASSERT_GE(ui.Progress.size(), 3U);
    EXPECT_EQ(ui.Progress.front().first, 0);
    const auto [position, max] = ui.Progress[ui.Progress.size() - 2];
    EXPECT_EQ(position, max);
    EXPECT_EQ(ui.Progress.back(), (std::pair<int, int>{0, 0}));
}

// Descriptions as logs hold them reach the workbook and the document as
// text their readers open and read back: Latin-1 bytes of old Windows logs
// converted from Windows-1252 (the CSV and text exports keep the bytes),
// and what XML or the workbook's escapes cannot carry left out or escaped.
TEST_P(OfficeExport, DescriptionsAreReadBackAsTheLogHasThem)
{
    const int format = GetParam();
    if (!PythonHas(format == ExportXlsx ? "openpyxl" : "docx"))
        GTEST_SKIP() << "python module for the reader missing";
    struct Case {
        std::string Log;
        const char* Workbook; // as the file holds it: controls escaped
        const char* Document;
    };
    const Case cases[] = {
        {"Caf\xe9 M\xfcnchen \x80", "Caf\u00e9 M\u00fcnchen \u20ac",
         "Caf\u00e9 M\u00fcnchen \u20ac"},
        {std::string("nul\0byte", 8), "nulbyte", "nulbyte"},
        {"a\xef\xbf\xbe"
         "b\xef\xbf\xbf"
         "c",
         "abc", "abc"},
        {"c\x01_x0041_ _X00e9_ _x12_", "c_x0001__x005F_x0041_ _X00e9_ _x12_",
         "c_x0041_ _X00e9_ _x12_"},
    };
    TempFolder folder;
    folder.Write("check.py", R"(import sys, zipfile, xml.etree.ElementTree as tree
path, expected = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(path) as archive:
    for part in archive.namelist():
        if part.endswith('.xml') or part.endswith('.rels'):
            tree.fromstring(archive.read(part))
if path.endswith('.xlsx'):
    import openpyxl
    text = openpyxl.load_workbook(path).active['A2'].value
else:
    import docx
    text = docx.Document(path).tables[0].rows[1].cells[0].text
if text != expected:
    print(repr(text), '!=', repr(expected))
    sys.exit(1)
)");
    for (const Case& c : cases) {
        const ReportTable table = OneRowTable({c.Log});
        const ExportSource source = FirstColumnOnly(table);
        EXPECT_NE(CsvText(source, ',').find(c.Log), std::string::npos);
        EXPECT_NE(FormattedText(source).find(c.Log), std::string::npos);
        const std::string name = format == ExportXlsx ? "r.xlsx" : "r.docx";
        WriteExportFile(folder.File(name), format, source, ExportSettings{});
        const std::string command = "/usr/bin/python3 " + folder.File("check.py") + " " +
                                    folder.File(name) + " '" +
                                    (format == ExportXlsx ? c.Workbook : c.Document) + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << c.Workbook;
    }
}

// The document part of 60,000 rows is some 60 MB of XML; the export makes
// it as the archive is written instead of holding it whole.
TEST(ExportFiles, TheDocumentPartIsNeverHeldWhole)
{
#if defined(__SANITIZE_ADDRESS__)
    constexpr long AllowedGrowthKiB = 512 * 1024; // freed blocks are kept a while
#else
    constexpr long AllowedGrowthKiB = 32 * 1024;
#endif
    ReportTable table;
    table.StartRow(RowKind::Head);
    for (int c = 0; c < ReportTextColumns; ++c)
        table.AddCell("Head " + std::to_string(c));
    for (int row = 1; row <= 60'000; ++row) {
        table.StartRow(RowKind::Detail);
        for (int c = 0; c < ReportTextColumns; ++c)
            table.AddCell(std::to_string(row * 7 + c));
    }
    ExportSource source;
    source.Table = &table;
    source.Visible.fill(true);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    const std::string bytes = DocxBytes(source);
    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss - before, AllowedGrowthKiB) << "KiB more than before the export";
    EXPECT_GT(bytes.size(), 100'000u);
}

} // namespace dialtally
