#include "base/FileRange.h"

#include "base/Utf8Text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

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
    m_utf16 = Utf16::No;
    m_carry.clear();
    char mark[3];
    if (begin == 0 && m_left >= 2 && m_file && m_file->IsRegular()) {
        const ssize_t got = m_file->ReadAt(mark, 3, 0);
        const std::string_view head(mark, got > 0 ? static_cast<std::size_t>(got) : 0);
        std::size_t skip = 0;
        if (head == "\xEF\xBB\xBF") {
            skip = 3;
        } else if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) {
            m_utf16 = head[0] == '\xFF' ? Utf16::LittleEndian : Utf16::BigEndian;
            skip = 2;
        }
        m_at += skip;
        m_left -= skip;
    }
}

ssize_t FileRange::Read(char* buffer, std::size_t size)
{
    if (m_utf16 == Utf16::No)
        return ReadRaw(buffer, size);
    const bool bigEndian = m_utf16 == Utf16::BigEndian;
    // Two bytes of UTF-16 make at most three of UTF-8, a surrogate pair's
    // four make four; the carried bytes come on top.
    const std::size_t room = size >= 12 ? (size - 6) / 3 * 2 : 2;
    while (true) {
        std::string units = std::exchange(m_carry, {});
        const std::size_t carried = units.size();
        units.resize(carried + room);
        const ssize_t got = ReadRaw(units.data() + carried, room);
        if (got < 0)
            return got;
        units.resize(carried + static_cast<std::size_t>(got));
        std::size_t whole = units.size();
        if (got > 0) {
            // An odd byte or a high surrogate waits for the rest; at the end
            // either becomes U+FFFD.
            whole &= ~std::size_t{1};
            if (whole >= 2) {
                const auto high =
                    static_cast<unsigned char>(units[bigEndian ? whole - 2 : whole - 1]);
                if (high >= 0xD8 && high <= 0xDB)
                    whole -= 2;
            }
            m_carry.assign(units, whole, std::string::npos);
        }
        const std::string text = Utf8FromUtf16(std::string_view(units).substr(0, whole), bigEndian);
        if (text.empty() && got > 0)
            continue;
        std::memcpy(buffer, text.data(), std::min(text.size(), size));
        return static_cast<ssize_t>(std::min(text.size(), size));
    }
}

ssize_t FileRange::ReadRaw(char* buffer, std::size_t size)
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
