#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dialtally {

// Moves i past leading blanks and a sign; true when the sign is a minus.
bool SkipBlanksAndSign(std::string_view text, std::size_t& i);
// Integer text: optional leading blanks, an optional sign, then decimal
// digits and nothing after them. False on anything else or on overflow.
bool ParseInteger(std::string_view text, std::int64_t& value);
bool ParseInteger32(std::string_view text, int& value);
// As ParseInteger32, raising ConversionError ("'x' is not a valid integer value").
int StrToInt(std::string_view text);
// A decimal number with the regional decimal separator: blanks around it,
// an optional sign, digits with at most one separator, an optional
// exponent. Raises ConversionError.
double TextToFloat(std::string_view text);
// "%.Nf" of the value with the regional decimal separator; independent of
// the C library's locale.
std::string FormatFixed(double value, int decimals);
std::string IntToStr(std::int64_t value);

} // namespace dialtally
