#!/usr/bin/env bash
# Builds everything and passes every test: the plain build, the whole suite again under
# AddressSanitizer + UndefinedBehaviorSanitizer, the serial and upload tests under
# ThreadSanitizer, a bounded run of the file-reader fuzzer, the Debian package proven
# (scripts/test-package.sh), and the Windows release proven under
# wine (scripts/test-windows.sh; the first run on a machine builds Qt for Windows into a cache).
# FUZZ_SECONDS (default 60) bounds the fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

step() { printf '\n=== %s (%d min %02d s since the start) ===\n' "$*" $((SECONDS / 60)) $((SECONDS % 60)); }

step "build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

step "AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKADR_SANITIZE=address,undefined -DKADR_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

step "ThreadSanitizer: serial port and upload"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKADR_SANITIZE=thread -DKADR_BENCH=OFF -DKADR_GUI=OFF >/dev/null
cmake --build build-tsan -j "$jobs"
ctest --test-dir build-tsan --output-on-failure -L 'serial|upload' --no-tests=ignore

step "fuzz the file readers for ${FUZZ_SECONDS:-60} s"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKADR_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build-fuzz/bin/readers_fuzz -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 "$corpus" tests/fuzz/corpus

step "Linux: the Debian package built, validated, compared with the build, installed, removed"
scripts/test-package.sh build

step "Windows: MinGW-w64 cross-build, the release, tests under wine"
scripts/test-windows.sh

step "all tests passed"
