// The converter's worker, before the program's own code (emscripten's --pre-js): the page posts
// one board at a time ({name, bytes}); the worker answers with progress messages as the command
// line's bar would draw them, then with every document of the board, the summary, the errors,
// the report and the exit status, as the command line writes them.

const corvaneBoards = "/boards";
const corvaneDocuments = "/documents";
let corvaneOut = [];
let corvaneErr = [];
Module.print = (line) => corvaneOut.push(line);
Module.printErr = (line) => corvaneErr.push(line);
const corvaneReady = new Promise((resolve) => {
    Module.onRuntimeInitialized = resolve;
});

// Called by the program (WebEntry.cpp) as its bar would be drawn; outside a worker (Node) the
// progress goes nowhere.
function corvaneTellProgress(caption, done, total) {
    if (typeof importScripts === "function") {
        postMessage({ kind: "progress", caption, done, total });
    }
}

function corvaneEmptyFolder(folder) {
    if (!FS.analyzePath(folder).exists) {
        FS.mkdir(folder);
    }
    for (const name of FS.readdir(folder)) {
        if (name !== "." && name !== "..") {
            FS.unlink(`${folder}/${name}`);
        }
    }
}

// Converts one board; the documents by their file names.
function corvaneConvert(name, bytes) {
    corvaneEmptyFolder(corvaneBoards);
    corvaneEmptyFolder(corvaneDocuments);
    const path = `${corvaneBoards}/${name}`;
    FS.writeFile(path, new Uint8Array(bytes));
    corvaneOut = [];
    corvaneErr = [];
    const started = performance.now();
    const status = Module.ccall("CorvaneConvert", "number",
        ["string", "string", "string", "number"], [path, corvaneDocuments, "", 1]);
    const seconds = (performance.now() - started) / 1000;
    const documents = {};
    for (const file of FS.readdir(corvaneDocuments)) {
        if (file !== "." && file !== "..") {
            documents[file] = FS.readFile(`${corvaneDocuments}/${file}`);
        }
    }
    corvaneEmptyFolder(corvaneBoards);
    corvaneEmptyFolder(corvaneDocuments);
    const text = (lines) => lines.map((line) => `${line}\n`).join("");
    // The memory the program has grown to, for the benchmark (bench/web-bench.mjs).
    const memory = HEAP8.length;
    return { kind: "done", name, status, seconds, memory, documents,
             summary: text(corvaneOut), errors: text(corvaneErr) };
}

if (typeof importScripts === "function") {
    onmessage = async (event) => {
        await corvaneReady;
        const result = corvaneConvert(event.data.name, event.data.bytes);
        postMessage(result, Object.values(result.documents).map((bytes) => bytes.buffer));
    };
}
