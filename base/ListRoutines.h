#pragma once

#include <string>
#include <string_view>

namespace dialtally {

// 1-based position of the n-th occurrence of the delimiter; matches may
// overlap; the last occurrence when there are fewer than n; 0 when there
// is none, the delimiter is empty or n < 1.
int NthPos(std::string_view delimiter, std::string_view text, int n);
// True when some item of the include list (split at ",", untrimmed) is a
// substring of the text, or the list is empty, and no item of the exclude
// list is. Empty items never match.
bool MatchesLists(std::string_view text, std::string_view include, std::string_view exclude);
// Cuts the first item off the list and returns it.
std::string ExtractItem(std::string& list, char separator);
int CountItems(std::string_view list, char separator);
// The text between the (n-1)-th and the n-th separator; empty past the end.
std::string NthItem(std::string_view list, char separator, int n);
// The text without characters that are neither digits nor the regional
// decimal separator.
std::string DigitsOnly(std::string_view text);
// "1" for "0" and "0" for "1": |a - 1| of the text read as an integer.
// Raises ConversionError.
std::string ToggleFlagText(std::string_view text);
// The number format of money amounts, "$########0.00" and the like.
std::string CurrencyMask();
// The file name without folder, cut before its first ".".
std::string FileTitle(std::string_view path);

} // namespace dialtally
