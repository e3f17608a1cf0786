#pragma once

#include "logs/LogFormats.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dialtally {

// What the archive dialog asks for.
struct ArchiveOptions {
    std::string Target; // the archive file, appended to
    bool Skip = false;  // keep only the begin and end lines
    bool Clear = true;  // empty the log file after the copy
    // The file the reports are made from that a target names (the program's
    // own files, a report, another log): appending there would spoil it.
    std::function<std::optional<std::string>(const std::string&)> InputNamedBy;
};

enum class ArchiveResult {
    Done,       // copied, and cleared when asked
    NotCleared, // copied, but the log grew meanwhile, or could not be cleared, and was left whole
    Refused,    // no format, or the target is the source
    Failed,     // the source is missing or a read or write failed
};

// The dialog's explanation for the format in use.
std::string ArchivePrompt(const TLCfg& formats);
// The remembered target, else the format's log file with the extension
// ".old"; empty without either.
std::string ProposedArchiveTarget(const TLCfg& formats, const std::string& remembered);
// True for a line the reader of a format with these marker lists could
// use. An empty list matches every line, as it does for the reader.
bool IsArchiveLine(std::string_view line, std::string_view online, std::string_view offline);

// Appends the log file of format Current to the target, one CR LF line at
// a time, then empties the log when asked and it has not changed since
// the copy began. Shows the outcome in a message. `beforeClear` runs
// between the copy and the clearing (a seam for tests).
ArchiveResult ArchiveLogFile(const TLCfg& formats, const ArchiveOptions& options,
                             const std::function<void()>& beforeClear = {});

} // namespace dialtally
