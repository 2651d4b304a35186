#pragma once
// The Theme Label as a Win32 child window ("VantryThemeLabel"). Thin: it turns messages into
// calls on ThemeLabelModel and carries out what the model asks of the window (measure, size,
// draw, time, hook). The window text always equals Caption, so captions can be read from outside.

#include <windows.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/stored_properties.h"
#include "controls/theme_label.h"
#include "platform/click_capture_win32.h"
#include "platform/glow_text_win32.h"
#include "platform/push_button_accessible_win32.h"
#include "platform/subclass_win32.h"

namespace vantry {

class DWM_Label final : public FA_Handler, private ThemeLabelView {
  public:
    DWM_Label();
    ~DWM_Label();  // destroys the window
    DWM_Label(const DWM_Label&) = delete;
    DWM_Label& operator=(const DWM_Label&) = delete;

    static void RegisterWindowClass();  // idempotent
    // Creates the child window at pixel coordinates and applies the creation defaults.
    bool Create(HWND parent, int x, int y, int width, int height);
    // Creates the child window from layout data: its stored properties loaded, then shown.
    bool CreateFromLayout(HWND parent, int x, int y, int width, int height,
                          const PropertyBag& stored);
    HWND Window() const { return window_; }

    void SetCaption(const std::string& utf8) { model_.SetCaption(utf8); }
    const std::string& Caption() const { return model_.Caption(); }
    void SetAutoSize(bool value) { model_.SetAutoSize(value); }
    void SetHoverColor(uint32_t value) { model_.SetHoverColor(value); }
    void SetUseHover(bool value) { model_.SetUseHover(value); }
    void SetUseBlend(bool value) { model_.SetUseBlend(value); }
    void SetFont(const FontDescription& font) { model_.SetFont(font); }
    void SetEnabled(bool value) { model_.SetEnabled(value); }
    void SetForeColor(uint32_t value) { model_.SetForeColor(value); }
    void SetBackColor(uint32_t value) { model_.SetBackColor(value); }
    void SetGlowColor(uint32_t value) { model_.SetGlowColor(value); }
    void SetGlowSize(int16_t value) { model_.SetGlowSize(value); }
    void SetFadeInStep(int16_t value) { model_.SetFadeInStep(value); }
    void SetFadeOutStep(int16_t value) { model_.SetFadeOutStep(value); }
    // The DPI of the window the label is laid out in: the font is made again at it, the glow
    // scales and the caption is drawn again (and sized to it, with auto-size). Before creation
    // it sets the DPI the label is made at; without it, that is the screen's.
    void SetDpi(int dpi);

    // Every property and the hover and fade state, read-only.
    const ThemeLabelModel& State() const { return model_; }
    // The last drawing, for checks of what reached the bitmap.
    const GlowTextJob& Job() const { return job_; }

    // The keyboard focus: the caption in its hover colour and the system's focus rectangle
    // around its text.
    void SetFocusMark(bool marked);
    // While held, changes are not drawn as they come (a new text and the resize auto-size makes
    // for it are each a full drawing); the next paint draws them once.
    void HoldDrawing(bool held) { drawingHeld_ = held; }
    // The current tab: the hover colour alone.
    void SetMarked(bool marked) { model_.SetMarked(marked); }
    // Unavailable (an item whose target is missing): grey at rest.
    void SetDimmed(bool dimmed) { model_.SetDimmed(dimmed); }
    // A caption that works like a dialog's button: Tab reaches it (in a window whose messages go
    // through IsDialogMessage), it shows the focus mark while it has the focus, and Enter or
    // Space clicks it.
    void MakeTabStop();
    // A caption that acts as a push button: assistive tools see a push button named by its
    // caption, whose default action "Press" sends BM_CLICK, which clicks it.
    void MakeAccessibleButton() { pushButton_ = true; }

    void Refresh() { model_.Refresh(); }
    void Show() { model_.Show(); }
    void RedrawCaption() { model_.RedrawCaption(); }
    void ReleaseTarget() override;
    void ReleaseSurface() override;

    void SaveStoredProperties(PropertyBag& bag) const { model_.SaveStoredProperties(bag); }
    void LoadStoredProperties(const PropertyBag& bag) { model_.LoadStoredProperties(bag); }

    // Only WM_MOUSELEAVE matters while hooked; every message is passed on.
    int32_t FA_Handler_WndProc(NativeWindow hwnd, uint32_t uMsg, uintptr_t wParam,
                               intptr_t lParam) override;

    std::function<void()> onClick, onDblClick, onMouseEnter, onMouseLeave;
    std::function<void(const MouseEventArgs&)> onMouseDown, onMouseUp, onMouseMove;
    // With a handler, a left press moved beyond the system's drag distance starts a drag here:
    // no Click follows its release. Without one, such a press still clicks if released over it.
    std::function<void()> onDragStart;
    std::function<void(const char* propertyName)> onPropertyChanged;
    // Every other key pressed while the label has the focus (its own are Enter and Space): a
    // host without a dialog manager moves the focus on with it.
    std::function<void(unsigned key)> onKeyDown;

  private:
    bool CreateWindowOnly(HWND parent, int x, int y, int width, int height);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnButton(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void DrawPending();
    void FillBackground(HDC context, const RECT& rect) const;
    void DrawFocusFrame();

    // ThemeLabelView
    void ApplyWindowEnabled(bool enabled) override;
    void ApplyWindowFont(const FontDescription& font) override;
    void ApplyWindowBackground(uint32_t colour) override;
    void ApplyWindowText(const std::string& text) override;
    TextExtent MeasureText(const std::string& text) override;
    int ClientHeight() override;
    void ResizeWindow(int width, int height) override;
    void DrawCaption(const CaptionDrawing& drawing) override;
    void BlitCaption() override;
    void SetBlendTimer(bool running) override;
    void TrackMouseLeave() override;
    void HookWindow() override;
    void UnhookWindow() override;
    void PumpMessages() override;
    void PropertyChanged(const char* name) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(const MouseEventArgs& args) override;

    HWND window_ = nullptr;
    ThemeLabelModel model_;
    GlowTextJob job_;
    HGDIOBJ CaptionFont() const;

    void MakeFont(const FontDescription& font);

    HFONT font_ = nullptr;     // the window's font, owned
    int dpi_ = 0;              // what font_ is made at; 0 until set or created
    FontDescription fontFor_;  // what font_ was made from
    HDC measureContext_ = nullptr;
    HGDIOBJ measureReplacedFont_ = nullptr;
    uint32_t background_ = 0;
    ClickCapture click_;
    bool timerRunning_ = false;
    bool drawingPending_ = false;  // the last drawing was put off while hidden or held
    bool drawingHeld_ = false;
    bool focusFrame_ = false;
    bool pushButton_ = false;
    Microsoft::WRL::ComPtr<PushButtonAccessible> accessible_;  // made on a tool's first ask
};

}  // namespace vantry
