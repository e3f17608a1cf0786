#include "reports/GridPageLayout.h"

#include "base/DateFormat.h"
#include "base/DateRoutines.h"
#include "base/RegionalSettings.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace dialtally {

PagePlace PagePlaceOf(int position)
{
    if (position < 0 || position >= PagePlaceCount)
        return PagePlace::None;
    return static_cast<PagePlace>(position);
}

int PageTexts::LinesAtTop() const
{
    int lines = 0;
    for (int p = 1; p <= 3; ++p)
        lines = std::max(lines, static_cast<int>(At[p].size()));
    return lines;
}

int PageTexts::LinesAtBottom() const
{
    int lines = 0;
    for (int p = 4; p <= 6; ++p)
        lines = std::max(lines, static_cast<int>(At[p].size()));
    return lines;
}

std::array<double, 3> PageTextRooms(const std::array<double, 3>& widths, double available,
                                    double gap)
{
    enum { Left, Centre, Right };
    std::array<double, 3> rooms = widths;
    std::array<int, 3> widestFirst{Left, Centre, Right};
    std::stable_sort(widestFirst.begin(), widestFirst.end(),
                     [&widths](int a, int b) { return widths[a] > widths[b]; });
    for (const int place : widestFirst) {
        const double centre = rooms[Centre];
        const double beside = place == Left ? rooms[Right] : rooms[Left];
        double room = available;
        if (place == Centre) {
            const double side = std::max(rooms[Left], rooms[Right]);
            if (side > 0)
                room = available - 2 * (side + gap);
        } else if (centre > 0) {
            room = (available - centre) / 2 - gap;
        } else if (beside > 0) {
            room = available - beside - gap;
        }
        rooms[place] = std::min(rooms[place], std::max(0.0, room));
    }
    return rooms;
}

std::string PageNumberText(const PrintSettings& settings, int page, int pageCount)
{
    return settings.PagePrefix + std::to_string(page) + settings.PageNumSep +
           std::to_string(pageCount) + settings.PageSuffix;
}

namespace {

// A literal run for FormatDateTime, quoted when it holds a picture letter.
void AppendLiteral(std::string& out, std::string_view text)
{
    if (text.empty())
        return;
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '\'';
    });
    if (plain) {
        out += text;
        return;
    }
    out += '\'';
    for (const char c : text)
        if (c != '\'')
            out += c;
    out += '\'';
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view what)
{
    if (text.size() - at < what.size())
        return false;
    for (std::size_t i = 0; i < what.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != what[i])
            return false;
    return true;
}

} // namespace

std::string PrintDatePicture(std::string_view format)
{
    std::string out;
    bool afterHour = false;
    std::string lowered(format);
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool twelveHours =
        lowered.find("am/pm") != std::string::npos || lowered.find("ampm") != std::string::npos;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::size_t run = 1;
        while (i + run < format.size() &&
               std::tolower(static_cast<unsigned char>(format[i + run])) == lower)
            ++run;
        if (c == '\'' || c == '"') {
            const std::size_t end = format.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? format.size() : end;
            AppendLiteral(out, format.substr(i + 1, stop - i - 1));
            i = stop == format.size() ? stop : stop + 1;
            continue;
        }
        if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "ampm")) {
            out += "tt";
            i += StartsWithNoCase(format, i, "ampm") ? 4 : 5;
            continue;
        }
        switch (lower) {
        case 'd':
            out.append(std::min<std::size_t>(run, 4), 'd');
            break;
        case 'm':
            out.append(std::min<std::size_t>(run, afterHour ? 2 : 4), afterHour ? 'm' : 'M');
            afterHour = false;
            break;
        case 'n':
            out.append(std::min<std::size_t>(run, 2), 'm');
            break;
        case 'y':
            out += run <= 2 ? "yy" : "yyyy";
            break;
        case 'h':
            out.append(std::min<std::size_t>(run, 2), twelveHours ? 'h' : 'H');
            afterHour = true;
            break;
        case 's':
            out.append(std::min<std::size_t>(run, 2), 's');
            break;
        case '/':
            out.append(run, Regional().DateSeparator);
            break;
        case ':':
            out.append(run, Regional().TimeSeparator);
            break;
        default:
            AppendLiteral(out, format.substr(i, run));
            break;
        }
        i += run;
    }
    return out;
}

PageTexts PageTextsFor(const PrintSettings& settings, int page, int pageCount, TDateTime now)
{
    PageTexts texts;
    const auto put = [&texts](int position, std::string text) {
        const PagePlace place = PagePlaceOf(position);
        if (place != PagePlace::None)
            texts.At[static_cast<int>(place)].push_back(std::move(text));
    };
    put(settings.Title, settings.TitleText);
    put(settings.Date, FormatDateTime(PrintDatePicture(settings.DateFormat), now));
    put(settings.Time, TimeToText(now));
    put(settings.PageNr, PageNumberText(settings, page, pageCount));
    return texts;
}

BorderLines BordersFor(int borders)
{
    switch (borders) {
    case 1:
    case 8: // custom lines have no keys of their own; print them as single
        return {true, false, true, true};
    case 2:
        return {true, true, true, true};
    case 3:
        return {false, false, true, false};
    case 4:
        return {false, false, false, true};
    case 5:
        return {true, false, false, false};
    case 6:
        return {true, false, true, false};
    case 7:
        return {true, false, false, true};
    default:
        return {};
    }
}

double FitScale(int fitToPage, double tableWidth, double availableWidth)
{
    if (tableWidth <= 0 || availableWidth <= 0)
        return 1;
    const double fit = availableWidth / tableWidth;
    switch (fitToPage) {
    case 1:
        return std::max(1.0, fit);
    case 2:
        return std::min(1.0, fit);
    case 3:
        return fit;
    default:
        return 1;
    }
}

std::vector<double> PrintColumnWidths(const PrintSettings& settings,
                                      const std::vector<double>& textWidths,
                                      const std::vector<double>& screenWidths, double fixedWidth,
                                      double columnSpacing)
{
    std::vector<double> widths(textWidths.size());
    for (std::size_t c = 0; c < textWidths.size(); ++c) {
        double width = textWidths[c];
        if (settings.UseFixedWidth && fixedWidth > 0)
            width = fixedWidth;
        else if (settings.NoAutoSize && c < screenWidths.size())
            width = screenWidths[c];
        widths[c] = std::max(0.0, width) + std::max(0.0, columnSpacing);
    }
    return widths;
}

GridPagination PaginateGrid(const GridMetrics& metrics)
{
    GridPagination result;
    const double tableWidth =
        std::accumulate(metrics.ColumnWidths.begin(), metrics.ColumnWidths.end(), 0.0);
    result.Scale = FitScale(metrics.FitToPage, tableWidth, metrics.AvailableWidth);
    const double width = metrics.AvailableWidth / result.Scale;
    const double height = metrics.AvailableHeight / result.Scale;

    // Column runs across the page, each at least one column wide.
    std::vector<std::pair<int, int>> columnRuns;
    const int columns = static_cast<int>(metrics.ColumnWidths.size());
    for (int first = 0; first < columns;) {
        int end = first + 1;
        double used = metrics.ColumnWidths[static_cast<std::size_t>(first)];
        while (end < columns && used + metrics.ColumnWidths[static_cast<std::size_t>(end)] <= width)
            used += metrics.ColumnWidths[static_cast<std::size_t>(end++)];
        columnRuns.emplace_back(first, end);
        first = end;
    }
    if (columnRuns.empty())
        columnRuns.emplace_back(0, 0);

    // Row runs down the page; the first page always starts with the header.
    struct RowRun {
        int First, End;
        bool WithHeader;
    };
    std::vector<RowRun> rowRuns;
    const int rows = static_cast<int>(metrics.RowHeights.size());
    const double header = rows > 0 ? metrics.RowHeights[0] : 0;
    int first = 1;
    do {
        const bool withHeader = rows > 0 && (first == 1 || metrics.RepeatHeader);
        double used = withHeader ? header : 0;
        int end = first;
        while (end < rows &&
               (end == first || used + metrics.RowHeights[static_cast<std::size_t>(end)] <= height))
            used += metrics.RowHeights[static_cast<std::size_t>(end++)];
        rowRuns.push_back({first, end, withHeader});
        first = end;
    } while (first < rows);

    for (const auto& [firstColumn, endColumn] : columnRuns)
        for (const RowRun& run : rowRuns)
            result.Pages.push_back({run.First, run.End, firstColumn, endColumn, run.WithHeader});
    return result;
}

bool PageHasRoom(const GridMetrics& metrics)
{
    if (metrics.AvailableWidth <= 0 || metrics.AvailableHeight <= 0)
        return false;
    const double tableWidth =
        std::accumulate(metrics.ColumnWidths.begin(), metrics.ColumnWidths.end(), 0.0);
    const double scale = FitScale(metrics.FitToPage, tableWidth, metrics.AvailableWidth);
    double needed = 0;
    for (std::size_t row = 0; row < std::min<std::size_t>(2, metrics.RowHeights.size()); ++row)
        needed += metrics.RowHeights[row];
    return needed * scale <= metrics.AvailableHeight;
}

} // namespace dialtally
