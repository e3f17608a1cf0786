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
