#!/usr/bin/env bash
# Checks the plug-in DLL as the host's loader sees it, from `objdump -p`:
#   - a 32-bit x86 DLL (PE32) named CorvaneImport.dll;
#   - exactly its four exports, all by name, under their plain names (no leading underscore, no
#     "@N"): the host editor's RecognisedPCBFile, GetPcbImporterDescription and ImportFileIntoPcb,
#     and GetImportReport, the import report's;
#   - imports from system DLLs only: the C and C++ runtimes are linked in, so no libstdc++-6.dll,
#     libgcc_s_*.dll or libwinpthread-1.dll.
#
#   check-plugin-dll.sh OBJDUMP CorvaneImport.dll
set -euo pipefail

if [ "$#" -ne 2 ]; then
    echo "usage: $0 OBJDUMP DLL" >&2
    exit 2
fi
objdump=$1
dll=$2

dump=$("$objdump" -p "$dll")
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# --- the image
grep -q "file format pei-i386" <<<"$dump" || fail "not a 32-bit x86 PE image"
grep -Eq "^Magic[[:space:]]+010b" <<<"$dump" || fail "not a PE32 image"
# The DLL flag is listed under the characteristics, up to the first blank line.
sed -n '/^Characteristics/,/^$/p' <<<"$dump" | grep -Eq "^[[:space:]]+DLL$" || fail "not a DLL"
grep -Eq "^Name[[:space:]]+[0-9a-f]+ CorvaneImport\.dll$" <<<"$dump" ||
    fail "the export directory does not name the module CorvaneImport.dll"

# --- the exports: every entry of the address table, and the names of the name table
addresses=$(sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' <<<"$dump" |
            grep -Ec "^[[:space:]]+\[ *[0-9]+\]" || true)
names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
        sed -nE 's/^[[:space:]]+\[ *[0-9]+\] (.*)$/\1/p' | sort)
expected=$(printf '%s\n' GetImportReport GetPcbImporterDescription ImportFileIntoPcb RecognisedPCBFile)
if [ "$names" != "$expected" ]; then
    fail "exported names are not exactly the plain names $(tr '\n' ' ' <<<"$expected")"
    sed 's/^/    /' <<<"$names" >&2
fi
count=$(wc -l <<<"$expected")
[ "$addresses" -eq "$count" ] || fail "$addresses exported entries, expected $count (one per name)"

# --- the imports: system DLLs only
allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll shfolder.dll shlwapi.dll
          ole32.dll oleaut32.dll comctl32.dll comdlg32.dll version.dll msvcrt.dll ntdll.dll "
imports=$(sed -nE 's/^[[:space:]]+DLL Name: (.*)$/\1/p' <<<"$dump")
for dll_name in $imports; do
    lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll_name")
    case "$lower" in
    libstdc++*|libgcc*|libwinpthread*)
        fail "imports the runtime DLL $dll_name: the runtimes must be linked statically" ;;
    *)
        [[ "$allowed" == *" $lower "* ]] || fail "imports $dll_name, which is not a system DLL" ;;
    esac
done
# The platform layer's message queue and box calls come from USER32: a dump without it (or without
# KERNEL32) was not read right.
for needed in kernel32.dll user32.dll; do
    grep -qix "$needed" <<<"$imports" || fail "does not import $needed"
done

if [ "$failures" -ne 0 ]; then
    echo "$dll: $failures check(s) failed" >&2
    exit 1
fi
echo "$dll: exports $(tr '\n' ' ' <<<"$names"); imports $(tr '\n' ' ' <<<"$imports")"
