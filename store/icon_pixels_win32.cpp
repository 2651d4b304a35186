#include "store/icon_pixels_win32.h"

#include <vector>

namespace vantry {

namespace {

std::size_t PixelBytes(int side) {
    return static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 4;
}

BITMAPINFO TopDown32(int side) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

class Bitmaps {
  public:
    explicit Bitmaps(const ICONINFO& info) : colour_(info.hbmColor), mask_(info.hbmMask) {}
    ~Bitmaps() {
        if (colour_) DeleteObject(colour_);
        if (mask_) DeleteObject(mask_);
    }
    Bitmaps(const Bitmaps&) = delete;
    Bitmaps& operator=(const Bitmaps&) = delete;

  private:
    HBITMAP colour_;
    HBITMAP mask_;
};

bool ReadBits(HDC dc, HBITMAP bitmap, int side, std::string& out) {
    BITMAPINFO info = TopDown32(side);
    out.assign(PixelBytes(side), '\0');
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(side), out.data(), &info, DIB_RGB_COLORS) ==
           side;
}

}  // namespace

std::string IconPixels(HICON icon, int side) {
    ICONINFO info{};
    if (!icon || side <= 0 || !GetIconInfo(icon, &info)) return {};
    Bitmaps owned(info);
    BITMAP colour{};
    // A monochrome icon (no colour bitmap) is rare enough to be looked up every time.
    if (!info.hbmColor || !GetObjectW(info.hbmColor, sizeof(colour), &colour) ||
        colour.bmWidth != side || colour.bmHeight != side) {
        return {};
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return {};
    std::string pixels;
    std::string mask;
    bool read = ReadBits(dc, info.hbmColor, side, pixels);
    bool hasAlpha = false;
    for (std::size_t i = 3; read && i < pixels.size(); i += 4) hasAlpha |= pixels[i] != 0;
    if (read && !hasAlpha) {
        read = info.hbmMask && ReadBits(dc, info.hbmMask, side, mask);
        for (std::size_t i = 0; read && i < pixels.size(); i += 4) {
            bool transparent = mask[i] != 0;  // a set mask bit reads as white
            for (std::size_t c = 0; c < 3; ++c) pixels[i + c] = transparent ? 0 : pixels[i + c];
            pixels[i + 3] = static_cast<char>(transparent ? 0 : 0xff);
        }
    }
    DeleteDC(dc);
    return read ? pixels : std::string();
}

UniqueIcon IconFromPixels(const std::string& pixels, int side) {
    if (side <= 0 || pixels.size() != PixelBytes(side)) return {};
    BITMAPINFO info = TopDown32(side);
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour) return {};
    pixels.copy(static_cast<char*>(bits), pixels.size());
    // The mask agrees with the alpha, for whatever draws the icon without it: rows of whole
    // 16-bit words, a set bit where the pixel is transparent.
    const int stride = (side + 15) / 16 * 2;
    std::vector<BYTE> maskBits(static_cast<std::size_t>(stride) * static_cast<std::size_t>(side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (pixels[(static_cast<std::size_t>(y) * side + x) * 4 + 3] != 0) continue;
            maskBits[static_cast<std::size_t>(y * stride + x / 8)] |=
                static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    HBITMAP mask = CreateBitmap(side, side, 1, 1, maskBits.data());
    ICONINFO icon{TRUE, 0, 0, mask, colour};
    HICON made = mask ? CreateIconIndirect(&icon) : nullptr;
    DeleteObject(colour);
    if (mask) DeleteObject(mask);
    return UniqueIcon(made);
}

}  // namespace vantry
