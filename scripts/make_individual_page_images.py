#!/usr/bin/env python3
"""scripts/make_individual_page_images.py: draws the images of the individual's pages
(resources/images/ipage_*.png): the Events and Objects pages' mini buttons (64 x 15 strips of four
16 x 15 frames: picture, mask, disabled picture, mask) and the Main page's three connectors (36
pixels wide: an 18 pixel picture ANDed onto the page, then the mask ORed before it, white where
the picture draws). Standard library only; the build never runs it."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources", "images")
BLACK, WHITE, GREY = (0, 0, 0), (255, 255, 255), (128, 128, 128)
BLUE, GREEN, LINE = (0, 0, 160), (0, 128, 0), (64, 64, 96)


def write_png(path, width, height, pixels):
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def button(dots):
    """dots maps (x, y) to a colour; four 16 x 15 frames."""
    rows = []
    for y in range(15):
        row = []
        for frame in range(4):
            for x in range(16):
                colour = dots.get((x, y))
                if frame == 0:
                    row.append(colour if colour else WHITE)
                elif frame == 2:
                    row.append(GREY if colour else WHITE)
                else:
                    row.append(WHITE if colour else BLACK)
        rows.append(row)
    return 64, 15, rows


def rect(dots, x0, y0, x1, y1, colour, fill=False):
    for x in range(x0, x1 + 1):
        for y in range(y0, y1 + 1):
            if fill or x in (x0, x1) or y in (y0, y1):
                dots[(x, y)] = colour


def arrow(dots, up, colour):
    for i in range(6):
        y = 3 + i if up else 11 - i
        for x in range(7 - i, 9 + i):
            dots[(x, y)] = colour
    rect(dots, 6, 9 if up else 2, 9, 12 if up else 5, colour, True)


def add_event():
    dots = {}
    rect(dots, 1, 2, 10, 12, LINE)
    for y in (5, 7, 9):
        rect(dots, 3, y, 8, y, LINE, True)
    rect(dots, 12, 4, 12, 10, GREEN, True)
    rect(dots, 9, 7, 15, 7, GREEN, True)
    return dots


def list_in_order():
    dots = {}
    for i, y in enumerate((3, 7, 11)):
        rect(dots, 1, y, 2, y + 1, BLUE, True)
        rect(dots, 5, y, 14 - 2 * i, y + 1, LINE, True)
    return dots


def open_media():
    dots = {}
    rect(dots, 1, 1, 14, 13, LINE)
    rect(dots, 3, 3, 12, 11, (96, 160, 224), True)
    for i in range(5):
        rect(dots, 4 + i, 11 - i, 12 - i, 11 - i, GREEN, True)
    return dots


def perform_action():
    """A play mark: a triangle pointing right."""
    dots = {}
    for x in range(4, 13):
        half = (x - 4) // 2
        for y in range(3 + half, 12 - half):
            dots[(x, y)] = GREEN
    return dots


def preference(up):
    dots = {}
    arrow(dots, up, BLUE)
    rect(dots, 1, 1 if up else 12, 4, 2 if up else 13, LINE, True)
    return dots


def connector(height, shape):
    """An 18 pixel picture and its mask, side by side; shape lists the pixels the lines take."""
    rows = []
    for y in range(height):
        picture = [LINE if (x, y) in shape else WHITE for x in range(18)]
        mask = [WHITE if (x, y) in shape else BLACK for x in range(18)]
        rows.append(picture + mask)
    return 36, height, rows


def vertical_to_right(height, turn):
    """A line down the middle that turns right at row turn and runs to the right edge."""
    shape = {(8, y) for y in range(turn + 1)} | {(9, y) for y in range(turn + 1)}
    shape |= {(x, turn) for x in range(8, 18)} | {(x, turn + 1) for x in range(8, 18)}
    return shape


for name, glyph in (
    ("ipage_add_event.png", add_event()),
    ("ipage_list_in_order.png", list_in_order()),
    ("ipage_open_media.png", open_media()),
    ("ipage_perform_action.png", perform_action()),
    ("ipage_higher.png", preference(True)),
    ("ipage_lower.png", preference(False)),
):
    w, h, rows = button(glyph)
    write_png(os.path.join(OUT, name), w, h, rows)

def small_arrow(up):
    """Four 9 x 11 frames (picture, mask, disabled picture, mask) of a filled triangle."""
    dots = set()
    for i in range(5):
        y = 3 + i if up else 7 - i
        for x in range(4 - i, 5 + i):
            dots.add((x, y))
    rows = []
    for y in range(11):
        row = []
        for frame in range(4):
            for x in range(9):
                on = (x, y) in dots
                if frame == 0:
                    row.append(BLACK if on else WHITE)
                elif frame == 2:
                    row.append(GREY if on else WHITE)
                else:
                    row.append(WHITE if on else BLACK)
        rows.append(row)
    return 36, 11, rows


for name, up in (("ipage_arrow_up.png", True), ("ipage_arrow_down.png", False)):
    w, h, rows = small_arrow(up)
    write_png(os.path.join(OUT, name), w, h, rows)

for name, height, shape in (
    ("ipage_connector_spouse.png", 48, vertical_to_right(48, 40)),
    ("ipage_connector_marriage.png", 40, {(x, y) for x in (8, 9) for y in range(40)}
     | {(x, y) for x in range(8, 18) for y in (20, 21)}),
    ("ipage_connector_children.png", 57, vertical_to_right(57, 50)),
):
    w, h, rows = connector(height, shape)
    write_png(os.path.join(OUT, name), w, h, rows)
