#!/usr/bin/env bash
# Builds and runs every test twice: a normal build and an AddressSanitizer +
# UndefinedBehaviorSanitizer build. Warnings are errors in both.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/check-format.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0

run() {
  local dir=$1; shift
  echo "== build $dir"
  cmake -S . -B "$dir" -G Ninja -DKVN_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== test $dir"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
run build/asan -DCMAKE_BUILD_TYPE=Debug -DKVN_SANITIZE=ON -DKVN_BUILD_BENCH=OFF
