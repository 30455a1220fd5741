#!/usr/bin/env bash
# The real program shows the same results whatever the system locale: the same entries are
# typed under C.UTF-8, an empty locale environment, de_DE.UTF-8 and ja_JP.UTF-8, and the
# window's pixels after EXECUTE must be identical. Runs under its own X server.
# usage: locale_check.sh PROGRAM   (inside xvfb-run)
set -euo pipefail
program=$1
unset QT_QPA_PLATFORM # a real X window, not the offscreen stand-in
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/quillmere"

# Window-relative click points of the design (the window sits at 0,0 without a window manager),
# below the menu bar, whose height is the window's beyond the design's 471 pixels.
OUTER=(300 45); EXECUTE=(776 376); bar=0

# Whether the window dump FILE (xwd, 32-bit pixels) shows red text in the first result field
# (224,352 217x27 pixels): the result of a press, drawn.
result_drawn() {
  local header
  read -r -a header < <(od -An -v -tu1 -N100 "$1" | tr -s ' \n' ' ')
  word() { echo $((header[$1 * 4] << 24 | header[$1 * 4 + 1] << 16 | header[$1 * 4 + 2] << 8 | header[$1 * 4 + 3])); }
  local size width perline colours
  size=$(word 0); width=$(word 4); perline=$(word 12); colours=$(word 19)
  local depth=$((perline / width)) start=$((size + colours * 12))
  local y
  for ((y = 358 + bar; y < 374 + bar; y += 2)); do
    # least significant byte first: blue, green, red
    od -An -v -tu1 -j $((start + y * perline + 228 * depth)) -N $((205 * depth)) "$1" |
      tr -s ' \n' '\n' | grep -v '^$' |
      awk -v d="$depth" '{ b[NR % d] = $1 } NR % d == 0 && b[3 % d] > 200 && b[2] < 80 && b[1] < 80 { found = 1 } END { exit !found }' &&
      return 0
  done
  return 1
}

snapshot() { # snapshot NAME INI KEYS... : start, type, press EXECUTE, grab the pixels
  local name=$1 ini=$2; shift 2
  printf '%b' "$ini" > "$work/Quillmere.ini"
  env "${locale_env[@]}" XDG_RUNTIME_DIR="$work" XDG_DATA_HOME="$work/data" "$work/quillmere" 2>"$work/$name.err" &
  local pid=$!
  # Waits for the window to be shown, however long the machine takes (the test's time
  # limit ends a start that never shows one).
  local win
  win=$(xdotool search --sync --onlyvisible --classname quillmere 2>/dev/null | tail -n 1)
  [ -n "$win" ] || { echo "no window for $name: $(cat "$work/$name.err")"; kill $pid; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$win")"
  bar=$((HEIGHT - 471))
  xdotool mousemove "${OUTER[0]}" $((OUTER[1] + bar)) click 1
  for k in "$@"; do
    case $k in
      type:*) xdotool type --delay 20 "${k#type:}" ;;
      *) xdotool key --delay 20 "$k" ;;
    esac
  done
  # The press comes after the typed keys in the window's queue; its result is drawn when the
  # result field shows red text, however long a busy machine takes (the test's time limit
  # ends a window that never shows one).
  xdotool mousemove "${EXECUTE[0]}" $((EXECUTE[1] + bar)) click 1
  until xwd -id "$win" -silent > "$work/$name.xwd" && result_drawn "$work/$name.xwd"; do
    kill -0 $pid 2>/dev/null || { echo "$name: the program ended: $(cat "$work/$name.err")"; return 1; }
  done
  kill $pid; wait $pid 2>/dev/null || true
  md5sum < "$work/$name.xwd" | cut -d' ' -f1
}

metric=("[SYSTEM]\nLANG_FLAG=1\nUNIT_FLAG=0\n" "type:1,234.5" Tab Tab Tab "type:10" Tab Tab
        Down Down Down Down Down Down Down)
imperial=("[SYSTEM]\nLANG_FLAG=1\nUNIT_FLAG=1\n" "type:48.6" Tab
          Down Down Down Down Down Down Down Down Down Down Down Down Tab "type:3,280" Tab
          "type:0.5" Tab Tab Down Down Down Down Down Down Down)

status=0
for case in metric imperial; do
  declare -n keys=$case
  reference=""
  for loc in C.UTF-8 empty de_DE.UTF-8 ja_JP.UTF-8; do
    if [ "$loc" = empty ]; then locale_env=(-u LANG -u LC_ALL -u LC_NUMERIC); else locale_env=(LC_ALL="$loc"); fi
    sum=$(snapshot "$case-$loc" "${keys[@]}") || { echo "$sum"; status=1; continue; }
    if [ -z "$reference" ]; then
      reference=$sum
    elif [ "$sum" != "$reference" ]; then
      echo "$case: the window under $loc differs from C.UTF-8"; status=1
    fi
  done
  [ $status -eq 0 ] && echo "$case: identical under C.UTF-8, an empty locale, de_DE.UTF-8 and ja_JP.UTF-8"
done
[ $status -eq 0 ] && echo "2 passed, 0 failed"
exit $status
