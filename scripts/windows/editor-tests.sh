#!/usr/bin/env bash
# The editor's own tests as Windows programs: editor_tests.exe and editor_monkey_tests.exe are
# cross-built in the release's build folder (so they drive the very objects kadropisets.exe is
# linked from) and run under wine on Qt's offscreen platform, beside the release's DLLs. Qt for
# Windows is built without Qt Test; the tests build it from its sources
# (scripts/windows/qt-testlib-source.sh). WINE_TEST_SECONDS (default 300) bounds each program;
# KADR_MONKEY_STEPS (default 500) the random-input run.
# Run by scripts/test-windows.sh (wine prefix, server and screen set up there).
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

# The release's folder with the offscreen platform beside the windows one. That platform reads
# its fonts from the folder lib/fonts (it has no access to the system's): the DejaVu fonts the
# tests draw text with. (Wine passes no QT_* variable on, so QT_QPA_FONTDIR cannot name them.)
run=$KADR_BUILD/editor-tests
rm -rf "$run"
cp -rl "$KADR_DIST" "$run"
cp "$qt/plugins/platforms/qoffscreen.dll" "$run/platforms/"
mkdir -p "$run/lib"
ln -s /usr/share/fonts/truetype/dejavu "$run/lib/fonts"
cp "$app_build/bin/editor_tests.exe" "$app_build/bin/editor_monkey_tests.exe" "$run/"

echo "not built for Windows: recovery_test (a helper process started the POSIX way plays a"
echo "  dying editor), upload_window_test (uploads into kadr simulate on a pseudo-terminal;"
echo "  the upload from the editor under wine is proven by prove-editor.sh)"
run_tests() {
    local name=$1
    shift
    echo "--- $name $*"
    # Each test's name and verdict stay out of the log; failures and skips with their reasons
    # stay in. Wine's notes on the Z: drive, met by every file dialog, are dropped.
    (cd "$run" && timeout --kill-after=10 "$limit" wine "./$name.exe" "$@" </dev/null 2>&1) |
        grep -v -e '^\[ *\(RUN\|OK\) *\]' -e 'FS volume label and serial are not available'
}
run_tests editor_tests
# The offscreen platform keeps its clipboard inside the program; the clipboard's tests once more
# through Windows' own (wine's), on the windows platform and the wine session's screen.
run_tests editor_tests --gtest_filter='ClipboardTest.*:SelectionTest.FramesTravel*' -platform windows
KADR_MONKEY_SEED=7 KADR_MONKEY_STEPS=${KADR_MONKEY_STEPS:-500} \
    run_tests editor_monkey_tests --gtest_filter='MonkeyTest.SeedFromTheEnvironment'
printf "the editor's tests under wine, their build included: %d min %02d s\n" $((SECONDS / 60)) $((SECONDS % 60))
