#include "platform/alpha_surface_win32.h"

#include <algorithm>
#include <vector>

namespace vantry {

AlphaSurface::AlphaSurface(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    context_ = CreateCompatibleDC(nullptr);
    if (!context_) return;
    bitmap_ = CreateTopDownDib(context_, width, height, &bits_);
    if (!bitmap_ || !bits_) return;
    replaced_ = SelectObject(context_, bitmap_);
}

HBITMAP CreateTopDownDib(HDC context, int width, int height, uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows run top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(context, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<uint32_t*>(pixels);  // a new section is zero-filled
    return bitmap;
}

AlphaSurface::~AlphaSurface() {
    if (replaced_) SelectObject(context_, replaced_);
    if (bitmap_) DeleteObject(bitmap_);
    if (context_) DeleteDC(context_);
}

void DrawIconWithAlpha(AlphaSurface& surface, HICON icon, int side) {
    if (!surface.Valid() || !icon) return;
    const int width = surface.Width();
    const int height = surface.Height();
    uint32_t* bits = surface.Bits();
    uint32_t* end = bits + static_cast<size_t>(width) * height;
    DrawIconEx(surface.Context(), 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    GdiFlush();
    // An icon with alpha has blended itself in, alpha included.
    if (std::any_of(bits, end, [](uint32_t p) { return (p >> 24) != 0; })) return;
    // One without: its colours went in with alpha 0. Its mask, ANDed onto white, is black
    // where the icon covers.
    std::vector<uint32_t> colours(bits, end);
    std::fill(bits, end, 0x00FFFFFFu);
    DrawIconEx(surface.Context(), 0, 0, icon, side, side, 0, nullptr, DI_MASK);
    GdiFlush();
    for (size_t i = 0; i < colours.size(); ++i) {
        bits[i] = (bits[i] & 0x00FFFFFFu) == 0 ? (colours[i] | 0xFF000000u) : 0u;
    }
}

void DimSurface(AlphaSurface& surface) {
    if (!surface.Valid()) return;
    // Premultiplied, so the grey and the alpha scale alike. 153 of 255: six tenths of the icon.
    constexpr uint32_t kKeep = 153;
    uint32_t* bits = surface.Bits();
    uint32_t* end = bits + static_cast<size_t>(surface.Width()) * surface.Height();
    GdiFlush();
    for (uint32_t* p = bits; p != end; ++p) {
        uint32_t a = *p >> 24;
        uint32_t r = (*p >> 16) & 0xFF;
        uint32_t g = (*p >> 8) & 0xFF;
        uint32_t b = *p & 0xFF;
        uint32_t grey = (r * 77 + g * 150 + b * 29) >> 8;  // Rec. 601 luma
        grey = grey * kKeep / 255;
        a = a * kKeep / 255;
        *p = (a << 24) | (grey << 16) | (grey << 8) | grey;
    }
}

void FlattenOnto(AlphaSurface& surface, uint32_t colour) {
    if (!surface.Valid()) return;
    const uint32_t under[3] = {(colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF};
    uint32_t* bits = surface.Bits();
    uint32_t* end = bits + static_cast<size_t>(surface.Width()) * surface.Height();
    GdiFlush();
    for (uint32_t* p = bits; p != end; ++p) {
        uint32_t rest = 255 - (*p >> 24);
        uint32_t out = 0xFF000000u;
        for (int c = 0; c < 3; ++c) {  // blue, green, red: from the low byte up
            uint32_t shift = 8u * static_cast<uint32_t>(c);
            uint32_t value = ((*p >> shift) & 0xFF) + under[c] * rest / 255;
            out |= std::min<uint32_t>(value, 255) << shift;
        }
        *p = out;
    }
}

}  // namespace vantry
