#include "platform/window_look.h"

namespace vantry {

WindowLook DecideWindowLook(WindowKind kind, const LookSettings& settings) {
    WindowLook look;
    // High contrast paints every window opaque in the theme's colours: a tinted or see-through
    // surface would undo the contrast the user asked for.
    if (settings.highContrast) return look;
    look.glass = kind != WindowKind::Config;
    if (settings.build >= kFirstDarkTitleBarBuild) look.darkTitleBar = settings.dark;
    if (settings.build >= kFirstBackdropBuild) {
        if (kind == WindowKind::List) look.backdrop = Backdrop::Acrylic;
        if (kind == WindowKind::Drop) look.backdrop = Backdrop::Mica;
    }
    return look;
}

void ChangeWindowLook(DesktopLook& desktop, NativeWindow window, const WindowLook& from,
                      const WindowLook& to) {
    if (from.glass != to.glass) desktop.ExtendFrame(window, to.glass);
    if (from.darkTitleBar != to.darkTitleBar) {
        desktop.SetWindowAttribute(window, kDarkModeAttribute, to.darkTitleBar ? 1 : 0);
    }
    if (from.backdrop != to.backdrop) {
        // Back to the system's choice is asked for as "none": the default cannot be set again.
        Backdrop value = to.backdrop == Backdrop::Auto ? Backdrop::None : to.backdrop;
        desktop.SetWindowAttribute(window, kBackdropAttribute, static_cast<uint32_t>(value));
    }
}

bool WindowLookKeeper::Update(NativeWindow window) {
    LookSettings settings = desktop_->ReadSettings();
    bool changed = !updated_ || !(settings == settings_);
    updated_ = true;
    settings_ = settings;
    WindowLook wanted = DecideWindowLook(kind_, settings);
    ChangeWindowLook(*desktop_, window, applied_, wanted);
    applied_ = wanted;
    return changed;
}

}  // namespace vantry
