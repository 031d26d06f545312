#!/usr/bin/env bash
# Builds the program and starts it on the simulated evaluation board, or with
# --board on the real one; every other argument goes to the program. It runs on
# the build's own copy of the program folder, build/release/share/kvn58.
set -euo pipefail
cd "$(dirname "$0")/.."
simulate=(--simulate)
args=()
for arg in "$@"; do
  if [ "$arg" = --board ]; then simulate=(); else args+=("$arg"); fi
done
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVN_BUILD_TESTS=OFF -DKVN_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target kvn58
exec build/release/app/kvn58 "${simulate[@]}" "${args[@]}"
