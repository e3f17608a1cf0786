#pragma once

#include <QChar>
#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dialtally {

// Whether putting one digit for another never changes a text's width: every
// digit as wide as a zero, also beside any printable character, so that no
// kerning pair tells them apart. For screen and printer metrics alike.
template <typename Metrics> bool DigitsAlike(const Metrics& metrics)
{
    for (char digit = '1'; digit <= '9'; ++digit)
        for (char other = ' '; other <= '~'; ++other) {
            const auto width = [&](char first, char second) {
                const QChar pair[] = {QLatin1Char(first), QLatin1Char(second)};
                return metrics.horizontalAdvance(QString(pair, 2));
            };
            if (width(digit, other) != width('0', other) ||
                width(other, digit) != width(other, '0'))
                return false;
        }
    return true;
}

// The text with its digits as zeros, in `buffer`; a text that is not plain
// ASCII stays as it is, since kerning was tried on ASCII only.
std::string_view FoldDigits(std::string_view text, std::string& buffer);

// A map from texts that a string_view finds without a copy.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const
    {
        return std::hash<std::string_view>{}(text);
    }
};
template <typename Width>
using TextWidths = std::unordered_map<std::string, Width, TextHash, std::equal_to<>>;

} // namespace dialtally
