#include "base/FileRange.h"

#include <algorithm>

namespace dialtally {

bool FileRange::Open(const std::string& path, std::uint64_t begin, std::uint64_t end)
{
    m_left = end > begin ? end - begin : 0;
    return m_file.Open(path) && m_file.SeekTo(begin);
}

ssize_t FileRange::Read(char* buffer, std::size_t size)
{
    if (m_left == 0)
        return 0;
    const ssize_t got =
        m_file.Read(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(size, m_left)));
    if (got > 0)
        m_left -= static_cast<std::uint64_t>(got);
    return got;
}

} // namespace dialtally
