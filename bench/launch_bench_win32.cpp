// Click to launch: from the click on an item of the real Vantry.exe (a fresh process over a
// program folder of its own, its list drawn) until the item's process runs and Vantry.exe has
// ended, against a floor in the same run: a minimal process that, told to go, only calls
// ShellExecuteEx on the same item and ends. The item is launch_target.exe, which sets an event
// as it starts. Vantry.exe is ..\Vantry.exe and the item is beside this executable.
//
//   launch_bench                         both, alternating
//   launch_bench floor PATH GO READY     the floor (run by the mode above)
//
// Lines starting with "result " are read by scripts/bench.

#include <windows.h>
// The headers below need the types of <windows.h> first.
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/median.h"
#include "platform/text_win32.h"
#include "store/item_files.h"
#include "tests/win32/support/process_windows.h"
#include "tests/win32/support/temp_folder.h"

namespace {

using vantry::bench::Median;

using namespace vantry;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 9;
constexpr wchar_t kTargetEvent[] = L"VantryLaunchBenchTarget";
constexpr DWORD kPatienceMs = 30000;

std::wstring OwnFolder() {
    wchar_t self[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L'\\'));
}

struct Process {
    PROCESS_INFORMATION info{};
    bool Start(std::wstring command, const std::wstring& folder) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &startup, &info) != 0;
    }
    ~Process() {
        if (!info.hProcess) return;
        if (WaitForSingleObject(info.hProcess, kPatienceMs) != WAIT_OBJECT_0) {
            TerminateProcess(info.hProcess, 1);
        }
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
};

// Until the target has started and the process that launched it has ended: microseconds from
// start, or a negative figure when either did not happen in time.
double UntilLaunched(HANDLE target, HANDLE launcher, Clock::time_point start) {
    HANDLE both[2] = {target, launcher};
    if (WaitForMultipleObjects(2, both, TRUE, kPatienceMs) != WAIT_OBJECT_0) return -1;
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

struct FoundBox {
    DWORD pid;
    HWND box = nullptr;
    LONG top = 0;
};

BOOL CALLBACK FindTopBox(HWND child, LPARAM param) {
    auto* found = reinterpret_cast<FoundBox*>(param);
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    RECT rect;
    GetWindowRect(child, &rect);
    if (std::wcscmp(name, L"VantryIconBox") == 0 && (!found->box || rect.top < found->top)) {
        found->box = child;
        found->top = rect.top;
    }
    return TRUE;
}

// One launch through the real program: started, left to draw its list, then its first item
// clicked.
double Ours(const std::wstring& vantry, const std::string& target, HANDLE running) {
    test::TempFolder folder;
    std::string list = target + "\r\n";
    for (int i = 1; i < 20; ++i) {
        std::string item = folder.File("Report number " + std::to_string(i) + ".txt");
        test::WriteBytes(item, "x");
        list += item + "\r\n";
    }
    test::WriteBytes(folder.File(ListFileName(0)), list);
    test::WriteBytes(folder.File(kStyleFile), "large\r\n");
    std::wstring copy = Widen(folder.File("Vantry.exe"));
    if (!CopyFileW(vantry.c_str(), copy.c_str(), FALSE)) return -1;
    Process program;
    if (!program.Start(L"\"" + copy + L"\"", Widen(folder.Path()))) return -1;
    WaitForInputIdle(program.info.hProcess, kPatienceMs);
    FoundBox found{program.info.dwProcessId};
    for (int tries = 0; tries < 300 && !found.box; ++tries) {
        Sleep(10);
        if (HWND shown = test::TopWindowOf(found.pid, {L"VantryLargeList"})) {
            EnumChildWindows(shown, FindTopBox, reinterpret_cast<LPARAM>(&found));
        }
    }
    if (!found.box) return -1;
    Sleep(1500);  // every icon in, nothing left to paint
    // A click that comes while the start-up still runs (a loaded machine) is ignored by the
    // program, as any action during another; it is given again and timed from then.
    for (int attempt = 0; attempt < 5; ++attempt) {
        ResetEvent(running);
        Clock::time_point start = Clock::now();
        PostMessageW(found.box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(found.box, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        if (WaitForSingleObject(running, 3000) == WAIT_OBJECT_0) {
            return UntilLaunched(running, program.info.hProcess, start);
        }
    }
    return -1;
}

double Floor(const std::string& target, HANDLE running) {
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, L"VantryLaunchBenchGo");
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"VantryLaunchBenchReady");
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    Process floor;
    double us = -1;
    if (floor.Start(L"\"" + std::wstring(self) + L"\" floor \"" + Widen(target) +
                        L"\" VantryLaunchBenchGo VantryLaunchBenchReady",
                    L"") &&
        WaitForSingleObject(ready, kPatienceMs) == WAIT_OBJECT_0) {
        ResetEvent(running);
        Clock::time_point start = Clock::now();
        SetEvent(go);
        us = UntilLaunched(running, floor.info.hProcess, start);
    }
    CloseHandle(go);
    CloseHandle(ready);
    return us;
}

int FloorProcess(const wchar_t* path, const wchar_t* goName, const wchar_t* readyName) {
    // As the program's own launch needs: COM on the calling thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, goName);
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, readyName);
    if (!go || !ready) return 1;
    SetEvent(ready);
    WaitForSingleObject(go, kPatienceMs);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC;
    info.lpFile = path;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5 && std::wcscmp(argv[1], L"floor") == 0) {
        return FloorProcess(argv[2], argv[3], argv[4]);
    }
    std::wstring own = OwnFolder();
    std::wstring vantry = own.substr(0, own.find_last_of(L'\\')) + L"\\Vantry.exe";
    std::string target = Narrow(own + L"\\launch_target.exe");
    HANDLE running = CreateEventW(nullptr, TRUE, FALSE, kTargetEvent);
    // One untimed round of each: the executables and the shell's code come into the caches.
    Ours(vantry, target, running);
    Floor(target, running);
    std::vector<double> ours, floor;
    for (int round = 0; round < kRounds; ++round) {
        ours.push_back(Ours(vantry, target, running));
        floor.push_back(Floor(target, running));
        if (ours.back() < 0 || floor.back() < 0) {
            std::printf("a launch did not start its item or did not end\n");
            return 1;
        }
    }
    double o = Median(ours), f = Median(floor);
    std::printf(
        "click to launched and ended: ours %.0f us, floor (ShellExecuteEx and end) %.0f us, "
        "ratio %.2f (median of %d; min %.0f / %.0f us)\n",
        o, f, o / f, kRounds, *std::min_element(ours.begin(), ours.end()),
        *std::min_element(floor.begin(), floor.end()));
    std::printf("result launch_ours_us %.0f\nresult launch_floor_us %.0f\n", o, f);
    return 0;
}
