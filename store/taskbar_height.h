#pragma once
// The height of the strip the desktop reserves at the bottom of the screen (the taskbar), in
// twips: the distance from the bottom of the work area to the bottom of the screen.

#include <cstdint>

namespace vantry {

// From a monitor's height and its work area's bottom edge (from the monitor's top) in pixels at
// the given DPI, rounded with ties to even. A taskbar at the top or a side leaves the work area's
// bottom at the screen's bottom and gives 0; an unreadable work area (bottom 0) gives the whole
// screen. Clamped to the 16-bit range.
int16_t TaskbarHeightFrom(int screenHeightPixels, int workAreaBottomPixels, int dpi);

}  // namespace vantry
