#include "reports/ReportFormats.h"

#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/Numbers.h"
#include "base/RegionalSettings.h"

#include <climits>

namespace dialtally {

namespace {

void AppendTwoDigits(std::string& out, std::int64_t value)
{
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

} // namespace

void AppendDurationText(std::string& out, std::int64_t seconds, bool durationDec)
{
    if (durationDec) {
        // Thousandths of an hour are seconds * 5 / 18. Away from a tie the
        // rounding of the double cannot differ from the exact one, so only
        // ties and negative values need the printf path.
        const std::int64_t scaled = seconds * 5;
        if (seconds < 0 || seconds > INT64_MAX / 5 || scaled % 18 == 9) {
            out += FormatFixed(static_cast<double>(seconds) / 3600.0, 3);
            return;
        }
        std::int64_t thousandths = scaled / 18;
        if (scaled % 18 > 9)
            ++thousandths;
        out += std::to_string(thousandths / 1000);
        out += Regional().DecimalSeparator;
        const std::int64_t fraction = thousandths % 1000;
        out += static_cast<char>('0' + fraction / 100);
        AppendTwoDigits(out, fraction % 100);
        return;
    }
    if (seconds < 0 && seconds >= INT_MIN) {
        out += SecondsToDurationText(static_cast<int>(seconds));
        return;
    }
    const char separator = Regional().TimeSeparator;
    out += std::to_string(seconds / 3600);
    out += separator;
    AppendTwoDigits(out, seconds / 60 % 60);
    out += separator;
    AppendTwoDigits(out, seconds % 60);
}

std::string DurationText(std::int64_t seconds, bool durationDec)
{
    std::string out;
    AppendDurationText(out, seconds, durationDec);
    return out;
}

std::string DetailDatePicture(bool dayInclude)
{
    const std::string& shortDate = Regional().ShortDateFormat;
    return dayInclude ? "ddd " + shortDate : shortDate;
}

std::string MonthLabelPicture()
{
    const RegionalSettings& rs = Regional();
    const std::string separator = "'" + std::string(1, rs.DateSeparator) + "'";
    if (rs.ShortDateFormat.starts_with('y'))
        return "yyyy" + separator + "M";
    return "M" + separator + "yyyy";
}

TDateTime MonthLabelToDate(std::string_view label)
{
    const RegionalSettings& rs = Regional();
    const std::size_t cut = label.find(rs.DateSeparator);
    if (cut == std::string_view::npos)
        throw ConversionError("'" + std::string(label) + "' is not a valid date");
    const int first = StrToInt(label.substr(0, cut));
    const int second = StrToInt(label.substr(cut + 1));
    const bool yearFirst = rs.ShortDateFormat.starts_with('y');
    return EncodeDate(yearFirst ? first : second, yearFirst ? second : first, 1);
}

std::string StripDayName(std::string_view text)
{
    const std::size_t blank = text.find(' ');
    return std::string(blank == std::string_view::npos ? text : text.substr(blank + 1));
}

} // namespace dialtally
