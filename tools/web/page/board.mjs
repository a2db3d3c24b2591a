// One board's card: its progress while it converts, then the board page the converter wrote, the
// summary and the report, and the downloads; or the command line's words for a file it refused.

// The downloads in their order: the suffix of the converter's file, and the button's label.
export const downloads = [
    ["json", "JSON"],
    ["svg", "SVG picture"],
    ["kicad_pcb", "KiCad board"],
    ["bom.csv", "Bill of materials"],
    ["pos.csv", "Placement"],
    ["html", "Board page"],
    ["report.txt", "Import report"],
];

// The exit statuses of corvane-import, as its README gives them.
const statusWords = {
    1: "not imported",
    3: "aborted",
    4: "an output could not be written",
    5: "the converter could not start",
    6: "data may have been lost",
    7: "out of memory, or a failure inside",
};

// The board is converted under /boards/ of the converter's own file system: shown as the name.
function shown(text) {
    return text.replaceAll("/boards/", "");
}

function downloadLink(fileName, label, bytes, type) {
    const link = document.createElement("a");
    link.className = "button";
    link.textContent = label;
    link.download = fileName;
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    return link;
}

export class BoardCard {
    constructor(name, template) {
        this.name = name;
        this.root = template.content.firstElementChild.cloneNode(true);
        this.part = (selector) => this.root.querySelector(selector);
        this.part(".board-name").textContent = name;
        this.part(".board-outcome").textContent = "waiting";
    }

    // Shows the progress; cancel is called by the button.
    started(cancel) {
        this.part(".board-progress").hidden = false;
        this.part(".cancel").onclick = cancel;
    }

    progress(caption, done, total) {
        this.part(".board-outcome").textContent = "converting";
        this.part(".progress-caption").textContent = shown(caption);
        const bar = this.part("progress");
        if (total > 0) {
            bar.value = Math.min(done / total, 1);
        } else {
            bar.removeAttribute("value");
        }
    }

    cancelled() {
        this.root.dataset.status = "cancelled";
        this.part(".board-progress").hidden = true;
        this.part(".board-outcome").textContent = "cancelled: nothing was written";
    }

    // The worker's answer: { status, documents, summary, errors }.
    finished(result, makeZip) {
        this.root.dataset.status = result.status;
        this.root.dataset.seconds = result.seconds;
        this.root.dataset.memory = result.memory;
        this.part(".board-progress").hidden = true;
        const outcome = this.part(".board-outcome");
        const importLine = /^Import:\s+(.*)$/m.exec(result.summary);
        outcome.textContent = importLine ? importLine[1] : statusWords[result.status] || "";
        outcome.classList.add(result.status === 0 && importLine && importLine[1] === "complete" ? "ok" : "lost");
        if (result.errors) {
            const errors = this.part(".board-errors");
            errors.textContent = shown(result.errors);
            errors.hidden = false;
        }
        const files = result.documents;
        if (Object.keys(files).length === 0) {
            return;
        }
        const box = this.part(".board-downloads");
        const entries = [];
        for (const [suffix, label] of downloads) {
            const fileName = `${this.name}.${suffix}`;
            if (files[fileName]) {
                box.append(downloadLink(fileName, label, files[fileName], "application/octet-stream"));
                entries.push({ name: fileName, bytes: files[fileName] });
            }
        }
        box.append(downloadLink(`${this.name}.zip`, "All (zip)", makeZip(entries), "application/zip"));
        box.hidden = false;
        const text = (suffix) => new TextDecoder().decode(files[`${this.name}.${suffix}`] || new Uint8Array());
        this.part(".board-summary").textContent = shown(result.summary);
        this.part(".board-report").textContent = text("report.txt") || "(no entries)";
        const page = files[`${this.name}.html`];
        if (page) {
            this.part(".board-view").src = URL.createObjectURL(new Blob([page], { type: "text/html" }));
        }
        this.part(".board-body").hidden = false;
    }
}
