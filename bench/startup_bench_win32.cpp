// Start-up to a fully drawn list of 20 items (10 files, 10 folders) against a floor program in
// the same run: Program + Start() until the message queue is empty and every icon and caption is
// set, next to a minimal Win32 part that reads the same list file, creates the same windows
// (the shown list window with its 28 captions and 20 icon boxes, the other list window and the
// drop window hidden with as many children), makes the same 20 shell icon look-ups and 25 theme
// text drawings into one existing 32-bit bitmap, then pumps.
//
//   startup_bench                       timings, both list styles, ours and the floor alternating
//   startup_bench memory ours|floor     one large start-up, then this process's peak memory
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
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/drop_target_win32.h"
#include "app/program_win32.h"
#include "platform/dpi_win32.h"
#include "platform/text_win32.h"
#include "store/path_helpers.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"

namespace {

using namespace vantry;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 15;
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

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// ---- Ours --------------------------------------------------------------------------------------

struct Ours {
    Win32ProgramFolder folder;
    test::RecordingDialogs dialogs;
    Program program{folder, dialogs};
    explicit Ours(const std::string& path) : folder(path) {}
};

std::unique_ptr<Ours> StartOurs(const Scene& scene) {
    auto ours = std::make_unique<Ours>(scene.Folder());
    ours->program.Start();
    PumpUntilIdle();
    return ours;
}

bool OursFullyDrawn(Ours& ours, const Scene& scene, bool large) {
    ListWindowWin32& list = large ? ours.program.Large() : ours.program.Small();
    if (!IsWindowVisible(list.Window()) || !ours.dialogs.errors.empty()) return false;
    for (int i = 0; i < kSlotCount; ++i) {
        const DWM_Label& caption = list.ItemCaption(i);
        if (!list.ItemIcon(i).Icon() || caption.Caption() != DisplayName(scene.paths[i]) ||
            caption.Job().width <= 0) {
            return false;
        }
    }
    return true;
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
    explicit Floor(const std::string& folder) {
        std::vector<std::wstring> paths = ReadList(Widen(folder + "\\" + ListFileName(0)));
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

        for (int k = 0; k < kTabCount; ++k) {
            Caption(L"Main |", {48 * k, 0, 48 * k + 60, kBox});
        }
        for (std::size_t i = 0; i < paths.size(); ++i) {
            int top = kRowTop + kRowStep * static_cast<int>(i);
            SHFILEINFOW file{};
            SHGetFileInfoW(paths[i].c_str(), 0, &file, sizeof(file), SHGFI_ICON);
            icons_.push_back(file.hIcon);
            CreateWindowExW(0, L"FloorIcon", L"", WS_CHILD | WS_VISIBLE, 8, top, kBox, kBox,
                            window_, nullptr, nullptr, file.hIcon);
            Caption(Widen(DisplayName(Narrow(paths[i]))), {40, top, 300, top + kBox});
        }
        for (int b = 0; b < kBarCaptions; ++b) {
            CreateWindowExW(0, L"FloorCaption", L"", WS_CHILD | WS_VISIBLE, 88 * b, 708, 80, 17,
                            window_, nullptr, nullptr, memory_);
        }
        // The program also makes the other list window and the drop window, hidden: the floor
        // creates the same windows, empty.
        hidden_.push_back(HiddenWindow(kSlotCount * 2 + kTabCount + 1 + kBarCaptions));
        hidden_.push_back(HiddenWindow(4));
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
        PumpUntilIdle();
    }
    ~Floor() {
        for (HWND hidden : hidden_) DestroyWindow(hidden);
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
    static HWND HiddenWindow(int children) {
        HWND window = CreateWindowExW(
            WS_EX_APPWINDOW, L"FloorList", L"", WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN, 100, 0,
            kClientWidth, kClientHeight, nullptr, nullptr, nullptr, nullptr);
        for (int i = 0; i < children; ++i) {
            CreateWindowExW(0, L"FloorList", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window,
                            nullptr, nullptr, nullptr);
        }
        return window;
    }

    static std::vector<std::wstring> ReadList(const std::wstring& name) {
        std::vector<std::wstring> lines;
        HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
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
    std::vector<HWND> hidden_;
    int drawn_ = 0;
};

// ---- Modes -------------------------------------------------------------------------------------

int Timings() {
    for (const char* style : {"large", "small"}) {
        Scene scene(style);
        bool large = std::strcmp(style, "large") == 0;
        // The first round of each loads the shell's icon handlers and the fonts; it is not timed.
        StartOurs(scene).reset();
        Floor(scene.Folder()).FullyDrawn();
        std::vector<double> ours, floor;
        for (int round = 0; round < kRounds; ++round) {
            Clock::time_point start = Clock::now();
            std::unique_ptr<Ours> program = StartOurs(scene);
            ours.push_back(MicrosecondsSince(start));
            if (!OursFullyDrawn(*program, scene, large)) {
                std::printf("the %s list did not show its 20 icons and captions\n", style);
                return 1;
            }
            program.reset();
            PumpUntilIdle();

            start = Clock::now();
            auto bare = std::make_unique<Floor>(scene.Folder());
            floor.push_back(MicrosecondsSince(start));
            if (!bare->FullyDrawn()) {
                std::printf("the floor did not draw its 20 icons and 25 captions\n");
                return 1;
            }
            bare.reset();
        }
        double o = Median(ours), f = Median(floor);
        std::printf(
            "%s list, start-up to fully drawn: ours %.0f us, floor %.0f us, ratio %.2f "
            "(median of %d; min %.0f / %.0f us)\n",
            style, o, f, o / f, kRounds, *std::min_element(ours.begin(), ours.end()),
            *std::min_element(floor.begin(), floor.end()));
        std::printf("result startup_%s_ours_us %.0f\nresult startup_%s_floor_us %.0f\n", style, o,
                    style, f);
    }
    return 0;
}

int Memory(bool ours) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    std::size_t baseline = counters.WorkingSetSize;
    Scene scene("large");
    std::unique_ptr<Ours> program;
    std::unique_ptr<Floor> floor;
    bool drawn;
    if (ours) {
        program = StartOurs(scene);
        drawn = OursFullyDrawn(*program, scene, true);
    } else {
        floor = std::make_unique<Floor>(scene.Folder());
        drawn = floor->FullyDrawn();
    }
    if (!drawn) {
        std::printf("the start-up did not draw its 20 icons and captions\n");
        return 1;
    }
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    const char* who = ours ? "ours" : "floor";
    std::printf(
        "%s after start-up: peak working set %zu KiB, peak pagefile %zu KiB (working set "
        "at entry %zu KiB)\n",
        who, counters.PeakWorkingSetSize / 1024, counters.PeakPagefileUsage / 1024,
        baseline / 1024);
    std::printf("result memory_%s_peak_ws_kib %zu\nresult memory_%s_peak_pagefile_kib %zu\n", who,
                counters.PeakWorkingSetSize / 1024, who, counters.PeakPagefileUsage / 1024);
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
    if (argc == 3 && std::strcmp(argv[1], "memory") == 0) {
        return Memory(std::strcmp(argv[2], "ours") == 0);
    }
    return Timings();
}
