#!/usr/bin/env python3
"""Draws the toolbar image strips in resources/images/: one 16 x 15 glyph per button, left to
right in the order of the TOOLBAR resources in resources/*.rc, on a transparent background.

Only the standard library is used (PNG is written with zlib). Run it from anywhere after changing
a glyph; the strips it writes are committed, and the build never runs it.
"""

import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 16, 15

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
NAVY = (0, 0, 128)
BLUE = (0, 64, 224)
SKY = (160, 200, 255)
YELLOW = (255, 224, 64)
OCHRE = (176, 128, 0)
RED = (200, 0, 0)
GREEN = (0, 136, 0)
LIME = (120, 208, 96)
TEAL = (0, 128, 128)
BROWN = (128, 64, 0)
SKIN = (240, 192, 144)
PINK = (232, 96, 144)


class Glyph:
    """A 16 x 15 image, transparent until drawn on."""

    def __init__(self):
        self.pixels = [[None] * WIDTH for _ in range(HEIGHT)]

    def dot(self, x, y, colour):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            self.pixels[y][x] = colour

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, colour)

    def box(self, x0, y0, x1, y1, edge, inside=None):
        if inside:
            self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)
        self.line(x0, y0, x1, y0, edge)
        self.line(x0, y1, x1, y1, edge)
        self.line(x0, y0, x0, y1, edge)
        self.line(x1, y0, x1, y1, edge)

    def dotted_box(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1, 2):
            self.dot(x, y0, colour)
            self.dot(x, y1, colour)
        for y in range(y0, y1 + 1, 2):
            self.dot(x0, y, colour)
            self.dot(x1, y, colour)

    def disc(self, cx, cy, r, edge, inside=None):
        for y in range(HEIGHT):
            for x in range(WIDTH):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if inside and d < r - 0.5:
                    self.dot(x, y, inside)
                elif abs(d - r) < 0.5:
                    self.dot(x, y, edge)

    def polygon(self, points, colour):
        """Fills the polygon: a pixel whose centre lies inside it."""
        for y in range(HEIGHT):
            for x in range(WIDTH):
                if inside_polygon(x + 0.5, y + 0.5, points):
                    self.dot(x, y, colour)


def inside_polygon(px, py, points):
    inside = False
    for i in range(len(points)):
        (x0, y0), (x1, y1) = points[i], points[i - 1]
        if (y0 > py) != (y1 > py) and px < (x1 - x0) * (py - y0) / (y1 - y0) + x0:
            inside = not inside
    return inside


# The glyphs, each a function that draws on a new Glyph.

def page(g, x0=3, x1=12, y0=1, y1=13):
    g.box(x0, y0, x1, y1, BLACK, WHITE)
    g.fill(x1 - 2, y0, x1, y0 + 2, None)
    g.line(x1 - 3, y0, x1, y0 + 3, BLACK)
    g.line(x1 - 3, y0, x1 - 3, y0 + 3, BLACK)
    g.line(x1 - 3, y0 + 3, x1, y0 + 3, BLACK)


def glyph_new(g):
    page(g)


def glyph_open(g):
    g.polygon([(1, 4), (6, 4), (7, 5), (13, 5), (13, 13), (1, 13)], OCHRE)
    g.polygon([(3, 8), (15, 8), (13, 13), (1, 13)], YELLOW)
    g.line(1, 4, 6, 4, BLACK)
    g.line(1, 4, 1, 13, BLACK)
    g.line(1, 13, 13, 13, BLACK)
    g.line(3, 8, 15, 8, BLACK)
    g.line(15, 8, 13, 13, BLACK)
    g.line(9, 1, 12, 1, GREEN)
    g.line(12, 1, 14, 3, GREEN)
    g.line(14, 3, 14, 5, GREEN)


def glyph_save(g):
    g.box(1, 1, 14, 13, BLACK, NAVY)
    g.fill(4, 2, 11, 6, WHITE)
    g.fill(4, 9, 11, 13, SILVER)
    g.fill(8, 10, 9, 12, NAVY)


def glyph_print(g):
    g.box(4, 1, 11, 6, BLACK, WHITE)
    g.box(1, 6, 14, 11, BLACK, SILVER)
    g.dot(12, 8, GREEN)
    g.box(4, 10, 11, 13, BLACK, WHITE)


def glyph_preview(g):
    page(g, 1, 10, 1, 13)
    g.disc(10, 8, 3, BLACK, SKY)
    g.line(12, 11, 14, 13, BLACK)
    g.line(13, 11, 15, 13, BLACK)


def glyph_records(g):
    g.box(1, 1, 14, 13, BLACK, WHITE)
    g.fill(2, 2, 13, 3, NAVY)
    for y in (6, 9, 12):
        g.line(2, y, 13, y, SILVER)
    g.line(5, 4, 5, 12, SILVER)


def magnifier(g, cx=6, cy=6, r=4):
    g.disc(cx, cy, r, BLACK, SKY)
    g.line(cx + 3, cy + 3, cx + 7, cy + 7, BLACK)
    g.line(cx + 4, cy + 3, cx + 8, cy + 7, BLACK)


def glyph_find(g):
    magnifier(g)


def glyph_properties(g):
    g.box(1, 2, 14, 12, BLACK, WHITE)
    g.fill(2, 3, 13, 4, NAVY)
    for y in (7, 10):
        g.line(3, y, 6, y, GREY)
        g.line(8, y, 12, y, BLUE)


def person_box(g, x, y, colour=SKY):
    g.box(x, y, x + 4, y + 3, BLACK, colour)


def glyph_ancestors(g):
    person_box(g, 0, 1)
    person_box(g, 11, 1)
    person_box(g, 5, 10, YELLOW)
    g.line(2, 5, 2, 7, BLACK)
    g.line(13, 5, 13, 7, BLACK)
    g.line(2, 7, 13, 7, BLACK)
    g.line(7, 7, 7, 9, BLACK)


def glyph_descendants(g):
    person_box(g, 5, 1, YELLOW)
    person_box(g, 0, 10)
    person_box(g, 11, 10)
    g.line(7, 5, 7, 7, BLACK)
    g.line(2, 7, 13, 7, BLACK)
    g.line(2, 7, 2, 9, BLACK)
    g.line(13, 7, 13, 9, BLACK)


def glyph_both(g):
    person_box(g, 5, 0)
    person_box(g, 5, 5, YELLOW)
    person_box(g, 0, 11)
    person_box(g, 11, 11)
    g.line(7, 4, 7, 4, BLACK)
    g.line(7, 9, 7, 10, BLACK)
    g.line(2, 10, 13, 10, BLACK)


def glyph_relatives(g):
    person_box(g, 5, 5, YELLOW)
    person_box(g, 0, 0)
    person_box(g, 11, 0)
    person_box(g, 0, 11)
    person_box(g, 11, 11)
    g.line(4, 4, 5, 5, BLACK)
    g.line(11, 4, 10, 5, BLACK)
    g.line(4, 11, 5, 9, BLACK)
    g.line(11, 11, 10, 9, BLACK)


def glyph_queries(g):
    g.polygon([(1, 1), (15, 1), (9, 7), (9, 14), (7, 14), (7, 7)], BLUE)
    g.line(1, 1, 14, 1, BLACK)
    g.line(1, 1, 7, 7, BLACK)
    g.line(14, 1, 9, 6, BLACK)


def picture(g, x0=1, y0=2, x1=14, y1=12):
    g.box(x0, y0, x1, y1, BLACK, SKY)
    g.disc(x1 - 3, y0 + 3, 1, YELLOW, YELLOW)
    g.polygon([(x0 + 1, y1), (x0 + 5, y0 + 4), (x0 + 8, y1 - 3), (x0 + 10, y1 - 5),
               (x1, y1)], GREEN)
    g.box(x0, y0, x1, y1, BLACK)


def glyph_multimedia(g):
    picture(g)


def person(g, x, colour):
    g.disc(x + 3, 3, 2, BLACK, SKIN)
    g.polygon([(x, 14), (x + 1, 7), (x + 6, 7), (x + 7, 14)], colour)
    g.line(x + 1, 7, x + 6, 7, BLACK)


def glyph_individuals(g):
    person(g, 4, BLUE)


def glyph_families(g):
    person(g, 0, BLUE)
    person(g, 8, PINK)


def glyph_notes(g):
    g.box(2, 1, 13, 13, BLACK, YELLOW)
    for y in (4, 7, 10):
        g.line(4, y, 11, y, OCHRE)


def glyph_sources(g):
    g.box(3, 1, 13, 13, BLACK, BROWN)
    g.fill(4, 11, 12, 12, WHITE)
    g.line(2, 2, 2, 13, BLACK)
    g.fill(6, 4, 10, 5, YELLOW)


def glyph_repositories(g):
    g.polygon([(0, 5), (8, 0), (16, 5)], RED)
    g.line(1, 5, 14, 5, BLACK)
    for x in (2, 6, 9, 13):
        g.line(x, 6, x, 12, GREY)
    g.fill(1, 13, 14, 14, GREY)


def glyph_up(g):
    g.polygon([(8, 1), (15, 8), (11, 8), (11, 14), (5, 14), (5, 8), (1, 8)], GREEN)


def glyph_down(g):
    g.polygon([(8, 14), (15, 7), (11, 7), (11, 1), (5, 1), (5, 7), (1, 7)], GREEN)


def glyph_delete(g):
    for d in (-1, 0, 1):
        g.line(3 + d, 2, 12 + d, 12, RED)
        g.line(12 + d, 2, 3 + d, 12, RED)


def glyph_named_lists(g):
    g.box(1, 1, 14, 13, BLACK, WHITE)
    for y in (4, 7, 10):
        g.fill(3, y, 4, y + 1, BLUE)
        g.line(6, y, 12, y, BLACK)


def glyph_refresh(g):
    g.disc(7, 7, 5, GREEN)
    g.disc(7, 7, 4, GREEN)
    g.fill(8, 0, 15, 6, None)
    g.polygon([(8, 0), (14, 4), (8, 7)], GREEN)


def glyph_zoom_in(g):
    magnifier(g)
    g.line(4, 6, 8, 6, BLACK)
    g.line(6, 4, 6, 8, BLACK)


def glyph_zoom_out(g):
    magnifier(g)
    g.line(4, 6, 8, 6, BLACK)


def glyph_select_area(g):
    g.dotted_box(1, 2, 14, 12, BLACK)
    g.polygon([(7, 6), (13, 11), (10, 11), (11, 14), (9, 14), (8, 12), (7, 13)], WHITE)
    g.line(7, 6, 7, 13, BLACK)
    g.line(7, 6, 12, 11, BLACK)


def glyph_whole(g):
    g.box(0, 0, 15, 14, GREY)
    person_box(g, 5, 2)
    person_box(g, 1, 9)
    person_box(g, 9, 9)
    g.line(7, 6, 7, 7, BLACK)
    g.line(3, 7, 11, 7, BLACK)
    g.line(3, 8, 3, 8, BLACK)
    g.line(11, 8, 11, 8, BLACK)


def glyph_grabber(g):
    g.polygon([(3, 7), (3, 4), (5, 4), (5, 2), (7, 2), (7, 1), (9, 1), (9, 2), (11, 2),
               (11, 4), (13, 4), (13, 10), (11, 14), (5, 14), (2, 10), (1, 7)], SKIN)
    for x in (5, 7, 9, 11):
        g.line(x, 3, x, 7, BROWN)
    g.line(5, 14, 11, 14, BROWN)


def glyph_centre(g):
    g.disc(7, 7, 5, RED)
    g.disc(7, 7, 2, RED)
    g.line(7, 0, 7, 14, BLACK)
    g.line(0, 7, 14, 7, BLACK)


def glyph_colours(g):
    g.fill(1, 1, 6, 6, RED)
    g.fill(9, 1, 14, 6, YELLOW)
    g.fill(1, 8, 6, 13, BLUE)
    g.fill(9, 8, 14, 13, GREEN)
    for x0, y0 in ((1, 1), (9, 1), (1, 8), (9, 8)):
        g.box(x0, y0, x0 + 5, y0 + 5, BLACK)


def glyph_options(g):
    for y in (2, 7, 12):
        g.line(1, y, 14, y, GREY)
    for x, y in ((4, 2), (10, 7), (6, 12)):
        g.box(x - 1, y - 2, x + 1, y + 2, BLACK, BLUE)


def glyph_context_pane(g):
    g.box(0, 1, 15, 13, BLACK, WHITE)
    g.fill(1, 2, 5, 12, SKY)
    g.line(6, 2, 6, 12, BLACK)


def glyph_title_pane(g):
    g.box(0, 1, 15, 13, BLACK, WHITE)
    g.fill(1, 2, 14, 4, NAVY)


def chain_link(g, x, y):
    g.box(x, y, x + 6, y + 3, GREY)
    g.box(x + 4, y + 2, x + 10, y + 5, BLACK)


def glyph_link_note(g):
    chain_link(g, 1, 2)
    g.box(7, 9, 14, 14, BLACK, YELLOW)
    g.line(9, 11, 12, 11, OCHRE)


def glyph_frame_link(g):
    g.dotted_box(0, 0, 8, 7, RED)
    chain_link(g, 4, 9)


def glyph_add_frame(g):
    g.dotted_box(0, 0, 11, 10, RED)
    g.line(9, 12, 15, 12, GREEN)
    g.line(12, 9, 12, 14, GREEN)
    g.line(9, 13, 15, 13, GREEN)


def glyph_select_frame(g):
    g.dotted_box(0, 0, 11, 10, RED)
    g.polygon([(6, 5), (13, 11), (10, 11), (11, 14), (9, 14), (8, 12), (6, 14)], WHITE)
    g.line(6, 5, 6, 14, BLACK)
    g.line(6, 5, 12, 11, BLACK)


def glyph_run(g):
    g.polygon([(4, 1), (13, 7), (4, 13)], GREEN)
    g.line(4, 1, 4, 13, BLACK)
    g.line(4, 1, 13, 7, BLACK)
    g.line(4, 13, 13, 7, BLACK)


def glyph_cancel(g):
    g.disc(7, 7, 6, BLACK, RED)
    g.line(5, 5, 9, 9, WHITE)
    g.line(9, 5, 5, 9, WHITE)


def glyph_copy(g):
    page(g, 1, 9, 1, 10)
    page(g, 6, 14, 4, 13)


def glyph_save_results(g):
    glyph_save(g)
    for y in (3, 5):
        g.line(5, y, 10, y, GREY)


def glyph_menu(g):
    for y in (3, 6, 9):
        g.line(2, y, 10, y, BLACK)
    g.polygon([(10, 11), (15, 11), (12, 14)], BLACK)


def glyph_add_column(g):
    g.box(1, 1, 10, 13, BLACK, WHITE)
    g.fill(4, 2, 7, 12, SKY)
    g.line(4, 1, 4, 13, GREY)
    g.line(7, 1, 7, 13, GREY)
    g.fill(12, 5, 13, 10, GREEN)
    g.fill(10, 7, 15, 8, GREEN)


STRIPS = {
    "toolbar_standard.png": [
        glyph_new, glyph_open, glyph_save, glyph_print, glyph_preview, glyph_records,
        glyph_find, glyph_properties, glyph_ancestors, glyph_descendants, glyph_both,
        glyph_relatives, glyph_queries, glyph_multimedia,
    ],
    "toolbar_records.png": [
        glyph_individuals, glyph_families, glyph_notes, glyph_sources, glyph_repositories,
        glyph_multimedia, glyph_up, glyph_down, glyph_delete, glyph_named_lists, glyph_refresh,
    ],
    "toolbar_diagram.png": [
        glyph_zoom_in, glyph_zoom_out, glyph_select_area, glyph_whole, glyph_grabber,
        glyph_centre, glyph_colours, glyph_options, glyph_refresh,
    ],
    "toolbar_query.png": [
        glyph_run, glyph_cancel, glyph_print, glyph_preview, glyph_copy, glyph_save_results,
        glyph_menu,
    ],
    "toolbar_query_fields.png": [glyph_menu, glyph_add_column],
    "toolbar_query_columns.png": [glyph_up, glyph_down, glyph_delete],
    "toolbar_media.png": [
        glyph_context_pane, glyph_title_pane, glyph_link_note, glyph_frame_link, glyph_add_frame,
        glyph_select_frame, glyph_up, glyph_down, glyph_delete,
    ],
}


def png_bytes(width, height, rows):
    """An RGBA PNG of rows, each a list of (r, g, b, a) tuples."""
    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def strip_rows(glyphs):
    drawn = []
    for draw in glyphs:
        g = Glyph()
        draw(g)
        drawn.append(g)
    rows = []
    for y in range(HEIGHT):
        row = []
        for g in drawn:
            for colour in g.pixels[y]:
                row.append((0, 0, 0, 0) if colour is None else colour + (255,))
        rows.append(row)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = os.path.join(here, "..", "resources", "images")
    for name, glyphs in STRIPS.items():
        data = png_bytes(WIDTH * len(glyphs), HEIGHT, strip_rows(glyphs))
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
        print(f"{name}: {len(glyphs)} images")
    return 0


if __name__ == "__main__":
    sys.exit(main())
