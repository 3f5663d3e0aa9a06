#!/usr/bin/env python3
"""Writes the catalogue of each picture folder given: Pictures.txt, one line
per .bmp or .png file, "name size width height bits alpha", with the file's
size in bytes and what its header says (bits: the format the program holds
the picture in, 4, 24 or 32; alpha: 1 when the picture carries real alpha).
The program places a form's pictures from it without opening each file, as
long as a file's size still matches its line and the file was not written
after the catalogue; a test checks the committed catalogues against the
files. Run after changing any shipped picture (the catalogue is written last,
so it is never older than the pictures it lists):
    tools/picture-catalog.py data/Skin/* data/Resource
"""
import os
import struct
import sys


def held_bits(bit_count):
    return 4 if bit_count <= 4 else 32 if bit_count == 32 else 24


def bmp_entry(data):
    if data[:2] != b'BM' or len(data) < 26:
        raise ValueError('not a bitmap')
    info_size = struct.unpack_from('<I', data, 14)[0]
    if info_size == 12:
        width, height, _, bit_count = struct.unpack_from('<HHHH', data, 18)
    else:
        width, height, _, bit_count = struct.unpack_from('<iiHH', data, 18)
    return width, abs(height), held_bits(bit_count), 0


def png_entry(data):
    if data[:8] != b'\x89PNG\r\n\x1a\n' or data[12:16] != b'IHDR':
        raise ValueError('not a PNG picture')
    width, height = struct.unpack_from('>II', data, 16)
    return width, height, 32, 1


def write_catalog(folder):
    lines = ['# name size width height bits alpha (written by tools/picture-catalog.py)']
    for name in sorted(os.listdir(folder), key=str.lower):
        path = os.path.join(folder, name)
        kind = os.path.splitext(name)[1].lower()
        if kind not in ('.bmp', '.png') or not os.path.isfile(path):
            continue
        with open(path, 'rb') as picture:
            data = picture.read()
        width, height, bits, alpha = (bmp_entry if kind == '.bmp' else png_entry)(data)
        lines.append(f'{name} {len(data)} {width} {height} {bits} {alpha}')
    with open(os.path.join(folder, 'Pictures.txt'), 'w', newline='\r\n') as catalog:
        catalog.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    for folder in sys.argv[1:]:
        write_catalog(folder)
