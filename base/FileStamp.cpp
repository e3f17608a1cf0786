#include "base/FileStamp.h"

namespace dialtally {

FileStamp StampOf(const struct stat& status)
{
    return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

FileStamp StampOf(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? StampOf(status) : FileStamp{};
}

} // namespace dialtally
