#include "platform/clipboard_win32.h"

#include <windows.h>
// ole2.h needs the types of windows.h first.
#include <ole2.h>

namespace vantry {

bool ClipboardServedHere() {
    DWORD owner = 0;
    if (HWND window = GetClipboardOwner()) GetWindowThreadProcessId(window, &owner);
    return owner == GetCurrentProcessId();
}

void RenderClipboardBeforeEnd() {
    if (ClipboardServedHere()) OleFlushClipboard();
}

}  // namespace vantry
