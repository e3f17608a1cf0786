#pragma once

#include "base/ByteSource.h"
#include "base/InputFile.h"

#include <memory>
#include <string>

namespace dialtally {

// The text of a gzip file (a rotated log, "syslog.2.gz"), decompressed in
// blocks as it is read, so that a file of any size costs a fixed amount of
// memory. Members written one after another read as one text. A corrupt or
// cut-off file is a read error after the text that came before it.
class GzipFile : public ByteSource {
public:
    GzipFile();
    ~GzipFile() override;
    GzipFile(const GzipFile&) = delete;
    GzipFile& operator=(const GzipFile&) = delete;

    // False when the file cannot be opened (errno tells why).
    bool Open(const std::string& path);
    // Reads a file opened before, from its start.
    bool Open(std::shared_ptr<InputFile> file);
    ssize_t Read(char* buffer, std::size_t size) override;

private:
    struct Stream;
    std::shared_ptr<InputFile> m_file;
    std::unique_ptr<Stream> m_stream;
};

} // namespace dialtally
