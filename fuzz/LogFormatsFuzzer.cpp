// Any bytes as Dialtally.log: loading never fails, and what was loaded
// survives a save and a second load unchanged.
#include "FuzzSupport.h"

#include "logs/LogFormats.h"

#include <memory>

using namespace dialtally;

namespace {

// A value holding the marker text starts a format of its own on the next
// load, so such a table cannot come back as it was.
bool HoldsMarker(const TLCfg& table)
{
    for (int i = 1; i <= table.Count; ++i)
        for (const LogFormatField& field : LogFormatFields())
            if ((table.*field.Column)[i].find("LogType=") != std::string::npos)
                return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FixedFolders folders;
    folders.Program = FuzzFolder();
    WriteFuzzFile(LogFormatsPath(folders.Program),
                  std::string_view(reinterpret_cast<const char*>(data), size));

    auto first = std::make_unique<TLCfg>();
    LoadLogFormats(*first, folders);
    Require(first->Count >= 0 && first->Count <= TLCfg::MaxFormats, "Count stays in the table");
    Require(first->Current == first->Count, "Current equals Count after loading");
    Require(SaveLogFormats(*first, folders.Program), "the table can be saved");
    if (HoldsMarker(*first))
        return 0;
    auto second = std::make_unique<TLCfg>();
    LoadLogFormats(*second, folders);
    Require(*first == *second, "load, save, load gives the same table");
    return 0;
}
