#include "app/ProgramOptionNodes.h"

namespace dialtally {

const std::array<ProgramOptionNode, ProgramOptionCount>& ProgramOptionNodes()
{
    static const std::array<ProgramOptionNode, ProgramOptionCount> nodes{{
        {"Startup", "Default", &ProgramOptions::LoadDefault},
        {"Startup", "Last accessed", &ProgramOptions::LoadRecent},
        {"Data", "Day of the week with dates", &ProgramOptions::DayInclude},
        {"Data", "Duration as decimal", &ProgramOptions::DurationDec},
        {"Output", "Display text from top", &ProgramOptions::TextTop},
        {"Output", "Print text using display fonts and colors", &ProgramOptions::PrintDisplayFonts},
        {"Output", "Copy graph as metafile", &ProgramOptions::GraphCopyMeta},
        {"Split", "Vertical", &ProgramOptions::SplitVertical},
        {"Split", "Graph at top/left", &ProgramOptions::GraphTop},
    }};
    return nodes;
}

void ToggleProgramOption(ProgramOptions& options, bool ProgramOptions::*setting)
{
    bool& tick = options.*setting;
    tick = !tick;
    if (!tick)
        return;
    if (setting == &ProgramOptions::LoadDefault)
        options.LoadRecent = false;
    else if (setting == &ProgramOptions::LoadRecent)
        options.LoadDefault = false;
}

} // namespace dialtally
