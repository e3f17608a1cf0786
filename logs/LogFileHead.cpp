#include "logs/LogFileHead.h"

#include "logs/LineReader.h"

#include <filesystem>

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

LogFileHead ReadLogFileHead(const std::string& path, int maxLines, std::size_t maxLineLength)
{
    LogFileHead head;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return head;
    head.Found = true;
    LineReader reader;
    if (!reader.Open(path)) {
        head.Failed = true;
        return head;
    }
    std::string_view line;
    while (static_cast<int>(head.Lines.size()) < maxLines && reader.ReadLine(line))
        head.Lines.emplace_back(line.substr(0, maxLineLength));
    if (reader.Failed())
        head.Failed = true;
    else if (head.Lines.empty())
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
