#pragma once

#include "app/ProgramState.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace dialtally {

// Writes, in the export format given, each provider's billing month
// (billing) or what each provider would have charged for the current
// report's connections, to the output file or `out`. Messages go through
// the front end: a provider whose tariff does not convert is an error.
// Writes nothing after an error in reading the log. False when a comparison
// found no connections and wrote nothing.
bool WriteTariffReport(bool billing, int format, ProgramState& state,
                       const std::optional<std::string>& output, std::ostream& out);

} // namespace dialtally
