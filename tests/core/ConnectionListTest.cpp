#include "base/ConnectionList.h"

#include <gtest/gtest.h>

namespace dialtally {

TEST(ConnectionList, GrowsInBlocksOfHundredAndClearsToEmpty)
{
    TRep rep;
    EXPECT_EQ(rep.LastIndex, -1);
    EXPECT_EQ(AddConnection(rep), 0);
    EXPECT_EQ(rep.Service.size(), 100u);
    for (int i = 1; i < 100; ++i)
        AddConnection(rep);
    EXPECT_EQ(rep.LastIndex, 99);
    EXPECT_EQ(rep.Duration.size(), 100u);
    AddConnection(rep);
    EXPECT_EQ(rep.LastIndex, 100);
    EXPECT_EQ(rep.MonthCharge.size(), 200u);
    EXPECT_EQ(rep.Count(), 101);

    ClearConnections(rep);
    EXPECT_EQ(rep.LastIndex, -1);
    EXPECT_TRUE(rep.DateTimeOn.empty());
    EXPECT_TRUE(rep.Cost.empty());
}

TEST(ConnectionList, NewEntryStartsEmptyEvenWhenReusingSpace)
{
    TRep rep;
    AddConnection(rep);
    rep.Service[0] = "old";
    rep.Cost[0] = 5;
    rep.LastIndex = -1; // as after dropping the entry being added
    AddConnection(rep);
    EXPECT_EQ(rep.Service[0], "");
    EXPECT_EQ(rep.Cost[0], 0);
}

} // namespace dialtally
