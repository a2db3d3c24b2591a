// The converter's page in headless Chromium: each board is converted REPEATS times in the page (a
// fresh page each time, so every conversion starts a new worker), and the best time of the
// conversion inside the worker is printed with the memory the program grew to.
//
//   node web-bench.mjs PAGE REPEATS BOARD...        (prints: board seconds memory-bytes status)
import path from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [pageFile, repeats, ...boards] = process.argv.slice(2);
const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--headless", "--disable-gpu", "--no-first-run"],
});
const page = await browser.newPage();
for (const board of boards) {
    let best = Infinity;
    let memory = 0;
    let status = "";
    for (let run = 0; run < Number(repeats); run++) {
        await page.goto(pathToFileURL(path.resolve(pageFile)).href);
        await (await page.$("#files")).uploadFile(board);
        await page.waitForFunction(() => document.querySelector(".board")?.dataset.status !== undefined,
                                   { timeout: 600000 });
        const card = await page.$eval(".board", (root) => ({ ...root.dataset }));
        best = Math.min(best, Number(card.seconds));
        memory = Math.max(memory, Number(card.memory));
        status = card.status;
    }
    console.log(`${path.basename(board)} ${best.toFixed(3)} ${memory} ${status}`);
}
await browser.close();
