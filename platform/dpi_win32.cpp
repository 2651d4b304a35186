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
    // DPI_AWARENESS_CONTEXT_SYSTEM_AWARE
    static const HANDLE kSystemAware = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));
    if (auto setContext = LoadUser32<SetContextFn>("SetProcessDpiAwarenessContext")) {
        if (setContext(kSystemAware)) return;
    }
    if (auto setAware = LoadUser32<SetAwareFn>("SetProcessDPIAware")) setAware();
}

}  // namespace vantry
