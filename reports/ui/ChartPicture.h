#pragma once

#include "reports/ExportFileNames.h"
#include "reports/PrintSettings.h"

#include <QByteArray>
#include <QRectF>

#include <optional>
#include <string>

class QPainter;
class QPrinter;
class QWidget;

namespace dialtally {

// The chart helpers take the chart's view as a widget: a graphics view
// (the chart view) is drawn as vectors, any other widget as it paints.

// Draws the chart into the target, keeping its proportions.
void RenderChart(QPainter& painter, QWidget* chartView, const QRectF& target);
// The printer's paper inside the print settings' margins, in device units.
QRectF ChartPageArea(QPrinter& printer, const PrintSettings& settings);

// Prints the chart on one page of the current printer, without a dialog
// when that is a printer of the system; a file, or no printer, is asked for
// with the print dialog (see PrintsOnAPrinter). False when cancelled or when
// the printer cannot be started (the error is shown).
bool PrintChart(QWidget* parent, QWidget* chartView, const PrintSettings& settings);

// The picture file's contents: a bitmap on a white background, an SVG
// picture or a one-page PDF.
QByteArray ChartPictureBytes(QWidget* chartView, ChartPictureFormat format);
// Writes the picture; false after showing the write error.
bool SaveChartPicture(QWidget* chartView, const std::string& path, ChartPictureFormat format);
// The save dialog in the report folder with the report's name as a bitmap;
// the chosen filter forces its extension. The written path, or none when
// cancelled or not written.
std::optional<std::string> SaveChartAs(QWidget* chartView, const std::string& reportFolder,
                                       const std::string& reportFileName);

// The chart to the clipboard: a bitmap on a white background, or with
// `asPicture` (GraphCopyMeta) an SVG picture under "image/svg+xml" with the
// bitmap beside it for programs that take no SVG.
void CopyChart(QWidget* chartView, bool asPicture);

} // namespace dialtally
