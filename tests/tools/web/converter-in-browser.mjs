// The converter's page in a real browser: headless Chromium (driven by puppeteer-core) opens
// build/web/index.html from disk; each board is chosen in the page as a person chooses it, every
// download the page offers is taken, and each must be the native program's document of a file of
// the same name, byte for byte (the zip's files too, unpacked by unzip); the summary (but its
// time) and the errors are the native program's words. A file that is no board gets no download
// and the command line's error. A large board is cancelled while it converts, and the next board
// still converts in the same page. The page makes no request beyond itself.
//
//   node converter-in-browser.mjs PAGE NATIVE_PROGRAM LARGE_BOARD BOARD...
//
// (CHROMIUM names the browser; default /usr/bin/chromium.)
import { test, after, before } from "node:test";
import assert from "node:assert/strict";
import { spawnSync, execFileSync } from "node:child_process";
import { mkdtempSync, mkdirSync, readFileSync, readdirSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [pageFile, program, largeBoard, ...boards] = process.argv.slice(2);
if (!pageFile || !program || !largeBoard || boards.length === 0) {
    console.error("usage: node converter-in-browser.mjs PAGE NATIVE_PROGRAM LARGE_BOARD BOARD...");
    process.exit(2);
}
const work = mkdtempSync(path.join(tmpdir(), "corvane-web-"));
// The documents of the page's downloads, by suffix, as the native program is asked for them.
const documents = [["--json", "json"], ["--svg", "svg"], ["--kicad", "kicad_pcb"], ["--bom", "bom.csv"],
                   ["--positions", "pos.csv"], ["--html", "html"]];
let browser;
let page;
let cdp;
const requests = [];
const scriptErrors = [];

before(async () => {
    browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
        headless: true,
        userDataDir: path.join(work, "profile"),
        args: ["--no-sandbox", "--headless", "--disable-gpu", "--no-first-run", "--disable-background-networking",
               "--disable-component-update", "--disable-sync", "--window-size=1280,800"],
    });
    page = await browser.newPage();
    page.on("request", (request) => {
        if (!/^(file|blob|data):/.test(request.url())) {
            requests.push(request.url());
        }
    });
    page.on("pageerror", (error) => scriptErrors.push(error.message));
    cdp = await browser.target().createCDPSession();
    await page.goto(pathToFileURL(path.resolve(pageFile)).href);
});
after(async () => {
    if (browser) {
        await browser.close();
    }
    rmSync(work, { recursive: true, force: true });
});

// Chooses the board in the page; the card's root once it has an answer (its data-status).
async function choose(board) {
    const before = await page.$$eval(".board", (cards) => cards.length);
    await (await page.$("#files")).uploadFile(board);
    await page.waitForFunction((count) => document.querySelectorAll(".board").length > count, {}, before);
    const card = await page.$(".board");
    await page.waitForFunction((root) => root.dataset.status !== undefined, { timeout: 120000 }, card);
    return card;
}

// Clicks every download of the card; the downloaded files' folder once all are complete.
async function downloadAll(card, folder) {
    mkdirSync(folder, { recursive: true });
    await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: folder, eventsEnabled: true });
    const links = await card.$$(".board-downloads a");
    if (links.length === 0) {
        return 0;
    }
    let completed = 0;
    const done = new Promise((resolve, reject) => {
        const listener = (event) => {
            if (event.state === "completed" && ++completed === links.length) {
                cdp.off("Browser.downloadProgress", listener);
                resolve();
            } else if (event.state === "canceled") {
                reject(new Error("a download was cancelled"));
            }
        };
        cdp.on("Browser.downloadProgress", listener);
    });
    for (const link of links) {
        await link.click();
    }
    await done;
    return links.length;
}

// The native program's documents, summary, errors and status for the board.
function native(board, folder) {
    mkdirSync(folder, { recursive: true });
    const name = path.basename(board);
    const args = [board, "--report", "text", "--report-file", path.join(folder, `${name}.report.txt`)];
    for (const [option, suffix] of documents) {
        args.push(option, path.join(folder, `${name}.${suffix}`));
    }
    const run = spawnSync(program, args, { encoding: "utf8" });
    // The page converts the board under the name alone: its summary and errors name no folder.
    const shown = (text) => text.replaceAll(`${path.dirname(path.resolve(board))}/`, "");
    return { status: run.status, summary: shown(run.stdout), errors: shown(run.stderr) };
}

const withoutTime = (summary) => summary.replace(/^Time:.*\n/m, "");

test("a large board cancelled while it converts writes nothing, and the page converts on", async () => {
    const before = await page.$$eval(".board", (cards) => cards.length);
    await (await page.$("#files")).uploadFile(largeBoard);
    await page.waitForFunction((count) => {
        const card = document.querySelectorAll(".board").length > count && document.querySelector(".board");
        if (card && card.querySelector(".board-outcome").textContent === "converting") {
            card.querySelector(".cancel").click();
            return true;
        }
        return false;
    }, { polling: 10, timeout: 60000 }, before);
    const card = await page.$(".board");
    await page.waitForFunction((root) => root.dataset.status === "cancelled", {}, card);
    assert.equal(await card.$eval(".board-outcome", (e) => e.textContent), "cancelled: nothing was written");
    assert.equal((await card.$$(".board-downloads a")).length, 0);
    const next = await choose(boards[0]);
    assert.ok((await next.$$(".board-downloads a")).length > 0 || (await next.evaluate((root) => root.dataset.status)) === "1");
});

let index = 0;
for (const board of boards) {
    const name = path.basename(board);
    const number = index++;
    test(`${board}: every download is the native program's`, async () => {
        const expected = native(board, path.join(work, `native-${number}`));
        // A fresh page for each board: the browser lets a page start only so many downloads.
        await page.reload();
        const card = await choose(board);
        const status = await card.evaluate((root) => Number(root.dataset.status));
        assert.equal(status, expected.status, "exit status");
        const text = async (selector) => card.$eval(selector, (e) => (e.hidden ? "" : e.textContent));
        assert.equal(await text(".board-errors"), expected.errors, "errors");
        if (await text(".board-summary") !== "" || expected.summary !== "") {
            assert.equal(withoutTime(await text(".board-summary")), withoutTime(expected.summary), "summary");
        }
        const folder = path.join(work, `page-${number}`);
        const count = await downloadAll(card, folder);
        const nativeFiles = readdirSync(path.join(work, `native-${number}`)).sort();
        if (expected.status === 1) {
            assert.equal(count, 0, "a file that is not a board gets no download");
            return;
        }
        const zipName = `${name}.zip`;
        assert.deepEqual(readdirSync(folder).sort(), [...nativeFiles, zipName].sort(), "the downloads");
        for (const file of nativeFiles) {
            assert.ok(readFileSync(path.join(folder, file)).equals(readFileSync(path.join(work, `native-${number}`, file))),
                      `${file} differs from the native program's`);
        }
        const unpacked = path.join(work, `zip-${number}`);
        execFileSync("unzip", ["-q", path.join(folder, zipName), "-d", unpacked]);
        assert.deepEqual(readdirSync(unpacked).sort(), nativeFiles);
        for (const file of nativeFiles) {
            assert.ok(readFileSync(path.join(unpacked, file)).equals(readFileSync(path.join(folder, file))),
                      `${file} in the zip differs`);
        }
    });
}

test("no request beyond the page itself, and no script error", () => {
    assert.deepEqual(requests, []);
    assert.deepEqual(scriptErrors, []);
});
