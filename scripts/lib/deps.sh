# Package installation shared by the project's scripts: installs only what is missing, quietly.

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# A list that cannot be fetched (a mirror in the middle of a sync) is no reason to stop: apt keeps
# the lists it has, and what they offer may well be enough.
apt_update() {
    local log
    log=$(mktemp)
    if ! as_root apt-get update -qq >"$log" 2>&1; then
        echo "apt-get update could not fetch every package list; going on with the lists there are:" >&2
        grep -E "^(E|W): " "$log" | grep -v "^ " | head -5 >&2 || true
    fi
    rm -f "$log"
}

# The versions of a package that the lists offer for one architecture, newest first, and its
# candidate: apt-cache policy's blocks, one line "NAME:ARCH candidate VERSION..." each.
apt_versions() {
    local native=$1
    shift
    LC_ALL=C apt-cache policy "$@" 2>/dev/null | awk -v native="$native" '
        function flush() { if (name != "") print name, candidate, versions }
        /^[^ ].*:$/ {
            flush()
            name = substr($0, 1, length($0) - 1)
            if (name !~ /:[a-z0-9]+$/) name = name ":" native
            candidate = "(none)"; versions = ""
            next
        }
        /^  Candidate: / { candidate = $2; next }
        /^ (\*\*\*|   ) [^ ]+ -?[0-9]+$/ { versions = versions " " ($1 == "***" ? $2 : $1) }
        END { flush() }'
}

# When the i386 lists lag the native ones (a mirror whose i386 security list failed to download),
# a library of both architectures (Multi-Arch: same, which must have one version in both) can have
# a newer native version than any i386 one, and apt then holds the i386 packages back as broken.
# Prints the pins "pkg=V pkg:i386=V" that fix each such library of the packages' dependencies at
# the newest version both architectures have, and says them on standard error; prints nothing when
# the lists agree.
apt_multiarch_pins() {
    local native
    native=$(dpkg --print-architecture)
    local closure
    closure=$(LC_ALL=C apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
        --no-breaks --no-replaces --no-enhances "$@" 2>/dev/null | grep -v '^[ <]' | sort -u)
    # The i386 libraries whose twin is installed or to be installed natively.
    local libraries=()
    mapfile -t libraries < <({
        dpkg-query -W -f='${Package}:${Architecture} ${Status}\n' 2>/dev/null |
            awk -v native="$native" '/install ok installed/ && $1 ~ ":" native "$" {
                sub(":" native "$", "", $1); print "native", $1 }'
        awk '{ if (sub(/:i386$/, "")) print "i386", $0; else print "native", $0 }' <<<"$closure"
    } | awk '$1 == "native" { twin[$2] = 1 } $1 == "i386" { wanted[$2] = 1 }
             END { for (name in wanted) if (name in twin) print name }' | sort)
    [ "${#libraries[@]}" -gt 0 ] || return 0
    local same
    same=$(LC_ALL=C apt-cache show --no-all-versions "${libraries[@]/%/:i386}" 2>/dev/null | awk '
        /^Package: / { name = $2 } /^Multi-Arch: same$/ { print name }' | sort -u)
    [ -n "$same" ] || return 0
    local table
    # shellcheck disable=SC2046
    table=$(apt_versions "$native" $(for name in $same; do echo "$name" "$name:i386"; done))
    local line wanted=() said=()
    for name in $same; do
        local native_line i386_line
        native_line=$(grep "^$name:$native " <<<"$table" || true)
        i386_line=$(grep "^$name:i386 " <<<"$table" || true)
        [ -n "$native_line" ] && [ -n "$i386_line" ] || continue
        local native_candidate i386_candidate
        native_candidate=$(cut -d' ' -f2 <<<"$native_line")
        i386_candidate=$(cut -d' ' -f2 <<<"$i386_line")
        [ "$native_candidate" != "$i386_candidate" ] || continue
        # The newest i386 version that the native lists (or the installed package) have too.
        local version common=""
        for version in $(cut -d' ' -f3- <<<"$i386_line"); do
            if grep -qw -- "$version" <<<" $(cut -d' ' -f3- <<<"$native_line") "; then
                common=$version
                break
            fi
        done
        if [ -z "$common" ]; then
            echo "no version of $name is offered for both $native and i386" \
                "($native_candidate, $i386_candidate)" >&2
            continue
        fi
        wanted+=("$name=$common" "$name:i386=$common")
        said+=("$name $common ($native offers $native_candidate)")
    done
    [ "${#wanted[@]}" -gt 0 ] || return 0
    echo "the i386 package lists lag the $native ones: pinning ${#said[@]} libraries to a version" \
        "both architectures have:" >&2
    printf '  %s\n' "${said[@]}" >&2
    printf '%s\n' "${wanted[@]}"
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
        apt_update
        apt_updated=1
    fi
    local pins=() manual=""
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
        mapfile -t pins < <(apt_multiarch_pins "${missing[@]}")
        manual=$(apt-mark showmanual 2>/dev/null || true)
    fi
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
        ${pins[@]+--allow-downgrades} "${missing[@]}" ${pins[@]+"${pins[@]}"} >/dev/null
    # A pinned library is installed as a dependency, as it would have been without its pin.
    local automatic=() pin
    for pin in ${pins[@]+"${pins[@]}"}; do
        pin=${pin%%=*}
        grep -qx "$pin" <<<"$manual" || automatic+=("$pin")
    done
    [ "${#automatic[@]}" -eq 0 ] || as_root apt-mark auto "${automatic[@]}" >/dev/null
}
# The native build, and help2man for the manual pages it makes from the programs' --help.
install_native_deps() {
    apt_install build-essential cmake ninja-build libgtest-dev libgmock-dev googletest clang-format \
        libbenchmark-dev help2man python3
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
# checks and plots boards) without its recommended packages, its footprint library (the placement
# rules' test compares each rule with its footprints), gerbv to read the plotted files, and
# rsvg-convert to draw the program's SVG beside them.
install_fab_deps() {
    apt_install kicad kicad-footprints gerbv librsvg2-bin
}
