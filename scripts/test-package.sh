#!/usr/bin/env bash
# Proves the Debian package made by scripts/package-linux.sh: lintian (no error, no warning),
# desktop-file-validate, appstreamcli and man accept it; unpacked into a temporary root, its kadr
# gives byte for byte what BUILD's kadr gives and its editor opens a display file named on its
# command line. Then, only where packages may be installed (as root), it is installed with
# apt-get, answers --version, is the handler of display files (xdg-mime, xdg-open), and leaves no
# file behind when removed.
# usage: scripts/test-package.sh [BUILD]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
reference=$(realpath "${1:-build}/bin/kadr")
[ -x "$reference" ] || { echo "no kadr in ${1:-build}/bin to compare with" >&2; exit 1; }

scripts/package-linux.sh
version=$(sed -n 's/^project(Kadropisets VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=dist/kadropisets_${version}_$(dpkg --print-architecture).deb
mime=application/x-kadropisets
desktop=ru.tarnovik.kadropisets.desktop
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "test-package: $*" >&2; exit 1; }
root=$work/root
dpkg-deb -x "$deb" "$root"

echo "=== validators"
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
desktop-file-validate "$root/usr/share/applications/$desktop"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml
for page in "$root"/usr/share/man/man1/*.1.gz; do
    warnings=$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man: $page: $warnings"
done

echo "=== the packaged kadr against ${1:-build}'s"
mkdir -p "$work/reference" "$work/packaged" "$work/home"
for side in reference packaged; do
    kadr=$reference
    [ "$side" = packaged ] && kadr=$root/usr/bin/kadr
    (
        cd "$work/$side"
        "$kadr" edit - line.kdz add beg add str toggle:0:1 line:1:2:20:13 add end >edit.out
        "$kadr" info --json line.kdz >info.out
        "$kadr" text - text.kdz "Привет, мир! 2026" >text.out
        "$kadr" render line.kdz line.gif 2>render-gif.err
        "$kadr" render text.kdz sheet.png --scale 2 2>render-png.err
        "$kadr" --help >help.out
    )
done
diff -r "$work/reference" "$work/packaged" || fail "the packaged kadr differs from the build's"

# Starts COMMAND... under Xvfb with a home of its own; true when a window whose caption names
# line.kdz (the editor's, once it has opened the file) shows within 20 s. That window's process is
# ended then. A window on Xvfb, whatever platform the caller's tests chose for Qt.
show_in_editor() {
    HOME=$work/home xvfb-run -a env -u QT_QPA_PLATFORM bash -c '
        "$@" >"$HOME/editor.log" 2>&1 &
        window=
        for _ in $(seq 100); do
            window=$(xdotool search --name "line\.kdz" 2>/dev/null | head -1)
            [ -n "$window" ] && break
            sleep 0.2
        done
        if [ -n "$window" ]; then kill "$(xdotool getwindowpid "$window")"; else kill $!; fi
        wait
        [ -n "$window" ]' show "$@"
}

echo "=== the packaged editor opens a display file named on its command line"
cp "$work/reference/line.kdz" "$work/home/line.kdz"
show_in_editor "$root/usr/bin/kadropisets" "$work/home/line.kdz" ||
    fail "the unpacked editor showed no window for line.kdz: $(cat "$work/home/editor.log")"

if [ "$(id -u)" -ne 0 ]; then
    echo "=== not root: installing the package with apt-get is skipped"
    exit 0
fi
echo "=== apt-get install, the handler of $mime, apt-get remove"
if dpkg-query -W -f='${Status}' kadropisets 2>/dev/null | grep -q 'install ok installed'; then
    apt-get remove -y kadropisets >/dev/null
fi
DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb" >"$work/install.log" ||
    fail "apt-get install: $(tail -5 "$work/install.log")"
[ "$(kadropisets --version)" = "kadropisets $version" ] || fail "kadropisets --version"
[ "$(HOME=$work/home xdg-mime query default $mime)" = "$desktop" ] ||
    fail "xdg-mime names '$(HOME=$work/home xdg-mime query default $mime)' for $mime"
exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$desktop")
[ "$(command -v "${exec_line%% *}")" = /usr/bin/kadropisets ] || fail "Exec=$exec_line"
show_in_editor xdg-open "$work/home/line.kdz" || fail "xdg-open started no editor for line.kdz"
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./|/|p' | grep -v '/$')
apt-get remove -y kadropisets >/dev/null
left=$(for file in $files /usr/share/doc/kadropisets; do [ ! -e "$file" ] || echo "$file"; done)
[ -z "$left" ] || fail "left behind after apt-get remove: $left"
echo "=== the package is proven: $deb, $(du -k "$deb" | cut -f1) KB"
