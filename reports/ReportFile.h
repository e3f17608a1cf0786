#pragma once

#include "base/RecentFiles.h"
#include "reports/ReportDefinition.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// The built-in report: the saved fields' defaults, with date and time texts
// in the current regional settings, nothing modified and the quick toggles
// as defined. FileName is the default report path.
void SetReportDefaults(TCfg& report, const std::string& defaultReportPath);
// The built-in report overlaid by the default report file when there is one.
// An unreadable file shows ShowReadError; the lines read before the error
// stay applied. False only then.
bool LoadDefaultTemplate(TCfg& defaultTemplate, const std::string& defaultReportPath);

// Makes the default report read the log format: the default report file
// (the built-in report when there is none) is written with that LogType,
// its folder made when missing, and becomes the template. A default report
// there already that reads another format is changed only when the user
// says so. False when it is not, or, with the message shown, when it cannot
// be read or written.
bool UseLogTypeInDefaultReport(TCfg& defaultTemplate, const std::string& defaultReportPath,
                               const std::string& logType);

// Applies one "key=value" line of a .rep file; other lines change nothing.
void ParseReportLine(TCfg& report, std::string_view line);

// Opens a .rep file into the report: its lines over the report's fields
// (fields the file lacks keep their values), then the quick state reset,
// the file made current and put on top of the recent files. A missing or
// unreadable file shows ShowReadError and leaves everything as it was;
// false then. Running the report is the caller's.
bool ReadReportFile(TCfg& report, const std::string& path, std::string& reportFolder,
                    RecentFiles& recent);
// Opens the report files another start of the program handed over, one
// path a line (double quotes removed, blank lines skipped), in order. Only
// regular files whose names end in ".rep" (any letter case) are opened;
// the others are named together in one error message at the end.
void OpenHandedOverReports(const std::vector<std::string>& lines,
                           const std::function<void(const std::string& path)>& open);

// Writes the 34 saved fields. A failure shows ShowWriteError and leaves the
// old file whole; false then.
bool WriteReportFile(const TCfg& report, const std::string& path);

// Not modified, quick toggles as defined, and the as-defined copies taken
// from the report's own totals and criteria.
void ResetQuickState(TCfg& report);
// The path becomes the report's file, its folder the report folder (with a
// trailing "/"), and its title the text of status panel 0.
void MakeCurrent(TCfg& report, std::string& reportFolder, const std::string& path);

// True when the 34 saved fields are equal; the document state is ignored.
bool SameReport(const TCfg& a, const TCfg& b);
// How much of a shown report must be redone when one definition replaces
// the other: 1 read the log again, 2 rebuild the rows, 3 redisplay, 4 lay
// out the columns and redisplay. Symmetric.
int ReportChangeClass(const TCfg& a, const TCfg& b);

// The path with its extension (after the last "." of the file part)
// replaced by ".rep", or ".rep" appended when it has none.
std::string WithReportExtension(const std::string& path);
// The folder part of a path, ending in "/"; empty when there is none.
std::string FolderOf(const std::string& path);
// The file part of a path.
std::string FileNameOf(const std::string& path);

} // namespace dialtally
