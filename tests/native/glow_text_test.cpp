#include "platform/glow_text.h"

#include <gtest/gtest.h>

#include "platform/glow_halo.h"

namespace vantry {
namespace {

TEST(FontToLogFont, PointSizesRoundToEvenBeforeScaling) {
    FontDescription font;
    font.points = 8.25;
    EXPECT_EQ(ComputeLogFontFields(font, 96).height, -11);
    font.points = 8.5;  // treated as 8
    EXPECT_EQ(ComputeLogFontFields(font, 96).height, -11);
    font.points = 9.5;  // treated as 10
    EXPECT_EQ(ComputeLogFontFields(font, 96).height, -13);
    font.points = 12;
    font.bold = true;
    LogFontFields bold = ComputeLogFontFields(font, 96);
    EXPECT_EQ(bold.height, -16);
    EXPECT_EQ(bold.weight, 700);
    EXPECT_EQ(ComputeLogFontFields(font, 144).height, -24);
}

TEST(FontToLogFont, StylesBecomeFlagsAndCharsetIsKept) {
    FontDescription font;
    font.italic = true;
    font.strikethrough = true;
    font.charset = 204;
    LogFontFields fields = ComputeLogFontFields(font, 96);
    EXPECT_EQ(fields.weight, 400);
    EXPECT_EQ(fields.italic, 0xFF);
    EXPECT_EQ(fields.underline, 0);
    EXPECT_EQ(fields.strikeOut, 0xFF);
    EXPECT_EQ(fields.charSet, 204);
}

TEST(MulDivRounded, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDivRounded(8, 96, 72), 11);  // 10.67
    EXPECT_EQ(MulDivRounded(3, 1, 2), 2);
    EXPECT_EQ(MulDivRounded(-3, 1, 2), -2);
    EXPECT_EQ(MulDivRounded(1, 1, 0), -1);
}

// A single covered pixel in the middle of a 31 x 31 mask.
class HaloTest : public ::testing::Test {
  protected:
    static constexpr int kSide = 31;
    static constexpr int kCentre = 15;
    HaloTest() : mask(kSide * kSide, 0) { mask[kCentre * kSide + kCentre] = 255; }
    std::vector<uint8_t> mask;
};

TEST_F(HaloTest, HaloIsOpaqueAtTheGlyphAndFadesToNothingAtTheRadius) {
    std::vector<uint8_t> halo = HaloAlpha(mask, kSide, kSide, 6);
    auto at = [&](int dx, int dy) { return halo[(kCentre + dy) * kSide + kCentre + dx]; };
    EXPECT_EQ(at(0, 0), 255);
    for (int d = 1; d <= 7; ++d) {
        EXPECT_LE(at(d, 0), at(d - 1, 0)) << d;
        EXPECT_EQ(at(d, 0), at(-d, 0)) << d;
        EXPECT_EQ(at(0, d), at(d, 0)) << d;
    }
    EXPECT_GT(at(6, 0), 0);
    EXPECT_EQ(at(7, 0), 0);
    EXPECT_EQ(at(7, 7), 0);
    EXPECT_EQ(halo[0], 0);
}

TEST_F(HaloTest, ZeroRadiusLeavesOnlyTheGlyph) {
    EXPECT_EQ(HaloAlpha(mask, kSide, kSide, 0), mask);
}

TEST_F(HaloTest, TextColourLiesOverAWhitePremultipliedHalo) {
    std::vector<uint32_t> out(mask.size());
    mask[kCentre * kSide + kCentre + 1] = 128;  // a half-covered edge pixel
    ComposeGlowText(mask, kSide, kSide, 6, 0x00336699, out.data());
    // The glyph: opaque text colour, stored as 0xAARRGGBB.
    EXPECT_EQ(out[kCentre * kSide + kCentre], 0xFF996633u);
    // The edge: half text colour, lit by the white halo behind it, nearly opaque.
    uint32_t edge = out[kCentre * kSide + kCentre + 1];
    EXPECT_GE(edge >> 24, 230u);
    EXPECT_GT((edge >> 16) & 0xFF, (0x99u * 128) / 255 + 100);
    EXPECT_GT(edge & 0xFF, (0x33u * 128) / 255 + 100);
    for (int shift : {0, 8, 16}) EXPECT_LE((edge >> shift) & 0xFF, edge >> 24);
    // Beside the glyph: white, premultiplied (every channel equals the alpha), fading outwards.
    uint32_t near = out[kCentre * kSide + kCentre - 3];
    uint32_t alpha = near >> 24;
    EXPECT_GT(alpha, 0u);
    EXPECT_EQ(near, (alpha << 24) | (alpha << 16) | (alpha << 8) | alpha);
    EXPECT_EQ(out[0], 0u);
}

TEST_F(HaloTest, KeptLayersRecolourExactlyLikeAFreshDrawing) {
    mask[kCentre * kSide + kCentre + 1] = 128;
    GlowLayers layers;
    BuildGlowLayers(mask, kSide, kSide, 6, layers);
    std::vector<uint32_t> kept(mask.size()), fresh(mask.size());
    uint32_t first = 0;
    for (uint32_t colour : {0x00336699u, 0x00FFFFFFu, 0x00000000u}) {
        ComposeGlowLayers(layers, colour, kept.data());
        ComposeGlowText(mask, kSide, kSide, 6, colour, fresh.data());
        EXPECT_EQ(kept, fresh) << std::hex << colour;
        if (colour == 0x00336699u) first = kept[kCentre * kSide + kCentre];
    }
    // Only the colour moved: the glyph changed, the halo beside it did not.
    EXPECT_NE(kept[kCentre * kSide + kCentre], first);
    ComposeGlowLayers(layers, 0x00336699u, fresh.data());
    EXPECT_EQ(kept[kCentre * kSide + kCentre - 3], fresh[kCentre * kSide + kCentre - 3]);
}

TEST_F(HaloTest, LightTextGetsADarkHaloSoThatItStaysReadable) {
    EXPECT_EQ(HaloShade(0x00000000), 255u);
    EXPECT_EQ(HaloShade(0x00764521), 255u);  // the default hover colour keeps a white halo
    EXPECT_EQ(HaloShade(0x00FFFFFF), 1u);
    EXPECT_GT(HaloShade(0x00A0A0A0), HaloShade(0x00E0E0E0));
    std::vector<uint32_t> out(mask.size());
    ComposeGlowText(mask, kSide, kSide, 6, 0x00FFFFFF, out.data());
    EXPECT_EQ(out[kCentre * kSide + kCentre], 0xFFFFFFFFu);  // the glyph itself: white
    uint32_t near = out[kCentre * kSide + kCentre - 3];
    EXPECT_GT(near >> 24, 0u);   // the halo is still there, opaque enough to cover glass
    EXPECT_LE(near & 0xFF, 1u);  // but dark behind white text
    EXPECT_LE((near >> 16) & 0xFF, 1u);
}

// Rows and columns are filtered by separate passes; a wide buffer and its transpose must give
// transposed halos, also with glyphs touching the edges.
TEST(HaloAlpha, WideBuffersBlurRowsAndColumnsAlike) {
    constexpr int kWidth = 40, kHeight = 9;
    std::vector<uint8_t> wide(kWidth * kHeight, 0), tall(wide.size(), 0);
    auto set = [&](int x, int y, uint8_t value) {
        wide[y * kWidth + x] = value;
        tall[x * kHeight + y] = value;
    };
    set(20, 4, 255);
    set(0, 0, 200);
    set(39, 8, 90);
    set(7, 8, 30);
    std::vector<uint8_t> wideHalo = HaloAlpha(wide, kWidth, kHeight, 7);
    std::vector<uint8_t> tallHalo = HaloAlpha(tall, kHeight, kWidth, 7);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_EQ(wideHalo[y * kWidth + x], tallHalo[x * kHeight + y]) << x << "," << y;
        }
    }
    // Nine rows are fewer than the halo needs, so even its centre is not opaque; it is the peak.
    EXPECT_GT(wideHalo[4 * kWidth + 20], wideHalo[4 * kWidth + 23]);
    EXPECT_GT(wideHalo[0 * kWidth + 20], 0);  // rows without glyphs still get the halo
    EXPECT_EQ(wideHalo[4 * kWidth + 29], 0);  // beyond the radius of every glyph
}

TEST(CoverageFromPixels, TakesTheBrightestChannel) {
    const uint32_t pixels[] = {0x00000000, 0x00102030, 0x00FF0000, 0xFF000001};
    EXPECT_EQ(CoverageFromPixels(pixels, 2, 2), (std::vector<uint8_t>{0, 0x30, 0xFF, 1}));
}

}  // namespace
}  // namespace vantry
