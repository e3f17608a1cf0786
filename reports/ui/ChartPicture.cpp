#include "reports/ui/ChartPicture.h"

#include "base/AtomicFile.h"
#include "base/Messages.h"
#include "reports/ui/PrintDialogs.h"
#include "reports/ui/PrintedFile.h"
#include "reports/ui/ReportChartView.h"

#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace dialtally {

namespace {

// A chart leaves the program in its printed colours, whatever the
// desktop's scheme, on `background` where one is given.
class PrintedColors {
public:
    PrintedColors(QWidget* chartView, const QColor& background)
        : m_report(qobject_cast<ReportChartView*>(chartView))
    {
        auto* chartViewQ = qobject_cast<QChartView*>(chartView);
        m_chart = chartViewQ ? chartViewQ->chart() : nullptr;
        if (m_report)
            m_report->ShowPrintedColors(true, background);
        else if (m_chart && background.isValid()) {
            m_shown = m_chart->backgroundBrush();
            m_chart->setBackgroundBrush(background);
        }
    }
    ~PrintedColors()
    {
        if (m_report)
            m_report->ShowPrintedColors(false);
        else if (m_chart && m_shown)
            m_chart->setBackgroundBrush(*m_shown);
    }
    PrintedColors(const PrintedColors&) = delete;
    PrintedColors& operator=(const PrintedColors&) = delete;

private:
    ReportChartView* m_report;
    QChart* m_chart;
    std::optional<QBrush> m_shown;
};

void Render(QPainter& painter, QWidget* chartView, const QRectF& target,
            const QColor& background = QColor());

QImage ChartImage(QWidget* chartView, const QColor& background = QColor())
{
    QImage image(chartView->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(painter, chartView, QRectF(QPointF(0, 0), QSizeF(chartView->size())), background);
    return image;
}

// The copied bitmap: the chart on a white background, whatever colour
// the display options give it.
QImage ChartImageOnWhite(QWidget* chartView)
{
    return ChartImage(chartView, Qt::white);
}

QByteArray SvgBytes(QWidget* chartView)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(chartView->size());
    generator.setViewBox(QRect(QPoint(0, 0), chartView->size()));
    generator.setTitle(chartView->windowTitle());
    QPainter painter(&generator);
    RenderChart(painter, chartView, QRectF(QPointF(0, 0), QSizeF(chartView->size())));
    painter.end();
    return bytes;
}

QByteArray PdfBytes(QWidget* chartView)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    // One page the chart's shape, a point per screen pixel.
    writer.setPageSize(QPageSize(QSizeF(chartView->size()) * 72.0 / 96.0, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    RenderChart(painter, chartView, QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height())));
    painter.end();
    return bytes;
}

void Render(QPainter& painter, QWidget* chartView, const QRectF& target, const QColor& background)
{
    if (!chartView || target.isEmpty() || chartView->width() <= 0 || chartView->height() <= 0)
        return;
    const PrintedColors colors(chartView, background);
    if (auto* chartViewQ = qobject_cast<QChartView*>(chartView);
        chartViewQ && chartViewQ->chart()) {
        // Drawn at the view's size, a chart squeezed into a split view
        // would print its labels as dots: lay it out page-shaped instead.
        QChart* chart = chartViewQ->chart();
        const QRectF shown = chart->geometry();
        const double width = std::max(shown.width(), 900.0);
        const double ratio = std::min(target.height() / target.width(), 0.75);
        const QRectF page(shown.topLeft(), QSizeF(width, width * ratio));
        chart->setGeometry(page);
        chart->layout()->activate();
        const QRectF area(target.topLeft(), QSizeF(target.width(), target.width() * ratio));
        chart->scene()->render(&painter, area, page, Qt::KeepAspectRatio);
        chart->setGeometry(shown);
        chart->layout()->activate();
        return;
    }
    if (auto* view = qobject_cast<QGraphicsView*>(chartView)) {
        view->render(&painter, target, view->viewport()->rect(), Qt::KeepAspectRatio);
        return;
    }
    const QSizeF size = QSizeF(chartView->size()).scaled(target.size(), Qt::KeepAspectRatio);
    painter.save();
    painter.translate(target.topLeft() + QPointF((target.width() - size.width()) / 2,
                                                 (target.height() - size.height()) / 2));
    painter.scale(size.width() / chartView->width(), size.height() / chartView->height());
    chartView->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
}

} // namespace

void RenderChart(QPainter& painter, QWidget* chartView, const QRectF& target)
{
    Render(painter, chartView, target);
}

QRectF ChartPageArea(QPrinter& printer, const PrintSettings& settings)
{
    printer.setFullPage(true);
    const double mm = printer.resolution() / 25.4;
    const QRectF paper = printer.pageLayout().fullRectPixels(printer.resolution()).toRectF();
    return paper.adjusted(settings.LeftSize * mm, settings.HeaderSize * mm,
                          -settings.RightSize * mm, -settings.FooterSize * mm);
}

bool PrintChart(QWidget* parent, QWidget* chartView, const PrintSettings& settings)
{
    QPrinter& printer = CurrentPrinter();
    if (!PrintsOnAPrinter(printer) && !AskPageRange(parent, printer, 1))
        return false;
    // One page: every page of this job is printed.
    printer.setPrintRange(QPrinter::AllPages);
    const QRectF area = ChartPageArea(printer, settings);
    if (area.isEmpty()) {
        ShowNoRoomOnThePage();
        return false;
    }
    QPainter painter;
    PrintedFile file(printer);
    if (!file.Begin(painter))
        return false;
    RenderChart(painter, chartView, area);
    return file.End(painter);
}

QByteArray ChartPictureBytes(QWidget* chartView, ChartPictureFormat format)
{
    switch (format) {
    case ChartPictureFormat::Svg:
        return SvgBytes(chartView);
    case ChartPictureFormat::Pdf:
        return PdfBytes(chartView);
    case ChartPictureFormat::Bitmap:
        break;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ChartImage(chartView).save(&buffer, "BMP");
    return bytes;
}

bool SaveChartPicture(QWidget* chartView, const std::string& path, ChartPictureFormat format)
{
    const QByteArray bytes = ChartPictureBytes(chartView, format);
    if (bytes.isEmpty() ||
        !WriteFileAtomically(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        ShowWriteError(path);
        return false;
    }
    return true;
}

std::optional<std::string> SaveChartAs(QWidget* chartView, const std::string& reportFolder,
                                       const std::string& reportFileName)
{
    const std::string name = ChangeFileExt(FileNameOf(reportFileName), ".bmp");
    const auto chosen = AskSaveFileName(chartView, QObject::tr("Save Graph As"),
                                        QString::fromStdString(reportFolder),
                                        QString::fromStdString(name), ChartPictureFilter, 1);
    if (!chosen)
        return std::nullopt;
    const std::string path = ChartPicturePath(chosen->Path.toStdString(), chosen->FilterIndex);
    // The dialog asked about the name it was given, not the one the type forces.
    if (path != chosen->Path.toStdString() && QFileInfo::exists(QString::fromStdString(path)) &&
        AskYesNo(path + " already exists. Overwrite the file?") != MessageAnswer::Yes)
        return std::nullopt;
    if (!SaveChartPicture(chartView, path, ChartPictureFormatFor(chosen->FilterIndex)))
        return std::nullopt;
    return path;
}

void CopyChart(QWidget* chartView, bool asPicture)
{
    auto* data = new QMimeData;
    data->setImageData(ChartImageOnWhite(chartView));
    if (asPicture)
        data->setData(QStringLiteral("image/svg+xml"), SvgBytes(chartView));
    QApplication::clipboard()->setMimeData(data);
}

} // namespace dialtally
