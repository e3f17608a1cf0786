#pragma once

#include "base/ConnectionList.h"
#include "costs/Links.h"
#include "costs/Providers.h"
#include "logs/LogFormats.h"
#include "reports/ReportDefinition.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace dialtally {

// What one reading pass works on. BuildReport runs the report engine on the
// list once the log has been read. Closed, when set, hears of each
// connection that got its end line, right after it was priced; the others
// are never priced.
struct ReadContext {
    TCfg& Report;
    TLCfg& Formats;
    TProv& Providers;
    const TServ& Links;
    TRep& Connections;
    std::function<void()> BuildReport;
    std::function<void(int index)> Closed = {};
    // Where to cut a plain log of `size` bytes that is read in pieces on
    // two cores (at the first line end from each), none for reading it in
    // one piece; when unset, long logs are cut into pieces of a few MiB.
    std::function<std::vector<std::uint64_t>(std::uint64_t size)> CutsNear = {};
    // At most this many pieces are read from the front, the rest by the
    // second core; 0 for as many as the front gets to first.
    int FrontPieces = 0;
};

// Rebuilds the connection list from the log file of the report's format:
// begin lines that pass the report's date, time and description criteria
// become connections, each end line closes and prices the newest open one.
// With the "all" switches on, the criteria texts are rewritten to what was
// read. A missing format, a file that cannot be read, a field that does not
// convert and running out of memory are reported and keep what was read;
// the report is built in every one of these cases. Criteria texts that do
// not convert raise ConversionError before anything is read, and nothing is
// built. True when the log was read to its end, false after such a report;
// members of a set left for lines of another stamp style are named in the
// parsing message, but the others count as read to their end.
bool ReadConnectionLog(ReadContext& context);

} // namespace dialtally
