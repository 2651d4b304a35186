#pragma once
// The height of the strip the desktop reserves at the bottom of the screen (the taskbar), in
// twips: the distance from the bottom of the work area to the bottom of the screen.

#include <cstdint>

namespace vantry {

// From the screen's height and the work area's bottom edge in pixels at the given DPI, rounded
// with ties to even. A taskbar at the top or a side leaves the work area's bottom at the
// screen's bottom and gives 0; an unreadable work area (bottom 0) gives the whole screen.
// Clamped to the 16-bit range.
int16_t TaskbarHeightFrom(int screenHeightPixels, int workAreaBottomPixels, int dpi);

// The same for the primary screen, read from the system.
int16_t TaskbarHeight();

}  // namespace vantry
