#include "base/LineReader.h"

#include <algorithm>
#include <cstring>

namespace dialtally {

namespace {

constexpr std::size_t BlockSize = 1 << 16;

// How often a byte turns up in log lines, roughly, so that a marker is
// searched by its rarest byte: a capital letter rather than a blank.
int Commonness(unsigned char c)
{
    static constexpr std::string_view Letters = "etaoinshrdlcumwfgypbvkjxqz";
    if (c == ' ')
        return 100;
    if (c >= '0' && c <= '9')
        return 95;
    if (c == '.' || c == ':' || c == '-' || c == '/' || c == ',')
        return 90;
    if (c >= 'a' && c <= 'z')
        return 80 - static_cast<int>(Letters.find(static_cast<char>(c)));
    if (c >= 'A' && c <= 'Z')
        return 30;
    if (c >= 0x20 && c < 0x7f)
        return 20;
    return 10;
}

} // namespace

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
    ForgetMarkers();
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
    ForgetMarkers();
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

bool LineReader::TakeLine(std::string_view& line)
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
        if (m_buffer.size() - m_start > m_maxLength) {
            m_buffer.resize(m_start + m_maxLength);
            ForgetMarkers();
        }
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

void LineReader::AddMarker(std::string_view text, std::uint32_t groups)
{
    if (text.empty() || text.find_first_of("\r\n") != std::string_view::npos)
        return;
    Marker marker;
    marker.Text = std::string(text);
    marker.Groups = groups;
    for (std::size_t k = 1; k < text.size(); ++k)
        if (Commonness(static_cast<unsigned char>(text[k])) <
            Commonness(static_cast<unsigned char>(text[marker.Rare])))
            marker.Rare = k;
    m_markers.push_back(std::move(marker));
}

void LineReader::ForgetMarkers()
{
    m_searched = 0;
    for (Marker& marker : m_markers) {
        marker.Next = 0;
        marker.Found = false;
    }
}

// The first occurrence at or after m_start that lies wholly in the buffer,
// npos for none. What was found or ruled out before is not searched again.
std::size_t LineReader::NextOccurrence(Marker& marker)
{
    if (marker.Found && marker.Next >= m_start)
        return marker.Next;
    const char* data = m_buffer.data();
    const std::size_t size = m_buffer.size();
    const std::size_t length = marker.Text.size();
    const std::size_t from = std::max(m_start, marker.Next);
    marker.Found = false;
    marker.Next = size >= length ? std::max(from, size - length + 1) : from;
    if (size < length || from > size - length)
        return std::string::npos;
    const char rare = marker.Text[marker.Rare];
    const std::size_t last = size - length + marker.Rare; // the last place the rare byte can take
    for (std::size_t p = from + marker.Rare; p <= last; ++p) {
        const void* hit = std::memchr(data + p, rare, last - p + 1);
        if (hit == nullptr)
            break;
        p = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        const std::size_t start = p - marker.Rare;
        if (std::memcmp(data + start, marker.Text.data(), length) == 0) {
            marker.Found = true;
            marker.Next = start;
            return start;
        }
    }
    return std::string::npos;
}

// Just past the last line end between m_start and `to`; m_start if none.
std::size_t LineReader::LineStartBefore(std::size_t to) const
{
    const char* data = m_buffer.data();
    std::size_t from = m_start;
    for (const char end : {'\n', '\r'}) {
        const void* found = ::memrchr(data + from, end, to - from);
        if (found != nullptr)
            from = static_cast<std::size_t>(static_cast<const char*>(found) - data) + 1;
    }
    return from;
}

bool LineReader::ReadMarkedLine(std::string_view& line, std::uint32_t groups)
{
    while (true) {
        if (m_skipLeadingLf && m_start < m_buffer.size()) {
            if (m_buffer[m_start] == '\n')
                ++m_start;
            m_skipLeadingLf = false;
        }
        std::size_t hit = std::string::npos;
        for (Marker& marker : m_markers)
            if ((marker.Groups & groups) != 0)
                hit = std::min(hit, NextOccurrence(marker));
        if (hit != std::string::npos) {
            // No marker occurs before the line that holds this one.
            m_start = LineStartBefore(hit);
            m_searched = groups; // until a refill moves the buffer
            if (!TakeLine(line))
                return false;
            m_lineEnd = static_cast<std::size_t>(line.data() - m_buffer.data()) + line.size();
            return true;
        }
        // No marker in the whole lines of the buffer: pass them over.
        const std::size_t end = LineStartBefore(m_buffer.size());
        if (end > m_start) {
            m_start = end;
            // A CR last in the buffer may be the first half of a CR LF.
            m_skipLeadingLf = end == m_buffer.size() && m_buffer[end - 1] == '\r';
        }
        // An over-long line, or the end of the file: ReadLine knows how to
        // cut the one and hand over the last line without an end.
        if (m_buffer.size() - m_start > m_maxLength || !Fill())
            return ReadLine(line);
    }
}

// Every marker of a searched group stands at its first place at or after
// the line's start, or is known to be nowhere in the buffer.
std::optional<bool> LineReader::MarkerOccurs(std::uint32_t group) const
{
    if ((m_searched & group) != group)
        return std::nullopt;
    for (const Marker& marker : m_markers)
        if ((marker.Groups & group) != 0 && marker.Found &&
            marker.Next + marker.Text.size() <= m_lineEnd)
            return true;
    return false;
}

} // namespace dialtally
