#!/usr/bin/env bash
# A manual page: groff formats it without a warning, mandoc's lint finds
# nothing in it (the date among the rest) where mandoc is installed, lexgrog
# finds its NAME line for the program, and it names every option the
# program's --help lists.
set -euo pipefail
page=$1
program=$2
name=$(basename "$page" .1)
for tool in groff lexgrog; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup installs it)"; exit 77; }
done
warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
if [[ -n "$warnings" ]]; then
    echo "FAIL: groff warns about $page:"
    echo "$warnings"
    exit 1
fi
if command -v mandoc >/dev/null; then
    lint=$(mandoc -T lint -W all "$page" 2>&1) || {
        echo "FAIL: mandoc -T lint -W all finds in $page:"
        echo "$lint"
        exit 1
    }
else
    echo "note: mandoc is not installed; its lint is left out (scripts/setup installs it)"
fi
entry=$(lexgrog "$page") || { echo "FAIL: lexgrog finds no NAME line in $page"; exit 1; }
[[ "$entry" == *"\"$name - "* ]] || { echo "FAIL: lexgrog reads $entry"; exit 1; }
text=$(LC_ALL=C.UTF-8 MANWIDTH=200 groff -man -Tutf8 "$page" 2>/dev/null | sed 's/.\x08//g')
# The toolkit's options are written with one dash, as Qt programs take them.
for option in $(QT_QPA_PLATFORM=offscreen "$program" --help | grep -oE -- '--[a-z]+' | sort -u); do
    grep -qE -- "(^|[^-[:alnum:]])--?${option#--}([^-[:alnum:]]|$)" <<<"$text" ||
        { echo "FAIL: the manual page does not describe $option"; exit 1; }
done
echo "PASS: $page"
