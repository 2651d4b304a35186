// The top-level glass window shared by the drop and list windows: creation, the look applied on
// first activation and after theme changes, and DPI. The windows' contents are their own.

#include "app/glass_form_win32.h"

#include <initializer_list>
#include <utility>

#include "app/resources.h"
#include "platform/desktop_look_win32.h"
#include "platform/dpi_win32.h"
#include "platform/glow_text_win32.h"
#include "platform/units.h"
#include "platform/window_class_win32.h"

namespace vantry {

namespace {

// The taskbar button and the Alt+Tab list show a window's own icons; each is the image of the
// program's icon drawn for the system's size, not one image scaled.
void SetProgramIcons(HWND window) {
    HINSTANCE program = GetModuleHandleW(nullptr);
    for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        int side = GetSystemMetrics(metric);
        // Shared: the system frees it with the module.
        HANDLE icon =
            LoadImageW(program, MAKEINTRESOURCEW(IDI_VANTRY), IMAGE_ICON, side, side, LR_SHARED);
        if (icon) SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

// The strips are opaque like their window under high contrast.
LRESULT CALLBACK StripProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT rect;
        GetClientRect(hwnd, &rect);
        FillWindowBackground(reinterpret_cast<HDC>(wParam), rect);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

GlassForm::GlassForm(WindowKind kind) : look_(CurrentDesktop(), kind) {}

GlassForm::~GlassForm() {
    DestroyForm();
}

int GlassForm::ToPixels(int twips) const {
    return TwipsToPixels(twips, layoutDpi_);
}

RECT GlassForm::ChildRect(const TwipsRect& twips) const {
    PixelRect pixels = ToPixelRect(twips, layoutDpi_);
    return {pixels.left, pixels.top, pixels.right, pixels.bottom};
}

bool GlassForm::CreateForm(const wchar_t* className, const std::wstring& title, DWORD style,
                           DWORD exStyle, int clientWidthTwips, int clientHeightTwips) {
    RegisterWindowClassOnce(className, &GlassForm::WindowProc,
                            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), nullptr);
    glassExtended_ = false;
    clientWidthTwips_ = clientWidthTwips;
    clientHeightTwips_ = clientHeightTwips;
    CreateWindowExW(exStyle, className, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, 100,
                    100, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    SetProgramIcons(hwnd_);
    dpi_ = WindowDpi(hwnd_);
    drawnWithPlatformGlow_ = PlatformDrawsGlow();
    FitToMonitor(nullptr);
    InstallSubclass(hwnd_, this);
    return true;
}

void GlassForm::FitToMonitor(const RECT* suggested) {
    MonitorAreas areas = MonitorAreasOf(hwnd_, suggested);
    SIZE frame = FrameSize(hwnd_, dpi_);
    layoutDpi_ = FitDpi(dpi_, clientWidthTwips_, clientHeightTwips_, frame.cx, frame.cy,
                        areas.work.right - areas.work.left, areas.work.bottom - areas.work.top);
    // The size is the layout's own: the suggested one is the old size scaled, which can be a
    // pixel off, or too big for the monitor.
    POINT topLeft{suggested ? suggested->left : 0, suggested ? suggested->top : 0};
    SetClientSize(hwnd_, {ToPixels(clientWidthTwips_), ToPixels(clientHeightTwips_)}, dpi_,
                  suggested ? &topLeft : nullptr);
}

void GlassForm::FollowDpiChange(const RECT& suggested) {
    RedrawOnce redraw(hwnd_);
    FitToMonitor(&suggested);
    LayOutChildren();
}

RedrawOnce::RedrawOnce(HWND window) : window_(IsWindowVisible(window) ? window : nullptr) {
    // Turning drawing back on marks a window visible: a hidden one is left alone.
    if (window_) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
}

RedrawOnce::~RedrawOnce() {
    if (!window_) return;
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void GlassForm::DestroyForm() {
    if (!hwnd_) return;
    RemoveSubclass(hwnd_);
    DestroyWindow(hwnd_);
}

int32_t GlassForm::FA_Handler_WndProc(NativeWindow hwnd, uint32_t uMsg, uintptr_t, intptr_t) {
    if (uMsg == WM_ACTIVATE && !glassExtended_) {
        look_.Update(hwnd);
        PublishSettings(look_.Settings());
        glassExtended_ = true;
        return 0;
    }
    return 1;
}

void GlassForm::LookChanged(bool rendererChanged) {
    // Every glass window decides for itself: the first one to hear of the change would otherwise
    // be the only one to see the decision move.
    bool glowChanged = false;
    if (rendererChanged) {
        bool glows = RedecidePlatformGlow();
        glowChanged = glows != drawnWithPlatformGlow_;
        drawnWithPlatformGlow_ = glows;
    }
    bool changed = false;
    if (glassExtended_) {
        changed = look_.Update(hwnd_);
        PublishSettings(look_.Settings());
    } else {
        // Not activated yet: the first activation applies the look; painting follows at once.
        LookSettings settings = CurrentDesktop().ReadSettings();
        changed = !(settings == PaintSettings());
        PublishSettings(settings);
    }
    if (changed || glowChanged) {
        RedrawWindow(hwnd_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

LRESULT CALLBACK GlassForm::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner(hwnd, msg, lParam, &GlassForm::hwnd_);
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        return 0;  // nothing may unwind through the system's dispatch
    }
}

LRESULT GlassForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(hwnd_, &rect);
            FillWindowBackground(reinterpret_cast<HDC>(wParam), rect);
            return 1;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            if (IsLookSettingChange(msg, wParam, lParam)) LookChanged(false);
            break;
        case WM_THEMECHANGED:
            LookChanged(true);
            break;
        case WM_DWMCOMPOSITIONCHANGED:
            // The compositor has dropped the frame and the attributes: all are applied again.
            look_.Forget();
            LookChanged(true);
            break;
        case WM_DPICHANGED:
            // The new DPI comes with the message; during a drag GetDpiForWindow can lag behind
            // it. A message without a DPI or a rectangle (sent by another program) changes
            // nothing.
            if (HIWORD(wParam) > 0 && lParam) {
                dpi_ = HIWORD(wParam);
                FollowDpiChange(*reinterpret_cast<const RECT*>(lParam));
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void PlaceChild(HWND child, const RECT& pixels) {
    SetWindowPos(child, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                 pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateStrip(HWND parent, const RECT& pixels) {
    RegisterWindowClassOnce(L"VantryStrip", StripProc,
                            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return CreateWindowExW(0, L"VantryStrip", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           pixels.left, pixels.top, pixels.right - pixels.left,
                           pixels.bottom - pixels.top, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

void CreateCaption(DWM_Label& label, HWND parent, const RECT& pixels, int dpi,
                   const CaptionSettings& settings) {
    PropertyBag bag;
    bag.Write("caption", settings.caption);
    bag.Write("hovercolor", static_cast<int32_t>(0x00FFFFFF));
    if (settings.fade) {
        bag.Write("usehover", true);
    } else {
        bag.Write("useblend", false);
    }
    bag.Write("font", FontDescription{});
    if (!settings.autoSize) bag.Write("autosize", false);
    label.SetDpi(dpi);
    label.CreateFromLayout(parent, pixels.left, pixels.top, pixels.right - pixels.left,
                           pixels.bottom - pixels.top, bag);
}

}  // namespace vantry
