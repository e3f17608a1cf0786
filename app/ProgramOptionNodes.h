#pragma once

#include "app/Settings.h"

#include <array>

namespace dialtally {

// The nine switches of [Options] as the options tree shows them: under
// four groups, each with its label.
struct ProgramOptionNode {
    const char* Group; // "Startup", "Data", "Output", "Split"
    const char* Label;
    bool ProgramOptions::*Setting;
};

constexpr int ProgramOptionCount = 9;
const std::array<ProgramOptionNode, ProgramOptionCount>& ProgramOptionNodes();

// A click on a node: the two start-up choices exclude each other, so
// ticking one unticks the other, and unticking one leaves neither; every
// other switch flips on its own.
void ToggleProgramOption(ProgramOptions& options, bool ProgramOptions::*setting);

} // namespace dialtally
