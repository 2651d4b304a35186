#include "platform/dpi_win32.h"

#include "platform/system_functions_win32.h"

namespace vantry {

namespace {

template <typename Fn>
Fn LoadUser32(const char* name) {
    return SystemFunctionAs<Fn>(L"user32.dll", name);
}

}  // namespace

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = LoadUser32<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void EnableDpiAwareness() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    using SetAwareFn = BOOL(WINAPI*)();
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 (Windows 10 1703) and _SYSTEM_AWARE.
    static const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
    static const HANDLE kSystemAware = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));
    if (auto setContext = LoadUser32<SetContextFn>("SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorV2) || setContext(kSystemAware)) return;
    }
    if (auto setAware = LoadUser32<SetAwareFn>("SetProcessDPIAware")) setAware();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = LoadUser32<AdjustFn>("AdjustWindowRectExForDpi");
    if (adjust && adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

SIZE FrameSize(HWND window, int dpi) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectForDpi(frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void SetClientSize(HWND window, SIZE client, int dpi, const POINT* topLeft) {
    SIZE frame = FrameSize(window, dpi);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (topLeft ? 0 : SWP_NOMOVE);
    SetWindowPos(window, nullptr, topLeft ? topLeft->x : 0, topLeft ? topLeft->y : 0,
                 client.cx + frame.cx, client.cy + frame.cy, flags);
    // The frame drawn can differ from the one computed: under Wine it keeps the system DPI's
    // size whatever WM_DPICHANGED said. The client area is what the layout needs.
    RECT actual{};
    GetClientRect(window, &actual);
    if (actual.right == client.cx && actual.bottom == client.cy) return;
    RECT outer{};
    GetWindowRect(window, &outer);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + client.cx - actual.right,
                 outer.bottom - outer.top + client.cy - actual.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

MonitorAreas MonitorAreasOf(HWND window, const RECT* rect) {
    HMONITOR monitor = rect ? MonitorFromRect(rect, MONITOR_DEFAULTTONEAREST)
                            : MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoW(monitor, &info)) return {info.rcMonitor, info.rcWork};
    MonitorAreas areas{{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, {}};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &areas.work, 0);
    return areas;
}

}  // namespace vantry
