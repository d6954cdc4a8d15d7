#!/usr/bin/env bash
# Builds the editor (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kadropisets kadr
exec build/bin/kadropisets "$@"
