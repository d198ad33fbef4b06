#!/usr/bin/env bash
# Runs ShellCheck over every shell script of the project: scripts/, .ci/run, the
# tests' shell scripts and the Wine wrapper's template. Any finding, of any
# severity, fails; a script may silence one finding with a directive that
# says why.
# Usage: check_shell.sh SOURCE_FOLDER
set -euo pipefail
cd "$1"
command -v shellcheck >/dev/null || { echo "SKIP: shellcheck is not installed (scripts/setup installs it)"; exit 77; }

scripts=()
# The scripts by their first line, so that one of another language in the
# same folders is left to its own checks.
while IFS= read -r -d '' file; do
    first=$(head -n 1 -- "$file")
    [[ $first =~ ^#!.*(/|[[:space:]])(ba|da)?sh([[:space:]]|$) ]] && scripts+=("$file")
done < <(find scripts .ci tests packaging -type f \( -perm -u+x -o -name '*.sh' -o -name '*.in' \) -print0 | sort -z)
((${#scripts[@]} >= 10)) || { echo "FAIL: only ${#scripts[@]} shell scripts found: ${scripts[*]}"; exit 1; }

if shellcheck --severity=style --external-sources -- "${scripts[@]}"; then
    echo "PASS: shellcheck finds nothing in ${#scripts[@]} scripts: ${scripts[*]}"
else
    echo "FAIL: shellcheck findings above"
    exit 1
fi
