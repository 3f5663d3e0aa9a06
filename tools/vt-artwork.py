#!/usr/bin/env python3
"""Draws the state bitmaps of the skinned-control tests and screenshot.

Every state of a control gets its own colour scheme, so a single painted
pixel tells which state is shown. Shapes have hard edges on a fuchsia
background (the transparent colour, also the lower-left pixel) so that the
region of the opaque pixels is exact. Writes 24-bit .bmp files.

Usage: tools/vt-artwork.py [output folder]   (default tests/vtpackage/fixtures)
"""
import math
import os
import struct
import sys

FUCHSIA = (255, 0, 255)


def write_bmp(path, width, height, pixel):
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - width * 3)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def rounded_rect(width, height, radius):
    def inside(x, y):
        cx = min(max(x + 0.5, radius), width - radius)
        cy = min(max(y + 0.5, radius), height - radius)
        return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius
    return inside


def circle(size):
    r = size / 2.0

    def inside(x, y):
        return (x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2 <= (r - 0.25) ** 2
    return inside


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def face(width, height, shape, top, bottom, edge, mark=None, mark_colour=None):
    """A shape filled with a vertical gradient, a one-pixel edge and an
    optional mark (a function of the pixel centre) on top."""
    def pixel(x, y):
        if not shape(x, y):
            return FUCHSIA
        if not all(shape(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
            return edge
        if mark and mark(x + 0.5, y + 0.5):
            return mark_colour
        colour = mix(top, bottom, y / max(1, height - 1))
        # A light line under the top edge gives the face some relief.
        if y >= 1 and not shape(x, y - 2):
            colour = mix(colour, (255, 255, 255), 0.45)
        return colour
    return pixel


# Colour schemes per look: (top, bottom, edge).
LOOKS = {
    "raised": ((92, 150, 235), (32, 78, 170), (16, 40, 96)),
    "sunken": ((20, 52, 120), (60, 110, 200), (10, 26, 70)),
    "focused": ((140, 205, 255), (48, 130, 220), (20, 70, 150)),
    "disabled": ((196, 196, 200), (150, 150, 156), (110, 110, 116)),
}
ORDER = ["raised", "sunken", "focused", "disabled"]


def buttons(out):
    width, height = 84, 28
    shape = rounded_rect(width, height, 7)
    for look in ORDER:
        top, bottom, edge = LOOKS[look]
        write_bmp(os.path.join(out, "button_%s.bmp" % look), width, height, face(width, height, shape, top, bottom, edge))
    # Round button: a circle whose corners are the transparent colour.
    size = 40
    for look in ORDER:
        top, bottom, edge = LOOKS[look]
        dot = lambda x, y: (x - 20) ** 2 + (y - 20) ** 2 <= 36
        write_bmp(os.path.join(out, "round_%s.bmp" % look), size, size,
                  face(size, size, circle(size), top, bottom, edge, dot, (250, 250, 250)))


def bricks(out):
    width, height = 84, 28
    shape = rounded_rect(width, height, 3)
    schemes = {
        "normal": ((120, 196, 140), (54, 130, 80), (24, 70, 40)),
        "focused": ((170, 236, 186), (80, 170, 110), (30, 96, 56)),
        "disabled": ((204, 210, 204), (160, 166, 160), (116, 122, 116)),
    }
    for look, (top, bottom, edge) in schemes.items():
        write_bmp(os.path.join(out, "brick_%s.bmp" % look), width, height, face(width, height, shape, top, bottom, edge))
    # The normal brick with another colour in its upper-left pixel: the
    # transparent colour must come from the lower-left one.
    normal = face(width, height, shape, *schemes["normal"])
    write_bmp(os.path.join(out, "brick_marked.bmp"), width, height,
              lambda x, y: (0, 128, 0) if (x, y) == (0, 0) else normal(x, y))


def check_marks(size):
    def tick(x, y):
        return min(segment_distance(x, y, 4.5, 9.5, 8, 13), segment_distance(x, y, 8, 13, 14, 5)) <= 1.3

    def square(x, y):
        return 6 <= x <= 14 and 6 <= y <= 14

    def dot(x, y):
        return (x - size / 2.0) ** 2 + (y - size / 2.0) ** 2 <= 16
    return tick, square, dot


# Box colours per look of the check boxes and radio buttons.
BOX = {
    "raised": ((250, 250, 252), (206, 214, 228), (60, 70, 96)),
    "sunken": ((176, 188, 210), (220, 226, 238), (30, 40, 70)),
    "focused": ((232, 244, 255), (170, 206, 246), (30, 100, 200)),
    "disabled": ((226, 226, 226), (206, 206, 206), (150, 150, 150)),
}
MARK = {"raised": (24, 110, 40), "sunken": (16, 80, 30), "focused": (10, 130, 220), "disabled": (140, 140, 140)}


def check_boxes(out):
    size = 20
    tick, square, dot = check_marks(size)
    shape = rounded_rect(size, size, 3)
    for group, mark in (("unchecked", None), ("checked", tick), ("grayed", square)):
        for look in ORDER:
            top, bottom, edge = BOX[look]
            colour = MARK[look] if group == "checked" else mix(MARK[look], (160, 160, 160), 0.6)
            write_bmp(os.path.join(out, "check_%s_%s.bmp" % (group, look)), size, size,
                      face(size, size, shape, top, bottom, edge, mark, colour))
    for group, mark in (("unchecked", None), ("checked", dot)):
        for look in ORDER:
            top, bottom, edge = BOX[look]
            write_bmp(os.path.join(out, "radio_%s_%s.bmp" % (group, look)), size, size,
                      face(size, size, circle(size), top, bottom, edge, mark, MARK[look]))


def bar(out):
    width, height = 180, 24
    groove = lambda x, y: 8 <= y < 16 and rounded_rect(width - 8, 8, 4)(x - 4, y - 8) and 4 <= x < width - 4
    schemes = {
        "normal": ((70, 80, 96), (150, 160, 176), (40, 46, 58)),
        "focused": ((60, 90, 140), (130, 170, 230), (30, 60, 120)),
        "disabled": ((170, 170, 170), (210, 210, 210), (130, 130, 130)),
    }

    def track(top, bottom, edge):
        inner = face(width, height, groove, top, bottom, edge)

        def pixel(x, y):
            # Scale ticks every 16 pixels under the groove.
            if groove(x, y):
                return inner(x, y)
            if 19 <= y <= 21 and (x - 10) % 16 == 0 and 10 <= x <= width - 10:
                return edge
            return (236, 238, 242)
        return pixel

    for look, scheme in schemes.items():
        write_bmp(os.path.join(out, "bar_%s.bmp" % look), width, height, track(*scheme))
    write_bmp(os.path.join(out, "bar_knob.bmp"), 12, 20,
              face(12, 20, rounded_rect(12, 20, 4), (255, 214, 120), (220, 130, 20), (120, 60, 0)))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "tests", "vtpackage", "fixtures")
    os.makedirs(out, exist_ok=True)
    buttons(out)
    bricks(out)
    check_boxes(out)
    bar(out)


if __name__ == "__main__":
    main()
