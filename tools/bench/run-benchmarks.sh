#!/usr/bin/env bash
# Runs every benchmark of the Windows build (build/win/bin/*_bench.exe) under Wine in a
# session of its own, the start-up benchmark on a launcher folder built like the demo's, and
# reports the exe's size. Usage: tools/bench/run-benchmarks.sh [WIN_BUILD_DIR] [SESSION_DIR]
# [HOST_BUILD_DIR]
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
win=${1:-$here/build/win}
session=${2:-$here/build/bench-wine}
host=${3:-$here/build/host}
# The launcher's budget for its exe.
budget=$((1024 * 1024))
shopt -s nullglob
benches=("$win"/bin/*_bench.exe)
[ ${#benches[@]} -gt 0 ] || { echo "no benchmarks in $win/bin: build first" >&2; exit 2; }
status=0

exe="$win/bin/suitestart.exe"
size=$(stat -c %s "$exe") || exit 2
echo "== suitestart.exe size"
awk -v s="$size" -v b="$budget" \
  'BEGIN { printf "  %d bytes, %.1f%% of the %d-byte budget\n", s, 100 * s / b, b }'
# Sections: name and size (hex in objdump's table).
x86_64-w64-mingw32-objdump -h "$exe" | awk '$1 ~ /^[0-9]+$/ { print $2, $3 }' |
  while read -r name hex; do printf '  %-8s %8d bytes\n' "$name" $((16#$hex)); done
[ "$size" -le "$budget" ] || { echo "  over the budget"; status=1; }

# The start-up benchmark's launcher folder, as the demo's (its stand-ins run quiet there).
launcher="$session/launcher"
"$here/tools/demo/make-demo.sh" "$win" "$host" "$launcher" design >/dev/null || exit 1
launcher_win="Z:$(cd "$launcher" && pwd | tr / '\\')"

"$here/cmake/wine-session.sh" start "$session" >/dev/null || exit 1
trap '"$here/cmake/wine-session.sh" stop "$session"' EXIT
for bench in "${benches[@]}"; do
  echo "== $(basename "$bench")"
  args=()
  [ "$(basename "$bench")" = startup_bench.exe ] && args=("$launcher_win" 'sounds\default\')
  "$here/cmake/wine-session.sh" run "$session" "$bench" "${args[@]}" || status=1
done
exit $status
