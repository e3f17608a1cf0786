#include "reports/ui/BillingMonthModel.h"

#include "widgets/DialogParts.h"

namespace dialtally {

namespace {

constexpr int FirstFigure = static_cast<int>(BillingFigure::From);
constexpr int FigureRows = static_cast<int>(BillingFigure::ProjectedCost) - FirstFigure + 1;

bool IsProjection(BillingFigure figure)
{
    return figure == BillingFigure::ProjectedTime || figure == BillingFigure::FreeRunOut ||
           figure == BillingFigure::ProjectedCost;
}

} // namespace

BillingMonthModel::BillingMonthModel(const BillingStatement& statement, const GridStyle& style,
                                     bool durationDec, QObject* parent)
    : QAbstractTableModel(parent), m_statement(statement), m_style(style),
      m_durationDec(durationDec)
{
}

BillingFigure BillingMonthModel::FigureOf(int row)
{
    return static_cast<BillingFigure>(FirstFigure + row);
}

int BillingMonthModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FigureRows;
}

int BillingMonthModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_statement.Providers.size());
}

QVariant BillingMonthModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= FigureRows ||
        index.column() >= static_cast<int>(m_statement.Providers.size()))
        return {};
    const BillingFigure figure = FigureOf(index.row());
    const bool projection = IsProjection(figure);
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(
            BillingFigureText(m_statement.Providers[static_cast<std::size_t>(index.column())],
                              figure, m_durationDec));
    case Qt::FontRole:
        return projection ? m_style.TotalFont : m_style.DetailFont;
    case Qt::ForegroundRole:
        return projection ? m_style.TotalColor : m_style.DetailColor;
    case Qt::BackgroundRole:
        return projection ? m_style.TotalBackground : m_style.Background;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
    default:
        return {};
    }
}

QVariant BillingMonthModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::FontRole)
        return m_style.HeaderFont;
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section < FigureRows ? QString::fromLatin1(BillingFigureHead(FigureOf(section)))
                                    : QVariant();
    if (section >= static_cast<int>(m_statement.Providers.size()))
        return {};
    return LogText(m_statement.Providers[static_cast<std::size_t>(section)].Provider);
}

} // namespace dialtally
