#!/usr/bin/env python3
"""Draws the programs' Windows icon, windows/kadropisets.ico, from the drawing in icon_drawing.py
at the sizes Windows asks for.
usage: scripts/draw-windows-icon.py [OUT]"""
import struct
import sys

from icon_drawing import SIZES, draw, png


def dib(size, rows):
    """A 32-bit DIB as icons hold it: bottom row first, BGRA, then an all-zero AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    return header + pixels + b"\0" * (mask_stride * size)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "windows/kadropisets.ico"
    images = []
    for size in SIZES:
        rows = draw(size)
        # Large pictures as PNG (Windows Vista and later), small ones as plain bitmaps.
        images.append((size, png(size, rows) if size >= 256 else dib(size, rows)))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, image in images:
        side = size if size < 256 else 0
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    with open(out, "wb") as f:
        f.write(directory + data)


if __name__ == "__main__":
    main()
