#!/usr/bin/env bash
# The installer as a new user meets it, in a fresh wine prefix: a silent install (/S, for the
# current user), the Start-menu shortcut and the .kdz association in place, the installed
# editor starts, and the silent uninstall takes all of it away again.
# Run by scripts/test-windows.sh after the other proofs.
set -euo pipefail
: "${KADR_SETUP:?}" "${KADR_BUILD:?}"
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/windows/gui-helpers.sh"

work=$KADR_BUILD/installer-proof
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX=$work/prefix
start_xvfb "$work"
stop_prefix() {
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    timeout 20 wineserver -w >/dev/null 2>&1 || true
}
trap 'gui_cleanup; stop_prefix' EXIT

echo "--- a fresh prefix"
timeout 180 wineboot -i </dev/null >"$work/wineboot.log" 2>&1 ||
    { cat "$work/wineboot.log"; die "wineboot failed"; }

echo "--- silent install"
timeout --kill-after=10 180 wine "$KADR_SETUP" /S </dev/null >"$work/setup.log" 2>&1 ||
    { cat "$work/setup.log"; die "the installer failed"; }
timeout 60 wineserver -w || true
installed=$(find "$WINEPREFIX/drive_c" -path '*/Kadropisets/kadropisets.exe' | head -n 1)
[ -n "$installed" ] || die "the installer put no Kadropisets/kadropisets.exe under drive_c"
instdir=$(dirname "$installed")
echo "installed in $instdir"
for file in kadr.exe uninstall.exe platforms/qwindows.dll translations/qtbase_ru.qm README.txt; do
    [ -f "$instdir/$file" ] || die "the installation lacks $file"
done
shortcut=$(find "$WINEPREFIX/drive_c" -name 'Кадрописец.lnk' | head -n 1)
[ -n "$shortcut" ] || die "no Start-menu shortcut Кадрописец.lnk"
export_key 'HKCU\Software\Classes\Kadropisets.kdz\shell\open\command' "$work/open.reg"
grep -q 'kadropisets.exe\\" \\"%1\\"' "$work/open.reg" || {
    cat "$work/open.reg" >&2
    die ".kdz files do not open in the editor"
}

echo "--- the installed editor starts"
export KADR_DIST=$instdir KADR_MODEM_LINES=
start_editor "$work"
window=$(wait_window "Кадрописец - Без названия" 120) || die "the installed editor shows no window"
close_editor "$window" 30 || die "the installed editor did not close"

echo "--- silent uninstall"
timeout --kill-after=10 120 wine "$instdir/uninstall.exe" /S </dev/null >"$work/uninstall.log" 2>&1 ||
    { cat "$work/uninstall.log"; die "the uninstaller failed"; }
# The uninstaller runs on from a copy of itself: wait for every program of the prefix.
timeout 120 wineserver -w || die "the uninstaller did not finish"
[ ! -e "$instdir" ] || die "the uninstaller left $instdir: $(find "$instdir" | head -5)"
[ ! -e "$shortcut" ] || die "the uninstaller left the shortcut"
if timeout 60 wine reg query 'HKCU\Software\Classes\Kadropisets.kdz' </dev/null >/dev/null 2>&1; then
    die "the uninstaller left the .kdz association"
fi
echo "installer: installed, started, uninstalled"
