#pragma once
// The DPI a window is drawn at. Per-monitor DPI functions are newer than the oldest Windows the
// program runs on, so they are looked up at run time here and nowhere else.

#include <windows.h>

namespace vantry {

// GetDpiForWindow where the system has it, otherwise the screen's LOGPIXELSY.
int WindowDpi(HWND window);

// Asks for per-monitor DPI awareness where the system offers it (the manifest covers newer
// systems; this covers a program started without it, such as a test executable).
void EnableDpiAwareness();

}  // namespace vantry
