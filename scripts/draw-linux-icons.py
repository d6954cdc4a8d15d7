#!/usr/bin/env python3
"""Draws the programs' icon for the desktop's icon theme from the drawing in icon_drawing.py:
ROOT/hicolor/NxN/apps/NAME.png at 16 to 256 pixels and ROOT/hicolor/scalable/apps/NAME.svg.
usage: scripts/draw-linux-icons.py ROOT [NAME]"""
import os
import sys

from icon_drawing import draw, png, svg

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def main():
    root = sys.argv[1]
    name = sys.argv[2] if len(sys.argv) > 2 else "kadropisets"
    for size in SIZES:
        folder = os.path.join(root, "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name + ".png"), "wb") as f:
            f.write(png(size, draw(size)))
    folder = os.path.join(root, "hicolor", "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name + ".svg"), "w") as f:
        f.write(svg())


if __name__ == "__main__":
    main()
