#include "platform/RecentlyUsed.h"

#include "base/AtomicFile.h"
#include "base/InputFile.h"
#include "platform/XmlText.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace dialtally {

namespace {

const char* const EmptyList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
    ">\n"
    "</xbel>\n";

std::string UtcStamp()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

// The prefixes our entry uses must be declared on the root element.
void DeclareNamespace(std::string& list, const std::string& declaration)
{
    const std::size_t root = list.find("<xbel");
    const std::size_t rootEnd = list.find('>', root);
    const std::string attribute = declaration.substr(0, declaration.find('=') + 1);
    if (list.substr(root, rootEnd - root).find(attribute) == std::string::npos)
        list.insert(root + 5, "\n      " + declaration);
}

// Removes the bookmark element of that href; the rest stays as written.
void RemoveBookmark(std::string& list, const std::string& href)
{
    const std::string start = "<bookmark href=\"" + href + "\"";
    const std::size_t at = list.find(start);
    if (at == std::string::npos)
        return;
    const std::size_t end = list.find("</bookmark>", at);
    const std::size_t selfClosed = list.find("/>", at);
    const std::size_t open = list.find('>', at);
    std::size_t stop;
    if (selfClosed != std::string::npos && selfClosed + 1 == open)
        stop = selfClosed + 2;
    else if (end != std::string::npos)
        stop = end + 11;
    else
        return;
    std::size_t from = at;
    while (from > 0 && (list[from - 1] == ' ' || list[from - 1] == '\t'))
        --from;
    if (stop < list.size() && list[stop] == '\n')
        ++stop;
    list.erase(from, stop - from);
}

} // namespace

std::string RecentlyUsedPath()
{
    return XdgDataHome() + "recently-used.xbel";
}

std::string FileUri(const std::string& path)
{
    static const char* const hex = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~')
            uri += c;
        else {
            uri += '%';
            uri += hex[byte >> 4];
            uri += hex[byte & 15];
        }
    }
    return uri;
}

bool AddToRecentlyUsed(const std::string& path, const std::string& mimeType,
                       const std::string& application)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error || path.empty())
        return false;
    const std::string file = RecentlyUsedPath();
    std::string list = EmptyList;
    if (std::filesystem::exists(file, error) && !ReadWholeFile(file, list))
        return false;
    const std::size_t root = list.find("<xbel");
    const std::size_t rootEnd = root == std::string::npos ? root : list.find('>', root);
    if (rootEnd == std::string::npos || list.rfind("</xbel>") == std::string::npos)
        return false; // not a list we can add to without losing it
    DeclareNamespace(list,
                     "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"");
    DeclareNamespace(list, "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"");

    const std::string href = XmlEscaped(FileUri(absolute.lexically_normal().string()));
    RemoveBookmark(list, href);
    const std::string stamp = UtcStamp();
    const std::string app = XmlEscaped(application);
    std::string command;
    for (const char c : application)
        command += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string entry = "  <bookmark href=\"" + href + "\" added=\"" + stamp +
                              "\" modified=\"" + stamp + "\" visited=\"" + stamp +
                              "\">\n"
                              "    <info>\n"
                              "      <metadata owner=\"http://freedesktop.org\">\n"
                              "        <mime:mime-type type=\"" +
                              XmlEscaped(mimeType) +
                              "\"/>\n"
                              "        <bookmark:applications>\n"
                              "          <bookmark:application name=\"" +
                              app + "\" exec=\"&apos;" + XmlEscaped(command) +
                              " %u&apos;\" modified=\"" + stamp +
                              "\" count=\"1\"/>\n"
                              "        </bookmark:applications>\n"
                              "      </metadata>\n"
                              "    </info>\n"
                              "  </bookmark>\n";
    list.insert(list.rfind("</xbel>"), entry);
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), error);
    return WriteFileAtomically(file, list);
}

} // namespace dialtally
