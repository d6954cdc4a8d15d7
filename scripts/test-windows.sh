#!/usr/bin/env bash
# Cross-builds the standard-C++ parts for Windows with MinGW-w64 (the frame set, the serial
# component's Win32 port layer, worker threads, write queue, shutdown event, notification
# channel and comms log) with their GoogleTest tests, and runs them under wine. COM1 and COM2
# are the two ends of a null-modem pair made of bridged pseudo-terminals.
# Then the Windows release (scripts/package-windows.sh) is proven against the packaged folder:
# kadr.exe gives the Linux kadr's results byte for byte and uploads into the Linux
# `kadr simulate`; the editor runs under wine with Xvfb (draws, saves, uploads, keeps its
# settings in the registry); the schedule runs (kadr.exe schedule, and from the editor's dialog);
# the installer installs, starts and uninstalls in a fresh prefix. The editor's own tests are
# cross-built against the release's objects and run under wine on the offscreen platform
# (scripts/windows/editor-tests.sh).
# Every wait is bounded: WINE_TEST_SECONDS (default 300) bounds each test program.
# The editor's screenshot under wine is kept as build-win/artefacts/editor-wine.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-win

scripts/install-deps.sh windows
jobs=$(nproc)
limit=${WINE_TEST_SECONDS:-300}

step() { printf '\n=== %s ===\n' "$*"; }

step "cross-build with MinGW-w64"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DKADR_CORE_ONLY=ON \
    -DKADR_GTEST_SOURCE=/usr/src/googletest \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$build" -j "$jobs" --target frameset_tests kadr_windows_serial_tests port_listing_timing

# The Linux side of the null-modem pair and the modem lines a pseudo-terminal lacks.
mkdir -p "$build/tools" "$build/com"
g++ -O2 -std=c++20 -Wall -Wextra -Werror -o "$build/tools/pty_bridge" tests/windows/posix_pty_bridge.cpp
gcc -O2 -Wall -Wextra -Werror -shared -fPIC -o "$build/tools/modem_lines.so" \
    tests/windows/posix_modem_lines_preload.c -ldl

step "the Windows release"
scripts/package-windows.sh
version=$(sed -n 's/^project(Kadropisets VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist=$root/dist/kadropisets-$version-win64
setup=$root/dist/kadropisets-$version-setup.exe

step "the Linux kadr to compare with"
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
fi
cmake --build build -j "$jobs" --target kadr grab_screen
linux_kadr=$root/build/bin/kadr

step "run the tests under wine"
export WINEPREFIX=$build/wineprefix
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
bridge_pid=
xvfb_pid=
cleanup() {
    # wineserver first: with a pseudo-terminal gone under it, it floods its output.
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    timeout 20 wineserver -w >/dev/null 2>&1 || true
    if [ -n "$bridge_pid" ]; then
        kill "$bridge_pid" 2>/dev/null || true
        wait "$bridge_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

# One screen for the whole wine session: the display wine's first window program meets is the
# one all its later windows go to (none at all would leave the editor's window invisible).
exec 5>"$build/xvfb.display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$build/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 5>&-
for _ in $(seq 100); do
    [ -s "$build/xvfb.display" ] && break
    sleep 0.1
done
display=$(tr -dc '0-9' <"$build/xvfb.display")
[ -n "$display" ] || { cat "$build/xvfb.log"; echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$display

rm -rf "$WINEPREFIX"
timeout 120 wineboot -i </dev/null >"$build/wineboot.log" 2>&1 ||
    { cat "$build/wineboot.log"; echo "wineboot failed" >&2; exit 1; }
# COM1 and COM2 map to fixed links that the bridge points at its pseudo-terminals; COM7, a port
# such as a USB adapter gets, to the link of a `kadr simulate` (scripts/windows/prove-ports.sh).
for port in COM1 COM2 COM7; do
    timeout 60 wine reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$build/com/${port,,}" /f \
        </dev/null >/dev/null 2>&1
done
timeout 60 wineserver -k >/dev/null 2>&1 || true
timeout 60 wineserver -w >/dev/null 2>&1 || true
# One server for all test programs (each would pay its start-up otherwise).
wineserver -p </dev/null >"$build/wineserver.log" 2>&1

timeout $((limit * 3)) "$build/tools/pty_bridge" "$build/com/com1" "$build/com/com2" \
    </dev/null >"$build/bridge.log" 2>&1 &
bridge_pid=$!
for _ in $(seq 50); do
    grep -q ready "$build/bridge.log" 2>/dev/null && break
    sleep 0.1
done
grep -q ready "$build/bridge.log" || { cat "$build/bridge.log"; echo "no pty bridge" >&2; exit 1; }

run_wine() {
    local name=$1
    shift
    echo "--- $name"
    timeout --kill-after=10 "$limit" env "$@" wine "$build/bin/$name.exe" --gtest_brief=1 </dev/null
}
run_wine frameset_tests
run_wine kadr_windows_serial_tests KADR_TEST_PORTS_REQUIRED=1 LD_PRELOAD="$build/tools/modem_lines.so"
echo "--- the port listing's time"
timeout --kill-after=10 "$limit" wine "$build/bin/port_listing_timing.exe" 100 </dev/null | tr -d '\r'

export LC_ALL=C.UTF-8 # wine hands the arguments on as the locale spells them
export KADR_DIST=$dist KADR_SETUP=$setup KADR_LINUX=$linux_kadr KADR_BUILD=$build
export KADR_MODEM_LINES=$build/tools/modem_lines.so
scripts/windows/editor-tests.sh
scripts/windows/prove-kadr.sh
scripts/windows/prove-editor.sh
scripts/windows/prove-schedule.sh
scripts/windows/prove-ports.sh
scripts/windows/prove-installer.sh

step "Windows tests passed"
