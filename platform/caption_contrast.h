#pragma once
// How readable a caption drawn for glass is whatever shows through it: the rendered pixels
// (premultiplied, 0xAARRGGBB as in a 32-bit DIB) are laid over a backdrop, and the mean colour of
// the glyphs' fully covered pixels is compared with the mean colour of the pixels up to two
// pixels around the glyphs, by the contrast ratio of the Web Content Accessibility Guidelines.

#include <cstdint>
#include <vector>

namespace vantry {

// WCAG's level AA for normal text.
constexpr double kReadableContrast = 4.5;

// The pixel as seen over an opaque backdrop (0x00RRGGBB); the result is 0x00RRGGBB.
uint32_t CompositeOver(uint32_t pixel, uint32_t backdrop);

// (L1 + 0.05) / (L2 + 0.05) of the two colours' relative luminances, the lighter one on top;
// from 1 (the same) to 21 (black and white). Colours 0x00RRGGBB.
double ContrastRatio(uint32_t first, uint32_t second);

// `coverage` is the text drawn without glow at the same place (255: fully covered). 0 when no
// pixel is fully covered or none lies around the glyphs.
double CaptionContrast(const uint32_t* pixels, const std::vector<uint8_t>& coverage, int width,
                       int height, uint32_t backdrop);

// The lowest CaptionContrast over white, black, mid grey and a saturated blue: the title-bar
// colours and backdrops a caption may be seen on.
double WorstCaptionContrast(const uint32_t* pixels, const std::vector<uint8_t>& coverage, int width,
                            int height);

}  // namespace vantry
