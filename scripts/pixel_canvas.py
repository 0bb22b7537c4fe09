"""The drawing helpers that the picture scripts share: a grid of pixels to draw on with dots,
rectangles and lines, the colours they use, and PNG bytes of rows of pixels (8-bit RGB, no
interlace, deflated at level 9), so that a picture drawn again comes out byte for byte the same.

Only the standard library is used.
"""

import struct
import zlib

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
BLUE = (40, 96, 224)
SKY = (168, 200, 255)
PAPER = (255, 255, 232)
OCHRE = (176, 128, 0)


class Canvas:
    """width x height pixels, each a colour or None (not drawn), all background at first."""

    def __init__(self, width, height, background=None):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def dot(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, colour)

    def box(self, x0, y0, x1, y1, edge, inside):
        self.fill(x0, y0, x1, y1, edge)
        self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)

    def hline(self, x0, x1, y, colour):
        self.fill(x0, y, x1, y, colour)

    def vline(self, x, y0, y1, colour):
        self.fill(x, y0, x, y1, colour)


def png_bytes(rows):
    """A PNG file of rows of (r, g, b) pixels, all rows as long as the first."""
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    head = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))
