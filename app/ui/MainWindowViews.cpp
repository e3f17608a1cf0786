// The view commands of the main window: copy, find, zoom, the quick
// toggles and the grid and chart menus.
#include "app/ui/MainWindow.h"

#include "app/ui/CriteriaBarWidget.h"
#include "base/ConversionError.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "reports/GridCriteria.h"
#include "reports/QuickToggles.h"
#include "reports/ReportSort.h"
#include "reports/ui/ChartPicture.h"
#include "reports/ui/FindTextDialog.h"
#include "reports/ui/ReportGridView.h"
#include "reports/ui/ReportTableModel.h"
#include "widgets/RegionalPickerWidget.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace dialtally {

void TMainForm::CopyCommand()
{
    if (m_state.Current.ReportType != "Graph") {
        QApplication::clipboard()->setText(m_grid->SelectedText());
        return;
    }
    CopyChart();
}

void TMainForm::CopyChart()
{
    dialtally::CopyChart(m_chart, m_state.Options.Options.GraphCopyMeta);
}

void TMainForm::SelectAllCommand()
{
    if (m_state.Current.ReportType != "Graph")
        m_grid->SelectAllRows();
}

void TMainForm::ZoomInCommand()
{
    if (m_chart->isVisible())
        m_chart->ZoomIn();
}

void TMainForm::ZoomOutCommand()
{
    if (m_chart->isVisible())
        m_chart->ZoomOut();
}

void TMainForm::ScrollLeftCommand()
{
    if (m_chart->isVisible())
        m_chart->ScrollLeft();
}

void TMainForm::ScrollRightCommand()
{
    if (m_chart->isVisible())
        m_chart->ScrollRight();
}

// ---- Find ----

GridCell TMainForm::CurrentCell() const
{
    if (!m_grid->currentIndex().isValid())
        return {};
    return GridCell{m_grid->CurrentGridColumn(), m_grid->CurrentGridRow()};
}

void TMainForm::ShowSearchResult(const SearchResult& result)
{
    if (result.Cell)
        m_grid->SetCurrentCell(result.Cell->Column, result.Cell->Row);
    else if (result.Message)
        ShowInfo(result.Message);
}

void TMainForm::FindCommand()
{
    if (m_state.Current.ReportType == "Graph")
        return;
    if (!m_findDialog) {
        m_findDialog = new FindTextDialog(this);
        connect(m_findDialog, &FindTextDialog::FindRequested, this,
                [this](const QString& text, const FindOptions& options) {
                    ShowSearchResult(m_search.Find(m_state.Output.Table,
                                                   m_state.Output.Columns.Visible,
                                                   text.toStdString(), options, CurrentCell()));
                });
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void TMainForm::FindNextCommand()
{
    if (m_state.Current.ReportType == "Graph")
        return;
    ShowSearchResult(
        m_search.FindNext(m_state.Output.Table, m_state.Output.Columns.Visible, CurrentCell()));
}

// ---- Quick toggles, details and totals, sorting ----

void TMainForm::ApplyToggle(QuickToggle toggle, std::optional<int> mode)
{
    Rebuild rebuild;
    try {
        rebuild = mode ? ChooseToggleMode(m_state.Current, toggle, *mode)
                       : Cycle(m_state.Current, toggle);
    } catch (const ConversionError& error) {
        ShowError(error.what());
        return;
    }
    if (rebuild == Rebuild::ReadLog)
        ReadLog();
    else
        RebuildFromMemory();
}

void TMainForm::CycleTotalsCommand()
{
    ApplyToggle(QuickToggle::Totals, std::nullopt);
}
void TMainForm::CycleDatesCommand()
{
    ApplyToggle(QuickToggle::Dates, std::nullopt);
}
void TMainForm::CycleTimesCommand()
{
    ApplyToggle(QuickToggle::Times, std::nullopt);
}
void TMainForm::CycleDescriptionsCommand()
{
    ApplyToggle(QuickToggle::Descriptions, std::nullopt);
}

void TMainForm::AttachToggleMenu(QToolButton* button, QuickToggle toggle)
{
    auto* menu = new QMenu(button);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    connect(menu, &QMenu::aboutToShow, this,
            [this, menu, toggle] { FillToggleMenu(menu, toggle); });
}

void TMainForm::FillToggleMenu(QMenu* menu, QuickToggle toggle)
{
    menu->clear();
    auto* group = new QActionGroup(menu);
    const std::vector<ToggleMenuEntry> entries =
        ToggleMenu(m_state.Current, toggle, m_criteria->IncludeText().toStdString(),
                   m_criteria->ExcludeText().toStdString());
    for (const ToggleMenuEntry& entry : entries) {
        if (entry.Mode < 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(entry.Caption));
        action->setCheckable(true);
        action->setChecked(entry.Checked);
        group->addAction(action);
        const int mode = entry.Mode;
        connect(action, &QAction::triggered, this, [this, toggle, mode] {
            // After the menu has closed: the pass repaints the window.
            QTimer::singleShot(0, this, [this, toggle, mode] { ApplyToggle(toggle, mode); });
        });
    }
}

void TMainForm::SetUpViewControls()
{
    AttachToggleMenu(m_totalButton, QuickToggle::Totals);
    AttachToggleMenu(m_criteria->DatesButton(), QuickToggle::Dates);
    AttachToggleMenu(m_criteria->TimesButton(), QuickToggle::Times);
    AttachToggleMenu(m_criteria->DescriptionsButton(), QuickToggle::Descriptions);

    connect(m_criteria, &CriteriaBarWidget::DatesEdited, this,
            [this] { DatePickerChanged(m_state.Current); });
    connect(m_criteria, &CriteriaBarWidget::TimesEdited, this,
            [this] { TimePickerChanged(m_state.Current); });
    connect(m_criteria, &CriteriaBarWidget::DescriptionsEdited, this, [this] {
        DescriptionBoxesChanged(m_state.Current, m_criteria->IncludeText().toStdString(),
                                m_criteria->ExcludeText().toStdString());
    });

    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TMainForm::SortByColumn);
    connect(m_chart, &ReportChartView::PointDoubleClicked, this, [this](const ChartPointRef& p) {
        const ChartSeries& series = m_state.Output.Chart.Of(p.Level);
        const std::string_view label = PointLabel(p);
        const auto sameLabelBefore = static_cast<int>(
            std::count_if(series.Points.begin(), series.Points.begin() + p.Index,
                          [&](const ChartPoint& other) { return series.LabelOf(other) == label; }));
        try {
            if (const auto cell =
                    FindChartPointCell(m_state.Output.Table, m_state.Output.Columns.Visible,
                                       p.Level, label, sameLabelBefore))
                m_grid->SetCurrentCell(cell->Column, cell->Row);
        } catch (const ConversionError& error) {
            ShowError(error.what());
        }
    });
    connect(m_chart, &ReportChartView::LegendClicked, this, &TMainForm::ToggleSeries);
    m_chart->HintText = [this](const ChartPointRef& p) {
        return QString::fromStdString(ChartHintText(PointLabel(p), PointOf(p).Value));
    };
}

const ChartPoint& TMainForm::PointOf(const ChartPointRef& point) const
{
    return m_state.Output.Chart.Series[static_cast<std::size_t>(point.Level)]
        .Points[static_cast<std::size_t>(point.Index)];
}

std::string_view TMainForm::PointLabel(const ChartPointRef& point) const
{
    return m_state.Output.Chart.Of(point.Level).LabelOf(PointOf(point));
}

void TMainForm::ToggleSeries(ChartLevel level)
{
    TCfg& report = m_state.Current;
    std::string* flag = nullptr;
    switch (level) {
    case ChartLevel::Details:
        flag = &report.DetailShow;
        break;
    case ChartLevel::Days:
        flag = &report.TotalDay;
        break;
    case ChartLevel::Weeks:
        flag = &report.TotalWeek;
        break;
    case ChartLevel::Months:
        flag = &report.TotalMonth;
        break;
    case ChartLevel::Years:
        flag = &report.TotalYear;
        break;
    }
    *flag = ToggleFlagText(*flag);
    RebuildFromMemory();
}

void TMainForm::ToggleDetails()
{
    try {
        dialtally::ToggleDetails(m_state.Current);
    } catch (const ConversionError& error) {
        ShowError(error.what());
        return;
    }
    RebuildFromMemory();
}

void TMainForm::ToggleTotals()
{
    try {
        dialtally::ToggleTotals(m_state.Current);
    } catch (const ConversionError& error) {
        ShowError(error.what());
        return;
    }
    RebuildFromMemory();
}

void TMainForm::SetView(const std::string& type)
{
    if (dialtally::SetView(m_state.Current, type))
        ShowReport(m_state.Current);
    else
        UpdateViewMenu();
}

void TMainForm::SortByColumn(int column)
{
    if (m_passRunning)
        return;
    // The sort lets repaints run: a report handed over or a close meanwhile
    // waits for its end, as during a pass, rather than rebuilding the table
    // under it.
    m_passRunning = true;
    m_model->BeginRebuild();
    std::string failure;
    try {
        SortByColumnClick(m_state.Output.Table, m_state.Output.Sort, m_state.Current, column,
                          m_state.Options.Options.DurationDec);
    } catch (const ConversionError& error) {
        failure = error.what();
    }
    m_model->EndRebuild();
    m_passRunning = false;
    if (!failure.empty()) {
        ShowError(failure);
        ShowSortIndicator();
    } else {
        // The header flips its own indicator after the click; ours wins.
        QTimer::singleShot(0, this, &TMainForm::ShowSortIndicator);
    }
    RunWhatWaited();
}

void TMainForm::ShowSortIndicator()
{
    QHeaderView* header = m_grid->horizontalHeader();
    const SortIndicator& sort = m_state.Output.Sort;
    header->setSortIndicatorShown(sort.Shown);
    if (sort.Shown)
        header->setSortIndicator(sort.Column,
                                 sort.Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

// ---- The grid and chart menus ----

void TMainForm::ShowCellMenu(const QPoint& globalPos, int column, int gridRow)
{
    QMenu menu(this);
    menu.addAction(Act(MainAction::EditCopy));
    menu.addAction(Act(MainAction::EditSelectAll));
    menu.addSeparator();
    menu.addAction(Act(MainAction::EditFind));
    const CellCriteriaItems items = CellCriteriaFor(m_state.Output.Table, column, gridRow);
    if (items.Kind != CellCriteriaKind::None) {
        const bool description = items.Kind == CellCriteriaKind::Description;
        QAction* include = menu.addAction(QString::fromStdString(items.IncludeCaption));
        QAction* exclude = menu.addAction(QString::fromStdString(items.ExcludeCaption));
        include->setObjectName(QStringLiteral("CellInclude"));
        exclude->setObjectName(QStringLiteral("CellExclude"));
        const auto apply = [this, items, description](bool first) {
            if (description) {
                const QString word = QString::fromStdString(items.Text);
                if (first)
                    m_criteria->AddIncludeWord(word);
                else
                    m_criteria->AddExcludeWord(word);
                RefreshReport();
                return;
            }
            try {
                const QDate date = ToQDate(CellCriteriaDate(items));
                m_state.Current.CriteriaDateAll = "0";
                if (first)
                    m_criteria->SetBeginDate(date);
                else
                    m_criteria->SetEndDate(date);
            } catch (const ConversionError& error) {
                ShowError(error.what());
                return;
            }
            RefreshReport();
        };
        connect(include, &QAction::triggered, this, [apply] { apply(true); });
        connect(exclude, &QAction::triggered, this, [apply] { apply(false); });
    }
    menu.addSeparator();
    QAction* properties = menu.addAction(QStringLiteral("&Properties..."));
    connect(properties, &QAction::triggered, this, [this] { OpenProperties(3); });
    emit CellMenuShowing(&menu);
    menu.exec(globalPos);
}

void TMainForm::ShowChartMenu(const QPoint& globalPos, std::optional<ChartPointRef> point)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"));
    connect(copy, &QAction::triggered, this, &TMainForm::CopyChart);
    QAction* save = menu.addAction(QStringLiteral("&Save Graph As..."));
    connect(save, &QAction::triggered, this, &TMainForm::SaveChartCommand);
    menu.addSeparator();
    QMenu* zoom = menu.addMenu(QStringLiteral("&Zoom"));
    zoom->addAction(Act(MainAction::ZoomIn));
    zoom->addAction(Act(MainAction::ZoomOut));
    zoom->addSeparator();
    zoom->addAction(Act(MainAction::ScrollLeft));
    zoom->addAction(Act(MainAction::ScrollRight));
    if (point) {
        try {
            const ChartPointItems items = ChartPointItemsFor(point->Level, PointLabel(*point));
            QAction* begin = menu.addAction(QString::fromStdString(items.BeginCaption));
            QAction* end = menu.addAction(QString::fromStdString(items.EndCaption));
            begin->setObjectName(QStringLiteral("ChartBegin"));
            end->setObjectName(QStringLiteral("ChartEnd"));
            const QDate from = ToQDate(items.Dates.Begin), to = ToQDate(items.Dates.End);
            connect(begin, &QAction::triggered, this, [this, from] {
                m_state.Current.CriteriaDateAll = "0";
                m_criteria->SetBeginDate(from);
                RefreshReport();
            });
            connect(end, &QAction::triggered, this, [this, to] {
                m_state.Current.CriteriaDateAll = "0";
                m_criteria->SetEndDate(to);
                RefreshReport();
            });
        } catch (const ConversionError&) {
            // A label that names no date offers no dates.
        }
    }
    menu.addSeparator();
    QAction* properties = menu.addAction(QStringLiteral("&Properties..."));
    connect(properties, &QAction::triggered, this, [this] { OpenProperties(3); });
    emit CellMenuShowing(&menu);
    menu.exec(globalPos);
}

} // namespace dialtally
