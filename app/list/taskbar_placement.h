#pragma once
// Where the list window opens when the program starts from a taskbar button: on the pointer's
// monitor, against that taskbar's edge, centred on the pointer along the edge and kept inside the
// work area. Any other start places it as before (above the bottom of the work area, at the left).

#include <optional>

#include "platform/units.h"

namespace vantry {

enum class TaskbarEdge { None, Left, Top, Right, Bottom };

struct PixelPoint {
    int x;
    int y;

    bool operator==(const PixelPoint&) const = default;
};

// The edge of the taskbar the pointer is on: the strip that the monitor keeps outside its work
// area on that side (a taskbar that is not hidden shrinks the work area by its own rectangle).
// None when the pointer is inside the work area or off the monitor.
TaskbarEdge TaskbarEdgeAt(const PixelRect& monitor, const PixelRect& work, PixelPoint pointer);

// The top left corner of a window of width by height against the taskbar's edge, centred on the
// pointer along it, inside the work area; where the work area is too small, at its left or top.
// Nothing for TaskbarEdge::None.
std::optional<PixelPoint> PlaceAtTaskbar(const PixelRect& work, TaskbarEdge edge,
                                         PixelPoint pointer, int width, int height);

}  // namespace vantry
