#include "platform/XmlText.h"

#include "platform/Folders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

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
    std::string home;
    if (const char* value = std::getenv("HOME"); value && *value)
        home = value;
    else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        home = user->pw_dir;
    return WithTrailingSeparator(home) + ".local/share/";
}

} // namespace dialtally
