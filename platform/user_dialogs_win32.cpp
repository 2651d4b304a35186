#include "platform/user_dialogs_win32.h"

#include <windows.h>

#include "platform/text_win32.h"

namespace vantry {

namespace {

int Show(const std::string& text, UINT type) {
    // A box without an owner leaves the keyboard focus nowhere once it closes (Wine), or with
    // whatever the system picks: give it back to the window that had it.
    HWND focus = GetFocus();
    int answer = MessageBoxW(nullptr, Widen(text).c_str(), Widen(kAppTitle).c_str(),
                             type | MB_TASKMODAL | MB_SETFOREGROUND);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return answer;
}

}  // namespace

void Win32Dialogs::ShowError(const std::string& text) {
    Show(text, MB_OK | MB_ICONERROR);
}

void Win32Dialogs::ShowPlain(const std::string& text) {
    Show(text, MB_OK);
}

bool Win32Dialogs::AskYesNo(const std::string& text) {
    return Show(text, MB_YESNO | MB_DEFBUTTON1) == IDYES;
}

}  // namespace vantry
