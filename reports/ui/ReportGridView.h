#pragma once

#include "reports/ReportLayout.h"
#include "reports/ReportTable.h"
#include "reports/ui/DigitFolding.h"

#include <QFont>
#include <QFontMetrics>
#include <QItemSelection>
#include <QTableView>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dialtally {

class ReportTableModel;

// The text grid: rows of 21 pixels, range selection without editing, the
// hidden row-number column, and the window's keys while it has the focus.
class ReportGridView : public QTableView {
    Q_OBJECT
public:
    static constexpr int RowHeight = 21;

    explicit ReportGridView(QWidget* parent = nullptr);

    void SetReportModel(ReportTableModel* model);
    ReportTableModel* ReportModel() const { return m_model; }
    void ApplyColumns(const ColumnLayout& layout);
    // The actions whose shortcuts the grid hands to the window instead of
    // using the keys itself.
    void SetKeyActions(const QList<QAction*>& actions) { m_keyActions = actions; }

    // Grid coordinates: row 0 is the header, column 0..7.
    int CurrentGridRow() const;
    int CurrentGridColumn() const;
    void SetCurrentCell(int column, int gridRow);
    // When the current row is the last row, scrolls it back into view
    // (after the grid was made smaller).
    void KeepLastRowInView();
    void SelectAllRows();
    // The selected cells as rows of tab-separated texts ended by CR LF.
    QString SelectedText() const;
    // Measures texts as the grid draws them, for column sizing.
    const TextMeasure& Measure() const { return m_measure; }

signals:
    // A right click; column and grid row -1 off the cells or on the header.
    void CellMenuRequested(const QPoint& globalPos, int column, int gridRow);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The cells of the selection in its columns that show.
    QString TextOf(const QItemSelection& selection) const;
    QAction* ActionFor(const QKeyEvent* event) const;

    class FontMeasure : public TextMeasure {
    public:
        explicit FontMeasure(const ReportGridView& grid) : m_grid(grid) {}
        int TextWidth(std::string_view text, RowKind kind) const override;
        int WidthBound(std::string_view text, RowKind kind) const override;

    private:
        // Sizing a large report measures millions of cells, most of them
        // texts seen before: the metrics of the detail and total fonts, and
        // the widths they gave, are kept while the font stays the same.
        struct FontMetrics {
            QFont Font;
            std::optional<QFontMetrics> Metrics;
            int Widest = 1;
            // A digit never changes a text's width in this font: texts are
            // then kept with their digits as zeros, and a million times,
            // dates and amounts come down to a few dozen texts to measure.
            bool DigitsAlike = false;
            std::string Folded; // the text being looked up, digits as zeros
            TextWidths<int> Widths;
        };
        const QFont& FontFor(RowKind kind) const;
        FontMetrics& MetricsFor(RowKind kind) const;

        const ReportGridView& m_grid;
        mutable std::array<FontMetrics, 2> m_fonts; // details, totals
    };

    ReportTableModel* m_model = nullptr;
    QList<QAction*> m_keyActions;
    FontMeasure m_measure{*this};
    bool m_leftWithSelection = false;
    QItemSelection m_savedSelection;
    QModelIndex m_savedCurrent;
};

} // namespace dialtally
