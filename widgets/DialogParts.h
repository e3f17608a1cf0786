#pragma once

#include <QHBoxLayout>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QTabWidget;

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace dialtally {

// The small pieces every dialog of the program is built from.

// A text of the core (UTF-8) as the toolkit shows it.
QString QtText(std::string_view text);
// A text read from a log, as the office exports read it: valid UTF-8 as it
// is, and every other byte as Windows-1252, the code page of old logs.
QString LogText(std::string_view text);
// What an edit that was given LogText(stored) holds, as bytes to store:
// `stored` itself while the text is as it was shown, so that a name in a
// Windows code page comes through a dialog's OK as it was; else the text
// as UTF-8.
std::string EditedText(const QString& shown, const std::string& stored);
// The name among names[1..count] that a list shows as `shown` (LogText):
// one in a Windows code page no longer has its bytes in the shown text,
// and is found, and kept, as it is stored. The shown text as UTF-8 when no
// name shows so.
template <typename Names>
std::string StoredName(const QString& shown, const Names& names, int count)
{
    for (int i = 1; i <= count && i < static_cast<int>(names.size()); ++i)
        if (LogText(names[static_cast<std::size_t>(i)]) == shown)
            return names[static_cast<std::size_t>(i)];
    return shown.toStdString();
}

// A label whose mnemonic moves the focus to its buddy. A list, table or tree
// is also named after it: screen readers take their name from nowhere else.
QLabel* BuddyLabel(const QString& caption, QWidget* buddy);
// A caption as a screen reader says it: no mnemonic, no closing colon.
QString PlainCaption(const QString& caption);

// An edit that takes no comma: names are joined into comma lists (the
// providers a report charges, the links), where a comma would split one.
void RefuseCommas(QLineEdit* edit);

// The width a window needs for its frame to show the whole caption: the
// title's text, and the frame's icon and buttons beside it.
int CaptionWidth(const QWidget& window);
// Gives the keyboard focus to the first control of a page that takes it
// (the Tab order's first), so that typing goes somewhere when a dialog of
// pages opens; else the focus would rest on the page tabs or OK.
void FocusFirstControl(QWidget* page);
// Ctrl+Tab and Ctrl+Page Down turn to the next page of `pages`, with Shift or
// Page Up to the one before, from wherever the focus is in its window: a
// combo box or a button would otherwise keep the keys.
void TurnPagesByKeyboard(QTabWidget* pages);

// Gives a widget the name that tests and the help find it by.
template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Controls named for the tests and the help, holding a stored value.
QLineEdit* NewEdit(const QString& name, std::string_view value);
QCheckBox* NewCheck(const QString& name, const QString& caption, bool value);
// A stored value the list has no entry for shows nothing.
QComboBox* NewCombo(const QString& name, const QStringList& items, int value);
QSpinBox* NewSpin(const QString& name, int minimum, int maximum, int value,
                  const QString& suffix = QString());

// One button of a dialog's row; a button without an action rejects the
// dialog.
struct DialogButton {
    QString Caption;
    const char* Name;
    std::function<void()> Action;
    bool Default = false;
};

// The row of buttons at the foot of a dialog, right aligned in the order
// given, with the buttons in that order.
struct DialogButtonRow {
    QHBoxLayout* Layout;
    std::vector<QPushButton*> Buttons;
};
DialogButtonRow MakeButtonRow(QDialog* dialog, const std::vector<DialogButton>& buttons);

// The "OK", "Cancel" and "&Help" row, OK the default; the buttons are named
// BtnOk, BtnCancel and BtnHelp.
QHBoxLayout* OkCancelHelpRow(QDialog* dialog, std::function<void()> onOk,
                             std::function<void()> onHelp);

// The "OK" and "&Help" row of a dialog that only shows figures: OK closes
// it, Help opens the help topic.
QHBoxLayout* OkHelpRow(QDialog* dialog, int helpTopic);

} // namespace dialtally
