#pragma once
// The desktop's look settings on Win32, and the one place the program reads them from: the
// Windows build (RtlGetVersion, which compatibility shims do not bend), the user's app colour
// mode (AppsUseLightTheme under HKCU\...\Themes\Personalize), high contrast
// (SPI_GETHIGHCONTRAST) with its window and text colours, and the compositor's calls, which are
// loaded from the system folder at run time.

#include <windows.h>

#include "platform/window_look.h"

namespace vantry {

class Win32DesktopLook final : public DesktopLook {
  public:
    LookSettings ReadSettings() override;
    void ExtendFrame(NativeWindow window, bool wholeClientArea) override;
    void SetWindowAttribute(NativeWindow window, uint32_t attribute, uint32_t value) override;
};

// The desktop every window talks to: the system's, or the one a test installed.
DesktopLook& CurrentDesktop();
// Replaces the desktop for a test until the returned scope ends; the settings are read anew.
class ScopedDesktop {
  public:
    explicit ScopedDesktop(DesktopLook& desktop);
    ~ScopedDesktop();
    ScopedDesktop(const ScopedDesktop&) = delete;
    ScopedDesktop& operator=(const ScopedDesktop&) = delete;

  private:
    DesktopLook* previous_;
};

// The settings as last read by any window (read once on first use): what painting follows. High
// contrast is a setting of the whole session, so every window paints by the same values.
const LookSettings& PaintSettings();
// Records settings just read, for PaintSettings.
void PublishSettings(const LookSettings& settings);

// Whether a WM_SETTINGCHANGE or WM_SYSCOLORCHANGE may have changed the settings: high contrast,
// the colour mode ("ImmersiveColorSet", which also comes on locking and elevation prompts, so the
// settings must be compared before anything is redrawn) or the system colours.
bool IsLookSettingChange(UINT msg, WPARAM wParam, LPARAM lParam);

// Fills a rectangle with the background of the program's windows: black (see-through on glass),
// or the high-contrast window colour.
void FillWindowBackground(HDC context, const RECT& rect);

}  // namespace vantry
