#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 20).
# New inputs go to a scratch corpus; the repository's seed corpus is only read.
# A crash leaves its input in build-fuzz/crashes/: copy it to fuzz/regressions/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
source scripts/common.sh
ensure_packages clang libclang-rt-dev cmake ninja-build

if [ ! -f build-fuzz/build.ninja ]; then
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_FUZZ=ON >/dev/null
fi
cmake --build build-fuzz -j "$(nproc)"

# Seeds kept elsewhere in the tree, read where they live (the fuzzer takes folders).
declare -A seeds=(
  [profile]="Quillmere.ini"
  [sheet]="tests/agreement_cases.csv tests/refusal_cases.csv calc/examples/pipes.csv"
)

mkdir -p build-fuzz/crashes
total=0
for name in profile numeric spacing sheet; do
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  elsewhere=build-fuzz/seeds/$name
  rm -rf "$elsewhere" && mkdir -p "$elsewhere"
  for file in ${seeds[$name]:-}; do cp "$file" "$elsewhere/"; done
  log=build-fuzz/fuzz_$name.log
  if ! build-fuzz/fuzz/fuzz_$name -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build-fuzz/crashes/"$name"- "$work" fuzz/corpus/$name "$elsewhere" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$name found a crash; its input is in build-fuzz/crashes/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz_$name: ${runs:-0} executions in ${seconds} s, no finding"
  total=$((total + ${runs:-0}))
done
echo "fuzzing: $total executions in all"
