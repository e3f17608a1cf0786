#include "reports/ui/PrintedFile.h"

#include "base/Messages.h"

#include <QPainter>
#include <QPrinter>

namespace dialtally {

PrintedFile::PrintedFile(QPrinter& printer) : m_printer(printer), m_target(printer.outputFileName())
{
}

PrintedFile::~PrintedFile()
{
    RestoreFileName();
}

void PrintedFile::ShowWriteError() const
{
    ShowError(m_target.isEmpty() ? std::string("The printer could not be started.")
                                 : WriteErrorText(m_target.toStdString()));
}

void PrintedFile::RestoreFileName()
{
    // The print dialog offers the name the user chose, not the temporary one.
    if (m_file && m_printer.printerState() != QPrinter::Active &&
        m_printer.outputFileName() != m_target)
        m_printer.setOutputFileName(m_target);
}

bool PrintedFile::Begin(QPainter& painter)
{
    if (!m_target.isEmpty()) {
        m_file.emplace(m_target.toStdString());
        const std::string written = m_file->FileToWrite();
        if (written.empty()) {
            ShowWriteError();
            return false;
        }
        m_printer.setOutputFileName(QString::fromStdString(written));
    }
    if (painter.begin(&m_printer))
        return true;
    RestoreFileName();
    ShowWriteError();
    return false;
}

bool PrintedFile::End(QPainter& painter)
{
    painter.end();
    RestoreFileName();
    if (!m_file || m_file->Commit())
        return true;
    ShowWriteError();
    return false;
}

void PrintedFile::Abandon(QPainter& painter)
{
    m_printer.abort();
    if (painter.isActive())
        painter.end();
    RestoreFileName();
    m_file.reset();
}

} // namespace dialtally
