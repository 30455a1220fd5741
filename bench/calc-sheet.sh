#!/usr/bin/env bash
# Times quillmere-calc on a generated job sheet of N rows (default 1,000,000) on one core,
# and shows that its peak memory does not grow with the number of rows.
# usage: bench/calc-sheet.sh [ROWS] [PROGRAM]
set -euo pipefail
rows=${1:-1000000}
program=${2:-build-package/calc/quillmere-calc}
[ -x "$program" ] || program=build/calc/quillmere-calc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_sheet() { # make_sheet ROWS FILE: a mix of types, methods, materials, linings, fluids
  awk -v n="$1" 'BEGIN {
    print "units,sensor,mount,outer_diameter,wall,pipe,lining,lining_thickness,fluid,fluid_velocity"
    split("VT-A1 VT-B1 VT-C1 VT-D1 VT-E1 VT-F1 VT-G1 VT-H1 VT-J1 VT-K1 RESERVE", s, " ")
    split("V Z N W", m, " ")
    split("CARBON STEEL|STAINLESS STEEL|PVC|COPPER|CAST IRON|DUCTILE IRON", p, "|")
    split("NO LINING|RUBBER|MORTAR|TAR EPOXY", l, "|")
    for (i = 0; i < n; i++) {
      od = 20 + (i * 7.3) % 2000
      fluid = (i % 5 == 0) ? ",FLUID S.V.," (1000 + i % 1400) : ",WATER,"
      # a lining thickness only beside a lining: without one it is refused
      lining = l[i % 4 + 1] == "NO LINING" ? "" : sprintf("%.2f", i % 2 ? 1 + i % 5 : 0.05)
      printf "%s,%s,%s,%.1f,%.1f,%s,%s,%s%s\n", (i % 2 ? "metric" : "imperial"), s[i % 11 + 1], m[i % 4 + 1], \
        (i % 2 ? od : od / 25.4), (i % 2 ? 2 + i % 9 : 0.1 + (i % 9) / 40), p[i % 6 + 1], l[i % 4 + 1], \
        lining, fluid
    }
  }' > "$2"
}

# One core: the first this process may use (a container need not offer core 0).
core=$(taskset -pc $$ | sed 's/.*: //; s/[,-].*//')

for n in $((rows / 10)) "$rows"; do
  make_sheet "$n" "$work/sheet.csv"
  /usr/bin/time -f "%e %M" -o "$work/time" taskset -c "$core" "$program" --lang en --sheet "$work/sheet.csv" \
    > "$work/out.csv" 2> /dev/null || true
  read -r seconds kib < <(tail -n 1 "$work/time") # after time's line on a non-zero exit
  printf '%9d rows: %5.2f s, peak memory %d KiB, %d output lines, %d with an error\n' \
    "$n" "$seconds" "$kib" "$(wc -l < "$work/out.csv")" "$(tail -n +2 "$work/out.csv" | grep -c '[^,],$' || true)" # the error, then empty notes
done
