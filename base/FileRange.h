#pragma once

#include "base/ByteSource.h"
#include "base/InputFile.h"

#include <cstdint>
#include <memory>
#include <string>

namespace dialtally {

// The bytes of an open file from one offset up to another, or to its end,
// for a line reader that reads part of a file. A file that ends before the
// range, or before the size it had when it was opened, is a read error. Ranges share the file they
// were given, so that every part of a log read at once comes from the same
// file even when a rotation renames another into its place meanwhile.
class FileRange : public ByteSource {
public:
    // A file that is not regular (a FIFO) is read as it comes, whole.
    void Open(std::shared_ptr<InputFile> file, std::uint64_t begin = 0,
              std::uint64_t end = UINT64_MAX);
    void Close() { m_file.reset(); }
    ssize_t Read(char* buffer, std::size_t size) override;
    // A whole file that begins with a UTF-16 byte-order mark (Notepad's
    // "Unicode") is read as UTF-8; its bytes are then no line offsets.
    bool IsUtf16() const { return m_utf16 != Utf16::No; }

private:
    ssize_t ReadRaw(char* buffer, std::size_t size);

    enum class Utf16 { No, LittleEndian, BigEndian };
    Utf16 m_utf16 = Utf16::No;
    std::string m_carry; // a byte or a high surrogate the last read cut off
    std::shared_ptr<InputFile> m_file;
    std::uint64_t m_at = 0;
    std::uint64_t m_left = 0;  // bytes before the range ends
    std::uint64_t m_least = 0; // the offset the file must reach, or it was cut short
};

} // namespace dialtally
