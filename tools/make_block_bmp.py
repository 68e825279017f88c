#!/usr/bin/env python3
"""make_block_bmp.py - draws game/bmp/block.bmp, the game's two marks.

An 80x40 24-bit BMP on black (the colour key): player 1's ring in the left
40x40 cell, player 2's cross in the right one. Colours are bright enough to
survive 5-6-5 and 5-5-5 truncation without turning into the key colour.

Usage: make_block_bmp.py [output path]   (default: game/bmp/block.bmp)
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT, CELL = 80, 40, 40
RING = (255, 96, 64)    # player 1: warm red-orange ring
CROSS = (64, 200, 255)  # player 2: light blue cross


def ring_pixel(x, y):
    """True inside a ring of radii 10..15 around the cell's centre."""
    d = math.hypot(x + 0.5 - CELL / 2, y + 0.5 - CELL / 2)
    return 10.0 <= d <= 15.0


def cross_pixel(x, y):
    """True on either diagonal stroke (half width 3) within 8..32."""
    px, py = x + 0.5, y + 0.5
    if not (8 <= px <= 32 and 8 <= py <= 32):
        return False
    return abs(px - py) <= 3.0 * math.sqrt(2) or abs(px + py - CELL) <= 3.0 * math.sqrt(2)


def pixel(x, y):
    if x < CELL:
        return RING if ring_pixel(x, y) else (0, 0, 0)
    return CROSS if cross_pixel(x - CELL, y) else (0, 0, 0)


def bmp_bytes():
    row_size = (WIDTH * 3 + 3) & ~3
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        rows.append(bytes(row))
    image = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    return header + info + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "game", "bmp", "block.bmp")
    with open(out, "wb") as f:
        f.write(bmp_bytes())


if __name__ == "__main__":
    main()
