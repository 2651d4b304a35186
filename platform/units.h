#pragma once
// Window layouts are given in twips (1/1440 inch). Every conversion between twips and pixels
// goes through these two functions with the DPI of the window concerned; at 96 dpi a pixel is
// exactly 15 twips.

namespace vantry {

constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultDpi = 96;

// Rounded to the nearest pixel (halves away from zero, as MulDiv does).
constexpr int TwipsToPixels(int twips, int dpi) {
    long long scaled = static_cast<long long>(twips) * dpi;
    long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

constexpr int PixelsToTwips(int pixels, int dpi) {
    long long scaled = static_cast<long long>(pixels) * kTwipsPerInch;
    long long half = dpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / dpi : -((-scaled + half) / dpi));
}

}  // namespace vantry
