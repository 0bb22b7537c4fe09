#!/usr/bin/env python3
"""Draws the icons of the program's two file types in resources/images/ (icons 6 and 7 of
file_types.rc), 32 x 32 pictures with a transparent background that the desktop shows for the
files:

- file_type_tree.png: a page with a small family tree (a tree file, *.av);
- file_type_gedcom.png: a page with a family tree over lines of text (a GEDCOM file, *.ged).

Only the standard library is used; the pictures are committed, and the build never runs it.
"""

import os
import struct
import zlib

from pixel_canvas import BLACK, BLUE, GREY, OCHRE, PAPER, WHITE, Canvas

SIZE = 32


def png_rgba(rows):
    """A PNG file of rows of (r, g, b) pixels or None (transparent), 8-bit RGBA."""
    raw = b"".join(b"\x00" + bytes(v for pixel in row
                                    for v in ((0, 0, 0, 0) if pixel is None else pixel + (255,)))
                   for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    head = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def page(p):
    p.box(5, 1, 26, 30, BLACK, PAPER)
    # The folded corner: cut away above its diagonal, the fold in white below it.
    for i in range(6):
        p.vline(21 + i, 1, i, None)
        p.dot(21 + i, 1 + i, BLACK)
        p.vline(21 + i, 2 + i, 5, WHITE)
    p.vline(21, 1, 6, BLACK)
    p.hline(21, 26, 6, BLACK)


def tree(p, top):
    # Two parents joined, a line down to two children.
    p.box(8, top, 13, top + 4, BLACK, BLUE)
    p.box(18, top, 23, top + 4, BLACK, OCHRE)
    p.hline(14, 17, top + 2, BLACK)
    p.vline(15, top + 3, top + 7, BLACK)
    p.hline(10, 21, top + 7, BLACK)
    p.vline(10, top + 8, top + 9, BLACK)
    p.vline(21, top + 8, top + 9, BLACK)
    p.box(8, top + 10, 12, top + 14, BLACK, BLUE)
    p.box(19, top + 10, 23, top + 14, BLACK, OCHRE)


def tree_file(p):
    page(p)
    tree(p, 8)


def gedcom_file(p):
    page(p)
    tree(p, 4)
    for y in range(22, 29, 3):
        p.hline(8, 23, y, GREY)


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "images")
    for name, draw in [("tree", tree_file), ("gedcom", gedcom_file)]:
        p = Canvas(SIZE, SIZE, None)
        draw(p)
        with open(os.path.join(folder, "file_type_%s.png" % name), "wb") as f:
            f.write(png_rgba(p.pixels))


if __name__ == "__main__":
    main()
