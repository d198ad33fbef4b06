#!/usr/bin/env bash
# The bash completions of veltara-reading and veltara: what each offers for
# a command line, on its own and under the bash-completion package's helpers
# when they are installed, and that it offers every option the program's
# --help names.
# Usage: check_completion.sh COMPLETION_FOLDER VELTARA_READING [VELTARA]
set -uo pipefail
folder=$(cd "$1" && pwd)
reading=$(realpath "$2")
window=${3:+$(realpath "$3")}
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# What the completion of the program offers for the words of a command line,
# the last being the word completed; sorted, one per line.
offers() {
    local program=$1
    shift
    COMP_WORDS=("$program" "$@")
    COMP_CWORD=$#
    COMP_LINE="$program $*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    "$function"
    printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | LC_ALL=C sort
}

# expect PROGRAM "WORDS..." "EXPECTED OFFERS..." (words and offers split at
# "|", offers in any order; "" for none).
expect() {
    local program=$1 words=$2 wanted=$3
    local -a word_list=() wanted_list=()
    IFS='|' read -r -a word_list <<<"$words"
    [[ $words == *'|' ]] && word_list+=("")
    [[ -n $wanted ]] && IFS='|' read -r -a wanted_list <<<"$wanted"
    local got want
    got=$(offers "$program" "${word_list[@]}")
    want=$( ((${#wanted_list[@]})) && printf '%s\n' "${wanted_list[@]}" | LC_ALL=C sort)
    [[ "$got" == "$want" ]] || fail "$mode: $program ${words//|/ } offers [${got//$'\n'/, }], not [${want//$'\n'/, }]"
}

# Every option --help names is offered for "-".
covers_help() {
    local program=$1 path=$2 option offered
    offered=$(offers "$program" -)
    for option in $("$path" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z-]+' | sort -u); do
        grep -qxF -- "$option" <<<"$offered" || fail "$mode: $program does not offer $option, which its --help names"
    done
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/sub"
touch "$work/rows.csv" "$work/my rows.csv" "$work/other.txt"
cd "$work" || exit 1

# After --jobs: 1, and the number of cores when there are more.
cores=$(getconf _NPROCESSORS_ONLN) jobs=1
((cores > 1)) && jobs+="|$cores"
months='April|August|December|February|January|July|June|March|May|November|October|September'
run_cases() {
    function=_veltara_reading
    expect veltara-reading '--' '--|--batch|--chart|--csv|--current|--help|--jobs|--json|--on|--steps|--version|--years'
    expect veltara-reading '-' '--|--batch|--chart|--csv|--current|--help|--jobs|--json|--on|--steps|--version|--years|-h|-v'
    expect veltara-reading '--chart|--on|' "$(date +%F)"
    expect veltara-reading '--chart|--on|2020-01-01|Ann|5|' "$months"
    expect veltara-reading '--c' '--chart|--csv|--current'
    expect veltara-reading '--chart|--years|' '10'
    expect veltara-reading '--chart|--current|' ''
    expect veltara-reading '--chart|--current|Al|--years|3|Ann|5|' "$months"
    expect veltara-reading '--chart|Ann|5|' "$months"
    expect veltara-reading '--j' '--jobs|--json'
    expect veltara-reading '--batch|-|--jobs|' "$jobs"
    expect veltara-reading '--jobs|2|Ann|5|' "$months"
    expect veltara-reading '--batch|r' 'rows.csv'
    expect veltara-reading '--batch|my' 'my rows.csv'
    expect veltara-reading '--batch|' '-|my rows.csv|other.txt|rows.csv|sub'
    expect veltara-reading '--json|--batch|s' 'sub'
    expect veltara-reading '--batch|=|r' 'rows.csv'
    expect veltara-reading '--batch|=' '-|my rows.csv|other.txt|rows.csv|sub'
    expect veltara-reading 'Ann|' ''
    expect veltara-reading 'Ann|5|' "$months"
    expect veltara-reading 'Ann|5|Ju' 'July|June'
    expect veltara-reading '--json|John Smith|29|S' 'September'
    expect veltara-reading '--|-Ann|-5|M' 'March|May'
    expect veltara-reading '--|-' ''
    expect veltara-reading 'Ann|5|May|' ''
    expect veltara-reading '--batch|rows.csv|' ''
    covers_help veltara-reading "$reading"

    function=_veltara
    expect veltara '-' '--display|--help|--platform|--style|--version|-h|-v'
    expect veltara '--p' '--platform'
    expect veltara '-platform|' 'offscreen|wayland|xcb'
    expect veltara '--platform|w' 'wayland'
    expect veltara '--style|F' 'Fusion'
    expect veltara 'r' ''
    [[ -n $window ]] && covers_help veltara "$window"
}

# On its own, as a bash without the bash-completion package loads it.
mode=plain
(
    # shellcheck source=/dev/null
    source "$folder/veltara-reading" && source "$folder/veltara" || exit 1
    run_cases
    exit "$failures"
) || failures=$((failures + $?))

# Under the bash-completion package, which gives file names its own way.
helpers=/usr/share/bash-completion/bash_completion
if [[ -r $helpers ]]; then
    mode=bash-completion
    (
        # shellcheck disable=SC1090
        source "$helpers" >/dev/null 2>&1
        # shellcheck source=/dev/null
        source "$folder/veltara-reading" && source "$folder/veltara" || exit 1
        declare -F _filedir >/dev/null || { echo "FAIL: $helpers defines no _filedir"; exit 1; }
        run_cases
        exit "$failures"
    ) || failures=$((failures + $?))
else
    echo "note: $helpers is not installed; the completions were checked without it"
fi

# Neither file starts a program of its own: bash-completion sources them.
for file in veltara veltara-reading; do
    [[ $(head -c 2 "$folder/$file") != '#!' ]] || fail "$file starts with #!"
    bash -n "$folder/$file" || fail "$file does not parse"
done

((failures == 0)) && echo "PASS: the completions of veltara-reading and veltara"
exit $((failures > 0))
