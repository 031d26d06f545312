#!/usr/bin/env bash
# Fails when a C++ file of the repository does not match .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench app -name '*.cpp' -o -name '*.h')
bad=$(clang-format --dry-run "${files[@]}" 2>&1 | grep -E '^[^:]+:[0-9]+:[0-9]+: warning' | cut -d: -f1 | sort -u || true)
if [ -n "$bad" ]; then
  echo "These files do not match .clang-format (run: clang-format -i FILE):"
  echo "$bad"
  exit 1
fi
echo "format ok"
