#!/usr/bin/env python3
"""make_sprite.py - draws bmp/sprite.bmp, the starter game's 32x32 sprite.

A yellow face with dark eyes and smile on magenta (255, 0, 255), the colour
the game makes transparent. Edit the shapes and run it again to change it.

Usage: python3 make_sprite.py [output path]   (default: bmp/sprite.bmp here)
"""
import math
import os
import struct
import sys

SIZE = 32
KEY = (255, 0, 255)      # transparent: never drawn
FACE = (255, 220, 64)
INK = (48, 32, 16)


def pixel(x, y):
    """The colour of pixel (x, y), y counted from the top."""
    cx, cy = x + 0.5 - SIZE / 2, y + 0.5 - SIZE / 2
    r = math.hypot(cx, cy)
    if r > 14.5:
        return KEY
    if r > 13.0:
        return INK                                   # outline
    if math.hypot(abs(cx) - 5, cy + 4) < 2.5:
        return INK                                   # eyes
    if cy > 2 and abs(r - 8.5) < 1.2:
        return INK                                   # smile
    return FACE


def bmp_bytes():
    """A bottom-up 24-bit BMP, rows padded to four bytes."""
    row_size = (SIZE * 3 + 3) & ~3
    image = b""
    for y in range(SIZE - 1, -1, -1):
        row = b"".join(bytes(reversed(pixel(x, y))) for x in range(SIZE))
        image += row + b"\0" * (row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    return header + info + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "bmp", "sprite.bmp")
    with open(out, "wb") as f:
        f.write(bmp_bytes())


if __name__ == "__main__":
    main()
