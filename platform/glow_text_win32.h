#pragma once
// Draws one line of glowing text into a 32-bit top-down bitmap with per-pixel alpha and copies
// it onto a window. The job record keeps every handle the drawing makes and reuses them for the
// next drawing of the same size; its owner frees them (ReleaseTarget / ReleaseSurface of the
// Theme Label) when the size changes, and everything at theme change and destruction.

#include <windows.h>
// <uxtheme.h> needs the types of <windows.h> first.
#include <uxtheme.h>

#include <cstdint>
#include <string>

#include "platform/glow_halo.h"
#include "platform/glow_text.h"

namespace vantry {

// The caller fills the drawing's values (its CaptionDrawing part) and the window.
struct GlowTextJob : CaptionDrawing {
    HWND window = nullptr;

    // Filled by DrawGlowText; zero until then and after the owner frees them.
    HFONT fontHandle = nullptr;
    FontDescription fontHandleFor;   // what fontHandle was made from
    HGDIOBJ replacedFont = nullptr;  // non-zero while fontHandle is selected into memoryContext
    HTHEME styleHandle = nullptr;
    HDC windowContext = nullptr;
    HDC memoryContext = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ replacedBitmap = nullptr;
    uint32_t* bits = nullptr;  // the bitmap's pixels, premultiplied BGRA
    int16_t bitmapWidth = 0;   // the size the bitmap was made with
    int16_t bitmapHeight = 0;
    int windowContextState = 0;  // SaveDC's id, restored before the context goes back
    int memoryContextState = 0;  // saved once when the memory context is made

    // Our own halo of the last text drawn, reused while text, font, glow size and size stay.
    GlowLayers layers;
    std::string layersText;
    FontDescription layersFont;
    int16_t layersGlowSize = -1;

    GlowTextJob() = default;
    // A copy would free every handle twice.
    GlowTextJob(const GlowTextJob&) = delete;
    GlowTextJob& operator=(const GlowTextJob&) = delete;
};

// Makes the platform objects that the job does not hold yet, draws the text (left edge at glowSize,
// centred vertically, single line, "&" drawn as itself) with its glow and copies the bitmap to (x,
// y) on the window. Under high contrast the text is drawn opaque in the theme's colours instead.
void DrawGlowText(GlowTextJob& job);

// Copies the existing bitmap to the window again.
void BlitGlowText(const GlowTextJob& job);

// Free what DrawGlowText made; zero handles are skipped and freed ones zeroed. Target: the window
// context. Surface: the memory context and the bitmap. Kept: the surface and the target, then
// the style handle, the font and our halo, which otherwise carry over to the next drawing (at
// destruction or theme change).
void ReleaseGlowTarget(GlowTextJob& job);
void ReleaseGlowSurface(GlowTextJob& job);
void ReleaseGlowKept(GlowTextJob& job);

// The caption font with its points made pixels at the context's DPI, or at the given DPI.
HFONT CreateThemeFont(const FontDescription& font, HDC context);
HFONT CreateThemeFont(const FontDescription& font, int dpi);
void FontToLogFont(const FontDescription& font, int dpi, LOGFONTW& logFont);

// Whether captions take the visual-style renderer's glow: decided from a probe drawing, on first
// use, by how readable its pixels are over any backdrop. False under Wine, without visual styles
// and wherever the glow is missing or too faint; our own halo is drawn then.
bool PlatformDrawsGlow();
// Decides again after a change of theme or composition, and returns the new decision.
bool RedecidePlatformGlow();

}  // namespace vantry
