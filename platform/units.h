#pragma once
// Window layouts are given in twips (1/1440 inch). Every conversion between twips and pixels
// goes through these functions with the DPI of the window concerned; at 96 dpi a pixel is
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

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;

    bool operator==(const PixelRect&) const = default;
};

// Each edge is converted on its own, never a width: controls that meet in twips meet in pixels
// at every DPI, with neither a gap nor an overlap between them.
constexpr PixelRect ToPixelRect(const TwipsRect& twips, int dpi) {
    return {TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
            TwipsToPixels(twips.left + twips.width, dpi),
            TwipsToPixels(twips.top + twips.height, dpi)};
}

// The DPI to lay a window out at so that it fits the area available to it: its own DPI where
// the client area (in twips) and the frame (in pixels) fit, otherwise the highest lower DPI at
// which they do, so the whole layout shrinks uniformly. Never below 1.
constexpr int FitDpi(int dpi, int clientWidthTwips, int clientHeightTwips, int frameWidth,
                     int frameHeight, int areaWidth, int areaHeight) {
    int fitted = dpi;
    while (fitted > 1 && (TwipsToPixels(clientWidthTwips, fitted) + frameWidth > areaWidth ||
                          TwipsToPixels(clientHeightTwips, fitted) + frameHeight > areaHeight)) {
        --fitted;
    }
    return fitted;
}

// A size given in pixels at 96 dpi (an icon, a glow) at another DPI.
constexpr int ScaleFrom96(int pixels, int dpi) {
    return TwipsToPixels(pixels * (kTwipsPerInch / kDefaultDpi), dpi);
}

}  // namespace vantry
