#include "app/window_layouts.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vantry {
namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

bool Inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(WindowLayouts, ListRowsAndBarStayInTheClientAndMeetItsEdgesAtEveryDpi) {
    for (int dpi : kDpis) {
        for (const ListLayout* layout : {&kLargeLayout, &kSmallLayout}) {
            SCOPED_TRACE(testing::Message() << layout->styleWord << " at " << dpi);
            const ListRects rects = ListWindowRects(*layout);
            const PixelRect client =
                ToPixelRect({0, 0, kListClientWidth, layout->clientHeight}, dpi);
            const PixelRect bar = ToPixelRect(rects.bar, dpi);
            // The bar closes the window: flush with its bottom and right, not a pixel beyond.
            EXPECT_EQ(bar.bottom, client.bottom);
            EXPECT_EQ(bar.right, client.right);
            EXPECT_EQ(ToPixelRect(rects.close, dpi).right, bar.right - bar.left);
            for (int i = 0; i < kSlotCount; ++i) {
                const PixelRect caption = ToPixelRect(rects.captions[i], dpi);
                const PixelRect icon = ToPixelRect(rects.icons[i], dpi);
                EXPECT_TRUE(Inside(caption, client) && caption.bottom <= bar.top) << i;
                EXPECT_TRUE(Inside(icon, client) && icon.bottom <= bar.top) << i;
                EXPECT_GE(icon.right - icon.left, ItemIconPixels(layout->smallIcons, dpi));
                if (i == 0) continue;
                // Rows are evenly spaced: a step never gains or loses more than the rounding.
                int step = icon.top - ToPixelRect(rects.icons[i - 1], dpi).top;
                EXPECT_LE(std::abs(step * kTwipsPerInch - layout->rowStep * dpi), kTwipsPerInch);
            }
        }
        const DropRects drop = DropWindowRects();
        const PixelRect strip = ToPixelRect(drop.strip, dpi);
        const PixelRect dropClient = ToPixelRect({0, 0, kDropClientWidth, kDropClientHeight}, dpi);
        EXPECT_EQ(strip.bottom, dropClient.bottom) << dpi;
        EXPECT_EQ(strip.right, dropClient.right) << dpi;
    }
}

TEST(WindowLayouts, ItemIconsAreSixteenAndThirtyTwoPixelsAt96AndScaleWithTheDpi) {
    EXPECT_EQ(ItemIconPixels(true, 96), 16);
    EXPECT_EQ(ItemIconPixels(false, 96), 32);
    EXPECT_EQ(ItemIconPixels(true, 144), 24);
    EXPECT_EQ(ItemIconPixels(false, 144), 48);
    EXPECT_EQ(ItemIconPixels(true, 192), 32);
    EXPECT_EQ(ItemIconPixels(false, 192), 64);
}

TEST(WindowLayouts, AWindowTooBigForItsMonitorShrinksJustEnoughToFit) {
    constexpr int kFrame = 6;
    // The large list at 150 % is 1,089 pixels high: more than a 1080-pixel screen.
    int fitted =
        FitDpi(144, kListClientWidth, kLargeLayout.clientHeight, kFrame, kFrame, 1920, 1040);
    EXPECT_LT(fitted, 144);
    EXPECT_LE(TwipsToPixels(kLargeLayout.clientHeight, fitted) + kFrame, 1040);
    EXPECT_GT(TwipsToPixels(kLargeLayout.clientHeight, fitted + 1) + kFrame, 1040);
    // The small list fits there and keeps its DPI; a narrow area limits the width as well.
    EXPECT_EQ(FitDpi(144, kListClientWidth, kSmallLayout.clientHeight, kFrame, kFrame, 1920, 1040),
              144);
    int narrow =
        FitDpi(192, kListClientWidth, kSmallLayout.clientHeight, kFrame, kFrame, 400, 2000);
    EXPECT_LE(TwipsToPixels(kListClientWidth, narrow) + kFrame, 400);
}

}  // namespace
}  // namespace vantry
