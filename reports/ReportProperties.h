#pragma once

#include "base/DateTime.h"
#include "costs/Providers.h"
#include "logs/LogFormats.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportHistory.h"

#include <array>
#include <string>
#include <vector>

namespace dialtally {

// What the report properties dialog's controls hold, independent of the
// widgets: list indexes are -1 for no selection.
struct PropertiesValues {
    std::string Title;
    int View = -1;                      // 0 Text, 1 Graph, 2 Split
    std::vector<std::string> LogTypes;  // sorted, letter case ignored
    int LogIndex = -1;                  // into LogTypes
    std::vector<std::string> Providers; // sorted, letter case ignored
    std::vector<bool> ProviderTicks;    // parallel to Providers
    bool DateAll = false;
    TDateTime DateFrom = 0;
    TDateTime DateTo = 0;
    bool TimeAll = false;
    TDateTime TimeFrom = 0;
    TDateTime TimeTo = 0;
    bool DescripAll = false;
    std::string Include;
    std::string Exclude;
    bool DetailShow = false;
    std::array<bool, 7> Details{}; // Date On .. Description
    bool TotalShow = false;
    std::array<bool, 5> Totals{}; // Day .. Total
    int ColSize = -1;             // 0 Autosize, 1 Equal
    int ColAlign = -1;            // 0 Left, 1 Right
    bool ColStretch = false;
    int GraphYAxis = -1; // 0 Hours .. 4 Count
    int Graph3d = -1;    // 0 2D, 1 3D
    bool GraphValues = false;
    bool GraphLegend = false;
};

inline constexpr std::array<const char*, 3> ViewNames = {"Text", "Graph", "Split"};

// Names sorted the way the dialog's sorted lists show them: letter case
// ignored, ties kept in table order.
std::vector<std::string> SortedNames(std::vector<std::string> names);

// Ticked when the name occurs anywhere inside the value, so "A" is ticked
// by "AB" too.
bool ProviderTicked(const std::string& serviceProviders, const std::string& provider);
// The ticked names, each followed by ","; the last character is cut when
// the table has any provider at all, so nothing ticked gives "".
std::string JoinServiceProviders(const std::vector<std::string>& names,
                                 const std::vector<bool>& ticks);
// The list index a numeric field selects: the value less the offset, or -1
// when that is outside the list. Raises ConversionError for a value that is
// not a whole number.
int ListIndexOf(const std::string& value, int offset, int itemCount);

// The controls filled from a report. Raises ConversionError for a date or
// time text the regional settings cannot read, or a list field that is not
// a whole number.
PropertiesValues ReadPropertiesValues(const TCfg& report, const TLCfg& formats,
                                      const TProv& providers);
// Writes every control into the report in the dialog's order, then resets
// the quick state and marks the report modified.
void WritePropertiesValues(const PropertiesValues& values, TCfg& report);

// The change class the refresh after an apply gets: against the history
// entry being shown, or 1 (read everything again) when none is shown.
int AppliedChangeClass(const TCfg& current, const THCfg& history);

} // namespace dialtally
