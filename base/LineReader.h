#pragma once

#include "base/ByteSource.h"
#include "base/InputFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// Reads a text file line by line in large blocks. A line ends at CR LF, LF
// or a lone CR; the line end is not part of the line. Lines have no length
// limit unless one is given.
class LineReader {
public:
    LineReader() = default;
    // Lines longer than `maxLength` bytes are handed over cut to their first
    // `maxLength` bytes; the rest of such a line is read in blocks and
    // dropped, so memory stays bounded by the limit, not by the line.
    explicit LineReader(std::size_t maxLength) : m_maxLength(maxLength) {}
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // False when the file cannot be opened for reading.
    bool Open(const std::string& path);
    // Reads from the source instead of a file; it must outlive the reading.
    void Open(ByteSource& source);
    void Close();
    // The next line, valid until the next call; false at the end of the
    // file or on a read error (Failed() tells which).
    bool ReadLine(std::string_view& line)
    {
        m_searched = 0;
        return TakeLine(line);
    }
    bool Failed() const { return m_failed; }

    // A text for ReadMarkedLine to look for, in any of the groups of
    // `groups` (bit g for group g). An empty text, or one holding a line
    // end, occurs in no line and is never looked for.
    void AddMarker(std::string_view text, std::uint32_t groups);
    // As ReadLine, but lines in which no marker of the chosen groups occurs
    // are passed over unread: each marker is searched in the blocks once,
    // not line by line. The line handed over holds one of them somewhere,
    // maybe past the length limit or across its end, so callers still test
    // it. The whole file is read all the same, so that Failed() tells of a
    // read error anywhere in it.
    bool ReadMarkedLine(std::string_view& line, std::uint32_t groups);
    // Whether a marker of `group` occurs in the line ReadMarkedLine handed
    // over last, as its search found out; nothing when the search did not
    // cover the whole line for that group, and after any other read.
    std::optional<bool> MarkerOccurs(std::uint32_t group) const;

private:
    struct Marker {
        std::string Text;
        std::uint32_t Groups = 0;
        std::size_t Rare = 0; // the byte of Text searched for first
        // The buffer position where Text occurs next when Found, else the
        // first position not yet searched.
        std::size_t Next = 0;
        bool Found = false;
    };

    void Restart();
    bool TakeLine(std::string_view& line);
    bool Fill();
    std::size_t FindLineEnd(std::size_t from);
    std::size_t NextOccurrence(Marker& marker);
    std::size_t LineStartBefore(std::size_t to) const;
    void ForgetMarkers();

    InputFile m_file;
    ByteSource* m_source = nullptr; // when set, the bytes come from here
    std::size_t m_maxLength = std::string::npos;
    std::string m_buffer;
    std::size_t m_start = 0; // first unread byte of m_buffer
    bool m_eof = false;
    bool m_failed = false;
    bool m_skipLeadingLf = false; // a CR ended the last line; an LF may follow
    // The first LF at or after the last search, npos for none in the
    // buffer; saves rescanning the buffer for every line of a CR-only file.
    std::size_t m_nextLf = 0;
    bool m_nextLfKnown = false;
    std::vector<Marker> m_markers;
    // The groups whose markers' state tells of the line handed over last,
    // which ends at m_lineEnd in the buffer.
    std::uint32_t m_searched = 0;
    std::size_t m_lineEnd = 0;
};

} // namespace dialtally
