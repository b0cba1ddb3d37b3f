#!/usr/bin/env python3
"""Writes PelmoraConfig's application icon: a red desk telephone with its
handset on the cradle, a keypad on the front and a green lamp.

The icon file holds two images, 32 x 32 and 16 x 16, each with 16 colours
(4 bits per pixel, the standard Windows VGA palette) and a 1-bit AND mask
that makes the background transparent. Both pictures are drawn below as
text grids, one character per pixel. The output depends on nothing but
this file, so running the script again gives the same bytes.

Usage: python3 make_icon.py [output-path]
       (the default output is PelmoraConfig.ico beside this script)
"""

import os
import struct
import sys

# The standard 16-colour Windows palette, in index order, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00),  # 0  black
    (0x80, 0x00, 0x00),  # 1  maroon
    (0x00, 0x80, 0x00),  # 2  green
    (0x80, 0x80, 0x00),  # 3  olive
    (0x00, 0x00, 0x80),  # 4  navy
    (0x80, 0x00, 0x80),  # 5  purple
    (0x00, 0x80, 0x80),  # 6  teal
    (0xC0, 0xC0, 0xC0),  # 7  silver
    (0x80, 0x80, 0x80),  # 8  grey
    (0xFF, 0x00, 0x00),  # 9  red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]

TRANSPARENT = "."
# Which palette index each character of a grid stands for.
INK = {
    "K": 0,   # black outlines and keypad panel
    "r": 1,   # maroon shadow
    "R": 9,   # red body
    "G": 10,  # lime lamp
    "W": 15,  # white keys and highlights
}

PHONE_32 = [
    "................................",
    "................................",
    "......KKKKKKKKKKKKKKKKKKKK......",
    "....KKRRRRRRRRRRRRRRRRRRRRKK....",
    "...KRRWWWWRRRRRRRRRRRRRRRRRRK...",
    "..KRRWRRRRRRRRRRRRRRRRRRRRRRRK..",
    ".KRRRRRRrrrrrrrrrrrrrrrrRRRRRRK.",
    ".KRRRRRRKKKKKKKKKKKKKKKKRRRRRRK.",
    ".KRRRRRRK..............KRRRRRRK.",
    ".KrrrrrrK..............KrrrrrrK.",
    "..KKKKKK................KKKKKK..",
    "...KKKKKKKKKKKKKKKKKKKKKKKKKK...",
    "...KRRRRRRRRRRRRRRRRRRRRRGGRK...",
    "..KRRRRRRRRRRRRRRRRRRRRRRRRRrK..",
    "..KRRRRRKKKKKKKKKKKKKKKKRRRRrK..",
    "..KRRRRRKWWWWKWWWWKWWWWKRRRRrK..",
    "..KRRRRRKWWWWKWWWWKWWWWKRRRRrK..",
    "..KRRRRRKKKKKKKKKKKKKKKKRRRRrK..",
    "..KRRRRRKWWWWKWWWWKWWWWKRRRRrK..",
    "..KRRRRRKWWWWKWWWWKWWWWKRRRRrK..",
    ".KRRRRRRKKKKKKKKKKKKKKKKRRRRRrK.",
    ".KRRRRRRKWWWWKWWWWKWWWWKRRRRRrK.",
    ".KRRRRRRKWWWWKWWWWKWWWWKRRRRRrK.",
    ".KRRRRRRKKKKKKKKKKKKKKKKRRRRRrK.",
    ".KRRRRRRKWWWWKWWWWKWWWWKRRRRRrK.",
    ".KRRRRRRKWWWWKWWWWKWWWWKRRRRRrK.",
    ".KRRRRRRKKKKKKKKKKKKKKKKRRRRRrK.",
    ".KRRRRRRRRRRRRRRRRRRRRRRRRRRRrK.",
    ".KrrrrrrrrrrrrrrrrrrrrrrrrrrrrK.",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    "................................",
    "................................",
]

PHONE_16 = [
    "..KKKKKKKKKKKK..",
    ".KRWWRRRRRRRRRK.",
    "KRRRrrrrrrrrRRRK",
    "KRRRKKKKKKKKRRRK",
    "KrrrK......KrrrK",
    ".KKKKKKKKKKKKKK.",
    ".KRRRRRRRRRRRGK.",
    ".KRKKKKKKKKKKrK.",
    ".KRKWWKWWKWWKrK.",
    ".KRKKKKKKKKKKrK.",
    ".KRKWWKWWKWWKrK.",
    ".KRKKKKKKKKKKrK.",
    ".KRKWWKWWKWWKrK.",
    ".KRKKKKKKKKKKrK.",
    ".KrrrrrrrrrrrrK.",
    ".KKKKKKKKKKKKKK.",
]


def padded(row_bytes):
    """Pads a bitmap row to a whole number of 4-byte words."""
    return row_bytes + bytes(-len(row_bytes) % 4)


def image_resource(grid):
    """One icon image: BITMAPINFOHEADER, palette, colour bitmap, AND mask."""
    size = len(grid)
    if any(len(row) != size for row in grid):
        raise ValueError(f"the {size}-pixel picture is not square")

    colour_rows, mask_rows = [], []
    for row in reversed(grid):  # bitmaps store their bottom row first
        indices = [0 if c == TRANSPARENT else INK[c] for c in row]
        colour_rows.append(padded(bytes(
            (indices[x] << 4) | indices[x + 1] for x in range(0, size, 2))))
        bits = [1 if c == TRANSPARENT else 0 for c in row]
        mask_rows.append(padded(bytes(
            sum(bit << (7 - i) for i, bit in enumerate(bits[x:x + 8]))
            for x in range(0, size, 8))))
    pixels = b"".join(colour_rows) + b"".join(mask_rows)

    header = struct.pack(
        "<IiiHHIIiiII",
        40,           # biSize
        size,         # biWidth
        size * 2,     # biHeight: the colour bitmap and the mask together
        1,            # biPlanes
        4,            # biBitCount
        0,            # biCompression: BI_RGB
        len(pixels),  # biSizeImage
        0, 0,         # biXPelsPerMeter, biYPelsPerMeter
        0, 0)         # biClrUsed, biClrImportant: all 16 colours
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return header + palette + pixels


def icon_file(grids):
    """An icon file with one image per grid, largest first."""
    images = [image_resource(grid) for grid in grids]
    directory = struct.pack("<HHH", 0, 1, len(images))  # reserved, icon, count
    offset = len(directory) + 16 * len(images)
    for grid, image in zip(grids, images):
        size = len(grid)
        directory += struct.pack(
            "<BBBBHHII",
            size, size,  # width, height
            16, 0,       # colour count, reserved
            1, 4,        # planes, bits per pixel
            len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def main(argv):
    if len(argv) > 2:
        sys.exit(__doc__.split("\n\n")[-1].strip())
    here = os.path.dirname(os.path.abspath(__file__))
    path = argv[1] if len(argv) == 2 else os.path.join(here, "PelmoraConfig.ico")
    with open(path, "wb") as out:
        out.write(icon_file([PHONE_32, PHONE_16]))


if __name__ == "__main__":
    main(sys.argv)
