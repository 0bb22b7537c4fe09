#!/usr/bin/env python3
"""Draws the mouse cursors in resources/images/: 32 x 32 RGBA PNGs, black shapes with a white
outline on a transparent background, each with a "hotspot" text chunk ("x,y") that the program
reads as the cursor's hot spot.

- cursor_split_horz.png (131): two bars with arrows left and right: moving a vertical divider.
- cursor_split_vert.png (204): the same turned upright: moving a horizontal divider.
- cursor_hand.png (321): a pointing hand, over links.
- cursor_cell.png (200): a thick white cross outlined in black, over the result grid's cells.
- cursor_area.png (125): a thin cross with a dotted square at its corner: selecting an area of a
  diagram.
- cursor_grabber.png (168): arrows to the four sides: moving a diagram with the mouse.
- cursor_item.png (169): the pointing hand with a small box beside it: over a diagram's
  clickable items.
- cursor_page_line.png (312): a dashed upright line crossed by a two-headed arrow: over a page
  boundary of a diagram.
- cursor_page_drag.png (202): the four arrows over a page corner: moving a diagram's page grid.

Only the standard library is used. Run it from anywhere after changing a shape; the images it
writes are committed, and the build never runs it.
"""

import os
import struct
import zlib

SIZE = 32

HAND = """
.....##..........
....#..#.........
....#..#.........
....#..#.........
....#..#.........
....#..###.......
....#..#..###....
....#..#..#..##..
.##.#..#..#..#.#.
#..##........#..#
#...#...........#
.#..............#
..#.............#
..#.............#
...#...........#.
...#...........#.
....#.........#..
....#.........#..
.....#........#..
.....##########..
"""


def blank():
    return [[None] * SIZE for _ in range(SIZE)]


def split_horz():
    px = blank()
    for y in range(7, 25):
        px[y][14] = px[y][17] = "#"
    for x in range(4, 28):
        if x not in (14, 17):
            px[15][x] = px[16][x] = "#"
    for d in range(1, 5):
        for y in (15 - d, 16 + d):
            px[y][4 + d] = "#"
            px[y][27 - d] = "#"
    return px, (16, 16)


def split_vert():
    px, _ = split_horz()
    return [[px[x][y] for x in range(SIZE)] for y in range(SIZE)], (16, 16)


def hand():
    px = blank()
    rows = [row for row in HAND.strip("\n").split("\n")]
    for y, row in enumerate(rows):
        # Inside the outline (between a row's first and last "#") "." is white; outside, clear.
        first, last = row.find("#"), row.rfind("#")
        for x, c in enumerate(row):
            if c == "#":
                px[y + 4][x + 8] = "#"
            elif c == "." and first < x < last:
                px[y + 4][x + 8] = "."
    return px, (13, 4)


def cell_cross():
    px = blank()
    inside = lambda x, y: (13 <= x <= 18 and 6 <= y <= 25) or (6 <= x <= 25 and 13 <= y <= 18)
    for y in range(SIZE):
        for x in range(SIZE):
            if not inside(x, y):
                continue
            edge = any(not inside(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            px[y][x] = "#" if edge else "."
    return px, (15, 15)


def area_cross():
    px = blank()
    for i in range(4, 28):
        px[15][i] = px[i][15] = "#"
    for i in range(18, 29, 2):
        for j in (18, 28):
            px[j][i] = px[i][j] = "#"
    return px, (15, 15)


def four_arrows():
    px = blank()
    for i in range(5, 27):
        px[15][i] = px[16][i] = px[i][15] = px[i][16] = "#"
    for d in range(1, 5):
        for a in range(15 - d, 17 + d):
            px[4 + d][a] = px[27 - d][a] = px[a][4 + d] = px[a][27 - d] = "#"
    return px, (15, 15)


def item_hand():
    px, hotspot = hand()
    for i in range(22, 30):
        px[2][i] = px[8][i] = "#"
    for j in range(2, 9):
        px[j][22] = px[j][29] = "#"
    return px, hotspot


def page_line():
    px, _ = split_horz()
    for y in range(SIZE):
        px[y][14] = px[y][17] = None
    for y in range(2, 30):
        if y % 4 < 2:
            px[y][15] = px[y][16] = "#"
    return px, (16, 16)


def page_drag():
    px, hotspot = four_arrows()
    for i in range(0, 12):
        px[0][i] = px[i][0] = "#"
    return px, hotspot


def outline(px):
    out = [row[:] for row in px]
    for y in range(SIZE):
        for x in range(SIZE):
            if px[y][x] is not None:
                continue
            near = any(px[y + dy][x + dx] == "#" for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                       if 0 <= y + dy < SIZE and 0 <= x + dx < SIZE)
            if near:
                out[y][x] = "."
    return out


def png_bytes(px, hotspot):
    colours = {"#": (0, 0, 0, 255), ".": (255, 255, 255, 255), None: (0, 0, 0, 0)}
    raw = b"".join(b"\x00" + bytes(c for cell in row for c in colours[cell]) for row in px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    text = b"hotspot\x00" + ("%d,%d" % hotspot).encode()
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"tEXt", text) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "images")
    for name, make in (("cursor_split_horz.png", split_horz), ("cursor_split_vert.png", split_vert),
                       ("cursor_hand.png", hand), ("cursor_cell.png", cell_cross),
                       ("cursor_area.png", area_cross), ("cursor_grabber.png", four_arrows),
                       ("cursor_item.png", item_hand), ("cursor_page_line.png", page_line),
                       ("cursor_page_drag.png", page_drag)):
        px, hotspot = make()
        with open(os.path.join(folder, name), "wb") as f:
            f.write(png_bytes(outline(px), hotspot))


if __name__ == "__main__":
    main()
