#!/usr/bin/env bash
# scripts/fab.sh and corvane-fab with a built corvane-import, KiCad and gerbv: a set is put in
# place whole and alone, with its zip for a board house and KiCad's job file; a damaged import is
# refused unless accepted, a board with nothing to make is refused, a made-up edge is said, `-`
# reads standard input, the default folder follows the board's path, a folder of other files is
# refused; several boards and a folder in one call, each into its own set; without KiCad the
# command says what to install.
#
#   fab-test.sh CORVANE_IMPORT
#
# Run from the repository's root; scripts/ and tools/corvane-fab/ are copied into a scratch
# repository so that its out/ is the scratch's own.
set -uo pipefail
export CORVANE_IMPORT=$(realpath "$1")
repo=$(pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/repo/boards" "$scratch/repo/tools"
cp -r "$repo/scripts" "$scratch/repo/"
cp -r "$repo/tools/corvane-fab" "$scratch/repo/tools/"
fab="$scratch/repo/scripts/fab.sh"
demo="$repo/examples/demo.PCB"
cp "$demo" "$scratch/repo/boards/demo.PCB"
cp "$repo/tests/tools/data/duplicates.PCB" "$scratch/plain.PCB"
head -c 3000 "$demo" >"$scratch/cut.PCB"
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
    [ "$status" -eq "$want" ] || fail "$what: status $status, expected $want ($(tail -3 err.txt))"
}

# The default folder, then a second board of the same name into it: only the second's files.
expect 0 "the demo" "$fab" repo/boards/demo.PCB
set=repo/out/boards/demo.PCB-fab
[ -s "$set/demo-B_Paste.gbr" ] || fail "the demo: no $set/demo-B_Paste.gbr"
# The zip holds the Gerber and drill files and the job file, which names each Gerber file.
(cd "$set" && ls demo-*.gbr demo-*.drl demo-job.gbrjob) | sort >want.txt
/usr/bin/python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' \
    "$set/demo-gerbers.zip" | sort >zipped.txt
cmp -s want.txt zipped.txt || fail "the demo's zip holds $(tr '\n' ' ' <zipped.txt)"
/usr/bin/python3 -c 'import json, sys; names = {f["Path"] for f in json.load(open(sys.argv[1]))["FilesAttributes"]}
sys.exit(names != set(sys.argv[2:]))' "$set/demo-job.gbrjob" $(cd "$set" && ls demo-*.gbr) ||
    fail "the job file does not name the Gerber files"
cp plain.PCB demo.PCB
expect 0 "a second board named demo" "$fab" demo.PCB "$set"
"$CORVANE_IMPORT" -q demo.PCB --kicad second.kicad_pcb
cmp -s second.kicad_pcb "$set/demo.kicad_pcb" || fail "the second board's KiCad file is not in $set"
[ ! -e "$set/demo-B_Paste.gbr" ] || fail "a file of the first set remains in $set"
ls -a repo/out/boards | grep -q "^\.demo" && fail "a temporary folder remains in repo/out/boards"

# A made-up edge is said by fab.sh and by corvane-import's summary.
grep -q "^Edge: .*rectangle" err.txt || fail "fab.sh does not say the edge is made up"
"$CORVANE_IMPORT" plain.PCB --kicad plain.kicad_pcb >summary.txt
grep -q "^Edge: .*rectangle" summary.txt || fail "the summary does not say the edge is made up"
"$CORVANE_IMPORT" "$demo" --kicad demo.kicad_pcb >summary.txt
grep -q "^Edge:" summary.txt && fail "the summary says the demo's edge is made up"

# A damaged import: refused with the summary's line and nothing made, or made when accepted.
expect 6 "a board cut short" "$fab" cut.PCB cut-set
grep -q "^Import: .*data may have been lost" err.txt || fail "a board cut short: the loss is not said"
[ ! -e cut-set ] || fail "a board cut short: a set was made"
expect 0 "a board cut short, accepted" "$fab" --accept-damage cut.PCB cut-set
grep -q "^Import: .*data may have been lost" err.txt || fail "a board cut short, accepted: the loss is not said"
[ -s cut-set/cut.kicad_pcb ] || fail "a board cut short, accepted: no set"

# A board with nothing to make is refused and nothing made: an empty board, and the header alone
# (a board cut short) even with its loss accepted.
printf 'PCB FILE 4\r\nENDPCB\r\n' >empty.PCB
printf 'PCB FILE 4\r\n' >header.PCB
for entry in "empty.PCB" "--accept-damage header.PCB"; do
    expect 1 "$entry" "$fab" $entry nothing-set
    grep -q "nothing to make" err.txt || fail "$entry: the refusal does not say why"
    [ ! -e nothing-set ] || fail "$entry: a set was made"
done

# Standard input.
status=0
"$fab" - stdin-set <"$demo" >out.txt 2>err.txt || status=$?
[ "$status" -eq 0 ] || fail "standard input: status $status"
[ -s stdin-set/stdin.kicad_pcb ] && [ -s stdin-set/stdin-F_Cu.gbr ] || fail "standard input: no set"

# A folder that holds anything but a set is never replaced.
mkdir mine && echo keep >mine/notes.txt
expect 2 "a folder of other files" "$fab" plain.PCB mine
[ "$(cat mine/notes.txt)" = keep ] && [ "$(ls mine)" = notes.txt ] || fail "mine/ was changed"

# Several boards and a folder in one call, each into its own set; then two of one name refused.
mkdir -p many/more && cp "$demo" many/more/a.PCB && cp plain.PCB many/more/b.pcb
expect 0 "several boards" "$fab" plain.PCB many/more
for made in plain.PCB many/more/a.PCB many/more/b.pcb; do
    name=$(basename "${made%.*}")
    [ -s "repo/out/${scratch#/}/$made-fab/$name-gerbers.zip" ] || fail "several boards: no set of $made"
done
[ "$(grep -c "^Wrote the manufacturing set" out.txt)" = 3 ] || fail "several boards: not a line each"
fab_command=repo/tools/corvane-fab/corvane-fab
expect 2 "two boards of one name in one folder" "$fab_command" --out-dir two demo.PCB repo/boards/demo.PCB
[ ! -e two ] || fail "two boards of one name: something was made"
expect 0 "--help" "$fab_command" --help
grep -q "^Usage: corvane-fab" out.txt || fail "--help shows no usage"

# Without KiCad's pcbnew module (a python that does not look in its folder) it says what to install.
printf '#!/bin/sh\nexec /usr/bin/python3 -S "$@"\n' >nokicad && chmod +x nokicad
CORVANE_PYTHON=$PWD/nokicad expect 5 "without KiCad" "$fab_command" demo.PCB
grep -q "install KiCad" err.txt || fail "without KiCad: $(cat err.txt)"
[ ! -e demo.PCB-fab ] || fail "without KiCad: a set was made"

[ "$failures" -eq 0 ] || exit 1
echo "fab.sh: all cases pass"
