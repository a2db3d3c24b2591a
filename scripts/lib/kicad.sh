# The KiCad stage: the KiCad boards corvane-import writes, checked by KiCad itself, and the
# manufacturing sets of the demo board, the routed test board, an empty board and a real board,
# plotted by KiCad and read by gerbv. Source scripts/lib/deps.sh first (apt_install), and call from the repository's root.

# run_kicad_checks [BUILD_DIR]: the checker over the demo board, every test board and the real
# boards of ../shared/corpus (when there), with the native corvane-import of BUILD_DIR
# (build/native); then scripts/fab.sh on four boards, into BUILD_DIR/fab.
run_kicad_checks() {
    local build="${1:-build/native}"
    install_fab_deps
    echo "== KiCad export (checked by KiCad's pcbnew and design-rule check)"
    local boards=(examples/demo.PCB tests/kicad/data/*.PCB tests/tools/data/*.PCB
        tests/malformed/cases/*.pcb)
    local corpus
    for corpus in ../shared/corpus/*.PCB; do
        [ -f "$corpus" ] && boards+=("$corpus")
    done
    /usr/bin/python3 tests/kicad/check_kicad.py --program "$build/tools/corvane-import/corvane-import" \
        --clean routed.PCB --clean netless-routed.PCB --finds-clearance netless-gap.PCB \
        "${boards[@]}"
    echo "== manufacturing sets (KiCad's plotter, read by gerbv)"
    local board name
    for board in examples/demo.PCB tests/kicad/data/routed.PCB tests/tools/data/header-only.PCB \
        ../shared/corpus/PRJ12.PCB; do
        [ -f "$board" ] || continue
        name=$(basename "$board" .PCB)
        scripts/fab.sh "$board" "$build/fab/$name" | tail -1
    done
}
