#include "base/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dialtally {

namespace {

// How long a FIFO without a writer is given to get one: long enough for a
// writer that is being started together with the reader.
constexpr int WriterWaitMs = 1000;

} // namespace

InputFile::~InputFile()
{
    Close();
}

void InputFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_regular = false;
    m_pending.clear();
}

bool InputFile::Open(const std::string& path)
{
    Close();
    // Without O_NONBLOCK, opening a FIFO waits for a writer for good.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    // A device never ends (/dev/zero) or waits for input (a modem's tty):
    // the log pass, or an archive of it, would never finish.
    if (!S_ISREG(status.st_mode) && !S_ISFIFO(status.st_mode)) {
        ::close(fd);
        errno = S_ISDIR(status.st_mode) ? EISDIR : ENODEV;
        return false;
    }
    if (S_ISFIFO(status.st_mode)) {
        // A read that finds the FIFO empty returns 0 when it has no writer
        // and EAGAIN when the writer has not written yet.
        char probe[4096];
        ssize_t got = ::read(fd, probe, sizeof probe);
        if (got == 0) {
            // poll() reports nothing until a writer has come.
            pollfd waiting{fd, POLLIN, 0};
            ::poll(&waiting, 1, WriterWaitMs);
            got = ::read(fd, probe, sizeof probe);
        }
        if (got == 0) {
            ::close(fd);
            errno = ENXIO;
            return false;
        }
        if (got > 0)
            m_pending.assign(probe, static_cast<std::size_t>(got));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    m_fd = fd;
    m_regular = S_ISREG(status.st_mode);
    return true;
}

ssize_t InputFile::ReadAt(char* buffer, std::size_t size, std::uint64_t offset) const
{
    while (true) {
        const ssize_t got = ::pread(m_fd, buffer, size, static_cast<off_t>(offset));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

bool InputFile::Rewind()
{
    return m_regular && ::lseek(m_fd, 0, SEEK_SET) == 0;
}

std::uint64_t InputFile::Size() const
{
    struct stat status {};
    return m_fd >= 0 && ::fstat(m_fd, &status) == 0 ? static_cast<std::uint64_t>(status.st_size)
                                                    : 0;
}

std::int64_t InputFile::ModifiedSeconds() const
{
    struct stat status {};
    return m_fd >= 0 && ::fstat(m_fd, &status) == 0 ? status.st_mtim.tv_sec : 0;
}

ssize_t InputFile::Read(char* buffer, std::size_t size)
{
    if (m_fd < 0) {
        errno = EBADF;
        return -1;
    }
    if (!m_pending.empty()) {
        const std::size_t n = std::min(size, m_pending.size());
        std::memcpy(buffer, m_pending.data(), n);
        m_pending.erase(0, n);
        return static_cast<ssize_t>(n);
    }
    while (true) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

bool ReadWholeFile(const std::string& path, std::string& contents)
{
    InputFile file;
    if (!file.Open(path))
        return false;
    std::string data;
    char block[1 << 16];
    while (true) {
        const ssize_t got = file.Read(block, sizeof block);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        data.append(block, static_cast<std::size_t>(got));
    }
    contents = std::move(data);
    return true;
}

} // namespace dialtally
