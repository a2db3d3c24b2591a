#!/usr/bin/env bash
# scripts/run.sh with a built corvane-import: every refusal of the program holds for several
# boards, no two boards share an output, `-` reads standard input.
#
#   run-test.sh RUN_SH CORVANE_IMPORT BOARD
#
# run.sh is copied into a scratch repository so that its out/ is the scratch's own.
set -uo pipefail
run_sh=$1
export CORVANE_IMPORT=$2
board=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/repo/scripts" "$scratch/x/y" "$scratch/rev.2"
cp "$run_sh" "$scratch/repo/scripts/run.sh"
run="$scratch/repo/scripts/run.sh"
cp "$board" "$scratch/a.PCB"
head -c 2000 "$board" >"$scratch/b.PCB"
cp "$board" "$scratch/x/PRJ.PCB"
cp "$board" "$scratch/x/y/PRJ.PCB"
cp "$board" "$scratch/rev.2/board"
cp "$board" "$scratch/rev.2/other"
cd "$scratch"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# expect STATUS DESCRIPTION COMMAND...: the command's exit status.
expect() {
    local want=$1 what=$2
    shift 2
    local status=0
    "$@" >out.txt 2>err.txt </dev/null || status=$?
    [ "$status" -eq "$want" ] || fail "$what: status $status, expected $want ($(head -3 err.txt))"
}

expect 2 "one --json for two boards" "$run" -q --json same.json a.PCB b.PCB
[ ! -e same.json ] || fail "one --json for two boards: same.json was written"

expect 2 "--out-dir with two boards of one name" "$run" -q --out-dir od x/PRJ.PCB x/y/PRJ.PCB
[ ! -e od/PRJ.json ] || fail "--out-dir with two boards of one name: od/PRJ.json was written"

expect 2 "one board twice" "$run" -q a.PCB ./a.PCB
[ ! -e repo/out ] || fail "one board twice: something was written"

expect 0 "boards in a folder with a dot" "$run" rev.2/board rev.2/other
for output in board.json board.svg board.html other.json other.svg other.html; do
    [ -s "repo/out${scratch}/rev.2/$output" ] || fail "rev.2/: no out/.../rev.2/$output"
done
grep -q "rev.2/other.svg" out.txt || fail "rev.2/: the written files are not said"

status=0
"$run" -q - <"$board" >out.txt 2>err.txt || status=$?
[ "$status" -eq 0 ] || fail "standard input: status $status"
[ -s repo/out/stdin.json ] && [ -s repo/out/stdin.svg ] && [ -s repo/out/stdin.html ] ||
    fail "standard input: no out/stdin.json, .svg and .html"

# A status the program gives (6: --strict on a board cut short) is run.sh's.
expect 6 "--strict on a board cut short" "$run" -q --strict b.PCB

[ "$failures" -eq 0 ] || exit 1
echo "run.sh: all cases pass"
