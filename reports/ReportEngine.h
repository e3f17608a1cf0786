#pragma once

#include "base/ConnectionList.h"
#include "reports/ChartSeries.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportFormats.h"
#include "reports/ReportLayout.h"
#include "reports/ReportRows.h"
#include "reports/ReportTable.h"

#include <array>
#include <string>

namespace dialtally {

// What the main window does for the engine. The report command and the
// tests supply their own.
class ReportDisplay {
public:
    virtual ~ReportDisplay() = default;
    // The display step: history, bars and view from the definition, and
    // the chart set-up.
    virtual void ShowReport(const TCfg& cfg) = 0;
    virtual void SetMainCaption(const std::string& title) = 0;
    // Set while the rows are filled; the chart hints wait for it.
    virtual void SetBuilding(bool building) = 0;
    // The grid's width in pixels and how it measures texts, for sizing.
    virtual int TableWidth() const { return 0; }
    virtual const TextMeasure& Measure() const;
};

// A display that shows nothing, for the report command.
class NoDisplay : public ReportDisplay {
public:
    void ShowReport(const TCfg&) override {}
    void SetMainCaption(const std::string&) override {}
    void SetBuilding(bool) override {}
};

// Status panels 0 to 4: report name, days, connections, duration, cost.
constexpr int StatusFigureCount = 5;

// Everything a build produces; the views and the exports read it.
struct ReportOutput {
    ReportTable Table;
    ReportChart Chart;
    ColumnLayout Columns;
    SortIndicator Sort;
    std::string Title; // the print title
    int SelectedRow = 0;
    int SelectedColumn = 0;
    std::array<std::string, StatusFigureCount> StatusFigures;
};

// Groups and totals the connection list into the report's rows, chart
// points and status figures, in one pass over the list.
class ReportEngine {
public:
    ReportEngine(ReportOutput& output, ReportDisplay& display);

    // Empties the table and series, sets the sort indicator and the
    // chart value mode, and zeroes the accumulators.
    void PrepareReport(const TCfg& cfg);
    void BuildReport(const TCfg& cfg, const TRep& rep, const EngineOptions& options);

    const LevelTotals& Totals(TotalLevel level) const { return m_totals[static_cast<int>(level)]; }

private:
    void BuildRows(const TCfg& cfg, const TRep& rep, const EngineOptions& options);
    void WriteStatusFigures(const TCfg& cfg, const EngineOptions& options);

    ReportOutput& m_output;
    ReportDisplay& m_display;
    std::array<LevelTotals, 5> m_totals{};
};

inline constexpr const char* NoDataMessage = "There was no data found matching the criteria.";

} // namespace dialtally
