#pragma once

#include "app/Settings.h"
#include "reports/ui/ReportChartView.h"
#include "reports/ui/ReportTableModel.h"

#include <QColor>
#include <QFont>

class QAbstractItemModel;
class QTableView;

namespace dialtally {

class ReportGridView;

// The display options as Qt draws them, shared by the window and the
// previews of the options so that both look the same.

QFont QtFont(const FontSpec& spec);
// The font as a settings entry in the colour given (Qt's fonts carry
// none). Only a fixed pitch survives; others read back as the default.
FontSpec FontSpecOf(const QFont& font, TColor color);
// The colour on paper: system colours take the classic scheme.
QColor QtColor(TColor color);
// The colour on screen: a system colour is the desktop's, so that a dark
// scheme gets a dark grid; a fixed colour is itself.
QColor ScreenColor(TColor color);
// A text colour the program chose, over a background: itself where it
// reads, else black or white, whichever reads better.
QColor ReadableOn(const QColor& text, const QColor& background);
// A fixed colour 0x00BBGGRR.
TColor TColorOf(const QColor& color);

GridStyle GridStyleFor(const TextDisplay& text);
ChartStyle ChartStyleFor(const GraphDisplay& graph);
// The chart printed, copied or saved: the classic colours, as a dark
// desktop's would not do on paper nor on a copy's white.
ChartStyle PrintedChartStyleFor(const GraphDisplay& graph);
// The model's row fonts and colours and the grid's own font and colour.
void ApplyGridStyle(ReportGridView& grid, const GridStyle& style);
// A read-only table of figures over the model, in the grid's fonts and
// colours, its columns and rows as wide and tall as their contents.
void SetUpFiguresTable(QTableView& table, QAbstractItemModel* model, const GridStyle& style);

} // namespace dialtally
