#!/usr/bin/env bash
# Makes the README's animated picture of a program of messages: docs/messages_example.json put
# into a frame set with `kadr compose` and played with `kadr render`.
# usage: scripts/messages_gif.sh [OUT.gif]      (default docs/messages.gif)
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-docs/messages.gif}
kadr=build/bin/kadr
if [ ! -x "$kadr" ]; then
    echo "messages_gif: build it first: cmake --build build --target kadr" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '\x00\x01\x01\x00\x00' >"$work/empty.kdz"  # a display file without frames
"$kadr" edit "$work/empty.kdz" "$work/base.kdz" speed-row:15 >/dev/null
"$kadr" compose "$work/base.kdz" "$work/program.kdz" docs/messages_example.json
"$kadr" render "$work/program.kdz" "$out" --scale 4
echo "messages_gif: $out"
