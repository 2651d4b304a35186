#include "app/list/list_keyboard.h"

#include <gtest/gtest.h>

#include "tests/native/support/app_fakes.h"

namespace vantry {
namespace {

using Key = ListKeyboard::Key;

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
    EXPECT_EQ(focus(), 0);
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
    keys().Press(Key::NextTab);
    EXPECT_EQ(p.small.Model().List, 2);
    EXPECT_EQ(p.folder.writes["VantryList0.txt"], 1);
    keys().Press(Key::PreviousTab);
    keys().Press(Key::PreviousTab);
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

}  // namespace
}  // namespace vantry
