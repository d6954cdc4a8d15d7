"""The programs' icon as one drawing: the letter K lit in red dots on the dark panel of the
display unit, unlit dots dim. draw-windows-icon.py makes the Windows icon of it, draw-linux-icons.py
the SVG and the PNGs of the desktop's icon theme, so both show the same picture."""
import struct
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
    radius_corner, margin, pitch, dot = geometry(size)
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


def geometry(size):
    """The rounded square's corner radius, the margin around the dots, their pitch and radius."""
    margin = size * 0.06
    pitch = (size - 2 * margin) / len(PATTERN)
    return size * 0.16, margin, pitch, pitch * 0.40


def svg(size=256):
    """The same drawing as vector shapes."""
    corner, margin, pitch, radius = geometry(size)

    def hexcolour(c):
        return "#%02x%02x%02x" % c

    shapes = [f'<rect width="{size}" height="{size}" rx="{corner:g}" fill="{hexcolour(PANEL)}"/>']
    for line, row in enumerate(PATTERN):
        for col, mark in enumerate(row):
            x = margin + (col + 0.5) * pitch
            y = margin + (line + 0.5) * pitch
            colour = hexcolour(LIT if mark == "#" else UNLIT)
            shapes.append(f'<circle cx="{x:g}" cy="{y:g}" r="{radius:g}" fill="{colour}"/>')
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
            f'viewBox="0 0 {size} {size}">\n' + "\n".join(shapes) + "\n</svg>\n")
