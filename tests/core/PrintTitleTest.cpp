#include "app/ProgramState.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace dialtally {

TEST(PrintTitle, EveryBuildSetsThePrintedTitle)
{
    FixedFolders folders;
    ProgramState state(folders);
    state.Current.ReportDescription = "Week";
    state.Current.CriteriaDateFrom = "3/1/2001";
    state.Current.CriteriaDateTo = "3/7/2001";
    state.Options.Printer.TitleText = "old";
    NoDisplay display;
    RebuildReport(state, display);
    EXPECT_EQ(state.Options.Printer.TitleText, state.Output.Title);
    EXPECT_EQ(state.Options.Printer.TitleText.rfind("Week  ", 0), 0u);
}

} // namespace dialtally
