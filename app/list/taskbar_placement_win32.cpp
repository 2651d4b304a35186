#include "app/list/taskbar_placement_win32.h"

#include <shellapi.h>

#include <algorithm>

#include "app/list/taskbar_placement.h"

namespace vantry {

namespace {

// ABM_GETAUTOHIDEBAREX, which the headers show only to builds for Windows 8 and later; Windows 7
// answers it with no bar.
constexpr UINT kGetAutoHideBarEx = 0x0000000b;

struct TaskbarUnder {
    PixelRect work;  // less any auto-hidden taskbar slid in under the pointer
    TaskbarEdge edge = TaskbarEdge::None;
};

PixelRect FromRect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

// An auto-hidden taskbar shown over the work area: the work area ends where it begins.
void LeaveOutAutoHiddenBar(const RECT& monitor, POINT pointer, PixelRect& work) {
    for (UINT edge : {ABE_LEFT, ABE_TOP, ABE_RIGHT, ABE_BOTTOM}) {
        APPBARDATA data{};
        data.cbSize = sizeof(data);
        data.uEdge = edge;
        data.rc = monitor;
        auto bar = reinterpret_cast<HWND>(SHAppBarMessage(kGetAutoHideBarEx, &data));
        RECT rect;
        if (!bar || !GetWindowRect(bar, &rect) || !PtInRect(&rect, pointer)) continue;
        if (edge == ABE_LEFT) work.left = std::max(work.left, static_cast<int>(rect.right));
        if (edge == ABE_TOP) work.top = std::max(work.top, static_cast<int>(rect.bottom));
        if (edge == ABE_RIGHT) work.right = std::min(work.right, static_cast<int>(rect.left));
        if (edge == ABE_BOTTOM) work.bottom = std::min(work.bottom, static_cast<int>(rect.top));
    }
}

// Told by the work area rather than ABM_GETTASKBARPOS, which knows only the primary taskbar (and
// under Wine answers the bottom edge even where there is none).
TaskbarUnder FindTaskbarUnder(POINT pointer) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONULL);
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return {};
    TaskbarUnder found{FromRect(info.rcWork)};
    LeaveOutAutoHiddenBar(info.rcMonitor, pointer, found.work);
    found.edge = TaskbarEdgeAt(FromRect(info.rcMonitor), found.work, {pointer.x, pointer.y});
    return found;
}

}  // namespace

std::optional<POINT> PointerOnTaskbar() {
    POINT pointer;
    if (!GetCursorPos(&pointer) || FindTaskbarUnder(pointer).edge == TaskbarEdge::None) {
        return std::nullopt;
    }
    return pointer;
}

bool PlaceAtTaskbarUnder(HWND window, POINT pointer) {
    const TaskbarUnder taskbar = FindTaskbarUnder(pointer);
    RECT outer;
    if (!GetWindowRect(window, &outer)) return false;
    std::optional<PixelPoint> place =
        PlaceAtTaskbar(taskbar.work, taskbar.edge, {pointer.x, pointer.y}, outer.right - outer.left,
                       outer.bottom - outer.top);
    if (!place) return false;
    SetWindowPos(window, nullptr, place->x, place->y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

}  // namespace vantry
