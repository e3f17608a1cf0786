#include "reports/ui/PrintedFile.h"

#include "base/Messages.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

namespace dialtally {

namespace {

bool EndsAsAPdf(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16 || !file.seek(file.size() - 16))
        return false;
    return file.read(16).contains("%%EOF");
}

} // namespace

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

void PrintedFile::RenewPdfEngine()
{
    // Qt's PDF engine keeps the failure of its stream, and every later
    // print wrote an empty file. A change of the PDF version makes a new
    // engine with the printer's settings.
    const QPagedPaintDevice::PdfVersion version = m_printer.pdfVersion();
    m_printer.setPdfVersion(version == QPagedPaintDevice::PdfVersion_1_4
                                ? QPagedPaintDevice::PdfVersion_1_6
                                : QPagedPaintDevice::PdfVersion_1_4);
    m_printer.setPdfVersion(version);
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
    const bool ended = painter.end();
    const std::string written = m_file ? m_file->FileToWrite() : std::string();
    RestoreFileName();
    if (!m_file)
        return true;
    // The PDF engine says nothing of a write that failed (a full disk, the
    // file size limit): only a file that ends as a PDF ends is put in place.
    if (ended && EndsAsAPdf(written) && m_file->Commit())
        return true;
    m_file.reset();
    RenewPdfEngine();
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
