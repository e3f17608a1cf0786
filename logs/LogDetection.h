#pragma once

#include "logs/LogFormats.h"

#include <string>
#include <vector>

namespace dialtally {

// A log of this machine that a ready-made format reads.
struct DetectedLog {
    std::string Source; // the LogFile that names it
    int Format = 0;     // the format's index in the library
    int BeginLines = 0; // lines seen that the format reads as begin lines
};

// Looks for what the ready-made formats read: the system journal (or the
// journal files of a prepared log folder), the syslog sets of the log
// folder and the modem logs of the Windows folder. A source is listed with
// every format that reads at least one of its lines as a begin line, with
// its date and time; the journal first, then the sets, then the Windows
// folder. At most the first `budget` bytes of text of each source are
// looked at.
std::vector<DetectedLog> DetectLogs(const Folders& folders, const TLCfg& library,
                                    std::size_t budget = std::size_t{256} << 20);
// Adds the library's format with the found source to the table (or points
// the table's format of that name at it) and saves the table. The format's
// name; empty when the table is full or the save failed (the save says so).
std::string ApplyDetectedLog(TLCfg& formats, const TLCfg& library, const DetectedLog& log,
                             const std::string& programFolder);

} // namespace dialtally
