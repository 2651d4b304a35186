// Cost of Theme Label redraws next to the floor of one DrawThemeTextEx into a bitmap that already
// exists: a repaint of an unchanged caption, a fade tick (only the colour changes, the hot path
// of hover fades; measured both by calling the redraw and through the blend timer's own
// message), and a caption change (text rendered and halo blurred again). Run by scripts/bench
// under Wine, or by hand on Windows; not part of the test run. Lines starting with "result "
// are read by scripts/bench.

#include <windows.h>
// <uxtheme.h> needs the types of <windows.h> first.
#include <uxtheme.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "controls/theme_label_win32.h"
#include "platform/text_win32.h"

namespace {

constexpr int kRounds = 3000;

template <typename Body>
double MicrosecondsPerCall(Body body) {
    for (int i = 0; i < kRounds / 10; ++i) body();  // warm caches and the font mapper
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) body();
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / kRounds;
}

// Every tick of a hover fade one step at a time: the timer's message, a full redraw in which only
// the colour changes. When a fade ends the pointer leaves or comes back, untimed, so that the next
// tick fades again.
struct FadeTicks {
    double medianUs = 0;
    int colourChanges = 0;
};

FadeTicks TimeFadeTicks(vantry::DWM_Label& label) {
    constexpr UINT_PTR kBlendTimer = 1;
    label.SetUseHover(true);
    label.SetUseBlend(true);
    label.SetForeColor(RGB(255, 255, 255));
    label.SetHoverColor(RGB(0, 160, 255));
    label.SetFadeInStep(1);
    label.SetFadeOutStep(1);
    HWND window = label.Window();
    std::vector<double> ticks;
    FadeTicks result;
    for (int i = 0; i < kRounds; ++i) {
        if (label.State().BlendLevel() >= vantry::kBlendFinished) {
            if (label.State().Hovered()) {
                SendMessageW(window, WM_MOUSELEAVE, 0, 0);
            } else {
                SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
            }
        }
        uint32_t before = label.State().DisplayColor();
        auto start = std::chrono::steady_clock::now();
        SendMessageW(window, WM_TIMER, kBlendTimer, 0);
        ticks.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        if (label.State().DisplayColor() != before) ++result.colourChanges;
    }
    std::sort(ticks.begin(), ticks.end());
    result.medianUs = ticks[ticks.size() / 2];
    return result;
}

}  // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VantryBenchHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
    // Shown, so every copy reaches the screen rather than an empty visible region.
    ShowWindow(host, SW_SHOWNOACTIVATE);
    UpdateWindow(host);
    vantry::DWM_Label label;
    label.Create(host, 0, 0, 10, 10);
    label.SetCaption("Twenty characters ok");
    double redraw = MicrosecondsPerCall([&] { label.RedrawCaption(); });
    uint32_t shade = 0;
    double fadeTick = MicrosecondsPerCall([&] {
        shade = (shade + 0x010101) & 0x7F7F7F;
        label.SetForeColor(shade);
    });
    // The same letters in another order: as wide as before, so the text is rendered and the
    // halo blurred again but the window keeps its size.
    bool other = false;
    double captionChange = MicrosecondsPerCall([&] {
        other = !other;
        label.SetCaption(other ? "ok Twenty characters" : "Twenty characters ok");
    });
    label.SetCaption("Twenty characters ok");

    const vantry::GlowTextJob& job = label.Job();
    HTHEME theme = OpenThemeData(label.Window(), L"Window");
    HDC window = GetDC(label.Window());
    HDC memory = CreateCompatibleDC(window);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = job.width;
    info.bmiHeader.biHeight = -job.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HFONT font = vantry::CreateThemeFont(job.font, memory);
    HGDIOBJ oldFont = SelectObject(memory, font);
    std::wstring text = vantry::Widen(job.text);
    RECT rect{job.glowSize, 0, job.width, job.height};
    DTTOPTS options{};
    options.dwSize = sizeof(options);
    options.dwFlags = DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED;
    options.iGlowSize = job.glowSize;
    double floor = MicrosecondsPerCall([&] {
        DrawThemeTextEx(theme, memory, 0, 0, text.c_str(), -1,
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, &rect, &options);
    });
    // Without a visual style DrawThemeTextEx returns at once; plain GDI text is the next floor.
    double gdiText = MicrosecondsPerCall([&] {
        DrawTextW(memory, text.c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        GdiFlush();
    });

    std::printf("caption %dx%d, theme handle %s, platform glow %s\n", job.width, job.height,
                theme ? "yes" : "none", vantry::PlatformDrawsGlow() ? "yes" : "no (own halo)");
    std::printf("DrawThemeTextEx floor  %8.1f us\n", floor);
    std::printf("DrawTextW floor        %8.1f us\n", gdiText);
    auto row = [&](const char* name, double value) {
        std::printf("%-22s %8.1f us  ratio %5.2f (DrawThemeTextEx)  %5.2f (DrawTextW)\n", name,
                    value, value / floor, value / gdiText);
    };
    row("RedrawCaption", redraw);
    row("fade tick", fadeTick);
    row("caption change", captionChange);
    FadeTicks fade = TimeFadeTicks(label);
    std::printf(
        "timer fade tick        %8.1f us  ratio %.2f  (median of %d; colour changed in %d)\n",
        fade.medianUs, fade.medianUs / floor, kRounds, fade.colourChanges);
    std::printf(
        "result redraw_us %.1f\nresult fade_tick_us %.1f\nresult timer_fade_tick_us "
        "%.1f\nresult text_floor_us %.1f\n",
        redraw, fadeTick, fade.medianUs, floor);

    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(label.Window(), window);
    if (theme) CloseThemeData(theme);
    DestroyWindow(host);
    return 0;
}
