#pragma once

#include <string>

namespace dialtally {

// The desktop's list of recently used documents, the freedesktop
// recently-used.xbel under $XDG_DATA_HOME.
std::string RecentlyUsedPath();

// Adds the file, or renews its entry, keeping every other entry. The file
// is replaced in one atomic step; a list that cannot be understood is left
// alone. False when nothing was recorded.
bool AddToRecentlyUsed(const std::string& path, const std::string& mimeType,
                       const std::string& application);

// The file:// URI of an absolute path, bytes outside the unreserved set
// percent-encoded.
std::string FileUri(const std::string& path);

} // namespace dialtally
