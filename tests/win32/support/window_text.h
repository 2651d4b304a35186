#pragma once
// A window's text as UTF-8: every caption of the program is its window's text.

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

}  // namespace vantry::test
