#pragma once
// Our own glow for platforms whose text renderer draws none (Wine's, or any without visual
// styles): from the coverage of the glyphs, a soft white halo of the given radius is built and
// the text is laid over it in its colour. Pixels are premultiplied BGRA, top-down rows, one
// uint32_t per pixel laid out 0xAARRGGBB (the byte order of a 32-bit DIB).

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

// Writes the text in `colour` (0x00BBGGRR) over a white halo into `out` (width * height pixels).
void ComposeGlowText(const std::vector<uint8_t>& coverage, int width, int height, int radius,
                     uint32_t colour, uint32_t* out);

}  // namespace vantry
