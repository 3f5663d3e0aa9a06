#!/usr/bin/env python3
"""Draws the four tray icons (0.ico Turbo .. 3.ico Max Power Saving).

Every icon is a rounded badge in the mode's colour with four ascending
power bars; the number of lit bars falls with the power the mode allows
(four for Turbo, one for Max Power Saving), so colour and bar count both
tell the mode apart at 16 pixels. Each file holds 16, 20, 24, 32 and 48
pixel images with 32-bit alpha. Only the standard library is used and the
output is byte-for-byte reproducible.

Usage: make_tray_icons.py [output folder] [--preview sheet.png]
"""

import os
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 48)
SUPERSAMPLE = 4

# (top colour, bottom colour, lit bars) per icon index.
MODES = (
    ((0xF0, 0x4A, 0x3A), (0xB0, 0x1E, 0x1E), 4),  # Turbo: red
    ((0xFF, 0xA6, 0x2B), (0xD0, 0x6A, 0x08), 3),  # High Performance: amber
    ((0x9C, 0xD6, 0x3A), (0x5E, 0x9E, 0x14), 2),  # Medium Power Saving: lime
    ((0x3C, 0xC2, 0x7A), (0x12, 0x80, 0x4A), 1),  # Max Power Saving: green
)
BORDER_DARKEN = 0.62
LIT = (255, 255, 255, 1.0)
UNLIT = (255, 255, 255, 0.32)


def rounded_rect_coverage(size, inset, radius):
    """Anti-aliased coverage (0..1) of a rounded square, per pixel."""
    n = SUPERSAMPLE
    lo, hi = inset, size - inset
    cover = [[0.0] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            hits = 0
            for sy in range(n):
                py = y + (sy + 0.5) / n
                for sx in range(n):
                    px = x + (sx + 0.5) / n
                    if not (lo <= px <= hi and lo <= py <= hi):
                        continue
                    # Distance into the corner circles decides the corners.
                    cx = min(max(px, lo + radius), hi - radius)
                    cy = min(max(py, lo + radius), hi - radius)
                    if (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius:
                        hits += 1
            cover[y][x] = hits / (n * n)
    return cover


def bar_layout(size):
    """Pixel-aligned rectangles (x0, y0, x1, y1) of the four bars."""
    width = max(2, round(size * 0.125))
    gap = max(1, round(width / 2))
    total = 4 * width + 3 * gap
    left = (size - total) // 2
    bottom = size - max(3, round(size * 0.19))
    tallest = size - 2 * max(3, round(size * 0.19))
    bars = []
    for i in range(4):
        height = max(2, round(tallest * (i + 1) / 4))
        x0 = left + i * (width + gap)
        bars.append((x0, bottom - height, x0 + width, bottom))
    return bars


def over(dst, src):
    """Source-over compositing of straight-alpha (r, g, b, a) colours."""
    sa, da = src[3], dst[3]
    out_a = sa + da * (1 - sa)
    if out_a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    return tuple((src[i] * sa + dst[i] * da * (1 - sa)) / out_a for i in range(3)) + (out_a,)


def render(size, mode):
    top, bottom, lit = mode
    inset = 0.5 if size < 24 else 1.0
    radius = size * 0.24
    outer = rounded_rect_coverage(size, inset, radius)
    border = 1.0 if size < 32 else 1.5
    inner = rounded_rect_coverage(size, inset + border, max(radius - border, 1.0))
    bars = bar_layout(size)
    pixels = []
    for y in range(size):
        t = y / (size - 1)
        fill = tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))
        edge = tuple(c * BORDER_DARKEN for c in fill)
        row = []
        for x in range(size):
            # The border ring is the outer shape minus the inner one.
            colour = over((0.0, 0.0, 0.0, 0.0), edge + (outer[y][x],))
            colour = over(colour, fill + (inner[y][x],)) if inner[y][x] > 0 else colour
            for i, (x0, y0, x1, y1) in enumerate(bars):
                if x0 <= x < x1 and y0 <= y < y1:
                    paint = LIT if i < lit else UNLIT
                    colour = over(colour, paint)
            row.append(colour)
        pixels.append(row)
    return pixels


def to_bgra(pixels):
    out = []
    for row in pixels:
        out.append([
            (round(b), round(g), round(r), round(a * 255)) for (r, g, b, a) in row
        ])
    return out


def dib_image(rows):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA rows, AND mask."""
    size = len(rows)
    mask_stride = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (b, g, r, a) in enumerate(row):
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def ico_file(images):
    count = len(images)
    out = bytearray(struct.pack('<HHH', 0, 1, count))
    offset = 6 + 16 * count
    blobs = []
    for size, blob in images:
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def png_file(rows):
    """A straight-alpha RGBA PNG of BGRA rows (for the preview sheet)."""
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for (b, g, r, a) in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    ihdr = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b'')


def preview_sheet(all_images, scale=4):
    """Every size of every icon on a grey sheet, enlarged `scale` times."""
    cell = max(SIZES) * scale + 8
    width, height = cell * len(SIZES), cell * len(all_images)
    sheet = [[(0x60, 0x60, 0x60, 255)] * width for _ in range(height)]
    for m, images in enumerate(all_images):
        for s, rows in enumerate(images):
            for y, row in enumerate(rows):
                for x, (b, g, r, a) in enumerate(row):
                    bg = sheet[m * cell][0]
                    k = a / 255
                    px = tuple(round(c * k + bg[i] * (1 - k)) for i, c in enumerate((b, g, r))) + (255,)
                    for dy in range(scale):
                        for dx in range(scale):
                            sheet[m * cell + 4 + y * scale + dy][s * cell + 4 + x * scale + dx] = px
    return png_file(sheet)


def main(argv):
    args = list(argv)
    preview = None
    if '--preview' in args:
        at = args.index('--preview')
        preview = args[at + 1]
        del args[at:at + 2]
    here = os.path.dirname(os.path.abspath(__file__))
    folder = args[0] if args else os.path.join(here, '..', '..', 'data', 'Resource')
    os.makedirs(folder, exist_ok=True)
    sheet_rows = []
    for index, mode in enumerate(MODES):
        per_size = [to_bgra(render(size, mode)) for size in SIZES]
        sheet_rows.append(per_size)
        images = [(len(rows), dib_image(rows)) for rows in per_size]
        with open(os.path.join(folder, '%d.ico' % index), 'wb') as out:
            out.write(ico_file(images))
    if preview:
        with open(preview, 'wb') as out:
            out.write(preview_sheet(sheet_rows))


if __name__ == '__main__':
    main(sys.argv[1:])
