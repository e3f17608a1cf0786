#include "base/RecentFiles.h"

#include "base/FrontEnd.h"

#include <algorithm>

namespace dialtally {

void AddRecentFile(RecentFiles& recent, const std::string& path)
{
    if (path.empty())
        return;
    int place = RecentFiles::Size + 1;
    for (int i = 1; i <= RecentFiles::Size; ++i)
        if (recent.Entries[static_cast<std::size_t>(i - 1)] == path) {
            place = i;
            break;
        }
    for (int j = std::min(place, RecentFiles::Size); j >= 2; --j)
        recent.Entries[static_cast<std::size_t>(j - 1)] =
            recent.Entries[static_cast<std::size_t>(j - 2)];
    recent.Entries[0] = path;
}

void AddToShellRecentDocs(const std::string& path)
{
    CurrentFrontEnd().AddToShellRecentDocs(path);
}

} // namespace dialtally
