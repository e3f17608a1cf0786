#pragma once

#include <QStatusBar>

#include <array>

class QLabel;
class QProgressBar;
class QStackedWidget;

namespace dialtally {

// The six panels of the main window's status bar: report name or hint,
// days, connections, duration, cost and today's date, with the progress
// bar lying over the first panel while rows are built.
class StatusPanelsWidget : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int PanelCount = 6;

    explicit StatusPanelsWidget(QWidget* parent = nullptr);

    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;
    // Max 0 hides the progress bar.
    void SetProgress(int position, int max);
    void SetFirstPanelWidth(int width);

private:
    std::array<QLabel*, PanelCount> m_panels{};
    QStackedWidget* m_first;
    QProgressBar* m_progress;
};

} // namespace dialtally
