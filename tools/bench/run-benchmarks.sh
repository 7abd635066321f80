#!/usr/bin/env bash
# Runs every benchmark of the Windows build (build/win/bin/*_bench.exe) under Wine in a
# session of its own. Usage: tools/bench/run-benchmarks.sh [WIN_BUILD_DIR] [SESSION_DIR]
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
win=${1:-$here/build/win}
session=${2:-$here/build/bench-wine}
shopt -s nullglob
benches=("$win"/bin/*_bench.exe)
[ ${#benches[@]} -gt 0 ] || { echo "no benchmarks in $win/bin: build first" >&2; exit 2; }
"$here/cmake/wine-session.sh" start "$session" >/dev/null || exit 1
trap '"$here/cmake/wine-session.sh" stop "$session"' EXIT
status=0
for bench in "${benches[@]}"; do
  echo "== $(basename "$bench")"
  "$here/cmake/wine-session.sh" run "$session" "$bench" || status=1
done
exit $status
