#include "base/DateRoutines.h"

#include "base/Clock.h"
#include "base/ConversionError.h"
#include "base/DateFormat.h"
#include "base/Numbers.h"
#include "base/RegionalSettings.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace dialtally {

namespace {

constexpr int TwoDigitYearWindow = 70;

const std::array<const char*, 12> MonthAbbreviations = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

[[noreturn]] void InvalidDate(std::string_view text)
{
    throw ConversionError("'" + std::string(text) + "' is not a valid date");
}

[[noreturn]] void InvalidTime(std::string_view text)
{
    throw ConversionError("'" + std::string(text) + "' is not a valid time");
}

// First letter of the short date format that names a date part.
char DateOrder()
{
    for (char c : Regional().ShortDateFormat)
        if (c == 'd' || c == 'M' || c == 'y')
            return c;
    return 'M';
}

} // namespace

int ExpandTwoDigitYear(int year)
{
    if (year < 0 || year >= 100)
        return year;
    const int pivot = CurrentYear() - TwoDigitYearWindow;
    const int hundreds = pivot / 100 * 100;
    const int last = pivot % 100;
    return year < last ? hundreds + 100 + year : hundreds + year;
}

int InferYear(int month, int day, TDateTime reference)
{
    const int year = YearOf(reference);
    TDateTime date = 0;
    if (TryEncodeDate(year, month, day, date) && date <= DateOf(reference))
        return year;
    // 29 February is of a leap year, which may lie up to eight years back.
    for (int before = year - 1; before > year - 9; --before)
        if (TryEncodeDate(before, month, day, date))
            return before;
    return year - 1;
}

int MonthFromName(std::string_view text)
{
    const std::string_view head = text.substr(0, 3);
    for (std::size_t m = 0; m < MonthAbbreviations.size(); ++m)
        if (EqualsIgnoringCase(head, MonthAbbreviations[m]))
            return static_cast<int>(m) + 1;
    return 0;
}

int LogMonth(std::string_view text)
{
    int month = 0;
    if (ParseInteger32(text, month))
        return month;
    return MonthFromName(text);
}

TDateTime LogDate(int year, int month, int day)
{
    if (year < 100)
        year = ExpandTwoDigitYear(year);
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        throw ConversionError("'" + std::to_string(year) + "-" + std::to_string(month) + "-" +
                              std::to_string(day) + "' is not a valid date");
    return date;
}

TDateTime EndOfMonth(TDateTime date)
{
    const CivilDate d = DecodeDate(date);
    return EncodeDate(d.Year, d.Month, DaysInMonth(d.Year, d.Month));
}

std::string DateToDisplayText(TDateTime date)
{
    const RegionalSettings& rs = Regional();
    const std::string& format = rs.ShortDateFormat;
    const std::size_t first = format.find(rs.DateSeparator);
    const std::size_t second =
        first == std::string::npos ? std::string::npos : format.find(rs.DateSeparator, first + 1);
    const auto letterAt = [&](std::size_t pos) -> std::string {
        if (pos >= format.size())
            return {};
        return format[pos] == 'y' ? "yyyy" : std::string(1, format[pos]);
    };
    std::string picture;
    if (first == std::string::npos || second == std::string::npos) {
        picture = format; // no separators to pick letters around
    } else {
        picture = letterAt(first == 0 ? format.size() : first - 1) + rs.DateSeparator +
                  letterAt(first + 1) + rs.DateSeparator + letterAt(second + 1);
    }
    return FormatDateTime(picture, date, rs);
}

TDateTime TextToDate(std::string_view text)
{
    const RegionalSettings& rs = Regional();
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t cut = text.find(rs.DateSeparator, start);
        parts.push_back(text.substr(start, cut == std::string_view::npos ? cut : cut - start));
        if (cut == std::string_view::npos)
            break;
        start = cut + 1;
    }
    if (parts.size() < 2 || parts.size() > 3)
        InvalidDate(text);
    std::array<int, 3> numbers{};
    std::array<int, 3> digitCounts{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string_view part = parts[i];
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        if (!ParseInteger32(part, numbers[i]) || numbers[i] < 0)
            InvalidDate(text);
        const std::size_t digitsFrom = part.find_first_not_of(" +");
        digitCounts[i] = static_cast<int>(part.size() - digitsFrom);
    }
    const char order = DateOrder();
    int year = 0, month = 0, day = 0, yearDigits = 4;
    if (parts.size() == 2) {
        year = CurrentYear();
        if (order == 'd') {
            day = numbers[0];
            month = numbers[1];
        } else {
            month = numbers[0];
            day = numbers[1];
        }
    } else if (order == 'd') {
        day = numbers[0], month = numbers[1], year = numbers[2], yearDigits = digitCounts[2];
    } else if (order == 'y') {
        year = numbers[0], month = numbers[1], day = numbers[2], yearDigits = digitCounts[0];
    } else {
        month = numbers[0], day = numbers[1], year = numbers[2], yearDigits = digitCounts[2];
    }
    if (yearDigits <= 2)
        year = ExpandTwoDigitYear(year);
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        InvalidDate(text);
    return result;
}

TDateTime TextToTime(std::string_view text)
{
    const RegionalSettings& rs = Regional();
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    // 0 none, 1 AM, 2 PM; the regional strings first, then the letters.
    const auto readMarker = [&]() -> int {
        const std::string_view rest = text.substr(i);
        const std::pair<const std::string*, int> regional[] = {{&rs.AmDesignator, 1},
                                                               {&rs.PmDesignator, 2}};
        for (const auto& [designator, kind] : regional)
            if (!designator->empty() && rest.substr(0, designator->size()) == *designator) {
                i += designator->size();
                return kind;
            }
        if (EqualsIgnoringCase(rest.substr(0, 2), "AM")) {
            i += 2;
            return 1;
        }
        if (EqualsIgnoringCase(rest.substr(0, 2), "PM")) {
            i += 2;
            return 2;
        }
        return 0;
    };
    const auto readNumber = [&](int& value) -> bool {
        skipBlanks();
        const std::size_t from = i;
        std::int64_t n = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - from < 9)
            n = n * 10 + (text[i++] - '0');
        value = static_cast<int>(n);
        return i > from;
    };

    skipBlanks();
    int marker = readMarker();
    int parts[3] = {0, 0, 0};
    int count = 0;
    if (!readNumber(parts[count++]))
        InvalidTime(text);
    while (count < 3) {
        skipBlanks();
        if (i < text.size() && text[i] == rs.TimeSeparator) {
            ++i;
            if (!readNumber(parts[count++]))
                InvalidTime(text);
        } else {
            break;
        }
    }
    skipBlanks();
    if (marker == 0) {
        marker = readMarker();
        skipBlanks();
    }
    if (i != text.size())
        InvalidTime(text);
    int hour = parts[0];
    if (marker != 0) {
        if (hour < 1 || hour > 12)
            InvalidTime(text);
        hour = hour % 12 + (marker == 2 ? 12 : 0);
    }
    if (hour > 23 || parts[1] > 59 || parts[2] > 59)
        InvalidTime(text);
    return EncodeTime(hour, parts[1], parts[2], 0);
}

bool TryPlainTimeOfDay(std::string_view text, TDateTime& time)
{
    const RegionalSettings& rs = Regional();
    const char separator = rs.TimeSeparator;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    // A designator that begins with a digit would be read as one.
    for (const std::string* designator : {&rs.AmDesignator, &rs.PmDesignator})
        if (!designator->empty() && digit(designator->front()))
            return false;
    // TextToTime passes blanks over before looking for the separator.
    if (digit(separator) || separator == ' ' || text.empty() || !digit(text[0]))
        return false;
    std::size_t i = 1;
    int hour = text[0] - '0';
    if (i < text.size() && digit(text[i]))
        hour = hour * 10 + (text[i++] - '0');
    int parts[2] = {0, 0};
    for (int& part : parts) {
        if (i == text.size())
            break;
        if (i + 3 > text.size() || text[i] != separator || !digit(text[i + 1]) ||
            !digit(text[i + 2]))
            return false;
        part = (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
        i += 3;
    }
    if (i != text.size() || hour > 23 || parts[0] > 59 || parts[1] > 59)
        return false;
    time = EncodeTime(hour, parts[0], parts[1], 0);
    return true;
}

std::string TimeToText(TDateTime time)
{
    return FormatDateTime(Regional().LongTimeFormat, time);
}

int SpanSeconds(TDateTime span)
{
    if (!(span > 0))
        return 0;
    const double days = std::trunc(span);
    const std::int64_t ms = std::llround((span - days) * 86'400'000.0);
    const std::int64_t seconds = static_cast<std::int64_t>(days) * 86'400 + ms / 1000;
    return seconds > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                     : static_cast<int>(seconds);
}

int TimeTextToSeconds(std::string_view text)
{
    const std::size_t p = text.find(Regional().TimeSeparator);
    if (p == std::string_view::npos)
        throw ConversionError("'' is not a valid integer value");
    const int hours = StrToInt(text.substr(0, p));
    const int minutes = StrToInt(text.substr(p + 1, 2));
    const int seconds = text.size() > p + 3 ? StrToInt(text.substr(p + 4, 2)) : StrToInt("");
    return static_cast<int>(static_cast<std::int64_t>(hours) * 3600 + minutes * 60 + seconds);
}

std::string SecondsToDurationText(int n)
{
    const int h = n / 3600;
    const int m = n / 60 - h * 60;
    const int s = n % 3600 - m * 60;
    const char sep = Regional().TimeSeparator;
    const auto twoDigits = [](int v) {
        std::string t = std::to_string(v);
        return t.size() < 2 ? "0" + t : t;
    };
    return std::to_string(h) + sep + twoDigits(m) + sep + twoDigits(s);
}

} // namespace dialtally
