#pragma once

#include "reports/BillingMonth.h"
#include "reports/TariffTables.h"
#include "reports/ui/ReportTableModel.h"

#include <QAbstractTableModel>

namespace dialtally {

// The billing months of a statement without copying a figure: one column
// per provider, one row per figure from From to ProjectedCost. The rows
// of the projection take the grid's total style, the others its detail
// style.
class BillingMonthModel : public QAbstractTableModel {
    Q_OBJECT
public:
    BillingMonthModel(const BillingStatement& statement, const GridStyle& style, bool durationDec,
                      QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static BillingFigure FigureOf(int row);

private:
    const BillingStatement& m_statement;
    GridStyle m_style;
    bool m_durationDec;
};

} // namespace dialtally
