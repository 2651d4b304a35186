#pragma once
// The portable half of glowing text: the caption font as plain values and the arithmetic that
// turns it into a platform font record. The drawing itself is in glow_text_win32.h.

#include <cstdint>
#include <string>

namespace vantry {

struct FontDescription {
    std::string face = "Tahoma";  // UTF-8
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;

    bool operator==(const FontDescription&) const = default;
};

// The numeric fields of a LOGFONT made from a font description; everything not listed is 0.
struct LogFontFields {
    int32_t height = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
};

// One drawing of a caption: what the glowing-text service is asked to draw and where (pixels:
// the bitmap's place in the window and its size; the text starts glowSize from its left edge).
struct CaptionDrawing {
    std::string text;     // UTF-8, one line
    uint32_t colour = 0;  // 0x00BBGGRR
    int16_t glowSize = 0;
    FontDescription font;
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
    // The DPI the font's points are made pixels at; glowSize is already in pixels at it.
    int dpi = 96;
    // Drawn as unavailable: where the platform's colours rule (high contrast), its grey text.
    bool dimmed = false;
};

// a * b / c rounded to nearest, halves away from zero, as the platform's MulDiv does; -1 when
// c is 0 (MulDiv's failure value).
int32_t MulDivRounded(int32_t a, int32_t b, int32_t c);

// The point size is first rounded to a whole number with ties to even (8.25 -> 8, 8.5 -> 8,
// 9.5 -> 10), then scaled to the device's pixels per inch and negated (a character height).
LogFontFields ComputeLogFontFields(const FontDescription& font, int pixelsPerInch);

}  // namespace vantry
