#pragma once

#include "base/FrontEnd.h"

#include <QElapsedTimer>

#include <functional>

class QWidget;

namespace dialtally {

// The core's front end on Qt: message boxes, the busy cursor, the beep,
// and the status bar through callbacks the main window sets.
class FrontEndQt : public FrontEnd {
public:
    MessageAnswer ShowMessage(MessageKind kind, MessageButtons buttons,
                              const std::string& text) override;
    void SetBusy(bool busy) override;
    void PlayDefaultSound() override;
    void SetStatusText(int panel, const std::string& text) override;
    void SetProgress(int position, int max) override;
    void KeepResponsive() override;
    void AddToShellRecentDocs(const std::string& path) override;

    // The window message boxes are centred on; none for the active window.
    void SetParentWindow(QWidget* window) { m_window = window; }
    // While the session ends no one answers a box, and one would hold the
    // logout up: messages go to standard error and questions are declined.
    bool Unattended = false;
    std::function<void(int panel, const std::string& text)> OnStatusText;
    std::function<void(int position, int max)> OnProgress;
    std::function<void(const std::string& path)> OnShellRecentDocs;

private:
    QWidget* MessageParent() const;

    QWidget* m_window = nullptr;
    int m_busyDepth = 0;
    QElapsedTimer m_sinceEvents; // since pending events last ran
};

} // namespace dialtally
