#pragma once

#include "base/ByteSource.h"
#include "base/InputFile.h"

#include <cstdint>
#include <string>

namespace dialtally {

// The bytes of a plain file from one offset up to another, or to its end,
// for a line reader that reads part of a file.
class FileRange : public ByteSource {
public:
    // False when the file cannot be opened or moved to `begin`.
    bool Open(const std::string& path, std::uint64_t begin, std::uint64_t end = UINT64_MAX);
    void Close() { m_file.Close(); }
    ssize_t Read(char* buffer, std::size_t size) override;

private:
    InputFile m_file;
    std::uint64_t m_left = 0; // bytes before the range ends
};

} // namespace dialtally
