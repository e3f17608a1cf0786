#include "app/ProgramState.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace dialtally {

// Chart options changed in the properties only redisplay the report (class
// 3; class 4 redisplays too); the display step must set the chart up anew.
TEST(RedoReport, RedisplayAppliesTheChartOptions)
{
    struct Case {
        std::string TCfg::*Field;
        const char* Value;
        int ChangeClass;
        bool Legend, Values, View3D;
    };
    for (const Case& c : {Case{&TCfg::GraphLegend, "1", 3, true, true, true},
                          Case{&TCfg::GraphValues, "0", 3, false, false, true},
                          Case{&TCfg::Graph3d, "0", 3, false, true, false},
                          Case{&TCfg::GraphLegend, "1", 4, true, true, true}}) {
        FixedFolders folders;
        ProgramState state(folders);
        state.Current.GraphLegend = "0";
        state.Current.GraphValues = "1";
        state.Current.Graph3d = "1";
        NoDisplay display;
        RebuildReport(state, display);
        state.Current.*c.Field = c.Value;
        RedoReport(state, display, c.ChangeClass);
        const ChartSetup& setup = state.Output.Chart.Setup;
        EXPECT_EQ(setup.Legend, c.Legend) << c.Value << " class " << c.ChangeClass;
        EXPECT_EQ(setup.ValueSeries >= 0, c.Values) << c.Value << " class " << c.ChangeClass;
        EXPECT_EQ(setup.View3D, c.View3D) << c.Value << " class " << c.ChangeClass;
    }
}

} // namespace dialtally

namespace dialtally {

// Tables another window of the program folder saved are read again before
// they are used; tables whose files did not change are left alone.
TEST(ReloadChangedTables, ReadsAgainOnlyWhatAnotherWindowSaved)
{
    TempFolder home;
    FixedFolders folders;
    folders.Program = home.Path();
    RecordingFrontEnd ui;
    ProgramState first(folders), second(folders);
    StartProgram(first);
    StartProgram(second);
    EXPECT_FALSE(ReloadChangedTables(first));

    second.Providers.Provider[1] = "Saved elsewhere";
    second.Links.Service[1] = "Linked elsewhere";
    second.Formats.LogType[2] = "Format elsewhere";
    first.Formats.Current = 1; // the format the report in the first window reads
    ASSERT_TRUE(SaveProviders(second.Providers, home.Path()));
    ASSERT_TRUE(SaveLinks(second.Links, home.Path()));
    ASSERT_TRUE(SaveLogFormats(second.Formats, home.Path()));
    first.Providers.Provider[2] = "Only in memory";

    EXPECT_TRUE(ReloadChangedTables(first));
    EXPECT_EQ(first.Providers.Provider[1], "Saved elsewhere");
    EXPECT_EQ(first.Providers.Provider[2], second.Providers.Provider[2]);
    EXPECT_EQ(first.Links.Service[1], "Linked elsewhere");
    EXPECT_EQ(first.Formats.LogType[2], "Format elsewhere");
    EXPECT_EQ(first.Formats.Current, 1) << "Archive acts on the format in use";
    EXPECT_FALSE(ReloadChangedTables(first));
    EXPECT_TRUE(ui.Messages.empty());
}

} // namespace dialtally
