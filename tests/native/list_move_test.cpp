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

// Nothing else is looked up or redrawn: untouched items keep their icons and missing marks, and
// the keyboard's item stays with its item.
TEST_F(ListMoveTest, MovesAndDeletesChangeOnlyTheSlotsBetweenAndTheFocusFollowsItsItem) {
    Items(0, "C:\\A\r\nC:\\B\r\nC:\\C\r\nC:\\D\r\nC:\\E\r\nC:\\F\r\n");
    p.large.Load();
    p.large.Model().SetTargetMissing(0, true);
    p.large.Model().SetTargetMissing(3, true);
    p.large.Keyboard().Press(ListKeyboard::Key::Home);
    p.large.Keyboard().Press(ListKeyboard::Key::Down);  // B
    auto onlyBetween = [this](int low, int high) {
        for (int slot : p.largeView.shownSlots) {
            EXPECT_TRUE(slot >= low && slot <= high) << "slot " << slot << " was shown again";
        }
        p.largeView.shownSlots.clear();
    };
    p.largeView.shownSlots.clear();
    p.large.MoveItem(1, 3);
    EXPECT_EQ(File(0), "C:\\A\r\nC:\\C\r\nC:\\D\r\nC:\\B\r\nC:\\E\r\nC:\\F\r\n");
    onlyBetween(1, 3);
    EXPECT_EQ(p.largeView.focus, 3);
    EXPECT_TRUE(p.largeView.dimmed[0]);
    EXPECT_TRUE(p.largeView.dimmed[2]);  // D's mark went up with it
    EXPECT_EQ(p.largeView.icons[1], "C:\\C");
    // Deleting the focused item: the next one has the focus; the last: the new last one.
    p.large.DelLink(3);
    EXPECT_EQ(File(0), "C:\\A\r\nC:\\C\r\nC:\\D\r\nC:\\E\r\nC:\\F\r\n");
    onlyBetween(3, 5);
    EXPECT_EQ(p.largeView.focus, 3);
    EXPECT_EQ(p.largeView.captions[3], "E");
    EXPECT_EQ(p.largeView.icons[5], "");
    EXPECT_TRUE(p.largeView.dimmed[0]);
    p.large.Keyboard().Press(ListKeyboard::Key::End);
    p.large.MoveItemToTab(4, 1);
    onlyBetween(4, 4);
    EXPECT_EQ(p.largeView.focus, 3);
    EXPECT_EQ(File(1), "C:\\F\r\n");
}

TEST_F(ListMoveTest, AFreedSlotTakesTheFirstLineBeyondTheTwentiethAndAMergedSaveReloads) {
    std::string lines;
    for (int i = 0; i < 21; ++i) lines += "D:\\" + std::to_string(i) + "\r\n";
    Items(0, lines);
    p.small.Load();
    p.small.DelLink(0);
    EXPECT_EQ(p.smallView.captions[19], ItemCaption("D:\\20"));
    EXPECT_EQ(p.smallView.icons[19], "D:\\20");
    EXPECT_TRUE(p.small.Model().Overflow().empty());
    // Another program added a line meanwhile: the move keeps it and the list shows it.
    Items(0, File(0) + "E:\\x\r\n");
    p.small.MoveItem(0, 1);
    EXPECT_EQ(p.small.Model().Overflow(), std::vector<std::string>{"E:\\x"});
}

TEST_F(ListMoveTest, DroppedFilesGoInAtTheGapOrAtTheEndOfANamedTab) {
    p.folder.files["VantryTabs.txt"] = "Main |\r\nWork |\r\n\r\n\r\n\r\n";
    std::string lines;
    for (int i = 0; i < 19; ++i) lines += "D:\\" + std::to_string(i) + "\r\n";
    Items(0, lines);
    p.large.Load();
    test::FakeProbe probe;
    for (const char* path : {"E:\\x", "E:\\y", "E:\\z"}) probe.items[path] = DropProbe::Kind::File;
    DroppedFiles drop{true, {"E:\\x", "E:\\y", "E:\\z"}};
    p.largeView.shownSlots.clear();
    EXPECT_TRUE(p.large.DropFiles(drop, probe, 0, 1));
    // A full tab keeps what passes its 20th slot beyond it, in order.
    std::string expected = "D:\\0\r\nE:\\x\r\nE:\\y\r\nE:\\z\r\n";
    for (int i = 1; i < 19; ++i) expected += "D:\\" + std::to_string(i) + "\r\n";
    EXPECT_EQ(File(0), expected);
    EXPECT_EQ(p.large.Model().Overflow(), (std::vector<std::string>{"D:\\17", "D:\\18"}));
    EXPECT_EQ(p.largeView.captions[3], "z");
    EXPECT_EQ(p.largeView.captions[4], ItemCaption("D:\\1"));
    for (int slot : p.largeView.shownSlots) EXPECT_GE(slot, 1) << "slot 0 was shown again";
    // On the current tab's label: after the lines kept beyond the 20th, as on another tab's.
    EXPECT_TRUE(p.large.DropFiles(DroppedFiles{true, {"E:\\x"}}, probe, 0, kEndOfTab));
    EXPECT_EQ(File(0), expected + "E:\\x\r\n");
    EXPECT_TRUE(p.large.DropFiles(drop, probe, 1, 0));
    EXPECT_EQ(File(1), "E:\\x\r\nE:\\y\r\nE:\\z\r\n");
    EXPECT_FALSE(p.large.DropFiles(drop, probe, 2, 0));  // a tab without a name
    EXPECT_EQ(p.folder.files.count(ListFileName(2)), 0u);
}

}  // namespace
}  // namespace vantry
