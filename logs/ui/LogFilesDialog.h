#pragma once

#include "logs/LogFormatEdits.h"
#include "logs/LogFormats.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;

namespace dialtally {

class LogFileView;

// The "Log Files" dialog: adds, removes and renames log formats and edits
// their files, markers and locators on a copy of the table. OK puts the
// copy back and saves Dialtally.log; exec() then returns Accepted.
class TDlgLog : public QDialog {
    Q_OBJECT
public:
    TDlgLog(TLCfg& formats, std::string programFolder, QWidget* parent = nullptr);

    // Told by SaveLogFormats on OK, so a list of format names can refill.
    // Asks for a log file starting from the current path; an empty answer
    // keeps the path. Defaults to the open-file dialog.
    std::function<std::string(const std::string& currentPath)> BrowseForFile;

    const TLCfg& WorkingCopy() const { return m_copy; }

    // The ready-made formats "Add from Library..." offers.
    TLCfg Library;

    void ListBoxLogClick();
    void BtnAddClick();
    // Adds the ready-made format of that name to the copy, or selects the
    // copy's format of that name when it has one.
    void AddFromLibrary(const std::string& name);
    void BtnRemoveClick();
    void BtnModifyClick();
    void BtnBrowseClick();
    void BtnOkClick();
    void BtnHelpClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum Edit {
        EditLogType,
        EditLogFile,
        EditOnline,
        EditOnMonth,
        EditOnDate,
        EditOnYear,
        EditOnTime,
        EditOnAmpm,
        EditOnService,
        EditOffline,
        EditOffMonth,
        EditOffDate,
        EditOffYear,
        EditOffTime,
        EditOffAmpm,
        EditCount
    };

    QWidget* BuildLogPage();
    QWidget* BuildFilePage();
    QWidget* BuildFormatPage();
    QLineEdit* NewEdit(Edit which, const char* objectName);
    void AddLocatorMenu(QLineEdit* edit);
    void AppendToken(const QString& token, int caretFromEnd);

    LogFormatTexts EditTexts() const;
    void StoreEdits();
    void SelectAndLoad(const QString& name);
    bool HasSelection() const;

    TLCfg& m_formats;
    TLCfg m_copy;
    // The format in use, followed through removals: 0 once it is removed.
    int m_inUse = 0;
    std::string m_programFolder;

    QTabWidget* m_pages;
    QListWidget* m_list;
    LogFileView* m_view;
    std::array<QLineEdit*, EditCount> m_edits{};
    QMenu* m_locatorMenu;
    QMenu* m_libraryMenu;
    QAction* m_fileYear = nullptr;   // the locator menu's year-less form
    QLineEdit* m_menuEdit = nullptr; // the locator edit that was right-clicked
    bool m_centred = false;
};

} // namespace dialtally
