#!/usr/bin/env bash
# Time from process start to the window mapped, and peak resident memory, of two programs
# started in turn under one Xvfb: by default Quillmere and the bare Qt window beside it.
# usage: bench/startup.sh [PAIRS] [PROGRAM BASELINE]
#   PAIRS     pairs, every one measured: the first starts cold, as a user's first start
#             of the day does (default 9)
#   PROGRAM   default build/quillmere, with Quillmere.ini copied beside it
#   BASELINE  default build/bench/bare_window
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
pairs=${1:-9}
source "$top/bench/window-bench.sh"
window_bench_setup "${2:-$top/build/quillmere}"
cp "${3:-$top/build/bench/bare_window}" "$work/baseline"

# measure PROGRAM: prints "microseconds-to-map peak-KiB anonymous-KiB"
measure() {
  local fifo=$work/events
  rm -f "$fifo"; mkfifo "$fifo"
  stdbuf -oL xev -root -event substructure > "$fifo" &
  local xev=$!
  exec 3< "$fifo"
  sleep 0.3 # xev prints nothing until an event: give it time to select its input
  local start end pid line
  start=$(date +%s%N)
  "$1" & pid=$!
  # A program that never maps a window (it failed, or it is not a window program) must
  # not hold the script for ever.
  while :; do
    if ! read -r -t 20 line <&3; then
      echo "startup.sh: $(basename "$1") mapped no window within 20 s" >&2
      exit 1
    fi
    case $line in MapNotify*) break ;; esac
  done
  end=$(date +%s%N)
  sleep 0.3
  local hwm anon
  hwm=$(awk '/^VmHWM/ {print $2}' /proc/$pid/status)
  anon=$(awk '/^RssAnon/ {print $2}' /proc/$pid/status)
  kill $pid $xev; wait $pid $xev 2>/dev/null || true
  exec 3<&-
  echo "$(( (end - start) / 1000 )) $hwm $anon"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

: > "$work/p"; : > "$work/b"; : > "$work/r"
for i in $(seq "$pairs"); do
  measure "$work/program" > "$work/one"; read -r pt pm pa < "$work/one"
  measure "$work/baseline" > "$work/one"; read -r bt bm ba < "$work/one"
  echo "$pt $pm $pa" >> "$work/p"; echo "$bt $bm $ba" >> "$work/b"
  awk -v p="$pt" -v b="$bt" 'BEGIN {print p / b}' >> "$work/r"
  awk -v i="$i" -v pt="$pt" -v pm="$pm" -v bt="$bt" -v bm="$bm" 'BEGIN {
    printf "pair %d: program %5.1f ms %6d KiB | baseline %5.1f ms %6d KiB\n", i, pt/1000, pm, bt/1000, bm }'
done
pt=$(cut -d' ' -f1 "$work/p" | median); bt=$(cut -d' ' -f1 "$work/b" | median)
pm=$(cut -d' ' -f2 "$work/p" | median); bm=$(cut -d' ' -f2 "$work/b" | median)
pa=$(cut -d' ' -f3 "$work/p" | median); ba=$(cut -d' ' -f3 "$work/b" | median)
ratio=$(median < "$work/r")
awk -v pt="$pt" -v bt="$bt" -v pm="$pm" -v bm="$bm" -v pa="$pa" -v ba="$ba" -v r="$ratio" -v n="$pairs" 'BEGIN {
  printf "time to window mapped, median of %d pairs: program %.1f ms, baseline %.1f ms, median pair ratio %.2f\n", n, pt/1000, bt/1000, r
  printf "peak resident memory: program %.1f MiB (%.1f MiB anonymous), baseline %.1f MiB (%.1f MiB anonymous), ratio %.3f (%d / %d KiB)\n", pm/1024, pa/1024, bm/1024, ba/1024, pm/bm, pm, bm
}'
