#pragma once
// A tab's icon: its first four items' icons in a 2x2 grid, at every size the taskbar and the
// file manager ask for, as the bytes of an .ico file.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vantry {

inline constexpr std::array<int, 5> kGridIconSizes{16, 24, 32, 48, 256};

// A square image, top row first, each pixel 0xAARRGGBB (alpha not premultiplied).
struct IconImage {
    int size = 0;
    std::vector<std::uint32_t> pixels;
};

// A size x size image with the quarters (each size / 2 square) in reading order: the first at the
// top left, the second at the top right, then the bottom row. Places without one stay clear.
IconImage GridImage(int size, const std::vector<IconImage>& quarters);

// An .ico file holding the images in the order given, each as a 32-bit bitmap with its mask.
std::string IcoFileBytes(const std::vector<IconImage>& images);

}  // namespace vantry
