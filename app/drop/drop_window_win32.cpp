// The drop window on screen: its hint and style captions, its drop target registered for its
// lifetime, and its glass. What a drop or a style click does is the logic's.

#include "app/drop/drop_window_win32.h"

#include "app/window_layouts.h"

namespace vantry {

DropWindowWin32::~DropWindowWin32() {
    Close();
}

bool DropWindowWin32::Create(std::function<void(const std::string&)> styleClick,
                             DropIntake& intake) {
    if (!CreateForm(L"VantryDropWindow", L"Drop Here",
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, kDropClientWidth,
                    kDropClientHeight)) {
        return false;
    }
    registration_ =
        std::make_unique<DropRegistration<DropTarget>>(hwnd_, DropTarget::Create(intake));
    const DropRects rects = DropWindowRects();
    strip_ = CreateStrip(hwnd_, ChildRect(rects.strip));
    CreateCaption(hint_, strip_, ChildRect(rects.hint), Dpi(),
                  {"Drag items from Explorer to this window", true, false});
    CreateCaption(large_, strip_, ChildRect(rects.large), Dpi(), {"Large List", true, false});
    CreateCaption(small_, strip_, ChildRect(rects.small), Dpi(), {"Small List", true, false});
    large_.onClick = [styleClick] { styleClick(kLargeStyle); };
    small_.onClick = [styleClick] { styleClick(kSmallStyle); };
    // Like a dialog: Tab reaches the two style captions through the strip that holds them.
    SetWindowLongPtrW(strip_, GWL_EXSTYLE,
                      GetWindowLongPtrW(strip_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    large_.MakeTabStop();
    small_.MakeTabStop();
    large_.MakeAccessibleButton();
    small_.MakeAccessibleButton();
    return true;
}

bool DropWindowWin32::TranslateDialogMessage(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
}

void DropWindowWin32::LayOutChildren() {
    const DropRects rects = DropWindowRects();
    PlaceChild(strip_, ChildRect(rects.strip));
    for (auto [label, rect] : {std::pair{&hint_, rects.hint}, std::pair{&large_, rects.large},
                               std::pair{&small_, rects.small}}) {
        PlaceChild(label->Window(), ChildRect(rect));
        label->SetDpi(Dpi());
    }
}

void DropWindowWin32::Close() {
    registration_.reset();
    if (hwnd_) DestroyForm();
}

void DropWindowWin32::SetVisible(bool visible) {
    if (!hwnd_) return;
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (!visible) return;
    SetForegroundWindow(hwnd_);
    // The window itself holds the focus until Tab moves it to a caption, so that no caption
    // shows a focus mark before the keyboard is used.
    SetFocus(hwnd_);
}

LRESULT DropWindowWin32::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            RemoveSubclass(hwnd_);
            registration_.reset();
            DestroyWindow(hwnd_);
            return 0;
        case WM_COMMAND:
            // Esc, through the dialog manager: closed as the close box does.
            if (LOWORD(wParam) == IDCANCEL) {
                SendMessageW(hwnd_, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_SHOWWINDOW:
            if (wParam) {
                hint_.Show();
                large_.Show();
                small_.Show();
            }
            break;
        default:
            break;
    }
    return GlassForm::HandleMessage(msg, wParam, lParam);
}

}  // namespace vantry
