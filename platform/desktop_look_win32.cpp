#include "platform/desktop_look_win32.h"

#include <optional>

#include "platform/glass_frame.h"
#include "platform/system_functions_win32.h"

namespace vantry {

namespace {

uint32_t ReadBuildNumber() {
    // RtlGetVersion answers the real version; GetVersionEx answers what a compatibility shim or a
    // missing manifest entry makes of it. ntdll is in every process.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
                                     GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return 0;
    return info.dwBuildNumber;
}

bool AppsUseDarkMode() {
    DWORD light = 1;
    DWORD size = sizeof(light);
    // Absent (before Windows 10 1809, or never chosen): light.
    LSTATUS status = RegGetValueW(
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

DesktopLook* installed = nullptr;
std::optional<LookSettings> published;

}  // namespace

LookSettings Win32DesktopLook::ReadSettings() {
    static const uint32_t build = ReadBuildNumber();  // cannot change while we run
    LookSettings settings;
    settings.build = build;
    settings.dark = AppsUseDarkMode();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON)) {
        settings.highContrast = true;
        settings.background = GetSysColor(COLOR_WINDOW);
        settings.text = GetSysColor(COLOR_WINDOWTEXT);
    }
    return settings;
}

void Win32DesktopLook::ExtendFrame(NativeWindow window, bool wholeClientArea) {
    int16_t margin = wholeClientArea ? -1 : 0;
    ExtendGlassFrame(window, margin, margin, margin, margin);
}

void Win32DesktopLook::SetWindowAttribute(NativeWindow window, uint32_t attribute, uint32_t value) {
    DWORD data = value;
    // Builds that do not know the attribute refuse it; the window keeps its look.
    sys::DwmSetWindowAttribute(static_cast<HWND>(window), attribute, &data, sizeof(data));
}

DesktopLook& CurrentDesktop() {
    static Win32DesktopLook system;
    return installed ? *installed : system;
}

ScopedDesktop::ScopedDesktop(DesktopLook& desktop) : previous_(installed) {
    installed = &desktop;
    published.reset();
}

ScopedDesktop::~ScopedDesktop() {
    installed = previous_;
    published.reset();
}

const LookSettings& PaintSettings() {
    if (!published) published = CurrentDesktop().ReadSettings();
    return *published;
}

void PublishSettings(const LookSettings& settings) {
    published = settings;
}

bool IsLookSettingChange(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOLORCHANGE) return true;
    if (msg != WM_SETTINGCHANGE) return false;
    if (wParam == SPI_SETHIGHCONTRAST) return true;
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    return area && lstrcmpW(area, L"ImmersiveColorSet") == 0;
}

void FillWindowBackground(HDC context, const RECT& rect) {
    const LookSettings& settings = PaintSettings();
    HBRUSH brush = CreateSolidBrush(settings.highContrast ? settings.background : RGB(0, 0, 0));
    FillRect(context, &rect, brush);
    DeleteObject(brush);
}

}  // namespace vantry
