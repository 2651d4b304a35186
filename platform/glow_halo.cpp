#include "platform/glow_halo.h"

#include <algorithm>

namespace vantry {

namespace {

bool RowIsEmpty(const uint8_t* row, int width) {
    for (int x = 0; x < width; ++x) {
        if (row[x]) return false;
    }
    return true;
}

// Square max filter, widening the glyphs so the halo is fully opaque right at their edges.
// Rows without glyphs are skipped; the column pass runs row by row so it vectorises.
std::vector<uint8_t> Widen(const std::vector<uint8_t>& in, int width, int height, int reach) {
    std::vector<uint8_t> rows(in.size(), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = &in[static_cast<size_t>(y) * width];
        if (RowIsEmpty(src, width)) continue;
        uint8_t* dst = &rows[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            uint8_t best = 0;
            const int last = std::min(width - 1, x + reach);
            for (int k = std::max(0, x - reach); k <= last; ++k) best = std::max(best, src[k]);
            dst[x] = best;
        }
    }
    std::vector<uint8_t> out(in.size(), 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* dst = &out[static_cast<size_t>(y) * width];
        const int last = std::min(height - 1, y + reach);
        for (int k = std::max(0, y - reach); k <= last; ++k) {
            const uint8_t* src = &rows[static_cast<size_t>(k) * width];
            for (int x = 0; x < width; ++x) dst[x] = std::max(dst[x], src[x]);
        }
    }
    return out;
}

// Box blur with running sums; pixels outside the buffer count as zero so the halo fades out
// at the bitmap's edges rather than piling up there.
std::vector<uint8_t> Blur(const std::vector<uint8_t>& in, int width, int height, int reach) {
    const int span = 2 * reach + 1;
    std::vector<uint16_t> rows(in.size(), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = &in[static_cast<size_t>(y) * width];
        if (RowIsEmpty(src, width)) continue;
        uint16_t* dst = &rows[static_cast<size_t>(y) * width];
        int sum = 0;
        for (int k = 0; k <= std::min(width - 1, reach); ++k) sum += src[k];
        for (int x = 0; x < width; ++x) {
            dst[x] = static_cast<uint16_t>(sum);
            if (x + reach + 1 < width) sum += src[x + reach + 1];
            if (x - reach >= 0) sum -= src[x - reach];
        }
    }
    std::vector<uint8_t> out(in.size());
    std::vector<uint32_t> sums(static_cast<size_t>(width), 0);
    auto addRow = [&](int y, int sign) {
        const uint16_t* src = &rows[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) sums[x] += static_cast<uint32_t>(sign * src[x]);
    };
    for (int k = 0; k <= std::min(height - 1, reach); ++k) addRow(k, 1);
    const uint32_t area = static_cast<uint32_t>(span * span);
    for (int y = 0; y < height; ++y) {
        uint8_t* dst = &out[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) dst[x] = static_cast<uint8_t>((sums[x] + area / 2) / area);
        if (y + reach + 1 < height) addRow(y + reach + 1, 1);
        if (y - reach >= 0) addRow(y - reach, -1);
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
    return Blur(widen > 0 ? Widen(coverage, width, height, widen) : coverage, width, height, fade);
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
