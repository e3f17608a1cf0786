#pragma once

#include <array>
#include <string>

namespace dialtally {

// The report files used last, newest first; empty strings where none.
struct RecentFiles {
    static constexpr int Size = 8;
    std::array<std::string, Size> Entries;
};

// Moves the path to the top, dropping an older copy of it or, when it was
// absent, the eighth entry. An empty path changes nothing.
void AddRecentFile(RecentFiles& recent, const std::string& path);
// Hands the path to the desktop's list of recently used documents.
void AddToShellRecentDocs(const std::string& path);

} // namespace dialtally
