#include "platform/subclass_win32.h"

namespace vantry {

const wchar_t kPrevProcProperty[] = L"FA_ExWndProcPtr";

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* owner = reinterpret_cast<FA_Handler*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!owner) return 0;
    if (owner->FA_Handler_WndProc(hwnd, uMsg, wParam, lParam) == 0) return 0;
    // Read the property only now: the handler may have unhooked the window (a Theme Label does
    // on WM_MOUSELEAVE), and then the message ends here.
    auto prev = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPrevProcProperty));
    if (!prev) return 0;
    return CallWindowProcW(prev, hwnd, uMsg, wParam, lParam);
}

void InstallSubclass(HWND window, FA_Handler* owner) {
    LONG_PTR prev = GetWindowLongPtrW(window, GWLP_WNDPROC);
    SetPropW(window, kPrevProcProperty, reinterpret_cast<HANDLE>(prev));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}

void RemoveSubclass(HWND window) {
    HANDLE prev = GetPropW(window, kPrevProcProperty);
    if (!prev) return;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
    RemovePropW(window, kPrevProcProperty);
}

}  // namespace vantry
