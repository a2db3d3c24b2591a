#!/usr/bin/env bash
# Runs a Windows program of the cross build under wine: the CMAKE_CROSSCOMPILING_EMULATOR of
# cmake/i686-w64-mingw32.cmake, so CTest (and GoogleTest's test discovery) run the test programs
# through it.
#
#   wine-run.sh PROGRAM.exe [ARGUMENTS...]   run the program
#   wine-run.sh --make-prefix BUILD_DIR      only make the build tree's wine prefix
#
# The wine prefix is BUILD_DIR/wine-prefix, BUILD_DIR being the build tree the program lies in
# (the nearest folder above it that holds a CMakeCache.txt); CORVANE_WINE_PREFIX overrides it.
# The prefix is made on first use, once, under a lock (test programs may start in parallel), with
# wine's null display driver, so windows and message boxes work without an X display. No debug
# output, no Mono or Gecko install prompts, no desktop menu entries. Extra DLL folders may be
# given in WINEPATH (';'-separated). The prefix's wine server outlives each program by 30 s (see
# below).
set -euo pipefail

usage() {
    echo "usage: $0 PROGRAM.exe [ARGUMENTS...] | --make-prefix BUILD_DIR" >&2
    exit 2
}

# The build tree above a path: the nearest folder that holds a CMakeCache.txt.
build_tree_of() {
    local dir
    dir=$(cd "$(dirname "$1")" && pwd)
    while [ "$dir" != "/" ]; do
        if [ -f "$dir/CMakeCache.txt" ]; then
            echo "$dir"
            return 0
        fi
        dir=$(dirname "$dir")
    done
    return 1
}

[ "$#" -ge 1 ] || usage
make_prefix_only=0
if [ "$1" = "--make-prefix" ]; then
    [ "$#" -eq 2 ] || usage
    make_prefix_only=1
    build_tree=$2
elif ! build_tree=$(build_tree_of "$1"); then
    build_tree=""
fi
prefix=${CORVANE_WINE_PREFIX:-${build_tree:+$build_tree/wine-prefix}}
if [ -z "$prefix" ]; then
    echo "$0: $1 is in no build tree; set CORVANE_WINE_PREFIX" >&2
    exit 2
fi

export WINEPREFIX=$prefix
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$prefix/.corvane-ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.corvane-ready" ]; then
            rm -rf "$prefix"
            wineboot --init >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
            # Let the server write the registry out before the prefix is declared ready.
            wineserver --wait
            touch "$prefix/.corvane-ready"
        fi
    ) 9>"$prefix.lock"
fi

if [ "$make_prefix_only" -eq 1 ]; then
    exit 0
fi
# The prefix's server stays 30 s after its last program. By default it exits with its last
# program, and the test scripts, which run programs one after the other, would start a server for
# nearly every program while the one before shuts down: a race that wine now and then loses with a
# program that dies before it starts (status 1, its complaint on standard error). Starting one when
# one runs already fails quietly; the server sets its standard streams to /dev/null. It is started
# without the caller's soft file-size limit (a test's full disk), which would otherwise hold for
# every program it serves.
(ulimit -S -f "$(ulimit -H -f)" && wineserver -p30) 2>/dev/null || true
exec wine "$@"
