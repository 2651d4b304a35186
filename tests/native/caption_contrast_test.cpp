#include "platform/caption_contrast.h"

#include <gtest/gtest.h>

#include "platform/glow_halo.h"

namespace vantry {
namespace {

TEST(ContrastRatio, FollowsTheWcagFormula) {
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x0000FF, 0x0000FF), 1.0);
    EXPECT_NEAR(ContrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);  // the lightest AA grey on white
    EXPECT_EQ(CompositeOver(0x80404040, 0x0000FF), 0x4040BFu);   // half-covered, premultiplied
}

// A glyph: a vertical bar three pixels wide with soft edges, in a caption-sized bitmap.
class CaptionContrastTest : public ::testing::Test {
  protected:
    static constexpr int kWidth = 40, kHeight = 24;
    CaptionContrastTest() : coverage(kWidth * kHeight, 0), pixels(coverage.size()) {
        for (int y = 6; y < 18; ++y) {
            coverage[y * kWidth + 15] = 100;
            for (int x = 16; x < 19; ++x) coverage[y * kWidth + x] = 255;
            coverage[y * kWidth + 19] = 100;
        }
    }
    double Worst() { return WorstCaptionContrast(pixels.data(), coverage, kWidth, kHeight); }

    std::vector<uint8_t> coverage;
    std::vector<uint32_t> pixels;
};

TEST_F(CaptionContrastTest, TextWithoutAnOpaqueSurroundingIsUnreadableSomewhere) {
    // Bare black text (a glow that is missing): fine over white, lost over black.
    ComposeGlowText(coverage, kWidth, kHeight, 0, 0x000000, pixels.data());
    EXPECT_GE(CaptionContrast(pixels.data(), coverage, kWidth, kHeight, 0xFFFFFF), 15.0);
    EXPECT_LT(Worst(), 1.5);
    // White text in a faint white glow, as a renderer whose glow cannot be coloured draws it.
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = coverage[i] ? 0xFFFFFFFFu : 0x30303030u;
    }
    EXPECT_LT(Worst(), kReadableContrast);
    // Nothing fully covered: nothing to measure.
    EXPECT_EQ(CaptionContrast(pixels.data(), std::vector<uint8_t>(coverage.size(), 90), kWidth,
                              kHeight, 0),
              0.0);
}

}  // namespace
}  // namespace vantry
