#!/usr/bin/env python3
"""Draws the pictures of other multimedia files in resources/images/: 32 x 32 pictures on white
that the multimedia window shows for a file it cannot show itself (bitmaps 440 to 444 of
media.rc):

- media_file_video.png: a sheet of film;
- media_file_sound.png: a loudspeaker with sound waves;
- media_file_document.png: a page of text;
- media_file_other.png: a page with a question mark;
- media_file_picture.png: a framed landscape, for a picture file shown by another program.

Only the standard library is used; the pictures are committed, and the build never runs it.
"""

import os

from pixel_canvas import BLACK, BLUE, GREY, OCHRE, PAPER, SKY, WHITE, Canvas, png_bytes

SIZE = 32


def page(p):
    p.box(6, 2, 25, 29, BLACK, PAPER)
    p.fill(21, 2, 25, 6, WHITE)
    for i in range(5):
        p.dot(21 + i, 2 + i, BLACK)
    p.fill(21, 2, 21, 6, BLACK)
    p.fill(21, 6, 25, 6, BLACK)


def video(p):
    p.box(3, 6, 28, 25, BLACK, GREY)
    for x in range(5, 27, 4):
        p.fill(x, 8, x + 1, 9, WHITE)
        p.fill(x, 22, x + 1, 23, WHITE)
    p.box(6, 11, 15, 20, BLACK, SKY)
    p.box(16, 11, 25, 20, BLACK, SKY)


def sound(p):
    p.box(4, 12, 9, 19, BLACK, GREY)
    for i in range(7):
        p.fill(10 + i, 12 - i, 10 + i, 19 + i, BLACK)
    p.fill(11, 12, 15, 19, GREY)
    for radius, x in ((3, 20), (6, 23), (9, 26)):
        for y in range(16 - radius, 16 + radius + 1):
            p.dot(x + (abs(y - 16) * abs(y - 16)) // (2 * radius + 4) * -1 + 1, y, BLUE)


def document(p):
    page(p)
    for y in range(10, 27, 3):
        p.fill(9, y, 22, y, GREY)


def other(p):
    page(p)
    p.fill(12, 10, 19, 11, OCHRE)
    p.fill(18, 12, 19, 16, OCHRE)
    p.fill(15, 16, 17, 17, OCHRE)
    p.fill(15, 18, 16, 21, OCHRE)
    p.fill(15, 24, 16, 25, OCHRE)


def picture(p):
    p.box(3, 5, 28, 26, BLACK, SKY)
    p.fill(21, 8, 24, 11, OCHRE)
    for i in range(9):
        p.fill(5 + i, 24 - i, 21 - i, 24 - i, GREY)
    for i in range(6):
        p.fill(16 + i, 24 - i, 26 - i, 24 - i, BLUE)


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "images")
    for name, draw in [("video", video), ("sound", sound), ("document", document),
                       ("other", other), ("picture", picture)]:
        p = Canvas(SIZE, SIZE, WHITE)
        draw(p)
        with open(os.path.join(folder, "media_file_%s.png" % name), "wb") as f:
            f.write(png_bytes(p.pixels))


if __name__ == "__main__":
    main()
