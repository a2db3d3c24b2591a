# document_options PROGRAM...: the options of the documents corvane-import writes (--json, --svg,
# ...), one a line, as its --help lists them from its table of documents: the options that take a
# PATH before --report. The tests that compare every document of two programs take them from here,
# so that a new document is compared without a line of theirs.
document_options() {
    "$@" --help </dev/null | tr -d '\r' |
        sed -n '/^Options/,/^  --report /s/^  \(--[a-z-]*\) PATH.*/\1/p'
}
