#include "platform/units.h"

#include <gtest/gtest.h>

#include "platform/rounding.h"
#include "store/taskbar_height.h"

namespace vantry {
namespace {

TEST(Units, LayoutFiguresComeOutExactlyAt96Dpi) {
    EXPECT_EQ(TwipsToPixels(4560, kDefaultDpi), 304);
    EXPECT_EQ(TwipsToPixels(10890, kDefaultDpi), 726);
    EXPECT_EQ(TwipsToPixels(7995, kDefaultDpi), 533);
    EXPECT_EQ(PixelsToTwips(40, kDefaultDpi), 600);
}

TEST(Units, ScaleWithTheDpiAndRoundToNearest) {
    EXPECT_EQ(TwipsToPixels(495, 144), 50);  // 49.5 rounds up like MulDiv
    EXPECT_EQ(TwipsToPixels(1024, kDefaultDpi), 68);
    EXPECT_EQ(TwipsToPixels(-15, kDefaultDpi), -1);
}

TEST(Units, TaskbarHeightIsTheStripBelowTheWorkArea) {
    EXPECT_EQ(TaskbarHeightFrom(768, 728, kDefaultDpi), 600);
    EXPECT_EQ(TaskbarHeightFrom(1080, 1020, 144), 600);  // 60 pixels at 150 %
    // No taskbar, or one at the top or a side: the work area reaches the screen's bottom.
    EXPECT_EQ(TaskbarHeightFrom(768, 768, kDefaultDpi), 0);
}

TEST(Rounding, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(8.5), 8);
    EXPECT_EQ(RoundHalfEven(9.5), 10);
    EXPECT_EQ(RoundHalfEven(8.25), 8);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundToInt16(126.99), 127);
    EXPECT_EQ(RoundToInt16(40000.0), 32767);
    EXPECT_EQ(RoundToInt16(-40000.0), -32768);
    EXPECT_EQ(RoundToInt32(1e12), 2147483647);
}

}  // namespace
}  // namespace vantry
