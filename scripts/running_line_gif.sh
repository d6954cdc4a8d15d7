#!/usr/bin/env bash
# Makes the README's animated picture of a running line: draws the word over three running-line
# frames with `kadr edit` (between a start and an end frame) and plays it with `kadr render`.
# usage: scripts/running_line_gif.sh [OUT.gif]      (default docs/running_line.gif)
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-docs/running_line.gif}
kadr=build/bin/kadr
if [ ! -x "$kadr" ]; then
    echo "running_line_gif: build it first: cmake --build build --target kadr" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The picture, 14 dot rows of 28 x 3 columns ('#' a dot); each frame takes 28 of its columns.
# Every letter is 5 x 7 dots drawn twice as high, so that the word fills both module rows.
read -r -d '' art <<'ART' || true
............#...#..###....##..####...###..#####.#...#..###..#####.#..#..............
............#...#..###....##..####...###..#####.#...#..###..#####.#..#..............
............#..#..#...#..#.#..#...#.#...#.#...#.#...#.#...#.#.....#..#..............
............#..#..#...#..#.#..#...#.#...#.#...#.#...#.#...#.#.....#..#..............
............#.#...#...#..#.#..#...#.#...#.#...#.#..##.#.....#.....#..#..............
............#.#...#...#..#.#..#...#.#...#.#...#.#..##.#.....#.....#..#..............
............##....#####..#.#..####..#...#.#...#.#.#.#.#.....####..#..#..............
............##....#####..#.#..####..#...#.#...#.#.#.#.#.....####..#..#..............
............#.#...#...#..#.#..#.....#...#.#...#.##..#.#.....#.....#..#..............
............#.#...#...#..#.#..#.....#...#.#...#.##..#.#.....#.....#..#..............
............#..#..#...#.#####.#.....#...#.#...#.#...#.#...#.#.....#####.............
............#..#..#...#.#####.#.....#...#.#...#.#...#.#...#.#.....#####.............
............#...#.#...#.#...#.#......###..#...#.#...#..###..#####.....#.............
............#...#.#...#.#...#.#......###..#...#.#...#..###..#####.....#.............
ART

# The toggles that draw frame FIRST_COLUMN / 28 of the picture: grid rows 1 to 14 from the top.
frame_ops() {
    local first=$1 row=0 line column
    while IFS= read -r line; do
        row=$((row + 1))
        for ((column = 0; column < 28; column++)); do
            if [ "${line:first+column:1}" = "#" ]; then
                echo "toggle:$column:$row"
            fi
        done
    done <<<"$art"
}

ops=(beg)
for first in 0 28 56; do
    # Add copies the current frame and makes the copy current; clear it and make it a line frame.
    ops+=(add clear str $(frame_ops "$first"))
done
ops+=(add end speed-row:15)

"$kadr" edit - "$work/line.kdz" "${ops[@]}" >/dev/null
"$kadr" render --scale 5 "$work/line.kdz" "$out"
echo "running_line_gif: wrote $out"
