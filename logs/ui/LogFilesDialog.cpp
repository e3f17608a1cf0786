#include "logs/ui/LogFilesDialog.h"

#include "base/Messages.h"
#include "logs/FormatLibrary.h"
#include "logs/Locator.h"
#include "logs/ui/LogFileView.h"
#include "widgets/DialogParts.h"
#include "widgets/HelpWindow.h"
#include "widgets/ScreenPlacement.h"
#include "widgets/SortedLists.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace dialtally {

namespace {

constexpr int HelpLogPage = 3510; // then 3520, 3530 for the later pages

} // namespace

TDlgLog::TDlgLog(TLCfg& formats, std::string programFolder, QWidget* parent)
    : QDialog(parent), m_formats(formats), m_copy(formats), m_inUse(formats.Current),
      m_programFolder(std::move(programFolder)), m_pages(new QTabWidget), m_list(new QListWidget),
      m_view(new LogFileView), m_locatorMenu(new QMenu(this)), m_libraryMenu(new QMenu(this))
{
    setWindowTitle(tr("Log Files"));
    setObjectName(QStringLiteral("DlgLog"));
    for (int k = 0; k < EditCount; ++k)
        m_edits[static_cast<std::size_t>(k)] = nullptr;

    m_pages->setObjectName(QStringLiteral("PageControl"));
    m_pages->addTab(BuildLogPage(), tr("Log"));
    m_pages->addTab(BuildFilePage(), tr("File"));
    m_pages->addTab(BuildFormatPage(), tr("Format"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(OkCancelHelpRow(
        this, [this] { BtnOkClick(); }, [this] { BtnHelpClick(); }));
    TurnPagesByKeyboard(m_pages);

    // Fill the list from the copy and show the format in use.
    {
        const QSignalBlocker blocker(m_list);
        for (int i = 1; i <= m_copy.Count; ++i)
            InsertSorted(m_list, LogText(m_copy.LogType[i]));
    }
    if (m_copy.Current >= 1 && m_copy.Current <= m_copy.Count) {
        const QString name = LogText(m_copy.LogType[m_copy.Current]);
        for (int row = 0; row < m_list->count(); ++row)
            if (m_list->item(row)->text() == name) {
                SelectRow(m_list, row);
                ListBoxLogClick();
                break;
            }
    }
    FixSizeWithinScreen(*this);
}

QWidget* TDlgLog::BuildLogPage()
{
    auto* page = new QWidget;
    m_list->setObjectName(QStringLiteral("ListBoxLog"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (HasSelection())
            ListBoxLogClick();
    });
    QLineEdit* name = NewEdit(EditLogType, "EditLogType");

    auto* add = new QPushButton(tr("&Add"));
    add->setObjectName(QStringLiteral("BtnAdd"));
    auto* remove = new QPushButton(tr("&Remove"));
    remove->setObjectName(QStringLiteral("BtnRemove"));
    auto* modify = new QPushButton(tr("&Modify"));
    modify->setObjectName(QStringLiteral("BtnModify"));
    auto* library = new QPushButton(tr("Add from Li&brary..."));
    library->setObjectName(QStringLiteral("BtnLibrary"));
    library->setToolTip(tr("Add a ready-made format for the logs of Linux and other dialers"));
    m_libraryMenu->setObjectName(QStringLiteral("MenuLibrary"));
    connect(library, &QPushButton::clicked, this, [this, library] {
        m_libraryMenu->clear();
        for (int i = 1; i <= Library.Count; ++i) {
            const std::string name = Library.LogType[i];
            m_libraryMenu->addAction(QtText(name), this, [this, name] { AddFromLibrary(name); });
        }
        if (m_libraryMenu->isEmpty())
            m_libraryMenu->addAction(tr("(no ready-made formats installed)"))->setEnabled(false);
        m_libraryMenu->popup(library->mapToGlobal(QPoint(0, library->height())));
    });
    connect(add, &QPushButton::clicked, this, &TDlgLog::BtnAddClick);
    connect(remove, &QPushButton::clicked, this, &TDlgLog::BtnRemoveClick);
    connect(modify, &QPushButton::clicked, this, &TDlgLog::BtnModifyClick);

    auto* grid = new QGridLayout(page);
    grid->addWidget(BuddyLabel(tr("Log file &description"), name), 0, 0);
    grid->addWidget(name, 1, 0);
    grid->addWidget(BuddyLabel(tr("&Log file formats:"), m_list), 2, 0);
    grid->addWidget(m_list, 3, 0, 5, 1);
    grid->addWidget(add, 3, 1);
    grid->addWidget(remove, 4, 1);
    grid->addWidget(modify, 5, 1);
    grid->addWidget(library, 6, 1);
    grid->setRowStretch(7, 1);
    return page;
}

QWidget* TDlgLog::BuildFilePage()
{
    auto* page = new QWidget;
    QLineEdit* path = NewEdit(EditLogFile, "EditLogFile");
    connect(path, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_view->LoadFile(text.toStdString()); });
    auto* browse = new QToolButton;
    browse->setObjectName(QStringLiteral("BtnBrowse"));
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browse->setToolTip(tr("Browse"));
    browse->setAccessibleName(tr("Browse"));
    connect(browse, &QToolButton::clicked, this, &TDlgLog::BtnBrowseClick);

    m_view->setObjectName(QStringLiteral("MemoLog"));

    auto* grid = new QGridLayout(page);
    grid->addWidget(BuddyLabel(tr("Log &file"), path), 0, 0, 1, 2);
    grid->addWidget(path, 1, 0);
    grid->addWidget(browse, 1, 1);
    grid->addWidget(BuddyLabel(tr("Log file &contents:"), m_view), 2, 0, 1, 2);
    grid->addWidget(m_view, 3, 0, 1, 2);
    return page;
}

QWidget* TDlgLog::BuildFormatPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    auto* connection = new QLabel(tr("Connection"));
    auto* data = new QLabel(tr("Data"));
    QFont bold = connection->font();
    bold.setBold(true);
    connection->setFont(bold);
    data->setFont(bold);
    grid->addWidget(connection, 0, 0);
    grid->addWidget(data, 0, 1, 1, 6);

    struct Cell {
        Edit Which;
        const char* ObjectName;
        const char* Caption;
    };
    const Cell begin[] = {{EditOnline, "EditOnline", "&Begin"},
                          {EditOnMonth, "EditOnMonth", "&Month"},
                          {EditOnDate, "EditOnDate", "&Day"},
                          {EditOnYear, "EditOnYear", "&Year"},
                          {EditOnTime, "EditOnTime", "&Time"},
                          {EditOnAmpm, "EditOnAmpm", "&AM/PM"},
                          {EditOnService, "EditOnService", "De&scription"}};
    const Cell end[] = {
        {EditOffline, "EditOffline", "&End"}, {EditOffMonth, "EditOffMonth", "Month"},
        {EditOffDate, "EditOffDate", "Day"},  {EditOffYear, "EditOffYear", "Year"},
        {EditOffTime, "EditOffTime", "Time"}, {EditOffAmpm, "EditOffAmpm", "AM/PM"}};
    // A row is a marker and then its locators; only the locators take the
    // locator menu.
    const auto addRow = [&](std::span<const Cell> cells, int row) {
        int column = 0;
        for (const Cell& cell : cells) {
            QLineEdit* edit = NewEdit(cell.Which, cell.ObjectName);
            grid->addWidget(BuddyLabel(tr(cell.Caption), edit), row, column);
            // The end row's captions repeat the begin row's.
            if (column > 0)
                edit->setAccessibleName(PlainCaption(tr(cells[0].Caption)) + u' ' +
                                        PlainCaption(tr(cell.Caption)));
            grid->addWidget(edit, row + 1, column);
            if (column > 0)
                AddLocatorMenu(edit);
            ++column;
        }
    };
    addRow(begin, 1);
    addRow(end, 3);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(6, 2);
    for (int c = 1; c <= 5; ++c)
        grid->setColumnStretch(c, 1);
    grid->setRowStretch(5, 1);

    // Begin-to-end copying: the end side usually reads the same columns.
    for (int k = 0; k < 5; ++k) {
        QLineEdit* from = m_edits[static_cast<std::size_t>(EditOnMonth + k)];
        QLineEdit* to = m_edits[static_cast<std::size_t>(EditOffMonth + k)];
        connect(from, &QLineEdit::textChanged, to, &QLineEdit::setText);
    }

    const struct {
        const char* Caption;
        const char* ObjectName;
        const char* Token;
        int CaretFromEnd;
    } items[] = {{"&Delimiter", "MenuDelimiter", "{''}", 2},
                 {"Delimiter &Occurrence", "MenuOccurrence", "{#}", 1},
                 {"O&ffset", "MenuOffset", "{+}", 1},
                 {"Append &Text", "MenuAppendText", "{\"\"}", 2},
                 {nullptr, nullptr, nullptr, 0},
                 {"Begin/End &Separator", "MenuSeparator", ";", 0}};
    // Year edits only: lines without a year (classic syslog) take the year
    // of the file's last change; the form replaces what the edit holds.
    for (const auto& item : items) {
        if (!item.Caption) {
            m_locatorMenu->addSeparator();
            continue;
        }
        QAction* action = m_locatorMenu->addAction(tr(item.Caption));
        action->setObjectName(QString::fromLatin1(item.ObjectName));
        const QString token = QString::fromLatin1(item.Token);
        const int caret = item.CaretFromEnd;
        connect(action, &QAction::triggered, this,
                [this, token, caret] { AppendToken(token, caret); });
    }
    m_locatorMenu->addSeparator();
    m_fileYear = m_locatorMenu->addAction(tr("No Year in Lines: &Year of the File"));
    m_fileYear->setObjectName(QStringLiteral("MenuFileYear"));
    connect(m_fileYear, &QAction::triggered, this, [this] {
        if (!m_menuEdit)
            return;
        m_menuEdit->setText(QString::fromLatin1(FileYearLocator.data(),
                                                static_cast<qsizetype>(FileYearLocator.size())));
        m_menuEdit->setFocus();
    });
    return page;
}

QLineEdit* TDlgLog::NewEdit(Edit which, const char* objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(objectName));
    m_edits[static_cast<std::size_t>(which)] = edit;
    return edit;
}

void TDlgLog::AddLocatorMenu(QLineEdit* edit)
{
    edit->setToolTip(tr("Right-Click for menu"));
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QLineEdit::customContextMenuRequested, this, [this, edit](const QPoint& pos) {
        m_menuEdit = edit;
        m_fileYear->setEnabled(edit == m_edits[EditOnYear] || edit == m_edits[EditOffYear]);
        m_locatorMenu->popup(edit->mapToGlobal(pos));
    });
}

void TDlgLog::AppendToken(const QString& token, int caretFromEnd)
{
    if (!m_menuEdit)
        return;
    const QString text = m_menuEdit->text() + token;
    m_menuEdit->setText(text);
    m_menuEdit->setFocus();
    m_menuEdit->setCursorPosition(static_cast<int>(text.size()) - caretFromEnd);
}

LogFormatTexts TDlgLog::EditTexts() const
{
    const LogFormatTexts stored = LogFormatValues(m_copy, m_copy.Current);
    LogFormatTexts texts;
    for (std::size_t k = 0; k < texts.size(); ++k)
        texts[k] = EditedText(m_edits[k]->text(), stored[k]);
    return texts;
}

void TDlgLog::StoreEdits()
{
    StoreLogFormat(m_copy, m_copy.Current, EditTexts());
}

void TDlgLog::SelectAndLoad(const QString& name)
{
    const int row = FindIgnoringCase(m_list, name);
    if (row < 0)
        return;
    SelectRow(m_list, row);
    ListBoxLogClick();
}

bool TDlgLog::HasSelection() const
{
    return !m_list->selectedItems().isEmpty();
}

void TDlgLog::ListBoxLogClick()
{
    QString name;
    if (!SelectedText(m_list, name))
        return;
    m_copy.Current = FindLogFormat(m_copy, StoredName(name, m_copy.LogType, m_copy.Count));
    if (m_copy.Current == 0)
        return;
    // In file order, so the end locators overwrite what the begin ones copied.
    const LogFormatTexts values = LogFormatValues(m_copy, m_copy.Current);
    for (std::size_t k = 0; k < values.size(); ++k)
        m_edits[k]->setText(LogText(values[k]));
}

void TDlgLog::BtnAddClick()
{
    if (m_copy.Count >= TLCfg::MaxFormats) {
        PlayDefaultSound();
        return;
    }
    ++m_copy.Count;
    m_copy.Current = m_copy.Count;
    StoreEdits();
    const QString name = m_edits[EditLogType]->text();
    {
        const QSignalBlocker blocker(m_list);
        InsertSorted(m_list, name);
    }
    SelectAndLoad(name);
}

void TDlgLog::AddFromLibrary(const std::string& name)
{
    const int index = FindLogFormat(Library, name);
    if (index == 0)
        return;
    if (FindLogFormat(m_copy, name) == 0) {
        if (m_copy.Count >= TLCfg::MaxFormats) {
            PlayDefaultSound();
            return;
        }
        AddLibraryFormat(m_copy, Library, index);
        const QSignalBlocker blocker(m_list);
        InsertSorted(m_list, QtText(name));
    } else {
        ShowInfo("A log format named " + name +
                 " is defined already; it is shown as it stands. To take the library's, rename "
                 "or remove it first.");
    }
    SelectAndLoad(QtText(name));
}

void TDlgLog::BtnRemoveClick()
{
    QString name;
    if (!SelectedText(m_list, name)) {
        PlayDefaultSound();
        return;
    }
    const int index = FindLogFormat(m_copy, StoredName(name, m_copy.LogType, m_copy.Count));
    if (index == 0 || ConfirmRemove(name.toStdString()) != MessageAnswer::Yes)
        return;
    RemoveLogFormat(m_copy, index);
    if (index == m_inUse)
        m_inUse = 0;
    else if (index < m_inUse)
        --m_inUse;
    if (RemoveSelected(m_list))
        ListBoxLogClick();
}

void TDlgLog::BtnModifyClick()
{
    if (!HasSelection()) {
        PlayDefaultSound();
        return;
    }
    StoreEdits();
    const QString name = m_edits[EditLogType]->text();
    RenameSelected(m_list, name);
    SelectAndLoad(name);
}

void TDlgLog::BtnBrowseClick()
{
    const std::string current = m_edits[EditLogFile]->text().toStdString();
    std::string chosen;
    if (BrowseForFile)
        chosen = BrowseForFile(current);
    else
        chosen =
            QFileDialog::getOpenFileName(this, tr("Open"), QtText(current), tr("All Files (*)"))
                .toStdString();
    if (!chosen.empty())
        m_edits[EditLogFile]->setText(QtText(chosen));
}

void TDlgLog::BtnOkClick()
{
    if (HasSelection())
        StoreEdits();
    // The format in use stays the same entry, which Archive and View Log
    // File act on; by its index they took the one after it once an entry
    // before it was removed.
    m_copy.Current = std::clamp(m_inUse, 0, m_copy.Count);
    // Formats that could not be stored are not taken into use; the dialog
    // stays, for another try or Cancel.
    if (!SaveLogFormats(m_copy, m_programFolder))
        return;
    m_formats = m_copy;
    accept();
}

void TDlgLog::BtnHelpClick()
{
    HelpWindow::ShowTopic(HelpLogPage + 10 * m_pages->currentIndex());
}

void TDlgLog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
        m_list->setFocus();
    }
}

} // namespace dialtally
