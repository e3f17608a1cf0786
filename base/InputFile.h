#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace dialtally {

// A file opened for reading the way every reader of the program's files
// opens one: never blocking in the open itself. A FIFO that has a writer
// (a log streamed on purpose) reads as a stream; one that has none, even
// after a short wait, does not open, rather than hanging the program until
// some writer comes. Only regular files and FIFOs open: not a folder, nor a
// device.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False when the file cannot be opened for reading; errno tells why.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // Up to `size` bytes; 0 at the end of the file, -1 on a read error.
    ssize_t Read(char* buffer, std::size_t size);
    // Up to `size` bytes from `offset` of a regular file, leaving where
    // Read goes on untouched, so that several readers can share the file.
    ssize_t ReadAt(char* buffer, std::size_t size, std::uint64_t offset) const;
    // Makes Read go on from the start of a regular file; false for a FIFO.
    bool Rewind();
    // A regular file, not a FIFO: it can be read at any offset.
    bool IsRegular() const { return m_regular; }
    // The size and the change time (seconds since the epoch) of the file
    // that is open, whatever its name points to by now.
    std::uint64_t Size() const;
    std::int64_t ModifiedSeconds() const;

private:
    int m_fd = -1;
    bool m_regular = false;
    std::string m_pending; // bytes taken while telling whether a FIFO has a writer
};

// The whole file into `contents`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

} // namespace dialtally
