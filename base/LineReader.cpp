#include "base/LineReader.h"

#include <algorithm>
#include <cstring>

namespace dialtally {

namespace {
constexpr std::size_t BlockSize = 1 << 16;
}

LineReader::~LineReader()
{
    Close();
}

bool LineReader::Open(const std::string& path)
{
    Close();
    const bool opened = m_file.Open(path);
    Restart();
    return opened;
}

void LineReader::Open(ByteSource& source)
{
    Close();
    m_source = &source;
    Restart();
}

void LineReader::Restart()
{
    m_buffer.clear();
    m_start = 0;
    m_eof = false;
    m_failed = false;
    m_skipLeadingLf = false;
    m_nextLfKnown = false;
}

void LineReader::Close()
{
    m_file.Close();
    m_source = nullptr;
}

bool LineReader::Fill()
{
    if (m_eof || (!m_source && !m_file.IsOpen()))
        return false;
    m_nextLfKnown = false;
    m_buffer.erase(0, m_start);
    m_start = 0;
    const std::size_t old = m_buffer.size();
    m_buffer.resize(old + BlockSize);
    const ssize_t got = m_source ? m_source->Read(m_buffer.data() + old, BlockSize)
                                 : m_file.Read(m_buffer.data() + old, BlockSize);
    m_buffer.resize(old + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    // A short read is no end: a pipe hands over what its writer has written.
    if (got <= 0) {
        m_failed = got < 0;
        m_eof = true;
    }
    return got > 0;
}

// find_first_of would call memchr on the two-character set for every byte;
// two memchr scans per line are many times faster on large logs.
std::size_t LineReader::FindLineEnd(std::size_t from)
{
    const char* data = m_buffer.data();
    const std::size_t size = m_buffer.size();
    if (!m_nextLfKnown || (m_nextLf != std::string::npos && m_nextLf < from)) {
        const void* lf = from < size ? std::memchr(data + from, '\n', size - from) : nullptr;
        m_nextLf =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : std::string::npos;
        m_nextLfKnown = true;
    }
    const std::size_t limit = m_nextLf == std::string::npos ? size : m_nextLf;
    const void* cr = from < limit ? std::memchr(data + from, '\r', limit - from) : nullptr;
    return cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : m_nextLf;
}

bool LineReader::ReadLine(std::string_view& line)
{
    std::size_t scanFrom = m_start;
    while (true) {
        if (m_skipLeadingLf && m_start < m_buffer.size()) {
            if (m_buffer[m_start] == '\n')
                ++m_start;
            m_skipLeadingLf = false;
            scanFrom = m_start;
        }
        const std::size_t end = FindLineEnd(scanFrom);
        if (end != std::string::npos) {
            line = std::string_view(m_buffer).substr(m_start, std::min(end - m_start, m_maxLength));
            if (m_buffer[end] == '\r') {
                if (end + 1 < m_buffer.size()) {
                    m_start = end + (m_buffer[end + 1] == '\n' ? 2 : 1);
                } else {
                    m_start = end + 1;
                    m_skipLeadingLf = true;
                }
            } else {
                m_start = end + 1;
            }
            return true;
        }
        // The buffer holds no line end past scanFrom: what lies beyond the
        // limit belongs to an over-long line and is never looked at.
        if (m_buffer.size() - m_start > m_maxLength)
            m_buffer.resize(m_start + m_maxLength);
        const std::size_t scanned = m_buffer.size() - m_start;
        if (!Fill()) {
            if (m_failed || m_start >= m_buffer.size() || m_skipLeadingLf)
                return false;
            line = std::string_view(m_buffer).substr(m_start, m_maxLength);
            m_start = m_buffer.size();
            return true;
        }
        scanFrom = m_start + scanned;
    }
}

} // namespace dialtally
