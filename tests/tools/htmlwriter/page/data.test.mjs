// The page's data code against the program's own documents: the model of every expected board
// JSON, its BOM groups against the expected BOM files, the nets of the copper, the spatial index
// against a plain search, and what a click finds.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync, readdirSync, existsSync } from "node:fs";
import { fileURLToPath } from "node:url";
import path from "node:path";

import { readBoard, bomGroups, searchBom, searchNets, GridIndex, objectsAt, summaryCounts } from "../../../../tools/htmlwriter/page/data.mjs";
import { naturalCompare } from "../../../../tools/htmlwriter/page/geometry.mjs";
import { drawingOrder } from "../../../../tools/htmlwriter/page/state.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const expected = path.join(here, "../../expected");
const boards = readdirSync(expected).filter((name) => /^[a-z0-9-]+\.json$/.test(name));
const load = (name) => JSON.parse(readFileSync(path.join(expected, name), "utf8"));

// RFC 4180 lines as the BOM file writes them.
function csvRows(text) {
  const rows = [];
  let row = [];
  let field = "";
  let quoted = false;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') (field += '"'), i++;
      else if (c === '"') quoted = false;
      else field += c;
    } else if (c === '"') quoted = true;
    else if (c === ",") row.push(field), (field = "");
    else if (c === "\n") row.push(field.replace(/\r$/, "")), rows.push(row), (row = []), (field = "");
    else field += c;
  }
  return rows;
}

test("natural order is the bill of materials' order", () => {
  const names = ["R10", "R2", "C1", "R1", "R02", "U1A", "U1", "", "R1B", "R01"];
  assert.deepEqual([...names].sort(naturalCompare), ["", "C1", "R01", "R1", "R1B", "R02", "R2", "R10", "U1", "U1A"]);
});

for (const name of boards) {
  test(`${name}: every object, part and net is in the model`, () => {
    const board = load(name);
    const model = readBoard(board);
    const listed = (c) => ["tracks", "arcs", "vias", "pads", "fills", "texts"].reduce((n, k) => n + c[k].length, 0);
    const componentTexts = board.components.reduce((n, c) => n + [c.designatorText, c.commentText].filter((t) => t && t.text !== "").length, 0);
    const total = listed(board) + board.components.reduce((n, c) => n + listed(c), 0) + componentTexts;
    assert.equal(model.objects.length, total);
    assert.deepEqual(model.components.map((c) => c.designator), board.components.map((c) => c.designator));
    for (const net of board.nets) assert.ok(model.netIndex.has(net.name), net.name);
    const counts = summaryCounts(model);
    assert.equal(counts.nets, board.nets.length);
    assert.equal(counts.netPads, board.nets.reduce((n, net) => n + net.pads.length, 0));
    // Every pad of a file net is among the net's objects.
    for (const o of model.objects) if (o.net >= 0) assert.ok(model.nets[o.net].objects.includes(o.id));
    for (const o of model.objects) {
      assert.ok(o.box[0] >= model.bounds[0] && o.box[2] <= model.bounds[2], "inside the bounds");
    }
  });

  const bom = name.replace(/\.json$/, ".bom.csv");
  if (existsSync(path.join(expected, bom))) {
    test(`${name}: the BOM groups are those of ${bom}`, () => {
      const model = readBoard(load(name));
      const rows = csvRows(readFileSync(path.join(expected, bom), "utf8")).slice(1);
      const groups = bomGroups(model.components).map((g) => [g.comment, g.pattern, String(g.members.length), g.members.map((i) => model.components[i].designator).join(",")]);
      // The file replaces control characters with '?', as the page does not.
      assert.deepEqual(groups.map((g) => g.map((f) => f.replace(/[\x00-\x1f\x7f]/g, "?"))), rows);
    });
  }
}

test("the demo's summary counts are the program's", () => {
  const counts = summaryCounts(readBoard(load("demo.json")));
  assert.deepEqual(counts.objects.tracks, { free: 35, inComponents: 27 });
  assert.deepEqual(counts.objects.pads, { free: 2, inComponents: 23 });
  assert.equal(counts.components, 8);
  assert.equal(counts.top, 6);
  assert.equal(counts.nets, 7);
  assert.equal(counts.netPads, 22);
});

test("pin 1 is the pad named 1, else the first pad in natural order", () => {
  const pad = (name, x) => ({ x, y: 0, name, shape: "round", xSize: 10, ySize: 10, hole: 0, layer: "TopLayer", rotation: 0, net: null });
  const part = (designator, pads) => ({ designator, comment: "", pattern: "", x: 0, y: 0, layer: "TopLayer", rotation: 0, designatorText: null, commentText: null, tracks: [], vias: [], pads, arcs: [], fills: [], texts: [] });
  const model = readBoard(emptyBoard({ components: [part("U1", [pad("2", 0), pad("1", 10)]), part("D1", [pad("K", 0), pad("A", 10)]), part("X1", [])] }));
  const pinOne = (c) => (c.pin1 < 0 ? null : model.objects[c.pin1].name);
  assert.deepEqual(model.components.map(pinOne), ["1", "A", null]);
});

test("a search finds parts by designator, comment or pattern, in any case", () => {
  const model = readBoard(load("demo.json"));
  const groups = bomGroups(model.components);
  const designators = (found) => found.flatMap((g) => g.members.map((i) => model.components[i].designator));
  for (const c of model.components) {
    assert.ok(designators(searchBom(groups, model.components, c.designator.toLowerCase())).includes(c.designator));
    if (c.comment) assert.ok(designators(searchBom(groups, model.components, c.comment.toUpperCase())).includes(c.designator));
    if (c.pattern) assert.ok(designators(searchBom(groups, model.components, ` ${c.pattern} `)).includes(c.designator));
  }
  assert.deepEqual(searchBom(groups, model.components, "no such part"), []);
  assert.equal(searchBom(groups, model.components, ""), groups);
  assert.deepEqual(searchNets(model.nets, "gnd").map((i) => model.nets[i].name), ["GND"]);
});

function emptyBoard(parts = {}) {
  return { file: "t.PCB", version: 4, imported: true, mayHaveLostData: false, planes: [], tracks: [], vias: [], pads: [], arcs: [], fills: [], texts: [], components: [], nets: [], ...parts };
}

test("the nets of the copper give objects their nets, derived ones marked", () => {
  const track = (x, net = null) => ({ x1: x, y1: 0, x2: x + 100, y2: 0, width: 10, layer: "TopLayer", net });
  const pad = (name, net = null) => ({ x: 0, y: 0, name, shape: "round", xSize: 10, ySize: 10, hole: 0, layer: "TopLayer", rotation: 0, net });
  const board = emptyBoard({
    tracks: [track(0), track(200)],
    pads: [pad("1", "GND")],
    components: [{ designator: "R1", comment: "", pattern: "", x: 0, y: 0, layer: "TopLayer", rotation: 0, designatorText: null, commentText: null, tracks: [track(400)], vias: [], pads: [pad("1"), pad("2")], arcs: [], fills: [], texts: [] }],
    nets: [{ name: "GND", pads: [{ component: "", name: "1" }] }],
  });
  // Free: two tracks, one pad; R1: one track, two pads; by kind: tracks, arcs, vias, pads, fills.
  const copper = { nets: [{ name: "GND", derived: false }, { name: "Net-(R1-Pad1)", derived: true }], ids: [1, 2, 1, 2, 2, 0] };
  const model = readBoard(board, { copper });
  const derived = model.nets[model.netIndex.get("Net-(R1-Pad1)")];
  assert.equal(derived.derived, true);
  assert.deepEqual(derived.objects.map((id) => model.objects[id].kind), ["track", "track", "pad"]);
  assert.deepEqual(derived.pads, [{ component: "R1", name: "1" }]);
  const gnd = model.nets[model.netIndex.get("GND")];
  assert.equal(gnd.derived, false);
  assert.deepEqual(gnd.objects.map((id) => model.objects[id].kind), ["track", "pad"]);
  assert.equal(summaryCounts(model).derivedNets, 1);
  // Without the copper's nets, only the file's.
  assert.equal(readBoard(board).nets.length, 1);
});

test("the view is fitted to the writer's box when it gives one, and the far object is still found", () => {
  const track = (x1, x2) => ({ x1, y1: 0, x2, y2: 0, width: 10, layer: "TopLayer", net: null });
  // In the board's units (1/10000 mil): 0 to 100 mil, and 200 to 200,000 mil.
  const board = emptyBoard({ tracks: [track(0, 1000000), track(2000000, 2000000000)] });
  assert.ok(readBoard(board).bounds[2] > 199000);
  const fitted = readBoard(board, { fit: [-5, -5, 305, 5] });
  assert.deepEqual(fitted.bounds, [-5, -5, 305, 5]);
  const found = [];
  fitted.index.query([150000, -10, 150010, 10], (id) => found.push(id));
  assert.deepEqual(found, [1]);
});

test("the spatial index finds what a search of every box finds", () => {
  let seed = 7;
  const random = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
  const boxes = [];
  for (let i = 0; i < 3000; i++) {
    const x = random() * 1000;
    const y = random() * 500;
    const w = random() < 0.02 ? random() * 800 : random() * 20;
    boxes.push([x, y, x + w, y + random() * 20]);
  }
  const index = new GridIndex(boxes, [0, 0, 1800, 520]);
  for (let q = 0; q < 200; q++) {
    const x = random() * 1100 - 50;
    const y = random() * 600 - 50;
    const box = [x, y, x + random() * 300, y + random() * 300];
    const found = [];
    index.query(box, (id) => found.push(id));
    const plain = boxes.map((b, id) => (b[0] <= box[2] && b[2] >= box[0] && b[1] <= box[3] && b[3] >= box[1] ? id : -1)).filter((id) => id >= 0);
    assert.deepEqual(found.sort((a, b) => a - b), plain);
  }
});

test("a click finds the pad before the track under it, on shown layers only", () => {
  const board = emptyBoard({
    tracks: [{ x1: -100000, y1: 0, x2: 100000, y2: 0, width: 10000, layer: "BottomLayer", net: null }],
    pads: [{ x: 0, y: 0, name: "1", shape: "rectangle", xSize: 40000, ySize: 40000, hole: 0, layer: "TopLayer", rotation: 45, net: "N" }],
  });
  const model = readBoard(board, { layers: [{ name: "TopLayer", colour: "#e03c3c", order: 110 }, { name: "BottomLayer", colour: "#3c64e6", order: 30 }] });
  const rank = (layer) => model.layers[layer].order;
  const all = () => true;
  assert.deepEqual(objectsAt(model, 0, 0, 0.1, all, rank).map((o) => o.kind), ["pad", "track"]);
  // The pad is turned by 45 degrees: a diamond reaching 2.83 mil along x, where a square reaches 2.
  assert.deepEqual(objectsAt(model, 2.1, 0.6, 0, all, rank).map((o) => o.kind), ["pad"]);
  assert.deepEqual(objectsAt(model, 1.9, 1.9, 0, all, rank).map((o) => o.kind), []);
  const top = model.layerIndex.get("TopLayer");
  assert.deepEqual(objectsAt(model, 0, 0, 0.1, (l) => l !== top, rank).map((o) => o.kind), ["track"]);
  assert.deepEqual(objectsAt(model, 8, 0, 0.1, all, rank).map((o) => o.kind), ["track"]);
});

test("from below, the bottom side's layers are drawn over the top side's", () => {
  const model = readBoard(load("demo.json"), {
    layers: ["TopLayer", "BottomLayer", "TopOverlay", "BottomOverlay", "MultiLayer", "KeepOutLayer"].map((name, i) => ({ name, colour: "#000000", order: [110, 30, 130, 10, 180, 160][i] })),
  });
  const names = (side) => drawingOrder(model, side).map((i) => model.layers[i].name);
  const top = names("top");
  const bottom = names("bottom");
  assert.ok(top.indexOf("TopLayer") > top.indexOf("BottomLayer"));
  assert.ok(bottom.indexOf("BottomLayer") > bottom.indexOf("TopLayer"));
  assert.ok(bottom.indexOf("BottomOverlay") > bottom.indexOf("BottomLayer"));
  assert.equal(bottom.at(-1), top.at(-1)); // vias stay over everything
});
