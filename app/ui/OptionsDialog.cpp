#include "app/ui/OptionsDialog.h"

#include "app/ProgramOptionNodes.h"
#include "app/ReportFileType.h"
#include "app/ui/OptionsPreviewWidget.h"
#include "reports/ReportDocument.h"
#include "reports/ReportFile.h"
#include "reports/ui/DisplayStyle.h"
#include "widgets/DialogParts.h"
#include "widgets/HelpWindow.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialtally {

namespace {

// The items of the two lists, in list order.
enum TextItem { TextBackground, TextTotalBackground, TextTitleFont, TextDetailFont, TextTotalFont };
enum GraphItem { GraphBackground, GraphTitleFont, GraphAxisFont, GraphLabelFont };

constexpr int NodeRole = Qt::UserRole;

QLabel* WrappedText(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QListWidget* ItemList(const char* name, const QStringList& items, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    list->setCurrentRow(0);
    list->setFixedHeight(list->sizeHintForRow(0) * 5 + 2 * list->frameWidth() + 4);
    return list;
}

// A reset keeps what the built-in value does not name: the pitch.
void ResetFont(FontSpec& font, const FontSpec& builtIn)
{
    const FontPitch pitch = font.Pitch;
    font = builtIn;
    font.Pitch = pitch;
}

} // namespace

TDlgOpt::TDlgOpt(Settings& settings, bool& fileTypeRegistered, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_fileTypeRegistered(fileTypeRegistered),
      m_text(settings.Text), m_graph(settings.Graph), m_options(settings.Options)
{
    setObjectName(QStringLiteral("DlgOpt"));
    setWindowTitle(tr("Options"));
    AskOpenFileName = [this](const FileDialogRequest& request) -> std::optional<std::string> {
        QFileDialog dialog(this, tr("Open"), QString::fromStdString(request.InitialFolder),
                           tr("Dialtally Reports (*.rep)"));
        if (!request.FileName.empty())
            dialog.selectFile(QString::fromStdString(request.FileName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first().toStdString();
    };
    AskFont = [this](const QFont& initial) -> std::optional<QFont> {
        // A face the system lacks ("MS Sans Serif") would open the dialog
        // on some other face and drop the style; start at the face drawn.
        QFont shown = initial;
        shown.setFamily(QFontInfo(initial).family());
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, shown, this);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    AskColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));
    m_pages->addTab(MakeFilePage(), tr("File"));
    m_pages->addTab(MakeDisplayPage(), tr("Display"));
    m_pages->addTab(MakeGeneralPage(), tr("General"));
    m_pages->setCurrentIndex(0);

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("OK"), "BtnOk", [this] { BtnOkClick(); }, true},
                             {tr("Cancel"), "BtnCancel", {}},
                             {tr("&Apply"), "BtnApply", [this] { BtnApplyClick(); }}});
    for (QPushButton* button : buttons.Buttons)
        button->setAutoDefault(false);
    m_apply = buttons.Buttons[2];
    m_apply->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons.Layout);
    resize(540, 460);
    TurnPagesByKeyboard(m_pages);
}

QWidget* TDlgOpt::MakeFilePage()
{
    auto* page = new QWidget;
    m_editDefault = new QLineEdit(QString::fromStdString(m_settings.Files.Default), page);
    m_editDefault->setObjectName(QStringLiteral("EditDefault"));
    m_editDefault->setAccessibleName(tr("Default report"));
    auto* browse = Button(tr("&Browse..."), "BtnBrowse", page);
    m_fileType = Button(QString::fromStdString(FileTypeButtonCaption(m_fileTypeRegistered)),
                        "BtnFileType", page);
    connect(m_editDefault, &QLineEdit::textChanged, this, &TDlgOpt::EditDefaultChange);
    connect(browse, &QPushButton::clicked, this, &TDlgOpt::BtnBrowseClick);
    connect(m_fileType, &QPushButton::clicked, this, &TDlgOpt::BtnFileTypeClick);

    auto* reportRow = new QHBoxLayout;
    reportRow->addWidget(m_editDefault, 1);
    reportRow->addWidget(browse);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(m_fileType);
    typeRow->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WrappedText(tr("Select the Default report.  This report is easily accessed "
                                     "and serves as a template for new reports."),
                                  page));
    layout->addLayout(reportRow);
    layout->addSpacing(16);
    layout->addWidget(WrappedText(tr("A file type can be added for saved reports.  This provides "
                                     "access to the reports in My Computer, Windows Explorer and "
                                     "the Documents menu."),
                                  page));
    layout->addLayout(typeRow);
    layout->addStretch();
    return page;
}

QWidget* TDlgOpt::MakeDisplayPage()
{
    auto* page = new QWidget;
    m_textList = ItemList("ListBoxText",
                          {tr("Background color"), tr("Total background color"), tr("Title font"),
                           tr("Detail font"), tr("Total font")},
                          page);
    m_graphList = ItemList(
        "ListBoxGraph",
        {tr("Background color"), tr("Title font"), tr("Axis font"), tr("Label font")}, page);
    m_textList->installEventFilter(this);
    m_graphList->installEventFilter(this);
    QLabel* textLabel = BuddyLabel(tr("&Text:"), m_textList);
    QLabel* graphLabel = BuddyLabel(tr("&Graph:"), m_graphList);
    auto* change = Button(tr("&Change..."), "BtnChange", page);
    auto* reset = Button(tr("&Default"), "BtnDefault", page);
    connect(change, &QPushButton::clicked, this, &TDlgOpt::BtnChangeClick);
    connect(reset, &QPushButton::clicked, this, &TDlgOpt::BtnDefaultClick);
    connect(m_textList, &QListWidget::itemDoubleClicked, this, &TDlgOpt::BtnChangeClick);
    connect(m_graphList, &QListWidget::itemDoubleClicked, this, &TDlgOpt::BtnChangeClick);

    m_preview = new OptionsPreviewWidget(m_settings.Options.DayInclude, page);
    m_preview->ShowText(m_text);
    m_preview->ShowGraph(m_graph);

    auto* actions = new QVBoxLayout;
    actions->addWidget(change);
    actions->addWidget(reset);
    actions->addStretch();
    auto* layout = new QGridLayout(page);
    layout->addWidget(textLabel, 0, 0);
    layout->addWidget(graphLabel, 0, 1);
    layout->addWidget(m_textList, 1, 0);
    layout->addWidget(m_graphList, 1, 1);
    layout->addLayout(actions, 1, 2);
    layout->addWidget(m_preview, 2, 0, 1, 3);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget* TDlgOpt::MakeGeneralPage()
{
    auto* page = new QWidget;
    m_tree = new QTreeWidget(page);
    m_tree->setObjectName(QStringLiteral("TreeViewOpt"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setItemsExpandable(false);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->installEventFilter(this);
    QTreeWidgetItem* group = nullptr;
    const auto& nodes = ProgramOptionNodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const QString name = QString::fromLatin1(nodes[i].Group);
        if (!group || group->text(0) != name)
            group = new QTreeWidgetItem(m_tree, {name});
        auto* node = new QTreeWidgetItem(group, {QString::fromLatin1(nodes[i].Label)});
        node->setData(0, NodeRole, static_cast<int>(i));
    }
    m_tree->expandAll();
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    ShowTicks();
    connect(m_tree, &QTreeWidget::itemClicked, this, &TDlgOpt::TreeViewOptClick);

    QLabel* label = BuddyLabel(tr("&Program settings:"), m_tree);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(label);
    layout->addWidget(m_tree);
    return page;
}

void TDlgOpt::SetReportLayout(const TCfg& report)
{
    m_preview->SetReportLayout(report);
}

void TDlgOpt::ShowTicks()
{
    static const QIcon ticked(QStringLiteral(":/icons/ticked.svg"));
    static const QIcon unticked(QStringLiteral(":/icons/unticked.svg"));
    const auto& nodes = ProgramOptionNodes();
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_tree->topLevelItem(g);
        for (int n = 0; n < group->childCount(); ++n) {
            QTreeWidgetItem* node = group->child(n);
            const auto index = static_cast<std::size_t>(node->data(0, NodeRole).toInt());
            node->setIcon(0, m_options.*nodes[index].Setting ? ticked : unticked);
        }
    }
}

void TDlgOpt::Changed()
{
    m_apply->setEnabled(true);
}

void TDlgOpt::EditDefaultChange()
{
    Changed();
}

void TDlgOpt::BtnBrowseClick()
{
    const std::string text = m_editDefault->text().toStdString();
    const std::string folder = FolderOf(text);
    const std::optional<std::string> chosen =
        AskOpenFileName({ReportDocument::ReportFilter, 1,
                         folder.empty() ? m_settings.Files.Path : folder, FileNameOf(text)});
    if (chosen)
        m_editDefault->setText(QString::fromStdString(WithReportExtension(*chosen)));
}

void TDlgOpt::BtnFileTypeClick()
{
    ToggleReportFileType(m_fileTypeRegistered);
    m_fileType->setText(QString::fromStdString(FileTypeButtonCaption(m_fileTypeRegistered)));
}

QListWidget* TDlgOpt::ActiveList() const
{
    return m_graphListActive ? m_graphList : m_textList;
}

void TDlgOpt::BtnChangeClick()
{
    QListWidget* list = ActiveList();
    list->setFocus();
    const int item = list->currentRow();
    if (item < 0)
        return;
    const bool changed = list == m_textList ? EditTextItem(item) : EditGraphItem(item);
    if (!changed)
        return;
    m_preview->ShowText(m_text);
    m_preview->ShowGraph(m_graph);
    Changed();
}

bool TDlgOpt::EditTextItem(int item)
{
    if (item == TextBackground || item == TextTotalBackground) {
        TColor& color = item == TextBackground ? m_text.Background : m_text.TotalBackground;
        const std::optional<QColor> chosen = AskColor(ScreenColor(color));
        if (chosen)
            color = TColorOf(*chosen);
        return chosen.has_value();
    }
    FontSpec& font = item == TextTitleFont    ? m_text.TitleFont
                     : item == TextDetailFont ? m_text.DetailFont
                                              : m_text.TotalFont;
    const std::optional<QFont> chosen = AskFont(QtFont(font));
    if (chosen)
        font = FontSpecOf(*chosen, font.Color);
    return chosen.has_value();
}

bool TDlgOpt::EditGraphItem(int item)
{
    if (item == GraphBackground) {
        const std::optional<QColor> chosen = AskColor(ScreenColor(m_graph.Background));
        if (chosen)
            m_graph.Background = TColorOf(*chosen);
        return chosen.has_value();
    }
    // The title font is the left axis title's too, the axis font both
    // axes' labels, the label font the legend's and the value marks'.
    FontSpec& font = item == GraphTitleFont  ? m_graph.TitleFont
                     : item == GraphAxisFont ? m_graph.AxisFont
                                             : m_graph.LabelFont;
    const std::optional<QFont> chosen = AskFont(QtFont(font));
    if (chosen)
        font = FontSpecOf(*chosen, font.Color);
    return chosen.has_value();
}

void TDlgOpt::BtnDefaultClick()
{
    QListWidget* list = ActiveList();
    list->setFocus();
    const int item = list->currentRow();
    if (item < 0)
        return;
    if (list == m_textList)
        ResetTextItem(item);
    else
        ResetGraphItem(item);
    m_preview->ShowText(m_text);
    m_preview->ShowGraph(m_graph);
    Changed();
}

void TDlgOpt::ResetTextItem(int item)
{
    const TextDisplay builtIn;
    switch (item) {
    case TextBackground:
        m_text.Background = builtIn.Background;
        break;
    case TextTotalBackground:
        m_text.TotalBackground = builtIn.TotalBackground;
        break;
    case TextTitleFont:
        ResetFont(m_text.TitleFont, builtIn.TitleFont);
        break;
    case TextDetailFont:
        ResetFont(m_text.DetailFont, builtIn.DetailFont);
        break;
    default:
        ResetFont(m_text.TotalFont, builtIn.TotalFont);
        break;
    }
}

void TDlgOpt::ResetGraphItem(int item)
{
    const GraphDisplay builtIn;
    switch (item) {
    case GraphBackground:
        m_graph.Background = builtIn.Background;
        break;
    case GraphTitleFont:
        ResetFont(m_graph.TitleFont, builtIn.TitleFont);
        break;
    case GraphAxisFont:
        ResetFont(m_graph.AxisFont, builtIn.AxisFont);
        break;
    default:
        ResetFont(m_graph.LabelFont, builtIn.LabelFont);
        break;
    }
}

void TDlgOpt::TreeViewOptClick(QTreeWidgetItem* item)
{
    // Groups carry no switch.
    if (!item || !item->parent())
        return;
    const auto index = static_cast<std::size_t>(item->data(0, NodeRole).toInt());
    ToggleProgramOption(m_options, ProgramOptionNodes()[index].Setting);
    ShowTicks();
    Changed();
}

void TDlgOpt::WriteOptions()
{
    // Taken as typed: a path that names no file gives the built-in template.
    m_settings.Files.Default = m_editDefault->text().toStdString();
    m_settings.Text = m_text;
    m_settings.Graph = m_graph;
    m_settings.Options = m_options;
}

void TDlgOpt::BtnApplyClick()
{
    WriteOptions();
    if (OnApply)
        OnApply();
    m_apply->setEnabled(false);
}

void TDlgOpt::BtnOkClick()
{
    if (!m_apply->isEnabled()) {
        reject();
        return;
    }
    WriteOptions();
    accept();
    if (OnApply)
        OnApply();
}

bool TDlgOpt::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == m_textList || watched == m_graphList))
        m_graphListActive = watched == m_graphList;
    if (watched == m_tree && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        TreeViewOptClick(m_tree->currentItem());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgOpt::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_F1) {
        QDialog::keyPressEvent(event);
        return;
    }
    static constexpr int PageTopics[] = {FilePageTopic, DisplayPageTopic, GeneralPageTopic};
    const QWidget* focus = focusWidget();
    const QWidget* page = m_pages->currentWidget();
    const bool onPage = focus && page && page->isAncestorOf(focus);
    HelpWindow::ShowTopic(onPage ? PageTopics[m_pages->currentIndex()] : HelpTopic);
}

void TDlgOpt::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FocusFirstControl(m_pages->currentWidget());
}

} // namespace dialtally
