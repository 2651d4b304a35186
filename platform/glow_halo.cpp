#include "platform/glow_halo.h"

#include <algorithm>
#include <array>

namespace vantry {

namespace {

// Rows [first, last) that hold any coverage; first == last when none does.
struct RowSpan {
    int first = 0;
    int last = 0;
};

RowSpan CoveredRows(const std::vector<uint8_t>& mask, int width, int height) {
    auto rowIsEmpty = [&](int y) {
        const uint8_t* row = &mask[static_cast<size_t>(y) * width];
        return std::all_of(row, row + width, [](uint8_t v) { return v == 0; });
    };
    RowSpan span;
    while (span.first < height && rowIsEmpty(span.first)) ++span.first;
    span.last = height;
    while (span.last > span.first && rowIsEmpty(span.last - 1)) --span.last;
    return span;
}

RowSpan Grow(RowSpan span, int reach, int height) {
    if (span.first == span.last) return span;
    return {std::max(0, span.first - reach), std::min(height, span.last + reach)};
}

// Square max filter, widening the glyphs so the halo is fully opaque right at their edges.
// Each pass runs along whole rows (one shift at a time) so the compiler vectorises it; rows
// out of reach of every glyph stay zero.
std::vector<uint8_t> Widen(const std::vector<uint8_t>& in, int width, int height, int reach,
                           RowSpan covered) {
    std::vector<uint8_t> rows(in.size(), 0);
    for (int y = covered.first; y < covered.last; ++y) {
        const uint8_t* src = &in[static_cast<size_t>(y) * width];
        uint8_t* dst = &rows[static_cast<size_t>(y) * width];
        std::copy(src, src + width, dst);
        for (int k = 1; k <= std::min(reach, width - 1); ++k) {
            for (int x = 0; x < width - k; ++x) dst[x] = std::max(dst[x], src[x + k]);
            for (int x = k; x < width; ++x) dst[x] = std::max(dst[x], src[x - k]);
        }
    }
    std::vector<uint8_t> out(in.size(), 0);
    const RowSpan grown = Grow(covered, reach, height);
    for (int y = grown.first; y < grown.last; ++y) {
        uint8_t* dst = &out[static_cast<size_t>(y) * width];
        const int last = std::min(covered.last - 1, y + reach);
        for (int k = std::max(covered.first, y - reach); k <= last; ++k) {
            const uint8_t* src = &rows[static_cast<size_t>(k) * width];
            for (int x = 0; x < width; ++x) dst[x] = std::max(dst[x], src[x]);
        }
    }
    return out;
}

// Box blur; pixels outside the buffer count as zero so the halo fades out at the bitmap's
// edges rather than piling up there. Row sums fit 16 bits up to a reach of 128, which is why
// the reach is capped there; the column pass keeps running sums per column.
std::vector<uint8_t> Blur(const std::vector<uint8_t>& in, int width, int height, int reach,
                          RowSpan covered) {
    reach = std::min(reach, 128);
    std::vector<uint16_t> rows(in.size(), 0);
    for (int y = covered.first; y < covered.last; ++y) {
        const uint8_t* src = &in[static_cast<size_t>(y) * width];
        uint16_t* dst = &rows[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) dst[x] = src[x];
        for (int k = 1; k <= std::min(reach, width - 1); ++k) {
            for (int x = 0; x < width - k; ++x) dst[x] = static_cast<uint16_t>(dst[x] + src[x + k]);
            for (int x = k; x < width; ++x) dst[x] = static_cast<uint16_t>(dst[x] + src[x - k]);
        }
    }
    std::vector<uint8_t> out(in.size(), 0);
    const RowSpan grown = Grow(covered, reach, height);
    if (grown.first == grown.last) return out;
    // Rounded division by the area as a multiply: the reciprocal rounded up is exact for every
    // sum a reach up to 31 can make, and off by at most one above that.
    const uint64_t area =
        static_cast<uint64_t>(2 * reach + 1) * static_cast<uint64_t>(2 * reach + 1);
    const uint64_t reciprocal = (uint64_t{1} << 32) / area + 1;
    const uint64_t half = area / 2;
    std::vector<uint32_t> sums(static_cast<size_t>(width), 0);
    auto row = [&](int y) -> const uint16_t* {
        if (y < covered.first || y >= covered.last) return nullptr;
        return &rows[static_cast<size_t>(y) * width];
    };
    auto addRow = [&](int y) {
        if (const uint16_t* src = row(y)) {
            for (int x = 0; x < width; ++x) sums[x] += src[x];
        }
    };
    for (int k = grown.first - reach; k < grown.first + reach; ++k) addRow(k);
    for (int y = grown.first; y < grown.last; ++y) {
        addRow(y + reach);
        uint8_t* dst = &out[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            const uint64_t q = ((sums[x] + half) * reciprocal) >> 32;
            dst[x] = static_cast<uint8_t>(std::min<uint64_t>(q, 255));
        }
        if (const uint16_t* src = row(y - reach)) {
            for (int x = 0; x < width; ++x) sums[x] -= src[x];
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
    const RowSpan covered = CoveredRows(coverage, width, height);
    if (widen == 0) return Blur(coverage, width, height, fade, covered);
    return Blur(Widen(coverage, width, height, widen, covered), width, height, fade,
                Grow(covered, widen, height));
}

void BuildGlowLayers(std::vector<uint8_t> coverage, int width, int height, int radius,
                     GlowLayers& layers) {
    std::vector<uint8_t> halo = HaloAlpha(coverage, width, height, radius);
    layers.width = width;
    layers.height = height;
    layers.base.resize(coverage.size());
    for (size_t i = 0; i < coverage.size(); ++i) {
        const uint32_t c = coverage[i];
        const uint32_t under = (halo[i] * (255 - c) + 127) / 255;
        layers.base[i] = ((c + under) << 24) | (under * 0x010101u);
    }
    layers.coverage = std::move(coverage);
}

void ComposeGlowLayers(const GlowLayers& layers, uint32_t colour, uint32_t* out) {
    // The colour's share for each coverage value. A channel's share is at most the coverage
    // and `under` at most 255 minus it, so adding the two never carries into the next channel.
    std::array<uint32_t, 256> share;
    for (uint32_t c = 0; c < 256; ++c) {
        auto mix = [&](int shift) { return (((colour >> shift) & 0xFF) * c + 127) / 255; };
        share[c] = (mix(0) << 16) | (mix(8) << 8) | mix(16);
    }
    // White text on a white halo cannot be read (the hover colour is white): the halo stays
    // white behind dark and middle colours and darkens towards black as the text turns light.
    uint32_t shade = HaloShade(colour);
    const size_t count = layers.coverage.size();
    if (shade == 255) {
        for (size_t i = 0; i < count; ++i) out[i] = layers.base[i] + share[layers.coverage[i]];
        return;
    }
    std::array<uint32_t, 256> shaded;
    for (uint32_t under = 0; under < 256; ++under) {
        shaded[under] = ((under * shade + 127) / 255) * 0x010101u;
    }
    for (size_t i = 0; i < count; ++i) {
        uint32_t base = layers.base[i];
        out[i] = (base & 0xFF000000u) + shaded[base & 0xFF] + share[layers.coverage[i]];
    }
}

uint32_t HaloShade(uint32_t colour) {
    uint32_t red = colour & 0xFF;
    uint32_t green = (colour >> 8) & 0xFF;
    uint32_t blue = (colour >> 16) & 0xFF;
    uint32_t luminance = (299 * red + 587 * green + 114 * blue) / 1000;
    if (luminance <= 128) return 255;
    return 255 - std::min<uint32_t>(255, (luminance - 128) * 2);
}

void ComposeGlowText(const std::vector<uint8_t>& coverage, int width, int height, int radius,
                     uint32_t colour, uint32_t* out) {
    GlowLayers layers;
    BuildGlowLayers(coverage, width, height, radius, layers);
    ComposeGlowLayers(layers, colour, out);
}

}  // namespace vantry
