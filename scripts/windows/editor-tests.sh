#!/usr/bin/env bash
# The editor's own tests as Windows programs: editor_tests.exe and editor_monkey_tests.exe are
# cross-built in the release's build folder (so they drive the very objects kadropisets.exe is
# linked from) and run under wine on Qt's offscreen platform, beside the release's DLLs. Qt for
# Windows is built without Qt Test; the tests build it from its sources
# (scripts/windows/qt-testlib-source.sh). A test that cannot run under wine skips itself and
# says why. WINE_TEST_SECONDS (default 300) bounds each program; KADR_MONKEY_STEPS (default
# 300) the random-input run.
# Run by scripts/test-windows.sh (wine prefix and server set up there).
set -euo pipefail
: "${KADR_DIST:?}" "${KADR_BUILD:?}"
root=$(cd "$(dirname "$0")/../.." && pwd)
app_build=$root/build-win-app
limit=${WINE_TEST_SECONDS:-300}

testlib=$("$root/scripts/windows/qt-testlib-source.sh")
qt=$("$root/scripts/build-qt-windows.sh")/qt
cmake -S "$root" -B "$app_build" -DKADR_TESTS=ON -DKADR_GTEST_SOURCE=/usr/src/googletest \
    -DKADR_QT_TESTLIB_SOURCE="$testlib/testlib" >"$app_build/configure-tests.log" 2>&1 ||
    { cat "$app_build/configure-tests.log"; exit 1; }
cmake --build "$app_build" -j "$(nproc)" --target editor_tests editor_monkey_tests

# The release's folder with the offscreen platform beside the windows one; its fonts are read
# from a folder (it has no access to the system's), the DejaVu fonts of the Linux side.
run=$KADR_BUILD/editor-tests
rm -rf "$run"
cp -rl "$KADR_DIST" "$run"
cp "$qt/plugins/platforms/qoffscreen.dll" "$run/platforms/"
cp "$app_build/bin/editor_tests.exe" "$app_build/bin/editor_monkey_tests.exe" "$run/"
export QT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'

run_tests() {
    local name=$1
    shift
    echo "--- $name $*"
    (cd "$run" && timeout --kill-after=10 "$limit" wine "./$name.exe" --gtest_brief=1 "$@" </dev/null)
}
run_tests editor_tests
KADR_MONKEY_SEED=7 KADR_MONKEY_STEPS=${KADR_MONKEY_STEPS:-300} \
    run_tests editor_monkey_tests --gtest_filter='MonkeyTest.SeedFromTheEnvironment'
