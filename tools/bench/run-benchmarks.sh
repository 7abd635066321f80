#!/usr/bin/env bash
# Runs every benchmark of the Windows build (build/win/bin/*_bench.exe) under Wine in a
# session of its own, the start-up benchmark on a launcher folder built like the demo's (at 96
# DPI, for a German user at 96 DPI, then with the session at 120, 144, 168 and 192), and reports
# the exe's size.
# Usage: tools/bench/run-benchmarks.sh [WIN_BUILD_DIR] [SESSION_DIR] [HOST_BUILD_DIR]
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
win=${1:-$here/build/win}
session=${2:-$here/build/bench-wine}
host=${3:-$here/build/host}
# The launcher's budget for its exe with its icon (whose 256-pixel image is PNG).
budget=$((512 * 1024))
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
skin='sounds\default\'
ratios=()
# awake COMMAND...: runs it with every processor kept busy by a spinner of the lowest priority.
# This machine's virtual processors take long to wake from idle, and the launcher, which talks
# to the Wine and X servers far more often than the plain window, waits for that far more
# often: awake, the programs are measured, not the wake-ups (BENCHMARKS.md shows both).
awake() {
  local spinners=() n
  if [ "${SS_BENCH_IDLE_CPU:-0}" != 1 ]; then
    for n in $(seq "$(nproc)"); do
      nice -n 19 sh -c 'while :; do :; done' &
      spinners+=($!)
    done
  fi
  "$@"
  local code=$?
  [ ${#spinners[@]} -eq 0 ] || kill "${spinners[@]}" 2>/dev/null
  return $code
}
# startup DPI ARGS...: the start-up benchmark in a session of that DPI (or "de": at 96 DPI for
# a German user), its ratio kept.
startup() {
  local dpi=$1 log="$session/startup-$1.log"
  shift
  if [ "$dpi" = 96 ]; then
    awake "$here/cmake/wine-session.sh" run "$session" "$@" --no-idle | tee "$log"
  elif [ "$dpi" = de ]; then
    awake "$here/cmake/wine-session.sh" lang "$session" de_DE.UTF-8 "$@" --no-idle | tee "$log"
  else
    awake "$here/cmake/wine-session.sh" dpi "$session" "$dpi" "$@" --no-idle | tee "$log"
  fi
  [ "${PIPESTATUS[0]}" = 0 ] || status=1
  ratios+=("$([ "$dpi" = de ] && echo "96 DPI in German" || echo "$dpi DPI") $(sed -n 's/^  ratio \([0-9.]*x\).*/\1/p' "$log") ($(
    sed -n 's/^  own cost \(-\{0,1\}[0-9.]* ms\).*/\1/p' "$log") own cost)")
}
for bench in "${benches[@]}"; do
  name=$(basename "$bench")
  echo "== $name"
  case "$name" in
    startup_bench.exe)
      # With the floor: the launcher's windows with nothing of the launcher in them.
      startup 96 "$bench" "$launcher_win" "$skin" --floor
      # A German user: the language file read and the German pictures shown.
      echo "== $name in German"
      startup de "$bench" "$launcher_win" "$skin" --lang de
      # The halo's cost: the launcher with Halo=never and with Halo=always, both in the session
      # composed by xcompmgr, one after the other.
      # The floor likewise, without and with a layered window of the halo's size.
      for halo in never always; do
        folder="$session/launcher-halo-$halo"
        HALO=$halo "$here/tools/demo/make-demo.sh" "$win" "$host" "$folder" design >/dev/null ||
          exit 1
        echo "== $name with Halo=$halo, composed by xcompmgr"
        awake "$here/cmake/wine-session.sh" composite "$session" "$bench" \
          "Z:$(cd "$folder" && pwd | tr / '\\')" "$skin" --no-idle \
          "$([ $halo = always ] && echo --floor-halo || echo --floor)" | tee "$session/halo-$halo.log"
        [ "${PIPESTATUS[0]}" = 0 ] || status=1
      done
      painted_difference() {
        awk -v who="^  $1 " '$0 ~ who { for (i = 1; i < NF; ++i) if ($i == "painted") p[FILENAME] = $(i + 1) }
          END { printf "%.1f", p[ARGV[2]] - p[ARGV[1]] }' "$session/halo-never.log" "$session/halo-always.log"
      }
      echo "== the halo's cost at 96 DPI (launcher painted, Halo=always - Halo=never): $(
        painted_difference launcher) ms; a layered window of its size alone: $(
        painted_difference floor) ms (floor painted, with - without)"
      # At 125 %, 150 % and 200 % (the skin's files drawn at those scales as they are) and at
      # 175 % (resampled from its 200 % files), each against the plain window at the same DPI.
      for dpi in 120 144 168 192; do
        echo "== $name at $dpi DPI"
        startup "$dpi" "$bench" "$launcher_win" "$skin"
      done
      # Idling, the same at every DPI, with nothing else running.
      echo "== $name idling"
      "$here/cmake/wine-session.sh" run "$session" "$bench" "$launcher_win" "$skin" 1 \
        --idle-only || status=1
      ;;
    skin_load_bench.exe)
      "$here/cmake/wine-session.sh" run "$session" "$bench" "$launcher_win\\$skin" || status=1
      ;;
    *) "$here/cmake/wine-session.sh" run "$session" "$bench" || status=1 ;;
  esac
done
[ ${#ratios[@]} -eq 0 ] || echo "== start-up ratios (launcher painted / plain painted) and the launcher's own cost (launcher painted - plain painted): $(
  IFS=,; echo "${ratios[*]}" | sed 's/,/, /g')"
exit $status
