#include "platform/click_capture_win32.h"

#include <windowsx.h>

#include <cstdlib>

namespace vantry {

namespace {

bool Over(HWND window, LPARAM lParam) {
    RECT client{};
    GetClientRect(window, &client);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

}  // namespace

void ClickCapture::Press(HWND window, LPARAM lParam) {
    pressed_ = true;
    pressedAt_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SetCapture(window);
}

bool ClickCapture::Release(HWND window, LPARAM lParam) {
    if (!pressed_) return false;
    pressed_ = false;
    // Releasing sends WM_CAPTURECHANGED here, which finds the press already ended.
    if (GetCapture() == window) ReleaseCapture();
    return Over(window, lParam);
}

bool ClickCapture::PressedOutside(HWND window, LPARAM lParam) const {
    return pressed_ && !Over(window, lParam);
}

bool ClickCapture::DragStarted(HWND window, LPARAM lParam) {
    if (!pressed_) return false;
    // The distance is on either side of the press point.
    if (std::abs(GET_X_LPARAM(lParam) - pressedAt_.x) <= GetSystemMetrics(SM_CXDRAG) &&
        std::abs(GET_Y_LPARAM(lParam) - pressedAt_.y) <= GetSystemMetrics(SM_CYDRAG)) {
        return false;
    }
    pressed_ = false;
    if (GetCapture() == window) ReleaseCapture();
    return true;
}

}  // namespace vantry
