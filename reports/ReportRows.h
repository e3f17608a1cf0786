#pragma once

#include "base/ConnectionList.h"
#include "base/Currency.h"
#include "base/PictureFormatter.h"
#include "reports/ChartSeries.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportFormats.h"
#include "reports/ReportTable.h"

#include <cstdint>

namespace dialtally {

enum class TotalLevel { Day, Week, Month, Year, Total };

// What one level has gathered since its last total row.
struct LevelTotals {
    std::int32_t Connections = 0;
    std::int64_t Seconds = 0; // wider than the list's 32 bits: a long list must not wrap
    Currency Charges = 0;
    std::int32_t Days = 0; // calendar days with a connection; unused by the day level
};

// Writes the body rows of one build and their chart points, with the
// formats prepared once for the build.
class ReportRowWriter {
public:
    ReportRowWriter(const TCfg& cfg, const EngineOptions& options, const TRep& rep,
                    ReportTable& table, ReportChart& chart);

    void DetailRow(int i);
    // A detail row another writer made: row `row` of `rows`, and its point
    // among `points`.
    void TakeDetailRow(const ReportTable& rows, int row, const ReportChart& points);
    // A total row of the level; `i` is the last connection of the bucket
    // and weekStart the Sunday of the week bucket.
    void TotalRow(TotalLevel level, const LevelTotals& totals, int i, TDateTime weekStart);

private:
    void AddChartPoint(ChartLevel level, double value, std::string_view label);
    double PointValue(std::int64_t seconds, Currency charges, std::int32_t connections) const;

    const TRep& m_rep;
    ReportTable& m_table;
    ReportChart& m_chart;
    bool m_points; // whether chart points are made
    bool m_durationDec;
    // What a point's value is, from the report rather than from the chart
    // written to: a chunk of rows made ahead writes to a chart of its own.
    ChartValueMode m_mode;
    double m_scale; // hours or minutes divide the values
    std::array<int, ChartSeriesCount> m_step{};
    PictureFormatter m_detailDate;
    PictureFormatter m_detailDateOff; // its own cache: begin and end days alternate
    PictureFormatter m_time;
    PictureFormatter m_weekDate;
    PictureFormatter m_monthRow;
    PictureFormatter m_monthLabel;
};

} // namespace dialtally
