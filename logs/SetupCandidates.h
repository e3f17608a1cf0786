#pragma once

#include "logs/LogDetection.h"
#include "logs/LogFormats.h"

#include <string>
#include <vector>

namespace dialtally {

// The log files the first-time setup offers: the modem log of the Windows
// folder first, then every "*.log" there, as full paths. Names match in
// any letter case, as they do on Windows.
std::vector<std::string> SetupCandidates(const std::string& windowsFolder);
// SetupCandidates as the setup lists them above the logs found on this
// machine: without a file a ready-made format was found to read (it is
// offered with that format), and where the Windows folder is the system's
// log folder (no Wine) only a modem log, not every "*.log" of the system.
std::vector<std::string> WindowsSetupCandidates(const std::string& windowsFolder,
                                                const std::vector<DetectedLog>& found);

// Makes the path the log file of format 1 and saves the table. False when
// there is no format 1 or the save failed (the save shows why).
bool ApplySetupChoice(TLCfg& formats, const std::string& path, const std::string& programFolder);

} // namespace dialtally
