# The converter in a page: the web preset's build (emscripten: build/web/index.html), then the
# page opened from disk in headless Chromium, driven by puppeteer-core, on the demo, the test boards
# (the damaged ones and the files that are no board too) and the real boards (when
# ../shared/corpus has them): every download against the native program's document of a file of
# the same name, byte for byte; a large board cancelled while it converts.

install_web_deps() {
    apt_install emscripten unzip
    install_page_deps
}

# run_web_checks NATIVE_BUILD_DIR: its corvane-import writes the documents the page's must equal,
# its generate_board (bench/) the large board.
run_web_checks() {
    local native=$1
    install_web_deps
    echo "== web build (emscripten)"
    # Debian's emscripten finds its JavaScript tools (acorn) among Debian's Node modules.
    export NODE_PATH=/usr/share/nodejs
    cmake --preset web >/dev/null
    cmake --build --preset web -j "$(nproc)" -- --quiet
    echo "== converter page: in headless Chromium"
    [ -d node_modules/puppeteer-core ] ||
        npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
    local large
    large=$(mktemp --suffix=.PCB)
    "$native/bench/generate_board" --records 300000 "$large" >/dev/null
    local boards=(examples/demo.PCB tests/tools/data/*.PCB tests/kicad/data/*.PCB tests/malformed/cases/*)
    local board status=0
    for board in ../shared/corpus/*.PCB; do
        [ -f "$board" ] && boards+=("$board")
    done
    node tests/tools/web/converter-in-browser.mjs build/web/index.html \
        "$native/tools/corvane-import/corvane-import" "$large" "${boards[@]}" || status=$?
    rm -f "$large"
    return "$status"
}
