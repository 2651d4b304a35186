#include "app/list/taskbar_placement.h"

#include <algorithm>

namespace vantry {

namespace {

// From the centre on the pointer towards the low end of the range, never before low.
int Centred(int pointer, int size, int low, int high) {
    return std::max(low, std::min(pointer - size / 2, high - size));
}

}  // namespace

TaskbarEdge TaskbarEdgeAt(const PixelRect& monitor, const PixelRect& work, PixelPoint pointer) {
    const bool onMonitor = pointer.x >= monitor.left && pointer.x < monitor.right &&
                           pointer.y >= monitor.top && pointer.y < monitor.bottom;
    if (!onMonitor) return TaskbarEdge::None;
    if (pointer.y >= work.bottom) return TaskbarEdge::Bottom;
    if (pointer.y < work.top) return TaskbarEdge::Top;
    if (pointer.x < work.left) return TaskbarEdge::Left;
    if (pointer.x >= work.right) return TaskbarEdge::Right;
    return TaskbarEdge::None;
}

std::optional<PixelPoint> PlaceAtTaskbar(const PixelRect& work, TaskbarEdge edge,
                                         PixelPoint pointer, int width, int height) {
    const int across = Centred(pointer.x, width, work.left, work.right);
    const int down = Centred(pointer.y, height, work.top, work.bottom);
    switch (edge) {
        case TaskbarEdge::Bottom:
            return PixelPoint{across, std::max(work.top, work.bottom - height)};
        case TaskbarEdge::Top:
            return PixelPoint{across, work.top};
        case TaskbarEdge::Left:
            return PixelPoint{work.left, down};
        case TaskbarEdge::Right:
            return PixelPoint{std::max(work.left, work.right - width), down};
        case TaskbarEdge::None:
            break;
    }
    return std::nullopt;
}

}  // namespace vantry
