#include "logs/LogFileHead.h"

#include "base/FileRange.h"
#include "base/InputFile.h"
#include "logs/LogSource.h"

#include <algorithm>
#include <filesystem>
#include <memory>

namespace dialtally {

std::string_view LogRuler()
{
    static const std::string ruler = [] {
        std::string text;
        for (int ten = 1; ten <= 12; ++ten)
            text += "....'...." + std::to_string(ten % 10);
        return text;
    }();
    return ruler;
}

namespace {

// The first lines of a set, the journal or a compressed file.
LogFileHead ReadSourceHead(const std::string& source, int maxLines, std::size_t maxLineLength)
{
    LogFileHead head;
    LogSource reader(maxLineLength);
    if (!reader.Open(source)) {
        head.Found = head.Failed = reader.ErrorFound();
        return head;
    }
    head.Found = true;
    std::string_view line;
    while (static_cast<int>(head.Lines.size()) < maxLines && reader.ReadLine(line))
        head.Lines.emplace_back(line);
    head.Failed = reader.Failed();
    if (head.Lines.empty() && !head.Failed)
        head.Lines.emplace_back();
    return head;
}

} // namespace

LogFileHead ReadLogFileHead(const std::string& path, int maxLines, std::size_t maxLineLength)
{
    if (!path.empty() && !IsSingleFileSource(path))
        return ReadSourceHead(path, maxLines, maxLineLength);
    LogFileHead head;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return head;
    head.Found = true;
    auto file = std::make_shared<InputFile>();
    if (!file->Open(path)) {
        head.Failed = true;
        return head;
    }
    // As the reports read it: a byte-order mark is no text, and a log saved
    // as UTF-16 shows as its text.
    FileRange range;
    range.Open(file);
    // Reads a bounded head, not whole lines: a path typed at a large file
    // without line ends must not read it all.
    const std::size_t budget =
        static_cast<std::size_t>(std::max(maxLines, 1)) * (maxLineLength + 2);
    std::string data(budget, '\0');
    std::size_t filled = 0;
    while (filled < budget) {
        const ssize_t got = range.Read(data.data() + filled, budget - filled);
        if (got <= 0) {
            head.Failed = got < 0;
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    data.resize(filled);

    std::size_t start = 0;
    while (start < data.size() && static_cast<int>(head.Lines.size()) < maxLines) {
        std::size_t end = data.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = data.size();
        head.Lines.push_back(data.substr(start, std::min(end - start, maxLineLength)));
        start = end;
        if (start < data.size() && data[start++] == '\r' && start < data.size() &&
            data[start] == '\n')
            ++start;
    }
    if (head.Lines.empty() && !head.Failed)
        head.Lines.emplace_back();
    return head;
}

std::string LogFileHeadText(const LogFileHead& head)
{
    std::string text(LogRuler());
    for (const std::string& line : head.Lines)
        text += "\n" + line;
    return text;
}

} // namespace dialtally
