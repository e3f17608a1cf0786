#include "base/Numbers.h"

#include "base/ConversionError.h"
#include "base/RegionalSettings.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace dialtally {

bool SkipBlanksAndSign(std::string_view text, std::size_t& i)
{
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        return text[i++] == '-';
    return false;
}

bool ParseInteger(std::string_view text, std::int64_t& value)
{
    std::size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    if (i == text.size())
        return false;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
        if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1)
            return false;
    }
    if (!negative &&
        magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return false;
    value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool ParseInteger32(std::string_view text, int& value)
{
    std::int64_t wide = 0;
    if (!ParseInteger(text, wide) || wide < std::numeric_limits<int>::min() ||
        wide > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(wide);
    return true;
}

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!ParseInteger32(text, value))
        throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

double TextToFloat(std::string_view text)
{
    const auto fail = [&]() -> double {
        throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
    };
    std::size_t begin = 0, end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    // Rewrite into the "C" form that from_chars reads.
    std::string plain;
    bool digits = false, separator = false, exponent = false;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            plain += c;
        } else if (c == Regional().DecimalSeparator && !separator && !exponent) {
            separator = true;
            plain += '.';
        } else if ((c == '+' || c == '-') &&
                   (i == begin || (!plain.empty() && plain.back() == 'e'))) {
            if (c == '-')
                plain += c;
        } else if ((c == 'e' || c == 'E') && digits && !exponent) {
            exponent = true;
            plain += 'e';
        } else {
            return fail();
        }
    }
    if (!digits || plain.back() == 'e')
        return fail();
    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size() ||
        !std::isfinite(value))
        return fail();
    return value;
}

std::string FormatFixed(double value, int decimals)
{
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string out(buffer, result.ptr);
    for (char& c : out)
        if (c == '.')
            c = Regional().DecimalSeparator;
    return out;
}

std::string IntToStr(std::int64_t value)
{
    return std::to_string(value);
}

} // namespace dialtally
