#include "platform/glow_halo.h"

#include <algorithm>

namespace vantry {

namespace {

// One pass of a square max filter along rows (step 1) or columns (step width), widening the
// glyphs so the halo is fully opaque right at their edges.
std::vector<uint8_t> MaxPass(const std::vector<uint8_t>& in, int width, int height, int reach,
                             bool alongRows) {
    std::vector<uint8_t> out(in.size());
    int lines = alongRows ? height : width;
    int length = alongRows ? width : height;
    int stride = alongRows ? 1 : width;
    for (int line = 0; line < lines; ++line) {
        const int base = alongRows ? line * width : line;
        for (int i = 0; i < length; ++i) {
            uint8_t best = 0;
            for (int k = std::max(0, i - reach); k <= std::min(length - 1, i + reach); ++k) {
                best = std::max(best, in[base + k * stride]);
            }
            out[base + i * stride] = best;
        }
    }
    return out;
}

// One pass of a box blur with a running sum; pixels outside the buffer count as zero so the
// halo fades out at the bitmap's edges rather than piling up there.
std::vector<uint8_t> BoxPass(const std::vector<uint8_t>& in, int width, int height, int reach,
                             bool alongRows) {
    std::vector<uint8_t> out(in.size());
    int lines = alongRows ? height : width;
    int length = alongRows ? width : height;
    int stride = alongRows ? 1 : width;
    const int span = 2 * reach + 1;
    for (int line = 0; line < lines; ++line) {
        const int base = alongRows ? line * width : line;
        int sum = 0;
        for (int k = 0; k <= std::min(length - 1, reach); ++k) sum += in[base + k * stride];
        for (int i = 0; i < length; ++i) {
            out[base + i * stride] = static_cast<uint8_t>((sum + span / 2) / span);
            int entering = i + reach + 1;
            int leaving = i - reach;
            if (entering < length) sum += in[base + entering * stride];
            if (leaving >= 0) sum -= in[base + leaving * stride];
        }
    }
    return out;
}

}  // namespace

std::vector<uint8_t> CoverageFromPixels(const uint32_t* pixels, int width, int height) {
    std::vector<uint8_t> coverage(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < coverage.size(); ++i) {
        uint32_t p = pixels[i];
        coverage[i] = static_cast<uint8_t>(std::max({p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF}));
    }
    return coverage;
}

std::vector<uint8_t> HaloAlpha(const std::vector<uint8_t>& coverage, int width, int height,
                               int radius) {
    if (radius <= 0 || width <= 0 || height <= 0) return coverage;
    // Half the radius widens the glyphs, the other half fades: opaque at the glyphs, gone
    // `radius` pixels away.
    const int widen = radius / 2;
    const int fade = radius - widen;
    std::vector<uint8_t> halo = coverage;
    if (widen > 0) {
        halo = MaxPass(halo, width, height, widen, true);
        halo = MaxPass(halo, width, height, widen, false);
    }
    halo = BoxPass(halo, width, height, fade, true);
    halo = BoxPass(halo, width, height, fade, false);
    return halo;
}

void ComposeGlowText(const std::vector<uint8_t>& coverage, int width, int height, int radius,
                     uint32_t colour, uint32_t* out) {
    std::vector<uint8_t> halo = HaloAlpha(coverage, width, height, radius);
    const uint32_t red = colour & 0xFF;
    const uint32_t green = (colour >> 8) & 0xFF;
    const uint32_t blue = (colour >> 16) & 0xFF;
    for (size_t i = 0; i < coverage.size(); ++i) {
        const uint32_t c = coverage[i];
        // The white halo, premultiplied, seen through what the glyph leaves uncovered.
        const uint32_t under = (halo[i] * (255 - c) + 127) / 255;
        auto mix = [&](uint32_t channel) { return (channel * c + 127) / 255 + under; };
        out[i] = ((c + under) << 24) | (mix(red) << 16) | (mix(green) << 8) | mix(blue);
    }
}

}  // namespace vantry
