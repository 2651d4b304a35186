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

}  // namespace vantry
