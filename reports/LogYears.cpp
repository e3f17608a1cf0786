#include "reports/LogYears.h"

#include "base/DateRoutines.h"

#include <algorithm>

namespace dialtally {

namespace {

// How far a date may go back and still be of the same year: the lines of
// two programs may stand a little out of order around midnight. More would
// take a year's turn after a long gap (a summer's use, then the next
// summer's) for disorder.
constexpr int TurnDays = 1;
constexpr int DaysInYear = 366;

// The day of the year as in a leap year, so that 29 February has one.
int DateKey(int month, int day)
{
    static constexpr int DaysBefore[] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};
    return DaysBefore[month - 1] + day;
}

// The year of the date `key` against the latest date `latest` of the lines
// before it (0 before any): 1 when it begins a new year, -1 when it is the
// last day of the year before, standing a little out of order.
int YearStep(int& latest, int key)
{
    constexpr int LeapDay = 60;
    if (latest == 0) {
        latest = key; // a file's first line is of no year before
        return 0;
    }
    // From March back into February passes 29 February, which a common
    // year lacks.
    const int back = latest - key - (key < LeapDay && latest > LeapDay ? 1 : 0);
    if (back > TurnDays) {
        latest = key;
        return 1;
    }
    if (back < 0 && back + DaysInYear <= TurnDays)
        return -1;
    latest = std::max(latest, key);
    return 0;
}

} // namespace

LogYears::File& LogYears::Member(std::size_t member)
{
    if (member >= m_files.size())
        m_files.resize(member + 1);
    return m_files[member];
}

void LogYears::Learn(std::size_t member, int month, int day, TDateTime modified, bool begin)
{
    File& file = Member(member);
    file.Learnt = true;
    const int key = DateKey(month, day);
    file.Turns += YearStep(file.Latest, key) == 1 ? 1 : 0;
    ++file.Lines;
    // The years unseen lie after the connection a 29 February begins, not
    // inside it.
    if (file.LeapDayBegins && !begin)
        file.LeapDays.back().Line = file.Lines;
    file.LeapDayBegins = false;
    if (month == 2 && day == 29) {
        file.LeapDays.push_back({file.Lines, file.Turns});
        file.LeapDayBegins = begin;
    }
    if (file.Latest == key) {
        file.LatestMonth = month;
        file.LatestDay = day;
    }
    file.Modified = modified;
}

int LogYears::YearOf(std::size_t member, int month, int day, TDateTime modified)
{
    File& file = Member(member);
    if (!file.Learnt)
        return InferYear(month, day, modified);
    if (!file.Reading) {
        file.Reading = true;
        // From the latest date, not the last line's: a last line a day back
        // (31 December after 1 January) put the one before it after the
        // file's time.
        file.Year = InferYear(file.LatestMonth, file.LatestDay, file.Modified) - file.Turns;
        file.Latest = 0;
        // A 29 February that would fall in a common year tells of whole
        // years gone by unseen after it: it and the lines before it go back
        // to a leap year.
        int back = 0;
        for (auto day = file.LeapDays.rbegin(); day != file.LeapDays.rend(); ++day) {
            for (int year = file.Year + day->Turns - back; !IsLeapYear(year); --year)
                ++back;
            file.Back.push_back({day->Line, back});
        }
    }
    ++file.Line;
    while (!file.Back.empty() && file.Back.back().Line < file.Line)
        file.Back.pop_back();
    const int back = file.Back.empty() ? 0 : file.Back.back().Years;
    const int step = YearStep(file.Latest, DateKey(month, day));
    if (step == 1)
        ++file.Year;
    return (step == -1 ? file.Year - 1 : file.Year) - back;
}

} // namespace dialtally
