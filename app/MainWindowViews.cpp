// The view commands of the main window: copy, find, zoom, the quick
// toggles and the grid and chart menus.
#include "app/MainWindow.h"

#include "app/CriteriaBarWidget.h"
#include "reports/ReportGridView.h"
#include "reports/ReportTableModel.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QSvgGenerator>

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
    if (!m_state.Options.Options.GraphCopyMeta) {
        QApplication::clipboard()->setPixmap(m_chart->Picture(Qt::white));
        return;
    }
    // The vector picture of this platform is SVG; a bitmap goes along for
    // programs that take no SVG.
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(m_chart->size());
    generator.setViewBox(QRect(QPoint(0, 0), m_chart->size()));
    {
        QPainter painter(&generator);
        m_chart->render(&painter);
    }
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), svg);
    data->setImageData(m_chart->Picture(Qt::white).toImage());
    QApplication::clipboard()->setMimeData(data);
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
