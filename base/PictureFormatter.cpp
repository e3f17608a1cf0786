#include "base/PictureFormatter.h"

#include "base/PictureParts.h"

#include <cmath>
#include <cstring>

namespace dialtally {

namespace {

constexpr std::int64_t MsPerDay = 86'400'000;
// The fraction of a day below which rounding to the millisecond stays in it.
constexpr double LastWholeMs = 1.0 - 1.0 / MsPerDay;
// Day number of 1899-12-30 counted from 0000-03-01, for the civil calendar.
constexpr std::int64_t EpochShift = 693'899;

// Collects a text in a local buffer; appending to the string piece by
// piece costs more than the formatting itself.
class Scratch {
public:
    explicit Scratch(std::string& out) : m_out(out) {}
    ~Scratch() { Flush(); }
    void Put(std::string_view text)
    {
        // Most pieces are a separator or two digits: no call for those.
        if (text.size() <= 2 && m_size + 2 <= sizeof m_buffer) {
            for (const char c : text)
                m_buffer[m_size++] = c;
            return;
        }
        if (m_size + text.size() > sizeof m_buffer) {
            Flush();
            if (text.size() > sizeof m_buffer) {
                m_out.append(text);
                return;
            }
        }
        std::memcpy(m_buffer + m_size, text.data(), text.size());
        m_size += text.size();
    }
    void Number(int value, int digits)
    {
        if (value >= 0 && value < 100 && digits <= 2 && m_size + 2 <= sizeof m_buffer) {
            if (value >= 10 || digits == 2)
                m_buffer[m_size++] = static_cast<char>('0' + value / 10);
            m_buffer[m_size++] = static_cast<char>('0' + value % 10);
            return;
        }
        char reversed[12];
        int n = 0;
        const bool negative = value < 0;
        unsigned v = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        do {
            reversed[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        char text[24];
        int length = 0;
        if (negative)
            text[length++] = '-';
        for (int pad = n; pad < digits; ++pad)
            text[length++] = '0';
        while (n > 0)
            text[length++] = reversed[--n];
        Put(std::string_view(text, static_cast<std::size_t>(length)));
    }
    void Flush()
    {
        m_out.append(m_buffer, m_size);
        m_size = 0;
    }

private:
    std::string& m_out;
    char m_buffer[96];
    std::size_t m_size = 0;
};

CivilDate CivilFromDayNumber(std::int64_t days)
{
    // Howard Hinnant's days-to-civil, shifted to the TDateTime epoch.
    const std::int64_t z = days + EpochShift;
    const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
    const auto doe = static_cast<unsigned>(z - era * 146'097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    CivilDate date;
    date.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.Year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (date.Month <= 2));
    return date;
}

} // namespace

PictureFormatter::PictureFormatter(std::string_view picture, const RegionalSettings& settings)
    : m_settings(&settings)
{
    const auto literal = [&](std::string_view text) {
        if (!m_tokens.empty() && m_tokens.back().Kind == Part::Literal)
            m_tokens.back().Text.append(text);
        else
            m_tokens.push_back({Part::Literal, 0, std::string(text)});
    };
    const auto add = [&](Part kind, int digits) { m_tokens.push_back({kind, digits, {}}); };
    for (const PicturePart& part : SplitPicture(picture)) {
        if (part.Quoted) {
            literal(part.Text);
            continue;
        }
        const std::size_t run = part.Run;
        const int digits = run >= 2 ? 2 : 1;
        switch (part.Letter) {
        case 'd':
            add(run <= 2 ? Part::Day : (run == 3 ? Part::DayShortName : Part::DayName), digits);
            break;
        case 'M':
            add(run <= 2 ? Part::Month : (run == 3 ? Part::MonthShortName : Part::MonthName),
                digits);
            break;
        case 'y':
            add(run <= 2 ? Part::Year2 : Part::Year4, run <= 2 ? 2 : 4);
            break;
        case 'h':
            add(Part::Hour12, digits);
            break;
        case 'H':
            add(Part::Hour24, digits);
            break;
        case 'm':
            add(Part::Minute, digits);
            break;
        case 's':
            add(Part::Second, digits);
            break;
        case 't':
            if (run >= 2)
                add(Part::AmPm, 0);
            else
                literal("t");
            break;
        default:
            literal(part.Text);
            break;
        }
    }
    for (const Token& token : m_tokens) {
        if (token.Kind >= Part::Hour12)
            m_dateOnly = false;
        else if (token.Kind != Part::Literal)
            m_hasDate = true;
    }
    m_trimTrailingBlank =
        picture.ends_with(" tt") && settings.AmDesignator.empty() && settings.PmDesignator.empty();
}

void PictureFormatter::Append(std::string& out, TDateTime value)
{
    // The same split into day and millisecond as DecodeDate and DecodeTime.
    const double whole = std::floor(value);
    // Only a value within a millisecond of midnight can round into the
    // next day: any other of the cached day takes its text as it stands.
    if (m_dateOnly && value - whole < LastWholeMs && m_cachedDays == m_cachedFloor &&
        static_cast<std::int64_t>(whole) == m_cachedFloor) {
        out += m_cached;
        return;
    }
    std::int64_t days = static_cast<std::int64_t>(whole);
    std::int64_t ms = std::llround((value - whole) * static_cast<double>(MsPerDay));
    if (ms >= MsPerDay) {
        ++days;
        ms -= MsPerDay;
    }
    // DayOfWeek counts from the unrounded day.
    const auto floorDays = static_cast<std::int64_t>(whole);
    const int weekday = static_cast<int>(((floorDays + 6) % 7 + 7) % 7);
    if (!m_dateOnly) {
        Emit(out, days, ms, weekday);
        return;
    }
    if (days != m_cachedDays || floorDays != m_cachedFloor) {
        m_cached.clear();
        Emit(m_cached, days, ms, weekday);
        m_cachedDays = days;
        m_cachedFloor = floorDays;
    }
    out += m_cached;
}

void PictureFormatter::Emit(std::string& out, std::int64_t days, std::int64_t ms, int weekday)
{
    const RegionalSettings& rs = *m_settings;
    const std::size_t start = out.size();
    {
        Scratch text(out);
        // A time picture needs no calendar date: a time cell of every row.
        const CivilDate date = m_hasDate ? CivilFromDayNumber(days) : CivilDate{};
        const int second = static_cast<int>(ms / 1000 % 60);
        const int minute = static_cast<int>(ms / 60'000 % 60);
        const int hour = static_cast<int>(ms / 3'600'000);
        for (const Token& token : m_tokens) {
            switch (token.Kind) {
            case Part::Literal:
                text.Put(token.Text);
                break;
            case Part::Day:
                text.Number(date.Day, token.Digits);
                break;
            case Part::DayShortName:
                text.Put(rs.ShortDayNames[weekday]);
                break;
            case Part::DayName:
                text.Put(rs.DayNames[weekday]);
                break;
            case Part::Month:
                text.Number(date.Month, token.Digits);
                break;
            case Part::MonthShortName:
                text.Put(rs.ShortMonthNames[date.Month - 1]);
                break;
            case Part::MonthName:
                text.Put(rs.MonthNames[date.Month - 1]);
                break;
            case Part::Year2:
                text.Number(date.Year % 100, 2);
                break;
            case Part::Year4:
                text.Number(date.Year, 4);
                break;
            case Part::Hour12:
                text.Number(hour % 12 == 0 ? 12 : hour % 12, token.Digits);
                break;
            case Part::Hour24:
                text.Number(hour, token.Digits);
                break;
            case Part::Minute:
                text.Number(minute, token.Digits);
                break;
            case Part::Second:
                text.Number(second, token.Digits);
                break;
            case Part::AmPm:
                text.Put(hour < 12 ? rs.AmDesignator : rs.PmDesignator);
                break;
            }
        }
    }
    if (m_trimTrailingBlank && out.size() > start && out.back() == ' ')
        out.pop_back();
}

} // namespace dialtally
