#pragma once

#include "reports/BillingMonth.h"
#include "reports/ExportWriters.h"
#include "reports/TariffComparison.h"

#include <string>

namespace dialtally {

// The figures of a provider's billing month, in the order of the
// command's columns; the window shows From to ProjectedCost as rows.
enum class BillingFigure {
    Provider,
    From,
    To,
    DaysSoFar,
    Connections,
    TimeOnline,
    Charges,
    MonthlyCharge,
    FreeUsed,
    FreeLeft,
    ProjectedTime,
    FreeRunOut,
    ProjectedCost,
    Note
};
constexpr int BillingFigureCount = static_cast<int>(BillingFigure::Note) + 1;

const char* BillingFigureHead(BillingFigure figure);
// The figure as shown, in the regional formats; durations as decimal hours
// when durationDec is on. Empty where the figure does not apply.
std::string BillingFigureText(const ProviderBilling& billing, BillingFigure figure,
                              bool durationDec);
// The heads and one row per provider.
TextTable BillingTable(const BillingStatement& statement, bool durationDec);

// Columns of the comparison: month, connections, time online, one per
// provider, then the cheapest.
int ComparisonColumnCount(const TariffComparison& comparison);
std::string ComparisonHead(const TariffComparison& comparison, int column);
// Rows 0.. are the months, the row after them the total.
std::string ComparisonCellText(const TariffComparison& comparison, int row, int column,
                               bool durationDec);
const ComparedMonth& ComparisonRow(const TariffComparison& comparison, int row);
// The heads, the months and the total row.
TextTable ComparisonTable(const TariffComparison& comparison, bool durationDec);

} // namespace dialtally
