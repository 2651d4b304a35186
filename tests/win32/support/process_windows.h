#pragma once
// Starting a copy of the program and finding another process's windows, from a test or
// benchmark.

#include <windows.h>

#include <string>
#include <vector>

namespace vantry::test {

// A copy of the program started from its own folder, or the current folder given, with the
// arguments given; ended (hard) when the test no longer needs it.
class Started {
  public:
    explicit Started(const std::wstring& exe, std::wstring folder = {},
                     const std::wstring& arguments = {}) {
        std::wstring command = L"\"" + exe + L"\"";
        if (!arguments.empty()) command += L" " + arguments;
        if (folder.empty()) folder = exe.substr(0, exe.find_last_of(L'\\'));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.c_str(), &startup, &process_);
    }
    ~Started() {
        if (!process_.hProcess) return;
        Kill();
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    bool Running() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }
    bool Ended() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }
    // Whether it ended by itself within the time-out, with exit code 0.
    bool EndsCleanly(DWORD timeoutMs) const {
        DWORD code = 1;
        return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(process_.hProcess, &code) && code == 0;
    }
    // Whether it finished starting (waits for input) within the time-out.
    bool Idle(DWORD timeoutMs) const { return WaitForInputIdle(process_.hProcess, timeoutMs) == 0; }
    void Kill() {
        TerminateProcess(process_.hProcess, 9);
        WaitForSingleObject(process_.hProcess, 30000);
    }

  private:
    PROCESS_INFORMATION process_{};
};

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
