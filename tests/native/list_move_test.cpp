#include <gtest/gtest.h>

#include "tests/native/support/app_fakes.h"

namespace vantry {
namespace {

class ListMoveTest : public ::testing::Test {
  protected:
    void Items(int tab, const std::string& content) { p.folder.files[ListFileName(tab)] = content; }
    std::string File(int tab) { return p.folder.files[ListFileName(tab)]; }

    test::FakeProgram p;
};

TEST_F(ListMoveTest, MovingDownThenUpShiftsTheItemsBetweenAndSavesTheNewOrder) {
    Items(0, "C:\\A\r\nC:\\B\r\nC:\\C\r\nC:\\D\r\n");
    p.large.Load();
    p.large.MoveItem(0, 2);
    EXPECT_EQ(File(0), "C:\\B\r\nC:\\C\r\nC:\\A\r\nC:\\D\r\n");
    p.large.MoveItem(3, 0);
    EXPECT_EQ(File(0), "C:\\D\r\nC:\\B\r\nC:\\C\r\nC:\\A\r\n");
    // Past the last item means the last slot: no gap opens below the items.
    p.large.MoveItem(0, 15);
    EXPECT_EQ(File(0), "C:\\B\r\nC:\\C\r\nC:\\A\r\nC:\\D\r\n");
    EXPECT_EQ(p.largeView.captions[3], "D");
    EXPECT_EQ(p.largeView.captions[4], "");
}

TEST_F(ListMoveTest, AMoveWhoseSaveFailsLeavesTheItemsWhereTheFileHasThem) {
    Items(0, "C:\\A\r\nC:\\B\r\nC:\\C\r\n");
    p.large.Load();
    p.folder.failWrites = true;
    p.large.MoveItem(0, 2);
    EXPECT_EQ(p.large.Model().Path(0), "C:\\A");
    EXPECT_EQ(p.largeView.captions[2], "C");
    EXPECT_EQ(p.dialogs.errors.size(), 1u);
}

// Shown so while the save runs: a missing target's dimming moves with its item.
TEST_F(ListMoveTest, AMovedItemKeepsItsMissingMark) {
    Items(0, "C:\\A\r\nC:\\B\r\nC:\\C\r\n");
    p.large.Load();
    p.large.Model().SetTargetMissing(1, true);
    p.large.Model().MoveItem(1, 2);
    EXPECT_TRUE(p.large.Model().TargetMissing(2));
    EXPECT_FALSE(p.large.Model().TargetMissing(1));
    EXPECT_TRUE(p.largeView.dimmed[2]);
    EXPECT_FALSE(p.largeView.dimmed[1]);
}

TEST_F(ListMoveTest, MovingToAnotherTabAppendsItThereBeyondTheTwentiethWhenFull) {
    p.folder.files["VantryTabs.txt"] = "Main |\r\nFull |\r\nSpare |\r\n\r\n\r\n";
    Items(0, "C:\\A\r\nC:\\B\r\nC:\\C\r\n");
    std::string full;
    for (int i = 0; i < 21; ++i) full += "D:\\" + std::to_string(i) + "\r\n";
    Items(1, full);
    p.small.Load();
    p.small.MoveItemToTab(1, 1);
    EXPECT_EQ(File(1), full + "C:\\B\r\n");
    EXPECT_EQ(File(0), "C:\\A\r\nC:\\C\r\n");
    EXPECT_EQ(p.smallView.captions[1], "C");
    // A tab that has no file yet gets one; a tab without a name takes nothing.
    p.small.MoveItemToTab(0, 2);
    EXPECT_EQ(File(2), "C:\\A\r\n");
    p.small.MoveItemToTab(0, 3);
    EXPECT_EQ(File(0), "C:\\C\r\n");
    EXPECT_EQ(p.folder.files.count(ListFileName(3)), 0u);
}

}  // namespace
}  // namespace vantry
