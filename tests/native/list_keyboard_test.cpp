#include "app/list/list_keyboard.h"

#include <gtest/gtest.h>

#include "tests/native/support/app_fakes.h"

namespace vantry {
namespace {

using Key = ListKeyboard::Key;
using Stop = ListKeyboard::Stop;
constexpr ListKeyboard::Modifiers kCtrl{true, false, false};
constexpr ListKeyboard::Modifiers kCtrlShift{true, true, false};
constexpr ListKeyboard::Modifiers kAlt{false, false, true};
constexpr ListKeyboard::Modifiers kAltShift{false, true, true};
constexpr ListKeyboard::Modifiers kAltGr{true, false, true};  // as Ctrl+Alt

class ListKeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        p.folder.files["VantryTabs.txt"] = "Main |\r\n\r\nWork |\r\nHome |\r\n\r\n";
        // The empty line makes every save of tab 0 a real write.
        p.folder.files["VantryList0.txt"] =
            "C:\\alpha.txt\r\nC:\\beta.txt\r\n\r\nC:\\Bravo.txt\r\n";
        p.folder.files["VantryList2.txt"] = "D:\\work.txt\r\n";
        p.small.Load();
    }
    ListKeyboard& keys() { return p.small.Keyboard(); }
    int focus() const { return p.smallView.focus; }

    test::FakeProgram p;
};

TEST_F(ListKeyboardTest, ArrowsHomeAndEndMoveAVisibleFocusAndStopAtTheEnds) {
    EXPECT_EQ(focus(), -1);  // not drawn before the keyboard is used
    keys().Press(Key::Up);
    EXPECT_EQ(focus(), 2);  // no item had the focus: Up starts from the last
    keys().Press(Key::Down);
    keys().Press(Key::Down);
    keys().Press(Key::Down);
    EXPECT_EQ(focus(), 2);
    keys().Press(Key::Home);
    EXPECT_EQ(focus(), 0);
    keys().Press(Key::End);
    EXPECT_EQ(focus(), 2);
}

TEST_F(ListKeyboardTest, EnterOpensAndDeleteAsksAboutTheFocusedItemAndTheFocusStaysInTheList) {
    keys().Press(Key::End);
    keys().Press(Key::Delete);
    EXPECT_EQ(p.dialogs.questions, std::vector<std::string>{"Delete the item 'Bravo'?"});
    EXPECT_EQ(focus(), 1);  // the last item went: the focus moves to the one before it
    keys().Press(Key::Enter);
    EXPECT_EQ(p.folder.files["shfile.txt"], "C:\\beta.txt\r\n");
    EXPECT_EQ(p.log.back(), "close all");
}

TEST_F(ListKeyboardTest, TabKeysSkipUnnamedTabsWrapRoundAndSaveTheTabLeft) {
    keys().Press(Key::Tab, kCtrl);
    EXPECT_EQ(p.small.Model().List, 2);
    EXPECT_EQ(p.folder.writes["VantryList0.txt"], 1);
    keys().Press(Key::Tab, kCtrlShift);
    keys().Press(Key::Tab, kCtrlShift);
    EXPECT_EQ(p.small.Model().List, 3);
    keys().ChooseTab(1);  // no name: stays
    EXPECT_EQ(p.small.Model().List, 3);
    keys().ChooseTab(2);
    EXPECT_EQ(p.smallView.captions[0], "work");
    keys().Press(Key::Down);
    EXPECT_EQ(focus(), 0);
    keys().Press(Key::Escape);
    EXPECT_EQ(p.log.back(), "close all");
}

TEST_F(ListKeyboardTest, TypingStepsThroughMatchesWrapsRoundAndResetsAfterASecond) {
    keys().Type("b", 1000);
    EXPECT_EQ(focus(), 1);
    keys().Type("b", 1100);
    EXPECT_EQ(focus(), 2);  // the same letter again: the next item with it, any case
    keys().Type("b", 1200);
    EXPECT_EQ(focus(), 1);  // round again
    keys().Type("r", 1300);
    EXPECT_EQ(focus(), 1);  // "bbbr" matches nothing: stays
    keys().Type("a", 3000);
    EXPECT_EQ(focus(), 0);  // a pause starts a new word
    keys().Type("b", 5000);
    keys().Type("r", 5100);
    EXPECT_EQ(focus(), 2);  // "br": Bravo
}

TEST_F(ListKeyboardTest, NoItemHasTheFocusUntilAKeyGivesItOneInEachTabShown) {
    keys().Press(Key::Enter);
    keys().Press(Key::Delete);
    EXPECT_TRUE(p.dialogs.questions.empty());
    EXPECT_EQ(p.folder.files.count("shfile.txt"), 0u);
    keys().Press(Key::Down);
    EXPECT_EQ(focus(), 0);
    p.folder.files["VantryList3.txt"] = "C:\\Accounts.txt\r\nC:\\Archive.txt\r\n";
    keys().ChooseTab(3);
    keys().Type("a", 1000);
    EXPECT_EQ(focus(), 0);  // the first match, not the one after the old tab's item
}

TEST_F(ListKeyboardTest, AltGrIsTextNotAShortcutAndMatchingFoldsCaseInEveryScript) {
    EXPECT_TRUE(ListKeyboard::IsTyped(0x0142, kAltGr));  // AltGr+L on a Polish keyboard
    EXPECT_FALSE(ListKeyboard::IsTyped('l', kCtrl));
    EXPECT_FALSE(keys().PressDigit(3, kAltGr));  // '#' on a French keyboard
    EXPECT_FALSE(keys().Press(Key::Tab, kAltGr));
    EXPECT_FALSE(keys().Press(Key::Up, kAltGr));
    EXPECT_EQ(p.small.Model().List, 0);
    EXPECT_EQ(p.smallView.captions[0], "alpha");
    keys().Press(Key::PageDown, kCtrl);
    EXPECT_EQ(p.small.Model().List, 2);
    keys().Press(Key::PageUp, kCtrl);
    EXPECT_EQ(p.small.Model().List, 0);
    p.folder.files["VantryList3.txt"] =
        "C:\\Zebra.txt\r\nC:\\\u00C9cole.txt\r\nC:\\\u0141\u00F3d\u017A.txt\r\n";
    keys().ChooseTab(3);
    keys().Type("\u00E9", 1000);
    EXPECT_EQ(focus(), 1);
    keys().Type("\u0142", 3000);
    EXPECT_EQ(focus(), 2);
}

TEST_F(ListKeyboardTest, TabGoesRoundFiveStopsAndLeftAndRightChooseAmongNamedTabs) {
    keys().Press(Key::Down);
    keys().Press(Key::Tab);
    EXPECT_EQ(p.smallView.stop, Stop::Tabs);
    EXPECT_EQ(p.smallView.focusedTab, 0);
    keys().Press(Key::Down);
    keys().Type("b", 1000);
    EXPECT_EQ(focus(), -1);  // the item's mark went with the keyboard, and items keys wait
    keys().Press(Key::Right);
    EXPECT_EQ(p.smallView.focusedTab, 2);  // tab 1 has no name
    EXPECT_EQ(p.small.Model().List, 0);
    keys().Press(Key::Space);
    EXPECT_EQ(p.small.Model().List, 2);
    EXPECT_EQ(p.smallView.focusedTab, 2);
    for (Stop next : {Stop::DropTarget, Stop::Config, Stop::Close, Stop::Items}) {
        keys().Press(Key::Tab);
        EXPECT_EQ(p.smallView.stop, next);
    }
    keys().Press(Key::Tab, {false, true, false});
    EXPECT_EQ(p.smallView.stop, Stop::Close);
    EXPECT_FALSE(keys().Press(Key::Enter));  // the caption clicks itself
}

TEST_F(ListKeyboardTest, AltArrowsMoveTheFocusedItemAndAltShiftDigitsSendItToATab) {
    keys().Press(Key::Down, kAlt);  // no item has the focus: nothing moves
    EXPECT_EQ(p.folder.writes["VantryList0.txt"], 0);
    keys().Press(Key::Down);
    keys().Press(Key::Down, kAlt);
    EXPECT_EQ(p.smallView.captions[0], "beta");
    EXPECT_EQ(p.smallView.captions[1], "alpha");
    EXPECT_EQ(focus(), 1);  // the focus goes with the item
    keys().Press(Key::Up, kAlt);
    EXPECT_EQ(p.smallView.captions[0], "alpha");
    EXPECT_EQ(focus(), 0);
    EXPECT_TRUE(keys().PressDigit(3, kAltShift));
    EXPECT_EQ(p.folder.files["VantryList2.txt"], "D:\\work.txt\r\nC:\\alpha.txt\r\n");
    EXPECT_EQ(p.smallView.captions[0], "beta");
}

}  // namespace
}  // namespace vantry
