#include "base/FileRange.h"

#include <algorithm>
#include <cerrno>
#include <string_view>

namespace dialtally {

void FileRange::Open(std::shared_ptr<InputFile> file, std::uint64_t begin, std::uint64_t end)
{
    m_file = std::move(file);
    m_at = begin;
    m_left = end > begin ? end - begin : 0;
    // A range reads to its end; a whole file at least to the size it had
    // when it was opened, and on as it grows.
    m_least = end != UINT64_MAX ? end : m_file && m_file->IsRegular() ? m_file->Size() : 0;
    // An editor's mark of UTF-8 is no part of the first line: before a
    // begin line it moved every fixed column, and the pass stopped there.
    char mark[3];
    if (begin == 0 && m_left >= 3 && m_file && m_file->IsRegular() &&
        m_file->ReadAt(mark, 3, 0) == 3 && std::string_view(mark, 3) == "\xEF\xBB\xBF") {
        m_at = 3;
        m_left -= 3;
    }
}

ssize_t FileRange::Read(char* buffer, std::size_t size)
{
    if (m_left == 0 || !m_file)
        return 0;
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, m_left));
    const ssize_t got =
        m_file->IsRegular() ? m_file->ReadAt(buffer, wanted, m_at) : m_file->Read(buffer, wanted);
    if (got > 0) {
        m_at += static_cast<std::uint64_t>(got);
        m_left -= static_cast<std::uint64_t>(got);
    } else if (got == 0 && m_file->IsRegular() && m_at < m_least) {
        // Cut short while it was read (logrotate's copytruncate): what is
        // missing is lost to this pass, which must not look whole.
        errno = EIO;
        return -1;
    }
    return got;
}

} // namespace dialtally
