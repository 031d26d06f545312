#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised build).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVN_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench --target kvn_bench -j "$(nproc)"
build/bench/bench/kvn_bench "$@"
