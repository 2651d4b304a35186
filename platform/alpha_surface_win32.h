#pragma once
// A 32-bit top-down bitmap in a memory context, for drawing with per-pixel alpha: GDI leaves the
// alpha of what it draws at 0, which on glass is see-through, so anything meant to be seen there
// is drawn here first, its alpha made right, and copied over with BitBlt (which keeps alpha).

#include <windows.h>

#include <cstdint>

namespace vantry {

// A zero-filled 32-bit top-down DIB section for the context, its pixels in *bits.
HBITMAP CreateTopDownDib(HDC context, int width, int height, uint32_t** bits);

class AlphaSurface {
  public:
    AlphaSurface(int width, int height);  // all pixels 0: transparent
    ~AlphaSurface();
    AlphaSurface(const AlphaSurface&) = delete;
    AlphaSurface& operator=(const AlphaSurface&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    HDC Context() const { return context_; }
    // Premultiplied 0xAARRGGBB, rows top-down.
    uint32_t* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    int width_;
    int height_;
    HDC context_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ replaced_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// Draws the icon at side x side pixels at the surface's top left with its own alpha; an icon
// without an alpha channel is made opaque where its mask covers and transparent elsewhere.
void DrawIconWithAlpha(AlphaSurface& surface, HICON icon, int side);

// Makes what the surface holds look unavailable: grey, and partly see-through, so that it
// reads on a light backdrop and a dark one alike.
void DimSurface(AlphaSurface& surface);

// Lays the surface over an opaque colour (0x00BBGGRR): every pixel comes out opaque.
void FlattenOnto(AlphaSurface& surface, uint32_t colour);

}  // namespace vantry
