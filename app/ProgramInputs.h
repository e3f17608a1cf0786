#pragma once

#include "app/ProgramState.h"

#include <optional>
#include <string>

namespace dialtally {

// The file among those a report is made from that `path` names, also
// through a link: the report, the program's own files, the default report,
// the logs of every format (each member of a set), an HTML header or
// footer. Writing an export, a printout or an archive there would destroy
// it; nothing when `path` names none of them.
std::optional<std::string> ProgramInputNamedBy(const std::string& path, const ProgramState& state,
                                               const std::string& report);

} // namespace dialtally
