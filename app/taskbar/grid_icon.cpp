#include "app/taskbar/grid_icon.h"

#include <cassert>

namespace vantry {

namespace {

void Put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kHeaderSize = 40;  // BITMAPINFOHEADER

// One row of the 1-bit mask, padded to 32 bits as bitmaps are.
std::uint32_t MaskRowBytes(int size) {
    return static_cast<std::uint32_t>((size + 31) / 32 * 4);
}

std::uint32_t ImageBytes(const IconImage& image) {
    const auto side = static_cast<std::uint32_t>(image.size);
    return kHeaderSize + side * side * 4 + MaskRowBytes(image.size) * side;
}

// The bitmap as .ico files hold it: header (height counts colour and mask), rows bottom up in
// blue, green, red, alpha order, then the mask, set where the image is clear.
void PutImage(std::string& out, const IconImage& image) {
    const int side = image.size;
    Put32(out, kHeaderSize);
    Put32(out, static_cast<std::uint32_t>(side));
    Put32(out, static_cast<std::uint32_t>(side * 2));
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, 0);   // no compression
    Put32(out, static_cast<std::uint32_t>(side * side * 4));
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    for (int y = side - 1; y >= 0; --y) {
        for (int x = 0; x < side; ++x)
            Put32(out, image.pixels[static_cast<std::size_t>(y * side + x)]);
    }
    for (int y = side - 1; y >= 0; --y) {
        std::string row(MaskRowBytes(side), '\0');
        for (int x = 0; x < side; ++x) {
            if ((image.pixels[static_cast<std::size_t>(y * side + x)] >> 24) == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            }
        }
        out += row;
    }
}

}  // namespace

IconImage GridImage(int size, const std::vector<IconImage>& quarters) {
    IconImage grid{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), 0)};
    const int half = size / 2;
    for (std::size_t q = 0; q < quarters.size() && q < 4; ++q) {
        const IconImage& quarter = quarters[q];
        assert(quarter.size == half && "a quarter is half the grid's side");
        const int left = q % 2 == 0 ? 0 : half;
        const int top = q < 2 ? 0 : half;
        for (int y = 0; y < half; ++y) {
            for (int x = 0; x < half; ++x) {
                grid.pixels[static_cast<std::size_t>((top + y) * size + left + x)] =
                    quarter.pixels[static_cast<std::size_t>(y * half + x)];
            }
        }
    }
    return grid;
}

std::string IcoFileBytes(const std::vector<IconImage>& images) {
    std::string out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = kDirectorySize + kEntrySize * static_cast<std::uint32_t>(images.size());
    for (const IconImage& image : images) {
        // 256 is written as 0: the entry has one byte for each side.
        const auto side = static_cast<char>(image.size >= 256 ? 0 : image.size);
        out += side;
        out += side;
        out += '\0';  // no palette
        out += '\0';
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, ImageBytes(image));
        Put32(out, offset);
        offset += ImageBytes(image);
    }
    for (const IconImage& image : images) PutImage(out, image);
    return out;
}

}  // namespace vantry
