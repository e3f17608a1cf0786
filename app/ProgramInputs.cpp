#include "app/ProgramInputs.h"

#include "base/DataFile.h"
#include "base/Messages.h"
#include "costs/Links.h"
#include "costs/Providers.h"
#include "costs/TariffEdits.h"
#include "logs/LogFormats.h"
#include "logs/LogSource.h"

#include <filesystem>
#include <vector>

namespace dialtally {

std::optional<std::string> ProgramInputNamedBy(const std::string& path, const ProgramState& state,
                                               const std::string& report)
{
    const std::string& folder = state.Paths.ProgramFolder();
    std::vector<std::string> inputs = {SettingsPath(folder),        LogFormatsPath(folder),
                                       ProvidersPath(folder),       LinksPath(folder),
                                       state.Options.Files.Default, report};
    for (int f = 1; f <= state.Formats.Count; ++f) {
        const LogSourceName log = ResolveLogSource(state.Formats.LogFile[f]);
        inputs.push_back(log.Text);
        inputs.insert(inputs.end(), log.Members.begin(), log.Members.end());
    }
    const ExportSettings settings = ExportSettingsFor(state.Options);
    inputs.push_back(settings.Html.HeaderFile);
    inputs.push_back(settings.Html.FooterFile);
    for (const std::string& input : inputs) {
        std::error_code error;
        if (!input.empty() && std::filesystem::equivalent(path, input, error) && !error) {
            const std::filesystem::path absolute = std::filesystem::absolute(input, error);
            return error ? input : absolute.lexically_normal().string();
        }
    }
    return std::nullopt;
}

bool TableFileFits(const std::string& path, std::string_view entryKey, int room,
                   const std::string& entries, const std::string& dialog)
{
    const int held = DataFileEntryCount(path, entryKey);
    if (held <= room)
        return true;
    ShowError(path + " holds " + std::to_string(held) + " " + entries + ", more than the " +
              std::to_string(room) + " Dialtally keeps.\n\rThe " + dialog +
              " dialog would drop the others, so it does not open.");
    return false;
}

bool CostsDialogMayOpen(const std::string& programFolder)
{
    if (!TableFileFits(ProvidersPath(programFolder), "Provider=", TProv::MaxProviders, "providers",
                       "Costs") ||
        !TableFileFits(LinksPath(programFolder), "Service=", TServ::MaxLinks, "links", "Costs"))
        return false;
    const std::string line = TariffLineOfOtherSettings(programFolder);
    if (line.empty())
        return true;
    ShowError(ProvidersPath(programFolder) + " was written under other regional settings than " +
              "these (\"" + line +
              "\").\n\rThe Costs dialog would change its tariffs, so it does not open. Start "
              "Dialtally with the regional settings the file was written in (the --locale "
              "option, or LANG) to edit them.");
    return false;
}

} // namespace dialtally
