#pragma once

#include "base/AtomicFile.h"

#include <QString>

#include <optional>

class QPainter;
class QPrinter;

namespace dialtally {

// A print job's painting on the program's printer. A print to a file goes
// to a temporary file beside it, put in place only when the job ends, as
// every file of the program is written: a failed or interrupted print
// leaves the earlier file whole, and nobody sees half a document.
class PrintedFile {
public:
    explicit PrintedFile(QPrinter& printer);
    // Without End, the temporary file goes and the earlier file stays.
    ~PrintedFile();
    PrintedFile(const PrintedFile&) = delete;
    PrintedFile& operator=(const PrintedFile&) = delete;

    // False, with the message shown, when the printer cannot be started.
    bool Begin(QPainter& painter);
    // Ends the painting and puts the file in place; false, with the
    // message shown, when that fails.
    bool End(QPainter& painter);
    // Stops the job: a printer of the system drops what it was sent, and
    // a file stays as it was before the job.
    void Abandon(QPainter& painter);

private:
    void ShowWriteError() const;
    void RestoreFileName();
    void RenewPdfEngine();

    QPrinter& m_printer;
    QString m_target; // empty for a printer of the system
    std::optional<AtomicFileWriter> m_file;
};

} // namespace dialtally
