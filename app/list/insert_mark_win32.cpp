#include "app/list/insert_mark_win32.h"

#include "platform/alpha_surface_win32.h"
#include "platform/window_class_win32.h"

namespace vantry {

namespace {

constexpr wchar_t kClassName[] = L"VantryInsertMark";
constexpr uint32_t kEdge = 0xFF000000;  // opaque black, premultiplied
constexpr uint32_t kFill = 0xFFFFFFFF;  // opaque white

// GDI would draw with alpha 0, which glass shows as see-through: the pixels are set opaque here.
void Paint(HWND window, HDC dc) {
    RECT rect;
    GetClientRect(window, &rect);
    AlphaSurface surface(rect.right, rect.bottom);
    if (!surface.Valid()) return;
    for (int y = 0; y < rect.bottom; ++y) {
        for (int x = 0; x < rect.right; ++x) {
            bool edge = y == 0 || x == 0 || y == rect.bottom - 1 || x == rect.right - 1;
            surface.Bits()[y * rect.right + x] = edge ? kEdge : kFill;
        }
    }
    BitBlt(dc, 0, 0, rect.right, rect.bottom, surface.Context(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK MarkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            Paint(hwnd, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // the pointer goes through to the rows below
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

bool InsertMark::Create(HWND parent) {
    RegisterWindowClassOnce(kClassName, MarkProc, nullptr);
    window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    return window_ != nullptr;
}

void InsertMark::ShowAt(const RECT& rect) {
    if (!window_) return;
    SetWindowPos(window_, HWND_TOP, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

void InsertMark::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

}  // namespace vantry
