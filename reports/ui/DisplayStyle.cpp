#include "reports/ui/DisplayStyle.h"

#include "reports/ColorPalette.h"
#include "reports/ui/ReportGridView.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QTableView>

#include <cmath>

namespace dialtally {

QFont QtFont(const FontSpec& spec)
{
    // A face the system lacks ("MS Sans Serif" on Linux) is the platform's
    // ordinary sans face, in the stored style.
    QString family = QString::fromStdString(spec.Name);
    if (!QFontDatabase::hasFamily(family))
        family = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    QFont font(family);
    if (spec.Size > 0)
        font.setPointSize(spec.Size);
    font.setBold((spec.Style & fsBold) != 0);
    font.setItalic((spec.Style & fsItalic) != 0);
    font.setUnderline((spec.Style & fsUnderline) != 0);
    font.setStrikeOut((spec.Style & fsStrikeOut) != 0);
    if (spec.Pitch == FontPitch::Fixed)
        font.setFixedPitch(true);
    // The face by its own style name ("Book", "Bold"): the font dialog
    // finds no "Normal" among a face's styles and would open on its first.
    font.setStyleName(QFontInfo(font).styleName());
    return font;
}

FontSpec FontSpecOf(const QFont& font, TColor color)
{
    FontSpec spec;
    spec.Name = font.family().toStdString();
    if (font.pointSize() > 0)
        spec.Size = font.pointSize();
    else if (font.pixelSize() > 0) // at the 96 dots an inch fonts are designed for
        spec.Size = static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
    spec.Color = color;
    spec.Pitch = font.fixedPitch() ? FontPitch::Fixed : FontPitch::Default;
    spec.Style = (font.bold() ? fsBold : 0u) | (font.italic() ? fsItalic : 0u) |
                 (font.underline() ? fsUnderline : 0u) | (font.strikeOut() ? fsStrikeOut : 0u);
    return spec;
}

QColor QtColor(TColor color)
{
    const std::uint32_t rgb = ResolveColor(color);
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

TColor TColorOf(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<TColor>((static_cast<unsigned>(rgb.blue()) << 16) |
                               (static_cast<unsigned>(rgb.green()) << 8) |
                               static_cast<unsigned>(rgb.red()));
}

GridStyle GridStyleFor(const TextDisplay& text)
{
    GridStyle grid;
    grid.HeaderFont = QtFont(text.TitleFont);
    grid.DetailFont = QtFont(text.DetailFont);
    grid.TotalFont = QtFont(text.TotalFont);
    grid.DetailColor = QtColor(text.DetailFont.Color);
    grid.TotalColor = QtColor(text.TotalFont.Color);
    grid.Background = QtColor(text.Background);
    grid.TotalBackground = QtColor(text.TotalBackground);
    return grid;
}

ChartStyle ChartStyleFor(const GraphDisplay& graph)
{
    ChartStyle chart;
    chart.TitleFont = QtFont(graph.TitleFont);
    chart.AxisFont = QtFont(graph.AxisFont);
    chart.LabelFont = QtFont(graph.LabelFont);
    chart.TitleColor = QtColor(graph.TitleFont.Color);
    chart.AxisColor = QtColor(graph.AxisFont.Color);
    chart.LabelColor = QtColor(graph.LabelFont.Color);
    chart.Background = QtColor(graph.Background);
    return chart;
}

void ApplyGridStyle(ReportGridView& grid, const GridStyle& style)
{
    if (ReportTableModel* model = grid.ReportModel())
        model->SetStyle(style);
    grid.setFont(style.DetailFont);
    grid.horizontalHeader()->setFont(style.HeaderFont);
    QPalette palette = grid.palette();
    palette.setColor(QPalette::Base, style.Background);
    grid.setPalette(palette);
}

void SetUpFiguresTable(QTableView& table, QAbstractItemModel* model, const GridStyle& style)
{
    table.setModel(model);
    table.setSelectionMode(QAbstractItemView::NoSelection);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setFocusPolicy(Qt::NoFocus);
    table.setFont(style.DetailFont);
    table.horizontalHeader()->setFont(style.HeaderFont);
    table.verticalHeader()->setFont(style.HeaderFont);
    QPalette palette = table.palette();
    palette.setColor(QPalette::Base, style.Background);
    table.setPalette(palette);
    table.resizeColumnsToContents();
    table.resizeRowsToContents();
    table.horizontalHeader()->setStretchLastSection(true);
}

} // namespace dialtally
