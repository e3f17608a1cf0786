#pragma once

#include "app/Settings.h"

#include <QDialog>
#include <QIcon>

#include <functional>
#include <string>

class QCheckBox;
class QListWidget;

namespace dialtally {

// "Customize Toolbars": shows or hides the items of the button bar and the
// criteria bar and switches the buttons' captions. Every change is made
// in the settings at once and handed to OnChanged, so the window can
// apply it while the dialog is open; there is no undo.
class TDlgBars : public QDialog {
    Q_OBJECT
public:
    // The picture of an item by its control name ("BtnBack"); none for
    // separators, pickers and text boxes.
    using ItemIconFunction = std::function<QIcon(const std::string& itemName)>;

    explicit TDlgBars(ToolbarSettings& toolbars, ItemIconFunction itemIcon = {},
                      QWidget* parent = nullptr);

    // Called with the edited settings after each change.
    std::function<void(const ToolbarSettings&)> OnChanged;

    void BtnAddClick();
    void BtnRemoveClick();
    void CheckBoxLabelsClick();

private:
    void FillLists();
    void Changed();

    ToolbarSettings& m_toolbars;
    ItemIconFunction m_itemIcon;
    QListWidget* m_available;
    QListWidget* m_visible;
    QCheckBox* m_labels;
};

} // namespace dialtally
