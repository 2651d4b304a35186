#include <gtest/gtest.h>

#include "tests/native/support/app_fakes.h"

// What the program does with a command line's request: the start on a tab, and one item opened.

namespace vantry {
namespace {

class StartRequestTest : public ::testing::Test {
  protected:
    void SetUp() override {
        p.folder.files["VantryTabs.txt"] = "Main |\r\nWork |\r\nHome |\r\n\r\n\r\n";
        p.folder.files["VantryList0.txt"] = "C:\\zero.txt\r\n";
        p.folder.files["VantryList2.txt"] = "C:\\a.txt\r\nE:\\two.txt\r\n";
    }
    test::FakeProgram p;
};

TEST_F(StartRequestTest, AStartOnANamedTabShowsItsItemsWithoutWritingAndAnUnnamedOneTheFirst) {
    p.drop.Start(2);
    EXPECT_EQ(p.small.Model().List, 2);
    EXPECT_EQ(p.smallView.currentTab, 2);
    EXPECT_EQ(p.smallView.captions[1], "two");
    EXPECT_TRUE(p.smallView.Visible());
    EXPECT_TRUE(p.folder.writes.empty());

    test::FakeProgram unnamed;
    unnamed.folder.files = p.folder.files;
    unnamed.drop.Start(3, false);
    EXPECT_EQ(unnamed.small.Model().List, 0);
    EXPECT_EQ(unnamed.smallView.captions[0], "zero");
    EXPECT_FALSE(unnamed.smallView.Visible());
}

TEST_F(StartRequestTest, AnItemOpensAsAClickWithItsStandInAndOnlyWhenItIsThereAndInTheTab) {
    struct Case {
        const char* what;
        int tab;
        std::string path;
        TargetFound found;
        test::Log log;
        const char* error;  // a part of the one message, or none
    };
    const Case cases[] = {
        {"there",
         2,
         "C:\\a.txt",
         {TargetState::Present, ""},
         {"check C:\\a.txt", "launch C:\\a.txt 1", "close all"},
         nullptr},
        {"on the program's drive",
         2,
         "E:\\two.txt",
         {TargetState::Present, "F:\\two.txt"},
         {"check E:\\two.txt", "launch F:\\two.txt 1", "close all"},
         nullptr},
        {"missing",
         2,
         "E:\\two.txt",
         {TargetState::Missing, ""},
         {"check E:\\two.txt"},
         "not found"},
        {"not in the tab", 2, "C:\\zero.txt", {}, {}, "no longer in tab 3"},
        {"in another tab than the shown one", 0, "C:\\a.txt", {}, {}, "no longer in tab 1"},
    };
    for (const Case& c : cases) {
        test::FakeProgram run;
        run.folder.files = p.folder.files;
        run.drop.Start(2, false);
        run.log.clear();
        run.app.checked = c.found;
        run.small.OpenStoredItem(c.tab, c.path);
        EXPECT_EQ(run.log, c.log) << c.what;
        ASSERT_EQ(run.dialogs.errors.size(), c.error ? 1u : 0u) << c.what;
        if (c.error) {
            EXPECT_NE(run.dialogs.errors[0].find(c.error), std::string::npos) << c.what;
        }
        EXPECT_EQ(run.folder.files.count("shfile.txt"), c.error ? 0u : 1u) << c.what;
    }
}

}  // namespace
}  // namespace vantry
