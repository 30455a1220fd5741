#!/usr/bin/env bash
# The layer picture in docs/architecture.md against the includes of the code: every arrow
# drawn is an include that exists, and every include from one layer into another follows
# the arrows (directly or through layers between). A picture that drifts from the code
# misleads whoever carries it on.
# Usage: layers_check.sh SOURCE-DIR
set -u
cd "$1" || exit 2
layers=(engine catalogue rules report shell ui calc web)
failures=0

# The layer each header lives in, by its file name (the code includes headers by name).
declare -A home
for layer in "${layers[@]}"; do
  for header in "$layer"/*.h; do
    [ -f "$header" ] && home[$(basename "$header")]=$layer
  done
done

# The layers a set of files includes headers of, itself left out.
uses() { # uses SELF FILE...
  local self=$1
  shift
  grep -ho '^#include "[^"]*"' "$@" 2>/dev/null | sed 's/^#include "\(.*\)"/\1/' |
    while read -r file; do
      local layer=${home[$(basename "$file")]:-}
      [ -n "$layer" ] && [ "$layer" != "$self" ] && echo "$layer"
    done | sort -u
}

declare -A included # "from to" -> 1
for layer in "${layers[@]}"; do
  for used in $(uses "$layer" "$layer"/*.cpp "$layer"/*.h); do included["$layer $used"]=1; done
done
for used in $(uses main main.cpp); do included["main $used"]=1; done

# The arrows of the picture: "a --> b" or 'a["label"] --> b' inside the mermaid block.
declare -A drawn
while read -r from to; do
  drawn["$from $to"]=1
done < <(sed -n '/^```mermaid/,/^```$/p' docs/architecture.md |
  sed -n 's/^ *\([a-z]*\)\(\[[^]]*\]\)\{0,1\} *--> *\([a-z]*\).*/\1 \3/p')
if [ ${#drawn[@]} -eq 0 ]; then
  echo "docs/architecture.md: no arrows found in its mermaid picture"
  exit 1
fi

for arrow in "${!drawn[@]}"; do
  if [ -z "${included[$arrow]:-}" ]; then
    echo "drawn but not included: ${arrow/ / --> }"
    failures=$((failures + 1))
  fi
done

# Whether the picture leads from one layer to another, through any number of arrows.
reaches() { # reaches FROM TO
  local -A seen=([$1]=1)
  local frontier=("$1") next arrow
  while [ ${#frontier[@]} -gt 0 ]; do
    next=()
    for arrow in "${!drawn[@]}"; do
      local from=${arrow% *} to=${arrow#* }
      if [ -n "${seen[$from]:-}" ] && [ -z "${seen[$to]:-}" ]; then
        [ "$to" = "$2" ] && return 0
        seen[$to]=1
        next+=("$to")
      fi
    done
    frontier=("${next[@]}")
  done
  return 1
}

for edge in "${!included[@]}"; do
  if ! reaches "${edge% *}" "${edge#* }"; then
    echo "included but not in the picture: ${edge/ / uses }"
    failures=$((failures + 1))
  fi
done

if [ "$failures" -gt 0 ]; then
  echo "$failures difference(s) between docs/architecture.md and the includes"
  exit 1
fi
echo "layer picture: ${#drawn[@]} arrows, ${#included[@]} layer includes, all agree"
