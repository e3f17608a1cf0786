#pragma once

#include "app/Settings.h"
#include "reports/ExportWriters.h"
#include "reports/GridPageLayout.h"
#include "reports/ReportEngine.h"

#include <QColor>
#include <QFont>
#include <QRectF>

#include <array>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

namespace dialtally {

// Lays the report grid out on a printer's pages with the print settings
// and draws them. The grid and settings must outlive the printer object.
class GridPrinter {
public:
    GridPrinter(const ExportSource& grid, const ColumnLayout& columns, const Settings& settings);

    // Measures and paginates for the printer's paper, orientation and
    // resolution; returns the page count (at least 1).
    int Layout(QPrinter& printer);
    int PageCount() const { return static_cast<int>(m_pagination.Pages.size()); }
    // False when the margins of the last layout leave no room for the rows.
    bool HasRoom() const { return PageHasRoom(m_metrics); }
    // Draws pages first..last (1-based) of the last layout on a painter
    // begun on that printer; starts a new sheet before each page but the
    // first drawn when `newSheetFirst` is false. After each page
    // `keepGoing`, when given, hears how many are drawn; false from it stops
    // the drawing, and so does DrawPages.
    bool DrawPages(QPainter& painter, QPrinter& printer, int first, int last,
                   bool newSheetFirst = false,
                   const std::function<bool(int drawn)>& keepGoing = {}) const;

private:
    struct RowStyle {
        QFont Font;
        QColor Text;
        QColor Background; // invalid: none
    };
    RowStyle StyleOf(RowKind kind) const;
    void DrawPage(QPainter& painter, int page) const;
    void DrawPageTexts(QPainter& painter, int page) const;
    void DrawTable(QPainter& painter, const GridPage& page) const;

    const ExportSource& m_grid;
    const ColumnLayout& m_columns;
    const Settings& m_settings;
    std::vector<int> m_rows;    // printed rows, the header first
    std::vector<int> m_visible; // printed columns
    std::vector<bool> m_cut;    // columns narrower than their widest text
    static constexpr int RowKindCount = static_cast<int>(RowKind::Total) + 1;
    std::array<RowStyle, RowKindCount> m_styles;
    GridMetrics m_metrics;
    GridPagination m_pagination;
    double m_mm = 1; // device units per millimetre
    QRectF m_paper;
    QRectF m_area; // between the margins
    double m_tableTop = 0;
    double m_headerLine = 0;
    double m_footerLine = 0;
};

// Prints the grid as the window shows it (`shown`, or the build's order
// when null): the page range dialog first. False when cancelled, which
// also tells a split view not to print its chart.
bool PrintGrid(QWidget* parent, const ReportOutput& output, const Settings& settings,
               const ExportSource* shown = nullptr);
// The split view: the grid's pages, then the chart on a page of its own,
// in one job. Cancelling the page range prints neither.
bool PrintGridAndChart(QWidget* parent, const ReportOutput& output, const Settings& settings,
                       QWidget* chartView, const ExportSource* shown = nullptr);
// The system's printer setup; on OK the grid's print orientation follows
// the printer's. False when cancelled.
bool PrinterSetup(QWidget* parent, PrintSettings& settings);

} // namespace dialtally
