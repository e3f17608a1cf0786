#include "widgets/HelpWindow.h"

#include "widgets/ScreenPlacement.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace dialtally {

namespace {

QPointer<HelpWindow> helpWindow;
int lastTopic = HelpWindow::Contents;

QUrl TopicUrl(int topic)
{
    if (topic == HelpWindow::Index)
        return QUrl(QStringLiteral("qrc:/help/index.html#index"));
    const QString page = QStringLiteral(":/help/%1.html").arg(topic);
    if (topic == HelpWindow::Contents || !QFile::exists(page))
        return QUrl(QStringLiteral("qrc:/help/index.html"));
    return QUrl(QStringLiteral("qrc") + page);
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser)
{
    setWindowTitle(tr("Dialtally Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    KeepOnScreenWhenShown(this);
    m_browser->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(560, 480);
}

// Esc closes it, as it does the dialogs it is opened from.
void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void HelpWindow::Open(int topic)
{
    m_browser->setSource(TopicUrl(topic));
}

void HelpWindow::ShowTopic(int topic)
{
    lastTopic = topic;
    // A window of its own would be blocked by the modal dialog asking for
    // help; as the dialog's child it stays usable.
    QWidget* modal = QApplication::activeModalWidget();
    if (helpWindow && helpWindow->parentWidget() != modal) {
        delete helpWindow;
        helpWindow = nullptr;
    }
    if (!helpWindow)
        helpWindow = new HelpWindow(modal);
    helpWindow->Open(topic);
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
}

int HelpWindow::LastTopic()
{
    return lastTopic;
}

} // namespace dialtally
