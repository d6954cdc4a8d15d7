# shellcheck shell=bash
# Helpers for driving the editor under wine with Xvfb and xdotool (sourced, not run). Without a
# window manager `xdotool windowactivate` fails, but keys sent to a window and pointer clicks
# work. Every wait is bounded.

# Where things are in the editor's window under wine (Windows style, wine's fonts): the first
# grid's top-left cell and the cell size at "100 %", and the upload button's centre counted
# from the window's bottom-left corner. build-win/artefacts/editor-wine.png shows them.
GRID_LEFT=${GRID_LEFT:-4}
GRID_TOP=${GRID_TOP:-49}
CELL=${CELL:-11}
UPLOAD_LEFT=${UPLOAD_LEFT:-430}
UPLOAD_FROM_BOTTOM=${UPLOAD_FROM_BOTTOM:-86}
# The "Правка" menu's title in the menu bar.
EDIT_MENU_LEFT=${EDIT_MENU_LEFT:-75}
MENU_TOP=${MENU_TOP:-9}

die() {
    echo "FAILED: $*" >&2
    exit 1
}

xvfb_pid=
editor_pid=
gui_cleanup() {
    if [ -n "$editor_pid" ]; then
        kill "$editor_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap gui_cleanup EXIT

# A screen of its own on a free display number, unless the wine session has one already;
# DISPLAY is set for what follows.
start_xvfb() {
    local dir=$1
    [ -n "${DISPLAY:-}" ] && return 0
    exec 5>"$dir/xvfb.display"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 5>&-
    local number=
    for _ in $(seq 100); do
        number=$(tr -dc '0-9' <"$dir/xvfb.display")
        [ -n "$number" ] && break
        sleep 0.1
    done
    [ -n "$number" ] || die "Xvfb did not start: $(cat "$dir/xvfb.log")"
    export DISPLAY=:$number
}

# The editor from the packaged folder, with the modem lines answered for its serial port.
start_editor() {
    local dir=$1
    shift
    (cd "$dir" && LD_PRELOAD=$KADR_MODEM_LINES exec wine "$KADR_DIST/kadropisets.exe" "$@" \
        </dev/null >>"$dir/editor.log" 2>&1) &
    editor_pid=$!
}

# Runs COMMAND every 0.2 s until it succeeds, for at most SECONDS: wine's windows and files
# appear when wine gets round to them, never at a moment a fixed sleep could name.
poll_until() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 5))); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

window_named() {
    local id
    id=$(xdotool search --onlyvisible --name "^${1}\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && echo "$id"
}

# Prints the id of a visible window named exactly TITLE once it exists.
wait_window() { poll_until "$2" window_named "$1"; }

no_window_named() {
    [ -z "$(xdotool search --onlyvisible --name "^${1}\$" 2>/dev/null || true)" ]
}

# Waits until no visible window is named exactly TITLE.
wait_gone() { poll_until "$2" no_window_named "$1"; }

# Waits until FILE exists and is not empty.
wait_file() { poll_until "$2" test -s "$1"; }

file_has_line() { grep -q "$2" "$1" 2>/dev/null; }

# Waits until FILE has a line matching PATTERN.
wait_line() { poll_until "$3" file_has_line "$1" "$2"; }

grab() {
    QT_QPA_PLATFORM=xcb timeout 30 "$(dirname "$KADR_LINUX")/grab_screen" "$@" ||
        echo "(no screenshot: grab_screen failed)" >&2
}

# A left click on the first frame's grid, COLUMN 0..27, grid ROW 1..14.
click_cell() {
    local window=$1 column=$2 row=$3
    xdotool mousemove --window "$window" \
        $((GRID_LEFT + column * CELL + CELL / 2)) $((GRID_TOP + row * CELL + CELL / 2)) click 1
    sleep 0.3
}

click_upload() {
    local window=$1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --window "$window" "$UPLOAD_LEFT" $((HEIGHT - UPLOAD_FROM_BOTTOM)) click 1
}

# Opens the "Правка" menu with a click and takes its ITEM-th entry (1 the first) by keyboard. The
# Windows style lets the highlight rest on disabled entries too, so every entry counts.
choose_edit_item() {
    local window=$1 item=$2 keys=()
    for _ in $(seq "$item"); do
        keys+=(Down)
    done
    xdotool mousemove --window "$window" "$EDIT_MENU_LEFT" "$MENU_TOP" click 1
    sleep 0.5
    xdotool key --delay 100 "${keys[@]}" Return
}

# Every window but the main one that the upload left open (its outcome) gets Return.
close_outcome() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        case "$(xdotool getwindowname "$id" 2>/dev/null)" in
            Кадрописец*) ;;
            *) xdotool key --window "$id" Return 2>/dev/null || true ;;
        esac
    done
    sleep 1
}

# Alt+F4, then the process must end by itself.
close_editor() {
    local window=$1 seconds=$2
    xdotool key --window "$window" alt+F4
    for _ in $(seq $((seconds * 5))); do
        if ! kill -0 "$editor_pid" 2>/dev/null; then
            wait "$editor_pid" 2>/dev/null || true
            editor_pid=
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# `wine reg query` prints Cyrillic as '?' through a pipe: the export file is UTF-16.
export_key() {
    local key=$1 out=$2
    timeout 60 wine reg export "$key" "$out.utf16" /y </dev/null >/dev/null 2>&1 ||
        die "no registry key $key"
    iconv -f UTF-16 -t UTF-8 "$out.utf16" | tr -d '\r' >"$out"
}

# The dots of frame 0 in a `kadr dump` must be exactly the cells "C:G ..." (grid rows 1..14).
expect_dots() {
    local dump=$1 cells=$2 expected actual cell column row
    expected=$(for cell in $cells; do
        column=${cell%%:*}
        row=${cell##*:}
        [ "$row" -ge 8 ] && row=$((row + 1))
        echo "$row:$column"
    done | sort)
    actual=$(awk 'NR>1 && NR<=17 { for (i = 1; i <= length($0); i++) if (substr($0, i, 1) == "#") print (NR - 2) ":" (i - 1) }' \
        "$dump" | awk -F: '$1 != 0 && $1 != 8' | sort)
    [ "$expected" = "$actual" ] ||
        die "frame 0 has the dots (row:column) $(echo "$actual" | tr '\n' ' '), not $(echo "$expected" | tr '\n' ' ')"
}
