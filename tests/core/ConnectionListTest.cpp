#include "base/ConnectionList.h"

#include <gtest/gtest.h>

#include <string>

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

namespace dialtally {

// Joining two lists keeps every entry in order across the blocks, whatever
// room either list kept from before, and the joined list grows on as one.
TEST(ConnectionList, AppendedListsStandInOrderAndGrowOn)
{
    const auto fill = [](TRep& rep, int count, int first) {
        for (int n = 0; n < count; ++n) {
            const int i = AddConnection(rep);
            rep.Duration[i] = first + n;
            rep.Service[i] =
                "a service name too long for the string itself " + std::to_string(first + n);
        }
    };
    struct Case {
        int Kept, Moved, RoomBefore;
    };
    for (const Case c : {Case{0, 1024, 0}, Case{1024, 1, 0}, Case{1500, 2600, 0},
                         Case{700, 3000, 5000}, Case{3000, 0, 0}}) {
        TRep to, from;
        fill(to, c.RoomBefore, 0);
        ClearConnections(to);
        ShareConnectionRoom(to, from);
        fill(to, c.Kept, 0);
        fill(from, c.Moved, c.Kept);
        AppendConnections(to, from);
        EXPECT_EQ(from.Count(), 0);
        ASSERT_EQ(to.Count(), c.Kept + c.Moved);
        fill(to, 150, c.Kept + c.Moved);
        for (int i = 0; i < to.Count(); ++i) {
            ASSERT_EQ(to.Duration[i], i) << c.Kept << "+" << c.Moved;
            ASSERT_EQ(to.Service[i],
                      "a service name too long for the string itself " + std::to_string(i));
        }
    }
}

} // namespace dialtally
