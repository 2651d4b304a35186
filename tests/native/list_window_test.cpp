#include <gtest/gtest.h>

#include <algorithm>

#include "tests/native/support/app_fakes.h"

namespace vantry {
namespace {

class ListWindowTest : public ::testing::Test {
  protected:
    void Items(int tab, const std::string& content) { p.folder.files[ListFileName(tab)] = content; }
    std::string File(int tab) { return p.folder.files[ListFileName(tab)]; }

    test::FakeProgram p;
};

TEST_F(ListWindowTest, LoadReadsTheTabNamesAndLaysThemOutEdgeToEdge) {
    p.folder.files["VantryTabs.txt"] = "Main |\r\nWork |\r\n\r\n\r\n\r\n";
    Items(0, "C:\\a.txt\r\n");
    p.large.Load();
    EXPECT_EQ(p.largeView.tabs, (std::array<std::string, 5>{"Main |", "Work |", "", "", ""}));
    EXPECT_EQ(p.largeView.tabLefts, (std::array<int, 5>{0, 900, 1800, 2100, 2400}));
    EXPECT_EQ(p.largeView.captions[0], "a");
    EXPECT_EQ(p.large.Model().List, 0);
}

TEST_F(ListWindowTest, WithoutATabFileEveryTabKeepsItsDefaultName) {
    p.small.Load();
    EXPECT_EQ(p.small.TabName(4), "Main |");
    EXPECT_EQ(p.smallView.tabLefts[1], 900);
}

TEST_F(ListWindowTest, ATabClickSavesTheTabBeingLeftThenLoadsTheNewOne) {
    Items(0, "C:\\a.txt\r\n\r\nC:\\b.txt\r\n");
    Items(1, "D:\\\r\n\r\n");  // the empty line: saving it again is a real write
    p.large.Load();
    EXPECT_EQ(p.largeView.currentTab, 0);
    p.large.TabClick(1);
    EXPECT_EQ(File(0), "C:\\a.txt\r\nC:\\b.txt\r\n");
    EXPECT_EQ(p.large.Model().List, 1);
    EXPECT_EQ(p.largeView.currentTab, 1);
    EXPECT_EQ(p.largeView.captions[0], "D:");
    EXPECT_EQ(p.largeView.captions[1], "");
    p.large.TabClick(1);  // the current tab: saved, emptied and reloaded all the same
    EXPECT_EQ(p.folder.writes["VantryList1.txt"], 1);
    EXPECT_EQ(p.largeView.captions[0], "D:");
}

TEST_F(ListWindowTest, AClickOnATabWithoutANameDoesNothing) {
    p.folder.files["VantryTabs.txt"] = "Main |\r\n\r\n";
    Items(0, "C:\\a.txt\r\n");
    p.large.Load();
    p.large.TabClick(1);
    EXPECT_EQ(p.large.Model().List, 0);
    EXPECT_EQ(p.folder.writes.count("VantryList0.txt"), 0u);
}

// Every change was saved when it was made: leaving a tab goes on whatever its save meets, and an
// unchanged tab in a folder that cannot be written neither writes nor speaks.
TEST_F(ListWindowTest, LeavingATabNeverFailsNorSpeaks) {
    Items(0, "C:\\a.txt\r\n\r\n");  // the empty line: the save has to write
    Items(1, "D:\\\r\n");
    p.large.Load();
    p.folder.failWrites = true;
    p.large.TabClick(1);
    EXPECT_EQ(p.large.Model().List, 1);
    EXPECT_EQ(p.largeView.captions[0], "D:");
    p.folder.failWrites = false;
    p.folder.readOnly = true;
    p.large.TabClick(0);
    p.large.TabClick(1);
    EXPECT_EQ(p.large.Model().List, 1);
    EXPECT_TRUE(p.dialogs.errors.empty());
    EXPECT_TRUE(p.dialogs.plain.empty());
}

TEST_F(ListWindowTest, DeletingBAsksWithItsCaptionAndLeavesACD) {
    Items(0, "C:\\A.txt\r\nC:\\B.txt\r\nC:\\C.txt\r\nC:\\D.txt\r\n");
    p.large.Load();
    p.large.ItemMouseDown(1, kRightButton);
    EXPECT_EQ(p.dialogs.questions, std::vector<std::string>{"Delete the item 'B'?"});
    EXPECT_EQ(File(0), "C:\\A.txt\r\nC:\\C.txt\r\nC:\\D.txt\r\n");
    EXPECT_EQ(p.largeView.captions[1], "C");
    EXPECT_EQ(p.largeView.captions[3], "");

    // A folder that cannot be written: told once, never asked.
    p.folder.readOnly = true;
    for (int k = 0; k < 2; ++k) p.large.ItemMouseDown(0, kRightButton);
    EXPECT_EQ(p.dialogs.questions.size(), 1u);
    EXPECT_EQ(p.dialogs.plain.size(), 1u);
    EXPECT_EQ(p.largeView.captions[0], "A");
}

TEST_F(ListWindowTest, AnsweringNoOrPressingAnotherButtonChangesNothing) {
    Items(0, "C:\\A.txt\r\nC:\\B.txt\r\n");
    p.large.Load();
    p.dialogs.answerYes = false;
    p.large.ItemMouseDown(1, kRightButton);
    p.large.ItemMouseDown(0, 4);
    p.large.ItemMouseDown(0, 1);
    p.large.ItemMouseDown(5, kRightButton);  // a free slot asks nothing
    EXPECT_EQ(p.dialogs.questions.size(), 1u);
    EXPECT_EQ(p.folder.writes.count("VantryList0.txt"), 0u);
    EXPECT_EQ(p.largeView.captions[1], "B");
}

TEST_F(ListWindowTest, DeletingTheOnlyItemLeavesTheDefaultItem) {
    Items(0, "C:\\A.txt\r\n");
    p.small.Load();
    p.small.DelLink(0);
    EXPECT_EQ(File(0), "C:\\\r\n");
    EXPECT_EQ(p.smallView.captions[0], "C:");
}

TEST_F(ListWindowTest, ADeleteWhoseSaveFailsKeepsTheItem) {
    Items(0, "C:\\A.txt\r\nC:\\B.txt\r\n");
    p.large.Load();
    p.folder.failWrites = true;
    p.large.DelLink(0);
    EXPECT_EQ(p.large.Model().Caption(0), "A");
    EXPECT_EQ(p.largeView.captions[0], "A");
    EXPECT_EQ(p.large.Model().Path(1), "C:\\B.txt");
}

TEST_F(ListWindowTest, OpeningAnItemHandsItOverLaunchesItAndCloses) {
    p.useList = kLargeStyle;
    Items(0, "C:\\A.txt\r\n\r\nC:\\B b.txt\r\n");
    p.large.Load();
    p.log.clear();
    p.large.ItemClick(1);
    EXPECT_EQ(p.folder.files["shfile.txt"], "C:\\B b.txt\r\n");
    EXPECT_EQ(p.log, (test::Log{"launch C:\\B b.txt 1", "close all"}));
    EXPECT_EQ(p.folder.writes["VantryList0.txt"], 1);  // saved by the close action
}

// The hand-over file is only the record of the item opened: another PC sharing the folder may
// have written its own there, and a read-only folder keeps none.
TEST_F(ListWindowTest, AFreeSlotOpensNothingAndTheClickedItemOpensWhateverTheHandOverMeets) {
    Items(0, "C:\\A.txt\r\n");
    p.large.Load();
    p.log.clear();
    p.large.ItemClick(3);
    EXPECT_TRUE(p.log.empty());
    p.folder.files["shfile.txt"] = "C:\\Other.txt\r\n";
    p.folder.readOnly = true;
    p.large.ItemClick(0);
    EXPECT_EQ(p.log, (test::Log{"launch C:\\A.txt 1", "close all"}));
    EXPECT_TRUE(p.dialogs.errors.empty());
    EXPECT_TRUE(p.dialogs.plain.empty());
}

// A line an editor stored: the shell would open "C:\\r.txt" in its place.
TEST_F(ListWindowTest, AnItemWhoseNameEndsInADotIsNotOpenedAndTheUserIsToldWhy) {
    Items(0, "C:\\r.txt.\r\n");
    p.large.Load();
    p.log.clear();
    p.large.ItemClick(0);
    EXPECT_TRUE(p.log.empty());
    EXPECT_EQ(p.dialogs.errors, std::vector<std::string>{TrimmedNameMessage("C:\\r.txt.")});
}

TEST_F(ListWindowTest, AnItemFoundMissingIsCheckedAgainAtTheClickAndOpensOnceItIsBack) {
    Items(0, "E:\\Gone.txt\r\nC:\\B.txt\r\n");
    p.large.Load();
    p.log.clear();
    p.large.Model().SetTargetMissing(0, true);
    EXPECT_TRUE(p.largeView.dimmed[0]);
    p.app.checked = {TargetState::Missing, ""};
    p.large.ItemClick(0);
    ASSERT_EQ(p.dialogs.errors.size(), 1u);
    EXPECT_NE(p.dialogs.errors[0].find("E:\\Gone.txt"), std::string::npos);
    EXPECT_NE(p.dialogs.errors[0].find("not found"), std::string::npos);
    EXPECT_EQ(p.log, test::Log{"check E:\\Gone.txt"});  // nothing launched, nothing closed
    EXPECT_TRUE(p.large.TargetMissing(0));
    EXPECT_EQ(p.folder.writes.count("shfile.txt"), 0u);
    EXPECT_EQ(File(0), "E:\\Gone.txt\r\nC:\\B.txt\r\n");

    p.large.TabClick(0);  // saved, emptied and reloaded: unknown again until checked
    EXPECT_FALSE(p.large.TargetMissing(0));
    EXPECT_FALSE(p.largeView.dimmed[0]);

    // Back, on the drive the program runs from: opened from there, stored as it was.
    p.large.Model().SetTargetMissing(0, true);
    p.log.clear();
    p.app.checked = {TargetState::Present, "F:\\Gone.txt"};
    p.large.ItemClick(0);
    EXPECT_EQ(p.log, (test::Log{"check E:\\Gone.txt", "launch F:\\Gone.txt 1", "close all"}));
    EXPECT_FALSE(p.largeView.dimmed[0]);
    EXPECT_EQ(p.folder.files["shfile.txt"], "F:\\Gone.txt\r\n");
    EXPECT_EQ(File(0), "E:\\Gone.txt\r\nC:\\B.txt\r\n");
    EXPECT_EQ(p.dialogs.errors.size(), 1u);
}

// The shell would wait on a server that stopped answering, with the window frozen: an item
// marked missing, or one whose icon look-up is overdue, is checked first.
TEST_F(ListWindowTest, AnItemWhoseCheckDoesNotAnswerIsNotHandedToTheShell) {
    Items(0, "\\\\server\\share\\a.txt\r\n\\\\server\\share\\b.txt\r\n");
    p.large.Load();
    p.large.Model().SetTargetMissing(0, true);
    p.largeView.overdue[1] = true;
    p.app.checked = {TargetState::Unknown, "", false};
    for (int slot : {0, 1}) {
        p.log.clear();
        p.dialogs.errors.clear();
        p.large.ItemClick(slot);
        EXPECT_EQ(p.log, test::Log{"check " + p.large.Model().Path(slot)});
        ASSERT_EQ(p.dialogs.errors.size(), 1u);
        EXPECT_NE(p.dialogs.errors[0].find("not answering"), std::string::npos);
    }
}

TEST_F(ListWindowTest, CtrlShowsTheFolderCtrlShiftRunsAsAdministratorAndADeclineSaysNothing) {
    Items(0, "C:\\A.txt\r\n");
    p.large.Load();
    p.log.clear();
    p.app.launchResult = LaunchResult::Cancelled;
    p.large.ItemClick(0, LaunchMode::RunAsAdministrator);
    EXPECT_EQ(p.log, test::Log{"launch C:\\A.txt 1 runas"});  // the list stays
    EXPECT_TRUE(p.dialogs.errors.empty());
    EXPECT_FALSE(p.large.TargetMissing(0));
    p.app.launchResult = LaunchResult::Started;
    p.large.ItemClick(0, LaunchMode::ShowInFolder);
    EXPECT_EQ(p.log,
              (test::Log{"launch C:\\A.txt 1 runas", "launch C:\\A.txt 1 in folder", "close all"}));
}

TEST_F(ListWindowTest, ALaunchThatFindsNothingIsReportedAndTheProgramStaysOpen) {
    Items(0, "E:\\Gone.txt\r\n");
    p.large.Load();
    p.log.clear();
    p.app.launchResult = LaunchResult::NotFound;
    p.large.ItemClick(0);
    EXPECT_EQ(p.log, (test::Log{"launch E:\\Gone.txt 1"}));
    ASSERT_EQ(p.dialogs.errors.size(), 1u);
    EXPECT_NE(p.dialogs.errors[0].find("E:\\Gone.txt"), std::string::npos);
    EXPECT_TRUE(p.large.TargetMissing(0));
    // Any other failure was the shell's to show: the program ends as after a launch.
    p.app.launchResult = LaunchResult::Failed;
    p.large.Model().SetTargetMissing(0, false);
    p.large.ItemClick(0);
    EXPECT_EQ(p.log.back(), "close all");
}

TEST_F(ListWindowTest, TheCloseActionSavesOnlyInTheWindowOfTheChosenStyle) {
    Items(0, "C:\\A.txt\r\n\r\n");  // the empty line: the save has to write
    p.large.Load();
    p.small.Load();
    p.large.CloseClick();  // the style is "small"
    EXPECT_EQ(p.folder.writes.count("VantryList0.txt"), 0u);
    p.small.CloseClick();
    EXPECT_EQ(p.folder.writes["VantryList0.txt"], 1);
    EXPECT_EQ(std::count(p.log.begin(), p.log.end(), "close all"), 2);
}

TEST_F(ListWindowTest, AClickDuringAnotherActionIsIgnored) {
    Items(0, "C:\\A.txt\r\nC:\\B.txt\r\n");
    Items(1, "D:\\\r\n");
    p.large.Load();
    bool nested = false;
    p.app.onPump = [&] {
        if (nested) return;
        nested = true;
        p.large.ItemMouseDown(0, kRightButton);  // arrives while the tab switch pumps messages
        p.large.CloseClick();
    };
    p.large.TabClick(1);
    EXPECT_TRUE(p.dialogs.questions.empty());
    EXPECT_EQ(std::count(p.log.begin(), p.log.end(), "close all"), 0);
    EXPECT_EQ(File(0), "C:\\A.txt\r\nC:\\B.txt\r\n");
    EXPECT_EQ(p.large.Model().List, 1);
}

TEST_F(ListWindowTest, TheBottomBarShowsTheOtherWindows) {
    p.large.DropTargetClick();
    p.large.ConfigClick();
    EXPECT_EQ(p.log, (test::Log{"show drop window", "show config window"}));
}

}  // namespace
}  // namespace vantry
