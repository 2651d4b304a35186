// The configuration window's labels answering the keyboard, through a comctl32 subclass.

#include "app/config/keyboard_label_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/text_win32.h"

namespace vantry {

namespace {

constexpr UINT_PTR kSubclassId = 1;

bool WantedKey(const MSG* message) {
    if (!message) return false;
    // Space clicks; the arrows do nothing here rather than move the focus to a plain label of the
    // same group, which would show no mark.
    if (message->message == WM_KEYDOWN) {
        return message->wParam == VK_SPACE || message->wParam == VK_LEFT ||
               message->wParam == VK_RIGHT || message->wParam == VK_UP ||
               message->wParam == VK_DOWN;
    }
    return message->message == WM_CHAR && message->wParam == L' ';
}

// The focus rectangle goes round the text, a pixel clear of it where the label has room. It is
// drawn by inverting, so only within what was just painted: elsewhere it is already there.
void DrawFocusMark(HWND label, HRGN painted) {
    if (GetFocus() != label || (SendMessageW(label, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        return;
    }
    RECT client{};
    GetClientRect(label, &client);
    std::wstring text = WindowText(label);
    HDC dc = GetDC(label);
    SelectClipRgn(dc, painted);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT frame = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &frame,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    frame.left = std::max(client.left, frame.left - 1);
    frame.right = std::min(client.right, frame.right + 1);
    frame.top = client.top;
    frame.bottom = client.bottom;
    DrawFocusRect(dc, &frame);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = DefSubclassProc(label, message, wParam, lParam);
            if (WantedKey(reinterpret_cast<const MSG*>(lParam))) code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                SendMessageW(GetParent(label), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
                             reinterpret_cast<LPARAM>(label));
            }
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
            InvalidateRect(label, nullptr, TRUE);
            break;
        case WM_SETTEXT: {
            // The static draws its new text at once, outside WM_PAINT, over the mark.
            LRESULT result = DefSubclassProc(label, message, wParam, lParam);
            InvalidateRect(label, nullptr, TRUE);
            return result;
        }
        case WM_PAINT: {
            HRGN painted = CreateRectRgn(0, 0, 0, 0);
            GetUpdateRgn(label, painted, FALSE);
            LRESULT result = DefSubclassProc(label, message, wParam, lParam);
            DrawFocusMark(label, painted);
            DeleteObject(painted);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(label, LabelProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(label, message, wParam, lParam);
}

}  // namespace

void MakeKeyboardLabel(HWND label) {
    SetWindowSubclass(label, LabelProc, kSubclassId, 0);
    SetLabelTabStop(label, true);
}

void SetLabelTabStop(HWND label, bool stop) {
    LONG_PTR style = GetWindowLongPtrW(label, GWL_STYLE);
    SetWindowLongPtrW(label, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

}  // namespace vantry
