#!/usr/bin/env bash
# Every option quillmere-calc's --help lists has its own entry in the man page, and the man
# page lists the job sheet's columns --help lists (both from the table of columns), so that
# the full reference never lags behind the program.
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
# The columns a job sheet takes, in the same order.
help_columns=$("$calc" --help | sed -n '/naming any of the columns$/,/^(in any case/p' | sed '1d;$d' | xargs)
page_columns=$(sed -n '/naming any of the columns$/,/^\.RE/p' "$page" | grep -v '^\.' | sed '1d' | xargs)
if [ -z "$help_columns" ] || [ "$help_columns" != "$page_columns" ]; then
  echo "$page: the job sheet's columns are \"$page_columns\", --help lists \"$help_columns\""
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] &&
  echo "man page: an entry for each of $(echo "$options" | wc -w) options, and the $(echo "$help_columns" | wc -w) columns"
exit $((failures > 0))
