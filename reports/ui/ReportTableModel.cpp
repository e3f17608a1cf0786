#include "reports/ui/ReportTableModel.h"

#include "widgets/DialogParts.h"

#include <QApplication>
#include <QStyle>

namespace dialtally {

ReportTableModel::ReportTableModel(const ReportOutput& output, QObject* parent)
    : QAbstractTableModel(parent), m_output(output)
{
}

int ReportTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_rebuilding)
        return 0;
    return m_output.Table.BodyRowCount();
}

int ReportTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ReportColumns;
}

QString ReportTableModel::CellText(int gridRow, int column) const
{
    const ReportTable& table = m_output.Table;
    if (gridRow < 0 || gridRow >= table.RowCount() || column < 0 || column >= ReportColumns)
        return {};
    if (column == SequenceColumn)
        return QString::fromStdString(table.CellText(gridRow, column));
    return LogText(table.Cell(gridRow, column));
}

bool ReportTableModel::HasHeadRow() const
{
    return m_output.Table.RowCount() > 0;
}

RowKind ReportTableModel::KindOf(int gridRow) const
{
    const ReportTable& table = m_output.Table;
    if (gridRow < 0 || gridRow >= table.RowCount())
        return RowKind::Detail;
    return table.Kinds[static_cast<std::size_t>(gridRow)];
}

QVariant ReportTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || m_rebuilding)
        return {};
    const int gridRow = index.row() + 1;
    const RowKind kind = KindOf(gridRow);
    switch (role) {
    case Qt::DisplayRole:
        return CellText(gridRow, index.column());
    case Qt::FontRole:
        return IsTotalRow(kind) ? m_style.TotalFont : m_style.DetailFont;
    case Qt::ForegroundRole:
        return IsTotalRow(kind) ? m_style.TotalColor : m_style.DetailColor;
    case Qt::BackgroundRole:
        return IsTotalRow(kind) ? m_style.TotalBackground : m_style.Background;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_alignRight ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::DecorationRole:
        if (kind == RowKind::Message && index.column() == 0)
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
        return {};
    default:
        return {};
    }
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (m_output.Table.RowCount() > 0)
            return CellText(0, section);
        if (section < ReportTextColumns)
            return QString::fromLatin1(ReportColumnHeads()[static_cast<std::size_t>(section)]);
        return {};
    case Qt::FontRole:
        return m_style.HeaderFont;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (m_alignRight ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

Qt::ItemFlags ReportTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ReportTableModel::SetStyle(const GridStyle& style)
{
    m_style = style;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ReportColumns - 1));
    emit headerDataChanged(Qt::Horizontal, 0, ReportColumns - 1);
}

void ReportTableModel::SetAlignRight(bool right)
{
    if (m_alignRight == right)
        return;
    m_alignRight = right;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ReportColumns - 1),
                         {Qt::TextAlignmentRole});
    emit headerDataChanged(Qt::Horizontal, 0, ReportColumns - 1);
}

void ReportTableModel::BeginRebuild()
{
    if (m_rebuilding)
        return;
    beginResetModel();
    m_rebuilding = true;
}

void ReportTableModel::EndRebuild()
{
    if (!m_rebuilding)
        return;
    m_rebuilding = false;
    endResetModel();
}

} // namespace dialtally
