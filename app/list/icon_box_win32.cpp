// An item's icon box: paints one icon (dimmed when its target is missing) and reports presses,
// clicks and drag starts. Which icon it shows is the list window's.

#include "app/list/icon_box_win32.h"

#include "platform/alpha_surface_win32.h"
#include "platform/desktop_look_win32.h"
#include "platform/window_class_win32.h"

namespace vantry {

namespace {

constexpr wchar_t kClassName[] = L"VantryIconBox";

}  // namespace

IconBox::~IconBox() {
    if (window_) DestroyWindow(window_);
}

bool IconBox::Create(HWND parent, int x, int y, int size) {
    RegisterWindowClassOnce(kClassName, &IconBox::WindowProc,
                            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // Clipped like the captions: drawing straight to the screen, it leaves out the insertion
    // mark that a drag lays over the rows.
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, size, size,
                    parent, nullptr, GetModuleHandleW(nullptr), this);
    return window_ != nullptr;
}

void IconBox::SetIcon(UniqueIcon icon) {
    if (!icon && !icon_) return;
    icon_ = std::move(icon);
    // A hidden box, or one in a hidden window, is painted as it shows.
    if (window_ && IsWindowVisible(window_)) {
        InvalidateRect(window_, nullptr, TRUE);
        UpdateWindow(window_);
    }
}

void IconBox::SetDimmed(bool dimmed) {
    if (dimmed_ == dimmed) return;
    dimmed_ = dimmed;
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void IconBox::Paint(HDC dc) const {
    RECT rect;
    GetClientRect(window_, &rect);
    const LookSettings& settings = PaintSettings();
    if (settings.highContrast && !dimmed_) {
        FillWindowBackground(dc, rect);
        if (icon_) DrawIconEx(dc, 0, 0, icon_.Get(), side_, side_, 0, nullptr, DI_NORMAL);
        return;
    }
    // On glass the icon goes over with its alpha, the rest of the box see-through: drawn
    // straight onto the window, GDI would leave it all at alpha 0.
    AlphaSurface surface(rect.right, rect.bottom);
    DrawIconWithAlpha(surface, icon_.Get(), side_);
    if (dimmed_) DimSurface(surface);
    if (settings.highContrast) FlattenOnto(surface, settings.background);
    if (surface.Valid()) {
        BitBlt(dc, 0, 0, rect.right, rect.bottom, surface.Context(), 0, 0, SRCCOPY);
    }
}

LRESULT CALLBACK IconBox::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner(hwnd, msg, lParam, &IconBox::window_);
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return self->HandleMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        return 0;  // nothing may unwind through the system's dispatch
    }
}

LRESULT IconBox::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole box
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            Paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            click_.Press(hwnd, lParam);
            if (onMouseDown) onMouseDown(1);
            return 0;
        case WM_MOUSEMOVE:
            if (click_.DragStarted(hwnd, lParam) && onDragStart) onDragStart();
            return 0;
        case WM_LBUTTONUP:
            if (click_.Release(hwnd, lParam) && onClick) onClick();
            return 0;
        case WM_CAPTURECHANGED:
            click_.Cancel();
            return 0;
        case WM_RBUTTONDOWN:
            if (onMouseDown) onMouseDown(2);
            return 0;
        case WM_RBUTTONUP:
            if (onMouseUp) onMouseUp(2);
            return 0;
        case WM_MBUTTONDOWN:
            if (onMouseDown) onMouseDown(4);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vantry
