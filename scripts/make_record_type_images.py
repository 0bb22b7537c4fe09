#!/usr/bin/env python3
"""Draws the record-type pictures in resources/images/: for each of the nine record types three
32 x 16 strips (a 16 x 16 picture on white, then its mask: white where the picture is drawn,
black around it), and one more strip for a record of no particular type.

- record_<tag>.png: the type's picture (bitmaps 136, 138, ... 152);
- record_<tag>_open.png: the same, highlighted, for a selected or open item (137, 139, ... 153);
- record_<tag>_tab.png: the same in greys, for tabs (302 to 310);
- record_any.png: a record card (322).

Only the standard library is used. Run it from anywhere after changing a picture; the strips it
writes are committed, and the build never runs it.
"""

import os

from pixel_canvas import BLACK, BLUE, GREY, OCHRE, PAPER, SKY, WHITE, Canvas, png_bytes

SIZE = 16

SKIN = (240, 192, 144)
PINK = (224, 96, 144)
YELLOW = (255, 224, 96)
GREEN = (0, 136, 0)
RED = (192, 32, 32)
BROWN = (128, 72, 16)


def person(g, x, y, shirt):
    """A head and shoulders 7 wide and 12 high from (x, y)."""
    g.box(x + 1, y, x + 5, y + 4, BLACK, SKIN)
    g.dot(x + 1, y, None)
    g.dot(x + 5, y, None)
    g.box(x, y + 5, x + 6, y + 11, BLACK, shirt)
    g.dot(x, y + 5, None)
    g.dot(x + 6, y + 5, None)


def individual(g):
    person(g, 4, 2, BLUE)


def family(g):
    person(g, 0, 2, BLUE)
    person(g, 8, 3, PINK)


def note(g):
    g.box(2, 1, 13, 14, BLACK, PAPER)
    for y in (4, 6, 8, 10):
        g.hline(4, 11, y, GREY)
    g.hline(4, 8, 12, GREY)


def source(g):
    g.box(2, 2, 13, 13, BLACK, RED)
    g.fill(3, 3, 3, 12, BROWN)
    g.box(5, 4, 11, 7, OCHRE, YELLOW)
    g.hline(3, 13, 14, PAPER)


def repository(g):
    g.fill(1, 1, 14, 2, OCHRE)
    g.fill(2, 3, 13, 3, BLACK)
    for x in (3, 7, 11):
        g.fill(x, 4, x + 1, 11, WHITE)
        g.fill(x - 1, 4, x - 1, 11, GREY)
    g.fill(1, 12, 14, 14, OCHRE)
    g.hline(1, 14, 12, BLACK)


def submitter(g):
    person(g, 1, 2, GREEN)
    g.fill(12, 2, 12, 10, OCHRE)
    g.dot(12, 11, BLACK)
    g.fill(11, 2, 13, 2, BLACK)


def submission(g):
    g.box(1, 3, 14, 12, BLACK, PAPER)
    for i in range(6):
        g.dot(2 + i, 4 + i, BLACK)
        g.dot(13 - i, 4 + i, BLACK)


def multimedia(g):
    g.box(1, 2, 14, 13, BROWN, SKY)
    g.fill(2, 9, 13, 12, GREEN)
    g.box(9, 4, 11, 6, OCHRE, YELLOW)
    for i in range(4):
        g.fill(3 + i, 9 - i, 8 - i, 9 - i, GREEN)


def header(g):
    g.box(2, 1, 13, 14, BLACK, PAPER)
    g.fill(3, 2, 12, 4, BLUE)
    for y in (7, 9, 11):
        g.hline(4, 11, y, GREY)


def any_record(g):
    g.box(1, 3, 14, 12, BLACK, WHITE)
    g.box(3, 5, 6, 9, GREY, SKY)
    for y in (5, 7, 9):
        g.hline(8, 12, y, GREY)


def highlighted(colour):
    r, g, b = colour
    return (r // 2, g // 2, min(255, b // 2 + 128))


def grey(colour):
    r, g, b = colour
    level = (r * 30 + g * 59 + b * 11) // 100
    return (level, level, level)


def strip_bytes(glyph, tint):
    rows = []
    for y in range(SIZE):
        picture = [WHITE if c is None else tint(c) for c in glyph.pixels[y]]
        mask = [BLACK if c is None else WHITE for c in glyph.pixels[y]]
        rows.append(picture + mask)
    return png_bytes(rows)


TYPES = [("head", header), ("fam", family), ("indi", individual), ("obje", multimedia),
         ("note", note), ("repo", repository), ("sour", source), ("subm", submitter),
         ("subn", submission)]


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "images")

    def write(name, draw, tint):
        g = Canvas(SIZE, SIZE)
        draw(g)
        with open(os.path.join(folder, name), "wb") as f:
            f.write(strip_bytes(g, tint))

    for tag, draw in TYPES:
        write("record_%s.png" % tag, draw, lambda c: c)
        write("record_%s_open.png" % tag, draw, highlighted)
        write("record_%s_tab.png" % tag, draw, grey)
    write("record_any.png", any_record, lambda c: c)


if __name__ == "__main__":
    main()
