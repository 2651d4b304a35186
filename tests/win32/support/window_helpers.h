#pragma once
// Reading and clicking the program's windows in-process: every caption's text is its window's
// text, and a click is the button's press and release sent to the window.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"

namespace vantry::test {

inline std::string WindowText(HWND window) {
    return Narrow(vantry::WindowText(window));
}

// A left click on the window, as its own mouse messages.
inline void Click(HWND window) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// Lets the window messages flow until ready() holds, as the program's own loop would. False when
// it did not come within a minute, a guard that only keeps a broken build from hanging the suite.
inline bool PumpUntil(const std::function<bool()>& ready) {
    DWORD start = GetTickCount();
    while (!ready()) {
        if (GetTickCount() - start > 60000) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpPendingMessages();
    }
    return true;
}

// The width of an icon's image, 0 for none.
inline int IconSide(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

}  // namespace vantry::test
