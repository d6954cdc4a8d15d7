#!/usr/bin/env bash
# The editor from the packaged folder under wine with Xvfb, driven as a user would with xdotool:
# it starts untitled, a click draws a dot, "Сообщения..." opens its dialog, its save dialog
# writes a file the Linux kadr reads back, its upload button sends the set through COM1 into the
# Linux `kadr simulate`, a Cyrillic file name opens from the command line and saves in place,
# and after it is closed its settings are string values in the registry. Every wait is bounded;
# a failure says what did not happen.
# Run by scripts/test-windows.sh (wine prefix, COM1/COM2 and the bridge set up there).
set -euo pipefail
: "${KADR_DIST:?}" "${KADR_LINUX:?}" "${KADR_BUILD:?}" "${KADR_MODEM_LINES:?}"
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/windows/gui-helpers.sh"

work=$KADR_BUILD/editor-proof
artefacts=$KADR_BUILD/artefacts
rm -rf "$work"
mkdir -p "$work" "$artefacts"
start_xvfb "$work"

key='HKCU\Software\Tarnovik\kadropisets\TfmMain'
timeout 60 wine reg delete "$key" /f </dev/null >/dev/null 2>&1 || true

echo "--- --version and --help answer on the console, before any window"
# A window program: the answer reaches the starter's output through the console it borrows.
for word in --version --help; do
    answer=$(cd "$work" && timeout 60 wine "$KADR_DIST/kadropisets.exe" "$word" </dev/null 2>&1 |
        tr -d '\r') || die "kadropisets.exe $word failed"
    grep -q 'kadropisets' <<<"$answer" || die "kadropisets.exe $word printed nothing: $answer"
    echo "$word: $(head -1 <<<"$answer")"
done

echo "--- the editor starts untitled"
start_editor "$work"
window=$(wait_window "Кадрописец - Без названия" 120) || die "no window \"Кадрописец - Без названия\""
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window ${WIDTH}x${HEIGHT}"

echo "--- a click draws a dot where it is clicked"
# The first frame's grid: cell (column, grid row) of the "100 %" scale.
click_cell "$window" 5 3
click_cell "$window" 12 10
sleep 0.5
grab "$artefacts/editor-wine.png" "$X" "$Y" "$WIDTH" "$HEIGHT"
echo "screenshot $artefacts/editor-wine.png"

echo "--- \"Сообщения...\" opens its dialog, Escape closes it"
# Tenth in "Правка": copy, paste, undo, redo, add, clear, spread, delete, running line, messages.
choose_edit_item "$window" 10
messages=$(wait_window "Сообщения" 30) || die "\"Сообщения...\" opened no \"Сообщения\" dialog"
sleep 1
grab "$artefacts/editor-wine-messages.png" 0 0 1280 1024
xdotool key --window "$messages" Escape
wait_gone "Сообщения" 10 || die "Escape did not close the \"Сообщения\" dialog"

echo "--- Save through the dialog"
xdotool key --window "$window" F2
dialog=$(wait_window "Сохранение файла" 30) || die "F2 opened no \"Сохранение файла\" dialog"
sleep 1
saved_unix=$work/saved.kdz
# Typed keys reach a wine window only as real input (XTEST) after a click has given it the
# focus: a click into the file name box, then the name (the dialog opens in the working
# folder; the filter adds .kdz).
eval "$(xdotool getwindowgeometry --shell --prefix DIALOG_ "$dialog")"
xdotool mousemove --window "$dialog" $((DIALOG_WIDTH / 2)) $((DIALOG_HEIGHT - 53)) click 1
sleep 0.5
xdotool type --delay 50 saved
xdotool key Return
wait_file "$saved_unix" 30 || die "the save dialog wrote no $saved_unix"
wait_window "Кадрописец - saved.kdz" 30 >/dev/null || die "the caption does not name the saved file"
"$KADR_LINUX" dump "$saved_unix" >"$work/saved.dump" || die "the Linux kadr cannot read the saved file"
expect_dots "$work/saved.dump" "5:3 12:10"

echo "--- Upload through the button into kadr simulate"
received=$work/received.kdz
timeout 120 "$KADR_LINUX" simulate --port "$KADR_BUILD/com/com2" --save "$received" --once \
    >"$work/simulate.log" 2>&1 &
sim_pid=$!
wait_line "$work/simulate.log" '^port ' 10 || die "kadr simulate did not start: $(cat "$work/simulate.log")"
click_upload "$window"
sim_status=0
wait "$sim_pid" || sim_status=$?
[ "$sim_status" = 0 ] || die "the simulator received nothing (exit $sim_status): $(cat "$work/simulate.log")"
cmp -s "$received" "$saved_unix" || die "the simulator received another frame set than the editor's"
echo "received byte for byte: $(tail -n 1 "$work/simulate.log")"
# The outcome window; then the main window closes without a question (nothing changed).
outcome=$(wait_window "Сообщение" 30) || die "the upload showed no outcome window"
sleep 1
grab "$artefacts/editor-wine-uploaded.png" 0 0 1280 1024
xdotool key --window "$outcome" Return
wait_gone "Сообщение" 10 || close_outcome
close_editor "$window" 30 || die "the editor did not close"

echo "--- its settings in the registry"
export_key "$key" "$work/settings.reg"
for value in VSSComm321_CommPort VSSComm321_BaudRate TimerSendTimeout_Interval; do
    grep -q "^\"$value\"=\"" "$work/settings.reg" || {
        cat "$work/settings.reg" >&2
        die "no string value $value under $key"
    }
done
grep '^"VSSComm321\|^"TimerSend' "$work/settings.reg"

echo "--- a Cyrillic file name opens and saves in place"
cyrillic=$work/Привет.kdz
"$KADR_LINUX" edit - "$cyrillic" toggle:1:1 >/dev/null
start_editor "$work" "Привет.kdz"
window=$(wait_window "Кадрописец - Привет.kdz" 120) || die "the editor did not open Привет.kdz"
sleep 1
before=$(sha256sum <"$cyrillic")
click_cell "$window" 7 2
xdotool key --window "$window" F2
for _ in $(seq 100); do
    [ "$(sha256sum <"$cyrillic")" != "$before" ] && break
    sleep 0.2
done
[ "$(sha256sum <"$cyrillic")" != "$before" ] || die "F2 did not save Привет.kdz"
"$KADR_LINUX" dump "$cyrillic" >"$work/cyrillic.dump" || die "the Linux kadr cannot read Привет.kdz"
expect_dots "$work/cyrillic.dump" "1:1 7:2"
close_editor "$window" 30 || die "the editor did not close after saving Привет.kdz"
echo "editor: started, drew, saved, uploaded, kept its settings"
