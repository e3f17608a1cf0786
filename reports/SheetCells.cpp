#include "reports/SheetCells.h"

#include "base/ConversionError.h"
#include "base/Currency.h"
#include "base/DateFormat.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Numbers.h"
#include "base/PictureParts.h"
#include "base/RegionalSettings.h"
#include "reports/ReportFormats.h"

#include <algorithm>
#include <cstdint>

namespace dialtally {

namespace {

// Serial 61 is 1 March 1900 in both counts; the spreadsheet's earlier
// serials include a 29 February 1900 that never was.
constexpr double FirstSharedSerial = 61;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// Digits without a leading zero, few enough to stay exact in a double.
bool PlainWholeNumber(std::string_view text)
{
    return AllDigits(text) && text.size() <= 15 && (text.size() == 1 || text.front() != '0');
}

// Of digits that PlainWholeNumber or AllDigits passed.
double WholeNumber(std::string_view text)
{
    std::int64_t value = 0;
    ParseInteger(text, value);
    return static_cast<double>(value);
}

// The spreadsheet's language code, so that day and month names in a
// format come out in the report's language.
std::string LanguageTag()
{
    const std::string& name = Regional().Name;
    const char* code = name == "en-GB"   ? "809"
                       : name == "de-DE" ? "407"
                       : name == "sv-SE" ? "41D"
                                         : "409";
    return std::string("[$-") + code + "]";
}

// Literal text in a format code, quoted so that no character of it is read
// as a placeholder.
std::string Quoted(std::string_view text)
{
    return text.empty() ? std::string() : "\"" + std::string(text) + "\"";
}

// A date or time picture as a spreadsheet format code.
std::string FormatCodeOf(std::string_view picture)
{
    const RegionalSettings& rs = Regional();
    std::string code = LanguageTag();
    std::string literal;
    const auto put = [&](std::string_view part) {
        code += Quoted(literal);
        literal.clear();
        code += part;
    };
    for (const PicturePart& part : SplitPicture(picture)) {
        const std::size_t run = part.Run;
        if (part.Quoted) {
            literal += part.Text;
            continue;
        }
        switch (part.Letter) {
        case 'd':
        case 'm':
        case 's':
            put(std::string(std::min<std::size_t>(run, part.Letter == 'd' ? 4 : 2), part.Letter));
            break;
        case 'M':
            put(std::string(std::min<std::size_t>(run, 4), 'm'));
            break;
        case 'y':
            put(run >= 3 ? "yyyy" : "yy");
            break;
        case 'h':
        case 'H':
            put(run >= 2 ? "hh" : "h");
            break;
        case 't':
            if (run >= 2 && rs.AmDesignator == "AM" && rs.PmDesignator == "PM")
                put("AM/PM");
            else if (run < 2)
                literal += part.Text;
            break;
        case ':':
        case ' ':
            // Shown as they stand; ':' also keeps an "m" next to it minutes.
            put(part.Text);
            break;
        default:
            literal += part.Text;
            break;
        }
    }
    put("");
    return code;
}

std::string MoneyFormatCode()
{
    const RegionalSettings& rs = Regional();
    std::string number = "0";
    if (rs.CurrencyDecimals > 0)
        number +=
            "." + std::string(static_cast<std::size_t>(std::min(rs.CurrencyDecimals, 4)), '0');
    switch (rs.CurrencyPlacement) {
    case 0:
        return Quoted(rs.CurrencySymbol) + number;
    case 1:
        return number + Quoted(rs.CurrencySymbol);
    case 2:
        return Quoted(rs.CurrencySymbol + " ") + number;
    case 3:
        return number + Quoted(" " + rs.CurrencySymbol);
    default:
        return number;
    }
}

SheetCell Number(double value, std::string format)
{
    return {true, value, std::move(format)};
}

// Hours of any size, then two-digit minutes and seconds: the duration
// columns, and totals past 24 hours.
bool ReadDuration(std::string_view text, SheetCell& cell)
{
    const char separator = Regional().TimeSeparator;
    const std::size_t first = text.find(separator);
    if (first == std::string_view::npos || text.size() != first + 6 ||
        text[first + 3] != separator || !PlainWholeNumber(text.substr(0, first)) ||
        !AllDigits(text.substr(first + 1, 2)) || !AllDigits(text.substr(first + 4, 2)))
        return false;
    const double seconds = WholeNumber(text.substr(0, first)) * 3600 +
                           WholeNumber(text.substr(first + 1, 2)) * 60 +
                           WholeNumber(text.substr(first + 4, 2));
    if (DurationText(static_cast<std::int64_t>(seconds), false) != text)
        return false;
    cell = Number(seconds / 86'400, "[h]:mm:ss");
    return true;
}

// Thousandths of an hour, as the durations read with decimals.
bool ReadDecimalHours(std::string_view text, SheetCell& cell)
{
    const std::size_t separator = text.find(Regional().DecimalSeparator);
    if (separator == std::string_view::npos || !PlainWholeNumber(text.substr(0, separator)) ||
        text.size() != separator + 4 || !AllDigits(text.substr(separator + 1)))
        return false;
    cell = Number(WholeNumber(text.substr(0, separator)) +
                      WholeNumber(text.substr(separator + 1)) / 1000,
                  "0.000");
    return true;
}

bool ReadMoney(std::string_view text, SheetCell& cell)
{
    const std::string& symbol = Regional().CurrencySymbol;
    if (symbol.empty() || text.find(symbol) == std::string_view::npos)
        return false;
    try {
        const Currency value = TextToCurrency(DigitsOnly(text));
        const Currency shown = text.front() == '-' ? -value : value;
        if (FormatMoney(shown) != text)
            return false;
        cell = Number(CurrencyToDouble(shown), MoneyFormatCode());
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

bool ReadTimeOfDay(std::string_view text, SheetCell& cell)
{
    if (!IsDigit(text.front()) || text.find(Regional().TimeSeparator) == std::string_view::npos)
        return false;
    try {
        const TDateTime time = TextToTime(text);
        const std::string& picture = Regional().LongTimeFormat;
        if (FormatDateTime(picture, time) != text)
            return false;
        cell = Number(time, FormatCodeOf(picture));
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

// The short date, with the abbreviated day name in front or without.
bool ReadDate(std::string_view text, SheetCell& cell)
{
    const RegionalSettings& rs = Regional();
    const std::size_t blank = text.find(' ');
    const std::string_view date = blank == std::string_view::npos ? text : text.substr(blank + 1);
    if (date.empty() || !IsDigit(date.front()) ||
        std::count(date.begin(), date.end(), rs.DateSeparator) != 2)
        return false;
    const std::string picture = DetailDatePicture(blank != std::string_view::npos);
    try {
        const TDateTime value = TextToDate(date);
        if (value < FirstSharedSerial || FormatDateTime(picture, value) != text)
            return false;
        cell = Number(value, FormatCodeOf(picture));
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

} // namespace

SheetCell SheetCellFor(std::string_view text)
{
    SheetCell cell;
    if (text.empty())
        return cell;
    if (PlainWholeNumber(text))
        return Number(WholeNumber(text), "");
    if (!ReadDuration(text, cell) && !ReadDecimalHours(text, cell) && !ReadMoney(text, cell) &&
        !ReadTimeOfDay(text, cell))
        ReadDate(text, cell);
    return cell;
}

} // namespace dialtally
