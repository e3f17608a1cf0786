#pragma once

#include "base/DateTime.h"
#include "base/RegionalSettings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// Formats date-times by a picture read once (see FormatDateTime), fast enough
// to format every cell of a large report. A picture without time parts
// keeps its last text and reuses it while the day stays the same.
class PictureFormatter {
public:
    explicit PictureFormatter(std::string_view picture,
                              const RegionalSettings& settings = Regional());

    void Append(std::string& out, TDateTime value);
    std::string Format(TDateTime value)
    {
        std::string out;
        Append(out, value);
        return out;
    }

private:
    enum class Part : std::uint8_t {
        Literal,
        Day,
        DayShortName,
        DayName,
        Month,
        MonthShortName,
        MonthName,
        Year2,
        Year4,
        Hour12,
        Hour24,
        Minute,
        Second,
        AmPm
    };
    struct Token {
        Part Kind;
        int Digits; // minimum digits of a number
        std::string Text;
    };

    void Emit(std::string& out, std::int64_t days, std::int64_t ms, int weekday);

    const RegionalSettings* m_settings;
    std::vector<Token> m_tokens;
    bool m_trimTrailingBlank = false;
    bool m_dateOnly = true;
    bool m_hasDate = false; // day, month, year or a day's name
    // The last text of a date-only picture and the day it was made for.
    std::int64_t m_cachedDays = INT64_MIN;
    std::int64_t m_cachedFloor = INT64_MIN;
    std::string m_cached;
};

} // namespace dialtally
