#!/usr/bin/env bash
# Compiles a Windows resource file for CMake's rule, in a build whose paths
# may hold any character. windres hands its include folders and the file's
# name to the preprocessor through the shell as they are, so a quote or a
# parenthesis in the checkout's path breaks it. Here the preprocessor runs
# first, with no shell between, and windres reads what it gives on standard
# input, in the .rc file's folder, where the files the resources name (the
# icon, the manifest) are looked up.
# Usage: windres.sh WINDRES [OPTION...] SOURCE OBJECT, the options as CMake
# gives them (-D, -I, -U for the preprocessor; the rest for windres).
set -euo pipefail
windres=$1
shift
(($# >= 2)) || { echo "usage: windres.sh WINDRES [OPTION...] SOURCE OBJECT" >&2; exit 2; }
arguments=("$@")
source=${arguments[-2]}
object=${arguments[-1]}
[[ $object == /* ]] || object=$PWD/$object
preprocessor=()
options=()
for ((i = 0; i < ${#arguments[@]} - 2; i++)); do
    case ${arguments[i]} in
        -D | -I | -U | --define | --include-dir | --undefine)
            preprocessor+=("${arguments[i]:0:2}" "${arguments[i + 1]}")
            i=$((i + 1))
            ;;
        -D* | -I* | -U*) preprocessor+=("${arguments[i]}") ;;
        --define=* | --include-dir=* | --undefine=*)
            flag=${arguments[i]%%=*}
            preprocessor+=("${flag:1:2}" "${arguments[i]#*=}")
            ;;
        *) options+=("${arguments[i]}") ;;
    esac
done
# The compiler of the same tool chain, as windres itself would choose it.
compiler=${windres%windres}gcc
command -v "$compiler" >/dev/null || { echo "windres.sh: no $compiler beside $windres" >&2; exit 1; }
"$compiler" -E -xc -DRC_INVOKED "${preprocessor[@]}" "$source" |
    (cd "$(dirname "$source")" && "$windres" "${options[@]}" -J rc -o "$object")
