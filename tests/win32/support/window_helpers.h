#pragma once
// Reading and clicking the program's windows in-process: every caption's text is its window's
// text, and a click is the button's press and release sent to the window.

#include <windows.h>

#include <string>

#include "platform/text_win32.h"

namespace vantry::test {

inline std::string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

// A left click on the window, as its own mouse messages.
inline void Click(HWND window) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

}  // namespace vantry::test
