// The board page in a real browser: for each board, corvane-import writes the page and the JSON;
// headless Chromium (driven by puppeteer-core) opens the page from disk, and the test checks what
// a person would: every part and every net of the JSON is listed; a BOM row's click highlights its
// parts and a net's click its net (in the page's state and in the canvas's pixels); hiding a layer
// takes its colour off the picture; from below, the picture is mirrored and the bottom copper lies
// over the top's; no script error, and no request beyond the page itself.
//
//   node page-in-browser.mjs PROGRAM BOARD...      (CHROMIUM names the browser; default chromium)
//
// Each board is one test of Node's test runner.
import { test, after, before } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, existsSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [program, ...boards] = process.argv.slice(2);
if (!program || boards.length === 0) {
  console.error("usage: node page-in-browser.mjs PROGRAM BOARD...");
  process.exit(2);
}
const work = mkdtempSync(path.join(tmpdir(), "corvane-page-"));
let browser;

export async function launchBrowser(profile) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--headless", "--disable-gpu", "--no-first-run", "--disable-background-networking", "--disable-component-update", "--disable-sync", "--window-size=1280,800"],
    defaultViewport: { width: 1280, height: 800 },
  });
}

before(async () => {
  browser = await launchBrowser(path.join(work, "profile"));
});
after(async () => {
  if (browser) await browser.close();
  rmSync(work, { recursive: true, force: true });
});

// Pixels of the canvas in an exact colour: their count and the mean of their x.
async function pixelsOf(page, colour) {
  return page.evaluate((hex) => {
    const { view } = window.corvanePage;
    view.draw(true);
    const canvas = view.canvas;
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    const [r, g, b] = [1, 3, 5].map((k) => parseInt(hex.slice(k, k + 2), 16));
    let count = 0;
    let sumX = 0;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i] === r && data[i + 1] === g && data[i + 2] === b) {
        count++;
        sumX += (i / 4) % canvas.width;
      }
    }
    return { count, meanX: count ? sumX / count : 0, width: canvas.width };
  }, colour);
}

// A digest of the canvas's pixels.
async function pictureDigest(page) {
  return page.evaluate(() => {
    const { view } = window.corvanePage;
    view.draw(true);
    const data = view.canvas.getContext("2d").getImageData(0, 0, view.canvas.width, view.canvas.height).data;
    let hash = 0;
    for (let i = 0; i < data.length; i++) hash = (Math.imul(hash, 31) + data[i]) | 0;
    return hash;
  });
}

const pageState = (page, expression, ...args) => page.evaluate(expression, ...args);

for (const board of boards) {
  test(path.basename(board), async () => {
    const stem = path.join(work, path.basename(board).replace(/[^A-Za-z0-9.-]/g, "_"));
    try {
      execFileSync(program, ["-q", board, "--html", `${stem}.html`, "--json", `${stem}.json`], { stdio: ["ignore", "ignore", "pipe"] });
    } catch (error) {
      // 6 (--strict) is not asked; 0 and 3 write the outputs. A board the program refuses has no page.
      if (!existsSync(`${stem}.html`)) return;
    }
    const json = JSON.parse(readFileSync(`${stem}.json`, "utf8"));
    const url = pathToFileURL(`${stem}.html`).href;
    const page = await browser.newPage();
    const problems = [];
    page.on("pageerror", (error) => problems.push(`script error: ${error.message}`));
    page.on("console", (message) => {
      if (message.type() === "error") problems.push(`console error: ${message.text()}`);
    });
    page.on("requestfailed", (request) => problems.push(`request failed: ${request.url()}`));
    page.on("request", (request) => {
      if (request.url() !== url) problems.push(`request: ${request.url()}`);
    });
    try {
      await page.goto(url, { waitUntil: "load" });
      await page.waitForFunction(() => window.corvanePage !== undefined, { timeout: 10000 });
      const look = await pageState(page, () => ({ highlight: "#ffffff", layers: window.corvanePage.model.layers }));

      // Every part and every net of the JSON is listed.
      const designators = await page.$$eval("#bom .designator", (chips) => chips.map((c) => c.textContent));
      assert.deepEqual([...designators].sort(), json.components.map((c) => c.designator).sort());
      await page.click('#tabs button[data-tab="nets"]');
      const netNames = await page.$$eval("#nets tbody tr td:first-child", (cells) => cells.map((c) => c.firstChild.textContent));
      for (const net of json.nets) assert.ok(netNames.includes(net.name), `net ${net.name} listed`);
      // And every net the copper derives (as the KiCad board does), marked so.
      const derived = await pageState(page, () => {
        const facts = JSON.parse(document.getElementById("page-facts").textContent);
        return facts.copper ? facts.copper.nets.filter((n) => n.derived).map((n) => n.name) : [];
      });
      const marked = await page.$$eval("#nets tbody tr td:first-child", (cells) => cells.filter((c) => c.querySelector(".badge")).map((c) => c.firstChild.textContent));
      assert.deepEqual([...marked].sort(), [...derived].sort(), "the derived nets listed, marked");
      // A routed board without nets: its copper joins its pads in nets of their own.
      if (path.basename(board) === "netless-routed.PCB") assert.ok(derived.length > 0, "derived nets");
      await page.click('#tabs button[data-tab="parts"]');

      assert.equal((await pixelsOf(page, look.highlight)).count, 0, "nothing highlighted at first");
      // A BOM row highlights its parts.
      const rowCount = (await page.$$("#bom tbody tr")).length;
      for (let k = 0; k < Math.min(rowCount, 3); k++) {
        await page.keyboard.press("Escape");
        // The table is made anew on each change: the row of this moment.
        const row = (await page.$$("#bom tbody tr"))[k];
        const members = await row.evaluate((r) => r.dataset.members.split(",").map(Number));
        // In the middle of the panel, clear of its sticky head; a click on the quantity's cell.
        await row.evaluate((r) => r.scrollIntoView({ block: "center" }));
        await (await row.$("td")).click();
        const state = await pageState(page, () => window.corvanePage.store.state.highlightedParts);
        assert.deepEqual(state, members, `row ${k} highlights its parts`);
        const visible = await pageState(page, (m) => m.some((i) => {
          const { model } = window.corvanePage;
          const c = model.components[i];
          return c.box[0] <= c.box[2];
        }), members);
        if (visible) assert.ok((await pixelsOf(page, look.highlight)).count > 0, `row ${k}: its parts in the picture`);
      }
      await page.keyboard.press("Escape");

      // A net's click highlights its net: the net that spans the most pixels of the fitted view
      // (a net smaller than a pixel, on a board whose far objects widen the view, has none).
      const nets = await pageState(page, () => {
        const { model, store } = window.corvanePage;
        const span = (n) => Math.max(...n.objects.map((id) => {
          const b = model.objects[id].box;
          return Math.max(b[2] - b[0], b[3] - b[1]);
        })) * store.state.scale;
        return model.nets.map((n, i) => ({ i, name: n.name, objects: n.objects.length, pixels: n.objects.length > 0 ? span(n) : 0 }))
          .filter((n) => n.objects > 0).sort((a, b) => b.pixels - a.pixels);
      });
      if (nets.length > 0) {
        await page.click('#tabs button[data-tab="nets"]');
        const net = nets[0];
        const row = await page.$(`#nets tbody tr[data-net="${net.i}"]`);
        await row.click();
        assert.equal(await pageState(page, () => window.corvanePage.store.state.highlightedNet), net.i);
        if (net.pixels >= 2) assert.ok((await pixelsOf(page, look.highlight)).count > 0, `net ${net.name} in the picture`);
        await page.keyboard.press("Escape");
        assert.equal((await pixelsOf(page, look.highlight)).count, 0);
        await page.click('#tabs button[data-tab="parts"]');
      }

      // Hiding a layer takes its colour off the picture; showing it brings it back.
      const colours = look.layers.map((l) => l.colour);
      const unique = look.layers.filter((l) => colours.indexOf(l.colour) === colours.lastIndexOf(l.colour) && l.count > 0);
      let checkedLayer = false;
      for (const layer of unique) {
        const before = await pixelsOf(page, layer.colour);
        if (before.count === 0) continue;
        await page.click(`#legend input[data-layer="${layer.name}"]`);
        assert.equal(await pageState(page, (name) => window.corvanePage.store.state.hidden.has(name), layer.name), true);
        assert.equal((await pixelsOf(page, layer.colour)).count, 0, `${layer.name} hidden`);
        await page.click(`#legend input[data-layer="${layer.name}"]`);
        assert.equal((await pixelsOf(page, layer.colour)).count, before.count, `${layer.name} shown again`);
        checkedLayer = true;
        break;
      }
      // A board whose layers show no pixel of their own colour (objects below a pixel, drawn
      // smoothed): hiding its busiest layer still changes the picture.
      const busiest = [...look.layers].sort((a, b) => b.count - a.count)[0];
      if (!checkedLayer && busiest) {
        const before = await pictureDigest(page);
        await page.click(`#legend input[data-layer="${busiest.name}"]`);
        assert.notEqual(await pictureDigest(page), before, `${busiest.name} hidden`);
        await page.click(`#legend input[data-layer="${busiest.name}"]`);
        assert.equal(await pictureDigest(page), before, `${busiest.name} shown again`);
      }

      // From below: mirrored, the bottom copper over the top copper.
      const sideLayers = ["TopLayer", "TopOverlay", "BottomLayer", "BottomOverlay", "MultiLayer"].map((name) => look.layers.find((l) => l.name === name)).filter((l) => l && colours.indexOf(l.colour) === colours.lastIndexOf(l.colour));
      const fromTop = {};
      for (const l of sideLayers) fromTop[l.name] = await pixelsOf(page, l.colour);
      await page.keyboard.press("b");
      assert.equal(await pageState(page, () => window.corvanePage.store.state.side), "bottom");
      for (const l of sideLayers) {
        const top = fromTop[l.name];
        const below = await pixelsOf(page, l.colour);
        if (top.count < 20 || below.count < 20) continue;
        const mirrored = top.width - 1 - top.meanX;
        assert.ok(Math.abs(below.meanX - mirrored) < 0.02 * top.width + 2, `${l.name} mirrored: ${below.meanX} against ${mirrored}`);
      }
      await page.keyboard.press("b");
      assert.equal(await pageState(page, () => window.corvanePage.store.state.side), "top");
      // The two copper sides alone: the side looked at keeps its pixels where the other lies
      // under it (a few lost to smoothing at edges), and from below the bottom is in front.
      const top = look.layers.find((l) => l.name === "TopLayer");
      const bottom = look.layers.find((l) => l.name === "BottomLayer");
      if (top && bottom && top.colour !== bottom.colour) {
        const only = async (names) => {
          await page.evaluate((names) => {
            const { store, model } = window.corvanePage;
            store.change({ hidden: new Set(model.layers.map((l) => l.name).filter((n) => !names.includes(n))) }, ["layers"]);
          }, names);
          return { top: (await pixelsOf(page, top.colour)).count, bottom: (await pixelsOf(page, bottom.colour)).count };
        };
        const fromSide = async () => ({ alone: { top: (await only(["TopLayer"])).top, bottom: (await only(["BottomLayer"])).bottom }, both: await only(["TopLayer", "BottomLayer"]) });
        const above = await fromSide();
        await page.keyboard.press("b");
        const below = await fromSide();
        await page.keyboard.press("b");
        assert.ok(above.both.top >= 0.97 * above.alone.top, `from the top, the top copper in front: ${above.both.top} of ${above.alone.top}`);
        assert.ok(below.both.bottom >= 0.97 * below.alone.bottom, `from below, the bottom copper in front: ${below.both.bottom} of ${below.alone.bottom}`);
        // Where the bottom copper is hidden from the top, the top copper is hidden from below.
        if (above.both.bottom < 0.9 * above.alone.bottom) {
          assert.ok(below.both.top < 0.97 * below.alone.top, `from below, the top copper behind: ${below.both.top} of ${below.alone.top}`);
        }
        await page.click('#legend button[data-all="1"]');
      }

      // A click on the board at a part's pad selects the part and shows its details.
      const target = await pageState(page, () => {
        const { model, view } = window.corvanePage;
        const rect = view.canvas.getBoundingClientRect();
        for (const c of model.components) {
          for (const id of c.pads) {
            const pad = model.objects[id];
            const [x, y] = view.toCanvas(pad.x, pad.y);
            // A pad the legend does not cover.
            if (document.elementFromPoint(rect.left + x, rect.top + y) === view.canvas) return { x: rect.left + x, y: rect.top + y };
          }
        }
        return null;
      });
      if (target) {
        await page.mouse.click(target.x, target.y);
        const chosen = await pageState(page, () => window.corvanePage.store.state.selectedPart);
        const chosenDesignator = await pageState(page, (i) => window.corvanePage.model.components[i]?.designator, chosen);
        assert.ok(chosen >= 0, "a part chosen by a click");
        assert.equal(await page.$eval("#details h3", (h) => h.textContent), chosenDesignator);
        const marked = await page.$$eval("#bom tr.active .designator.selected", (chips) => chips.map((e) => e.textContent));
        assert.deepEqual(marked, [chosenDesignator], "its row marked");
      }

      // Keys: zoom in, move, fit again; the wheel zooms too.
      const view = () => pageState(page, () => ({ ...window.corvanePage.view.fitted(), now: window.corvanePage.store.state.scale, x: window.corvanePage.store.state.centreX }));
      await page.keyboard.press("f");
      const fitted = await view();
      await page.keyboard.press("+");
      assert.ok((await view()).now > fitted.now * 1.2, "+ zooms in");
      await page.keyboard.press("ArrowLeft");
      assert.notEqual((await view()).x, fitted.centreX, "an arrow moves the picture");
      await page.keyboard.press("f");
      assert.equal((await view()).now, fitted.scale, "F fits");
      const box = await page.$eval("#board", (c) => { const r = c.getBoundingClientRect(); return { x: r.left + r.width / 3, y: r.top + r.height / 2 }; });
      await page.mouse.move(box.x, box.y);
      await page.mouse.wheel({ deltaY: -300 });
      await page.waitForFunction((scale) => window.corvanePage.store.state.scale > scale, {}, fitted.scale);

      // The import: the report's lines are there, and a loss is said plainly.
      await page.click('#tabs button[data-tab="import"]');
      if (json.mayHaveLostData) {
        assert.match(await page.$eval("#loss-banner", (b) => (b.hidden ? "" : b.textContent)), /Data may have been lost/);
      } else {
        assert.equal(await page.$eval("#loss-banner", (b) => b.hidden), true);
      }
      assert.deepEqual(problems, []);
    } finally {
      await page.close();
    }
  });
}
