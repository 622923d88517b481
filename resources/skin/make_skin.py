#!/usr/bin/env python3
"""Draws the wizard's skin pictures and writes the resource lines that embed them.

make_skin.py OUTPUT_DIR. Standard library only: every picture is drawn from simple shapes, at
the sizes and in the colours the pages expect. setup.exe carries each one as a PNG (skin.rc,
type PNG); the same picture as an uncompressed 24-bit BMP goes into skin-originals.rc (type
BMPFILE) for the test that compares the two, never into setup.exe.
"""
import math
import os
import struct
import sys
import zlib

PANEL = (26, 29, 33)
DARK_PANEL = (25, 28, 31)
RED = (245, 37, 44)
GREY = (153, 153, 153)
WHITE = (255, 255, 255)


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            old = self.rows[y][x]
            a = min(alpha, 1.0)
            self.rows[y][x] = tuple(int(round(o + (c - o) * a)) for o, c in zip(old, colour))

    def shape(self, inside, colour, box=None):
        """Paints every pixel whose centre lies inside, with 4x4 supersampled edges."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                hits = sum(inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4)
                           for i in range(4) for j in range(4))
                if hits:
                    self.blend(x, y, colour, hits / 16)

    def rect(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.put(xx, yy, colour)

    def frame(self, x, y, w, h, colour, thickness=1):
        self.rect(x, y, w, thickness, colour)
        self.rect(x, y + h - thickness, w, thickness, colour)
        self.rect(x, y, thickness, h, colour)
        self.rect(x + w - thickness, y, thickness, h, colour)

    def circle(self, cx, cy, r, colour):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour,
                   (int(cx - r) - 1, int(cy - r) - 1, int(cx + r) + 2, int(cy + r) + 2))

    def ring(self, cx, cy, r, width, colour):
        self.shape(lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                   colour, (int(cx - r) - 1, int(cy - r) - 1, int(cx + r) + 2, int(cy + r) + 2))

    def line(self, points, width, colour):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            def inside(x, y, ax=ax, ay=ay, bx=bx, by=by):
                dx, dy = bx - ax, by - ay
                t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
                return math.hypot(x - ax - t * dx, y - ay - t * dy) <= width / 2
            box = (int(min(ax, bx) - width) - 1, int(min(ay, by) - width) - 1,
                   int(max(ax, bx) + width) + 2, int(max(ay, by) + width) + 2)
            self.shape(inside, colour, box)

    def polygon(self, points, colour):
        def inside(x, y):
            result = False
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                    result = not result
            return result
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.shape(inside, colour, (int(min(xs)) - 1, int(min(ys)) - 1,
                                    int(max(xs)) + 2, int(max(ys)) + 2))

    def rgb_rows(self):
        return [bytes(v for pixel in row for v in pixel) for row in self.rows]

    def write_png(self, path):
        """RGB, 8 bits a channel, no colour-space chunks: decoders give the bytes back as drawn."""
        data = min((zlib.compress(filtered, 9) for filtered in png_filterings(self.rgb_rows())),
                   key=len)
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            for kind, body in ((b"IHDR", header), (b"IDAT", data), (b"IEND", b"")):
                out.write(struct.pack(">I", len(body)) + kind + body +
                          struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    def write_bmp(self, path):
        stride = (self.width * 3 + 3) & ~3
        pixels = bytearray()
        for row in reversed(self.rows):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += b"\0" * (stride - len(line))
            pixels += line
        header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(pixels),
                           2835, 2835, 0, 0)
        with open(path, "wb") as out:
            out.write(header + info + pixels)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def png_filter(kind, row, above):
    """One row under PNG filter kind (0 none, 1 sub, 2 up, 4 paeth), 3 bytes a pixel."""
    if kind == 0:
        return bytes(row)
    out = bytearray(len(row))
    for i, value in enumerate(row):
        left = row[i - 3] if i >= 3 else 0
        up = above[i]
        if kind == 1:
            predicted = left
        elif kind == 2:
            predicted = up
        else:
            predicted = paeth(left, up, above[i - 3] if i >= 3 else 0)
        out[i] = (value - predicted) & 0xFF
    return bytes(out)


def png_filterings(rows):
    """The image data under each whole-image filter; the smallest after compression wins."""
    for kind in (0, 1, 2, 4):
        above = bytes(len(rows[0]))
        data = bytearray()
        for row in rows:
            data.append(kind)
            data += png_filter(kind, row, above)
            above = row
        yield bytes(data)


def solid(w, h, colour):
    return Canvas(w, h, colour)


def page_background():
    """A dark illustration of network devices: racks, cameras and the links between them."""
    c = Canvas(744, 544, (35, 38, 41))
    for y in range(0, 544, 24):
        c.rect(0, y, 744, 1, (38, 41, 44))
    for x in range(0, 744, 24):
        c.rect(x, 0, 1, 544, (38, 41, 44))
    nodes = [(120, 300), (260, 380), (400, 320), (540, 400), (640, 290), (330, 460), (600, 480)]
    for a, b in [(0, 1), (1, 2), (2, 3), (3, 4), (1, 5), (5, 6), (3, 6), (2, 4)]:
        c.line([nodes[a], nodes[b]], 2, (52, 56, 60))
    for i, (x, y) in enumerate(nodes):
        if i % 2 == 0:  # a server rack
            c.rect(x - 22, y - 30, 44, 60, (44, 48, 52))
            for k in range(4):
                c.rect(x - 18, y - 26 + k * 14, 36, 10, (54, 58, 63))
                c.rect(x + 10, y - 23 + k * 14, 4, 4, (70, 110, 150))
        else:  # a camera
            c.rect(x - 20, y - 10, 32, 20, (50, 54, 58))
            c.circle(x + 16, y, 8, (58, 62, 67))
            c.circle(x + 16, y, 4, (40, 44, 48))
            c.rect(x - 6, y + 10, 4, 14, (50, 54, 58))
    return c


def close_button(square, cross, small):
    c = Canvas(24, 24, square)
    inset = 8 if small else 7
    c.line([(inset, inset), (24 - inset, 24 - inset)], 1.6, cross)
    c.line([(24 - inset, inset), (inset, 24 - inset)], 1.6, cross)
    return c


def check_box(border, fill, tick, background=PANEL):
    c = Canvas(24, 24, background)
    c.rect(4, 4, 16, 16, fill)
    if border:
        c.frame(4, 4, 16, 16, border)
    if tick:
        c.line([(7.5, 12), (10.5, 15), (16.5, 8.5)], 2, tick)
    return c


def radio(ring, dot):
    c = Canvas(24, 24, DARK_PANEL)
    c.ring(12, 12, 8, 1.5, ring)
    if dot:
        c.circle(12, 12, 4, dot)
    return c


def three_dots(square, dots):
    c = Canvas(24, 24, square)
    for x in (7, 12, 17):
        c.circle(x, 12, 1.6, dots)
    return c


def down_arrow(square, arrow):
    c = Canvas(24, 24, square)
    c.polygon([(7.5, 10), (16.5, 10), (12, 15)], arrow)
    return c


def info_mark():
    c = Canvas(24, 24, DARK_PANEL)
    c.circle(12, 12, 10, (30, 144, 255))
    c.circle(12, 7, 1.6, WHITE)
    c.line([(12, 10.5), (12, 17.5)], 2.6, WHITE)
    return c


def success_mark():
    c = Canvas(40, 40, DARK_PANEL)
    c.circle(20, 20, 18, (46, 170, 80))
    c.line([(11, 20), (17.5, 26.5), (29, 14)], 3.5, WHITE)
    return c


def warning_mark():
    c = Canvas(41, 34, DARK_PANEL)
    c.polygon([(20.5, 1), (40, 33), (1, 33)], (250, 190, 30))
    c.line([(20.5, 11), (20.5, 22)], 3.2, (25, 28, 31))
    c.circle(20.5, 27.5, 1.9, (25, 28, 31))
    return c


def question_mark():
    c = Canvas(40, 40, DARK_PANEL)
    c.circle(20, 20, 18, (250, 190, 30))
    arc = [(14 + 6 * math.cos(math.radians(a)), 15 - 6 * math.sin(math.radians(a)))
           for a in range(170, -80, -20)]
    c.line(arc + [(20, 24)], 3.2, DARK_PANEL)
    c.circle(20, 29.5, 2, DARK_PANEL)
    return c


def logo(colour):
    c = Canvas(24, 24, (35, 38, 41))
    c.polygon([(2, 2), (22, 2), (22, 22), (2, 22)], colour)
    c.line([(6, 6), (12, 18), (18, 6)], 2.6, WHITE)
    return c


def pictures():
    return {
        "IDB_PAGE_BACKGROUND": page_background(),
        "IDB_LOWER_PANEL": solid(720, 152, PANEL),
        "IDB_END_PANEL": solid(720, 260, DARK_PANEL),
        "IDB_MAINTENANCE_PANEL": solid(720, 290, DARK_PANEL),
        "IDB_FEATURE_PANEL": solid(720, 474, DARK_PANEL),
        "IDB_DISK_SPACE_BACKGROUND": solid(380, 166, DARK_PANEL),
        "IDB_LICENCE_BACKGROUND": solid(600, 640, DARK_PANEL),
        "IDB_MESSAGE_BACKGROUND": solid(360, 200, DARK_PANEL),
        "IDB_FEATURE_HIGHLIGHT": solid(320, 30, (62, 65, 68)),
        "IDB_BROWSE_SQUARE": solid(28, 32, (39, 42, 46)),
        "IDB_INFO_MARK": info_mark(),
        "IDB_SUCCESS_MARK": success_mark(),
        "IDB_WARNING_MARK": warning_mark(),
        "IDB_QUESTION_MARK": question_mark(),
        "IDB_LOGO_FULL": logo(RED),
        "IDB_LOGO_VS": logo((40, 150, 90)),
        "IDB_LOGO_AC": logo((30, 110, 220)),
        "IDB_PAGE_CLOSE_HOVER": close_button((200, 200, 200), (26, 29, 33), False),
        "IDB_PAGE_CLOSE_NORMAL": close_button((44, 47, 51), (200, 200, 200), False),
        "IDB_PAGE_CLOSE_PRESSED": close_button((100, 104, 108), WHITE, False),
        "IDB_DIALOG_CLOSE_HOVER": close_button((200, 200, 200), (26, 29, 33), True),
        "IDB_DIALOG_CLOSE_NORMAL": close_button((44, 47, 51), (200, 200, 200), True),
        "IDB_DIALOG_CLOSE_PRESSED": close_button((100, 104, 108), WHITE, True),
        "IDB_CHECK_HOVER": check_box(RED, PANEL, None),
        "IDB_CHECK_NORMAL": check_box(GREY, PANEL, None),
        "IDB_CHECK_CHECKED": check_box(None, RED, WHITE),
        "IDB_MANDATORY_DISABLED": check_box((90, 90, 90), (60, 63, 66), None),
        "IDB_MANDATORY_HOVER": check_box(RED, PANEL, None),
        "IDB_MANDATORY_NORMAL": check_box(GREY, PANEL, None),
        "IDB_MANDATORY_DISABLED_CHECKED": check_box(None, (110, 110, 110), (200, 200, 200)),
        "IDB_MANDATORY_CHECKED": check_box(None, RED, WHITE),
        "IDB_FEATURE_DISABLED_CHECKED": check_box(None, (110, 110, 110), (200, 200, 200)),
        "IDB_FEATURE_DISABLED": check_box((60, 63, 66), (30, 33, 37), None),
        "IDB_RADIO_HOVER": radio(RED, None),
        "IDB_RADIO_NORMAL": radio(GREY, None),
        "IDB_RADIO_SELECTED": radio(RED, RED),
        "IDB_BROWSE_HOVER": three_dots((62, 65, 68), WHITE),
        "IDB_BROWSE_NORMAL": three_dots((39, 42, 46), (200, 200, 200)),
        "IDB_BROWSE_PRESSED": three_dots((83, 86, 89), WHITE),
        "IDB_DROP_DOWN_HOVER": down_arrow((62, 65, 68), WHITE),
        "IDB_DROP_DOWN_NORMAL": down_arrow((39, 42, 46), (200, 200, 200)),
        "IDB_DROP_DOWN_PRESSED": down_arrow((83, 86, 89), WHITE),
    }


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    # The ids are named; their numbers live in product/ResourceIds.h, which ui.rc includes first.
    compressed = ["// Generated by make_skin.py: the skin pictures as PNG.\n"]
    originals = ["// Generated by make_skin.py: the skin pictures as drawn, for the test only.\n",
                 '#include "product/ResourceIds.h"\n']
    for name, canvas in sorted(pictures().items()):
        png = os.path.join(out, "%s.png" % name)
        bmp = os.path.join(out, "%s.bmp" % name)
        canvas.write_png(png)
        canvas.write_bmp(bmp)
        compressed.append('%s PNG "%s"\n' % (name, png))
        originals.append('%s BMPFILE "%s"\n' % (name, bmp))
    for file_name, lines in (("skin.rc", compressed), ("skin-originals.rc", originals)):
        with open(os.path.join(out, file_name), "w") as rc:
            rc.writelines(lines)


if __name__ == "__main__":
    main()
