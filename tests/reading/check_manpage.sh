#!/usr/bin/env bash
# The manual page of veltara-reading: groff formats it without a warning,
# lexgrog finds its NAME line, and it names every option the program knows.
set -euo pipefail
page=$1
program=$2
for tool in groff lexgrog; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup installs it)"; exit 77; }
done
warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
if [[ -n "$warnings" ]]; then
    echo "FAIL: groff warns about $page:"
    echo "$warnings"
    exit 1
fi
name=$(lexgrog "$page") || { echo "FAIL: lexgrog finds no NAME line in $page"; exit 1; }
[[ "$name" == *'"veltara-reading - '* ]] || { echo "FAIL: lexgrog reads $name"; exit 1; }
text=$(LC_ALL=C.UTF-8 MANWIDTH=200 groff -man -Tutf8 "$page" 2>/dev/null | sed 's/.\x08//g')
for option in $("$program" --help | grep -oE -- '--[a-z]+' | sort -u); do
    grep -qF -- "$option" <<<"$text" || { echo "FAIL: the manual page does not describe $option"; exit 1; }
done
echo "PASS: $page"
