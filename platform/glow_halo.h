#pragma once
// Our own glow for platforms whose text renderer draws none (Wine's, or any without visual
// styles): from the coverage of the glyphs, a soft white halo of the given radius is built and
// the text is laid over it in its colour. Pixels are premultiplied BGRA, top-down rows, one
// uint32_t per pixel laid out 0xAARRGGBB (the byte order of a 32-bit DIB).
//
// Implemented: coverage, halo (max filter then box blur, integer passes that vectorise), the
// colour-free layers kept between drawings so a colour change redoes only the composite.
// Not yet: nothing.

#include <cstdint>
#include <vector>

namespace vantry {

// Coverage of a white-on-black rendering of the glyphs: the brightest channel of each pixel,
// so sub-pixel (coloured) anti-aliasing counts too.
std::vector<uint8_t> CoverageFromPixels(const uint32_t* pixels, int width, int height);

// Halo opacity for each pixel: full at the glyphs, fading to nothing about `radius` pixels
// away. A radius of 0 or less leaves the halo equal to the coverage.
std::vector<uint8_t> HaloAlpha(const std::vector<uint8_t>& coverage, int width, int height,
                               int radius);

// Everything of a glowing caption that does not depend on its colour. A fade changes only the
// colour, so its ticks reuse these and skip the text rendering and the blur.
struct GlowLayers {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
    // The halo seen through what the glyph leaves uncovered, premultiplied white, with the
    // pixel's alpha: 0xAA000000 | under * 0x010101.
    std::vector<uint32_t> base;
};

// Fills `layers` from the coverage of the glyphs and the halo radius.
void BuildGlowLayers(std::vector<uint8_t> coverage, int width, int height, int radius,
                     GlowLayers& layers);

// The halo's grey level behind text of `colour` (0x00BBGGRR): 255 (white) for dark and middle
// colours, falling to 0 (black) as the colour nears white, so light text stays readable.
uint32_t HaloShade(uint32_t colour);

// Writes the text in `colour` (0x00BBGGRR) over the layers' halo into `out` (width * height).
void ComposeGlowLayers(const GlowLayers& layers, uint32_t colour, uint32_t* out);

// BuildGlowLayers and ComposeGlowLayers in one go.
void ComposeGlowText(const std::vector<uint8_t>& coverage, int width, int height, int radius,
                     uint32_t colour, uint32_t* out);

}  // namespace vantry
