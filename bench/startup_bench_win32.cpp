// Start-up to a fully drawn list of 20 items (10 files, 10 folders), from the creation of the
// process, against a floor program in the same run. Each start-up is a fresh process of this
// executable, which runs what Vantry.exe's entry point runs (Program, Start, the message loop)
// until every icon and caption is drawn, then sets an event the parent waits for. The floor is
// the same process start and then a minimal Win32 part that reads the same list file and shows
// the one visible window: 20 icon boxes with the same 20 shell icon look-ups, 25 theme text
// drawings into one existing 32-bit bitmap, 3 more captions, then pumps.
//
// Ours keeps its drawn icons in a cache file in the program folder, as Vantry.exe does. A warm
// start finds the cache an earlier start in the same folder left (the everyday case: the first
// untimed round makes it); a cold start has its cache deleted first and waits for every look-up.
// Either is timed to the moment every caption and icon is drawn; after that, untimed, each start
// of ours runs on until its look-ups have answered and its cache is written, for the next.
//
//   startup_bench                        timings, both list styles, ours warm, the floor and ours
//                                        cold alternating
//   startup_bench profile                where the time of one large start-up goes, per phase
//   startup_bench memory ours|cold|floor one large start-up (ours with a warm or a cold cache),
//                                        then this process's peak memory, once ours has settled
//   startup_bench child ours|cold|floor FOLDER EVENT COUNTER
//                                        one start-up; sets EVENT once drawn (run by the modes
//                                        above)
//
// Lines starting with "result " are read by scripts/bench.

#include <windows.h>
// The headers below need the types of <windows.h> first.
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/drop/drop_target_win32.h"
#include "app/program/program_win32.h"
#include "bench/median.h"
#include "platform/dpi_win32.h"
#include "platform/text_win32.h"
#include "store/path_helpers.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"

namespace {

using vantry::bench::Median;

using namespace vantry;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 11;
constexpr int kClientWidth = 304;  // the large layout at 96 dpi
constexpr int kClientHeight = 726;
constexpr int kRowTop = 32;
constexpr int kRowStep = 32;
constexpr int kBox = 33;
constexpr int kTabCount = 5;
constexpr int kBarCaptions = 3;

// A program folder whose first tab lists 20 items that exist, and the stored list style.
class Scene {
  public:
    explicit Scene(const std::string& style) {
        for (int i = 0; i < kSlotCount; ++i) {
            std::string path = items_.File((i % 2 ? "Folder number " : "Report number ") +
                                           std::to_string(i) + (i % 2 ? "" : ".txt"));
            if (i % 2) {
                CreateDirectoryW(Widen(path).c_str(), nullptr);
            } else {
                test::WriteBytes(path, "x");
            }
            paths.push_back(path);
        }
        std::string list;
        for (const auto& path : paths) list += path + "\r\n";
        test::WriteBytes(program_.File(ListFileName(0)), list);
        test::WriteBytes(program_.File(kStyleFile), style + "\r\n");
    }
    const std::string& Folder() const { return program_.Path(); }

    std::vector<std::string> paths;

  private:
    test::TempFolder program_;
    test::TempFolder items_;
};

// Every pending message, WM_PAINT included, until the queue is empty; a WM_QUIT left by a closed
// program is dropped with the rest.
void PumpUntilIdle() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    GdiFlush();
}

double MicrosecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

std::vector<std::wstring> ReadList(const std::string& folder) {
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(Widen(folder + "\\" + ListFileName(0)).c_str(), GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    char buffer[8192];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(file);
    std::string text(buffer, read);
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        std::string line = text.substr(start, end - start);
        wchar_t wide[MAX_PATH];
        int length = MultiByteToWideChar(CP_ACP, 0, line.c_str(), static_cast<int>(line.size()),
                                         wide, MAX_PATH);
        lines.emplace_back(wide, static_cast<std::size_t>(length));
    }
    return lines;
}

// Phases of one start-up, in microseconds from the process's creation.
class Phases {
  public:
    explicit Phases(std::int64_t createdTicks) : created_(createdTicks) {}
    void Mark(const char* name) { marks_.emplace_back(name, Now()); }
    // Appends "name<TAB>milliseconds since creation" lines to the file.
    void Append(const std::string& path) const {
        std::string lines;
        for (const auto& [name, at] : marks_) {
            lines += std::string(name) + "\t" + std::to_string(Microseconds(at) / 1000) + "\n";
        }
        std::string before = test::ReadBytes(path);
        test::WriteBytes(path, (before == "<absent>" ? "" : before) + lines);
    }
    static std::int64_t Now() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }

  private:
    double Microseconds(std::int64_t ticks) const {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(ticks - created_) * 1e6 /
               static_cast<double>(frequency.QuadPart);
    }
    std::int64_t created_;
    std::vector<std::pair<const char*, std::int64_t>> marks_;
};

// ---- Ours --------------------------------------------------------------------------------------

struct Ours {
    Win32ProgramFolder folder;
    test::RecordingDialogs dialogs;
    Program program{folder, dialogs};
    explicit Ours(const std::string& path) : folder(path) { program.UseIconCache(folder); }
};

bool OursFullyDrawn(Ours& ours, const std::vector<std::wstring>& paths, bool large) {
    ListWindowWin32& list = large ? ours.program.Large() : ours.program.Small();
    if (!IsWindowVisible(list.Window()) || !ours.dialogs.errors.empty()) return false;
    for (int i = 0; i < kSlotCount; ++i) {
        const DWM_Label& caption = list.ItemCaption(i);
        if (!list.ItemIcon(i).Icon() ||
            caption.Caption() != DisplayName(Narrow(paths[static_cast<std::size_t>(i)])) ||
            caption.Job().width <= 0) {
            return false;
        }
    }
    return true;
}

// Start() and the message loop until the list is drawn whole: icons come as their look-ups end.
std::unique_ptr<Ours> StartOurs(const std::string& folder, bool large, Phases* phases) {
    std::vector<std::wstring> paths = ReadList(folder);
    auto ours = std::make_unique<Ours>(folder);
    ours->program.Start();
    if (phases) phases->Mark("windows, captions, requests");
    PumpUntilIdle();
    if (phases) phases->Mark("first paint");
    while (paths.size() == kSlotCount && !OursFullyDrawn(*ours, paths, large)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        PumpUntilIdle();
    }
    if (phases) phases->Mark("last icon drawn");
    return ours;
}

// After the start is drawn: until the look-ups have answered and the cache is written.
bool SettleOurs(Ours& ours, bool large) {
    ListWindowWin32& list = large ? ours.program.Large() : ours.program.Small();
    auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!list.IconsSettled()) {
        if (Clock::now() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpUntilIdle();
    }
    return true;
}

void DeleteCache(const std::string& folder) {
    DeleteFileW(Widen(folder + "\\" + kIconCacheFile).c_str());
}

// ---- The floor -------------------------------------------------------------------------------

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A caption: its part of the parent's bitmap, whose memory DC is in its user data.
LRESULT CALLBACK FloorCaptionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return FloorProc(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rect;
    GetClientRect(hwnd, &rect);
    POINT origin{0, 0};
    MapWindowPoints(hwnd, GetParent(hwnd), &origin, 1);
    auto memory = reinterpret_cast<HDC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    BitBlt(dc, 0, 0, rect.right, rect.bottom, memory, origin.x, origin.y, SRCCOPY);
    EndPaint(hwnd, &ps);
    return 0;
}

// An icon box: its icon, from its user data, on black.
LRESULT CALLBACK FloorIconProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return FloorProc(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    auto icon = reinterpret_cast<HICON>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (icon) DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EndPaint(hwnd, &ps);
    return 0;
}

void RegisterFloorClasses() {
    WNDCLASSW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpfnWndProc = FloorProc;
    wc.lpszClassName = L"FloorList";
    RegisterClassW(&wc);
    wc.lpfnWndProc = FloorCaptionProc;
    wc.lpszClassName = L"FloorCaption";
    RegisterClassW(&wc);
    wc.lpfnWndProc = FloorIconProc;
    wc.lpszClassName = L"FloorIcon";
    RegisterClassW(&wc);
}

class Floor {
  public:
    Floor(const std::string& folder, bool large, Phases* phases) {
        std::vector<std::wstring> paths = ReadList(folder);
        window_ = CreateWindowExW(WS_EX_APPWINDOW, L"FloorList", L"",
                                  WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN, 100, 0, kClientWidth,
                                  kClientHeight, nullptr, nullptr, nullptr, nullptr);
        HDC screen = GetDC(window_);
        memory_ = CreateCompatibleDC(screen);
        ReleaseDC(window_, screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kClientWidth;
        info.bmiHeader.biHeight = -kClientHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        oldBitmap_ = SelectObject(memory_, bitmap_);
        font_ =
            CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        oldFont_ = SelectObject(memory_, font_);
        theme_ = OpenThemeData(window_, L"Window");
        if (phases) phases->Mark("window");

        for (int k = 0; k < kTabCount; ++k) {
            Caption(L"Main |", {48 * k, 0, 48 * k + 60, kBox});
        }
        for (std::size_t i = 0; i < paths.size(); ++i) {
            int top = kRowTop + kRowStep * static_cast<int>(i);
            Caption(Widen(DisplayName(Narrow(paths[i]))), {40, top, 300, top + kBox});
        }
        for (int b = 0; b < kBarCaptions; ++b) {
            CreateWindowExW(0, L"FloorCaption", L"", WS_CHILD | WS_VISIBLE, 88 * b, 708, 80, 17,
                            window_, nullptr, nullptr, memory_);
        }
        if (phases) phases->Mark("captions");
        for (std::size_t i = 0; i < paths.size(); ++i) {
            int top = kRowTop + kRowStep * static_cast<int>(i);
            SHFILEINFOW file{};
            SHGetFileInfoW(paths[i].c_str(), 0, &file, sizeof(file),
                           SHGFI_ICON | (large ? 0 : SHGFI_SMALLICON));
            icons_.push_back(file.hIcon);
            CreateWindowExW(0, L"FloorIcon", L"", WS_CHILD | WS_VISIBLE, 8, top, kBox, kBox,
                            window_, nullptr, nullptr, file.hIcon);
        }
        if (phases) phases->Mark("icons");
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
        PumpUntilIdle();
        if (phases) phases->Mark("first paint");
    }
    ~Floor() {
        DestroyWindow(window_);
        for (HICON icon : icons_) {
            if (icon) DestroyIcon(icon);
        }
        if (theme_) CloseThemeData(theme_);
        SelectObject(memory_, oldFont_);
        SelectObject(memory_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        PumpUntilIdle();
    }
    Floor(const Floor&) = delete;
    Floor& operator=(const Floor&) = delete;

    bool FullyDrawn() const {
        return IsWindowVisible(window_) && drawn_ == kSlotCount + kTabCount &&
               std::count(icons_.begin(), icons_.end(), nullptr) == 0 &&
               icons_.size() == static_cast<std::size_t>(kSlotCount);
    }

  private:
    void Caption(const std::wstring& text, RECT rect) {
        DTTOPTS options{};
        options.dwSize = sizeof(options);
        options.dwFlags = DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED;
        options.crText = RGB(255, 255, 255);
        options.iGlowSize = 8;
        if (SUCCEEDED(DrawThemeTextEx(theme_, memory_, 0, 0, text.c_str(), -1,
                                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, &rect, &options))) {
            ++drawn_;
        }
        CreateWindowExW(0, L"FloorCaption", text.c_str(), WS_CHILD | WS_VISIBLE, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, window_, nullptr,
                        nullptr, memory_);
    }

    HWND window_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    HTHEME theme_ = nullptr;
    std::vector<HICON> icons_;
    int drawn_ = 0;
};

// ---- Modes -------------------------------------------------------------------------------------

// One start-up in this process, timed from the process's creation (the parent's counter reading
// just before it created the process).
int Child(const std::string& who, const std::string& folder, const wchar_t* eventName,
          std::int64_t created, bool profile) {
    const bool ours = who != "floor";
    Phases phases(created);
    phases.Mark("process started");
    bool large = test::ReadBytes(folder + "\\" + kStyleFile) == "large\r\n";
    std::unique_ptr<Ours> program;
    std::unique_ptr<Floor> floor;
    bool drawn;
    if (ours) {
        program = StartOurs(folder, large, profile ? &phases : nullptr);
        drawn = program->dialogs.errors.empty();
    } else {
        floor = std::make_unique<Floor>(folder, large, profile ? &phases : nullptr);
        drawn = floor->FullyDrawn();
    }
    if (!drawn) return 1;
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!event) return 1;
    SetEvent(event);
    CloseHandle(event);
    if (ours && !SettleOurs(*program, large)) return 1;
    if (profile && ours) phases.Mark("looked up, cache kept");
    if (profile) phases.Append(folder + "\\profile-" + who + ".txt");
    return 0;
}

// Runs "child" in a new process of this executable; the microseconds from just before its
// creation to its event, or a negative figure when it failed.
double TimeChild(const char* who, const std::string& folder, bool profile) {
    if (std::strcmp(who, "cold") == 0) DeleteCache(folder);
    static int serial = 0;
    std::wstring eventName = L"VantryStartupBench" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                             std::to_wstring(++serial);
    HANDLE drawn = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::int64_t created = Phases::Now();
    std::wstring command = L"\"" + std::wstring(self) + L"\" child " + Widen(who) + L" \"" +
                           Widen(folder) + L"\" " + eventName + L" " + std::to_wstring(created) +
                           (profile ? L" profile" : L"");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    Clock::time_point start = Clock::now();
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        CloseHandle(drawn);
        return -1;
    }
    HANDLE waits[2] = {drawn, process.hProcess};
    DWORD which = WaitForMultipleObjects(2, waits, FALSE, 60000);
    double us = MicrosecondsSince(start);
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(drawn);
    return which == WAIT_OBJECT_0 ? us : -1;
}

int Timings() {
    for (const char* style : {"large", "small"}) {
        Scene scene(style);
        // The first round of each loads the shell's icon handlers, the fonts and the executable
        // into the system's caches, and leaves ours its icon cache; it is not timed.
        TimeChild("ours", scene.Folder(), false);
        TimeChild("floor", scene.Folder(), false);
        std::vector<double> ours, floor, cold;
        for (int round = 0; round < kRounds; ++round) {
            ours.push_back(TimeChild("ours", scene.Folder(), false));
            floor.push_back(TimeChild("floor", scene.Folder(), false));
            cold.push_back(TimeChild("cold", scene.Folder(), false));
            if (ours.back() < 0 || floor.back() < 0 || cold.back() < 0) {
                std::printf("a %s start-up did not draw its 20 icons and captions\n", style);
                return 1;
            }
        }
        double o = Median(ours), f = Median(floor), c = Median(cold);
        std::printf(
            "%s list, process start to fully drawn: ours %.0f us, floor %.0f us, ratio %.2f; "
            "ours with no cache %.0f us, ratio %.2f (medians of %d; min %.0f / %.0f / %.0f us)\n",
            style, o, f, o / f, c, c / f, kRounds, *std::min_element(ours.begin(), ours.end()),
            *std::min_element(floor.begin(), floor.end()),
            *std::min_element(cold.begin(), cold.end()));
        std::printf("result startup_%s_ours_us %.0f\nresult startup_%s_floor_us %.0f\n", style, o,
                    style, f);
        std::printf("result startup_%s_cold_ours_us %.0f\n", style, c);
    }
    return 0;
}

// Profiled start-ups of each, after one untimed; per phase the median time since the process
// was created and the median time the phase itself took.
int Profile() {
    Scene scene("large");
    TimeChild("ours", scene.Folder(), false);
    TimeChild("floor", scene.Folder(), false);
    const char* const kinds[] = {"ours", "cold", "floor"};
    for (int round = 0; round < kRounds; ++round) {
        for (const char* who : kinds) {
            if (TimeChild(who, scene.Folder(), true) < 0) return 1;
        }
    }
    for (const char* who : kinds) {
        std::string text = test::ReadBytes(scene.Folder() + "\\profile-" + who + ".txt");
        std::vector<std::string> names;
        std::vector<std::vector<double>> at, took;
        std::size_t phase = 0;
        double last = 0;
        for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            std::string line = text.substr(start, end - start);
            std::string name = line.substr(0, line.find('\t'));
            double ms = std::strtod(line.c_str() + line.find('\t') + 1, nullptr);
            if (!names.empty() && name == names[0]) phase = 0;  // the next start-up
            if (phase == 0) last = 0;
            if (phase == names.size()) {
                names.push_back(name);
                at.emplace_back();
                took.emplace_back();
            }
            at[phase].push_back(ms);
            took[phase].push_back(ms - last);
            last = ms;
            ++phase;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::printf("profile %-5s %-28s at %7.1f ms, took %6.1f ms (medians of %zu)\n", who,
                        names[i].c_str(), Median(at[i]), Median(took[i]), at[i].size());
        }
    }
    return 0;
}

int Memory(const std::string& who) {
    const bool ours = who != "floor";
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    std::size_t baseline = counters.WorkingSetSize;
    Scene scene("large");
    // The warm cache comes from a start in a process of its own, which leaves this one's memory
    // as it was.
    if (who == "ours" && TimeChild("ours", scene.Folder(), false) < 0) return 1;
    std::unique_ptr<Ours> program;
    std::unique_ptr<Floor> floor;
    bool drawn;
    if (ours) {
        program = StartOurs(scene.Folder(), true, nullptr);
        drawn = program->dialogs.errors.empty() && SettleOurs(*program, true);
    } else {
        floor = std::make_unique<Floor>(scene.Folder(), true, nullptr);
        drawn = floor->FullyDrawn();
    }
    if (!drawn) {
        std::printf("the start-up did not draw its 20 icons and captions\n");
        return 1;
    }
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    std::printf(
        "%s after start-up: peak working set %zu KiB, peak pagefile %zu KiB (working set "
        "at entry %zu KiB)\n",
        who.c_str(), counters.PeakWorkingSetSize / 1024, counters.PeakPagefileUsage / 1024,
        baseline / 1024);
    std::printf("result memory_%s_peak_ws_kib %zu\nresult memory_%s_peak_pagefile_kib %zu\n",
                who.c_str(), counters.PeakWorkingSetSize / 1024, who.c_str(),
                counters.PeakPagefileUsage / 1024);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // As the program's own entry point does.
    EnableDpiAwareness();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    OleSession ole;
    if (!ole.Initialized()) return 1;
    RegisterFloorClasses();
    if (argc >= 6 && std::strcmp(argv[1], "child") == 0) {
        return Child(argv[2], argv[3], Widen(argv[4]).c_str(), std::strtoll(argv[5], nullptr, 10),
                     argc == 7);
    }
    if (argc == 2 && std::strcmp(argv[1], "profile") == 0) return Profile();
    if (argc == 3 && std::strcmp(argv[1], "memory") == 0) {
        return Memory(argv[2]);
    }
    return Timings();
}
