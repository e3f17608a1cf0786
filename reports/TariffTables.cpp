#include "reports/TariffTables.h"

#include "base/DateFormat.h"
#include "base/Numbers.h"
#include "reports/ReportFormats.h"

#include <array>

namespace dialtally {

namespace {

std::string DayText(TDateTime day)
{
    return FormatDateTime(Regional().ShortDateFormat, day);
}

constexpr int FixedComparisonColumns = 3; // month, connections, time online

} // namespace

const char* BillingFigureHead(BillingFigure figure)
{
    static const std::array<const char*, BillingFigureCount> heads{"Provider",
                                                                   "From",
                                                                   "To",
                                                                   "Days so far",
                                                                   "Connections",
                                                                   "Time online",
                                                                   "Charges so far",
                                                                   "Monthly charge",
                                                                   "Free hours used",
                                                                   "Free hours left",
                                                                   "Projected time online",
                                                                   "Free hours run out",
                                                                   "Projected cost",
                                                                   "Note"};
    return heads[static_cast<std::size_t>(figure)];
}

std::string BillingFigureText(const ProviderBilling& billing, BillingFigure figure,
                              bool durationDec)
{
    if (figure == BillingFigure::Provider)
        return billing.Provider;
    if (!billing.Error.empty())
        return figure == BillingFigure::Note ? billing.Error : std::string();
    if (!billing.InTable && figure != BillingFigure::Note)
        return {};
    const bool free = billing.FreeSeconds > 0;
    switch (figure) {
    case BillingFigure::From:
        return DayText(billing.Month.Start);
    case BillingFigure::To:
        return DayText(billing.Month.End - 1);
    case BillingFigure::DaysSoFar:
        return IntToStr(billing.DaysSoFar);
    case BillingFigure::Connections:
        return IntToStr(billing.Connections);
    case BillingFigure::TimeOnline:
        return DurationText(billing.Seconds, durationDec);
    case BillingFigure::Charges:
        return FormatMoney(billing.Charges);
    case BillingFigure::MonthlyCharge:
        return FormatMoney(billing.MonthlyCharge);
    case BillingFigure::FreeUsed:
        return free ? DurationText(billing.FreeSecondsUsed, durationDec) : std::string();
    case BillingFigure::FreeLeft:
        return free ? DurationText(billing.FreeSecondsLeft, durationDec) : std::string();
    case BillingFigure::ProjectedTime:
        return billing.Projected ? DurationText(billing.ProjectedSeconds, durationDec)
                                 : std::string();
    case BillingFigure::FreeRunOut:
        if (!free)
            return {};
        if (billing.FreeRanOut)
            return DayText(*billing.FreeRanOut);
        if (!billing.Projected)
            return {};
        return billing.FreeRunOut ? DayText(*billing.FreeRunOut) : "Last the month";
    case BillingFigure::ProjectedCost:
        return billing.Projected ? FormatMoney(billing.ProjectedCharges) : std::string();
    case BillingFigure::Note: {
        std::string notes;
        for (const std::string& note : billing.Notes)
            notes += (notes.empty() ? "" : " ") + note;
        return notes;
    }
    case BillingFigure::Provider:
        break;
    }
    return {};
}

TextTable BillingTable(const BillingStatement& statement, bool durationDec)
{
    TextTable table;
    auto& head = table.Rows.emplace_back();
    for (int f = 0; f < BillingFigureCount; ++f)
        head.emplace_back(BillingFigureHead(static_cast<BillingFigure>(f)));
    table.Kinds.push_back(RowKind::Head);
    for (const ProviderBilling& billing : statement.Providers) {
        auto& row = table.Rows.emplace_back();
        for (int f = 0; f < BillingFigureCount; ++f)
            row.push_back(BillingFigureText(billing, static_cast<BillingFigure>(f), durationDec));
        table.Kinds.push_back(RowKind::Detail);
    }
    return table;
}

int ComparisonColumnCount(const TariffComparison& comparison)
{
    return FixedComparisonColumns + static_cast<int>(comparison.Providers.size()) + 1;
}

std::string ComparisonHead(const TariffComparison& comparison, int column)
{
    const int provider = column - FixedComparisonColumns;
    if (column == 0)
        return "Month";
    if (column == 1)
        return "Connections";
    if (column == 2)
        return "Time online";
    if (provider < static_cast<int>(comparison.Providers.size()))
        return comparison.Providers[static_cast<std::size_t>(provider)];
    return "Cheapest";
}

const ComparedMonth& ComparisonRow(const TariffComparison& comparison, int row)
{
    return row < static_cast<int>(comparison.Months.size())
               ? comparison.Months[static_cast<std::size_t>(row)]
               : comparison.Total;
}

std::string ComparisonCellText(const TariffComparison& comparison, int row, int column,
                               bool durationDec)
{
    const ComparedMonth& month = ComparisonRow(comparison, row);
    const int provider = column - FixedComparisonColumns;
    const int providers = static_cast<int>(comparison.Providers.size());
    if (column == 0)
        return &month == &comparison.Total ? "Total" : FormatDateTime("MMMM yyyy", month.First);
    if (column == 1)
        return IntToStr(month.Connections);
    if (column == 2)
        return DurationText(month.Seconds, durationDec);
    if (provider < providers)
        return FormatMoney(month.Charges[static_cast<std::size_t>(provider)]);
    std::string cheapest;
    for (int n = 0; n < providers; ++n)
        if (month.Cheapest[static_cast<std::size_t>(n)])
            cheapest +=
                (cheapest.empty() ? "" : ", ") + comparison.Providers[static_cast<std::size_t>(n)];
    return cheapest;
}

TextTable ComparisonTable(const TariffComparison& comparison, bool durationDec)
{
    TextTable table;
    const int columns = ComparisonColumnCount(comparison);
    auto& head = table.Rows.emplace_back();
    for (int c = 0; c < columns; ++c)
        head.push_back(ComparisonHead(comparison, c));
    table.Kinds.push_back(RowKind::Head);
    const int rows = static_cast<int>(comparison.Months.size()) + 1;
    for (int r = 0; r < rows; ++r) {
        auto& row = table.Rows.emplace_back();
        for (int c = 0; c < columns; ++c)
            row.push_back(ComparisonCellText(comparison, r, c, durationDec));
        table.Kinds.push_back(r + 1 == rows ? RowKind::Total : RowKind::Detail);
    }
    return table;
}

} // namespace dialtally
