#pragma once

#include <QPlainTextEdit>

namespace dialtally {

// The first lines of a log file under a column ruler, in a fixed-pitch
// font so the ruler's columns stand over the log's characters. The text
// can be typed into but is never saved; Enter is left to the dialog.
class LogFileView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogFileView(QWidget* parent = nullptr);

    // Clears the view and shows the ruler and the file's first 128 lines
    // when the path names a file; a file that cannot be read shows
    // ShowReadError and keeps what was read before the failure.
    void LoadFile(const std::string& path);
    // Inserts a ruler line above the line that holds the caret.
    void InsertRuler();
    // 84 columns by 16 lines: a preference, not a minimum, so that the
    // dialog fits a small screen and the view scrolls sideways there.
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace dialtally
