#!/usr/bin/env bash
# Instructions quillmere-calc spends on one row of a mixed job sheet (units, languages,
# names in either language, linings, all four methods, typed and table velocities),
# counted by callgrind: deterministic, whatever else the machine is doing. The cost of a
# row is the difference between a sheet of 2N rows and one of N, divided by N, so that
# start-up and the header do not count.
# usage: bench/calc-rows.sh [N] [PROGRAM]
set -euo pipefail
rows=${1:-2000}
program=${2:-build/calc/quillmere-calc}
command -v valgrind >/dev/null || { echo "calc-rows.sh needs valgrind" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_sheet() { # make_sheet ROWS FILE
  awk -v n="$1" 'BEGIN {
    print "units,lang,sensor,mount,outer_diameter,wall,pipe,lining,lining_thickness,fluid,fluid_velocity"
    split("VT-A1 VT-B1 VT-C1 VT-D1 VT-E1 VT-F1 VT-G1 VT-H1 VT-J1 VT-K1 RESERVE", s, " ")
    split("V Z N W", m, " ")
    split("CARBON STEEL|ｽﾃﾝﾚｽ|PVC|COPPER|鋳鉄|DUCTILE IRON", p, "|")
    split("NO LINING|RUBBER|ﾓﾙﾀﾙ|TAR EPOXY", l, "|")
    split("ja en", g, " ")
    for (i = 0; i < n; i++) {
      od = 20 + (i * 7.3) % 2000
      fluid = (i % 5 == 0) ? ",FLUID S.V.," (1000 + i % 1400) : ",WATER,"
      # a lining thickness only beside a lining: without one it is refused
      lining = l[i % 4 + 1] == "NO LINING" ? "" : sprintf("%.2f", i % 2 ? 1 + i % 5 : 0.05)
      printf "%s,%s,%s,%s,%.1f,%.1f,%s,%s,%s%s\n", (i % 2 ? "metric" : "imperial"), g[i % 3 % 2 + 1],
        s[i % 11 + 1], m[i % 4 + 1], (i % 2 ? od : od / 25.4), (i % 2 ? 2 + i % 9 : 0.1 + (i % 9) / 40),
        p[i % 6 + 1], l[i % 4 + 1], lining, fluid
    }
  }' > "$2"
}

count() { # count ROWS: instructions of the whole run
  make_sheet "$1" "$work/sheet.csv"
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$program" \
    --sheet "$work/sheet.csv" > "$work/out.csv" 2> "$work/valgrind.log" || true
  sed -n 's/.*Collected : *//p' "$work/valgrind.log"
}

one=$(count "$rows")
two=$(count $((rows * 2)))
errors=$(tail -n +2 "$work/out.csv" | awk -F, '$NF != "" && $(NF-1) == "" && $(NF-2) == "" && $(NF-3) == ""' | wc -l)
printf '%d and %d rows: %d and %d instructions; %d instructions a row (%d of the %d rows refused)\n' \
  "$rows" $((rows * 2)) "$one" "$two" $(((two - one) / rows)) "$errors" $((rows * 2))
