#include "app/ui/FrontEndQt.h"

#include "widgets/DialogParts.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>

#include <QSpacerItem>
#include <cstdio>

namespace dialtally {

namespace {

// How long a long step may keep the window from repainting.
constexpr qint64 RepaintEveryMs = 40;

// The core separates lines with "\n\r"; a box wants plain line feeds.
QString MessageText(const std::string& text)
{
    // Names from files written on Windows may be in its code page.
    QString result = LogText(text);
    result.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    result.remove(QLatin1Char('\r'));
    return result;
}

} // namespace

// The active window when it is the main window's own, such as the modeless
// Find dialog, so that the focus goes back there once the box is answered.
QWidget* FrontEndQt::MessageParent() const
{
    QWidget* active = QApplication::activeWindow();
    if (!m_window)
        return active;
    for (QWidget* widget = active; widget; widget = widget->parentWidget())
        if (widget == m_window)
            return active;
    return m_window;
}

MessageAnswer FrontEndQt::ShowMessage(MessageKind kind, MessageButtons buttons,
                                      const std::string& text)
{
    if (Unattended) {
        std::fprintf(stderr, "%s: %s\n", MessageCaption(kind),
                     MessageText(text).toLocal8Bit().constData());
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
    QMessageBox box(MessageParent());
    box.setWindowTitle(QString::fromLatin1(MessageCaption(kind)));
    box.setText(MessageText(text));
    switch (kind) {
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Confirm:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // A short text makes a narrow box; the frame's title bar, with its icon
    // and buttons, would then cut the caption short.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(CaptionWidth(box), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
    // A busy cursor would hide that the box waits for an answer.
    const bool busy = m_busyDepth > 0;
    if (busy)
        QApplication::restoreOverrideCursor();
    const int answer = box.exec();
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    switch (answer) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

void FrontEndQt::SetBusy(bool busy)
{
    if (busy) {
        ++m_busyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0) {
        --m_busyDepth;
        QApplication::restoreOverrideCursor();
    }
    // Repaint what is pending, but leave clicks and keys for after the
    // pass, so that no second pass starts inside this one.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceEvents.start();
}

void FrontEndQt::KeepResponsive()
{
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < RepaintEveryMs)
        return;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceEvents.start();
}

void FrontEndQt::PlayDefaultSound()
{
    QApplication::beep();
}

void FrontEndQt::SetStatusText(int panel, const std::string& text)
{
    if (OnStatusText)
        OnStatusText(panel, text);
}

void FrontEndQt::SetProgress(int position, int max)
{
    if (OnProgress)
        OnProgress(position, max);
    // The bar is seen to move only if the window repaints meanwhile.
    KeepResponsive();
}

void FrontEndQt::AddToShellRecentDocs(const std::string& path)
{
    if (OnShellRecentDocs)
        OnShellRecentDocs(path);
}

} // namespace dialtally
