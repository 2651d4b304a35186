#pragma once
// The DPI a window is drawn at. The DPI functions of newer systems are looked up at run time
// through system_functions_win32.

#include <windows.h>

namespace vantry {

// GetDpiForWindow where the system has it, otherwise the screen's LOGPIXELSY.
int WindowDpi(HWND window);

// Asks for system DPI awareness, as the manifest does; this covers a program started without
// it, such as a test executable. Not per-monitor: the windows are laid out and their fonts made
// once, at the system DPI, and the system scales them on a monitor of another DPI.
void EnableDpiAwareness();

}  // namespace vantry
