// The page: boards dropped or chosen are converted one after another, each into its own card.

const converter = new Converter(document.getElementById("converter-source").textContent);
const template = document.getElementById("board-template");
const boards = document.getElementById("boards");

async function open(file) {
    const card = new BoardCard(file.name, template);
    boards.prepend(card.root);
    const bytes = await file.arrayBuffer();
    const job = converter.convert(file.name, bytes, (caption, done, total) => card.progress(caption, done, total));
    card.started(job.cancel);
    const result = await job.result;
    if (result === null) {
        card.cancelled();
    } else {
        card.finished(result, storedZip);
    }
}

function openAll(files) {
    for (const file of files) {
        open(file);
    }
}

const drop = document.getElementById("drop");
const chooser = document.getElementById("files");
chooser.addEventListener("change", () => {
    openAll([...chooser.files]);
    chooser.value = "";
});
drop.addEventListener("dragover", (event) => {
    event.preventDefault();
    drop.classList.add("over");
});
drop.addEventListener("dragleave", () => drop.classList.remove("over"));
drop.addEventListener("drop", (event) => {
    event.preventDefault();
    drop.classList.remove("over");
    openAll([...event.dataTransfer.files]);
});
