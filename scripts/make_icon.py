#!/usr/bin/env python3
"""Draws the program's icon, app/program/vantry.ico: a blue tile with a white V, drawn anew for each
size so that every image sits on whole pixels (a scaled image is blurred at 16 and 20 pixels).
Deterministic: the same script gives the same bytes. Standard library only.

    scripts/make_icon.py [OUT]
"""
import os
import struct
import sys
import zlib

# Per size, in pixels: tile inset and corner radius, the V's stroke, its top and bottom rows and
# half its width at the top, and whether the larger details (outline, gloss, shadow) are drawn.
# Hand-tuned so that the V's stroke edges fall on pixel edges at the small sizes.
LAYOUTS = {
    16: dict(inset=0, radius=3, stroke=2.0, top=3.5, bottom=12.5, half=4.5, detail=False),
    20: dict(inset=1, radius=4, stroke=2.5, top=4.5, bottom=15.0, half=5.5, detail=False),
    24: dict(inset=1, radius=4, stroke=3.0, top=5.5, bottom=18.0, half=6.5, detail=False),
    32: dict(inset=1, radius=6, stroke=4.0, top=7.5, bottom=24.0, half=9.0, detail=True),
    40: dict(inset=2, radius=7, stroke=5.0, top=10.0, bottom=30.0, half=11.0, detail=True),
    48: dict(inset=2, radius=8, stroke=6.0, top=12.0, bottom=36.0, half=13.0, detail=True),
    64: dict(inset=3, radius=11, stroke=8.0, top=16.0, bottom=48.0, half=17.5, detail=True),
    256: dict(inset=12, radius=44, stroke=30.0, top=64.0, bottom=192.0, half=68.0, detail=True),
}
TOP_BLUE = (70, 140, 240)
BOTTOM_BLUE = (24, 76, 176)
OUTLINE = (16, 52, 128)
WHITE = (255, 255, 255)
SHADOW = (8, 30, 80)


def inside_rounded(x, y, lo, hi, radius):
    if not (lo <= x < hi and lo <= y < hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5


def in_v(x, y, size, layout, shift=0.0):
    x -= shift
    y -= shift
    if y < layout["top"]:
        return False  # flat top ends
    centre = size / 2
    half_stroke = layout["stroke"] / 2
    bottom = layout["bottom"] - half_stroke
    for end in (centre - layout["half"], centre + layout["half"]):
        if segment_distance(x, y, end, layout["top"], centre, bottom) <= half_stroke:
            return True
    return False


def over(dst, colour, alpha):
    r, g, b, a = dst
    out_a = alpha + a * (1 - alpha)
    if out_a == 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = [(c * alpha + d * a * (1 - alpha)) / out_a for c, d in zip(colour, (r, g, b))]
    return (mix[0], mix[1], mix[2], out_a)


def draw(size):
    layout = LAYOUTS[size]
    samples = 4 if size > 64 else 8
    lo, hi = layout["inset"], size - layout["inset"]
    radius = layout["radius"]
    ring = max(1.0, size / 48)
    pixels = []
    for row in range(size):
        for col in range(size):
            tile = edge = glyph = shadow = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = col + (sx + 0.5) / samples
                    y = row + (sy + 0.5) / samples
                    if not inside_rounded(x, y, lo, hi, radius):
                        continue
                    tile += 1
                    if layout["detail"] and not inside_rounded(x, y, lo + ring, hi - ring,
                                                               radius - ring):
                        edge += 1
                    if in_v(x, y, size, layout):
                        glyph += 1
                    elif layout["detail"] and in_v(x, y, size, layout, shift=size / 48):
                        shadow += 1
            n = samples * samples
            t = (row + 0.5 - lo) / (hi - lo)
            blue = tuple(a + (b - a) * t for a, b in zip(TOP_BLUE, BOTTOM_BLUE))
            if layout["detail"] and t < 0.45:
                blue = tuple(c + (255 - c) * 0.10 for c in blue)  # gloss on the upper part
            pixel = (0.0, 0.0, 0.0, 0.0)
            if tile:
                pixel = over(pixel, blue, tile / n)
                if edge:
                    pixel = over(pixel, OUTLINE, edge / tile)
                if shadow:
                    pixel = over(pixel, SHADOW, 0.45 * shadow / tile)
                if glyph:
                    pixel = over(pixel, WHITE, glyph / tile)
            pixels.append(tuple(int(round(c)) for c in pixel[:3]) + (int(round(pixel[3] * 255)),))
    return pixels


def bmp_entry(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for row in range(size - 1, -1, -1):  # bottom-up
        rows.append(b"".join(struct.pack("<BBBB", b, g, r, a)
                             for r, g, b, a in pixels[row * size:(row + 1) * size]))
    mask_stride = ((size + 31) // 32) * 4
    mask = []
    for row in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for col in range(size):
            if pixels[row * size + col][3] == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask.append(bytes(bits))
    return header + b"".join(rows) + b"".join(mask)


def png_entry(size, pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in pixels[row * size:(row + 1) * size])
                   for row in range(size))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "app", "program", "vantry.ico")
    sizes = sorted(LAYOUTS)
    # The 256-pixel image as PNG, the rest as 32-bit bitmaps with alpha, as Windows expects.
    images = [png_entry(s, draw(s)) if s == 256 else bmp_entry(s, draw(s)) for s in sizes]
    directory = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                                 offset)
        offset += len(image)
    with open(out, "wb") as f:
        f.write(directory + b"".join(images))


if __name__ == "__main__":
    main()
