#pragma once
// What the compositor is asked to do for each of the program's windows, from the Windows build,
// the user's app colour mode and high contrast; and the seam through which those settings are
// read and the compositor is called, so tests can play any build and any setting.
//
// Implemented: the decision per kind of window, the calls that take a window from one look to the
// next (only what differs), a keeper per window that re-reads the settings on change messages.
// Not yet: nothing.

#include <cstdint>

#include "platform/subclass.h"

namespace vantry {

// The first builds that document the dark title bar and the system backdrops.
constexpr uint32_t kFirstDarkTitleBarBuild = 22000;
constexpr uint32_t kFirstBackdropBuild = 22621;

// DWMWA_USE_IMMERSIVE_DARK_MODE and DWMWA_SYSTEMBACKDROP_TYPE.
constexpr uint32_t kDarkModeAttribute = 20;
constexpr uint32_t kBackdropAttribute = 38;

enum class WindowKind { List, Drop, Config };

// DWM_SYSTEMBACKDROP_TYPE; Auto is what a window has until asked for anything else.
enum class Backdrop : uint32_t { Auto = 0, None = 1, Mica = 2, Acrylic = 3 };

struct LookSettings {
    uint32_t build = 0;
    bool dark = false;  // the user's apps use the dark colour mode
    bool highContrast = false;
    // The high-contrast theme's window and text colours (0x00BBGGRR); 0 when it is off.
    uint32_t background = 0;
    uint32_t text = 0;

    bool operator==(const LookSettings&) const = default;
};

// What one window has from the compositor. Default: what a new window has.
struct WindowLook {
    bool glass = false;  // frame extended over the whole client area
    bool darkTitleBar = false;
    Backdrop backdrop = Backdrop::Auto;

    bool operator==(const WindowLook&) const = default;
};

WindowLook DecideWindowLook(WindowKind kind, const LookSettings& settings);

// The seam: the system's settings and the compositor's calls.
class DesktopLook {
  public:
    virtual LookSettings ReadSettings() = 0;
    // Extends the frame over the whole client area, or takes it back to the window's edge.
    virtual void ExtendFrame(NativeWindow window, bool wholeClientArea) = 0;
    virtual void SetWindowAttribute(NativeWindow window, uint32_t attribute, uint32_t value) = 0;

  protected:
    ~DesktopLook() = default;
};

// Makes the calls that take a window from `from` to `to`: none when they are equal. The dark
// title bar goes before the backdrop, which takes its tint from it.
void ChangeWindowLook(DesktopLook& desktop, NativeWindow window, const WindowLook& from,
                      const WindowLook& to);

// Keeps one window's look in step with the settings.
class WindowLookKeeper {
  public:
    WindowLookKeeper(DesktopLook& desktop, WindowKind kind) : desktop_(&desktop), kind_(kind) {}

    // Reads the settings and applies what the window lacks. True when the settings differ from
    // those of the last update (always the first time): the window is then to be redrawn.
    bool Update(NativeWindow window);
    // The compositor has dropped what the window had (composition turned off and on): the next
    // update applies the whole look again.
    void Forget() { applied_ = WindowLook{}; }
    const LookSettings& Settings() const { return settings_; }

  private:
    DesktopLook* desktop_;
    WindowKind kind_;
    bool updated_ = false;
    LookSettings settings_;
    WindowLook applied_;
};

}  // namespace vantry
