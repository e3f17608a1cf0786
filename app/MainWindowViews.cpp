// The view commands of the main window: copy, find, zoom, the quick
// toggles and the grid and chart menus.
#include "app/MainWindow.h"

#include "app/CriteriaBarWidget.h"
#include "reports/ChartPictureQt.h"
#include "reports/ReportGridView.h"
#include "reports/ReportTableModel.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>

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
    ::CopyChart(m_chart, m_state.Options.Options.GraphCopyMeta);
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

void TMainForm::FindCommand() {}
void TMainForm::FindNextCommand() {}
void TMainForm::CycleTotalsCommand() {}
void TMainForm::CycleDatesCommand() {}
void TMainForm::CycleTimesCommand() {}
void TMainForm::CycleDescriptionsCommand() {}
void TMainForm::ShowCellMenu(const QPoint&, int, int) {}
void TMainForm::ShowChartMenu(const QPoint&, std::optional<ChartPointRef>) {}
