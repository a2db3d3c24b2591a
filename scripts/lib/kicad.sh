# The KiCad stage: the KiCad boards corvane-import writes, checked by KiCad itself, every layer
# of them plotted by KiCad and compared with the SVG, and the manufacturing sets of the demo board,
# the routed test board and a real board, plotted by KiCad and read by gerbv, with fab.sh's own
# behaviours (an empty board refused among them). Source scripts/lib/deps.sh first (apt_install),
# and call from the repository's root.

# run_kicad_checks [BUILD_DIR]: the checker over the demo board, every test board and the real
# boards of ../shared/corpus (when there), with the native corvane-import of BUILD_DIR
# (build/native), damaged copies of the real boards (check_damaged.py), and the layer comparison
# over the same boards; then the manufacturing sets of three boards, into BUILD_DIR/fab, and the
# test of scripts/fab.sh and corvane-fab.
run_kicad_checks() {
    local build="${1:-build/native}"
    install_fab_deps
    echo "== KiCad export (checked by KiCad's pcbnew and design-rule check)"
    local boards=(examples/demo.PCB tests/kicad/data/*.PCB tests/tools/data/*.PCB
        tests/malformed/cases/*.pcb)
    local corpus corpus_boards=()
    for corpus in ../shared/corpus/*.PCB; do
        [ -f "$corpus" ] && corpus_boards+=("$corpus")
    done
    boards+=("${corpus_boards[@]}")
    local program="$build/tools/corvane-import/corvane-import"
    /usr/bin/python3 tests/kicad/check_kicad.py --program "$program" --clean routed.PCB \
        --clean netless-routed.PCB --finds-clearance netless-gap.PCB "${boards[@]}"
    if [ "${#corpus_boards[@]}" -gt 0 ]; then
        echo "== damaged copies of the real boards, one line changed each"
        /usr/bin/python3 tests/kicad/check_damaged.py --program "$program" --fab scripts/fab.sh \
            "${corpus_boards[@]}"
    fi
    echo "== every layer drawn twice: KiCad's Gerber files by gerbv, corvane-import's SVG"
    /usr/bin/python3 tests/kicad/compare_layers.py --program "$program" "${boards[@]}"
    local wrong=(examples/demo.PCB)
    [ ! -f ../shared/corpus/PRJ12.PCB ] || wrong+=(../shared/corpus/PRJ12.PCB)
    tests/kicad/wrong-arc-test.sh "$program" "${wrong[@]}"
    echo "== manufacturing sets (KiCad's plotter, read by gerbv)"
    # Three boards in one call of corvane-fab.
    local sets=(examples/demo.PCB tests/kicad/data/routed.PCB)
    [ ! -f ../shared/corpus/PRJ12.PCB ] || sets+=(../shared/corpus/PRJ12.PCB)
    CORVANE_IMPORT=$(realpath "$program") tools/corvane-fab/corvane-fab --out-dir "$build/fab" \
        "${sets[@]}"
    tests/scripts/fab-test.sh "$program"
}
