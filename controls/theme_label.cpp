#include "controls/theme_label.h"

#include "platform/rounding.h"
#include "platform/units.h"

namespace vantry {

namespace {

constexpr const char* kDefaultCaption = "Theme Label";
constexpr float kDefaultGlowSize = 10;
constexpr float kDefaultFadeInStep = 25;
constexpr float kDefaultFadeOutStep = 10;

double Channel(uint32_t colour, int shift) {
    return static_cast<double>((colour >> shift) & 0xFF);
}

}  // namespace

uint32_t BlendColor(uint32_t fore, uint32_t hover, int t) {
    uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
        double h = Channel(hover, shift);
        double c = h + (Channel(fore, shift) - h) * (t / 255.0);
        result |= (static_cast<uint32_t>(RoundToInt16(c)) & 0xFF) << shift;
    }
    return result;
}

ThemeLabelModel::ThemeLabelModel(ThemeLabelView& view) : view_(view) {}

void ThemeLabelModel::Create() {
    ready_ = false;
    subclassed_ = false;
    SetEnabled(true);
    SetCaption(kDefaultCaption);
    SetForeColor(0);
    SetBackColor(0);
    SetGlowColor(kDefaultGlowColor);
    SetHoverColor(kDefaultHoverColor);
    SetUseHover(false);
    SetFadeInStep(static_cast<int16_t>(kDefaultFadeInStep));
    SetFadeOutStep(static_cast<int16_t>(kDefaultFadeOutStep));
    SetGlowSize(static_cast<int16_t>(kDefaultGlowSize));
    SetFont(font_);
    SetAutoSize(true);
    ready_ = true;
    blendLevel_ = kBlendFinished;
    RedrawCaption();
}

void ThemeLabelModel::Show() {
    ready_ = false;
    // Copies: the set operations compare against the very fields passed in.
    SetEnabled(enabled_);
    SetCaption(std::string(caption_));
    SetForeColor(foreColor_);
    SetBackColor(backColor_);
    SetGlowColor(glowColor_);
    SetHoverColor(hoverColor_);
    SetUseHover(useHover_);
    SetGlowSize(GlowSize());
    SetUseBlend(useBlend_);
    SetFadeInStep(FadeInStep());
    SetFadeOutStep(FadeOutStep());
    SetFont(FontDescription(font_));
    ready_ = true;
    RedrawCaption();
}

void ThemeLabelModel::Destroy() {
    view_.ReleaseSurface();
    view_.ReleaseTarget();
    drawnWidth_ = -1;
    drawnHeight_ = -1;
    RemoveSubclass();
}

void ThemeLabelModel::SetEnabled(bool value) {
    enabled_ = value;
    view_.ApplyWindowEnabled(value);
    Notify("Enabled");
}

void ThemeLabelModel::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    view_.ApplyWindowText(caption_);
    Notify("Caption");
    RedrawCaption();
}

void ThemeLabelModel::SetForeColor(uint32_t value) {
    if (value == foreColor_) return;
    foreColor_ = value;
    Notify("ForeColor");
    RedrawCaption();
}

void ThemeLabelModel::SetBackColor(uint32_t value) {
    if (value == backColor_) return;
    backColor_ = value;
    view_.ApplyWindowBackground(value);
    Notify("BackColor");
    Refresh();
}

void ThemeLabelModel::SetGlowColor(uint32_t value) {
    if (value == glowColor_) return;
    glowColor_ = value;
    Notify("GlowColor");
    RedrawCaption();
}

void ThemeLabelModel::SetHoverColor(uint32_t value) {
    if (value == hoverColor_) return;
    hoverColor_ = value;
    Notify("HoverColor");
    RedrawCaption();
}

void ThemeLabelModel::SetUseHover(bool value) {
    // Fading implies hover: switching hover off switches fading off first.
    if (!value) SetUseBlend(false);
    useHover_ = value;
    Notify("UseHover");
    RedrawCaption();
}

void ThemeLabelModel::SetGlowSize(int16_t value) {
    if (static_cast<float>(value) == glowSize_) return;
    glowSize_ = value;
    Notify("GlowSize");
    RedrawCaption();
}

void ThemeLabelModel::SetUseBlend(bool value) {
    if (value) SetUseHover(true);
    useBlend_ = value;
    Notify("UseBlend");
}

void ThemeLabelModel::SetFadeInStep(int16_t value) {
    fadeInStep_ = value;
    Notify("FadeInStep");
}

void ThemeLabelModel::SetFadeOutStep(int16_t value) {
    fadeOutStep_ = value;
    Notify("FadeOutStep");
}

void ThemeLabelModel::SetFont(const FontDescription& value) {
    // Only a new face counts; another size or style of the same face is ignored.
    if (value.face == font_.face) return;
    font_ = value;
    view_.ApplyWindowFont(font_);
    Notify("Font");
    RedrawCaption();
}

void ThemeLabelModel::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    Notify("AutoSize");
    RedrawCaption();
}

int16_t ThemeLabelModel::GlowSize() const {
    return RoundToInt16(glowSize_);
}
int16_t ThemeLabelModel::FadeInStep() const {
    return RoundToInt16(fadeInStep_);
}
int16_t ThemeLabelModel::FadeOutStep() const {
    return RoundToInt16(fadeOutStep_);
}

void ThemeLabelModel::SetMarked(bool value) {
    if (marked_ == value) return;
    marked_ = value;
    RedrawCaption();
}

void ThemeLabelModel::SetDimmed(bool value) {
    if (dimmed_ == value) return;
    dimmed_ = value;
    RedrawCaption();
}

uint32_t ThemeLabelModel::DisplayColor() const {
    const uint32_t rest = dimmed_ ? kDimmedColor : foreColor_;
    if (marked_) return BlendColor(rest, hoverColor_, 0);
    int level = useBlend_ ? blendLevel_ : kBlendFinished;
    int t = hovered_ ? kBlendFinished - level : level;
    return BlendColor(rest, hoverColor_, t);
}

TextExtent ThemeLabelModel::CaptionExtent() {
    // Every fade tick and paint redraws; the text block only changes with caption or font.
    if (!measured_ || measuredCaption_ != caption_ || !(measuredFont_ == font_)) {
        measuredExtent_ = view_.MeasureText(caption_);
        measuredCaption_ = caption_;
        measuredFont_ = font_;
        measured_ = true;
    }
    return measuredExtent_;
}

void ThemeLabelModel::RedrawCaption() {
    if (!ready_) return;
    if (!useBlend_) blendLevel_ = kBlendFinished;

    CaptionDrawing drawing;
    drawing.text = caption_;
    drawing.font = font_;
    drawing.dpi = dpi_;
    // The stored glow size is in pixels at 96 dpi, like the font's points it grows with the DPI.
    drawing.glowSize = static_cast<int16_t>(ScaleFrom96(GlowSize(), dpi_));
    const auto margin = static_cast<int16_t>(2 * drawing.glowSize);
    TextExtent extent = CaptionExtent();
    drawing.width = RoundToInt16(extent.width + margin);
    drawing.height = RoundToInt16(extent.height + margin);
    // A real change of size re-enters this routine from the resize notification; this run
    // then draws once more with its own values.
    if (autoSize_) view_.ResizeWindow(drawing.width, drawing.height);
    drawing.x = 0;
    drawing.y = RoundToInt16(view_.ClientHeight() / 2.0 - drawing.height / 2.0);

    // The window keeps its drawing objects for the next drawing of the same size, so a fade
    // tick only recolours; a new size needs new ones.
    if (drawing.width != drawnWidth_ || drawing.height != drawnHeight_) {
        view_.ReleaseTarget();
        view_.ReleaseSurface();
    }
    drawing.colour = DisplayColor();
    drawing.dimmed = dimmed_;
    view_.DrawCaption(drawing);
    drawnWidth_ = drawing.width;
    drawnHeight_ = drawing.height;
    // Switched once, at the end: no message can be dispatched while this runs, so the fade
    // timer never sees the drawing, and stopping and restarting a system timer is costly.
    view_.SetBlendTimer(blendLevel_ < kBlendFinished);
}

void ThemeLabelModel::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    // The view made its font for the new DPI before this call: the old extent no longer holds.
    measured_ = false;
    RedrawCaption();
}

void ThemeLabelModel::Refresh() {
    if (ready_) view_.BlitCaption();
}

void ThemeLabelModel::MouseMoved(const MouseEventArgs& args) {
    BeginHover();
    view_.MouseMove(args);
}

void ThemeLabelModel::MouseLeft() {
    EndHover();
}

void ThemeLabelModel::BlendTick() {
    // Pumping below can deliver the next timer message; that tick is dropped rather than
    // interleaved with this one.
    if (inTick_) return;
    inTick_ = true;
    view_.PumpMessages();
    float step = hovered_ ? fadeInStep_ : fadeOutStep_;
    blendLevel_ = RoundToInt32(static_cast<double>(blendLevel_) + step);
    if (blendLevel_ >= kBlendFinished) {
        view_.SetBlendTimer(false);
        blendLevel_ = kBlendFinished;
    }
    RedrawCaption();
    inTick_ = false;
}

void ThemeLabelModel::BeginHover() {
    if (hovered_ || !enabled_) return;
    hovered_ = true;
    view_.TrackMouseLeave();
    // 255 minus the level keeps t, so a reversed fade carries on from the colour on screen.
    blendLevel_ = kBlendFinished - blendLevel_;
    RedrawCaption();
    InstallSubclass();
    view_.MouseEnter();
}

void ThemeLabelModel::EndHover() {
    if (!hovered_) return;
    hovered_ = false;
    blendLevel_ = kBlendFinished - blendLevel_;
    RedrawCaption();
    RemoveSubclass();
    view_.MouseLeave();
}

void ThemeLabelModel::InstallSubclass() {
    if (subclassed_) return;
    view_.HookWindow();
    subclassed_ = true;
}

void ThemeLabelModel::RemoveSubclass() {
    if (!subclassed_) return;
    view_.UnhookWindow();
    subclassed_ = false;
}

void ThemeLabelModel::SaveStoredProperties(PropertyBag& bag) const {
    auto writeBool = [&](const char* key, bool value, bool fallback) {
        if (value != fallback) bag.Write(key, value);
    };
    auto writeColour = [&](const char* key, uint32_t value, uint32_t fallback) {
        if (value != fallback) bag.Write(key, static_cast<int32_t>(value));
    };
    auto writeFloat = [&](const char* key, float value, float fallback) {
        if (value != fallback) bag.Write(key, value);
    };
    writeBool("Enabled", enabled_, true);
    if (caption_ != kDefaultCaption) bag.Write("Caption", caption_);
    writeColour("ForeColor", foreColor_, 0);
    writeColour("BackColor", backColor_, 0);
    writeColour("GlowColor", glowColor_, kDefaultGlowColor);
    writeColour("HoverColor", hoverColor_, kDefaultHoverColor);
    writeBool("UseHover", useHover_, false);
    writeFloat("GlowSize", glowSize_, kDefaultGlowSize);
    writeBool("UseBlend", useBlend_, true);
    writeFloat("FadeInStep", fadeInStep_, kDefaultFadeInStep);
    writeFloat("FadeOutStep", fadeOutStep_, kDefaultFadeOutStep);
    // A font never equals its default, which is only a face name.
    bag.Write("Font", font_);
    writeBool("AutoSize", autoSize_, true);
}

void ThemeLabelModel::LoadStoredProperties(const PropertyBag& bag) {
    auto colour = [&](const char* key, uint32_t fallback) {
        return static_cast<uint32_t>(bag.ReadInt(key, static_cast<int32_t>(fallback)));
    };
    enabled_ = bag.ReadBool("Enabled", true);
    caption_ = bag.ReadString("Caption", kDefaultCaption);
    // The window text always mirrors the caption so the window can be read from outside.
    view_.ApplyWindowText(caption_);
    foreColor_ = colour("ForeColor", 0);
    backColor_ = colour("BackColor", 0);
    glowColor_ = colour("GlowColor", kDefaultGlowColor);
    hoverColor_ = colour("HoverColor", kDefaultHoverColor);
    useHover_ = bag.ReadBool("UseHover", false);
    glowSize_ = bag.ReadFloat("GlowSize", kDefaultGlowSize);
    fadeInStep_ = bag.ReadFloat("FadeInStep", kDefaultFadeInStep);
    fadeOutStep_ = bag.ReadFloat("FadeOutStep", kDefaultFadeOutStep);
    useBlend_ = bag.ReadBool("UseBlend", true);
    if (const StoredValue* stored = bag.Find("Font")) {
        if (auto* font = std::get_if<FontDescription>(stored)) {
            font_ = *font;
        } else if (auto* face = std::get_if<std::string>(stored)) {
            font_.face = *face;
        }
        view_.ApplyWindowFont(font_);
    }
    autoSize_ = bag.ReadBool("AutoSize", true);
}

}  // namespace vantry
