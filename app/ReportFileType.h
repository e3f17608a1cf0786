#pragma once

#include <string>

namespace dialtally {

// The ".rep" file type as the program uses it. The file-type flag itself
// lives with the main window: FileTypeRegistered(ReportExtension) when it
// is created, changed only through ToggleReportFileType.

inline constexpr const char* ReportExtension = ".rep";
inline constexpr const char* ReportTypeName = "Dialtally";
inline constexpr const char* ReportDdeTopic = "DdeServerConv1";

// The file type button of the options: removes the type when the flag is
// set, else registers it; the flag follows only a success. The routines
// show their own messages.
void ToggleReportFileType(bool& registered);
// "Add &File Type" or "Remove &File Type".
std::string FileTypeButtonCaption(bool registered);
// Records a report in the desktop's recently used documents; for the
// front end's shell hook.
void AddReportToRecentlyUsed(const std::string& path);

} // namespace dialtally
