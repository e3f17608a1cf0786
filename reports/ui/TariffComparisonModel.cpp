#include "reports/ui/TariffComparisonModel.h"

#include "reports/TariffTables.h"
#include "widgets/DialogParts.h"

namespace dialtally {

namespace {

constexpr int FirstProviderColumn = 3;

} // namespace

TariffComparisonModel::TariffComparisonModel(const TariffComparison& comparison,
                                             const GridStyle& style, bool durationDec,
                                             QObject* parent)
    : QAbstractTableModel(parent), m_comparison(comparison), m_style(style),
      m_durationDec(durationDec)
{
}

int TariffComparisonModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_comparison.Months.size()) + 1;
}

int TariffComparisonModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ComparisonColumnCount(m_comparison);
}

bool TariffComparisonModel::IsCheapest(int row, int column) const
{
    const int provider = column - FirstProviderColumn;
    if (row < 0 || row >= rowCount() || provider < 0 ||
        provider >= static_cast<int>(m_comparison.Providers.size()))
        return false;
    return ComparisonRow(m_comparison, row).Cheapest[static_cast<std::size_t>(provider)];
}

QVariant TariffComparisonModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const bool total = index.row() + 1 == rowCount();
    const bool cheapest = IsCheapest(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(
            ComparisonCellText(m_comparison, index.row(), index.column(), m_durationDec));
    case Qt::FontRole: {
        QFont font = total ? m_style.TotalFont : m_style.DetailFont;
        if (cheapest)
            font.setBold(true);
        return font;
    }
    case Qt::ForegroundRole:
        return total || cheapest ? m_style.TotalColor : m_style.DetailColor;
    case Qt::BackgroundRole:
        return total ? m_style.TotalBackground : m_style.Background;
    case Qt::TextAlignmentRole:
        // Months and provider names read from the left, figures from the right.
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (index.column() == 0 || index.column() + 1 == columnCount()
                                        ? Qt::AlignLeft
                                        : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant TariffComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::FontRole)
        return m_style.HeaderFont;
    if (role == Qt::DisplayRole)
        return LogText(ComparisonHead(m_comparison, section));
    return {};
}

} // namespace dialtally
