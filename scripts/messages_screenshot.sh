#!/usr/bin/env bash
# Makes the README's picture of the messages dialog: starts the editor under Xvfb with settings
# of its own, opens "Правка" -> "Сообщения..." with the mouse, opens docs/messages_example.json
# with "Открыть программу..." as a user would, and saves the dialog as a PNG.
# usage: scripts/messages_screenshot.sh [OUT.png]      (default docs/messages_dialog.png)
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-docs/messages_dialog.png}
bin=build/bin
for tool in kadropisets grab_screen; do
    if [ ! -x "$bin/$tool" ]; then
        echo "messages_screenshot: build it first: cmake --build build --target kadropisets grab_screen" >&2
        exit 1
    fi
done
for command in xvfb-run xdotool; do
    if ! command -v "$command" >/dev/null; then
        echo "messages_screenshot: needs $command (Debian packages xvfb, xauth and xdotool)" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$(dirname "$out")"
export EDITOR_BIN="$bin/kadropisets" GRAB_BIN="$bin/grab_screen" OUT="$out"
export PROGRAM="$PWD/docs/messages_example.json" XDG_CONFIG_HOME="$work/config"
xvfb-run -a -s "-screen 0 1280x1000x24" bash -euo pipefail -c '
    "$EDITOR_BIN" &
    editor=$!
    trap "kill $editor 2>/dev/null || true" EXIT
    window=$(xdotool search --sync --name "Кадрописец" | head -n 1)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # "Правка" is the second title of the menu bar; "Сообщения..." the eleventh line of its menu.
    xdotool mousemove $((X + 75)) $((Y + 8)) click 1
    sleep 0.5
    xdotool mousemove $((X + 120)) $((Y + 232)) click 1
    dialog=$(xdotool search --sync --name "^Сообщения$" | head -n 1)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    # "Открыть программу..." is the first button of the bottom row, left of the OK button.
    xdotool mousemove $((X + WIDTH - 365)) $((Y + HEIGHT - 24)) click 1
    xdotool search --sync --name "^Открыть программу$" >/dev/null
    sleep 0.5
    xdotool type --delay 20 "$PROGRAM"
    xdotool key Return
    sleep 1
    # The second message, its dots part way through the preview.
    xdotool mousemove $((X + 100)) $((Y + 54)) click 1
    sleep 2.3
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    "$GRAB_BIN" "$OUT" "$X" "$Y" "$WIDTH" "$HEIGHT"
'
echo "messages_screenshot: $out"
