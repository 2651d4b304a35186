#pragma once
// Registers one of the program's window classes the first time it is asked for: an arrow
// cursor, the given background and icon, and one pointer-sized extra slot for the owner object
// (GWLP_USERDATA is left to the shared subclassing hook).

#include <windows.h>

namespace vantry {

void RegisterWindowClassOnce(const wchar_t* className, WNDPROC procedure, HBRUSH background,
                             HICON icon = nullptr, UINT style = 0);

// The owner object of such a window, for its window procedure: attached from lpCreateParams at
// WM_NCCREATE (also setting the owner's handle member), detached at WM_NCDESTROY. Nothing then,
// and nothing before WM_NCCREATE: the procedure passes those messages to DefWindowProcW.
template <typename Owner>
Owner* WindowOwner(HWND hwnd, UINT msg, LPARAM lParam, HWND Owner::*handle) {
    if (msg == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->*handle = hwnd;
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(owner));
        return owner;
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, 0));
    if (owner && msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        owner->*handle = nullptr;
        return nullptr;
    }
    return owner;
}

}  // namespace vantry
