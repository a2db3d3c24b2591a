# The build of corvane-import for scripts/run.sh and scripts/fab.sh, in build/native: the folder
# scripts/test.sh builds too. A fresh folder is configured without warnings as errors, so that a
# newer compiler's new warning never stops a user's first run (scripts/test.sh's preset turns them
# on for its builds, and a folder it configured keeps them).

# build_corvane_import ROOT QUIET: builds ROOT/build/native's corvane-import. The configuration
# speaks only when it fails; the build shows its progress on standard error unless QUIET is 1 (then
# it speaks only when it fails), and says nothing when the program is up to date.
build_corvane_import() {
    local root=$1 quiet=$2
    local build=$root/build/native log status=0
    log=$(mktemp)
    if ! cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "the configuration of build/native failed" >&2
        return 1
    fi
    if [ "$quiet" -eq 1 ]; then
        cmake --build "$build" --target corvane-import >"$log" 2>&1 || { status=$?; cat "$log" >&2; }
    else
        # ninja's steps as they come ("[37/212] Building CXX object ..."), after a line that says
        # what is built; nothing when the program is up to date.
        cmake --build "$build" --target corvane-import 2>&1 | {
            local line announced=0
            while IFS= read -r line; do
                case $line in
                "["*"] Re-checking globbed directories..." | "ninja: no work to do.") continue ;;
                esac
                if [ "$announced" -eq 0 ]; then
                    echo "Building corvane-import in build/native (a few minutes the first time) ..."
                    announced=1
                fi
                echo "$line"
            done
        } >&2
        status=${PIPESTATUS[0]}
    fi
    rm -f "$log"
    [ "$status" -eq 0 ] || echo "the build of corvane-import failed" >&2
    return "$status"
}
