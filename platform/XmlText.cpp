#include "platform/XmlText.h"

#include "platform/Folders.h"

#include <cstdlib>

namespace dialtally {

std::string XmlEscaped(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        case '\'':
            result += "&apos;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string XdgDataHome()
{
    // A relative value is invalid by the base directory rules and ignored.
    if (const char* value = std::getenv("XDG_DATA_HOME"); value && value[0] == '/')
        return WithTrailingSeparator(value);
    return HomeFolder() + ".local/share/";
}

} // namespace dialtally
