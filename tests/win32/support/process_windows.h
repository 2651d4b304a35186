#pragma once
// Finding another process's windows from a test or benchmark.

#include <windows.h>

#include <string>
#include <vector>

namespace vantry::test {

// The first top-level window of the process whose class is one of classes (visible ones only,
// unless told otherwise), or null.
inline HWND TopWindowOf(DWORD pid, const std::vector<std::wstring>& classes,
                        bool visibleOnly = true) {
    struct Query {
        DWORD pid;
        const std::vector<std::wstring>& classes;
        bool visibleOnly;
        HWND found;
    } query{pid, classes, visibleOnly, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* q = reinterpret_cast<Query*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != q->pid || (q->visibleOnly && !IsWindowVisible(window))) return TRUE;
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            for (const std::wstring& kind : q->classes) {
                if (kind != name) continue;
                q->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

}  // namespace vantry::test
