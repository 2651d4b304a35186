#include "app/list/taskbar_placement.h"

#include <gtest/gtest.h>

namespace vantry {
namespace {

constexpr int kWidth = 310;
constexpr int kHeight = 560;

TEST(TaskbarPlacementTest, TheListStandsAgainstTheTaskbarUnderThePointerInsideTheWorkArea) {
    const PixelRect primary{0, 0, 1920, 1080};
    // A second monitor to the left of the first, at a negative origin.
    const PixelRect second{-1280, 0, 0, 1024};
    struct Case {
        const char* what;
        PixelRect monitor;
        PixelRect work;
        PixelPoint pointer;
        TaskbarEdge edge;
        std::optional<PixelPoint> place;
    };
    const Case cases[] = {
        {"bottom, centred",
         primary,
         {0, 0, 1920, 1040},
         {960, 1060},
         TaskbarEdge::Bottom,
         PixelPoint{805, 480}},
        {"bottom, near the left end",
         primary,
         {0, 0, 1920, 1040},
         {20, 1060},
         TaskbarEdge::Bottom,
         PixelPoint{0, 480}},
        {"bottom, near the right end",
         primary,
         {0, 0, 1920, 1040},
         {1915, 1079},
         TaskbarEdge::Bottom,
         PixelPoint{1610, 480}},
        {"top", primary, {0, 40, 1920, 1080}, {700, 10}, TaskbarEdge::Top, PixelPoint{545, 40}},
        {"left, near the top end",
         primary,
         {60, 0, 1920, 1080},
         {30, 5},
         TaskbarEdge::Left,
         PixelPoint{60, 0}},
        {"right, near the bottom end",
         primary,
         {0, 0, 1860, 1080},
         {1900, 1075},
         TaskbarEdge::Right,
         PixelPoint{1550, 520}},
        {"second monitor, bottom",
         second,
         {-1280, 0, 0, 984},
         {-100, 1000},
         TaskbarEdge::Bottom,
         PixelPoint{-310, 424}},
        {"second monitor, left",
         second,
         {-1220, 0, 0, 1024},
         {-1250, 500},
         TaskbarEdge::Left,
         PixelPoint{-1220, 220}},
        {"work area smaller than the list",
         {0, 0, 300, 500},
         {0, 0, 300, 470},
         {150, 490},
         TaskbarEdge::Bottom,
         PixelPoint{0, 0}},
        {"inside the work area",
         primary,
         {0, 0, 1920, 1040},
         {960, 1039},
         TaskbarEdge::None,
         std::nullopt},
        {"on another monitor's taskbar strip",
         second,
         {-1280, 0, 0, 984},
         {960, 1060},
         TaskbarEdge::None,
         std::nullopt},
        {"no taskbar at all", primary, primary, {960, 1079}, TaskbarEdge::None, std::nullopt},
    };
    for (const Case& c : cases) {
        TaskbarEdge edge = TaskbarEdgeAt(c.monitor, c.work, c.pointer);
        EXPECT_EQ(edge, c.edge) << c.what;
        EXPECT_EQ(PlaceAtTaskbar(c.work, edge, c.pointer, kWidth, kHeight), c.place) << c.what;
    }
}

}  // namespace
}  // namespace vantry
