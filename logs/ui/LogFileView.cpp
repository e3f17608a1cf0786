#include "logs/ui/LogFileView.h"

#include "base/Messages.h"
#include "logs/LogFileHead.h"
#include "logs/LogSource.h"
#include "widgets/DialogParts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QTextBlock>

namespace dialtally {

namespace {

QFont FixedPitchFont()
{
    const QString fixedsys = QStringLiteral("Fixedsys");
    if (QFontDatabase::families().contains(fixedsys))
        return QFont(fixedsys);
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

} // namespace

LogFileView::LogFileView(QWidget* parent) : QPlainTextEdit(parent)
{
    setFont(FixedPitchFont());
    // A tab is one column to a locator, so it stands one column wide here,
    // where columns are read off the ruler.
    setTabStopDistance(QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setToolTip(tr("Double-Click to insert ruler"));
    // Nothing typed here is kept, so Tab moves on rather than trap the
    // keyboard in the view.
    setTabChangesFocus(true);
}

void LogFileView::LoadFile(const std::string& path)
{
    clear();
    const LogFileHead head = ReadLogFileHead(path);
    // Said quietly: the path is read again at every key typed into it. The
    // journal is no file; its own message says why it cannot be read.
    const bool journal = !path.empty() && (ResolveLogSource(path).Kind == LogSourceKind::Journal);
    setPlaceholderText(!path.empty() && !head.Found && !journal ? tr("The file was not found.")
                                                                : QString());
    if (head.Found && (!head.Lines.empty() || !head.Failed))
        setPlainText(LogText(LogFileHeadText(head)));
    moveCursor(QTextCursor::Start);
    if (head.Failed)
        ShowReadError(path, head.Found);
}

void LogFileView::InsertRuler()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.insertText(QString::fromStdString(std::string(LogRuler())) + QLatin1Char('\n'));
}

QSize LogFileView::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QLatin1Char('0')) * 84, metrics.lineSpacing() * 16};
}

void LogFileView::keyPressEvent(QKeyEvent* event)
{
    // The dialog's default button takes Enter.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LogFileView::mouseDoubleClickEvent(QMouseEvent* event)
{
    setTextCursor(cursorForPosition(event->position().toPoint()));
    InsertRuler();
    event->accept();
}

} // namespace dialtally
