#!/usr/bin/env bash
# The Windows corvane-import.exe under wine: outputs that never destroy data, outcomes that never
# hide a loss, several files and standard input, as the native cli_tests check them.
#
#   wine-outputs.sh WINE_RUN WINDOWS_EXE DATA_DIR DEMO_BOARD
#
# Exits 77 (skipped) when the Windows program or wine is missing. Running out of memory is not
# checked here: wine's 32-bit processes reserve their address space at start, so a memory limit
# stops wine itself rather than the import (the native tests check that status).
set -uo pipefail

wine_run=$(realpath -m "$1") exe=$(realpath -m "$2") data_dir=$(realpath -m "$3")
demo=$(realpath -m "$4")
if [ ! -f "$exe" ] || ! command -v wine >/dev/null 2>&1; then
    echo "skipped: no Windows program ($exe) or no wine"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0

cli() { "$wine_run" "$exe" "$@" </dev/null; }

# expect NAME EXPECTED_STATUS ACTUAL_STATUS [CONDITION_TEXT CONDITION_RESULT]...
expect() {
    local name=$1 want=$2 got=$3
    shift 3
    local ok=1
    [ "$got" = "$want" ] || { ok=0; echo "  status $got, expected $want"; }
    while [ "$#" -ge 2 ]; do
        [ "$2" = 0 ] || { ok=0; echo "  not so: $1"; }
        shift 2
    done
    if [ "$ok" = 1 ]; then
        echo "ok   $name"
    else
        echo "FAIL $name"
        [ ! -s stderr.txt ] || sed 's/^/  stderr: /' stderr.txt | head -5
        failures=$((failures + 1))
    fi
    rm -f stderr.txt
}

# only_files FOLDER "NAME NAME ": the folder holds exactly these files (hidden ones counted).
only_files() { [ "$(ls -A "$1" | tr '\n' ' ')" = "$2" ]; }

cp "$demo" board.PCB
ln board.PCB hard.PCB
# A board whose outputs take a while to write.
awk 'BEGIN { printf "PCB FILE 4\r\n"; for (i = 0; i < 200000; i++)
             printf "FT\r\n%d %d %d %d 8 1\r\n", i % 9000, int(i / 9000), i % 9000 + 5,
                    int(i / 9000) + 5; printf "ENDPCB\r\n" }' >large.PCB

# Outputs that are an input or each other are refused; the board stays as it was.
for outputs in "--json board.PCB" "--svg hard.PCB" "--json x.json --svg X.JSON" "--json - --svg -"; do
    # shellcheck disable=SC2086
    cli -q board.PCB $outputs 2>err.txt
    status=$?
    cmp -s board.PCB "$demo"
    intact=$?
    [ "$(wc -l <err.txt)" = 1 ]
    expect "refused: $outputs" 2 "$status" "the board is intact" "$intact" "one line" $?
done
rm -f err.txt

# A write that fails (a file-size limit, its signal ignored: a full disk) keeps the earlier files
# and leaves no temporary file.
mkdir limit
echo EARLIER >limit/out.json
echo EARLIER >limit/out.svg
(
    trap '' XFSZ
    ulimit -S -f 64 # the soft limit: the prefix's wine server is started without it
    cli -q large.PCB --json limit/out.json --svg limit/out.svg 2>stderr.txt
)
status=$?
[ "$(cat limit/out.json limit/out.svg)" = "$(printf 'EARLIER\nEARLIER')" ]
kept=$?
only_files limit "out.json out.svg "
expect "a failed write keeps the earlier files" 4 "$status" "earlier files kept" "$kept" \
    "no temporary file" $?

# Ctrl-C (SIGINT, which wine hands to the console's handler) while the outputs are written: the
# writers' scratch files beside the outputs (unnamed on Linux, delete-on-close on Windows) show
# when that is.
mkdir interrupted
echo EARLIER >interrupted/out.json
set -m # a job of its own, which takes SIGINT; wine itself, not a subshell, is the job
"$wine_run" "$exe" -q large.PCB --json interrupted/out.json --svg interrupted/out.svg </dev/null &
pid=$!
set +m
for _ in $(seq 1 1200); do
    scratch=$(find interrupted -name 'corvane-scratch-*' | head -1)
    [ -n "$scratch" ] && break
    sleep 0.05
done
kill -INT "$pid"
wait "$pid"
status=$?
[ "$(cat interrupted/out.json)" = EARLIER ]
kept=$?
only_files interrupted "out.json "
left=$?
expect "Ctrl-C while writing (a failure status)" 1 "$((status != 0))" "the earlier file kept" \
    "$kept" "no temporary file" "$left"

# Several files: outputs and a status line each, the highest status.
printf 'not a board\r\n' >bad.PCB
cli --out-dir out "$data_dir/free-records.PCB" bad.PCB board.PCB >lines.txt 2>stderr.txt
status=$?
[ "$(wc -l <lines.txt)" = 3 ] && grep -q "bad.PCB: not imported" lines.txt
lines=$?
only_files out "board.json board.svg free-records.json free-records.svg "
expect "several files" 1 "$status" "a status line each" "$lines" "the good files' outputs" $?

# Standard input, and --strict on a board cut short.
"$wine_run" "$exe" --strict - --json stdin.json <"$demo" >/dev/null
status=$?
grep -q '"file": "-"' stdin.json
expect "a board on standard input" 0 "$status" "the JSON names it -" $?
head -c 300 "$demo" | "$wine_run" "$exe" --strict -q -
expect "--strict on a board cut short" 6 $?

echo "$failures failed"
[ "$failures" -eq 0 ]
