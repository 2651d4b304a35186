// Cost of one Theme Label redraw (measure, free the last drawing, make the objects, draw with
// glow, copy to the window) next to the floor of one DrawThemeTextEx into a bitmap that already
// exists. Run by hand under Wine or Windows; not part of the test run.

#include <windows.h>
// <uxtheme.h> needs the types of <windows.h> first.
#include <uxtheme.h>

#include <chrono>
#include <cstdio>

#include "controls/theme_label_win32.h"

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

}  // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VantryBenchHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
    vantry::DWM_Label label;
    label.Create(host, 0, 0, 10, 10);
    label.SetCaption("Twenty characters ok");
    double redraw = MicrosecondsPerCall([&] { label.RedrawCaption(); });

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
    std::wstring text = vantry::Utf8ToWide(job.text);
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
    std::printf("RedrawCaption          %8.1f us\n", redraw);
    std::printf("DrawThemeTextEx floor  %8.1f us  ratio %.2f\n", floor, redraw / floor);
    std::printf("DrawTextW floor        %8.1f us  ratio %.2f\n", gdiText, redraw / gdiText);

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
