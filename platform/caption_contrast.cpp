#include "platform/caption_contrast.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vantry {

namespace {

constexpr int kRing = 2;

double Linear(double channel) {
    double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(double red, double green, double blue) {
    return 0.2126 * Linear(red) + 0.7152 * Linear(green) + 0.0722 * Linear(blue);
}

double Ratio(double first, double second) {
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

struct MeanColour {
    double red = 0, green = 0, blue = 0;
    int count = 0;

    void Add(uint32_t colour) {
        red += (colour >> 16) & 0xFF;
        green += (colour >> 8) & 0xFF;
        blue += colour & 0xFF;
        ++count;
    }
    double MeanLuminance() const { return Luminance(red / count, green / count, blue / count); }
};

// Pixels not touched by the glyphs but at most kRing pixels (in x and y) from a touched one.
std::vector<bool> RingAround(const std::vector<uint8_t>& coverage, int width, int height) {
    std::vector<bool> ring(coverage.size(), false);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (coverage[static_cast<size_t>(y) * width + x] == 0) continue;
            for (int ny = std::max(0, y - kRing); ny <= std::min(height - 1, y + kRing); ++ny) {
                for (int nx = std::max(0, x - kRing); nx <= std::min(width - 1, x + kRing); ++nx) {
                    size_t i = static_cast<size_t>(ny) * width + nx;
                    if (coverage[i] == 0) ring[i] = true;
                }
            }
        }
    }
    return ring;
}

}  // namespace

uint32_t CompositeOver(uint32_t pixel, uint32_t backdrop) {
    uint32_t alpha = pixel >> 24;
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t over = (pixel >> shift) & 0xFF;
        uint32_t under = (backdrop >> shift) & 0xFF;
        out |= std::min<uint32_t>(255, over + (under * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

double ContrastRatio(uint32_t first, uint32_t second) {
    auto luminance = [](uint32_t c) {
        return Luminance((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
    };
    return Ratio(luminance(first), luminance(second));
}

double CaptionContrast(const uint32_t* pixels, const std::vector<uint8_t>& coverage, int width,
                       int height, uint32_t backdrop) {
    std::vector<bool> ring = RingAround(coverage, width, height);
    MeanColour glyphs, around;
    for (size_t i = 0; i < coverage.size(); ++i) {
        if (coverage[i] == 255) glyphs.Add(CompositeOver(pixels[i], backdrop));
        if (ring[i]) around.Add(CompositeOver(pixels[i], backdrop));
    }
    if (glyphs.count == 0 || around.count == 0) return 0;
    return Ratio(glyphs.MeanLuminance(), around.MeanLuminance());
}

double WorstCaptionContrast(const uint32_t* pixels, const std::vector<uint8_t>& coverage, int width,
                            int height) {
    constexpr std::array<uint32_t, 4> kBackdrops{0xFFFFFF, 0x000000, 0x808080, 0x0000FF};
    double worst = 21;
    for (uint32_t backdrop : kBackdrops) {
        worst = std::min(worst, CaptionContrast(pixels, coverage, width, height, backdrop));
    }
    return worst;
}

}  // namespace vantry
