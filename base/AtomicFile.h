#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace dialtally {

// Past the file size limit the kernel kills the writer with SIGXFSZ unless
// the signal is ignored; ignored, the write fails with EFBIG and takes the
// error path. A handler someone else installed is left alone. Called by
// every writer, and at the start of a program, whose other writes (standard
// output, a library's temporary files) are then errors too.
void FileSizeLimitFailsWrites();

// Writes a file in pieces so that a failed or interrupted write leaves the
// old file whole. A regular file (or a new one) is written to a temporary
// file in its folder, flushed to disk and renamed over it on Commit; the
// temporary file is named TempFilePrefix, the target's name, "-" and six
// random characters, and stale ones of the same target (older than a
// minute, the user's own) left by a killed writer are removed first. A
// symbolic link is followed to the file it names, unless LinkTarget
// refuses it; a device, FIFO or socket is written to directly; a folder is
// a failure. A replaced file keeps its permissions, owner and group as far
// as the user may set them; a new one gets newFileMode less the umask.
class AtomicFileWriter {
public:
    static constexpr std::string_view TempFilePrefix = ".dialtally-";

    explicit AtomicFileWriter(const std::string& path, mode_t newFileMode = 0666);
    // Without Commit, the temporary file is removed and the target kept.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once anything failed; later calls then do nothing.
    bool Write(std::string_view data);
    // Puts the file in place. False on any failure, with the target as it
    // was (a device or FIFO may have taken part of the data).
    bool Commit();
    // The file for a writer that opens files by name (a printer) to write:
    // the temporary file, or the target when that is written directly;
    // empty once anything failed.
    std::string FileToWrite() const;

private:
    void Discard();

    std::string m_target; // the file written, after symbolic links
    std::string m_temp;   // empty when writing to the target directly
    int m_fd = -1;
    off_t m_written = 0;     // bytes written so far
    off_t m_writtenBack = 0; // of those, the ones the disk was asked to take
    bool m_closed = false;   // failed, committed or discarded: nothing more is written
};

// The whole contents in one piece, as AtomicFileWriter writes them. False
// on any failure, with nothing changed.
bool WriteFileAtomically(const std::string& path, std::string_view contents,
                         mode_t newFileMode = 0666);

// The file a path names once symbolic links are followed, whether or not
// it exists. None for a link the kernel's protected_symlinks rule would not
// follow either: one in a sticky folder everyone may write (/tmp) that
// belongs to neither the user nor the folder's owner, which another user
// may have laid there to point at the user's files, and none for a loop.
std::optional<std::string> LinkTarget(const std::string& path);

} // namespace dialtally
