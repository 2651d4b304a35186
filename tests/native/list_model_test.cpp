#include "app/list/list_model.h"

#include <gtest/gtest.h>

#include "tests/native/support/fakes.h"

namespace vantry {
namespace {

class ListModelTest : public ::testing::Test {
  protected:
    std::string File(int tab = 0) { return folder.files[ListFileName(tab)]; }
    std::vector<std::string> Captions() {
        std::vector<std::string> result;
        for (int i = 0; i < kSlotCount && model.Occupied(i); ++i)
            result.push_back(model.Caption(i));
        return result;
    }

    test::FakeFolder folder;
    test::RecordingDialogs dialogs;
    ItemFiles files{folder, dialogs};
    test::RecordingListView view;
    ListModel model{files, view};
};

TEST_F(ListModelTest, AnAbsentFileLoadsNothingAndCreatesNothing) {
    model.LoadListfile();
    EXPECT_EQ(model.FirstFreeSlot(), 0);
    EXPECT_TRUE(folder.files.empty());
}

TEST_F(ListModelTest, AZeroLengthFileGetsTheDefaultItemSavedAtOnce) {
    folder.files["VantryList0.txt"] = "";
    model.LoadListfile();
    EXPECT_EQ(Captions(), std::vector<std::string>{"C:"});
    EXPECT_EQ(model.Path(0), "C:\\");
    EXPECT_EQ(view.icons[0], "C:\\");
    EXPECT_EQ(File(), "C:\\\r\n");
}

TEST_F(ListModelTest, TheDefaultItemSavedBesideAnItemAddedElsewhereMeanwhileShowsBoth) {
    folder.files["VantryList0.txt"] = "";
    view.onPump = [this] {
        if (folder.files["VantryList0.txt"].empty()) folder.files["VantryList0.txt"] = "D:\\x\r\n";
    };
    model.LoadListfile();
    EXPECT_EQ(File(), "C:\\\r\nD:\\x\r\n");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"C:", "x"}));
}

TEST_F(ListModelTest, OnlyEmptyLinesGiveAnEmptyListAndLeaveTheFileAlone) {
    folder.files["VantryList0.txt"] = "\r\n\r\n";
    model.LoadListfile();
    EXPECT_EQ(model.FirstFreeSlot(), 0);
    EXPECT_EQ(folder.writes.count("VantryList0.txt"), 0u);
    EXPECT_TRUE(view.hint);  // says how to fill it; nothing of it is stored
    model.AddItem(0, "C:\\a.txt", "a");
    EXPECT_FALSE(view.hint);
    EXPECT_EQ(model.FirstFreeSlot(), 1);
}

TEST_F(ListModelTest, EmptyLinesAreSkippedAndTheNextSaveDropsThem) {
    folder.files["VantryList2.txt"] = "C:\\a.txt\r\n\r\n D:\\x, \"y\".doc\r\n";
    model.List = 2;
    model.LoadListfile();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "x, \"y\""}));
    EXPECT_EQ(model.Path(1), " D:\\x, \"y\".doc");
    EXPECT_EQ(view.iconOrder, (std::vector<int>{0, 1}));
    ASSERT_TRUE(model.SaveListFile());
    EXPECT_EQ(File(2), "C:\\a.txt\r\n D:\\x, \"y\".doc\r\n");
}

TEST_F(ListModelTest, ADropBlockBecomesOneItemPerPathAtTheReload) {
    folder.files["VantryList0.txt"] = "C:\\a.txt\r\nC:\\b.txt\r\nC:\\c\\\r\n\r\n";
    model.LoadListfile();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "c"}));
    model.SaveListFile();
    EXPECT_EQ(File(), "C:\\a.txt\r\nC:\\b.txt\r\nC:\\c\\\r\n");
}

TEST_F(ListModelTest, LinesBeyondTheTwentiethAreKeptAndMoveUpAsSlotsFree) {
    std::string content;
    for (int i = 0; i < 23; ++i) content += "C:\\item" + std::to_string(i) + ".txt\r\n";
    folder.files["VantryList0.txt"] = content;
    model.LoadListfile();
    EXPECT_EQ(model.FirstFreeSlot(), -1);
    EXPECT_EQ(model.Caption(19), "item19");
    EXPECT_EQ(model.Overflow().size(), 3u);
    model.SaveListFile();
    EXPECT_EQ(File(), content);

    model.FreeSlot(4);
    model.SaveListFile();
    model.ResetDWM();
    model.LoadListfile();
    EXPECT_EQ(model.Caption(4), "item5");
    EXPECT_EQ(model.Caption(19), "item20");
    EXPECT_EQ(model.Overflow().size(), 2u);
}

// A file held open without sharing by another program at load time used to be taken for an
// absent one, and the next save replaced it with an empty list.
TEST_F(ListModelTest, AListFileThatCannotBeReadIsNeverReplaced) {
    const std::string stored = "C:\\a.txt\r\nC:\\b.txt\r\n";
    folder.files["VantryList0.txt"] = stored;
    folder.unreadable.insert("VantryList0.txt");
    model.LoadListfile();
    EXPECT_TRUE(Captions().empty());
    EXPECT_FALSE(view.hint);  // not an empty tab
    EXPECT_TRUE(model.SaveListFile()) << "nothing new to store: leaving the tab goes on";
    EXPECT_EQ(folder.writes["VantryList0.txt"], 0);

    // A drop while the file is still held: refused with a message, the file untouched.
    model.AddItem(0, "C:\\c.txt", "c");
    EXPECT_FALSE(model.SaveListFile());
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(File(), stored);

    // Released: what the file holds is kept ahead of the new item.
    folder.unreadable.clear();
    EXPECT_TRUE(model.SaveListFile());
    EXPECT_EQ(File(), stored + "C:\\c.txt\r\n");
    model.ResetDWM();
    model.LoadListfile();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(model.SaveListFile());
    EXPECT_EQ(File(), stored + "C:\\c.txt\r\n");
}

TEST_F(ListModelTest, PathsWithEmptyDisplayNamesStillBecomeItems) {
    folder.files["VantryList0.txt"] = "C:\\x\\.profile\r\nC:\\NO FILE here.txt\r\n";
    model.LoadListfile();
    EXPECT_EQ(Captions(), (std::vector<std::string>{".profile", "NO FILE here.txt"}));
    model.SaveListFile();
    EXPECT_EQ(File(), "C:\\x\\.profile\r\nC:\\NO FILE here.txt\r\n");
}

TEST_F(ListModelTest, SavingWritesOccupiedSlotsInSlotOrderWithoutGaps) {
    folder.files["VantryList0.txt"] = "A.txt\r\nB.txt\r\nC.txt\r\nD.txt\r\n";
    model.LoadListfile();
    model.FreeSlot(1);
    EXPECT_EQ(model.Path(2), "C.txt");  // the other slots keep their paths
    model.SaveListFile();
    EXPECT_EQ(File(), "A.txt\r\nC.txt\r\nD.txt\r\n");
    for (int i = 0; i < 4; ++i) model.FreeSlot(i);
    model.SaveListFile();
    EXPECT_EQ(File(), "");
}

TEST_F(ListModelTest, ResetEmptiesEverySlotIconAndPath) {
    folder.files["VantryList0.txt"] = "C:\\a.txt\r\nC:\\b.txt\r\n";
    model.LoadListfile();
    model.ResetDWM();
    EXPECT_EQ(model.FirstFreeSlot(), 0);
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(view.captions[static_cast<std::size_t>(i)], "");
        EXPECT_EQ(view.icons[static_cast<std::size_t>(i)], "");
        EXPECT_EQ(model.Path(i), "");
    }
}

TEST_F(ListModelTest, LoadingIntoFilledSlotsNeverOverwritesThem) {
    folder.files["VantryList0.txt"] = "";
    model.AddItem(0, "C:\\kept.txt", "kept");
    model.LoadListfile();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"kept", "C:"}));
}

TEST_F(ListModelTest, AHugeFileLoadsTwentyItemsAndKeepsTheRest) {
    std::string content = std::string(1 << 20, 'x') + "\r\n";
    for (int i = 0; i < 200000; ++i) content += "C:\\f" + std::to_string(i) + ".txt\r\n";
    folder.files["VantryList0.txt"] = content;
    model.LoadListfile();
    EXPECT_EQ(model.FirstFreeSlot(), -1);
    EXPECT_LE(model.Caption(0).size(), 260u);
    EXPECT_EQ(model.Overflow().size(), 200001u - 20u);
}

}  // namespace
}  // namespace vantry
