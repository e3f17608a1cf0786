#pragma once

#include "logs/LogFormats.h"

#include <string>
#include <vector>

namespace dialtally {

// The log files the first-time setup offers: the modem log of the Windows
// folder first, then every "*.log" there, as full paths. Names match in
// any letter case, as they do on Windows.
std::vector<std::string> SetupCandidates(const std::string& windowsFolder);

// Makes the path the log file of format 1 and saves the table. False when
// there is no format 1 or the save failed (the save shows why).
bool ApplySetupChoice(TLCfg& formats, const std::string& path, const std::string& programFolder);

} // namespace dialtally
