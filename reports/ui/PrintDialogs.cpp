#include "reports/ui/PrintDialogs.h"

#include "base/Messages.h"
#include "reports/ExportFileNames.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include <algorithm>

namespace dialtally {

namespace {

PageRangeAnswer pageRangeAnswer;
SaveFileAnswer saveFileAnswer;
PrintFileGuard printFileGuard;

// The filter line Qt shows and matches: the name without its own pattern
// and the pattern in brackets; "*.*" matches names without a dot too.
QString QtFilter(const std::string& name, const std::string& pattern)
{
    QString title = QString::fromStdString(name.substr(0, name.find(" (")));
    QString patterns = QString::fromStdString(pattern);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns == QLatin1String("*.*"))
        patterns = QStringLiteral("*");
    // Qt's save dialog gives the typed name the extension of the first
    // pattern: "*.htm*" would make it "Week.htm*", so a plain "*.htm" leads.
    if (patterns.startsWith(QLatin1String("*.")) && patterns.endsWith(QLatin1Char('*')) &&
        !patterns.contains(QLatin1Char(' ')))
        patterns = patterns.chopped(1) + QLatin1Char(' ') + patterns;
    return title + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

} // namespace

QPrinter& CurrentPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool AskPageRange(QWidget* parent, QPrinter& printer, int pageCount)
{
    const int last = std::max(1, pageCount);
    printer.setFromTo(1, last);
    printer.setPrintRange(QPrinter::PageRange);
    if (pageRangeAnswer)
        return pageRangeAnswer(printer, last) && !PrintFileRefused(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, last);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    dialog.setFromTo(1, last);
    return dialog.exec() == QDialog::Accepted && !PrintFileRefused(printer);
}

bool PrintsOnAPrinter(const QPrinter& printer)
{
    return printer.outputFileName().isEmpty() && printer.isValid() &&
           !printer.printerName().isEmpty();
}

void GuardPrintFiles(PrintFileGuard guard)
{
    printFileGuard = std::move(guard);
}

bool PrintFileRefused(const QPrinter& printer)
{
    const std::string file = printer.outputFileName().toStdString();
    if (file.empty() || !printFileGuard)
        return false;
    const std::optional<std::string> input = printFileGuard(file);
    if (input)
        ShowMadeFromError(file, *input, "print to");
    return input.has_value();
}

void ShowNoRoomOnThePage()
{
    ShowError("The margins leave no room on the page for the report.");
}

std::pair<int, int> ChosenPages(const QPrinter& printer, int pageCount)
{
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() <= 0)
        return {1, pageCount};
    const int first = std::clamp(printer.fromPage(), 1, std::max(1, pageCount));
    const int last = printer.toPage() <= 0 ? pageCount : std::min(printer.toPage(), pageCount);
    return {first, last};
}

void SetPageRangeAnswer(PageRangeAnswer answer)
{
    pageRangeAnswer = std::move(answer);
}

QString QtFilterList(const std::string& filter)
{
    QStringList lines;
    for (const auto& [name, pattern] : SplitFilter(filter))
        lines << QtFilter(name, pattern);
    return lines.join(QStringLiteral(";;"));
}

std::optional<SavedFile> AskSaveFileName(QWidget* parent, const QString& caption,
                                         const QString& folder, const QString& name,
                                         const std::string& filter, int filterIndex)
{
    const QString proposed = folder.isEmpty() ? name : QDir(folder).filePath(name);
    if (saveFileAnswer)
        return saveFileAnswer(proposed, filterIndex);
    const QStringList filters = QtFilterList(filter).split(QStringLiteral(";;"));
    QString selected = filters.value(filterIndex - 1);
    const QString path = QFileDialog::getSaveFileName(
        parent, caption, proposed, filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return std::nullopt;
    return SavedFile{path, static_cast<int>(filters.indexOf(selected)) + 1};
}

void SetSaveFileAnswer(SaveFileAnswer answer)
{
    saveFileAnswer = std::move(answer);
}

} // namespace dialtally
