#include "base/Currency.h"

#include "base/ConversionError.h"
#include "base/RegionalSettings.h"

#include <cmath>
#include <limits>

namespace dialtally {

Currency RoundToCurrency(double units)
{
    const double scaled = units * static_cast<double>(CurrencyScale);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        throw ConversionError("Floating point overflow");
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return static_cast<Currency>(std::nearbyint(scaled));
}

Currency TextToCurrency(std::string_view text)
{
    const auto fail = [&]() -> Currency {
        throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
    };
    std::size_t i = 0, end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Collect the digits exactly; the decimal point position is tracked apart.
    std::string digits;
    int decimals = 0;
    bool separator = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            if (separator)
                ++decimals;
        } else if (c == Regional().DecimalSeparator && !separator) {
            separator = true;
        } else {
            break;
        }
    }
    if (digits.empty())
        return fail();
    if (i < end) {
        if (text[i] != 'e' && text[i] != 'E')
            return fail();
        int exponent = 0;
        bool expNegative = false;
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            expNegative = text[i++] == '-';
        if (i == end)
            return fail();
        for (; i < end; ++i) {
            if (text[i] < '0' || text[i] > '9' || exponent > 100)
                return fail();
            exponent = exponent * 10 + (text[i] - '0');
        }
        decimals += expNegative ? exponent : -exponent;
    }
    // digits * 10^-decimals, scaled to ten-thousandths.
    const int shift = 4 - decimals;
    std::string whole = digits;
    std::string rest;
    if (shift >= 0) {
        whole.append(static_cast<std::size_t>(shift), '0');
    } else {
        const std::size_t cut = static_cast<std::size_t>(-shift);
        if (cut >= whole.size()) {
            rest = std::string(cut - whole.size(), '0') + whole;
            whole = "0";
        } else {
            rest = whole.substr(whole.size() - cut);
            whole.resize(whole.size() - cut);
        }
    }
    std::uint64_t value = 0;
    for (char c : whole) {
        if (value > (static_cast<std::uint64_t>(std::numeric_limits<Currency>::max()) - 9) / 10)
            return fail();
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (!rest.empty()) {
        const bool above = rest[0] > '5' ||
                           (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
        const bool tie = rest[0] == '5' && !above;
        if (above || (tie && value % 2 == 1))
            ++value;
    }
    const auto result = static_cast<Currency>(value);
    return negative ? -result : result;
}

double CurrencyToDouble(Currency value)
{
    return static_cast<double>(value) / static_cast<double>(CurrencyScale);
}

void AppendMoney(std::string& out, Currency value)
{
    const RegionalSettings& rs = Regional();
    const int decimals =
        rs.CurrencyDecimals < 0 ? 0 : (rs.CurrencyDecimals > 4 ? 4 : rs.CurrencyDecimals);
    std::uint64_t divisor = 1;
    for (int k = decimals; k < 4; ++k)
        divisor *= 10;
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    magnitude = (magnitude + divisor / 2) / divisor;
    // The digits, written backwards: the decimals, the separator, the units.
    char reversed[32];
    std::size_t n = 0;
    std::uint64_t rest = magnitude;
    for (int k = 0; k < decimals; ++k, rest /= 10)
        reversed[n++] = static_cast<char>('0' + rest % 10);
    if (decimals > 0)
        reversed[n++] = rs.DecimalSeparator;
    do {
        reversed[n++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    const auto number = [&] {
        for (std::size_t k = n; k > 0; --k)
            out += reversed[k - 1];
    };
    if (negative && magnitude != 0)
        out += '-';
    switch (rs.CurrencyPlacement) {
    case 0:
        out += rs.CurrencySymbol;
        number();
        break;
    case 1:
        number();
        out += rs.CurrencySymbol;
        break;
    case 2:
        out += rs.CurrencySymbol;
        out += ' ';
        number();
        break;
    case 3:
        number();
        out += ' ';
        out += rs.CurrencySymbol;
        break;
    default:
        number();
        break;
    }
}

std::string FormatMoney(Currency value)
{
    std::string text;
    AppendMoney(text, value);
    return text;
}

} // namespace dialtally
