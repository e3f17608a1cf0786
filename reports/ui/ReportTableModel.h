#pragma once

#include "reports/ReportEngine.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>

namespace dialtally {

// Fonts and colours of the text grid, from the display options.
struct GridStyle {
    QFont HeaderFont;
    QFont DetailFont;
    QFont TotalFont;
    QColor DetailColor = Qt::black;
    QColor TotalColor = Qt::black;
    QColor Background = Qt::white;
    QColor TotalBackground = Qt::white;
};

// The report grid over the engine's table, without copying a cell: row 0
// of the table is the header, the body rows are the model's rows.
class ReportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReportTableModel(const ReportOutput& output, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void SetStyle(const GridStyle& style);
    const GridStyle& Style() const { return m_style; }
    void SetAlignRight(bool right);

    // The table is rebuilt between the two calls; the views see no rows
    // meanwhile, so a repaint during the pass reads nothing half-written.
    void BeginRebuild();
    void EndRebuild();

    // The cell as the table holds it; grid row 0 is the header.
    QString CellText(int gridRow, int column) const;
    // False while no report is shown: the heads are then the model's own.
    bool HasHeadRow() const;
    RowKind KindOf(int gridRow) const;

private:
    const ReportOutput& m_output;
    GridStyle m_style;
    bool m_alignRight = false;
    bool m_rebuilding = false;
};

} // namespace dialtally
