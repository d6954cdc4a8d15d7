#!/usr/bin/env bash
# kadr.exe from the packaged folder, under wine, against the Linux kadr: every command's files
# and printed results byte for byte (Cyrillic file names and texts included), and an upload
# through COM1 into the Linux `kadr simulate` at the far end of the bridged pseudo-terminals.
# Run by scripts/test-windows.sh, which sets up the wine prefix, COM1/COM2 and the bridge.
set -euo pipefail
: "${KADR_DIST:?}" "${KADR_LINUX:?}" "${KADR_BUILD:?}" "${KADR_MODEM_LINES:?}"
limit=${WINE_TEST_SECONDS:-300}

work=$KADR_BUILD/kadr-proof
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# Each command runs in its own folder with the same relative names, so that the files and the
# printed lines of both programs can be compared as they are.
linux() { (cd "$work/linux" && timeout 60 "$KADR_LINUX" "$@"); }
windows() {
    (cd "$work/windows" && timeout --kill-after=10 "$limit" wine "$KADR_DIST/kadr.exe" "$@" </dev/null) |
        tr -d '\r'
}
# The same command in both folders: the exit status and the printed lines must agree.
both() {
    local label=$1
    shift
    local linux_status=0 windows_status=0
    linux "$@" >"$work/linux/$label.out" 2>/dev/null || linux_status=$?
    windows "$@" >"$work/windows/$label.out" 2>/dev/null || windows_status=$?
    [ "$linux_status" = "$windows_status" ] ||
        fail "$label: exit status $windows_status on Windows, $linux_status on Linux"
    cmp -s "$work/linux/$label.out" "$work/windows/$label.out" ||
        fail "$label: printed lines differ: $(diff "$work/linux/$label.out" "$work/windows/$label.out" | head -5)"
}
same_file() {
    if [ ! -f "$work/windows/$1" ]; then
        fail "kadr.exe did not write $1"
    elif ! cmp -s "$work/linux/$1" "$work/windows/$1"; then
        fail "$1 differs from the Linux kadr's"
    fi
}
# Inputs made by the Linux build go into both folders.
shared() { cp "$work/linux/$1" "$work/windows/$1"; }

echo "--- kadr.exe against the Linux kadr"
both text text - "Привет мир.kdz" "Привет, мир! Съешь же ещё этих мягких булок" --place middle
same_file "Привет мир.kdz"
# A Cyrillic text with an ASCII file name: the text itself must arrive intact too.
both text-ascii-name text - ascii.kdz "Ёлка 2024 — №5" --font builtin14 --gap 2
same_file ascii.kdz
linux text - "кадры.kdz" "Табло" >/dev/null
shared "кадры.kdz"
both edit edit "кадры.kdz" "правка.kdz" add toggle:3:4 line:0:1:27:14 invert speed-anim:7 speed-row:33 \
    orientation:1 select:0 copy select:2 paste move-right flip-h
same_file "правка.kdz"
both info info "правка.kdz"
both info-json info --json "правка.kdz"
both dump dump "правка.kdz"
both convert convert "правка.kdz" "модули.bin"
# The eight module files take their names from the set's name (its first two letters replaced).
for file in "$work"/linux/*.bin; do
    same_file "$(basename "$file")"
done
both convert-back convert "модули.bin" "снова.kdz"
same_file "снова.kdz"
both render-gif render --scale 3 --colour amber "правка.kdz" "табло.gif"
same_file "табло.gif"
both render-png render --scale 2 --frame 2 "правка.kdz" "кадр.png"
same_file "кадр.png"
shared "табло.gif"
both import import - "табло.gif" "картинка.kdz" --threshold 100 --line
same_file "картинка.kdz"
both import-dither import "кадры.kdz" "кадр.png" "точки.kdz" --dither --invert
same_file "точки.kdz"
# Failures read alike: a missing file, bad usage.
both missing info "нет такого.kdz"
both usage edit "кадры.kdz"

echo "--- kadr.exe upload --port COM1 into kadr simulate"
sim_log=$work/simulate.log
received=$work/received.kdz
timeout 120 "$KADR_LINUX" simulate --port "$KADR_BUILD/com/com2" --save "$received" --once \
    >"$sim_log" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do
    grep -q '^port ' "$sim_log" 2>/dev/null && break
    sleep 0.1
done
upload_status=0
(cd "$work/windows" && LD_PRELOAD=$KADR_MODEM_LINES timeout --kill-after=10 120 \
    wine "$KADR_DIST/kadr.exe" upload --port COM1 "Привет мир.kdz" </dev/null) \
    >"$work/upload.log" 2>&1 || upload_status=$?
sim_status=0
wait "$sim_pid" || sim_status=$?
if [ "$upload_status" != 0 ] || [ "$sim_status" != 0 ]; then
    fail "upload: kadr.exe exit $upload_status, simulate exit $sim_status"
    cat "$work/upload.log" "$sim_log" >&2
elif ! cmp -s "$received" "$work/windows/Привет мир.kdz"; then
    fail "the simulator received another frame set than kadr.exe sent"
else
    echo "received byte for byte: $(tail -n 1 "$sim_log")"
fi

if [ "$failures" -ne 0 ]; then
    echo "kadr.exe: $failures failures" >&2
    exit 1
fi
echo "kadr.exe: every result as on Linux"
