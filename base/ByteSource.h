#pragma once

#include <cstddef>
#include <sys/types.h>

namespace dialtally {

// Where a line reader takes its bytes from when they are not a plain file:
// a decompressed file, journal entries turned into text lines.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes; 0 at the end, -1 on a read error (a corrupt
    // stream included).
    virtual ssize_t Read(char* buffer, std::size_t size) = 0;
};

} // namespace dialtally
