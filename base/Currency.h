#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dialtally {

// Money as a 64-bit count of ten-thousandths of the money unit.
using Currency = std::int64_t;
constexpr Currency CurrencyScale = 10'000;

// Rounds a value counted in money units to ten-thousandths, ties to even;
// raises ConversionError when it does not fit.
Currency RoundToCurrency(double units);
// Reads a tariff text with the regional decimal separator (".07", "19,95"),
// rounding past the fourth decimal ties to even. Raises ConversionError.
Currency TextToCurrency(std::string_view text);
double CurrencyToDouble(Currency value);
// The amount as the money columns show it: rounded to the regional currency
// decimals half away from zero, no grouping, the symbol placed as
// CurrencyMask places it ("$0.21", "0,21 €").
std::string FormatMoney(Currency value);
// FormatMoney's text, appended to `out`.
void AppendMoney(std::string& out, Currency value);

} // namespace dialtally
