#include "base/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dialtally {

namespace {

constexpr std::size_t RandomPart = 6; // the XXXXXX of mkstemp
constexpr time_t StaleSeconds = 60;
// How much is written before the disk is asked to start taking it.
constexpr off_t WritebackBytes = 8 << 20;

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string FolderPart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NamePart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The target's name as the temporary file carries it: short enough that
// prefix, name, "-" and the random part stay within the longest name the
// system takes, cut before a UTF-8 character rather than inside one.
std::string TempNamePart(const std::string& name)
{
    constexpr std::size_t Room =
        NAME_MAX - AtomicFileWriter::TempFilePrefix.size() - 1 - RandomPart;
    if (name.size() <= Room)
        return name;
    std::size_t cut = Room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut);
}

// Temporary files of this target that a killed writer left: the user's own
// regular files, untouched for a minute. A writer still at work touches
// its file with every block.
void RemoveStaleTempFiles(const std::string& folder, const std::string& prefix)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return;
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + RandomPart || !name.starts_with(prefix))
            continue;
        const std::string path = folder + std::string(name);
        struct stat status {};
        if (::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == ::geteuid() && now - status.st_mtime > StaleSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

bool MayFollowLink(const std::string& link, const struct stat& linkStatus)
{
    if (linkStatus.st_uid == ::geteuid())
        return true;
    const std::string folder = FolderPart(link);
    struct stat status {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &status) != 0)
        return false;
    const bool shared = (status.st_mode & S_ISVTX) != 0 && (status.st_mode & S_IWOTH) != 0;
    return !shared || linkStatus.st_uid == status.st_uid;
}

// Where a new file in the folder is to belong to someone else: root
// writing into a user's folder leaves the file the user's, or the user
// could neither change nor replace it.
void TakeFolderOwner(int fd, const std::string& folder)
{
    struct stat status {};
    if (::geteuid() == 0 && ::stat(folder.empty() ? "." : folder.c_str(), &status) == 0 &&
        status.st_uid != 0)
        (void)::fchown(fd, status.st_uid, status.st_gid);
}

} // namespace

void FileSizeLimitFailsWrites()
{
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

std::optional<std::string> LinkTarget(const std::string& path)
{
    std::string target = path;
    // As many links as the kernel follows before it gives up with ELOOP. A
    // loop names no file: replacing its last link by one would report a
    // write the shell's > refuses.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return target;
        if (!MayFollowLink(target, status))
            return std::nullopt;
        std::string next(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4096),
                         '\0');
        const ssize_t length = ::readlink(target.c_str(), next.data(), next.size());
        if (length <= 0)
            return std::nullopt;
        next.resize(static_cast<std::size_t>(length));
        target = next.front() == '/' ? next : FolderPart(target) + next;
    }
    return std::nullopt;
}

AtomicFileWriter::AtomicFileWriter(const std::string& path, mode_t newFileMode) : m_target(path)
{
    FileSizeLimitFailsWrites();
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // A write-protected file is not replaced behind its owner's back, as
    // the shell's > would not write it.
    if (exists &&
        (S_ISDIR(old.st_mode) || (S_ISREG(old.st_mode) && ::access(path.c_str(), W_OK) != 0))) {
        m_closed = true;
        return;
    }
    // Opened by the name as given: /dev/stdout into a pipe names no file
    // that following its links could reach.
    if (exists && !S_ISREG(old.st_mode)) {
        // Replacing a device or FIFO by a regular file would break whatever
        // reads it. O_NONBLOCK: a FIFO without a reader fails instead of
        // waiting for one.
        m_fd = ::open(m_target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        const int flags = m_fd < 0 ? -1 : ::fcntl(m_fd, F_GETFL);
        m_closed = flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) < 0;
        return;
    }
    const std::optional<std::string> target = LinkTarget(path);
    if (!target) {
        m_closed = true;
        return;
    }
    m_target = *target;
    const std::string folder = FolderPart(m_target);
    const std::string prefix = std::string(TempFilePrefix) + TempNamePart(NamePart(m_target)) + "-";
    RemoveStaleTempFiles(folder, prefix);
    m_temp = folder + prefix + std::string(RandomPart, 'X');
    m_fd = ::mkstemp(m_temp.data());
    if (m_fd < 0) {
        m_temp.clear();
        m_closed = true;
        return;
    }
    if (exists) {
        // Owner and group as they were, as far as the user may set them:
        // root any, others a group they belong to (a file shared with a
        // group stays readable by it). The mode after them, as chown may
        // clear set-id bits.
        struct stat made {};
        if (::geteuid() == 0 && (old.st_uid != 0 || old.st_gid != 0))
            (void)::fchown(m_fd, old.st_uid, old.st_gid);
        else if (::fstat(m_fd, &made) == 0 && made.st_gid != old.st_gid)
            (void)::fchown(m_fd, static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(m_fd, old.st_mode & 07777);
    } else {
        // A file kept narrower than usual (the copy of a private log) stays
        // root's: its folder's owner was not meant to read it.
        if (newFileMode == 0666)
            TakeFolderOwner(m_fd, folder);
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, newFileMode & 0666 & ~mask);
    }
}

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

void AtomicFileWriter::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
    m_closed = true;
}

bool AtomicFileWriter::Write(std::string_view data)
{
    if (m_closed)
        return false;
    if (!WriteAll(m_fd, data)) {
        Discard();
        return false;
    }
    m_written += static_cast<off_t>(data.size());
    // A large file goes to disk while the rest is being made, so that the
    // sync before the rename has only the tail left to wait for.
    if (!m_temp.empty() && m_written - m_writtenBack >= WritebackBytes) {
        ::sync_file_range(m_fd, m_writtenBack, m_written - m_writtenBack, SYNC_FILE_RANGE_WRITE);
        m_writtenBack = m_written;
    }
    return true;
}

bool AtomicFileWriter::Commit()
{
    if (m_closed)
        return false;
    if (m_temp.empty()) {
        const bool closed = ::close(m_fd) == 0;
        m_fd = -1;
        m_closed = true;
        return closed;
    }
    const bool synced = ::fdatasync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!synced || !closed || ::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        Discard();
        return false;
    }
    m_temp.clear();
    m_closed = true;
    return true;
}

std::string AtomicFileWriter::FileToWrite() const
{
    if (m_closed)
        return {};
    return m_temp.empty() ? m_target : m_temp;
}

bool WriteFileAtomically(const std::string& path, std::string_view contents, mode_t newFileMode)
{
    AtomicFileWriter writer(path, newFileMode);
    return writer.Write(contents) && writer.Commit();
}

} // namespace dialtally
