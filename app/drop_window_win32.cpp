#include "app/drop_window_win32.h"

namespace vantry {

namespace {

constexpr int kClientWidth = 3180;
constexpr int kClientHeight = 3105;

}  // namespace

DropWindowWin32::~DropWindowWin32() {
    Close();
}

bool DropWindowWin32::Create(std::function<void(const std::string&)> styleClick,
                             DropIntake& intake) {
    if (!CreateForm(L"VantryDropWindow", L"Drop Here",
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, kClientWidth,
                    kClientHeight)) {
        return false;
    }
    registration_ = std::make_unique<DropRegistration>(hwnd_, intake);
    strip_ = CreateStrip(hwnd_, ChildRect({0, 2610, kClientWidth, 495}));
    CreateCaption(hint_, strip_, ChildRect({0, 0, 4185, 495}),
                  {"Drag items from Explorer to this window", true, false});
    // The style captions sit 480 twips down a strip 495 high: only their top row shows.
    CreateCaption(large_, strip_, ChildRect({0, 480, 1275, 495}), {"Large List", true, false});
    CreateCaption(small_, strip_, ChildRect({2160, 480, 1275, 495}), {"Small List", true, false});
    large_.onClick = [styleClick] { styleClick(kLargeStyle); };
    small_.onClick = [styleClick] { styleClick(kSmallStyle); };
    return true;
}

void DropWindowWin32::Close() {
    registration_.reset();
    if (hwnd_) DestroyForm();
}

void DropWindowWin32::SetVisible(bool visible) {
    if (!hwnd_) return;
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (visible) SetForegroundWindow(hwnd_);
}

LRESULT DropWindowWin32::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            RemoveSubclass(hwnd_);
            registration_.reset();
            DestroyWindow(hwnd_);
            return 0;
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
