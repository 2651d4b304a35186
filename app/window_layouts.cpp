// Where each child of the drop and list windows sits, in twips; the windows convert them to
// pixels at their DPI.

#include "app/window_layouts.h"

namespace vantry {

const ListLayout kLargeLayout{kLargeStyle, 10890, 600, 480, 300, 495, true, 495, 10620, false, 9};
const ListLayout kSmallLayout{kSmallStyle, 7995, 480, 360, 3900, 255, false, 255, 7725, true, 5};

namespace {

constexpr int kFirstRowTop = 480;
constexpr int kIconLeft = 120;
constexpr int kTabStep = 720;
constexpr int kTabWidth = 900;
constexpr int kTabHeight = 495;
constexpr int kBarHeight = 270;
constexpr int kBarCaptionHeight = 255;

}  // namespace

ListRects ListWindowRects(const ListLayout& layout) {
    ListRects rects{};
    for (int k = 0; k < kTabCount; ++k) {
        rects.tabs[static_cast<std::size_t>(k)] = {kTabStep * k, 0, kTabWidth, kTabHeight};
    }
    for (int i = 0; i < kSlotCount; ++i) {
        int top = kFirstRowTop + layout.rowStep * i;
        rects.captions[static_cast<std::size_t>(i)] = {layout.captionLeft, top, layout.captionWidth,
                                                       layout.captionHeight};
        rects.icons[static_cast<std::size_t>(i)] = {kIconLeft, top, layout.iconSize,
                                                    layout.iconSize};
    }
    rects.emptyHint = {kIconLeft, kFirstRowTop, 0, kTabHeight};
    rects.bar = {0, layout.barTop, kListClientWidth, kBarHeight};
    rects.dropTarget = {0, 0, 1200, kBarCaptionHeight};
    rects.config = {1320, 0, 1200, kBarCaptionHeight};
    rects.close = {3840, 0, 720, kBarCaptionHeight};
    return rects;
}

DropRects DropWindowRects() {
    // The style captions sit 480 twips down a strip 495 high: only their top row shows.
    return {{0, 2610, kDropClientWidth, 495},
            {0, 0, 4185, 495},
            {0, 480, 1275, 495},
            {2160, 480, 1275, 495}};
}

}  // namespace vantry
