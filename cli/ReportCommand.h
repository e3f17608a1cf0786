#pragma once

#include "CommandLine.h"

#include <iosfwd>

namespace dialtally {

// Runs dialtally-report: start-up from the program folder, one report
// pass, the table written in the chosen format. Returns the exit status:
// 0 when no error message was shown, 1 when one was, 2 for a usage error.
int RunReportCommand(const CommandLine& command, std::ostream& out, std::ostream& err);

// The name write errors give standard output.
inline constexpr const char* StandardOutputName = "standard output";

} // namespace dialtally
