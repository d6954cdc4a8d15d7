#!/usr/bin/env python3
"""Draws the programs' Windows icon, windows/kadropisets.ico: the letter K lit in red dots on
the dark panel of the display unit, unlit dots dim, at the sizes Windows asks for.
usage: scripts/draw-windows-icon.py [OUT]"""
import struct
import sys
import zlib

# 7 x 7 dots; '#' lit. The letter K of the unit's own 7-dot font rows, centred.
PATTERN = [
    ".#...#.",
    ".#..#..",
    ".#.#...",
    ".##....",
    ".#.#...",
    ".#..#..",
    ".#...#.",
]
PANEL = (32, 34, 38)
LIT = (235, 40, 30)
UNLIT = (75, 30, 28)
SIZES = (16, 24, 32, 48, 64, 256)
SAMPLES = 4


def draw(size):
    """RGBA rows, top first: a rounded dark square with 7 x 7 round dots."""
    n = len(PATTERN)
    margin = size * 0.06
    radius_corner = size * 0.16
    pitch = (size - 2 * margin) / n
    dot = pitch * 0.40
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    px = x + (sx + 0.5) / SAMPLES
                    py = y + (sy + 0.5) / SAMPLES
                    # The rounded square.
                    cx = min(max(px, radius_corner), size - radius_corner)
                    cy = min(max(py, radius_corner), size - radius_corner)
                    if (px - cx) ** 2 + (py - cy) ** 2 > radius_corner ** 2:
                        continue
                    colour = PANEL
                    col = int((px - margin) // pitch)
                    line = int((py - margin) // pitch)
                    if 0 <= col < n and 0 <= line < n:
                        dx = px - (margin + (col + 0.5) * pitch)
                        dy = py - (margin + (line + 0.5) * pitch)
                        if dx * dx + dy * dy <= dot * dot:
                            colour = LIT if PATTERN[line][col] == "#" else UNLIT
                    acc[0] += colour[0]
                    acc[1] += colour[1]
                    acc[2] += colour[2]
                    acc[3] += 255
            count = SAMPLES * SAMPLES
            alpha = acc[3] / count
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                covered = acc[3] / 255
                row.append(tuple(int(round(c / covered)) for c in acc[:3]) + (int(round(alpha)),))
        rows.append(row)
    return rows


def png(size, rows):
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


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
