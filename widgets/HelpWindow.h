#pragma once

#include <QWidget>

class QTextBrowser;

namespace dialtally {

// The program's help: one page per topic number, in a window of its own
// that stays open beside the dialogs.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int Contents = 0;
    static constexpr int Index = -1;

    // Opens or raises the help window at a topic.
    static void ShowTopic(int topic);
    // The topic last asked for, for the tests.
    static int LastTopic();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit HelpWindow(QWidget* parent = nullptr);
    void Open(int topic);

    QTextBrowser* m_browser;
};

} // namespace dialtally
