#!/usr/bin/env bash
# Builds Qt (qtbase) and giflib for 64-bit Windows with Debian's MinGW-w64 compilers, once per
# machine, into a cache outside the checkout. Debian packages no Qt for Windows, but its own
# Qt source (the version of the installed qt6-base-dev, with Debian's patches applied) builds
# for MinGW-w64, with the installed native Qt as host tools (moc, rcc, uic).
#
# The cache directory is keyed by the Qt and giflib versions and this script's own content:
# a present build is reused, a changed key builds afresh. Progress lines go to stderr, the
# full log only on failure; stdout gets one line, the cache directory:
#   <dir>/qt                 Qt for Windows (qt.toolchain.cmake in lib/cmake/Qt6)
#   <dir>/giflib             include/gif_lib.h, lib/libgif.a
#   <dir>/licences           the licence texts the packages must carry
# QT_WINDOWS_BUILD_MINUTES (default 120) bounds the Qt build.
set -euo pipefail

say() { printf '[qt-windows] %s\n' "$*" >&2; }
die() {
    say "$*"
    exit 1
}

for tool in dpkg-query apt-get dpkg-source x86_64-w64-mingw32-g++-posix cmake ninja; do
    command -v "$tool" >/dev/null || die "missing $tool: run scripts/install-deps.sh windows"
done
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
gif_version=$(dpkg-query -W -f='${source:Version}' libgif-dev 2>/dev/null || true)
[ -n "$qt_version" ] && [ -n "$gif_version" ] ||
    die "qt6-base-dev or libgif-dev is not installed: run scripts/install-deps.sh windows"
script_hash=$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-12)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/kadropisets
key=$(printf 'qt-%s-giflib-%s-%s' "$qt_version" "$gif_version" "$script_hash" | tr -c 'A-Za-z0-9.\n-' '_')
dir=$cache_root/$key

if [ -f "$dir/complete" ]; then
    say "reusing $dir"
    echo "$dir"
    exit 0
fi

mkdir -p "$cache_root"
work=$(mktemp -d "$cache_root/work.XXXXXX")
log=$work/build.log
build_pid=
cleanup() {
    status=$?
    if [ -n "$build_pid" ]; then
        kill "$build_pid" 2>/dev/null || true
        wait "$build_pid" 2>/dev/null || true
    fi
    if [ $status -ne 0 ] && [ -f "$log" ]; then
        say "failed; the last lines of the log ($log):"
        tail -n 60 "$log" >&2
        say "the work directory is kept: $work"
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT

# A private apt configuration with deb-src entries derived from the machine's own (enabled)
# sources, so the system's configuration stays as it is.
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

say "fetching the sources of qt6-base $qt_version and giflib $gif_version"
# A source list of a third-party repository may lack source indexes: the download below tells.
timeout 600 apt-get -q update >>"$log" 2>&1 || say "apt-get update reported errors (see the log if the download fails)"
mkdir -p "$work/src"
(cd "$work/src" && timeout 1200 apt-get -q source "qt6-base=$qt_version" "giflib=$gif_version") >>"$log" 2>&1 ||
    die "apt-get source failed"
qt_src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
gif_src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'giflib-*' | head -n 1)
[ -n "$qt_src" ] && [ -n "$gif_src" ] || die "the unpacked sources are missing"

# A directory without its "complete" mark is a build that stopped half-way.
rm -rf "$dir"
mkdir -p "$dir/giflib/include" "$dir/giflib/lib"
# The toolchain stays in the cache: Qt's qt.toolchain.cmake refers to it by its path.
toolchain=$dir/toolchain-mingw-w64-x86_64.cmake
cat >"$toolchain" <<'EOF'
# 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which std::thread needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_AR x86_64-w64-mingw32-ar CACHE FILEPATH "")
set(CMAKE_RANLIB x86_64-w64-mingw32-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP x86_64-w64-mingw32-strip CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

say "building giflib"
mkdir -p "$work/gif-obj"
# The library's sources as its Makefile lists them (continued lines joined).
gif_sources=$(sed -e ':a' -e '/\\$/N; s/\\\n//; ta' "$gif_src/Makefile" |
    sed -n 's/^SOURCES[[:space:]]*=[[:space:]]*//p')
[ -n "$gif_sources" ] || die "no SOURCES line in giflib's Makefile"
for source in $gif_sources; do
    x86_64-w64-mingw32-gcc-posix -O2 -Wall -c "$gif_src/$source" -o "$work/gif-obj/${source%.c}.o" >>"$log" 2>&1 ||
        die "giflib: $source did not compile"
done
x86_64-w64-mingw32-ar rcs "$dir/giflib/lib/libgif.a" "$work"/gif-obj/*.o
cp "$gif_src/gif_lib.h" "$dir/giflib/include/"

# Every library Qt can take from the system is built from its bundled copy instead:
# Debian's MinGW-w64 libraries (libz-mingw-w64) would otherwise be picked up.
system_features=$(grep -rhoE --include=configure.cmake 'qt_feature\("system-[a-z0-9_-]+"' "$qt_src" |
    sed -E 's/.*"system-([a-z0-9_-]+)"/\1/' | tr '-' '_' | sort -u)
system_off=()
for feature in $system_features; do
    system_off+=("-DFEATURE_system_$feature=OFF")
done

say "configuring Qt for Windows"
qt_build=$work/qt-build
# sql, network, testlib, dbus, printsupport, concurrent and xml are not used by the programs;
# tabletevent needs the wintab header, which Debian's source lacks; direct2d must stay on
# (the windows platform plugin's font database needs DirectWrite).
timeout 600 cmake -S "$qt_src" -B "$qt_build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$dir/qt" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DINPUT_opengl=no \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_testlib=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_tabletevent=OFF \
    "${system_off[@]}" >>"$log" 2>&1 || die "Qt configuration failed"

limit=$((${QT_WINDOWS_BUILD_MINUTES:-120} * 60))
started=$(date +%s)
say "building Qt for Windows (about 15 minutes on two cores)"
NINJA_STATUS='[%f/%t] ' timeout "$limit" cmake --build "$qt_build" -j "$(nproc)" >>"$log" 2>&1 &
build_pid=$!
while kill -0 "$build_pid" 2>/dev/null; do
    for _ in $(seq 60); do
        kill -0 "$build_pid" 2>/dev/null || break
        sleep 1
    done
    steps=$(grep -oE '^\[[0-9]+/[0-9]+\]' "$log" | tail -n 1 | tr -d '[]' || true)
    kill -0 "$build_pid" 2>/dev/null &&
        say "Qt: ${steps:-0/?} steps after $((($(date +%s) - started) / 60)) min"
done
wait "$build_pid" || {
    build_pid=
    die "the Qt build failed"
}
build_pid=
say "Qt built in $((($(date +%s) - started) / 60)) min; installing"

timeout 600 cmake --install "$qt_build" --strip >>"$log" 2>&1 || die "Qt installation failed"

# The licence texts: Qt's own and those of the libraries it carries, giflib's.
licences=$dir/licences
mkdir -p "$licences/qtbase" "$licences/giflib"
(
    cd "$qt_src"
    find . -maxdepth 1 -type f -name 'LICENSE*' -exec cp {} "$licences/qtbase/" \;
    [ -d LICENSES ] && cp -r LICENSES "$licences/qtbase/"
    cp debian/copyright "$licences/qtbase/debian-copyright"
    find src/3rdparty -type f \( -iname '*licen[cs]e*' -o -iname 'copying*' -o -iname 'qt_attribution.json' \) \
        -exec cp --parents {} "$licences/qtbase/" \;
)
cp "$gif_src/COPYING" "$licences/giflib/COPYING"
cp "$gif_src/debian/copyright" "$licences/giflib/debian-copyright"
echo "$qt_version" >"$dir/qt-version"
touch "$dir/complete"

# Older builds of this cache are of no further use.
for old in "$cache_root"/qt-*; do
    [ "$old" = "$dir" ] || rm -rf "$old"
done
say "ready: $dir ($(du -sh "$dir/qt" | cut -f1) Qt)"
echo "$dir"
