#!/usr/bin/env bash
# The schedule on Windows, under wine with a fast test clock (KADR_TEST_CLOCK: a minute in two
# seconds): `kadr.exe schedule` sends each entry's set through COM1 into the Linux `kadr simulate`
# at its boundary, Ctrl+C (SIGINT, which wine passes on as Ctrl+C) stops it and leaves COM1 free;
# then the editor's "Параметры" -> "Расписание..." opens the schedule, saves it under a name
# typed into its dialog, starts `kadr.exe schedule` in the background (the simulator receives the
# set) and stops it again, and its "Запускать при входе в Windows" makes and removes the Startup
# folder's shortcut; what that shortcut starts (`kadropisets.exe --schedule`) runs kadr.exe on
# its own. The dialog's screenshot is kept as artefacts/editor-wine-schedule.png.
# Run by scripts/test-windows.sh (wine prefix, COM1/COM2 and the bridge set up there).
set -euo pipefail
: "${KADR_DIST:?}" "${KADR_LINUX:?}" "${KADR_BUILD:?}" "${KADR_MODEM_LINES:?}"
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/windows/gui-helpers.sh"

# Where things are under wine (Windows style, wine's fonts): "Параметры" in the menu bar, and in
# the "Расписание" dialog the file buttons' row and the run buttons' row counted from its bottom.
PARAMETERS_MENU_LEFT=${PARAMETERS_MENU_LEFT:-135}
FILES_FROM_BOTTOM=${FILES_FROM_BOTTOM:-205}
SAVE_LEFT=${SAVE_LEFT:-680}
RUN_FROM_BOTTOM=${RUN_FROM_BOTTOM:-175}
START_LEFT=${START_LEFT:-50}
STOP_LEFT=${STOP_LEFT:-140}
LOGON_LEFT=${LOGON_LEFT:-543}

work=$KADR_BUILD/schedule-proof
artefacts=$KADR_BUILD/artefacts
rm -rf "$work"
mkdir -p "$work" "$artefacts"
start_xvfb "$work"

sim_pid=
stop_simulator() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
        sim_pid=
    fi
}
trap 'stop_simulator; gui_cleanup' EXIT
start_simulator() {
    timeout 180 "$KADR_LINUX" simulate --port "$KADR_BUILD/com/com2" --baud 0 >"$work/$1" 2>&1 &
    sim_pid=$!
    wait_line "$work/$1" '^port ' 10 || die "kadr simulate did not start: $(cat "$work/$1")"
}
# The simulator's "received N frames" lines so far, as "N N ...".
received() { sed -n 's/^received \([0-9]*\) frames$/\1/p' "$work/$1" | tr '\n' ' ' | sed 's/ $//'; }
received_is() { [ "$(received "$1")" = "$2" ]; }

# Sets of one, two and three frames tell the entries apart at the simulator.
"$KADR_LINUX" edit - "$work/one.kdz" toggle:1:1 >/dev/null
"$KADR_LINUX" edit - "$work/two.kdz" toggle:1:1 add >/dev/null
"$KADR_LINUX" edit - "$work/three.kdz" add add >/dev/null
cat >"$work/shop.json" <<'JSON'
{"entries": [{"from": "08:00", "to": "08:01", "show": "one.kdz"},
             {"from": "08:01", "to": "08:02", "show": "two.kdz"}],
 "default": "three.kdz", "port": "COM1", "timeout": 2}
JSON

echo "--- kadr.exe schedule: each boundary's set into kadr simulate over COM1"
start_simulator simulate.log
(cd "$work" && LD_PRELOAD=$KADR_MODEM_LINES KADR_TEST_CLOCK=2024-05-06T07:59:57x30 \
    exec wine "$KADR_DIST/kadr.exe" schedule shop.json </dev/null >"$work/schedule.out" 2>&1) &
schedule_pid=$!
poll_until 60 received_is simulate.log "3 1 2 3" ||
    die "the simulator received sets of $(received simulate.log) frames, not 3 1 2 3: $(cat "$work/schedule.out")"
tr -d '\r' <"$work/schedule.out"
kill -INT "$schedule_pid"
status=0
timeout 30 tail --pid="$schedule_pid" -f /dev/null || die "kadr.exe schedule did not stop on Ctrl+C"
wait "$schedule_pid" || status=$?
[ "$status" = 0 ] || die "kadr.exe schedule ended with $status after Ctrl+C"
grep -q ' stopped' "$work/shop.log" || die "no 'stopped' in shop.log: $(cat "$work/shop.log")"
(cd "$work" && LD_PRELOAD=$KADR_MODEM_LINES timeout --kill-after=10 60 \
    wine "$KADR_DIST/kadr.exe" upload --port COM1 one.kdz </dev/null >"$work/upload.out" 2>&1) ||
    die "COM1 is not free after the schedule stopped: $(cat "$work/upload.out")"
poll_until 10 received_is simulate.log "3 1 2 3 1" || die "the upload after the schedule did not arrive"
echo "the boundaries arrived in order, and COM1 is free again"
stop_simulator

echo "--- the editor's \"Расписание...\": open, save, start, stop"
windows_path() { echo "Z:${1//\//\\}"; }
timeout 60 wine reg add 'HKCU\Software\Tarnovik\kadropisets\Schedule' /v File \
    /d "$(windows_path "$work/shop.json")" /f </dev/null >/dev/null 2>&1
start_simulator editor-simulate.log
# The schedule the editor starts reads this clock too: noon, when the default shows.
export KADR_TEST_CLOCK=2024-05-06T12:00:00
start_editor "$work"
window=$(wait_window "Кадрописец - Без названия" 120) || die "the editor did not start"
sleep 1
# "Параметры" in the menu bar, then its fourth item (the separator is skipped).
xdotool mousemove --window "$window" "$PARAMETERS_MENU_LEFT" "$MENU_TOP" click 1
sleep 0.5
xdotool key --delay 100 Down Down Down Return
dialog=$(wait_window "Расписание" 30) || die "\"Расписание...\" opened no \"Расписание\" dialog"
sleep 1
eval "$(xdotool getwindowgeometry --shell --prefix DIALOG_ "$dialog")"
# The dialog's buttons, counted from its bottom-left corner (artefacts/editor-wine-schedule.png).
click_dialog() { xdotool mousemove --window "$dialog" "$1" $((DIALOG_HEIGHT - $2)) click 1; }

click_dialog "$SAVE_LEFT" "$FILES_FROM_BOTTOM"
save=$(wait_window "Сохранить расписание" 30) || die "no \"Сохранить расписание\" dialog"
sleep 1
eval "$(xdotool getwindowgeometry --shell --prefix SAVE_ "$save")"
xdotool mousemove --window "$save" $((SAVE_WIDTH / 2)) $((SAVE_HEIGHT - 53)) click 1
sleep 0.5
xdotool key End shift+Home
xdotool type --delay 50 saved
xdotool key Return
wait_file "$work/saved.json" 30 || die "the schedule was not saved as saved.json"
"$KADR_LINUX" schedule "$work/saved.json" --check >/dev/null ||
    die "the Linux kadr refuses the saved schedule: $(cat "$work/saved.json")"

click_dialog "$START_LEFT" "$RUN_FROM_BOTTOM"
poll_until 60 received_is editor-simulate.log "3" ||
    die "the schedule started from the dialog sent nothing: $(cat "$work/editor-simulate.log")"
sleep 1
grab "$artefacts/editor-wine-schedule.png" 0 0 1280 1024
click_dialog "$STOP_LEFT" "$RUN_FROM_BOTTOM"
wait_line "$work/saved.log" ' stopped$' 30 || die "the dialog's \"Остановить\" did not stop it"

echo "--- \"Запускать при входе в Windows\": the Startup folder's shortcut made and removed"
shortcut_found() {
    shortcut=$(find "$WINEPREFIX/drive_c/users" -ipath '*/programs/startup/*' \
        -name 'Кадрописец - расписание saved.lnk' 2>/dev/null | head -n 1)
    [ -n "$shortcut" ]
}
click_dialog "$LOGON_LEFT" "$RUN_FROM_BOTTOM"
poll_until 30 shortcut_found || die "ticking the box made no shortcut in the Startup folder"
echo "made: ${shortcut#"$WINEPREFIX/"}"
click_dialog "$LOGON_LEFT" "$RUN_FROM_BOTTOM"
poll_until 30 test ! -e "$shortcut" || die "unticking the box left $shortcut"
xdotool key --window "$dialog" Escape
wait_gone "Расписание" 10 || die "Escape did not close the \"Расписание\" dialog"
close_editor "$window" 30 || die "the editor did not close"

echo "--- what the shortcut starts: kadropisets.exe --schedule, no window, kadr.exe on its own"
(cd "$work" && LD_PRELOAD=$KADR_MODEM_LINES timeout --kill-after=10 60 \
    wine "$KADR_DIST/kadropisets.exe" --schedule "$(windows_path "$work/saved.json")" \
    </dev/null >"$work/launch.out" 2>&1) || die "kadropisets.exe --schedule failed: $(cat "$work/launch.out")"
poll_until 60 received_is editor-simulate.log "3 3" ||
    die "the hidden schedule sent nothing: $(cat "$work/editor-simulate.log")"
# Its own process, found by this proof's folder on its command line; Ctrl+C as the session's end
# would give it.
hidden=$(pgrep -f "kadr.exe schedule .*schedule-proof" | head -n 1 || true)
[ -n "$hidden" ] || die "no hidden kadr.exe schedule to stop"
kill -INT "$hidden"
stopped_twice() { [ "$(grep -c ' stopped$' "$work/saved.log")" = 2 ]; }
poll_until 30 stopped_twice || die "the hidden kadr.exe did not stop: $(cat "$work/saved.log")"
echo "schedule: kadr.exe, the dialog and the logon shortcut's launch ran it under wine"
