#!/usr/bin/env python3
"""effect_pictures.py - the pictures of docs/effects.md.

Runs the effects showcase headless, captures its three pages and cuts one PNG
per effect tile into docs/effects/ (plus one PNG per page). Needs only the
standard library: the captures are 24-bit BMP files, written back as PNG.

Usage: python3 tools/effect_pictures.py <build dir> [<output dir>]
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

# The showcase's tile grid (tools/samples/effects_showcase.cpp).
TILE_W, TILE_H, TILE_X, TILE_Y = 158, 144, 8, 40

# Each page's tiles in order: the file name of each picture.
PAGES = [
    ["half", "alpha", "alpha_rgb", "fade", "fade_rgb", "alpha_gradient",
     "fade_gradient", "add", "add_rate", "sub"],
    ["mask", "bright", "bright_rgb", "dark", "dark_rgb", "grey", "blur",
     "smooth", "unsmoothed", "refract"],
    ["glow", "glow_up", "glow_sideways", "glow_down", "glow_photo"],
    ["rotate", "rotate_tile", "rotate_zoom", "smear_up", "rotate_zoom_tile",
     "floor", "ripple", "smear_right", "tunnel", "tunnel_square"],
    ["fire_fade", "fire", "screen_blur", "screen_blur_fade", "zoom2",
     "zoom2_dotted", "zoom4_dotted", "mosaic_circle", "noise", "noise_rgb"],
]


def read_bmp(path):
    """Width, height and rows (top first) of RGB byte triples."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 54 or data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24 or width <= 0 or height == 0:
        raise ValueError(f"{path}: not a 24-bit BMP")
    stride = (width * 3 + 3) & ~3
    if offset + stride * abs(height) > len(data):
        raise ValueError(f"{path}: truncated")
    rows = []
    for y in range(abs(height)):
        src = y if height < 0 else abs(height) - 1 - y
        row = data[offset + src * stride: offset + src * stride + width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]  # BGR -> RGB
        rows.append(bytes(rgb))
    return width, abs(height), rows


def write_png(path, width, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + r for r in rows)
    header = struct.pack(">IIBBBBB", width, len(rows), 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def crop(rows, x, y, w, h):
    return [r[x * 3:(x + w) * 3] for r in rows[y:y + h]]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else os.path.join(root, "docs", "effects")
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        script = os.path.join(work, "pages.txt")
        with open(script, "w") as f:
            for page in range(len(PAGES)):
                frame = 2 + 3 * page
                f.write(f"{frame} capture {work}/page{page + 1}.bmp\n")
                f.write(f"{frame + 1} key RIGHT\n")
        env = dict(os.environ, RU_BACKEND="headless", RU_SCRIPT=script,
                   RU_MAX_FRAMES=str(3 * len(PAGES) + 1),
                   RU_INSTANCE_KEY=f"effect-pictures-{os.getpid()}")
        subprocess.run([os.path.join(build, "effects_showcase")], env=env, cwd=work,
                       check=True, timeout=120)
        for page, names in enumerate(PAGES):
            width, _, rows = read_bmp(os.path.join(work, f"page{page + 1}.bmp"))
            write_png(os.path.join(out, f"page{page + 1}.png"), width, rows)
            for i, name in enumerate(names):
                x = TILE_X + (i % 4) * TILE_W
                y = TILE_Y + (i // 4) * TILE_H
                write_png(os.path.join(out, f"{name}.png"), TILE_W,
                          crop(rows, x, y, TILE_W, TILE_H))
    print(f"effect_pictures: wrote {sum(map(len, PAGES)) + len(PAGES)} pictures to {out}")


if __name__ == "__main__":
    main()
