#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// The column ruler shown above a log's first lines: digits at columns
// 10, 20, ... 120, apostrophes at 5, 15, ... 115.
std::string_view LogRuler();

struct LogFileHead {
    bool Found = false;             // a regular file of that path exists
    bool Failed = false;            // it could not be opened or read to the end of the head
    std::vector<std::string> Lines; // at most maxLines; the first is always there when read
};

// The first lines of a log file for the formats dialog's view; of a set,
// the journal or a compressed file, the first lines as the reader sees them. Paths that
// name no regular file (nothing, a folder, a device) are not found, so
// typing a path never opens a folder or blocks on a device. Lines longer
// than maxLineLength are cut there, and no more than maxLines lines of that
// length are read: the view only has to show columns.
LogFileHead ReadLogFileHead(const std::string& path, int maxLines = 128,
                            std::size_t maxLineLength = 16384);
// The view's text: the ruler, then the lines, joined by "\n".
std::string LogFileHeadText(const LogFileHead& head);

} // namespace dialtally
