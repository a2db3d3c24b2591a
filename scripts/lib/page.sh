# The board page's checks: the page's data code under Node's test runner, and the page of the demo,
# the test boards (the damaged ones too) and the real boards (when ../shared/corpus has them) in
# headless Chromium driven by puppeteer-core, installed from the lock file (package-lock.json) with
# npm ci.

install_page_deps() {
    apt_install chromium
    # Node and npm as Debian packages only where the machine has none of its own.
    if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
        apt_install nodejs npm
    fi
}

# run_page_checks BUILD_DIR: the program of BUILD_DIR writes the pages.
run_page_checks() {
    local build=$1
    local program="$build/tools/corvane-import/corvane-import"
    install_page_deps
    echo "== board page: data code (node --test)"
    node --test tests/tools/htmlwriter/page/
    echo "== board page: in headless Chromium"
    npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
    local boards=(examples/demo.PCB tests/tools/data/*.PCB tests/kicad/data/*.PCB tests/malformed/cases/*)
    local board
    for board in ../shared/corpus/*.PCB; do
        [ -f "$board" ] && boards+=("$board")
    done
    node tests/tools/htmlwriter/browser/page-in-browser.mjs "$program" "${boards[@]}"
}
