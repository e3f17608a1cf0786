#pragma once

#include "reports/TariffComparison.h"
#include "reports/ui/ReportTableModel.h"

#include <QAbstractTableModel>

namespace dialtally {

// The comparison without copying a figure: the months, then the total in
// the grid's total style; each month's cheapest charge stands out in bold
// in the total colour.
class TariffComparisonModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TariffComparisonModel(const TariffComparison& comparison, const GridStyle& style,
                          bool durationDec, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Whether the cell holds the cheapest charge of its row.
    bool IsCheapest(int row, int column) const;

private:
    const TariffComparison& m_comparison;
    GridStyle m_style;
    bool m_durationDec;
};

} // namespace dialtally
