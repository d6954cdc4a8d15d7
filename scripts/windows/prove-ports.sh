#!/usr/bin/env bash
# A COM port above COM4 under wine, as a user with a USB adapter has one: COM7 is made in the
# wine prefix (HKLM\Software\Wine\Ports, by scripts/test-windows.sh), which wine then lists under
# HARDWARE\DEVICEMAP\SERIALCOMM, and leads to the pseudo-terminal of the Linux `kadr simulate
# --link`; the editor's settings hold nothing. kadr.exe ports lists COM7; kadr.exe upload --port
# COM7 delivers into the simulator byte for byte; the editor's port dialog lists COM7
# (screenshot), choosing it and the upload button deliver, and the registry then holds
# VSSComm321_CommPort = "Com7"; with the link gone, the next upload ends with the words for a
# missing port, from kadr.exe and in the editor (screenshot). Every wait is bounded.
# Run by scripts/test-windows.sh (wine prefix and its COM7 set up there).
set -euo pipefail
: "${KADR_DIST:?}" "${KADR_LINUX:?}" "${KADR_BUILD:?}" "${KADR_MODEM_LINES:?}"
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/windows/gui-helpers.sh"
# The "Параметры" menu's title in the menu bar.
PARAMETERS_MENU_LEFT=${PARAMETERS_MENU_LEFT:-130}

work=$KADR_BUILD/ports-proof
artefacts=$KADR_BUILD/artefacts
link=$KADR_BUILD/com/com7
rm -rf "$work"
mkdir -p "$work" "$artefacts"
start_xvfb "$work"
key='HKCU\Software\Tarnovik\kadropisets\TfmMain'
timeout 60 wine reg delete "$key" /f </dev/null >/dev/null 2>&1 || true

sim_pid=
# The virtual display unit behind COM7 until its first complete upload, saved into FILE.
start_simulator() {
    timeout 120 "$KADR_LINUX" simulate --link "$link" --save "$1" --once >"$1.log" 2>&1 &
    sim_pid=$!
    wait_line "$1.log" '^port ' 10 || die "kadr simulate did not start: $(cat "$1.log")"
}
# The simulator must have received exactly FILE.
expect_received() {
    local received=$1 sent=$2 status=0
    wait "$sim_pid" || status=$?
    [ "$status" = 0 ] || die "the simulator received nothing (exit $status): $(cat "$received.log")"
    cmp -s "$received" "$sent" || die "the simulator received another frame set than was sent"
    echo "received byte for byte: $(tail -n 1 "$received.log")"
}
kadr_exe() {
    (cd "$work" && LD_PRELOAD=$KADR_MODEM_LINES timeout --kill-after=10 120 \
        wine "$KADR_DIST/kadr.exe" "$@" </dev/null)
}

"$KADR_LINUX" text - "$work/shop.kdz" "COM7" >/dev/null

echo "--- kadr.exe ports lists COM7"
kadr_exe ports | tr -d '\r' >"$work/ports.txt"
cat "$work/ports.txt"
grep -q '^[* ] COM7$' "$work/ports.txt" || die "kadr.exe ports does not list COM7"
kadr_exe ports --json | tr -d '\r' | grep -q '"name":"COM7","device":"\\\\\\\\.\\\\COM7"' ||
    die "kadr.exe ports --json does not list COM7 at \\\\.\\COM7"

echo "--- kadr.exe upload --port COM7 into kadr simulate"
start_simulator "$work/cli-received.kdz"
kadr_exe upload --port COM7 shop.kdz >"$work/cli-upload.log" 2>&1 ||
    die "kadr.exe upload --port COM7 failed: $(cat "$work/cli-upload.log")"
expect_received "$work/cli-received.kdz" "$work/shop.kdz"

echo "--- the editor's port dialog lists COM7; chosen, the upload button delivers"
start_simulator "$work/editor-received.kdz"
start_editor "$work" shop.kdz
window=$(wait_window "Кадрописец - shop.kdz" 120) || die "the editor did not open shop.kdz"
sleep 2
# "Параметры" → "Параметры порта...", the menu's first item; a menu that wine was not ready to
# open is opened again.
dialog=
for _ in 1 2 3; do
    xdotool mousemove --window "$window" "$PARAMETERS_MENU_LEFT" "$MENU_TOP" click 1
    sleep 0.5
    xdotool key --delay 100 Down Return
    dialog=$(wait_window "Параметры" 10) && break
    xdotool key Escape Escape
done
[ -n "$dialog" ] || {
    grab "$artefacts/ports-wine-no-dialog.png" 0 0 1280 1024
    die "\"Параметры порта...\" opened no \"Параметры\" dialog"
}
sleep 2  # the listing runs off the window's thread and shows within a second
# Its drop-down, opened from the keyboard once a click into the port box has given it the focus:
# Com1..Com4, then COM7 and what else wine has.
xdotool mousemove --window "$dialog" 150 16 click 1
sleep 0.3
xdotool key --delay 100 F4
sleep 1
grab "$artefacts/ports-wine-dialog.png" 0 0 1280 1024
echo "screenshot $artefacts/ports-wine-dialog.png"
xdotool key --delay 100 Escape
sleep 0.5
# Chosen by its name, as a user who knows it types it (the drop-down took the focus with it).
# The box completes "com7" to its item "COM7 — подключён", the rest selected: End keeps the
# completion, and Enter presses OK.
xdotool mousemove --window "$dialog" 150 16 click 1
sleep 0.3
xdotool key --delay 50 ctrl+a
xdotool type --delay 50 com7
xdotool key --delay 100 End Return
wait_gone "Параметры" 10 || die "Enter did not close the \"Параметры\" dialog"
click_upload "$window"
expect_received "$work/editor-received.kdz" "$work/shop.kdz"
outcome=$(wait_window "Сообщение" 30) || die "the upload showed no outcome window"
xdotool key --window "$outcome" Return
wait_gone "Сообщение" 10 || close_outcome
close_editor "$window" 30 || die "the editor did not close"
export_key "$key" "$work/settings.reg"
grep -q '^"VSSComm321_CommPort"="Com7"$' "$work/settings.reg" || {
    cat "$work/settings.reg" >&2
    die "the registry does not hold VSSComm321_CommPort = \"Com7\""
}
grep '^"VSSComm321_CommPort"' "$work/settings.reg"

echo "--- with COM7's link gone, the upload says the port is missing"
[ ! -e "$link" ] || die "$link outlived its simulator"
status=0
kadr_exe upload --port COM7 shop.kdz >"$work/missing.log" 2>&1 || status=$?
tr -d '\r' <"$work/missing.log"
[ "$status" = 3 ] || die "kadr.exe upload to a missing COM7 exit $status, not 3"
grep -q '^Порта COM7 нет: ' "$work/missing.log" || die "kadr.exe did not say that COM7 is missing"
start_editor "$work" shop.kdz
window=$(wait_window "Кадрописец - shop.kdz" 120) || die "the editor did not start again"
sleep 2
click_upload "$window"
error=$(wait_window "Кадрописец" 30) || die "the upload to a missing COM7 showed no error box"
sleep 1
grab "$artefacts/ports-wine-missing.png" 0 0 1280 1024
echo "screenshot $artefacts/ports-wine-missing.png"
xdotool key --window "$error" Return
sleep 1
close_outcome
close_editor "$window" 30 || die "the editor did not close after the error"
echo "ports: COM7 listed, chosen, uploaded into, stored; its absence told"
