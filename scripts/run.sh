#!/usr/bin/env bash
# Builds the program and starts it on the simulated evaluation board.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVN_BUILD_TESTS=OFF -DKVN_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target kvn58
exec build/release/app/kvn58 --simulate --app-path app/folder "$@"
