#pragma once

#include "app/ProgramState.h"

#include <optional>
#include <string>
#include <string_view>

namespace dialtally {

// The file among those a report is made from that `path` names, also
// through a link: the report, the program's own files, the default report,
// the logs of every format (each member of a set), an HTML header or
// footer. Writing an export, a printout or an archive there would destroy
// it; nothing when `path` names none of them.
std::optional<std::string> ProgramInputNamedBy(const std::string& path, const ProgramState& state,
                                               const std::string& report);

// Whether a dialog that saves a whole table may open over its file: not
// when the file holds more entries than the table keeps, as its OK would
// drop the others (the refusal is shown). `entries` names them ("providers").
bool TableFileFits(const std::string& path, std::string_view entryKey, int room,
                   const std::string& entries, const std::string& dialog);
// Whether the Costs dialog may open over the tariff files: they must fit
// their tables and read alike under the current regional settings, which
// they are stored in; otherwise its OK would store them changed (the
// refusal is shown).
bool CostsDialogMayOpen(const std::string& programFolder);

} // namespace dialtally
