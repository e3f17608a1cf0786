#pragma once

#include "app/Settings.h"
#include "reports/ReportEngine.h"

#include <string>
#include <vector>

namespace dialtally {

// A built report of `calls` connections, one a day with day totals, so
// that the grid runs over several printed pages.
ReportOutput BuildSampleReport(int calls, const std::string& description = "Calls");
// Settings as a fresh start has them, without a documents folder.
Settings SampleSettings();
// The text of each page of a PDF file (pdftotext), empty when unreadable.
std::vector<std::string> PdfPages(const std::string& path);

} // namespace dialtally
