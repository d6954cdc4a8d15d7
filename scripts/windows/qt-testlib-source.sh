#!/usr/bin/env bash
# Prints the folder that holds Qt Test's sources (src/testlib of Debian's qt6-base, the version
# of the installed qt6-base-dev, with Debian's patches applied), fetched once per machine into
# the cache beside Qt for Windows. That Qt build leaves Qt Test out (the programs do not use it)
# and is keyed by its script's content; the editor's tests for Windows build Qt Test from these
# sources themselves (KADR_QT_TESTLIB_SOURCE) instead of making CI build all of Qt again.
set -euo pipefail

say() { printf '[qt-testlib] %s\n' "$*" >&2; }

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
[ -n "$qt_version" ] || { say "qt6-base-dev is not installed: run scripts/install-deps.sh windows"; exit 1; }
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/kadropisets
dir=$cache_root/testlib-src-$(printf '%s' "$qt_version" | tr -c 'A-Za-z0-9.-' '_')
if [ -f "$dir/complete" ]; then
    echo "$dir"
    exit 0
fi

mkdir -p "$cache_root"
work=$(mktemp -d "$cache_root/testlib-work.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The machine's own (enabled) sources as deb-src entries, in a private apt configuration.
apt_dir=$work/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$apt_dir/cache" "$apt_dir/sources.list.d"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list"
done >"$apt_dir/sources.list"
for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] || continue
    sed 's/^Types:.*/Types: deb-src/' "$sources" >"$apt_dir/sources.list.d/$(basename "$sources")"
done
cat >"$apt_dir/apt.conf" <<EOF
Dir::Etc::SourceList "$apt_dir/sources.list";
Dir::Etc::SourceParts "$apt_dir/sources.list.d";
Dir::State::Lists "$apt_dir/lists";
Dir::Cache "$apt_dir/cache";
Dir::Cache::archives "$apt_dir/archives";
Debug::NoLocking "true";
APT::Sandbox::User "$(id -un)";
EOF
export APT_CONFIG=$apt_dir/apt.conf

say "fetching the sources of qt6-base $qt_version for Qt Test"
log=$work/fetch.log
mkdir -p "$work/src"
{
    timeout 600 apt-get -q update || true
    cd "$work/src" && timeout 1200 apt-get -q source "qt6-base=$qt_version"
} >"$log" 2>&1 || { tail -n 30 "$log" >&2; say "apt-get source failed"; exit 1; }
src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$src" ] && [ -f "$src/src/testlib/qtestcase.cpp" ] || { say "no src/testlib in the sources"; exit 1; }

rm -rf "$dir"
mkdir -p "$dir"
cp -r "$src/src/testlib" "$dir/"
cp -r "$src/LICENSES" "$dir/" 2>/dev/null || true
echo "$qt_version" >"$dir/qt-version"
touch "$dir/complete"
say "ready: $dir"
echo "$dir"
