# The install stage: corvane-import as a person installs it. `cmake --install` into a temporary
# prefix and the Debian package (cpack -G DEB), unpacked with dpkg-deb, must each give a program
# that runs on the demo board from /, with no LD_LIBRARY_PATH, loading its modules from its own
# lib/corvane-import (never from the build tree), and writing the demo's expected JSON; a
# corvane-fab that makes the demo's manufacturing set with that program; manual pages; RUNPATHs
# of $ORIGIN alone; and, in the package, no path of the build machine in any file. Source
# scripts/lib/deps.sh first (apt_install), and call from the repository's root, after the native
# build.

# The installed program at $1 imports the demo board from /; its JSON must be the expected one.
check_installed_program() {
    local program=$1 work=$2 demo=$3 root
    root=$(dirname "$(dirname "$program")")
    (cd / && env -u LD_LIBRARY_PATH -u CORVANE_PLUGIN -u HALVEX_SERVER LD_DEBUG=files \
        "$program" "$demo" --json "$work/demo.json" >"$work/summary.txt" 2>"$work/loader.txt")
    grep -q "^Import:      complete$" "$work/summary.txt"
    cmp "$work/demo.json" tests/tools/expected/demo.json
    if ! env -u LD_LIBRARY_PATH ldd "$program" |
        grep -Eq "libcorvane_platform.so => $root/(bin/\.\./)?lib/corvane-import/"; then
        echo "$program does not find its library in $root/lib/corvane-import" >&2
        return 1
    fi
    local module
    for module in libHalvex.so libCorvaneImport.so; do
        if ! grep -Eq "file=$root/(bin/\.\./)?lib/corvane-import/$module " "$work/loader.txt"; then
            echo "$program did not load $root/lib/corvane-import/$module:" >&2
            grep "file=.*$module" "$work/loader.txt" >&2 || true
            return 1
        fi
    done
    check_installed_search "$root" "$work"
    check_installed_fab "$root" "$work" "$demo"
}

# Where the installed program looks for a module it lacks: the variable's path, its own folder and
# its lib/corvane-import, nothing else; and every RUNPATH is $ORIGIN's.
check_installed_search() {
    local root=$1 work=$2 copy
    copy=$(mktemp -d)
    cp -a "$root/." "$copy"
    rm "$copy/lib/corvane-import/libCorvaneImport.so"
    local status=0
    (cd / && env -u HALVEX_SERVER CORVANE_PLUGIN="$work/nowhere.so" \
        "$copy/bin/corvane-import" "$PWD/examples/demo.PCB" >/dev/null 2>"$work/search.txt") ||
        status=$?
    local looked
    looked=$(sed -n 's/.*(looked for \([^)]*\)).*/\1/p' "$work/search.txt")
    local want="$work/nowhere.so, $copy/bin/libCorvaneImport.so, $copy/bin/../lib/corvane-import/libCorvaneImport.so"
    if [ "$status" -ne 5 ] || [ "$looked" != "$want" ]; then
        echo "without its plug-in, the installed program (status $status) looked for: $looked" >&2
        cat "$work/search.txt" >&2
        return 1
    fi
    rm -rf "$copy"
    local file runpath
    for file in "$root"/bin/corvane-import "$root"/lib/corvane-import/*.so; do
        runpath=$(readelf -d "$file" | sed -n 's/.*R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')
        case $runpath in
        "" | '$ORIGIN' | '$ORIGIN/../lib/corvane-import') ;;
        *)
            echo "$file has the RUNPATH $runpath" >&2
            return 1
            ;;
        esac
    done
}

# The installed corvane-fab makes the demo's set from /, with the installed corvane-import beside
# it (no CORVANE_IMPORT), and has a manual page like corvane-import.
check_installed_fab() {
    local root=$1 work=$2 demo=$3
    local page
    for page in corvane-import corvane-fab; do
        if ! grep -q '^\.SH NAME' "$root/share/man/man1/$page.1" ||
            ! grep -q 'out\\-dir' "$root/share/man/man1/$page.1"; then
            echo "no manual page $root/share/man/man1/$page.1 with its options" >&2
            return 1
        fi
    done
    (cd / && env -u CORVANE_IMPORT -u CORVANE_PYTHON "$root/bin/corvane-fab" --output "$work/set" \
        "$demo" >"$work/fab.txt" 2>&1) || { cat "$work/fab.txt" >&2; return 1; }
    [ -s "$work/set/demo-gerbers.zip" ] && [ -s "$work/set/demo.kicad_pcb" ] ||
        { echo "the installed corvane-fab made no set" >&2; return 1; }
}

# run_install_checks [BUILD_DIR]: both checks on the native build of BUILD_DIR (build/native).
run_install_checks() {
    local build="${1:-build/native}"
    apt_install dpkg-dev
    install_fab_deps
    echo "== install (cmake --install, and the Debian package)"
    local work
    work=$(mktemp -d)
    trap 'rm -rf "$work"' RETURN
    mkdir -p "$work/installed" "$work/package" "$work/unpacked"

    cmake --install "$build" --prefix "$work/installed" >/dev/null
    check_installed_program "$work/installed/bin/corvane-import" "$work/installed" \
        "$PWD/examples/demo.PCB"

    (cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
    local deb
    deb=$(ls "$work/package"/corvane-import_*.deb)
    dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents.txt"
    local expected
    for expected in ./usr/bin/corvane-import ./usr/lib/corvane-import/libHalvex.so \
        ./usr/lib/corvane-import/libCorvaneImport.so ./usr/lib/corvane-import/libcorvane_platform.so \
        ./usr/bin/corvane-fab ./usr/lib/corvane-import/corvane_fab.py \
        ./usr/lib/corvane-import/kicad_plot.py ./usr/share/man/man1/corvane-import.1 \
        ./usr/share/man/man1/corvane-fab.1 \
        ./usr/share/doc/corvane-import/README.md ./usr/share/doc/corvane-import/docs/board-json.md \
        ./usr/share/doc/corvane-import/examples/demo.PCB; do
        grep -qx "$expected" "$work/contents.txt" || { echo "$deb lacks $expected" >&2; return 1; }
    done
    dpkg-deb -f "$deb" Depends | grep -q libc6
    dpkg-deb -f "$deb" Recommends | grep -q "kicad"
    dpkg-deb -x "$deb" "$work/unpacked"
    # No file of the package names a folder of the machine it was built on.
    local source_root build_root
    source_root=$(pwd -P)
    build_root=$(cd "$build" && pwd -P)
    if grep -rlF -e "$source_root" -e "$build_root" "$work/unpacked" >"$work/paths.txt"; then
        echo "files of $deb name $source_root or $build_root:" >&2
        cat "$work/paths.txt" >&2
        return 1
    fi
    grep -q "corvane-fab" "$work/unpacked/usr/share/doc/corvane-import/README.md"
    check_installed_program "$work/unpacked/usr/bin/corvane-import" "$work/unpacked" \
        "$work/unpacked/usr/share/doc/corvane-import/examples/demo.PCB"
    echo "install: $(basename "$deb") installs a corvane-import that runs from /"
}
