#include "platform/message_pump_win32.h"

#include <algorithm>

namespace vantry {

namespace {

// Such a window closes on a thread of its own, which tells this one nothing: looked for again
// this often.
constexpr DWORD kWindowPollMs = 200;

struct WindowQuery {
    const std::vector<HWND>* own;
    bool found = false;
};

BOOL CALLBACK FindOtherWindow(HWND window, LPARAM lParam) {
    auto& query = *reinterpret_cast<WindowQuery*>(lParam);
    DWORD process = 0;
    DWORD thread = GetWindowThreadProcessId(window, &process);
    // Hidden ones (input method, COM and OLE helpers) are the system's, not the user's.
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    // Ours own their tips and marks on this thread. A sheet the shell runs on a thread of its
    // own counts even when it names one of ours as its owner.
    const std::vector<HWND>& own = *query.own;
    if (thread == GetCurrentThreadId() &&
        std::find(own.begin(), own.end(), GetAncestor(window, GA_ROOTOWNER)) != own.end()) {
        return TRUE;
    }
    query.found = true;
    return FALSE;
}

}  // namespace

void PumpPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool OtherWindowOpen(const std::vector<HWND>& own) {
    WindowQuery query{&own};
    EnumWindows(FindOtherWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

void PumpWhileEnding(const std::function<bool()>& waiting, HANDLE event, DWORD pollMs) {
    while (waiting()) {
        MsgWaitForMultipleObjects(event ? 1 : 0, &event, FALSE, pollMs, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void PumpWhileWindowsOpen() {
    PumpWhileEnding([] { return OtherWindowOpen({}); }, nullptr, kWindowPollMs);
}

}  // namespace vantry
