#include "app/config/config_window.h"

#include <gtest/gtest.h>

#include "tests/native/support/app_fakes.h"

namespace vantry {
namespace {

// Records what the configuration window shows; a label is as wide as its text says, empty or not,
// so the layout's own rule for empty labels is what keeps them from taking room.
class FakeConfigView : public ConfigWindowView {
  public:
    void ShowTabCaption(int k, const std::string& caption) override { tabs[At(k)] = caption; }
    int TabWidthTwips(int k) override { return 300 + 100 * static_cast<int>(tabs[At(k)].size()); }
    void MoveTab(int k, int leftTwips) override { lefts[At(k)] = leftTwips; }
    void ShowTabNumber(const std::string& text) override { label3 = text; }
    void ShowEditText(const std::string& text) override { text1 = text; }
    void FocusEditText() override { ++focusRequests; }
    void CheckStyleOption(bool small) override { smallChecked = small; }

    std::array<std::string, kTabCount> tabs;
    std::array<int, kTabCount> lefts{};
    std::string label3 = "?";
    std::string text1 = "?";
    int focusRequests = 0;
    std::optional<bool> smallChecked;

  private:
    static std::size_t At(int k) { return static_cast<std::size_t>(k); }
};

class ConfigWindowTest : public ::testing::Test {
  protected:
    void Start() { p.drop.Start(); }
    void OpenWindow() { ASSERT_TRUE(config.Open()); }
    void StoreNames(const std::string& lines) { p.folder.files["VantryTabs.txt"] = lines; }

    test::FakeProgram p;
    FakeConfigView view;
    ConfigWindow config{p.drop, view};
};

TEST_F(ConfigWindowTest, OpeningShowsTheStoredNamesWithTabZeroSelectedAndAnEmptyTextBox) {
    StoreNames("Home\r\nWork\r\n");
    Start();
    OpenWindow();
    EXPECT_EQ(view.tabs,
              (std::array<std::string, kTabCount>{"Home", "Work", "Main |", "Main |", "Main |"}));
    EXPECT_EQ(view.label3, "0");
    EXPECT_EQ(view.text1, "");
    EXPECT_EQ(config.TabName(0), "Home");  // the empty text box has not renamed tab 0
    config.TextChanged("Start");
    EXPECT_EQ(config.TabName(0), "Start");
    EXPECT_EQ(view.tabs[0], "Start");
}

TEST_F(ConfigWindowTest, EachOpeningStartsAgainFromTheStoredNames) {
    Start();
    OpenWindow();
    // No file: the defaults, at the places the window was designed with.
    EXPECT_EQ(view.tabs[4], "Main |");
    EXPECT_EQ(view.lefts, (std::array<int, kTabCount>{120, 720, 1320, 1920, 2520}));
    config.TextChanged("Unsaved");
    StoreNames("A\r\n\r\nC\r\n");
    OpenWindow();
    EXPECT_EQ(view.tabs, (std::array<std::string, kTabCount>{"A", "", "C", "Main |", "Main |"}));
    EXPECT_EQ(config.Text1(), "");
    EXPECT_EQ(config.Label3(), "0");
}

TEST_F(ConfigWindowTest, ClickingATabSelectsItAndCopiesItsNameWithoutChangingIt) {
    StoreNames("A\r\nBee\r\nC\r\nD\r\nE\r\n");
    Start();
    OpenWindow();
    config.TabClick(1);
    EXPECT_EQ(view.label3, "1");
    EXPECT_EQ(view.text1, "Bee");
    EXPECT_EQ(config.TabName(1), "Bee");
    config.TextChanged("  Bee, two  ");  // kept whole, spaces included
    EXPECT_EQ(config.TabName(1), "  Bee, two  ");
    EXPECT_EQ(config.TabName(0), "A");
}

TEST_F(ConfigWindowTest, NewTabSelectsTheFirstFreeSlotAndTypingNamesItBesideTheFirst) {
    StoreNames("Main |\r\n\r\n\r\n\r\n\r\n");
    Start();
    OpenWindow();
    config.NewTabClick();
    EXPECT_EQ(view.label3, "1");
    EXPECT_EQ(view.text1, "");
    EXPECT_EQ(view.focusRequests, 1);
    config.TextChanged("Work |");
    EXPECT_EQ(view.tabs[1], "Work |");
    int firstWidth = 300 + 100 * 6;
    EXPECT_EQ(view.lefts[0], 120);
    EXPECT_EQ(view.lefts[1], 120 + firstWidth + 120);
    // Empty labels take no room: each following one is 120 twips on.
    EXPECT_EQ(view.lefts[2], view.lefts[1] + firstWidth + 120);
    EXPECT_EQ(view.lefts[3], view.lefts[2] + 120);
    EXPECT_EQ(view.lefts[4], view.lefts[3] + 120);
}

TEST_F(ConfigWindowTest, AClearedTabIsStoredAsAnEmptyLineAndIsTheNextNewTab) {
    StoreNames("A\r\nB\r\nC\r\nD\r\nE\r\n");
    p.folder.files["VantryList3.txt"] = "C:\\d.txt\r\n";
    Start();
    OpenWindow();
    config.TabClick(3);
    config.TextChanged("");
    EXPECT_EQ(view.lefts[4], view.lefts[3] + 120);
    config.UpdateTabsClick();
    EXPECT_EQ(p.folder.files["VantryTabs.txt"], "A\r\nB\r\nC\r\n\r\nE\r\n");
    EXPECT_EQ(p.largeView.tabs[3], "");
    EXPECT_EQ(p.smallView.tabs[3], "");
    EXPECT_EQ(p.folder.writes.count("VantryList3.txt"), 0u);
    config.NewTabClick();
    EXPECT_EQ(config.Label3(), "3");
    config.TextChanged("Dee");
    config.UpdateTabsClick();
    EXPECT_EQ(p.folder.files["VantryTabs.txt"], "A\r\nB\r\nC\r\nDee\r\nE\r\n");
    EXPECT_EQ(p.folder.files["VantryList3.txt"], "C:\\d.txt\r\n");
}

TEST_F(ConfigWindowTest, WithFiveNamedTabsNewTabSelectsNothingAndTypingRenamesNothing) {
    Start();
    OpenWindow();  // no file: five "Main |"
    config.NewTabClick();
    EXPECT_EQ(view.label3, "");
    EXPECT_EQ(view.focusRequests, 1);
    config.TextChanged("Sixth");
    for (int k = 0; k < kTabCount; ++k) EXPECT_EQ(config.TabName(k), "Main |") << k;
    EXPECT_TRUE(p.dialogs.errors.empty());
}

TEST_F(ConfigWindowTest, ANameWithACommaIsStoredAndReadBackWhole) {
    Start();
    OpenWindow();
    config.TextChanged("Home, Work |");
    config.UpdateTabsClick();
    EXPECT_EQ(p.folder.files["VantryTabs.txt"].substr(0, 14), "Home, Work |\r\n");
    EXPECT_EQ(p.largeView.tabs[0], "Home, Work |");
    ConfigWindow reopened{p.drop, view};
    ASSERT_TRUE(reopened.Open());
    EXPECT_EQ(reopened.TabName(0), "Home, Work |");
    EXPECT_EQ(reopened.TabName(1), "Main |");
}

TEST_F(ConfigWindowTest, UpdateTabsWithoutAChangeRewritesTheSameLinesAndReloadsBothLists) {
    StoreNames("A\r\nB\r\nC\r\nD\r\nE\r\n");
    Start();
    // Both strips show something else, so a reload is visible.
    p.largeView.tabs.fill("stale");
    p.smallView.tabs.fill("stale");
    OpenWindow();
    config.TabClick(2);
    int writesBefore = p.folder.writes["VantryTabs.txt"];
    config.UpdateTabsClick();
    EXPECT_EQ(p.folder.writes["VantryTabs.txt"], writesBefore + 1);
    EXPECT_EQ(p.folder.files["VantryTabs.txt"], "A\r\nB\r\nC\r\nD\r\nE\r\n");
    EXPECT_EQ(p.largeView.tabs, (std::array<std::string, kTabCount>{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(p.smallView.tabs, p.largeView.tabs);
    EXPECT_FALSE(p.largeView.Visible());  // reloaded while hidden all the same
    EXPECT_EQ(config.Label3(), "2");
    EXPECT_EQ(config.Text1(), "C");
}

TEST_F(ConfigWindowTest, ATabRenamedElsewhereWhileTheWindowIsOpenIsKeptAndShownHere) {
    StoreNames("A\r\nB\r\n\r\n\r\n\r\n");
    Start();
    OpenWindow();
    config.TextChanged("Ours");
    StoreNames("A\r\nTheirs\r\n\r\n\r\n\r\n");
    config.UpdateTabsClick();
    EXPECT_EQ(p.folder.files["VantryTabs.txt"], "Ours\r\nTheirs\r\n\r\n\r\n\r\n");
    EXPECT_EQ(config.TabName(1), "Theirs");
    EXPECT_EQ(view.tabs[1], "Theirs");
    EXPECT_EQ(p.largeView.tabs[1], "Theirs");
}

// Filled with the defaults because there was no file, the window must not undo names another copy
// stored after it opened, even once a list window has read them.
TEST_F(ConfigWindowTest, OpenedOnTheDefaultsItMergesAgainstThemNotAgainstALaterRead) {
    Start();
    OpenWindow();
    StoreNames("Main |\r\nWork |\r\n\r\n\r\n\r\n");
    p.drop.Small().LoadTabs();
    config.TabClick(2);
    config.TextChanged("Music |");
    config.UpdateTabsClick();
    EXPECT_EQ(p.folder.files["VantryTabs.txt"], "Main |\r\nWork |\r\nMusic |\r\n\r\n\r\n");
    EXPECT_EQ(view.tabs[1], "Work |");
}

TEST_F(ConfigWindowTest, AFailedWriteIsReportedAndKeepsTheNamesInTheWindow) {
    StoreNames("A\r\nB\r\n");
    Start();
    OpenWindow();
    config.TabClick(1);
    config.TextChanged("Renamed");
    p.folder.failWrites = true;
    p.largeView.tabs.fill("shown");  // what the strip showed before; a reload would replace it
    config.UpdateTabsClick();
    ASSERT_EQ(p.dialogs.errors.size(), 1u);
    EXPECT_NE(p.dialogs.errors[0].find("VantryTabs.txt"), std::string::npos);
    EXPECT_EQ(p.folder.files["VantryTabs.txt"], "A\r\nB\r\n");
    EXPECT_EQ(config.TabName(1), "Renamed");
    EXPECT_EQ(config.Label3(), "1");
    EXPECT_EQ(p.largeView.tabs[1], "shown");
    // Once the folder can be written again the same names go out.
    p.folder.failWrites = false;
    config.UpdateTabsClick();
    EXPECT_EQ(p.largeView.tabs[1], "Renamed");
    EXPECT_FALSE(p.drop.Guard().Busy());
}

// As a tab click shows it: the tab left saved first, tab 0's label highlighted, no item with the
// keyboard's focus (Enter would open whichever item of tab 0 sat in that slot).
TEST_F(ConfigWindowTest, OpeningShowsTabZeroOfTheVisibleListAsATabClickDoes) {
    p.folder.files["listtype.txt"] = "large\r\n";
    p.folder.files["VantryList0.txt"] = "C:\\zero.txt\r\n";
    p.folder.files["VantryList3.txt"] = "C:\\three.txt\r\n\r\n";  // the save has to write
    StoreNames("A\r\nB\r\nC\r\nD\r\n");
    Start();
    p.large.TabClick(3);
    ASSERT_EQ(p.largeView.captions[0], "three");
    p.large.Keyboard().SetFocus(0);
    int writesBefore = p.folder.writes["listtype.txt"];
    p.log.clear();
    OpenWindow();
    EXPECT_EQ(p.folder.writes["listtype.txt"], writesBefore);  // it already holds the style
    EXPECT_EQ(p.folder.files["VantryList3.txt"], "C:\\three.txt\r\n");
    EXPECT_EQ(p.large.Model().List, 0);
    EXPECT_EQ(p.largeView.currentTab, 0);
    EXPECT_EQ(p.large.Keyboard().Focus(), -1);
    EXPECT_EQ(p.largeView.captions[0], "zero");
    EXPECT_EQ(p.log, (test::Log{"small hidden", "large shown"}));
    EXPECT_EQ(view.smallChecked, false);
}

TEST_F(ConfigWindowTest, ChoosingSmallListSwitchesToTheSmallListAtTabZero) {
    p.folder.files["listtype.txt"] = "large\r\n";
    p.folder.files["VantryList0.txt"] = "C:\\zero.txt\r\n";
    p.folder.files["VantryList2.txt"] = "C:\\two.txt\r\n";
    StoreNames("A\r\nB\r\nC\r\n");
    Start();
    p.small.Model().List = 2;
    OpenWindow();
    config.TabClick(1);
    config.TextChanged("kept");
    config.OptionClick("small");
    EXPECT_EQ(p.folder.files["listtype.txt"], "small\r\n");
    EXPECT_EQ(p.drop.UseList, "small");
    EXPECT_FALSE(p.largeView.Visible());
    EXPECT_TRUE(p.smallView.Visible());
    EXPECT_EQ(p.small.Model().List, 0);
    EXPECT_EQ(p.smallView.captions[0], "zero");
    EXPECT_EQ(view.smallChecked, true);
    EXPECT_EQ(config.TabName(1), "kept");  // the switch leaves the edits alone
}

TEST_F(ConfigWindowTest, ActionsArrivingDuringAnotherActionAreIgnored) {
    Start();
    OpenWindow();
    // A click delivered while the style switch pumps messages.
    p.app.onPump = [&] {
        p.app.onPump = nullptr;
        config.UpdateTabsClick();
        config.OptionClick("large");
    };
    config.OptionClick("small");
    EXPECT_EQ(p.folder.writes.count("VantryTabs.txt"), 0u);
    EXPECT_EQ(p.drop.UseList, "small");
    EXPECT_EQ(view.smallChecked, true);
    // An opening while a list window's action runs is refused outright.
    auto busy = p.drop.Guard().TryEnter();
    ConfigWindow second{p.drop, view};
    EXPECT_FALSE(second.Open());
}

}  // namespace
}  // namespace vantry
