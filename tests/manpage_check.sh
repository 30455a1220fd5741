#!/usr/bin/env bash
# Every option quillmere-calc's --help lists has its own entry in the man page, so that the
# full reference never lags behind the program.
# Usage: manpage_check.sh MAN-PAGE QUILLMERE-CALC
set -u
page=$1
calc=$2
failures=0
options=$("$calc" --help | sed -n 's/^ *\(-[a-z],\)\{0,1\}--\([a-z-]*\).*/\2/p')
[ -n "$options" ] || { echo "no options read from $calc --help"; exit 1; }
for option in $options; do
  # An entry is a .TP (or .TQ) tag line naming the option (-- as \-\- in roff).
  tagged=$(grep -A1 -E '^\.(TP|TQ)' "$page" | grep '^\.B' | sed 's/\\-/-/g')
  if ! grep -Eq -- "--${option}([^a-z-]|$)" <<<"$tagged"; then
    echo "$page: no entry for --$option"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "man page: an entry for each of $(echo "$options" | wc -w) options"
exit $((failures > 0))
