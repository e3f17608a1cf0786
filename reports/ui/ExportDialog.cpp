#include "reports/ui/ExportDialog.h"

#include "app/ProgramState.h"
#include "base/Messages.h"
#include "reports/ExportFileNames.h"
#include "reports/ui/HtmlSettingsDialog.h"
#include "reports/ui/PrintDialogs.h"
#include "widgets/DialogParts.h"
#include "widgets/HelpWindow.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dialtally {

TDlgExp::TDlgExp(const ReportOutput& output, const std::string& reportFile,
                 const std::string& description, Settings& settings,
                 const ExportSettings& exportSettings, QWidget* parent)
    : QDialog(parent), m_output(output), m_settings(settings), m_exportSettings(exportSettings),
      m_shown(ShownGrid(output.Table, output.Columns, false)), m_list(new QListWidget),
      m_file(new QLineEdit), m_html(new QPushButton(tr("H&TML...")))
{
    setWindowTitle(tr("Export"));
    auto* prompt = new QLabel(QStringLiteral("Select the file type or program to export the ") +
                              QString::fromStdString(description) + QStringLiteral(" data to."));
    prompt->setObjectName(QStringLiteral("LabelPrompt"));
    prompt->setWordWrap(true);

    m_list->setObjectName(QStringLiteral("ListBoxExp"));
    for (const ExportType& type : ExportTypes())
        m_list->addItem(QString::fromLatin1(type.Caption));
    QLabel* listLabel = BuddyLabel(tr("&Export to"), m_list);
    m_file->setObjectName(QStringLiteral("EditFile"));
    m_file->setText(QString::fromStdString(ProposedExportFile(settings.Export.File, reportFile)));
    auto* fileLabel = new QLabel(tr("&File name"));
    fileLabel->setBuddy(m_file);
    auto* browse = new QToolButton;
    browse->setObjectName(QStringLiteral("BtnBrowse"));
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(tr("Browse"));
    browse->setAccessibleName(tr("Browse"));
    m_html->setObjectName(QStringLiteral("BtnHtml"));

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("Export"), "BtnExport", [this] { BtnExportClick(); }, true},
                             {tr("Cancel"), "BtnCancel", {}},
                             {tr("&Help"), "BtnHelp", [this] { BtnHelpClick(); }}});

    auto* grid = new QGridLayout;
    grid->addWidget(prompt, 0, 0, 1, 3);
    grid->addWidget(listLabel, 1, 0, 1, 3);
    grid->addWidget(m_list, 2, 0, 1, 3);
    grid->addWidget(fileLabel, 3, 0, 1, 3);
    grid->addWidget(m_file, 4, 0, 1, 2);
    grid->addWidget(browse, 4, 2);
    grid->addWidget(m_html, 5, 0);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.Layout);
    resize(420, 320);

    const int count = static_cast<int>(ExportTypes().size());
    const int format = settings.Export.Format;
    m_list->setCurrentRow(format >= 0 && format < count ? format : 0);
    m_html->setVisible(m_list->currentRow() == ExportHtml);
    // The buttons, made first, would take the focus; here the arrows pick a type.
    m_list->setFocus();

    // Picking a type after the start changes the file's extension as well.
    connect(m_list, &QListWidget::currentRowChanged, this, &TDlgExp::ListBoxExpClick);
    connect(browse, &QToolButton::clicked, this, &TDlgExp::BtnBrowseClick);
    connect(m_html, &QPushButton::clicked, this, &TDlgExp::BtnHtmlClick);
}

void TDlgExp::SetShownGrid(const ExportSource& shown)
{
    m_shown = shown;
}

QString TDlgExp::FileName() const
{
    return m_file->text();
}

int TDlgExp::TypeIndex() const
{
    return std::max(0, m_list->currentRow());
}

void TDlgExp::ListBoxExpClick()
{
    m_file->setText(
        QString::fromStdString(ExportFileForType(m_file->text().toStdString(), TypeIndex())));
    m_html->setVisible(TypeIndex() == ExportHtml);
}

void TDlgExp::BtnBrowseClick()
{
    const ExportType& type = ExportTypes()[static_cast<std::size_t>(TypeIndex())];
    const std::string path = BrowsedExportFile(m_file->text().toStdString(), TypeIndex());
    const auto chosen = AskSaveFileName(this, tr("Export"), QString::fromStdString(FolderOf(path)),
                                        QString::fromStdString(FileNameOf(path)),
                                        std::string(type.Filter) + "|All Files|*.*", 1);
    if (chosen)
        m_file->setText(QString::fromStdString(
            BrowsedExportFile(chosen->Path.toStdString(), TypeIndex(), chosen->FilterIndex)));
}

void TDlgExp::BtnHtmlClick()
{
    HtmlSettingsDialog dialog(m_settings.Html, this);
    dialog.exec();
}

void TDlgExp::BtnHelpClick()
{
    HelpWindow::ShowTopic(HelpTopic);
}

bool TDlgExp::HasData() const
{
    // An empty connection list leaves only the message row.
    const auto& kinds = m_output.Table.Kinds;
    return !kinds.empty() && std::find(kinds.begin(), kinds.end(), RowKind::Message) == kinds.end();
}

void TDlgExp::BtnExportClick()
{
    // A refused or failed export keeps the dialog, so that the name can be
    // mended rather than typed again.
    if (Export())
        accept();
    else
        m_file->setFocus();
}

bool TDlgExp::Export()
{
    if (!HasData()) {
        ShowInfo(NoDataMessage);
        return true;
    }
    const std::string path = m_file->text().toStdString();
    if (const std::optional<std::string> input = InputNamedBy ? InputNamedBy(path) : std::nullopt) {
        ShowMadeFromError(path, *input, "export to");
        return false;
    }
    // A folder is no file to overwrite: asking would promise a write that
    // cannot happen.
    if (QFileInfo(m_file->text()).isDir()) {
        ShowError(path + " is a folder. Type the name of a file in it.");
        return false;
    }
    if (QFileInfo::exists(m_file->text()) &&
        AskYesNo(path + " already exists. Overwrite the file?") != MessageAnswer::Yes)
        return true;

    // The HTML values may have changed in this dialog.
    const ExportSettings settings = ExportSettingsFor(m_settings);
    try {
        const BusyScope busy;
        WriteExportFile(path, TypeIndex(), m_shown, settings);
    } catch (const ExportError& error) {
        ShowError(error.what());
        return false;
    }
    m_settings.Export.File = path;
    m_settings.Export.Format = TypeIndex();
    ShowInfo("Completed export to " + path + ".");
    return true;
}

} // namespace dialtally
