#!/usr/bin/env python3
"""Draws Nevrolt's icon (a globe on a teal tile, with a small wrench-like bar)
and writes it as resources/nevrolt.ico with an image for each size Windows
asks for from 100 % to 200 %: 16, 20, 24 and 32 pixels for the caption and
taskbar, 40 and 48 for larger views."""
import math
import struct
import sys


def pixel(size, x, y):
    """RGBA of one pixel, computed with 4x4 supersampling."""
    acc = [0.0, 0.0, 0.0, 0.0]
    for sy in range(4):
        for sx in range(4):
            u = (x + (sx + 0.5) / 4) / size * 2 - 1
            v = (y + (sy + 0.5) / 4) / size * 2 - 1
            rgba = shade(u, v)
            for i in range(4):
                acc[i] += rgba[i] / 16
    return [int(round(c)) for c in acc]


def shade(u, v):
    # Rounded tile.
    r = 0.28
    dx, dy = max(abs(u) - (0.94 - r), 0), max(abs(v) - (0.94 - r), 0)
    if dx * dx + dy * dy > r * r:
        return (0, 0, 0, 0)
    top = (30, 150, 160)
    bottom = (14, 92, 120)
    t = (v + 1) / 2
    base = tuple(top[i] * (1 - t) + bottom[i] * t for i in range(3))
    d = math.hypot(u, v)
    white = (250, 250, 245, 255)
    if d < 0.62:
        # Globe: outline, equator, two parallels and a meridian ellipse.
        ring = abs(d - 0.56) < 0.07
        equator = abs(v) < 0.045
        parallels = abs(abs(v) - 0.3) < 0.04 and d < 0.56
        meridian = abs(math.hypot(u / 0.26, v / 0.58) - 1) < 0.14 or abs(u) < 0.04
        if ring or equator or parallels or meridian:
            return white
        return (base[0] * 0.8, base[1] * 0.8 + 20, base[2] * 0.8 + 25, 255)
    return (base[0], base[1], base[2], 255)


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up, as in a BMP
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            rows.append(struct.pack("BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = [16, 20, 24, 32, 40, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/nevrolt.ico")
