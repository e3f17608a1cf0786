#include "reports/ui/ReportGridView.h"

#include "reports/ui/DigitFolding.h"
#include "reports/ui/ReportTableModel.h"
#include "widgets/DialogParts.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <climits>
#include <map>

namespace dialtally {

namespace {

// The item delegate keeps a few pixels either side of the text.
constexpr int ItemPadding = 8;

} // namespace

ReportGridView::ReportGridView(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("ReportGrid"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the next control, as out of any other; the arrow keys
    // move between cells.
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setShowGrid(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setFixedHeight(RowHeight + 2);
    // The header row offers the grid menu too, with no cell recorded.
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                emit CellMenuRequested(horizontalHeader()->mapToGlobal(pos), -1, -1);
            });
}

void ReportGridView::SetReportModel(ReportTableModel* model)
{
    m_model = model;
    setModel(model);
}

void ReportGridView::ApplyColumns(const ColumnLayout& layout)
{
    QHeaderView* header = horizontalHeader();
    // With no report shown the heads are the model's own, which no column
    // was sized for.
    const auto headWidth = [this](int c) {
        if (!m_model || m_model->HasHeadRow())
            return 0;
        const QString head = m_model->headerData(c, Qt::Horizontal).toString();
        return QFontMetrics(m_model->Style().HeaderFont).horizontalAdvance(head) + 2 * ItemPadding;
    };
    for (int c = 0; c < ReportColumns; ++c) {
        setColumnHidden(c, !layout.Visible[static_cast<std::size_t>(c)]);
        if (layout.Stretch) {
            header->setSectionResizeMode(c, QHeaderView::Stretch);
        } else {
            header->setSectionResizeMode(c, QHeaderView::Interactive);
            const int width = layout.Width[static_cast<std::size_t>(c)];
            header->resizeSection(c, std::max(width, headWidth(c)));
        }
    }
}

int ReportGridView::CurrentGridRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() + 1 : 0;
}

int ReportGridView::CurrentGridColumn() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.column() : 0;
}

void ReportGridView::SetCurrentCell(int column, int gridRow)
{
    if (!m_model || gridRow < 1 || gridRow > m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(gridRow - 1, column);
    setCurrentIndex(index);
    scrollTo(index);
    // Found while the find dialog has the focus: the focus coming back
    // brings this cell back, not the one selected before the search.
    if (m_leftWithSelection) {
        m_savedSelection = selectionModel()->selection();
        m_savedCurrent = index;
    }
}

void ReportGridView::KeepLastRowInView()
{
    const QModelIndex current = currentIndex();
    if (m_model && current.isValid() && current.row() == m_model->rowCount() - 1)
        scrollTo(current);
}

void ReportGridView::SelectAllRows()
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    const QItemSelection all(m_model->index(0, 0),
                             m_model->index(m_model->rowCount() - 1, ReportColumns - 1));
    selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
}

QString ReportGridView::SelectedText() const
{
    if (!m_model)
        return {};
    // Rows, then columns, in grid order, whatever order they were picked in;
    // read from the selection's rectangles, since a selected million rows
    // would be five million indexes.
    const QString text = TextOf(selectionModel()->selection());
    if (!text.isEmpty() || !currentIndex().isValid())
        return text;
    return TextOf(QItemSelection(currentIndex(), currentIndex()));
}

QString ReportGridView::TextOf(const QItemSelection& selection) const
{
    int top = INT_MAX, bottom = -1;
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    QString text;
    std::vector<bool> picked(static_cast<std::size_t>(m_model->columnCount()));
    for (int row = top; row <= bottom; ++row) {
        std::fill(picked.begin(), picked.end(), false);
        bool any = false;
        for (const QItemSelectionRange& range : selection)
            if (range.top() <= row && row <= range.bottom())
                for (int column = range.left(); column <= range.right(); ++column)
                    if (!isColumnHidden(column))
                        picked[static_cast<std::size_t>(column)] = any = true;
        if (!any)
            continue;
        bool first = true;
        for (std::size_t column = 0; column < picked.size(); ++column) {
            if (!picked[column])
                continue;
            if (!first)
                text += QLatin1Char('\t');
            QString cell = m_model->CellText(row + 1, static_cast<int>(column));
            // A tab or line end of the log's would start another cell or
            // row where the copy is pasted.
            for (QChar& c : cell)
                if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                    c = QLatin1Char(' ');
            text += cell;
            first = false;
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

QAction* ReportGridView::ActionFor(const QKeyEvent* event) const
{
    const QKeySequence pressed(event->keyCombination());
    for (QAction* action : m_keyActions) {
        if (action->isEnabled() && action->shortcut() == pressed)
            return action;
    }
    return nullptr;
}

bool ReportGridView::event(QEvent* event)
{
    // Left to the grid, Ctrl+A, Ctrl+C and the like would never reach the
    // window's actions.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (ActionFor(key)) {
            event->accept();
            return true;
        }
    }
    return QTableView::event(event);
}

void ReportGridView::keyPressEvent(QKeyEvent* event)
{
    if (QAction* action = ActionFor(event)) {
        action->trigger();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ReportGridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    // A menu or a dialog taking the focus must not lose what was selected.
    if (selectionModel() && selectionModel()->hasSelection()) {
        m_savedSelection = selectionModel()->selection();
        m_savedCurrent = currentIndex();
        m_leftWithSelection = true;
        selectionModel()->clearSelection();
    }
}

void ReportGridView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if (m_leftWithSelection && selectionModel()) {
        m_leftWithSelection = false;
        selectionModel()->select(m_savedSelection, QItemSelectionModel::ClearAndSelect);
        if (m_savedCurrent.isValid())
            selectionModel()->setCurrentIndex(m_savedCurrent, QItemSelectionModel::NoUpdate);
    }
}

void ReportGridView::contextMenuEvent(QContextMenuEvent* event)
{
    // A mouse click arrives through the viewport, in its coordinates; the
    // menu key acts on the current cell.
    const QModelIndex index =
        event->reason() == QContextMenuEvent::Mouse ? indexAt(event->pos()) : currentIndex();
    if (index.isValid())
        emit CellMenuRequested(event->globalPos(), index.column(), index.row() + 1);
    else
        emit CellMenuRequested(event->globalPos(), -1, -1);
}

int ReportGridView::FontMeasure::TextWidth(std::string_view text, RowKind kind) const
{
    if (kind != RowKind::Message && kind != RowKind::Head) {
        FontMetrics& metrics = MetricsFor(kind);
        const std::string_view key = metrics.DigitsAlike ? FoldDigits(text, metrics.Folded) : text;
        const auto known = metrics.Widths.find(key);
        if (known != metrics.Widths.end())
            return known->second;
        const int width = metrics.Metrics->horizontalAdvance(LogText(text)) + ItemPadding;
        // Texts that never repeat are not kept past a bound.
        if (metrics.Widths.size() < 200'000)
            metrics.Widths.emplace(key, width);
        return width;
    }
    const ReportTableModel* model = m_grid.m_model;
    const QFont font = !model                  ? m_grid.font()
                       : kind == RowKind::Head ? model->Style().HeaderFont
                       : IsTotalRow(kind)      ? model->Style().TotalFont
                                               : model->Style().DetailFont;
    const QString string = LogText(text);
    if (kind == RowKind::Message) {
        // The message carries a picture: measured as the style lays the
        // cell out, so that the whole message shows.
        QStyleOptionViewItem option;
        option.initFrom(&m_grid);
        option.font = font;
        option.fontMetrics = QFontMetrics(font);
        option.text = string;
        option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
        option.icon = m_grid.style()->standardIcon(QStyle::SP_MessageBoxInformation);
        const int side = m_grid.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &m_grid);
        option.decorationSize = QSize(side, side);
        option.decorationPosition = QStyleOptionViewItem::Left;
        option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        return m_grid.style()
                   ->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &m_grid)
                   .width() +
               ItemPadding;
    }
    if (kind == RowKind::Head) {
        // A head has room for the sort indicator beside its text.
        QStyleOptionHeader option;
        option.initFrom(m_grid.horizontalHeader());
        option.fontMetrics = QFontMetrics(font);
        option.text = string;
        option.sortIndicator = QStyleOptionHeader::SortDown;
        return m_grid.style()
            ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(),
                               m_grid.horizontalHeader())
            .width();
    }
    return QFontMetrics(font).horizontalAdvance(string) + ItemPadding;
}

const QFont& ReportGridView::FontMeasure::FontFor(RowKind kind) const
{
    const ReportTableModel* model = m_grid.m_model;
    return !model                  ? m_grid.font()
           : kind == RowKind::Head ? model->Style().HeaderFont
           : IsTotalRow(kind)      ? model->Style().TotalFont
                                   : model->Style().DetailFont;
}

ReportGridView::FontMeasure::FontMetrics&
ReportGridView::FontMeasure::MetricsFor(RowKind kind) const
{
    FontMetrics& metrics = m_fonts[IsTotalRow(kind) ? 1 : 0];
    const QFont& font = FontFor(kind);
    if (!metrics.Metrics || !(metrics.Font == font)) {
        metrics.Font = font;
        metrics.Metrics.emplace(font);
        metrics.Widest = std::max(metrics.Metrics->maxWidth(), 1);
        metrics.DigitsAlike = DigitsAlike(*metrics.Metrics);
        metrics.Widths.clear();
    }
    return metrics;
}

int ReportGridView::FontMeasure::WidthBound(std::string_view text, RowKind kind) const
{
    if (kind == RowKind::Message || kind == RowKind::Head)
        return INT_MAX;
    return static_cast<int>(text.size()) * MetricsFor(kind).Widest + ItemPadding;
}

} // namespace dialtally
