#!/usr/bin/env bash
# The bash completion of quillmere-calc offers what the program takes: its options, the
# values of the short lists and its sensor types.
# Usage: completion_check.sh COMPLETION-FILE QUILLMERE-CALC
set -u
# shellcheck disable=SC1090 # the completion file under test, as given
source "$1"
calc=$2
failures=0

# What completing the last word of a command line offers.
offered() {
    COMP_WORDS=(quillmere-calc "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _quillmere_calc "$calc" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    echo "${COMPREPLY[*]}"
}

expect() {
    local want=$1
    shift
    local got
    got=$(offered "$@")
    if [ "$got" != "$want" ]; then
        echo "FAIL: quillmere-calc $* <TAB>: got '$got', want '$want'"
        failures=$((failures + 1))
    fi
}

expect '--mount' --mo
expect '--salinity --sensor --sheet --site --site-sketch --sketch --summary' --s
expect '--summary' --sum
expect '--lining --lining-thickness --lining-velocity' --lin
expect 'metric imperial' --units ''
expect 'ja en' --lang ''
expect 'N' --mount N
expect 'VT-C1' --sensor VT-C
expect 'VT-K1/VT-K2/VT-K3' --sensor VT-K
expect 'SGP STPG SUS SU' --list-pipe-sizes S
expect 'two-elbows-in-plane two-elbows-out-of-plane' --upstream two
expect 'control-valve' --downstream c
expect '' --upstream te
expect 'up' --pipe-run u
expect '' --wall ''
expect '' --tag ''
expect '' --pipe 'CARBON'
expect '' 114.3
folder=$(mktemp -d)
touch "$folder/pipes.csv" "$folder/pipes 2.csv"
expect "$folder/pipes 2.csv $folder/pipes.csv" --sheet "$folder/pi"
rm -r "$folder"

[ "$failures" -eq 0 ] && echo "completion: all offered as expected"
exit $((failures > 0))
