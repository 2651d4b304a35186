#include <gtest/gtest.h>

#include "tests/native/support/app_fakes.h"

namespace vantry {
namespace {

class DropWindowTest : public ::testing::Test {
  protected:
    test::FakeProgram p;
};

TEST_F(DropWindowTest, AFirstStartShowsTheSmallListAndCreatesNoFile) {
    p.drop.Start();
    EXPECT_EQ(p.log, (test::Log{"large hidden", "small hidden", "small shown", "drop hidden"}));
    EXPECT_EQ(p.drop.UseList, "small");
    EXPECT_TRUE(p.folder.files.empty());
}

TEST_F(DropWindowTest, AStoredLargeStyleShowsTheLargeListWithItsItems) {
    p.folder.files["listtype.txt"] = "large\r\n";
    p.folder.files["VantryList0.txt"] = "C:\\a.txt\r\n";
    p.drop.Start();
    EXPECT_EQ(p.log, (test::Log{"large hidden", "small hidden", "large shown", "drop hidden"}));
    EXPECT_EQ(p.largeView.captions[0], "a");
    EXPECT_TRUE(p.largeView.Visible());
    EXPECT_FALSE(p.smallView.Visible());
}

TEST_F(DropWindowTest, AnUnknownStyleWordShowsTheSmallListAndLeavesTheFile) {
    p.folder.files["listtype.txt"] = "Large\r\n";
    p.drop.Start();
    EXPECT_EQ(p.drop.UseList, "small");
    EXPECT_TRUE(p.smallView.Visible());
    EXPECT_EQ(p.folder.files["listtype.txt"], "Large\r\n");
    EXPECT_EQ(p.folder.writes.count("listtype.txt"), 0u);
}

TEST_F(DropWindowTest, TheStyleCaptionsSwitchAndKeepTheCurrentTab) {
    p.folder.files["VantryList2.txt"] = "C:\\two.txt\r\n";
    p.drop.Start();
    p.large.Model().List = 2;
    p.log.clear();
    p.drop.StyleClick("large");
    EXPECT_EQ(p.folder.files["listtype.txt"], "large\r\n");
    EXPECT_EQ(p.log, (test::Log{"small hidden", "large shown"}));
    EXPECT_EQ(p.largeView.captions[0], "two");
    p.drop.StyleClick("large");  // the style in use: reloaded, the file already holds it
    EXPECT_EQ(p.folder.writes["listtype.txt"], 1);
    EXPECT_EQ(p.largeView.captions[0], "two");
}

TEST_F(DropWindowTest, TheConfigurationSwitchShowsTabZero) {
    p.folder.files["VantryList0.txt"] = "C:\\zero.txt\r\n";
    p.folder.files["VantryList3.txt"] = "C:\\three.txt\r\n";
    p.drop.Start();
    p.small.Model().List = 3;
    p.drop.SwitchStyle("small", true);
    EXPECT_EQ(p.small.Model().List, 0);
    EXPECT_EQ(p.smallView.captions[0], "zero");
    EXPECT_EQ(p.folder.files["listtype.txt"], "small\r\n");
}

TEST_F(DropWindowTest, AFailedStyleWriteToldTheUserAndStillSwitches) {
    p.drop.Start();
    p.folder.failWrites = true;
    p.drop.StyleClick("large");
    EXPECT_EQ(p.dialogs.errors.size(), 1u);
    EXPECT_EQ(p.drop.UseList, "large");
    EXPECT_TRUE(p.largeView.Visible());
}

}  // namespace
}  // namespace vantry
