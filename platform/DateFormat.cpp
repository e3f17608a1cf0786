#include "platform/DateFormat.h"

#include <cstdio>

namespace {

std::string Number(int value, int minDigits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", minDigits, value);
    return buffer;
}

} // namespace

std::string FormatDateTime(std::string_view picture, TDateTime value,
                           const RegionalSettings& settings)
{
    const CivilDate date = DecodeDate(value);
    const ClockTime time = DecodeTime(value);
    const int weekday = DayOfWeek(value) - 1;
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            const std::size_t close = picture.find('\'', i + 1);
            const std::size_t end = close == std::string_view::npos ? picture.size() : close;
            out.append(picture.substr(i + 1, end - i - 1));
            i = end == picture.size() ? end : end + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        switch (c) {
        case 'd':
            if (run == 1 || run == 2)
                out += Number(date.Day, static_cast<int>(run));
            else if (run == 3)
                out += settings.ShortDayNames[weekday];
            else
                out += settings.DayNames[weekday];
            break;
        case 'M':
            if (run <= 2)
                out += Number(date.Month, static_cast<int>(run));
            else if (run == 3)
                out += settings.ShortMonthNames[date.Month - 1];
            else
                out += settings.MonthNames[date.Month - 1];
            break;
        case 'y':
            out += run <= 2 ? Number(date.Year % 100, 2) : Number(date.Year, 4);
            break;
        case 'h': {
            const int hour12 = time.Hour % 12 == 0 ? 12 : time.Hour % 12;
            out += Number(hour12, run >= 2 ? 2 : 1);
            break;
        }
        case 'H':
            out += Number(time.Hour, run >= 2 ? 2 : 1);
            break;
        case 'm':
            out += Number(time.Minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            out += Number(time.Second, run >= 2 ? 2 : 1);
            break;
        case 't':
            if (run >= 2)
                out += time.Hour < 12 ? settings.AmDesignator : settings.PmDesignator;
            else
                out += c;
            break;
        default:
            out.append(run, c);
            break;
        }
        i += run;
    }
    // A picture ending in " tt" under a preset without designators would
    // leave a trailing blank; the presets' own texts have none.
    if (picture.ends_with(" tt") && settings.AmDesignator.empty() &&
        settings.PmDesignator.empty() && out.ends_with(' '))
        out.pop_back();
    return out;
}
