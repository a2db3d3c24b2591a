#!/usr/bin/env bash
# The main job: import Corvane boards with corvane-import, print what landed on each board, and
# write its JSON, its SVG picture and its interactive page (HTML) into out/ of the repository.
#
#   scripts/run.sh [OPTIONS] [FILE...]     (options may also come after the files)
#
# FILE defaults to examples/demo.PCB; `-` reads a board from standard input. Each FILE's outputs
# go to out/ under the file's own path and whole name (out/examples/demo.PCB.json, .svg and .html
# for examples/demo.PCB, out/home/me/boards/x.PCB.svg for /home/me/boards/x.PCB, out/stdin.json for
# `-`), so no two boards share an output; a board given twice is refused (status 2) before anything
# runs. OPTIONS go to corvane-import (--quiet, --strict, --report text, ...); paths in them and the
# FILEs are taken from where the script was started. With an output option (--json, --svg, --html,
# --kicad, --bom, --positions, --report-file, --out-dir) the outputs are yours to name and all
# FILEs go to one corvane-import run, which refuses what it refuses for several files (one output
# for two boards, an output that is an input). On a fresh Debian machine it first installs what
# the build needs (as root), then builds the program in build/native, the build scripts/test.sh
# uses (scripts/lib/build.sh: its progress on standard error, no warnings as errors in a fresh
# folder); CORVANE_IMPORT names a program to run instead. The exit status is corvane-import's, the
# highest of its runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# corvane-import's options that take a value: their value is never a FILE.
takes_value() {
    case $1 in
    --json | --svg | --html | --kicad | --bom | --positions | --edge-layer | --report | --report-file | \
        --out-dir | --plugin | --server) return 0 ;;
    esac
    return 1
}

options=()
files=()
own_outputs=0
quiet=0
while [ "$#" -gt 0 ]; do
    argument=$1
    shift
    case $argument in
    --)
        files+=("$@")
        break
        ;;
    -q | --quiet) quiet=1 ;;
    esac
    case $argument in
    --json | --json=* | --svg | --svg=* | --html | --html=* | --kicad | --kicad=* | --bom | --bom=* | --positions | \
        --positions=* | --report-file | --report-file=* | --out-dir | --out-dir=*) own_outputs=1 ;;
    esac
    if [ "$argument" = "-" ] || [ "${argument#-}" = "$argument" ]; then
        files+=("$argument")
    elif takes_value "$argument" && [ "$#" -gt 0 ]; then
        options+=("$argument" "$1")
        shift
    else
        options+=("$argument")
    fi
done
if [ "${#files[@]}" -eq 0 ]; then
    files=("$root/examples/demo.PCB")
fi

# out/ and the file's path with its whole name: relative to the repository for its own files.
output_stem() {
    local path
    if [ "$1" = "-" ]; then
        echo "$root/out/stdin"
        return
    fi
    path=$(realpath -m -- "$1")
    case $path in
    "$root"/*) path=${path#"$root"/} ;;
    *) path=${path#/} ;;
    esac
    echo "$root/out/$path"
}

stems=()
if [ "$own_outputs" -eq 0 ]; then
    for file in "${files[@]}"; do
        stem=$(output_stem "$file")
        for earlier in "${stems[@]}"; do
            if [ "$earlier" = "$stem" ]; then
                echo "run.sh: $file is given twice: its outputs ${stem#"$root"/}.json, .svg and .html" \
                    "would be written twice" >&2
                exit 2
            fi
        done
        stems+=("$stem")
    done
fi

if [ -n "${CORVANE_IMPORT:-}" ]; then
    program=$CORVANE_IMPORT
else
    source "$root/scripts/lib/deps.sh"
    source "$root/scripts/lib/build.sh"
    install_native_deps
    build_corvane_import "$root" "$quiet" || { echo "run.sh: no program to run" >&2; exit 1; }
    program="$root/build/native/tools/corvane-import/corvane-import"
fi

if [ "$own_outputs" -eq 1 ]; then
    exec "$program" "${options[@]}" -- "${files[@]}"
fi

worst=0
for index in "${!files[@]}"; do
    file=${files[$index]}
    stem=${stems[$index]}
    mkdir -p "$(dirname "$stem")"
    status=0
    "$program" --json "$stem.json" --svg "$stem.svg" --html "$stem.html" "${options[@]}" -- "$file" ||
        status=$?
    # 0 complete, 6 --strict: the outputs were written all the same; 3 aborted: only with
    # --keep-partial, and the abort is the answer for the whole run, as in one program's run.
    written=0
    case $status in
    0 | 6) written=1 ;;
    3) [[ " ${options[*]} " != *" --keep-partial "* ]] || written=1 ;;
    esac
    if [ "$quiet" -eq 0 ] && [ "$written" -eq 1 ]; then
        echo "Wrote ${stem#"$root"/}.json, ${stem#"$root"/}.svg and ${stem#"$root"/}.html"
    fi
    [ "$status" -le "$worst" ] || worst=$status
    [ "$status" -ne 3 ] || break
done
exit "$worst"
