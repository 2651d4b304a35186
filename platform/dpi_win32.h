#pragma once
// The DPI a window is drawn at. The DPI functions of newer systems are looked up at run time
// through system_functions_win32.

#include <windows.h>

namespace vantry {

// GetDpiForWindow where the system has it, otherwise the screen's LOGPIXELSY.
int WindowDpi(HWND window);

// Asks for per-monitor (v2) DPI awareness, as the manifest does, falling back to system
// awareness where the system has no per-monitor mode; this covers a program started without the
// manifest, such as a test executable. Per-monitor windows lay themselves out again on
// WM_DPICHANGED.
void EnableDpiAwareness();

// AdjustWindowRectExForDpi where the system has it; otherwise AdjustWindowRectEx, whose frame
// is the system DPI's.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// The width and height a window's frame adds to its client area at the DPI, by its styles.
SIZE FrameSize(HWND window, int dpi);

// Gives the window a client area of exactly the size, its frame the DPI's, moved to topLeft when
// given.
void SetClientSize(HWND window, SIZE client, int dpi, const POINT* topLeft);

struct MonitorAreas {
    RECT monitor;
    RECT work;  // the monitor less the taskbar and other reserved strips
};

// The monitor that holds most of the rectangle (of the window when rect is null).
MonitorAreas MonitorAreasOf(HWND window, const RECT* rect);

}  // namespace vantry
