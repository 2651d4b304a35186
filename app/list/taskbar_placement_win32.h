#pragma once
// The taskbar under the pointer, as the system tells it: the strip a taskbar keeps outside its
// monitor's work area, or an auto-hidden taskbar that has slid in (ABM_GETAUTOHIDEBAREX; it does
// not shrink the work area). Any monitor's, on any edge.

#include <windows.h>

#include <optional>

namespace vantry {

// The pointer, when it is on a taskbar now.
std::optional<POINT> PointerOnTaskbar();

// Moves the window against the taskbar under pointer, centred on it along the taskbar and inside
// the work area (taskbar_placement). False, the window left where it is, when no taskbar is there.
bool PlaceAtTaskbarUnder(HWND window, POINT pointer);

}  // namespace vantry
