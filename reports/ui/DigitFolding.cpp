#include "reports/ui/DigitFolding.h"

namespace dialtally {

std::string_view FoldDigits(std::string_view text, std::string& buffer)
{
    buffer.assign(text);
    for (char& c : buffer) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return text;
        if (c >= '1' && c <= '9')
            c = '0';
    }
    return buffer;
}

} // namespace dialtally
