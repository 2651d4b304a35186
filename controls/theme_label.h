#pragma once
// The Theme Label's state and arithmetic, free of any window system: properties with their
// change checks and coupling, creation defaults, stored properties, the hover and fade state
// machine, the blended colour and the geometry of the text block. The window side (Win32 in
// theme_label_win32.h) implements ThemeLabelView and forwards its messages here.

#include <cstdint>
#include <string>

#include "controls/stored_properties.h"
#include "platform/glow_text.h"

namespace vantry {

// Button: 1 left, 2 right, 4 middle. Shift: 1 Shift, 2 Ctrl, 4 Alt. Pixels from the top left.
struct MouseEventArgs {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

struct TextExtent {
    double width = 0;
    double height = 0;
};

// What the model asks of its window and the system, and the events it raises to the host.
class ThemeLabelView {
  public:
    virtual void ApplyWindowEnabled(bool enabled) = 0;
    virtual void ApplyWindowFont(const FontDescription& font) = 0;
    virtual void ApplyWindowBackground(uint32_t colour) = 0;
    virtual void ApplyWindowText(const std::string& text) = 0;
    // Extent of one line of text in the window's font, in pixels.
    virtual TextExtent MeasureText(const std::string& text) = 0;
    virtual int ClientHeight() = 0;
    // May re-enter RedrawCaption through the window's resize notification.
    virtual void ResizeWindow(int width, int height) = 0;
    // Free the drawing objects: before a drawing of another size, and at destruction.
    virtual void ReleaseTarget() = 0;
    virtual void ReleaseSurface() = 0;
    virtual void DrawCaption(const CaptionDrawing& drawing) = 0;
    virtual void BlitCaption() = 0;
    // Called at the end of every redraw with the state the fade needs, mostly unchanged.
    virtual void SetBlendTimer(bool running) = 0;
    virtual void TrackMouseLeave() = 0;
    virtual void HookWindow() = 0;
    virtual void UnhookWindow() = 0;
    // Lets the window messages that are waiting run; may re-enter the model.
    virtual void PumpMessages() = 0;

    virtual void PropertyChanged(const char* name) = 0;
    virtual void MouseEnter() = 0;
    virtual void MouseLeave() = 0;
    virtual void MouseMove(const MouseEventArgs& args) = 0;

  protected:
    ~ThemeLabelView() = default;
};

constexpr uint32_t kDefaultGlowColor = 0x00FFFFFF;
constexpr uint32_t kDefaultHoverColor = 0x00764521;
constexpr int kBlendFinished = 255;
// Grey, yet dark enough to keep the readability of black text over any backdrop once the halo
// thins out at the glyphs' edges (a lighter grey measured below 4.5:1 over the worst one).
constexpr uint32_t kDimmedColor = 0x00606060;

// fore at t = 255, hover at t = 0, mixed linearly per channel with ties-to-even rounding.
uint32_t BlendColor(uint32_t fore, uint32_t hover, int t);

class ThemeLabelModel {
  public:
    explicit ThemeLabelModel(ThemeLabelView& view);
    ThemeLabelModel(const ThemeLabelModel&) = delete;
    ThemeLabelModel& operator=(const ThemeLabelModel&) = delete;

    // Creation: applies the defaults through the set operations, then draws once.
    void Create();
    // Re-applies every property when the host window becomes visible, then draws once.
    void Show();
    // Frees the last drawing and unhooks the window.
    void Destroy();

    void SetEnabled(bool value);
    void SetCaption(const std::string& value);
    void SetForeColor(uint32_t value);
    void SetBackColor(uint32_t value);
    void SetGlowColor(uint32_t value);
    void SetHoverColor(uint32_t value);
    void SetUseHover(bool value);
    void SetGlowSize(int16_t value);
    void SetUseBlend(bool value);
    void SetFadeInStep(int16_t value);
    void SetFadeOutStep(int16_t value);
    void SetFont(const FontDescription& value);
    void SetAutoSize(bool value);
    // The DPI the caption is drawn at: its font and glow scale with it. Not a stored property.
    void SetDpi(int dpi);

    bool Enabled() const { return enabled_; }
    const std::string& Caption() const { return caption_; }
    uint32_t ForeColor() const { return foreColor_; }
    uint32_t BackColor() const { return backColor_; }
    uint32_t GlowColor() const { return glowColor_; }
    uint32_t HoverColor() const { return hoverColor_; }
    bool UseHover() const { return useHover_; }
    int16_t GlowSize() const;
    bool UseBlend() const { return useBlend_; }
    int16_t FadeInStep() const;
    int16_t FadeOutStep() const;
    const FontDescription& Font() const { return font_; }
    bool AutoSize() const { return autoSize_; }
    int Dpi() const { return dpi_; }

    bool Ready() const { return ready_; }
    bool Hovered() const { return hovered_; }
    int32_t BlendLevel() const { return blendLevel_; }
    bool Subclassed() const { return subclassed_; }
    // A marked label (the keyboard focus, the current tab) keeps its hover colour at rest.
    void SetMarked(bool value);
    bool Marked() const { return marked_; }
    // A dimmed label (an item whose target is missing) rests in kDimmedColor instead of its
    // fore colour; hover and marks still show.
    void SetDimmed(bool value);
    bool Dimmed() const { return dimmed_; }
    // The colour a redraw would draw with now.
    uint32_t DisplayColor() const;

    void RedrawCaption();
    void Refresh();

    // Window notifications.
    void MouseMoved(const MouseEventArgs& args);
    void MouseLeft();
    void BlendTick();

    void BeginHover();
    void EndHover();

    void SaveStoredProperties(PropertyBag& bag) const;
    void LoadStoredProperties(const PropertyBag& bag);

  private:
    void Notify(const char* name) { view_.PropertyChanged(name); }
    TextExtent CaptionExtent();
    void InstallSubclass();
    void RemoveSubclass();

    ThemeLabelView& view_;

    bool enabled_ = false;
    std::string caption_;
    uint32_t foreColor_ = 0;
    uint32_t backColor_ = 0;
    uint32_t glowColor_ = 0;
    uint32_t hoverColor_ = 0;
    bool useHover_ = false;
    float glowSize_ = 0;
    bool autoSize_ = false;
    bool useBlend_ = false;
    float fadeInStep_ = 0;
    float fadeOutStep_ = 0;
    FontDescription font_;  // the window's font; a new window starts with Tahoma 8.25
    int dpi_ = 96;
    bool ready_ = false;
    bool hovered_ = false;
    bool marked_ = false;
    bool dimmed_ = false;
    int32_t blendLevel_ = kBlendFinished;
    bool subclassed_ = false;
    bool inTick_ = false;
    // The last measurement and drawing, so redraws of an unchanged caption skip that work.
    bool measured_ = false;
    std::string measuredCaption_;
    FontDescription measuredFont_;
    TextExtent measuredExtent_;
    int drawnWidth_ = -1;
    int drawnHeight_ = -1;
};

}  // namespace vantry
