#!/usr/bin/env python3
"""Draws the pictures of the external file links tree in resources/images/: 32 x 16 strips (a
16 x 16 picture on white, then its mask), as make_record_type_images.py draws its own.

- file_link_folder.png, file_link_folder_missing.png: a folder, and one crossed out;
- file_link_floppy.png: a floppy drive (names "A:" and "B:");
- file_link_drive.png: any other drive, a network name or "/";
- file_link_file.png, file_link_file_missing.png: a file, and one crossed out.

Only the standard library is used; the strips are committed, and the build never runs it.
"""

import os

from make_record_type_images import BLACK, GREY, OCHRE, PAPER, RED, SKY, YELLOW, Glyph, strip_bytes


def folder(g):
    g.box(1, 3, 6, 5, OCHRE, YELLOW)
    g.box(1, 5, 14, 13, OCHRE, YELLOW)


def floppy(g):
    g.box(2, 2, 13, 13, BLACK, SKY)
    g.box(4, 2, 11, 6, BLACK, (224, 224, 224))
    g.fill(9, 3, 10, 5, BLACK)
    g.box(4, 9, 11, 13, BLACK, PAPER)


def drive(g):
    g.box(1, 2, 14, 10, BLACK, GREY)
    g.box(3, 4, 12, 8, BLACK, SKY)
    g.fill(6, 11, 9, 11, BLACK)
    g.box(3, 12, 12, 14, BLACK, GREY)


def paper(g):
    g.box(3, 1, 12, 14, BLACK, PAPER)
    for y in (4, 6, 8, 10):
        g.hline(5, 10, y, GREY)


def crossed(draw):
    def crossed_draw(g):
        draw(g)
        for i in range(9):
            g.dot(6 + i, 6 + i, RED)
            g.dot(7 + i, 6 + i, RED)
            g.dot(14 - i, 6 + i, RED)
            g.dot(15 - i, 6 + i, RED)
    return crossed_draw


def main():
    folder_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources",
                               "images")
    for name, draw in [("folder", folder), ("folder_missing", crossed(folder)),
                       ("floppy", floppy), ("drive", drive), ("file", paper),
                       ("file_missing", crossed(paper))]:
        g = Glyph()
        draw(g)
        with open(os.path.join(folder_path, "file_link_%s.png" % name), "wb") as f:
            f.write(strip_bytes(g, lambda c: c))


if __name__ == "__main__":
    main()
