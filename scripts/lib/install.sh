# The install stage: corvane-import as a person installs it. `cmake --install` into a temporary
# prefix and the Debian package (cpack -G DEB), unpacked with dpkg-deb, must each give a program
# that runs on the demo board from /, with no LD_LIBRARY_PATH, loading its modules from its own
# lib/corvane-import (never from the build tree), and writing the demo's expected JSON. Call from
# the repository's root, after the native build.

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
}

# run_install_checks [BUILD_DIR]: both checks on the native build of BUILD_DIR (build/native).
run_install_checks() {
    local build="${1:-build/native}"
    apt_install dpkg-dev
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
        ./usr/share/doc/corvane-import/README.md ./usr/share/doc/corvane-import/docs/board-json.md \
        ./usr/share/doc/corvane-import/examples/demo.PCB; do
        grep -qx "$expected" "$work/contents.txt" || { echo "$deb lacks $expected" >&2; return 1; }
    done
    dpkg-deb -f "$deb" Depends | grep -q libc6
    dpkg-deb -x "$deb" "$work/unpacked"
    check_installed_program "$work/unpacked/usr/bin/corvane-import" "$work/unpacked" \
        "$work/unpacked/usr/share/doc/corvane-import/examples/demo.PCB"
    echo "install: $(basename "$deb") installs a corvane-import that runs from /"
}
