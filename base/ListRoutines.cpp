#include "base/ListRoutines.h"

#include "base/Numbers.h"
#include "base/RegionalSettings.h"
#include "base/Utf8Text.h"

#include <cstdlib>

namespace dialtally {

int NthPos(std::string_view delimiter, std::string_view text, int n)
{
    if (delimiter.empty() || n < 1)
        return 0;
    if (delimiter.size() == 1) {
        // The common one-character delimiter, without a search call per round.
        const char d = delimiter[0];
        int found = 0;
        std::size_t last = 0;
        for (std::size_t i = 0; i < text.size() && found < n; ++i)
            if (text[i] == d) {
                ++found;
                last = i + 1;
            }
        return static_cast<int>(last);
    }
    int sum = 0;
    std::size_t restStart = 0;
    for (int round = 0; round < n; ++round) {
        const std::size_t found = text.find(delimiter, restStart);
        if (found == std::string_view::npos)
            break; // later rounds cannot find one either
        const int p = static_cast<int>(found - restStart) + 1;
        sum += p;
        restStart = found + 1;
    }
    return sum;
}

namespace {

bool AnyItemOccurs(std::string_view text, std::string_view list)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t cut = list.find(',', start);
        const std::string_view item =
            list.substr(start, cut == std::string_view::npos ? cut : cut - start);
        if (!item.empty() && text.find(item) != std::string_view::npos)
            return true;
        if (cut == std::string_view::npos)
            return false;
        start = cut + 1;
    }
}

} // namespace

bool MatchesLists(std::string_view text, std::string_view include, std::string_view exclude)
{
    // Typed criteria are UTF-8; a description of a log in a Windows code
    // page is tried as the grid shows it too, so that "bés" finds what the
    // grid shows as bés.
    std::string decoded;
    const auto occurs = [&](std::string_view list) {
        if (AnyItemOccurs(text, list))
            return true;
        if (IsAscii(list) || IsAscii(text))
            return false;
        if (decoded.empty())
            decoded = Utf8FromWindows1252Bytes(text);
        return decoded != text && AnyItemOccurs(decoded, list);
    };
    const bool included = include.empty() || occurs(include);
    if (!exclude.empty() && occurs(exclude))
        return false;
    return included;
}

std::string ExtractItem(std::string& list, char separator)
{
    const std::size_t cut = list.find(separator);
    std::string item;
    if (cut == std::string::npos) {
        item.swap(list);
    } else {
        item = list.substr(0, cut);
        list.erase(0, cut + 1);
    }
    return item;
}

int CountItems(std::string_view list, char separator)
{
    // Each ExtractItem removes one separator; a last item without a
    // separator after it counts once more.
    if (list.empty())
        return 0;
    int count = 0;
    for (char c : list)
        if (c == separator)
            ++count;
    return list.back() == separator ? count : count + 1;
}

std::string NthItem(std::string_view list, char separator, int n)
{
    if (n < 1)
        return {};
    std::size_t start = 0;
    for (int k = 1; k < n; ++k) {
        const std::size_t cut = list.find(separator, start);
        if (cut == std::string_view::npos)
            return {};
        start = cut + 1;
    }
    const std::size_t end = list.find(separator, start);
    return std::string(list.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string DigitsOnly(std::string_view text)
{
    const char decimal = Regional().DecimalSeparator;
    std::string out;
    for (char c : text)
        if ((c >= '0' && c <= '9') || c == decimal)
            out += c;
    return out;
}

std::string ToggleFlagText(std::string_view text)
{
    const std::int64_t a = StrToInt(text);
    return IntToStr(std::llabs(a - 1));
}

std::string CurrencyMask()
{
    const RegionalSettings& rs = Regional();
    std::string mask = "########0";
    if (rs.CurrencyDecimals > 0)
        mask += "." + std::string(static_cast<std::size_t>(rs.CurrencyDecimals), '0');
    switch (rs.CurrencyPlacement) {
    case 0:
        return rs.CurrencySymbol + mask;
    case 1:
        return mask + rs.CurrencySymbol;
    case 2:
        return rs.CurrencySymbol + " " + mask;
    case 3:
        return mask + " " + rs.CurrencySymbol;
    default:
        return mask;
    }
}

std::string FileTitle(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return std::string(name.substr(0, name.find('.')));
}

} // namespace dialtally
