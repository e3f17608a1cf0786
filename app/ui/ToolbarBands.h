#pragma once

#include "app/Settings.h"

#include <QString>

#include <array>
#include <map>

class QAction;
class QComboBox;
class QMainWindow;
class QToolBar;
class QToolButton;

namespace dialtally {

// The four bands of the main window's cool bar (0 the menu bar, 1 the
// button bar, 2 the criteria bar, 3 the log file box) and the items on
// them: puts them where the settings say and tells the settings where the
// user has put them.
class ToolbarBands {
public:
    ToolbarBands(QMainWindow* window, const std::array<QToolBar*, BandCount>& bands,
                 QComboBox* logFileBox);

    QToolBar* Band(int id) const;
    const std::array<QToolBar*, BandCount>& Bands() const { return m_bands; }
    // An item of the button or criteria bar under its settings name
    // (BtnNew, ToolButton6, EditInc...).
    void AddItem(const QString& name, QAction* item);
    // The button that shows an item, if any.
    QToolButton* ItemButton(const QString& name) const;

    // Order, rows, visibility, widths, text labels and items.
    void Apply(const ToolbarSettings& bars);
    // The bands as they stand and the items as they show.
    void Store(ToolbarSettings& bars) const;
    void ApplyTextLabels(bool labels);
    void ApplyItemVisibility(const ToolbarSettings& bars);
    // After the log file box's entries change: as wide as the longest of
    // them, within reason.
    void FitLogFileBox();

private:
    QAction* Item(int n) const;
    void SizeLogFileBox(int width);

    QMainWindow* m_window;
    std::array<QToolBar*, BandCount> m_bands;
    QComboBox* m_logFileBox;
    int m_logFileWidest = 0; // the box's widest as the settings give it
    std::map<QString, QAction*> m_items;
    bool m_textLabels = false;
};

} // namespace dialtally
