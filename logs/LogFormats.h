#pragma once

#include "base/OneBasedColumn.h"

#include "platform/Folders.h"

#include <array>
#include <string>
#include <string_view>

namespace dialtally {

// The log formats: up to 256, each of fifteen text fields held in parallel
// arrays indexed 1..256 (entry 0 unused).
struct TLCfg {
    static constexpr int MaxFormats = 256;
    using Column = OneBasedColumn<std::string, MaxFormats>;

    int Current = 0; // format in use
    int Count = 0;   // formats in the table, 0..256
    Column LogType;  // the format's name, which reports refer to
    Column LogFile;  // full path of the log file
    Column Online;   // markers of a begin line, comma list; empty: every line
    Column OnMonth;  // locators of the begin line's fields
    Column OnDate;
    Column OnYear;
    Column OnTime;
    Column OnAmpm;
    Column OnService;
    Column Offline; // markers of an end line; empty: every line
    Column OffMonth;
    Column OffDate;
    Column OffYear;
    Column OffTime;
    Column OffAmpm;

    bool operator==(const TLCfg&) const = default;
};

// The fifteen keys of a format in their file order, with their columns.
struct LogFormatField {
    const char* Key;
    TLCfg::Column TLCfg::*Column;
};
const std::array<LogFormatField, 15>& LogFormatFields();

std::string LogFormatsPath(const std::string& programFolder);

// Fills the table from Dialtally.log in the program folder, or with the
// built-in formats when there is none. A read error shows ShowReadError and
// leaves the table empty. Formats past the 256th are ignored.
void LoadLogFormats(TLCfg& table, const Folders& folders);
// Writes the table; a failure shows ShowWriteError and leaves the old file
// whole. False on failure.
bool SaveLogFormats(const TLCfg& table, const std::string& programFolder);
// Puts the two built-in formats in entries 1 and 2; Count 2, Current 1.
void LoadDefaultLogFormats(TLCfg& table, const Folders& folders);
// 1-based index of the first format of that exact name; 0 when none.
int FindLogFormat(const TLCfg& table, std::string_view name);

} // namespace dialtally
