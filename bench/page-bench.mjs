// The board page's figures in headless Chromium: the page's size beside the board JSON's, the time
// until the board is first drawn, and the time of a frame while the picture is dragged.
//
//   node bench/page-bench.mjs PROGRAM BOARD...   (CHROMIUM names the browser; default chromium)
//
// For each board corvane-import writes the JSON and the page; the page is opened REPEATS times
// (default 5) in a fresh tab, and the best and median times are printed. A frame is measured two
// ways while panning: the drawing call alone (the script's work: the spatial query and the paths),
// and the interval between animation frames, each of which pans and draws (the browser's whole
// work, including painting; at least the display's 16.7 ms).
import { execFileSync } from "node:child_process";
import { mkdtempSync, statSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [program, ...boards] = process.argv.slice(2);
const repeats = Number(process.env.REPEATS || 5);
const work = mkdtempSync(path.join(tmpdir(), "corvane-page-bench-"));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  userDataDir: path.join(work, "profile"),
  args: ["--no-sandbox", "--headless", "--disable-gpu", "--no-first-run", "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  defaultViewport: { width: 1280, height: 800 },
});

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const f1 = (v) => v.toFixed(1);

// Pans by a step per animation frame for the given frames, as a drag does (the page draws at the
// next frame); the time of each of the page's drawings and the intervals between frames.
async function panFrames(page, frames, zoom, step) {
  return page.evaluate(async (frames, zoom, step) => {
    const { actions, view, store } = window.corvanePage;
    actions.fit();
    if (zoom !== 1) actions.zoom(zoom);
    // The whole view drawn anew, as after a zoom (which spreads it over frames).
    view.tileKey = "";
    const whole = view.draw(true);
    // The frame that follows a long task is stamped before it ended: start two frames later.
    for (let k = 0; k < 2; k++) await new Promise((resolve) => requestAnimationFrame(resolve));
    const draws = [];
    const intervals = [];
    let unfinished = 0;
    const draw = view.draw;
    view.draw = function (complete) {
      const ms = draw.call(this, complete);
      draws.push(ms);
      if (!this.complete) unfinished++;
      return ms;
    };
    let last = 0;
    await new Promise((resolve) => {
      let n = 0;
      const tick = (now) => {
        if (last) intervals.push(now - last);
        last = now;
        if (n++ >= frames) {
          resolve();
          return;
        }
        const dx = n <= frames / 2 ? step : -step;
        store.change(view.pannedBy(dx, step / 2), ["view"]);
        requestAnimationFrame(tick);
      };
      requestAnimationFrame(tick);
    });
    view.draw = draw;
    return { whole, draws, intervals, unfinished, objects: view.drawn };
  }, frames, zoom, step);
}

console.log("Pans: the whole view drawn anew; a frame's drawing mean / max; the frame's interval mean / max (ms); frames that left tiles for the next; objects in the tiles in view.");
console.log("| board | objects, parts, nets | JSON | page | page / (1.5 JSON + 400 KB) | first drawn (best / median) | pan, fitted, 7 px a frame | pan, zoomed x8, 7 px | pan, zoomed x8, 60 px |");
console.log("|---|---|---|---|---|---|---|---|---|");
for (const board of boards) {
  const stem = path.join(work, path.basename(board));
  execFileSync(program, ["-q", board, "--json", `${stem}.json`, "--html", `${stem}.html`], { stdio: "inherit" });
  const json = statSync(`${stem}.json`).size;
  const html = statSync(`${stem}.html`).size;
  const opened = [];
  let records = 0;
  let panned = null;
  let zoomed = null;
  let fast = null;
  for (let r = 0; r < repeats; r++) {
    const page = await browser.newPage();
    const start = Date.now();
    await page.goto(pathToFileURL(`${stem}.html`).href, { waitUntil: "load" });
    await page.waitForFunction(() => window.corvanePage !== undefined, { timeout: 60000, polling: 20 });
    const ready = await page.evaluate(() => window.corvanePage.readyMs);
    opened.push(Math.max(ready, 0) || Date.now() - start);
    if (r === 0) {
      records = await page.evaluate(() => window.corvanePage.model.objects.length + window.corvanePage.model.components.length + window.corvanePage.model.nets.length);
      panned = await panFrames(page, 60, 1, 7);
      zoomed = await panFrames(page, 60, 8, 7);
      fast = await panFrames(page, 60, 8, 60);
    }
    await page.close();
  }
  const mean = (v) => v.reduce((a, b) => a + b, 0) / v.length;
  const pan = (p) => `${f1(p.whole)}; ${f1(mean(p.draws))} / ${f1(Math.max(...p.draws))}; ${f1(mean(p.intervals))} / ${f1(Math.max(...p.intervals))}; ${p.unfinished}; ${p.objects}`;
  console.log(`| ${path.basename(board)} | ${records} | ${(json / 1024).toFixed(0)} KB | ${(html / 1024).toFixed(0)} KB | ${(html / (1.5 * json + 400 * 1024)).toFixed(2)} | ${f1(Math.min(...opened))} / ${f1(median(opened))} ms | ${pan(panned)} | ${pan(zoomed)} | ${pan(fast)} |`);
}
await browser.close();
rmSync(work, { recursive: true, force: true });
