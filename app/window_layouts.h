#pragma once
// Where every child of the glass windows sits, in twips. The windows convert these rectangles
// to pixels at the DPI they are laid out at (ToPixelRect), at creation and after every change
// of DPI.

#include <array>
#include <cstdint>

#include "app/list_constants.h"
#include "platform/units.h"
#include "store/item_files.h"

namespace vantry {

// The figures that differ between the large and the small list.
struct ListLayout {
    const char* styleWord;
    int clientHeight;
    int captionLeft;
    int rowStep;
    int captionWidth;
    int captionHeight;
    bool captionAutoSize;
    int iconSize;
    int barTop;
    bool smallIcons;
    // The halo of the empty tab's hint, in pixels at 96 dpi. The hint sizes itself to its text
    // and this halo on each side, and must stay within the first row: the second row's empty
    // icon box and caption would cover what reaches into it, all but a square between them.
    int16_t hintGlowSize;
};

extern const ListLayout kLargeLayout;
extern const ListLayout kSmallLayout;

inline constexpr int kListClientWidth = 4560;
// The list window's left edge, from the left of its monitor's work area.
inline constexpr int kListScreenLeft = 1024;

struct ListRects {
    std::array<TwipsRect, kTabCount> tabs;  // where the tabs start; UpdateTabs places them
    std::array<TwipsRect, kSlotCount> captions;
    std::array<TwipsRect, kSlotCount> icons;
    TwipsRect emptyHint;  // sized to its text
    TwipsRect bar;
    // Inside the bar.
    TwipsRect dropTarget;
    TwipsRect config;
    TwipsRect close;
};

ListRects ListWindowRects(const ListLayout& layout);

inline constexpr int kDropClientWidth = 3180;
inline constexpr int kDropClientHeight = 3105;

struct DropRects {
    TwipsRect strip;
    // Inside the strip.
    TwipsRect hint;
    TwipsRect large;
    TwipsRect small;
};

DropRects DropWindowRects();

// The side of an item's icon in pixels: 16 (small) or 32 (large) at 96 dpi, in proportion at
// any other.
constexpr int ItemIconPixels(bool smallIcon, int dpi) {
    return ScaleFrom96(smallIcon ? 16 : 32, dpi);
}

}  // namespace vantry
