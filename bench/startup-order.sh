#!/usr/bin/env bash
# Writes ui/startup-order.ld: the functions of the program that its start runs, gathered
# into one place of the program's code. The kernel maps the code 64 KiB around each page a
# start touches, so start-up functions spread over the whole program made most of it
# resident; gathered, a few windows of it are. Run it again after changing what the
# window's start does (a function it no longer lists only ends up among the rest).
# usage: bench/startup-order.sh [PROGRAM]   (default build/quillmere; needs valgrind, Xvfb)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$top/build/quillmere}
command -v valgrind >/dev/null || { echo "startup-order.sh needs valgrind" >&2; exit 2; }
source "$top/bench/window-bench.sh"
window_bench_setup "$program"

# The start under callgrind, until the window has been mapped, then painted and idle for
# a while; a busy machine may take minutes to get there.
valgrind --tool=callgrind --demangle=no --callgrind-out-file="$work/start.cg" \
  "$work/program" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 600); do
  xwininfo -root -tree 2>/dev/null | grep -q '"超音波流量計\|"Ultrasonic Flowmeter' && break
  sleep 0.5
done
xwininfo -root -tree 2>/dev/null | grep -q '"超音波流量計\|"Ultrasonic Flowmeter' ||
  { echo "startup-order.sh: the window did not open" >&2; exit 1; }
sleep 10
kill "$pid"
wait "$pid" 2>/dev/null || true

# callgrind names an object or a function in full once, then by its number alone. A program
# linked with the list is an unnamed object to it ("???"), as it reads only the .text section.
awk -v self="$work/program" '
  function name(line,   n) { n = line; sub(/^[a-z]+=\([0-9]+\) ?/, "", n); return n }
  function id(line) { return substr(line, index(line, "(") + 1, index(line, ")") - index(line, "(") - 1) }
  /^c?ob=/ { if (name($0) != "") object[id($0)] = name($0); if (/^ob=/) current = object[id($0)]; next }
  /^c?fn=/ { if (name($0) != "") fn[id($0)] = name($0); if (/^fn=/ && (current == self || current == "???")) ran[id($0)] = 1; next }
  END { for (i in ran) if (fn[i] ~ /^_Z/) print fn[i] }' "$work/start.cg" | sort -u > "$work/functions"
# A start cut short would gather too little and leave the rest spread out again.
[ "$(wc -l < "$work/functions")" -ge 50 ] ||
  { echo "startup-order.sh: only $(wc -l < "$work/functions") functions ran; not written" >&2; exit 1; }

{
  echo "/* The window's start-up functions together, before the rest of the program's code."
  echo "   Written by bench/startup-order.sh; a linker script insert (GNU ld). */"
  echo "SECTIONS"
  echo "{"
  echo "  .text.start :"
  echo "  {"
  echo "    *(.text.startup .text.startup.*)"
  # A constructor or destructor runs under one name and is emitted under its base one.
  sed -e 'p' -e 's/C1E/C2E/; s/D[01]E/D2E/' "$work/functions" | awk '!seen[$0]++ { print "    *(.text." $0 ")" }'
  echo "  }"
  echo "}"
  echo "INSERT BEFORE .text;"
} > "$top/ui/startup-order.ld"
echo "ui/startup-order.ld: $(wc -l < "$work/functions") functions"
