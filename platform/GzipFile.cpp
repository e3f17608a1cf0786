#include "platform/GzipFile.h"

#include <cerrno>
#include <vector>
#include <zlib.h>

namespace dialtally {

namespace {
constexpr std::size_t InputBlock = 1 << 16;
}

struct GzipFile::Stream {
    z_stream Z{};
    bool Ready = false;       // inflateInit2 succeeded
    bool Ended = false;       // the last member ended and the file has no more
    bool Failed = false;      // a corrupt stream or a read error
    bool FileEnd = false;     // the compressed file is read to its end
    bool InMember = false;    // a member has begun and not yet ended
    bool AfterMember = false; // a member ended; another may follow
    std::vector<unsigned char> Input = std::vector<unsigned char>(InputBlock);

    ~Stream()
    {
        if (Ready)
            inflateEnd(&Z);
    }
};

GzipFile::GzipFile() = default;
GzipFile::~GzipFile() = default;

bool GzipFile::Open(const std::string& path)
{
    auto file = std::make_shared<InputFile>();
    if (!file->Open(path)) {
        m_stream.reset();
        m_file.reset();
        return false;
    }
    return Open(std::move(file));
}

bool GzipFile::Open(std::shared_ptr<InputFile> file)
{
    m_stream.reset();
    m_file = std::move(file);
    auto stream = std::make_unique<Stream>();
    // 16 + 15: a gzip wrapper around the largest window.
    if (inflateInit2(&stream->Z, 16 + MAX_WBITS) != Z_OK) {
        m_file.reset();
        errno = ENOMEM;
        return false;
    }
    stream->Ready = true;
    m_stream = std::move(stream);
    return true;
}

ssize_t GzipFile::Read(char* buffer, std::size_t size)
{
    if (!m_stream)
        return -1;
    Stream& s = *m_stream;
    if (s.Failed)
        return -1;
    if (s.Ended || size == 0)
        return 0;
    s.Z.next_out = reinterpret_cast<Bytef*>(buffer);
    s.Z.avail_out = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    while (s.Z.avail_out > 0) {
        if (s.Z.avail_in == 0 && !s.FileEnd) {
            const ssize_t got =
                m_file->Read(reinterpret_cast<char*>(s.Input.data()), s.Input.size());
            if (got < 0) {
                s.Failed = true;
                break;
            }
            if (got == 0)
                s.FileEnd = true;
            s.Z.next_in = s.Input.data();
            s.Z.avail_in = static_cast<uInt>(got);
        }
        if (s.Z.avail_in == 0 && s.FileEnd) {
            // The file ended inside a member: it was cut off.
            if (s.InMember)
                s.Failed = true;
            else
                s.Ended = true;
            break;
        }
        if (s.AfterMember) {
            // Padding after the last member, as some writers leave, is no
            // member and no fault.
            if (s.Z.next_in[0] != 0x1f) {
                s.Ended = true;
                break;
            }
            s.AfterMember = false;
        }
        s.InMember = true;
        const int result = inflate(&s.Z, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            s.InMember = false;
            s.AfterMember = true;
            // Another member may follow (gzip files written by appending).
            if (inflateReset(&s.Z) != Z_OK) {
                s.Failed = true;
                break;
            }
            continue;
        }
        if (result != Z_OK && result != Z_BUF_ERROR) {
            s.Failed = true;
            break;
        }
    }
    const auto produced = static_cast<ssize_t>(
        static_cast<std::size_t>(reinterpret_cast<char*>(s.Z.next_out) - buffer));
    // What was decompressed before a fault is handed over first; the fault
    // is reported by the next call.
    if (produced > 0)
        return produced;
    return s.Failed ? -1 : 0;
}

} // namespace dialtally
