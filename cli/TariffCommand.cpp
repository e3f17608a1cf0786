#include "TariffCommand.h"

#include "base/Clock.h"
#include "base/ConversionError.h"
#include "base/Messages.h"
#include "reports/BillingMonth.h"
#include "reports/TariffComparison.h"
#include "reports/TariffTables.h"

#include <ostream>

namespace dialtally {

bool WriteTariffReport(bool billing, int format, ProgramState& state,
                       const std::optional<std::string>& output, std::ostream& out)
{
    PairedConnections connections;
    try {
        connections = ReadPairedConnections(state.Current, state.Formats);
    } catch (const ConversionError& e) {
        ShowError(e.what());
        return true;
    }
    // The reason was shown; the earlier output stays, and the exit status
    // tells of the error.
    if (!connections.ReadToEnd)
        return true;
    const bool durationDec = state.Options.Options.DurationDec;
    TextTable table;
    if (billing) {
        const BillingStatement statement = StateBillingMonths(
            connections, state.Providers, state.Links, state.Current.ServiceProviders, Today());
        for (const ProviderBilling& provider : statement.Providers)
            if (!provider.Error.empty())
                ShowError(provider.Error);
        table = BillingTable(statement, durationDec);
    } else {
        if (connections.List.Count() == 0) {
            ShowInfo(NoDataMessage);
            return false;
        }
        const TariffComparison comparison = CompareTariffs(connections, state.Providers);
        for (const std::string& error : comparison.Errors)
            ShowError(error);
        table = ComparisonTable(comparison, durationDec);
    }
    try {
        const ExportSettings settings = ExportSettingsFor(state.Options);
        if (output)
            WriteExportFile(*output, format, TextTableSource(table), settings);
        else
            out << ExportBytes(format, TextTableSource(table), settings) << std::flush;
    } catch (const ExportError& e) {
        ShowError(e.what());
    }
    return true;
}

} // namespace dialtally
