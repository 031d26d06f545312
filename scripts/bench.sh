#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised build) on the offscreen platform,
# on a laptop-sized screen (the Qt tests' own) so the windows show whole, then
# the Qt ones again under Xvfb when it is installed, on a display of its own.
#   scripts/bench.sh [FILTER] [benchmark options...]
# FILTER is a regular expression of benchmark names (e.g. 'User_AutoScan');
# KVN_BENCH_SECONDS sets how long each case run as a user runs it lasts (10 s).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
filter=""
if (($#)) && [[ $1 != -* ]]; then
  filter=$1
  shift
fi
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVN_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench --target kvn_bench -j "$(nproc)"
bench=build/bench/bench/kvn_bench

echo "== offscreen"
QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/qt/screen-1366x768.json" "$bench" --benchmark_filter="${filter:-.}" "$@"

command -v Xvfb >/dev/null || {
  echo "== Xvfb not installed: no run under X"
  exit 0
}
# A display no server uses: neither its lock file nor its socket exists.
display=""
for n in $(seq 90 199); do
  if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
    display=$n
    break
  fi
done
[[ -n $display ]] || {
  echo "== no free display for Xvfb"
  exit 1
}
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  kill -0 "$xvfb" 2>/dev/null || {
    echo "== Xvfb did not start"
    exit 1
  }
  sleep 0.1
done
echo "== Xvfb on :$display"
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$bench" --benchmark_filter="${filter:-QtView|User_}" "$@"
