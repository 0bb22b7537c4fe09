#!/usr/bin/env python3
"""Draws the icons of the program's window kinds in resources/images/, each an icon file that holds
a 16 x 16 and a 32 x 32 picture, drawn separately for each size (32-bit pictures with an alpha
channel and their masks):

- view_records.ico: a card index (icon 160, the records window);
- view_query.ico: a funnel over a list (icon 201, the query window);
- view_diagram.ico: a tree of three linked boxes (icon 159, the diagram window);
- view_media.ico: a framed landscape (icon 162, the multimedia window);
- view_report.ico: a written page with a folded corner (icon 205, the report window).

Only the standard library is used. Run it from anywhere after changing a picture; the files it
writes are committed, and the build never runs it.
"""

import os
import struct
import sys

import pixel_canvas
from pixel_canvas import BLACK, BLUE, GREY, OCHRE, PAPER, SKY, WHITE, png_bytes

SILVER = (192, 192, 192)
NAVY = (0, 0, 128)
YELLOW = (255, 224, 96)
GREEN = (0, 136, 0)
LEAF = (96, 192, 64)
BROWN = (128, 72, 16)
WOOD = (200, 144, 72)
CARD = (255, 240, 200)


class Canvas(pixel_canvas.Canvas):
    """A square icon picture, size pixels a side, transparent at first."""

    def __init__(self, size):
        super().__init__(size, size)
        self.size = size


def records(c, s):
    """Three index cards, one behind the other, the front one ruled."""
    k = s // 16
    for i, colour in enumerate((SILVER, CARD, PAPER)):
        x0, y0 = (2 + 2 * i) * k, (1 + 3 * i) * k
        c.box(x0, y0, x0 + 9 * k + k - 1, y0 + 6 * k + k - 1, BLACK, colour)
    # The front card's tab and rules.
    x0, y0 = 6 * k, 7 * k
    c.fill(x0 + k, y0 + k, x0 + 4 * k - 1, y0 + 2 * k - 1, BLUE)
    for row in (3, 5):
        c.fill(x0 + k, y0 + row * k, x0 + 8 * k, y0 + row * k + max(k // 2, 1) - 1, GREY)


def query(c, s):
    """A list of rows with a funnel over its top right."""
    k = s // 16
    c.box(1 * k, 4 * k, 10 * k + k - 1, 15 * k + k - 1 - k, BLACK, WHITE)
    for row in range(6, 14, 2):
        c.fill(2 * k + (k // 2), row * k, 9 * k + k - 1 - (k // 2), row * k + k - 1, BLUE if row == 8 else GREY)
    # The funnel: a wide top narrowing to a spout.
    top, width = 1 * k, 9 * k
    left = 6 * k
    for y in range(top, top + 5 * k):
        inset = (y - top) * 4 // 5
        c.hline(left + inset, left + width - 1 - inset, y, OCHRE if y in (top, top + 5 * k - 1) else YELLOW)
        c.dot(left + inset, y, OCHRE)
        c.dot(left + width - 1 - inset, y, OCHRE)
    spout = left + width // 2 - k
    c.box(spout, top + 5 * k, spout + 2 * k - 1, top + 9 * k - 1, OCHRE, YELLOW)


def diagram(c, s):
    """A parent box above two child boxes, joined by lines."""
    k = s // 16

    def node(x, y, colour):
        c.box(x * k, y * k, (x + 6) * k - 1, (y + 4) * k - 1, BLACK, colour)

    node(5, 1, SKY)
    node(0, 11, YELLOW)
    node(10, 11, LEAF)
    line = NAVY
    for x in range(0, k):
        c.vline(8 * k + x - k // 2, 5 * k, 8 * k - 1, line)
        c.vline(3 * k + x - k // 2, 8 * k, 11 * k - 1, line)
        c.vline(13 * k + x - k // 2, 8 * k, 11 * k - 1, line)
    for y in range(0, k):
        c.hline(3 * k - k // 2, 13 * k + k - 1 - k // 2, 8 * k + y - (k // 2), line)


def media(c, s):
    """A wooden frame round a sky, a sun and two hills."""
    k = s // 16
    c.box(0, 2 * k, s - 1, 14 * k - 1, BROWN, WOOD)
    inner = (2 * k, 4 * k, s - 1 - 2 * k, 12 * k - 1)
    c.box(inner[0] - 1 if k > 1 else inner[0], inner[1] - (1 if k > 1 else 0),
          inner[2] + (1 if k > 1 else 0), inner[3] + (1 if k > 1 else 0), BROWN, SKY)
    c.fill(*inner, SKY)
    # The sun.
    sx, sy, r = 11 * k, 6 * k, max(k, 1) + (k // 2)
    for y in range(sy - r, sy + r + 1):
        for x in range(sx - r, sx + r + 1):
            if (x - sx) ** 2 + (y - sy) ** 2 <= r * r:
                c.dot(x, y, YELLOW)
    # Two hills, the far one darker.
    for x in range(inner[0], inner[2] + 1):
        far = inner[3] - max(0, 3 * k - abs(x - 6 * k) * 2 // 3)
        near = inner[3] - max(0, 2 * k - abs(x - 11 * k) // 2)
        for y in range(far, inner[3] + 1):
            c.dot(x, y, GREEN)
        for y in range(near, inner[3] + 1):
            c.dot(x, y, LEAF)


def report(c, s):
    """A page with a folded top right corner and lines of writing."""
    k = s // 16
    left, right, top, bottom = 2 * k, 13 * k + k - 1, 0, s - 1
    fold = 4 * k
    c.box(left, top, right, bottom, BLACK, PAPER)
    # Cut the corner and fold it down.
    for i in range(fold):
        for x in range(right - fold + 1 + i, right + 1):
            c.pixels[top + i][x] = None
        c.dot(right - fold + 1 + i, top + i, BLACK)
    c.vline(right - fold, top, top + fold, BLACK)
    c.hline(right - fold, right, top + fold, BLACK)
    for i in range(1, fold):
        c.fill(right - fold + 1, top + i, right - fold + i, top + i, SILVER)
    # A heading and lines of text.
    c.fill(left + 2 * k, 2 * k, left + 6 * k, 2 * k + k - 1, NAVY)
    for row in range(5, 15, 2):
        end = right - 2 * k if row != 13 else left + 7 * k
        c.fill(left + 2 * k, row * k, end, row * k + max(k // 2, 1) - 1 + (0 if k > 1 else 0), GREY)


ICONS = [
    ("view_records.ico", records),
    ("view_query.ico", query),
    ("view_diagram.ico", diagram),
    ("view_media.ico", media),
    ("view_report.ico", report),
]


def dib(canvas):
    """The picture as an icon file holds it: a 32-bit bottom-up bitmap, then its AND mask."""
    s = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in reversed(range(s)):
        for x in range(s):
            p = canvas.pixels[y][x]
            colour += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
    stride = ((s + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(s)):
        row = bytearray(stride)
        for x in range(s):
            if canvas.pixels[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colour) + bytes(mask)


def ico(canvases):
    images = [dib(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size, canvas.size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def png(canvas, scale):
    """A preview, for looking at the pictures: transparent pixels magenta."""
    s = canvas.size * scale
    return png_bytes([[canvas.pixels[y // scale][x // scale] or (255, 0, 255) for x in range(s)]
                      for y in range(s)])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = os.path.join(here, "..", "resources", "images")
    preview = sys.argv[1] if len(sys.argv) > 1 else None
    for name, draw in ICONS:
        canvases = []
        for size in (16, 32):
            canvas = Canvas(size)
            draw(canvas, size)
            canvases.append(canvas)
        with open(os.path.join(target, name), "wb") as f:
            f.write(ico(canvases))
        if preview:
            for canvas in canvases:
                path = os.path.join(preview, "%s_%d.png" % (name[:-4], canvas.size))
                with open(path, "wb") as f:
                    f.write(png(canvas, 256 // canvas.size // 2))


if __name__ == "__main__":
    main()
