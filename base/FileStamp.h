#pragma once

#include <string>
#include <sys/stat.h>

namespace dialtally {

// What tells one state of a file's contents from another without reading
// them: which file the name points to, its size and its change time.
struct FileStamp {
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Modified{};

    bool operator==(const FileStamp& other) const
    {
        return Exists == other.Exists && Device == other.Device && Inode == other.Inode &&
               Size == other.Size && Modified.tv_sec == other.Modified.tv_sec &&
               Modified.tv_nsec == other.Modified.tv_nsec;
    }
};

FileStamp StampOf(const struct stat& status);
// The stamp of what `path` names now; Exists false when nothing can be stat'ed.
FileStamp StampOf(const std::string& path);

} // namespace dialtally
