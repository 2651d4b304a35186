#pragma once
// A top-level glass window of the program (the drop window and the list windows): black client
// area, hooked into the shared window procedure from creation, its look (glass over the whole
// client area, dark title bar, backdrop, by build and settings) applied on its first activation
// (that WM_ACTIVATE consumed, later ones passed on) and again when the theme, colour mode, high
// contrast or composition really change. Under high contrast it is opaque in the theme's colours.

#include <windows.h>

#include <string>

#include "platform/subclass_win32.h"
#include "platform/units.h"
#include "platform/window_look.h"

namespace vantry {

class GlassForm : public FA_Handler {
  public:
    explicit GlassForm(WindowKind kind);
    virtual ~GlassForm();
    GlassForm(const GlassForm&) = delete;
    GlassForm& operator=(const GlassForm&) = delete;

    HWND Window() const { return hwnd_; }
    // The first activation has applied the look (the glass, unless high contrast is on).
    bool GlassExtended() const { return glassExtended_; }
    // The DPI the window's contents are laid out at: the window's own, or lower where the
    // layout would not fit its monitor's work area at it.
    int Dpi() const { return layoutDpi_; }
    // The window's own DPI: the one it was created at, then the one WM_DPICHANGED brought (the
    // system's GetDpiForWindow may not follow a sent WM_DPICHANGED).
    int MonitorDpi() const { return dpi_; }
    int ToPixels(int twips) const;

    int32_t FA_Handler_WndProc(NativeWindow hwnd, uint32_t uMsg, uintptr_t wParam,
                               intptr_t lParam) override;

  protected:
    // Creates the hidden window with a client area of the given twips, fitted to its monitor,
    // gives it the program's icons and hooks it.
    bool CreateForm(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle,
                    int clientWidthTwips, int clientHeightTwips);
    void DestroyForm();
    // Messages reaching the window's own procedure (after the hook passed them on).
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // A child rectangle in pixels from its twips.
    RECT ChildRect(const TwipsRect& twips) const;
    // Chooses the layout DPI for the monitor that holds `suggested` (the window's monitor when
    // null) and sizes the window to it, at `suggested`'s top left when given.
    void FitToMonitor(const RECT* suggested);
    // After a change of DPI: places and sizes every child again, at Dpi().
    virtual void LayOutChildren() {}
    // WM_DPICHANGED: the window takes the suggested rectangle and lays itself out again,
    // painting once when done. A window placed by its own rule does so here.
    virtual void FollowDpiChange(const RECT& suggested);

    HWND hwnd_ = nullptr;

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // A change of settings, theme or composition: re-reads, and re-applies and redraws only what
    // really changed. rendererChanged: the theme or the composition, which may change the glow.
    void LookChanged(bool rendererChanged);

    WindowLookKeeper look_;
    bool glassExtended_ = false;
    bool drawnWithPlatformGlow_ = false;  // the glow decision the captions were last drawn with
    int dpi_ = kDefaultDpi;
    int layoutDpi_ = kDefaultDpi;
    int clientWidthTwips_ = 0;
    int clientHeightTwips_ = 0;
};

// Holds a window's drawing while its children move and resize, then paints it once, children
// included.
class RedrawOnce {
  public:
    explicit RedrawOnce(HWND window);
    ~RedrawOnce();
    RedrawOnce(const RedrawOnce&) = delete;
    RedrawOnce& operator=(const RedrawOnce&) = delete;

  private:
    HWND window_;
};

// A child area with a black background and no behaviour of its own (the bottom bar, the drop
// window's strip).
HWND CreateStrip(HWND parent, const RECT& pixels);

}  // namespace vantry

#include "controls/theme_label_win32.h"

namespace vantry {

// The stored settings of a caption on a glass window: its text, hover colour white, Tahoma 8.25
// and, for the list windows, hover with fading (the stored default) or, for the drop window,
// without fading.
struct CaptionSettings {
    std::string caption;
    bool autoSize = true;
    bool fade = true;
};

// Creates the label at its pixel rectangle and DPI, loads its stored settings and shows it.
void CreateCaption(DWM_Label& label, HWND parent, const RECT& pixels, int dpi,
                   const CaptionSettings& settings);

// Moves and sizes a child to its pixel rectangle.
void PlaceChild(HWND child, const RECT& pixels);

}  // namespace vantry
