#!/usr/bin/env python3
"""Draws the editor's icon and writes it as one .ico with 16, 32, 48 and 256
pixel images: a page of coloured code lines on a blue tile.

    python3 scripts/make_icon.py [OUT.ico]    (default: src/platform/win32/qvrvse.ico)

Standard library only, and the output is the same byte for byte on every run,
so the committed icon can always be checked against its source.

The design lives on a 16-unit grid, so at 16 pixels every edge falls on a
pixel boundary and the small icon stays sharp; larger sizes are the same
shapes, antialiased by sampling each pixel on a grid of points.
"""
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 256)

TILE_TOP = (0x2B, 0x6C, 0xB0)
TILE_BOTTOM = (0x17, 0x3F, 0x70)
PAGE = (0xF7, 0xF5, 0xEE)
FOLD = (0xC9, 0xC4, 0xB4)
# The highlighter's kind of colours: a command, a keyword, a string, a comment.
CODE_LINES = (
    # x0, x1, y0 on the grid; every line is one unit high
    (4, 10, 5, (0x1F, 0x5F, 0xD6)),
    (5, 12, 7, (0x2E, 0x9E, 0x4F)),
    (5, 9, 9, (0xE0, 0x7B, 0x24)),
    (4, 8, 11, (0x8A, 0x4F, 0xC9)),
)


def inside_rounded(x, y, x0, y0, x1, y1, r):
    if x < x0 or x >= x1 or y < y0 or y >= y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def colour_at(x, y):
    """RGBA of the design at grid point (x, y), 0 <= x, y < 16."""
    if not inside_rounded(x, y, 0, 0, 16, 16, 3):
        return None
    # The page with its top right corner folded down.
    if 3 <= x < 13 and 2 <= y < 14:
        if x - 10 > y - 2:  # cut off above the fold's diagonal
            pass
        elif x >= 10 and y < 5:
            return FOLD
        else:
            for x0, x1, y0, colour in CODE_LINES:
                if x0 <= x < x1 and y0 <= y < y0 + 1:
                    return colour
            return PAGE
    t = y / 16.0
    return tuple(round(a + (b - a) * t) for a, b in zip(TILE_TOP, TILE_BOTTOM))


def render(size):
    """Rows of RGBA tuples, top row first."""
    samples = 1 if size == 16 else 4
    step = 16.0 / size / samples
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px * samples + sx + 0.5) * step, (py * samples + sy + 0.5) * step)
                    if c is not None:
                        r += c[0]; g += c[1]; b += c[2]; a += 1
            n = samples * samples
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                # Colours averaged over the covered samples only, so the
                # tile's edge does not darken towards black.
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(rows):
    """A 32-bit BMP image as icons hold it: double height, bottom row first,
    then the 1-bit mask that older systems draw with."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def ico(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for size, blob in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return directory + entries + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "platform", "win32", "qvrvse.ico")
    # The large image compressed, as systems since Vista read it; the small
    # ones uncompressed for everything older.
    images = [(s, png(render(s)) if s >= 256 else dib(render(s))) for s in SIZES]
    with open(out, "wb") as f:
        f.write(ico(images))


if __name__ == "__main__":
    main()
