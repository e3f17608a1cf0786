// Any bytes as a .rep file: reading never fails, and the report read
// survives a save and a second read unchanged.
#include "FuzzSupport.h"

#include "reports/ReportFile.h"

using namespace dialtally;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    PickRegionalPreset(input.Byte());
    const std::string& folder = FuzzFolder();
    const std::string path = folder + "Fuzz.rep";
    WriteFuzzFile(path, input.Rest());

    std::string reportFolder = folder;
    RecentFiles recent;
    TCfg first;
    SetReportDefaults(first, folder + "Default.rep");
    if (!ReadReportFile(first, path, reportFolder, recent))
        return 0;
    Require(WriteReportFile(first, path), "the report can be saved");
    TCfg second;
    SetReportDefaults(second, folder + "Default.rep");
    Require(ReadReportFile(second, path, reportFolder, recent), "the saved report reads");
    Require(SameReport(first, second), "read, save, read gives the same report");
    Require(recent.Entries[0] == path, "the report is on top of the recent files");
    return 0;
}
