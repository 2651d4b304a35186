#include "controls/theme_label_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/desktop_look_win32.h"
#include "platform/dpi_win32.h"
#include "platform/text_win32.h"
#include "platform/window_class_win32.h"

// Implemented: the child window, its font and background, mouse events and clicks (a press and
// a release over the label, the mouse captured in between), hover
// tracking with the shared hook, the fade timer, drawing through the glowing-text service with
// its objects kept between drawings of one size (the window context is the class's own).
// Captions that act as buttons are push buttons to assistive tools.
// Not yet: keyboard access (the captions are mouse-only).

namespace vantry {

namespace {

constexpr wchar_t kClassName[] = L"VantryThemeLabel";
constexpr UINT_PTR kBlendTimerId = 1;

int ShiftState(WPARAM wParam) {
    int shift = 0;
    if (wParam & MK_SHIFT) shift |= 1;
    if (wParam & MK_CONTROL) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

int HeldButtons(WPARAM wParam) {
    int buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= 1;
    if (wParam & MK_RBUTTON) buttons |= 2;
    if (wParam & MK_MBUTTON) buttons |= 4;
    return buttons;
}

MouseEventArgs MouseArgs(int button, WPARAM wParam, LPARAM lParam) {
    return {button, ShiftState(wParam), static_cast<float>(GET_X_LPARAM(lParam)),
            static_cast<float>(GET_Y_LPARAM(lParam))};
}

template <typename... Args, typename Handler>
void Raise(const Handler& handler, Args&&... args) {
    if (handler) handler(std::forward<Args>(args)...);
}

}  // namespace

DWM_Label::DWM_Label() : model_(*this) {}

DWM_Label::~DWM_Label() {
    // WM_DESTROY frees the drawing and unhooks; a window already destroyed with its parent
    // has done so.
    if (window_) DestroyWindow(window_);
    if (measureContext_) {
        SelectObject(measureContext_, measureReplacedFont_);
        DeleteDC(measureContext_);
    }
    if (font_) DeleteObject(font_);
}

void DWM_Label::RegisterWindowClass() {
    // An own context can be held from one drawing to the next: a fade tick then costs no
    // GetDC/ReleaseDC, which under Wine are round trips to the server.
    RegisterWindowClassOnce(kClassName, &DWM_Label::WindowProc, nullptr, nullptr,
                            CS_DBLCLKS | CS_OWNDC);
}

bool DWM_Label::Create(HWND parent, int x, int y, int width, int height) {
    if (!CreateWindowOnly(parent, x, y, width, height)) return false;
    model_.Create();
    return true;
}

bool DWM_Label::CreateFromLayout(HWND parent, int x, int y, int width, int height,
                                 const PropertyBag& stored) {
    if (!CreateWindowOnly(parent, x, y, width, height)) return false;
    // A label from layout data starts from its stored values, not from the creation defaults:
    // it is drawn (and sized, with auto-size) once, when shown.
    model_.LoadStoredProperties(stored);
    model_.Show();
    return true;
}

bool DWM_Label::CreateWindowOnly(HWND parent, int x, int y, int width, int height) {
    RegisterWindowClass();
    if (dpi_ <= 0) dpi_ = WindowDpi(nullptr);
    model_.SetDpi(dpi_);
    // The window's first font is Tahoma 8.25 regular; GDI maps a missing face to the nearest
    // one, and the stock GUI font covers a failed creation.
    font_ = CreateThemeFont(model_.Font(), dpi_);
    fontFor_ = model_.Font();
    // Text is measured on a context of our own that holds the window's font, rather than on a
    // window context fetched for every redraw.
    HDC screen = GetDC(nullptr);
    measureContext_ = CreateCompatibleDC(screen);
    measureReplacedFont_ = SelectObject(measureContext_, CaptionFont());
    ReleaseDC(nullptr, screen);
    window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y,
                              width, height, parent, nullptr, GetModuleHandleW(nullptr), this);
    return window_ != nullptr;
}

LRESULT CALLBACK DWM_Label::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner(hwnd, msg, lParam, &DWM_Label::window_);
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        // An event handler of the host threw; the message loop must not see it.
        return 0;
    }
}

LRESULT DWM_Label::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(window_, &rect);
            FillBackground(reinterpret_cast<HDC>(wParam), rect);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(window_, &ps);
            EndPaint(window_, &ps);
            model_.RedrawCaption();
            return 0;
        }
        case WM_SIZE:
            model_.RedrawCaption();
            return 0;
        case WM_TIMER:
            if (wParam == kBlendTimerId) model_.BlendTick();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_GETDLGCODE: {
            // Enter and Space come here rather than to the dialog's default button.
            const auto* message = reinterpret_cast<const MSG*>(lParam);
            bool clickKey = message && message->message == WM_KEYDOWN &&
                            (message->wParam == VK_RETURN || message->wParam == VK_SPACE);
            return clickKey ? DLGC_WANTMESSAGE : 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_SPACE) {
                Raise(onClick);
            } else if (onKeyDown) {
                onKeyDown(static_cast<unsigned>(wParam));
            }
            return 0;
        case WM_SETFOCUS:
            SetFocusMark(true);
            return 0;
        case WM_KILLFOCUS:
            SetFocusMark(false);
            return 0;
        case WM_CAPTURECHANGED:
            click_.Cancel();
            return 0;
        case WM_GETOBJECT:
            if (pushButton_ && AsksForClient(lParam)) {
                // Made when a tool first asks, and kept for the next.
                if (!accessible_) accessible_.Attach(new PushButtonAccessible(window_));
                if (LRESULT answer = AnswerGetObject(wParam, accessible_.Get())) return answer;
            }
            return DefWindowProcW(window_, msg, wParam, lParam);
        case BM_CLICK:
            if (pushButton_) Raise(onClick);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            OnButton(msg, wParam, lParam);
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_THEMECHANGED:
            ReleaseGlowKept(job_);
            model_.RedrawCaption();
            return 0;
        default:
            return DefWindowProcW(window_, msg, wParam, lParam);
    }
}

void DWM_Label::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (onDragStart && click_.DragStarted(window_, lParam)) {
        model_.MouseLeft();
        Raise(onDragStart);
        return;
    }
    // While a press holds the mouse, a pointer slid off is no longer over the label: its release
    // will not click, and the hover colour says so.
    if (click_.PressedOutside(window_, lParam)) {
        model_.MouseLeft();
    } else {
        model_.MouseMoved(MouseArgs(HeldButtons(wParam), wParam, lParam));
    }
}

void DWM_Label::OnDestroy() {
    KillTimer(window_, kBlendTimerId);
    timerRunning_ = false;
    model_.Destroy();
    ReleaseGlowKept(job_);
    if (accessible_) accessible_->Disconnect();
    accessible_.Reset();
}

void DWM_Label::OnButton(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONDOWN:
            click_.Press(window_, lParam);
            Raise(onMouseDown, MouseArgs(1, wParam, lParam));
            break;
        case WM_LBUTTONDBLCLK:
            // The second press of a double click: no Click follows its release.
            click_.Cancel();
            Raise(onMouseDown, MouseArgs(1, wParam, lParam));
            Raise(onDblClick);
            break;
        case WM_LBUTTONUP: {
            bool clicked = click_.Release(window_, lParam);
            Raise(onMouseUp, MouseArgs(1, wParam, lParam));
            if (clicked) Raise(onClick);
            break;
        }
        case WM_RBUTTONDOWN:
            Raise(onMouseDown, MouseArgs(2, wParam, lParam));
            break;
        case WM_RBUTTONUP:
            Raise(onMouseUp, MouseArgs(2, wParam, lParam));
            break;
        case WM_MBUTTONDOWN:
            Raise(onMouseDown, MouseArgs(4, wParam, lParam));
            break;
        case WM_MBUTTONUP:
            Raise(onMouseUp, MouseArgs(4, wParam, lParam));
            break;
        default:
            break;
    }
}

int32_t DWM_Label::FA_Handler_WndProc(NativeWindow, uint32_t uMsg, uintptr_t, intptr_t) {
    if (uMsg == WM_MOUSELEAVE) model_.MouseLeft();
    return 1;
}

void DWM_Label::ReleaseTarget() {
    ReleaseGlowTarget(job_);
}
void DWM_Label::ReleaseSurface() {
    ReleaseGlowSurface(job_);
}

void DWM_Label::ApplyWindowEnabled(bool enabled) {
    if (window_) EnableWindow(window_, enabled ? TRUE : FALSE);
}

void DWM_Label::ApplyWindowFont(const FontDescription& font) {
    // Showing re-applies every property; the same font need not be made again.
    if (font_ && font == fontFor_) return;
    MakeFont(font);
}

void DWM_Label::MakeFont(const FontDescription& font) {
    HFONT created = CreateThemeFont(font, dpi_);
    if (!created) return;
    if (measureContext_) SelectObject(measureContext_, created);
    if (font_) DeleteObject(font_);
    font_ = created;
    fontFor_ = font;
}

void DWM_Label::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    if (!window_) return;
    MakeFont(model_.Font());
    // The drawing's own font and halo were made for the old DPI.
    ReleaseGlowKept(job_);
    model_.SetDpi(dpi);
}

HGDIOBJ DWM_Label::CaptionFont() const {
    return font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT);
}

void DWM_Label::ApplyWindowBackground(uint32_t colour) {
    background_ = colour;
}

void DWM_Label::ApplyWindowText(const std::string& text) {
    if (window_) SetWindowTextW(window_, Widen(text).c_str());
}

TextExtent DWM_Label::MeasureText(const std::string& text) {
    std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(measureContext_, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (wide.empty()) {
        // An empty line is still one line high; only its width is zero.
        TEXTMETRICW metrics{};
        GetTextMetricsW(measureContext_, &metrics);
        size.cy = metrics.tmHeight;
    }
    return {static_cast<double>(size.cx), static_cast<double>(size.cy)};
}

int DWM_Label::ClientHeight() {
    RECT rect{};
    if (window_) GetClientRect(window_, &rect);
    return rect.bottom - rect.top;
}

void DWM_Label::ResizeWindow(int width, int height) {
    if (!window_) return;
    RECT rect;
    GetWindowRect(window_, &rect);
    if (rect.right - rect.left == width && rect.bottom - rect.top == height) return;
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DWM_Label::DrawCaption(const CaptionDrawing& drawing) {
    // After WM_DESTROY there is nothing to draw on; GetDC(nullptr) would be the screen.
    if (!window_) return;
    static_cast<CaptionDrawing&>(job_) = drawing;
    job_.window = window_;
    // A hidden label (or one in a hidden window) is drawn when it is shown: showing it brings a
    // WM_PAINT, which redraws anyway.
    drawingPending_ = true;
    if (!drawingHeld_ && IsWindowVisible(window_)) DrawPending();
}

void DWM_Label::BlitCaption() {
    if (!window_ || !IsWindowVisible(window_)) return;
    // The kept bitmap holds an older caption when the last drawing was put off; an empty
    // caption keeps none.
    if (drawingPending_ || job_.text.empty()) {
        DrawPending();
    } else {
        BlitGlowText(job_);
        DrawFocusFrame();
    }
}

void DWM_Label::MakeTabStop() {
    if (!window_) return;
    SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) | WS_TABSTOP);
}

void DWM_Label::SetFocusMark(bool marked) {
    if (focusFrame_ == marked) return;
    focusFrame_ = marked;
    // A frame taken away is painted over with the background when the caption is drawn anew.
    if (!marked && window_) InvalidateRect(window_, nullptr, TRUE);
    model_.SetMarked(marked);
}

// The frame goes around the caption's text block, which every drawing covers whole: drawn (by
// inverting) once after each drawing, it never cancels itself out.
void DWM_Label::DrawFocusFrame() {
    if (!focusFrame_ || job_.text.empty()) return;
    HDC context = GetDC(window_);
    RECT frame{job_.x, job_.y, job_.x + job_.width, job_.y + job_.height};
    DrawFocusRect(context, &frame);
    ReleaseDC(window_, context);
}

void DWM_Label::DrawPending() {
    drawingPending_ = false;
    if (!job_.text.empty()) {
        DrawGlowText(job_);
        DrawFocusFrame();
        return;
    }
    // An empty caption needs no drawing objects: its block is cleared to the background, so
    // that a window shrunk to it keeps nothing of the last caption's glow.
    HDC context = GetDC(window_);
    FillBackground(context, {job_.x, job_.y, job_.x + job_.width, job_.y + job_.height});
    ReleaseDC(window_, context);
}

void DWM_Label::FillBackground(HDC context, const RECT& rect) const {
    // Under high contrast the windows are opaque in the theme's colours, the captions with them.
    const LookSettings& settings = PaintSettings();
    uint32_t colour = settings.highContrast ? settings.background : background_;
    HBRUSH brush = CreateSolidBrush(colour & 0x00FFFFFF);
    FillRect(context, &rect, brush);
    DeleteObject(brush);
}

void DWM_Label::SetBlendTimer(bool running) {
    if (!window_) return;
    // Every redraw reports the state; only a change reaches the system, whose KillTimer is
    // slow under Wine even for a timer that is not running.
    if (running == timerRunning_) return;
    timerRunning_ = running;
    // The fastest period the system allows; each tick redraws the whole caption.
    if (running) {
        SetTimer(window_, kBlendTimerId, USER_TIMER_MINIMUM, nullptr);
    } else {
        KillTimer(window_, kBlendTimerId);
    }
}

void DWM_Label::TrackMouseLeave() {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window_;
    _TrackMouseEvent(&track);
}

void DWM_Label::HookWindow() {
    vantry::InstallSubclass(window_, this);
}
void DWM_Label::UnhookWindow() {
    vantry::RemoveSubclass(window_);
}

// The fade tick arrives as WM_TIMER, which the system hands out only when no other message is
// waiting: by then the waiting messages have run, and pumping again would only cost a round trip
// to the window server (under Wine about as long as the whole redraw).
void DWM_Label::PumpMessages() {}

void DWM_Label::PropertyChanged(const char* name) {
    Raise(onPropertyChanged, name);
}
void DWM_Label::MouseEnter() {
    Raise(onMouseEnter);
}
void DWM_Label::MouseLeave() {
    Raise(onMouseLeave);
}
void DWM_Label::MouseMove(const MouseEventArgs& args) {
    Raise(onMouseMove, args);
}

}  // namespace vantry
