# Package installation shared by the project's scripts: installs only what is missing, quietly.

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_updated=0
apt_install() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    echo "installing: ${missing[*]}"
    if [ "$apt_updated" -eq 0 ]; then
        as_root apt-get update -qq >/dev/null
        apt_updated=1
    fi
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

install_native_deps() {
    apt_install build-essential cmake ninja-build libgtest-dev libgmock-dev googletest clang-format \
        libbenchmark-dev
}

# The 32-bit Windows cross build and wine to run its tests: the mingw-w64 cross compilers and
# tools, the 32-bit wine (from the i386 architecture, added if missing), its fonts for the message
# box, and GoogleTest's sources, which the cross build compiles itself.
install_windows_deps() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        apt_updated=0 # the lists of the new architecture are still to be fetched
    fi
    apt_install g++-mingw-w64-i686 mingw-w64-tools wine wine32:i386 fonts-wine googletest
}

# The manufacturing files and their checks: KiCad (its pcbnew module for /usr/bin/python3 loads,
# checks and plots boards) without its recommended packages, gerbv to read the plotted files, and
# rsvg-convert to draw the program's SVG beside them.
install_fab_deps() {
    apt_install kicad gerbv librsvg2-bin
}
