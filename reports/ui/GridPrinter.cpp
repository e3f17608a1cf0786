#include "reports/ui/GridPrinter.h"

#include "base/Clock.h"
#include "reports/ColorPalette.h"
#include "reports/ProgressSteps.h"
#include "reports/ui/ChartPicture.h"
#include "reports/ui/DigitFolding.h"
#include "reports/ui/DisplayStyle.h"
#include "reports/ui/PrintDialogs.h"
#include "reports/ui/PrintedFile.h"
#include "widgets/DialogParts.h"

#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>

namespace dialtally {

namespace {

// How long a print runs before it offers to be stopped.
constexpr int StopOfferedAfterMs = 700;

Qt::PenStyle PenStyleOf(int borderStyle)
{
    switch (borderStyle) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// The orientation is the settings'; so are the margins, as Layout draws on
// the whole sheet.
void PreparePrinter(QPrinter& printer, const PrintSettings& settings)
{
    printer.setPageOrientation(settings.Orientation == 1 ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
}

} // namespace

GridPrinter::GridPrinter(const ExportSource& grid, const ColumnLayout& columns,
                         const Settings& settings)
    : m_grid(grid), m_columns(columns), m_settings(settings), m_rows(grid.Rows()),
      m_visible(grid.Columns())
{
}

GridPrinter::RowStyle GridPrinter::StyleOf(RowKind kind) const
{
    const PrintSettings& print = m_settings.Printer;
    if (!m_settings.Options.PrintDisplayFonts)
        return {QtFont(print.Font), QtColor(print.Font.Color), QColor()};
    const TextDisplay& text = m_settings.Text;
    if (kind == RowKind::Head)
        return {QtFont(text.TitleFont), QtColor(text.TitleFont.Color), QColor()};
    if (IsTotalRow(kind))
        return {QtFont(text.TotalFont), QtColor(text.TotalFont.Color),
                QtColor(text.TotalBackground)};
    return {QtFont(text.DetailFont), QtColor(text.DetailFont.Color), QtColor(text.Background)};
}

int GridPrinter::Layout(QPrinter& printer)
{
    printer.setFullPage(true);
    const PrintSettings& print = m_settings.Printer;
    const double dpi = printer.resolution();
    m_mm = dpi / 25.4;
    m_paper = printer.pageLayout().fullRectPixels(printer.resolution()).toRectF();
    m_area = m_paper.adjusted(print.LeftSize * m_mm, print.HeaderSize * m_mm,
                              -print.RightSize * m_mm, -print.FooterSize * m_mm);
    const double tenth = m_mm / 10;

    // Page texts do not change their number of lines from page to page.
    const PageTexts texts = PageTextsFor(print, 1, 1, Now());
    m_headerLine = QFontMetricsF(QtFont(print.HeaderFont), &printer).height();
    m_footerLine = QFontMetricsF(QtFont(print.FooterFont), &printer).height();
    const double gap = print.TitleSpacing * tenth;
    const double top = texts.LinesAtTop() > 0 ? texts.LinesAtTop() * m_headerLine + gap : 0;
    const double bottom =
        texts.LinesAtBottom() > 0 ? texts.LinesAtBottom() * m_footerLine + gap : 0;
    m_tableTop = m_area.top() + top;

    std::vector<double> textWidths(m_visible.size(), 0);
    std::vector<double> screenWidths;
    const double screenToDevice = dpi / 96.0;
    for (const int column : m_visible)
        screenWidths.push_back(m_columns.Width[static_cast<std::size_t>(column)] * screenToDevice);
    m_metrics = GridMetrics{};
    m_metrics.RowHeights.reserve(m_rows.size());
    // One style and one set of metrics per kind of row, not per row; and,
    // as on the screen, texts that differ only in digits measured once where
    // the font allows: a million rows come down to a few dozen texts.
    struct KindMetrics {
        QFontMetricsF Metrics;
        bool DigitsAlike;
        TextWidths<double> Widths;
    };
    std::vector<KindMetrics> kinds;
    for (int kind = 0; kind < RowKindCount; ++kind) {
        m_styles[static_cast<std::size_t>(kind)] = StyleOf(static_cast<RowKind>(kind));
        const QFontMetricsF metrics(m_styles[static_cast<std::size_t>(kind)].Font, &printer);
        kinds.push_back({metrics, DigitsAlike(metrics), {}});
    }
    std::string folded;
    const auto width = [&](KindMetrics& kind, std::string_view text) {
        const std::string_view key = kind.DigitsAlike ? FoldDigits(text, folded) : text;
        if (const auto known = kind.Widths.find(key); known != kind.Widths.end())
            return known->second;
        const double measured = kind.Metrics.horizontalAdvance(LogText(text));
        if (kind.Widths.size() < 200'000) // texts that never repeat are not kept
            kind.Widths.emplace(key, measured);
        return measured;
    };
    for (const int row : m_rows) {
        KindMetrics& kind =
            kinds[static_cast<std::size_t>(m_grid.Table->Kinds[static_cast<std::size_t>(row)])];
        for (std::size_t c = 0; c < m_visible.size(); ++c)
            textWidths[c] =
                std::max(textWidths[c], width(kind, m_grid.Table->Cell(row, m_visible[c])));
        const double height = print.UseFixedHeight && print.FixedHeight > 0
                                  ? print.FixedHeight * tenth
                                  : kind.Metrics.height() + print.RowSpacing * tenth;
        m_metrics.RowHeights.push_back(height);
    }
    m_metrics.ColumnWidths = PrintColumnWidths(
        print, textWidths, screenWidths, print.FixedWidth * tenth, print.ColumnSpacing * tenth);
    // A column wider than the paper (a long description) is cut at the
    // page's edge: printed whole it ran off the paper, and shrunk to fit
    // it took the whole table down to specks.
    m_cut.assign(m_visible.size(), false);
    for (std::size_t c = 0; c < m_visible.size(); ++c) {
        double& columnWidth = m_metrics.ColumnWidths[c];
        columnWidth = std::min(columnWidth, m_area.width());
        m_cut[c] = columnWidth - print.ColumnSpacing * tenth < textWidths[c];
    }
    m_metrics.AvailableWidth = m_area.width();
    m_metrics.AvailableHeight = std::max(1.0, m_area.height() - top - bottom);
    m_metrics.RepeatHeader = print.RepeatFixedRows;
    m_metrics.FitToPage = print.FitToPage;
    m_pagination = PaginateGrid(m_metrics);
    return PageCount();
}

bool GridPrinter::DrawPages(QPainter& painter, QPrinter& printer, int first, int last,
                            bool newSheetFirst,
                            const std::function<bool(int drawn)>& keepGoing) const
{
    bool newSheet = newSheetFirst;
    const int from = std::max(1, first), to = std::min(last, PageCount());
    // Thousands of pages take a minute: the window shows how far it is.
    ProgressSteps progress(to - from + 1);
    for (int page = from; page <= to; ++page) {
        if (newSheet)
            printer.newPage();
        newSheet = true;
        DrawPage(painter, page);
        progress.Step(page - from + 1);
        CurrentFrontEnd().KeepResponsive();
        if (keepGoing && !keepGoing(page - from + 1))
            return false;
    }
    return true;
}

void GridPrinter::DrawPage(QPainter& painter, int page) const
{
    DrawPageTexts(painter, page);
    DrawTable(painter, m_pagination.Pages[static_cast<std::size_t>(page - 1)]);
}

void GridPrinter::DrawPageTexts(QPainter& painter, int page) const
{
    const PrintSettings& print = m_settings.Printer;
    const PageTexts texts = PageTextsFor(print, page, PageCount(), Now());
    // Left, centre and right of the top band, then of the bottom one.
    constexpr std::array<std::array<PagePlace, 3>, 2> bands{{
        {PagePlace::TopLeft, PagePlace::TopCentre, PagePlace::TopRight},
        {PagePlace::BottomLeft, PagePlace::BottomCentre, PagePlace::BottomRight},
    }};
    constexpr std::array<int, 3> aligns{Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (const auto& band : bands) {
        const bool top = IsTopPlace(band[0]);
        const FontSpec& spec = top ? print.HeaderFont : print.FooterFont;
        const double line = top ? m_headerLine : m_footerLine;
        const int rows = top ? texts.LinesAtTop() : texts.LinesAtBottom();
        const QFont font = QtFont(spec);
        const QFontMetricsF metrics(font, painter.device());
        painter.setFont(font);
        painter.setPen(QtColor(spec.Color));
        for (int row = 0; row < rows; ++row) {
            std::array<QString, 3> lineTexts;
            std::array<double, 3> widths{};
            for (std::size_t i = 0; i < band.size(); ++i) {
                const auto& lines = texts.At[static_cast<std::size_t>(band[i])];
                // At the bottom each place's lines end on the band's last.
                const int at = top ? row : row - (rows - static_cast<int>(lines.size()));
                if (at < 0 || at >= static_cast<int>(lines.size()))
                    continue;
                lineTexts[i] = QtText(lines[static_cast<std::size_t>(at)]);
                widths[i] = metrics.horizontalAdvance(lineTexts[i]);
            }
            const std::array<double, 3> rooms = PageTextRooms(widths, m_area.width(), 2 * m_mm);
            const double y =
                top ? m_area.top() + row * line : m_area.bottom() - (rows - row) * line;
            for (std::size_t i = 0; i < band.size(); ++i)
                if (!lineTexts[i].isEmpty())
                    painter.drawText(QRectF(m_area.left(), y, m_area.width(), line),
                                     aligns[i] | Qt::AlignVCenter | Qt::TextSingleLine,
                                     metrics.elidedText(lineTexts[i], Qt::ElideRight, rooms[i]));
        }
    }
}

void GridPrinter::DrawTable(QPainter& painter, const GridPage& page) const
{
    const PrintSettings& print = m_settings.Printer;
    const double scale = m_pagination.Scale;
    double width = 0;
    for (int c = page.FirstColumn; c < page.EndColumn; ++c)
        width += m_metrics.ColumnWidths[static_cast<std::size_t>(c)];
    std::vector<int> printed;
    if (page.WithHeader)
        printed.push_back(0);
    for (int r = page.FirstRow; r < page.EndRow; ++r)
        printed.push_back(r);

    painter.save();
    const double left =
        print.Centered ? m_area.left() + (m_area.width() - width * scale) / 2 : m_area.left();
    painter.translate(left, m_tableTop);
    painter.scale(scale, scale);
    const double pad = print.ColumnSpacing * m_mm / 20;
    double y = 0;
    std::vector<double> rowEdges{0};
    for (const int index : printed) {
        const int row = m_rows[static_cast<std::size_t>(index)];
        const RowStyle& style =
            m_styles[static_cast<std::size_t>(m_grid.Table->Kinds[static_cast<std::size_t>(row)])];
        const double height = m_metrics.RowHeights[static_cast<std::size_t>(index)];
        if (style.Background.isValid())
            painter.fillRect(QRectF(0, y, width, height), style.Background);
        painter.setFont(style.Font);
        painter.setPen(style.Text);
        const QFontMetricsF metrics(style.Font, painter.device());
        double x = 0;
        for (int c = page.FirstColumn; c < page.EndColumn; ++c) {
            const double cell = m_metrics.ColumnWidths[static_cast<std::size_t>(c)];
            const int align = m_grid.RightAligned && row != 0 ? Qt::AlignRight : Qt::AlignLeft;
            // One line a cell: the painter breaks at a line or paragraph
            // separator even so, and the text ran over the next row.
            QString text = LogText(m_grid.Table->Cell(row, m_visible[static_cast<std::size_t>(c)]));
            text.replace(QChar::LineSeparator, QLatin1Char(' '))
                .replace(QChar::ParagraphSeparator, QLatin1Char(' '));
            const double room = std::max(0.0, cell - 2 * pad);
            // A text cut at the column's edge says so, as the screen's grid does.
            if (m_cut[static_cast<std::size_t>(c)])
                text = metrics.elidedText(text, Qt::ElideRight, room);
            painter.drawText(QRectF(x + pad, y, room, height),
                             align | Qt::AlignVCenter | Qt::TextSingleLine, text);
            x += cell;
        }
        y += height;
        rowEdges.push_back(y);
    }

    const BorderLines borders = BordersFor(print.Borders);
    QPen pen(QColor(Qt::black), std::max(1.0, m_mm / 5 / scale), PenStyleOf(print.BorderStyle));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (borders.Vertical) {
        double x = 0;
        for (int c = page.FirstColumn; c + 1 < page.EndColumn; ++c) {
            x += m_metrics.ColumnWidths[static_cast<std::size_t>(c)];
            painter.drawLine(QPointF(x, 0), QPointF(x, y));
        }
    }
    if (borders.Horizontal)
        for (std::size_t i = 1; i + 1 < rowEdges.size(); ++i)
            painter.drawLine(QPointF(0, rowEdges[i]), QPointF(width, rowEdges[i]));
    if (borders.Outer)
        painter.drawRect(QRectF(0, 0, width, y));
    if (borders.DoubleOuter) {
        const double gap = m_mm / 2 / scale;
        painter.drawRect(QRectF(-gap, -gap, width + 2 * gap, y + 2 * gap));
    }
    painter.restore();
}

namespace {

bool PrintReportPages(QWidget* parent, const ReportOutput& output, const Settings& settings,
                      QWidget* chartView, const ExportSource* shown)
{
    const ExportSource grid = shown ? *shown : ShownGrid(output.Table, output.Columns, false);
    QPrinter& printer = CurrentPrinter();
    PreparePrinter(printer, settings.Printer);
    GridPrinter job(grid, output.Columns, settings);
    const auto hasRoom = [&] {
        if (job.HasRoom() && (!chartView || !ChartPageArea(printer, settings.Printer).isEmpty()))
            return true;
        ShowNoRoomOnThePage();
        return false;
    };
    const int asked = job.Layout(printer);
    if (!hasRoom() || !AskPageRange(parent, printer, asked))
        return false;
    // The dialog may have changed the paper or the orientation.
    const int pages = job.Layout(printer);
    if (!hasRoom())
        return false;
    const auto [first, last] = ChosenPages(printer, pages);
    QPainter painter;
    PrintedFile file(printer);
    if (!file.Begin(painter))
        return false;
    // Thousands of pages take a minute, and many sheets of paper: a job
    // begun by mistake can be stopped.
    QProgressDialog stop(QObject::tr("Printing the report..."), QObject::tr("Cancel"), 0,
                         last - first + 1, parent);
    stop.setWindowTitle(QObject::tr("Print"));
    stop.setWindowModality(Qt::WindowModal);
    stop.setMinimumDuration(StopOfferedAfterMs);
    stop.setAutoClose(false);
    stop.setAutoReset(false);
    const bool whole = job.DrawPages(painter, printer, first, last, false, [&](int drawn) {
        stop.setValue(drawn);
        return !stop.wasCanceled();
    });
    if (!whole) {
        file.Abandon(painter);
        return false;
    }
    if (chartView) {
        printer.newPage();
        RenderChart(painter, chartView, ChartPageArea(printer, settings.Printer));
    }
    return file.End(painter);
}

} // namespace

bool PrintGrid(QWidget* parent, const ReportOutput& output, const Settings& settings,
               const ExportSource* shown)
{
    return PrintReportPages(parent, output, settings, nullptr, shown);
}

bool PrintGridAndChart(QWidget* parent, const ReportOutput& output, const Settings& settings,
                       QWidget* chartView, const ExportSource* shown)
{
    return PrintReportPages(parent, output, settings, chartView, shown);
}

bool PrinterSetup(QWidget* parent, PrintSettings& settings)
{
    QPrinter& printer = CurrentPrinter();
    PreparePrinter(printer, settings);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings.Orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
    return true;
}

} // namespace dialtally
