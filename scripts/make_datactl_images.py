#!/usr/bin/env python3
"""scripts/make_datactl_images.py: draws the data controls' button images (resources/images/
datactl_*.png): strips of four frames, picture, mask, disabled picture, mask. Standard library
only; the build never runs it."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources", "images")


def write_png(path, width, height, pixels):
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def strip(width, height, dots):
    """Four frames from the set of (x, y) points that make the glyph."""
    black, white, grey = (0, 0, 0), (255, 255, 255), (128, 128, 128)
    rows = []
    for y in range(height):
        row = []
        for frame in range(4):
            for x in range(width):
                on = (x, y) in dots
                if frame == 0:
                    row.append(black if on else white)
                elif frame == 2:
                    row.append(grey if on else white)
                else:
                    row.append(white if on else black)
        rows.append(row)
    return width * 4, height, rows


def ellipsis():
    return {(x + dx, 6 + dy) for x in (1, 4, 7) for dx in (0, 1) for dy in (0, 1)}


def cross():
    points = set()
    for i in range(7):
        for d in (0, 1):
            points.add((1 + i + d, 1 + i))
            points.add((7 - i + d, 1 + i))
    return points


def drop_arrow():
    """A triangle pointing down, 7 pixels wide at its top."""
    return {(2 + i + x, 4 + i) for i in range(4) for x in range(7 - 2 * i)}


def narrow_dots():
    return {(1 + dx, y + dy) for y in (2, 5, 8) for dx in (0, 1) for dy in (0, 1)}


for name, width, height, glyph in (
    ("datactl_more.png", 10, 10, ellipsis()),
    ("datactl_clear.png", 10, 10, cross()),
    ("datactl_more_narrow.png", 4, 10, narrow_dots()),
    ("datactl_drop.png", 11, 11, drop_arrow()),
):
    w, h, rows = strip(width, height, glyph)
    write_png(os.path.join(OUT, name), w, h, rows)
