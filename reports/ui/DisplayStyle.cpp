#include "reports/ui/DisplayStyle.h"

#include "reports/ColorPalette.h"
#include "reports/Colors.h"
#include "reports/ui/ReportGridView.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPalette>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <utility>

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

QColor ScreenColor(TColor color)
{
    // The system colours the desktop's palette has a role for; the others
    // keep their classic colour.
    static constexpr std::pair<TColor, QPalette::ColorRole> roles[] = {
        {clScrollBar, QPalette::Button},
        {clActiveCaption, QPalette::Highlight},
        {clMenu, QPalette::Window},
        {clWindow, QPalette::Base},
        {clWindowFrame, QPalette::WindowText},
        {clMenuText, QPalette::WindowText},
        {clWindowText, QPalette::Text},
        {clCaptionText, QPalette::HighlightedText},
        {clActiveBorder, QPalette::Button},
        {clInactiveBorder, QPalette::Button},
        {clAppWorkSpace, QPalette::Dark},
        {clHighlight, QPalette::Highlight},
        {clHighlightText, QPalette::HighlightedText},
        {clBtnFace, QPalette::Button},
        {clBtnShadow, QPalette::Dark},
        {clGrayText, QPalette::PlaceholderText},
        {clBtnText, QPalette::ButtonText},
        {clBtnHighlight, QPalette::Light},
        {cl3DDkShadow, QPalette::Shadow},
        {cl3DLight, QPalette::Midlight},
        {clInfoText, QPalette::ToolTipText},
        {clInfoBk, QPalette::ToolTipBase},
    };
    for (const auto& [system, role] : roles)
        if (color == system)
            return QGuiApplication::palette().color(role);
    return QtColor(color);
}

namespace {

double Luminance(const QColor& color)
{
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A font colour the user set is theirs; the program's own (a system colour,
// or the font's built-in one) gives way where it would not read.
QColor FontColorOn(TColor color, TColor builtIn, const QColor& background)
{
    const QColor shown = ScreenColor(color);
    return IsSystemColor(color) || color == builtIn ? ReadableOn(shown, background) : shown;
}

} // namespace

QColor ReadableOn(const QColor& text, const QColor& background)
{
    // What large text and marks need to be told apart from their ground.
    constexpr double Readable = 3.0;
    if (Contrast(text, background) >= Readable)
        return text;
    const QColor black(Qt::black), white(Qt::white);
    return Contrast(black, background) >= Contrast(white, background) ? black : white;
}

GridStyle GridStyleFor(const TextDisplay& text)
{
    GridStyle grid;
    grid.HeaderFont = QtFont(text.TitleFont);
    grid.DetailFont = QtFont(text.DetailFont);
    grid.TotalFont = QtFont(text.TotalFont);
    const TextDisplay builtIn;
    grid.Background = ScreenColor(text.Background);
    grid.TotalBackground = ScreenColor(text.TotalBackground);
    grid.DetailColor =
        FontColorOn(text.DetailFont.Color, builtIn.DetailFont.Color, grid.Background);
    grid.TotalColor =
        FontColorOn(text.TotalFont.Color, builtIn.TotalFont.Color, grid.TotalBackground);
    return grid;
}

ChartStyle ChartStyleFor(const GraphDisplay& graph)
{
    ChartStyle chart;
    chart.TitleFont = QtFont(graph.TitleFont);
    chart.AxisFont = QtFont(graph.AxisFont);
    chart.LabelFont = QtFont(graph.LabelFont);
    const GraphDisplay builtIn;
    chart.Background = ScreenColor(graph.Background);
    chart.TitleColor =
        FontColorOn(graph.TitleFont.Color, builtIn.TitleFont.Color, chart.Background);
    chart.AxisColor = FontColorOn(graph.AxisFont.Color, builtIn.AxisFont.Color, chart.Background);
    chart.LabelColor =
        FontColorOn(graph.LabelFont.Color, builtIn.LabelFont.Color, chart.Background);
    return chart;
}

ChartStyle PrintedChartStyleFor(const GraphDisplay& graph)
{
    ChartStyle chart = ChartStyleFor(graph);
    chart.Background = QtColor(graph.Background);
    chart.TitleColor = QtColor(graph.TitleFont.Color);
    chart.AxisColor = QtColor(graph.AxisFont.Color);
    chart.LabelColor = QtColor(graph.LabelFont.Color);
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
