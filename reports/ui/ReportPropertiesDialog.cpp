#include "reports/ui/ReportPropertiesDialog.h"

#include "base/ConversionError.h"
#include "base/Messages.h"
#include "widgets/CheckListWidget.h"
#include "widgets/DialogParts.h"
#include "widgets/HelpWindow.h"
#include "widgets/RegionalPickerWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace dialtally {

namespace {

constexpr int DialogTopic = 2020;
constexpr std::array<int, 3> PageTopics = {2030, 2040, 2050};

QComboBox* FixedList(const char* name, const QStringList& items)
{
    auto* list = Named(new QComboBox, name);
    list->addItems(items);
    return list;
}

QStringList ToQStrings(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const std::string& text : texts)
        list << LogText(text);
    return list;
}

struct LabelledControl {
    QLabel* Label;
    QWidget* Control;
};

enum Arrangement { Beside, Stacked };

// A criterion's group: its "All" box over the from and to controls, side by
// side for the short date and time pickers, one over the other for the
// wide description boxes.
QGroupBox* CriterionGroup(const QString& title, QCheckBox* all, LabelledControl from,
                          LabelledControl to, Arrangement arrangement)
{
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    const bool beside = arrangement == Beside;
    grid->addWidget(all, 0, 0, 1, beside ? 4 : 2);
    grid->addWidget(from.Label, 1, 0);
    grid->addWidget(from.Control, 1, 1);
    grid->addWidget(to.Label, beside ? 1 : 2, beside ? 2 : 0);
    grid->addWidget(to.Control, beside ? 1 : 2, beside ? 3 : 1);
    if (beside)
        grid->setColumnStretch(4, 1);
    return group;
}

} // namespace

TDlgProp::TDlgProp(TCfg& current, const TCfg& workingCopy, const TLCfg& formats,
                   const TProv& providers, int startPage, const std::string& caption,
                   QWidget* parent)
    : QDialog(parent), m_current(current), m_workingCopy(workingCopy), m_formats(formats),
      m_providers(providers), m_startPage(startPage >= 0 && startPage <= 3 ? startPage : 1)
{
    setObjectName(QStringLiteral("DlgProp"));
    setWindowTitle(QString::fromStdString(caption));

    m_pages = Named(new QTabWidget, "PageControl");
    m_pages->addTab(BuildGeneralPage(), tr("General"));
    m_pages->addTab(BuildCriteriaPage(), tr("Criteria"));
    m_pages->addTab(BuildContentPage(), tr("Content"));

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("OK"), "BtnOkProp", [this] { BtnOkPropClick(); }, true},
                             {tr("Cancel"), "BtnCancelProp", [this] { BtnCancelPropClick(); }},
                             {tr("&Apply"), "BtnApplyProp", [this] { BtnApplyPropClick(); }}});
    m_ok = buttons.Buttons[0];
    m_cancel = buttons.Buttons[1];
    m_apply = buttons.Buttons[2];

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons.Layout);
    setMinimumWidth(460);
    TurnPagesByKeyboard(m_pages);

    ConnectChanges();
}

QWidget* TDlgProp::BuildGeneralPage()
{
    m_title = Named(new QLineEdit, "EditTitle");
    m_view[0] = Named(new QRadioButton(tr("&Text")), "RadioText");
    m_view[1] = Named(new QRadioButton(tr("&Graph")), "RadioGraph");
    m_view[2] = Named(new QRadioButton(tr("&Split")), "RadioSplit");
    auto* viewRow = new QHBoxLayout;
    for (QRadioButton* button : m_view)
        viewRow->addWidget(button);
    viewRow->addStretch();

    auto* report = new QGroupBox(tr("Report"));
    auto* reportForm = new QFormLayout(report);
    reportForm->addRow(BuddyLabel(tr("T&itle"), m_title), m_title);
    reportForm->addRow(tr("View"), viewRow);

    m_logFile = Named(new QComboBox, "ComboLogFile");
    m_costs = Named(new QListWidget, "ListBoxProv");
    m_costs->setMinimumHeight(120);
    auto* configuration = new QGroupBox(tr("Configuration"));
    auto* configurationForm = new QFormLayout(configuration);
    configurationForm->addRow(BuddyLabel(tr("&Log file"), m_logFile), m_logFile);
    configurationForm->addRow(BuddyLabel(tr("&Costs:"), m_costs), m_costs);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(report);
    layout->addWidget(configuration, 1);
    return page;
}

QWidget* TDlgProp::BuildCriteriaPage()
{
    m_dateAll = Named(new QCheckBox(tr("All &dates")), "CheckBoxDateAll");
    m_dateFrom = Named(new QDateEdit, "DateFrom");
    m_dateTo = Named(new QDateEdit, "DateTo");
    SetupRegionalDatePicker(m_dateFrom);
    SetupRegionalDatePicker(m_dateTo);
    m_dateFromLabel = BuddyLabel(tr("&From"), m_dateFrom);
    m_dateToLabel = BuddyLabel(tr("T&o"), m_dateTo);
    QGroupBox* dates = CriterionGroup(tr("Dates"), m_dateAll, {m_dateFromLabel, m_dateFrom},
                                      {m_dateToLabel, m_dateTo}, Beside);

    m_timeAll = Named(new QCheckBox(tr("All &times")), "CheckBoxTimeAll");
    m_timeFrom = Named(new QTimeEdit, "TimeFrom");
    m_timeTo = Named(new QTimeEdit, "TimeTo");
    SetupRegionalTimePicker(m_timeFrom);
    SetupRegionalTimePicker(m_timeTo);
    // The dates' and the times' labels read alike.
    m_dateFrom->setAccessibleName(tr("Date from"));
    m_dateTo->setAccessibleName(tr("Date to"));
    m_timeFrom->setAccessibleName(tr("Time from"));
    m_timeTo->setAccessibleName(tr("Time to"));
    m_timeFromLabel = BuddyLabel(tr("From"), m_timeFrom);
    m_timeToLabel = BuddyLabel(tr("To"), m_timeTo);
    QGroupBox* times = CriterionGroup(tr("Times"), m_timeAll, {m_timeFromLabel, m_timeFrom},
                                      {m_timeToLabel, m_timeTo}, Beside);

    m_descripAll = Named(new QCheckBox(tr("All d&escriptions")), "CheckBoxDescripAll");
    m_include = Named(new QLineEdit, "EditInclude");
    m_exclude = Named(new QLineEdit, "EditExclude");
    m_includeLabel = BuddyLabel(tr("&Include"), m_include);
    m_excludeLabel = BuddyLabel(tr("E&xclude"), m_exclude);
    QGroupBox* descriptions =
        CriterionGroup(tr("Descriptions"), m_descripAll, {m_includeLabel, m_include},
                       {m_excludeLabel, m_exclude}, Stacked);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(dates);
    layout->addWidget(times);
    layout->addWidget(descriptions);
    layout->addStretch();
    return page;
}

QWidget* TDlgProp::BuildContentPage()
{
    m_detailShow = Named(new QCheckBox(tr("&Details:")), "CheckBoxDetails");
    m_details = Named(new CheckListWidget, "CheckListDetails");
    m_details->SetItems({tr("Date On"), tr("Time On"), tr("Date Off"), tr("Time Off"),
                         tr("Duration"), tr("Cost"), tr("Description")});
    m_totalShow = Named(new QCheckBox(tr("&Totals:")), "CheckBoxTotals");
    m_totals = Named(new CheckListWidget, "CheckListTotals");
    m_totals->SetItems({tr("Day"), tr("Week"), tr("Month"), tr("Year"), tr("Total")});
    m_details->setAccessibleName(PlainCaption(m_detailShow->text()));
    m_totals->setAccessibleName(PlainCaption(m_totalShow->text()));
    auto* data = new QGroupBox(tr("Data"));
    auto* dataGrid = new QGridLayout(data);
    dataGrid->addWidget(m_detailShow, 0, 0);
    dataGrid->addWidget(m_details, 0, 1);
    dataGrid->addWidget(m_totalShow, 1, 0);
    dataGrid->addWidget(m_totals, 1, 1);
    dataGrid->setColumnStretch(1, 1);

    m_colSize = FixedList("ComboSize", {tr("Autosize"), tr("Equal")});
    m_colAlign = FixedList("ComboAlign", {tr("Left"), tr("Right")});
    m_colStretch = Named(new QCheckBox(tr("St&retch")), "CheckBoxStretch");
    auto* text = new QGroupBox(tr("Text"));
    auto* textForm = new QFormLayout(text);
    textForm->addRow(BuddyLabel(tr("&Size"), m_colSize), m_colSize);
    textForm->addRow(BuddyLabel(tr("Al&ign"), m_colAlign), m_colAlign);
    textForm->addRow(m_colStretch);

    m_graphYAxis = FixedList("ComboYAxis",
                             {tr("Hours"), tr("Minutes"), tr("Seconds"), tr("Cost"), tr("Count")});
    m_graph3d = FixedList("ComboStyle", {tr("2D"), tr("3D")});
    m_graphValues = Named(new QCheckBox(tr("&Labels")), "CheckBoxLabels");
    m_graphLegend = Named(new QCheckBox(tr("Lege&nd")), "CheckBoxLegend");
    auto* graph = new QGroupBox(tr("Graph"));
    auto* graphForm = new QFormLayout(graph);
    graphForm->addRow(BuddyLabel(tr("&Y-Axis"), m_graphYAxis), m_graphYAxis);
    graphForm->addRow(BuddyLabel(tr("Styl&e"), m_graph3d), m_graph3d);
    graphForm->addRow(m_graphValues);
    graphForm->addRow(m_graphLegend);

    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->addWidget(data, 0, 0, 1, 2);
    layout->addWidget(text, 1, 0);
    layout->addWidget(graph, 1, 1);
    layout->setRowStretch(2, 1);
    return page;
}

void TDlgProp::ConnectChanges()
{
    const auto change = [this] { ControlChange(); };
    for (QLineEdit* edit : {m_title, m_include, m_exclude})
        connect(edit, &QLineEdit::textChanged, this, change);
    for (QRadioButton* button : m_view)
        connect(button, &QRadioButton::toggled, this, change);
    for (QComboBox* list : {m_logFile, m_colSize, m_colAlign, m_graphYAxis, m_graph3d})
        connect(list, &QComboBox::currentIndexChanged, this, change);
    connect(m_costs, &QListWidget::itemChanged, this, change);
    for (QDateEdit* picker : {m_dateFrom, m_dateTo})
        connect(picker, &QDateEdit::dateChanged, this, change);
    for (QTimeEdit* picker : {m_timeFrom, m_timeTo})
        connect(picker, &QTimeEdit::timeChanged, this, change);
    for (CheckListWidget* list : {m_details, m_totals})
        connect(list, &CheckListWidget::checkedChanged, this, change);
    for (QCheckBox* box : {m_dateAll, m_timeAll, m_descripAll, m_detailShow, m_totalShow,
                           m_colStretch, m_graphValues, m_graphLegend}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            SyncEnabling();
            ControlChange();
        });
    }
}

bool TDlgProp::FormShow()
{
    PropertiesValues values;
    try {
        values = ReadPropertiesValues(m_workingCopy, m_formats, m_providers);
    } catch (const ConversionError& error) {
        ShowError(error.what());
        return false;
    }
    m_filling = true;
    FillControls(values);
    m_filling = false;
    SyncEnabling();
    m_pages->setCurrentIndex(m_startPage == 0 ? 0 : m_startPage - 1);
    m_apply->setEnabled(m_startPage == 0);
    return true;
}

void TDlgProp::FillControls(const PropertiesValues& v)
{
    m_filled = v;
    m_title->setText(LogText(v.Title));
    for (std::size_t i = 0; i < m_view.size(); ++i) {
        // Exclusive buttons cannot all be switched off once one is on.
        m_view[i]->setAutoExclusive(false);
        m_view[i]->setChecked(static_cast<int>(i) == v.View);
        m_view[i]->setAutoExclusive(true);
    }

    m_logTypes = v.LogTypes;
    m_logFile->clear();
    m_logFile->addItems(ToQStrings(v.LogTypes));
    m_logFile->setCurrentIndex(v.LogIndex);

    m_providerNames = v.Providers;
    m_costs->clear();
    for (std::size_t i = 0; i < v.Providers.size(); ++i) {
        auto* item = new QListWidgetItem(LogText(v.Providers[i]), m_costs);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(v.ProviderTicks[i] ? Qt::Checked : Qt::Unchecked);
    }

    m_dateAll->setChecked(v.DateAll);
    m_dateFrom->setDate(ToQDate(v.DateFrom));
    m_dateTo->setDate(ToQDate(v.DateTo));
    m_timeAll->setChecked(v.TimeAll);
    m_timeFrom->setTime(ToQTime(v.TimeFrom));
    m_timeTo->setTime(ToQTime(v.TimeTo));
    m_descripAll->setChecked(v.DescripAll);
    m_include->setText(LogText(v.Include));
    m_exclude->setText(LogText(v.Exclude));

    m_detailShow->setChecked(v.DetailShow);
    for (std::size_t i = 0; i < v.Details.size(); ++i)
        m_details->SetChecked(static_cast<int>(i), v.Details[i]);
    m_totalShow->setChecked(v.TotalShow);
    for (std::size_t i = 0; i < v.Totals.size(); ++i)
        m_totals->SetChecked(static_cast<int>(i), v.Totals[i]);
    m_colSize->setCurrentIndex(v.ColSize);
    m_colAlign->setCurrentIndex(v.ColAlign);
    m_colStretch->setChecked(v.ColStretch);
    m_graphYAxis->setCurrentIndex(v.GraphYAxis);
    m_graph3d->setCurrentIndex(v.Graph3d);
    m_graphValues->setChecked(v.GraphValues);
    m_graphLegend->setChecked(v.GraphLegend);
}

PropertiesValues TDlgProp::ControlValues() const
{
    PropertiesValues v;
    v.Title = EditedText(m_title->text(), m_filled.Title);
    for (std::size_t i = 0; i < m_view.size(); ++i) {
        if (m_view[i]->isChecked())
            v.View = static_cast<int>(i);
    }
    v.LogTypes = m_logTypes;
    v.LogIndex = m_logFile->currentIndex();
    v.Providers = m_providerNames;
    for (int i = 0; i < m_costs->count(); ++i)
        v.ProviderTicks.push_back(m_costs->item(i)->checkState() == Qt::Checked);

    v.DateAll = m_dateAll->isChecked();
    v.DateFrom = FromQDate(m_dateFrom->date());
    v.DateTo = FromQDate(m_dateTo->date());
    v.TimeAll = m_timeAll->isChecked();
    v.TimeFrom = FromQTime(m_timeFrom->time());
    v.TimeTo = FromQTime(m_timeTo->time());
    v.DescripAll = m_descripAll->isChecked();
    v.Include = EditedText(m_include->text(), m_filled.Include);
    v.Exclude = EditedText(m_exclude->text(), m_filled.Exclude);

    v.DetailShow = m_detailShow->isChecked();
    for (std::size_t i = 0; i < v.Details.size(); ++i)
        v.Details[i] = m_details->IsChecked(static_cast<int>(i));
    v.TotalShow = m_totalShow->isChecked();
    for (std::size_t i = 0; i < v.Totals.size(); ++i)
        v.Totals[i] = m_totals->IsChecked(static_cast<int>(i));
    v.ColSize = m_colSize->currentIndex();
    v.ColAlign = m_colAlign->currentIndex();
    v.ColStretch = m_colStretch->isChecked();
    v.GraphYAxis = m_graphYAxis->currentIndex();
    v.Graph3d = m_graph3d->currentIndex();
    v.GraphValues = m_graphValues->isChecked();
    v.GraphLegend = m_graphLegend->isChecked();
    return v;
}

void TDlgProp::WriteControls()
{
    WritePropertiesValues(ControlValues(), m_current);
}

void TDlgProp::SyncEnabling()
{
    const bool dates = !m_dateAll->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_dateFromLabel, m_dateToLabel, m_dateFrom, m_dateTo})
        w->setEnabled(dates);
    const bool times = !m_timeAll->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_timeFromLabel, m_timeToLabel, m_timeFrom, m_timeTo})
        w->setEnabled(times);
    const bool words = !m_descripAll->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_includeLabel, m_excludeLabel, m_include, m_exclude})
        w->setEnabled(words);
    m_details->setEnabled(m_detailShow->isChecked());
    m_totals->setEnabled(m_totalShow->isChecked());
}

void TDlgProp::ControlChange()
{
    if (!m_filling)
        m_apply->setEnabled(true);
}

bool TDlgProp::ApplyEnabled() const
{
    return m_apply->isEnabled();
}

bool TDlgProp::Run()
{
    if (!FormShow())
        return false;
    return exec() == QDialog::Accepted;
}

void TDlgProp::BtnOkPropClick()
{
    if (!m_apply->isEnabled()) {
        reject();
        return;
    }
    WriteControls();
    accept();
}

void TDlgProp::BtnCancelPropClick()
{
    reject();
}

void TDlgProp::BtnApplyPropClick()
{
    if (!m_apply->isEnabled())
        return;
    WriteControls();
    m_apply->setEnabled(false);
    if (OnApply)
        OnApply();
}

void TDlgProp::ShowHelp()
{
    QWidget* focus = focusWidget();
    QWidget* page = m_pages->currentWidget();
    const bool onPage = focus && page && page->isAncestorOf(focus);
    const int index = m_pages->currentIndex();
    HelpWindow::ShowTopic(onPage && index >= 0 && index < 3
                              ? PageTopics[static_cast<std::size_t>(index)]
                              : DialogTopic);
}

void TDlgProp::keyPressEvent(QKeyEvent* event)
{
    // F1 reaches the dialog from whichever control has the focus.
    if (event->matches(QKeySequence::HelpContents)) {
        ShowHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TDlgProp::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
    FocusFirstControl(m_pages->currentWidget());
}

} // namespace dialtally
