// data.mjs: the board as the page reads it. The board is the board JSON (docs/board-json.md); the
// facts are what the page writer adds (docs/board-page.md): the import, the layers' looks and the
// nets of the copper. Nothing here knows of the page: a board object in, a model out.

import { naturalCompare, turnedBox, distanceToSegment, arcSweep, angleWithin, insideTurnedRectangle } from "./geometry.mjs";

/** The board's lengths are 1/10000 mil; the model's are mils. */
export const UNITS_PER_MIL = 10000;
/** The layer vias are shown and hidden by: they go through every copper layer. */
export const VIA_LAYER = "Vias";
/** The kinds of copper objects in the order the copper's net numbers list them. */
export const COPPER_KINDS = ["tracks", "arcs", "vias", "pads", "fills"];
const OBJECT_LISTS = [...COPPER_KINDS, "texts"];
const FALLBACK_LOOK = { colour: "#909090", order: 175 };
// Vias are drawn over every layer, as the picture draws them.
const VIA_LOOK = { colour: "#00c8a0", order: 190 };

const mils = (units) => units / UNITS_PER_MIL;
const size = (units) => Math.abs(units) / UNITS_PER_MIL;

// One object of the board as the model keeps it: its kind, where it is and what it belongs to.
function makeObject(list, item) {
  switch (list) {
    case "tracks": {
      const o = { kind: "track", x1: mils(item.x1), y1: mils(item.y1), x2: mils(item.x2), y2: mils(item.y2), w: size(item.width) };
      const r = o.w / 2;
      o.box = [Math.min(o.x1, o.x2) - r, Math.min(o.y1, o.y2) - r, Math.max(o.x1, o.x2) + r, Math.max(o.y1, o.y2) + r];
      return o;
    }
    case "arcs": {
      const o = { kind: "arc", x: mils(item.x), y: mils(item.y), r: size(item.radius), start: item.startAngle, sweep: arcSweep(item.startAngle, item.endAngle), w: size(item.width) };
      const reach = o.r + o.w / 2;
      o.box = [o.x - reach, o.y - reach, o.x + reach, o.y + reach];
      return o;
    }
    case "vias": {
      const o = { kind: "via", x: mils(item.x), y: mils(item.y), size: size(item.size), hole: mils(item.hole), from: item.startLayer, to: item.endLayer };
      const r = o.size / 2;
      o.box = [o.x - r, o.y - r, o.x + r, o.y + r];
      return o;
    }
    case "pads": {
      const o = { kind: "pad", x: mils(item.x), y: mils(item.y), w: size(item.xSize), h: size(item.ySize), shape: item.shape, hole: mils(item.hole), rotation: item.rotation, name: item.name };
      o.box = turnedBox(o.x, o.y, o.w, o.h, o.rotation);
      return o;
    }
    case "fills": {
      const x1 = mils(item.x1);
      const y1 = mils(item.y1);
      const x2 = mils(item.x2);
      const y2 = mils(item.y2);
      const o = { kind: "fill", x: (x1 + x2) / 2, y: (y1 + y2) / 2, w: Math.abs(x2 - x1), h: Math.abs(y2 - y1), rotation: item.rotation };
      o.box = turnedBox(o.x, o.y, o.w, o.h, o.rotation);
      return o;
    }
    default: {
      // A text's box: its height per character, room for the widest letters of the font.
      const o = { kind: "text", x: mils(item.x), y: mils(item.y), h: size(item.height), rotation: item.rotation, mirror: item.mirror, content: item.text };
      const width = o.h * o.content.length * (o.mirror ? -1 : 1);
      const corners = [[0, 0], [width, 0], [0, o.h], [width, o.h]];
      const a = (o.rotation * Math.PI) / 180;
      const xs = corners.map(([x, y]) => o.x + x * Math.cos(a) - y * Math.sin(a));
      const ys = corners.map(([x, y]) => o.y + x * Math.sin(a) + y * Math.cos(a));
      o.box = [Math.min(...xs), Math.min(...ys), Math.max(...xs), Math.max(...ys)];
      return o;
    }
  }
}

function joinBox(box, other) {
  box[0] = Math.min(box[0], other[0]);
  box[1] = Math.min(box[1], other[1]);
  box[2] = Math.max(box[2], other[2]);
  box[3] = Math.max(box[3], other[3]);
}

const emptyBox = () => [Infinity, Infinity, -Infinity, -Infinity];

/**
 * The model of a board: its objects (every primitive, free or of a component, with its layer,
 * component and net), its layers in drawing order, its components, nets, planes and extent, and a
 * spatial index over the objects. facts may be missing: then no import facts, grey layers and no
 * nets of the copper.
 */
export function readBoard(board, facts = {}) {
  const looks = new Map((facts.layers || []).map((l) => [l.name, l]));
  const layers = [];
  const layerIndex = new Map();
  const layerOf = (name) => {
    let index = layerIndex.get(name);
    if (index === undefined) {
      const look = name === VIA_LAYER ? { colour: (facts.look || {}).via || VIA_LOOK.colour, order: VIA_LOOK.order } : looks.get(name) || FALLBACK_LOOK;
      index = layers.length;
      layers.push({ name, colour: look.colour, order: look.order, count: 0 });
      layerIndex.set(name, index);
    }
    layers[index].count++;
    return index;
  };

  const nets = [];
  const netIndex = new Map();
  const netOf = (name, derived) => {
    if (name === null || name === undefined) return -1;
    let index = netIndex.get(name);
    if (index === undefined) {
      index = nets.length;
      nets.push({ name, derived, inFile: false, pads: [], objects: [] });
      netIndex.set(name, index);
    }
    return index;
  };
  for (const net of board.nets || []) {
    const entry = nets[netOf(net.name, false)];
    entry.inFile = true;
    entry.pads = net.pads.map((p) => ({ component: p.component, name: p.name }));
  }

  const objects = [];
  const copperObjects = []; // in the order of the copper's net numbers
  const components = [];
  const counts = {};
  for (const list of OBJECT_LISTS) counts[list] = { free: 0, inComponents: 0 };
  const addObject = (list, item, component) => {
    const o = makeObject(list, item);
    o.id = objects.length;
    o.component = component ? component.index : -1;
    o.layer = list === "vias" ? layerOf(VIA_LAYER) : layerOf(item.layer);
    o.net = list === "texts" ? -1 : netOf(item.net, false);
    objects.push(o);
    if (list !== "texts") copperObjects.push(o);
    counts[list][component ? "inComponents" : "free"]++;
    if (component) {
      component.objects.push(o.id);
      if (o.kind === "pad") component.pads.push(o.id);
      joinBox(component.box, o.box);
    }
    return o;
  };
  const addContainer = (container, component) => {
    for (const list of OBJECT_LISTS) {
      for (const item of container[list] || []) addObject(list, item, component);
    }
  };

  addContainer(board, null);
  for (const c of board.components || []) {
    const component = {
      index: components.length, designator: c.designator, comment: c.comment, pattern: c.pattern,
      x: mils(c.x), y: mils(c.y), layer: c.layer, side: c.layer === "BottomLayer" ? "bottom" : "top",
      rotation: c.rotation, objects: [], pads: [], box: emptyBox(), pin1: -1,
    };
    components.push(component);
    addContainer(c, component);
    for (const text of [c.designatorText, c.commentText]) {
      if (text && text.text !== "") addObject("texts", text, component);
    }
    component.pin1 = pinOne(component, objects);
  }

  if (facts.copper) applyCopperNets(facts.copper, copperObjects, netOf);
  for (const o of objects) {
    if (o.net >= 0) nets[o.net].objects.push(o.id);
  }
  for (const net of nets) {
    if (net.pads.length === 0) {
      net.pads = net.objects
        .filter((id) => objects[id].kind === "pad")
        .map((id) => ({ component: objects[id].component >= 0 ? components[objects[id].component].designator : "", name: objects[id].name }));
    }
  }

  // Fitted to the board's bulk when the writer found an object far outside it (a damaged value),
  // else to everything.
  const bounds = emptyBox();
  if (Array.isArray(facts.fit) && facts.fit.length === 4) bounds.splice(0, 4, ...facts.fit);
  else for (const o of objects) joinBox(bounds, o.box);
  if (!(bounds[0] <= bounds[2])) bounds.splice(0, 4, -100, -100, 100, 100);

  const sorted = layers.map((_, i) => i).sort((a, b) => layers[a].order - layers[b].order || (layers[a].name < layers[b].name ? -1 : 1));
  return {
    file: board.file, version: board.version, imported: board.imported, mayHaveLostData: board.mayHaveLostData,
    importFacts: facts.import || null,
    look: { background: "#10121a", via: "#00c8a0", ...(facts.look || {}) },
    layers, layerIndex, drawingOrder: sorted,
    objects, components, nets, netIndex,
    planes: board.planes || [],
    counts, bounds,
    index: new GridIndex(objects.map((o) => o.box), bounds),
  };
}

// The nets of the copper: an object's number names its net, the file's or one derived.
function applyCopperNets(copper, copperObjects, netOf) {
  const ids = copper.ids || [];
  const count = Math.min(ids.length, copperObjects.length);
  for (let i = 0; i < count; i++) {
    const id = ids[i];
    const entry = id > 0 ? copper.nets[id - 1] : undefined;
    if (entry) copperObjects[i].net = netOf(entry.name, Boolean(entry.derived));
  }
}

// Pin 1 of a component: its pad named "1", else the first of its pads in natural order.
function pinOne(component, objects) {
  if (component.pads.length === 0) return -1;
  const named = component.pads.find((id) => objects[id].name === "1");
  if (named !== undefined) return named;
  return [...component.pads].sort((a, b) => naturalCompare(objects[a].name, objects[b].name))[0];
}

/**
 * The bill of materials as the BOM file groups it: components of one comment and pattern
 * together, designators in natural order, groups in the order of their first designator.
 */
export function bomGroups(components) {
  const ordered = [...components].sort((a, b) => naturalCompare(a.designator, b.designator));
  const groups = [];
  const byKey = new Map();
  for (const c of ordered) {
    const key = JSON.stringify([c.comment, c.pattern]);
    let group = byKey.get(key);
    if (!group) {
      group = { comment: c.comment, pattern: c.pattern, members: [] };
      byKey.set(key, group);
      groups.push(group);
    }
    group.members.push(c.index);
  }
  return groups;
}

/**
 * The groups a search leaves, each with the members it shows: a group whose comment or pattern
 * matches keeps all; otherwise the members whose designator matches. Case does not matter.
 */
export function searchBom(groups, components, query) {
  const q = query.trim().toLowerCase();
  if (q === "") return groups;
  const hit = (text) => text.toLowerCase().includes(q);
  const found = [];
  for (const g of groups) {
    if (hit(g.comment) || hit(g.pattern)) {
      found.push(g);
      continue;
    }
    const members = g.members.filter((i) => hit(components[i].designator));
    if (members.length > 0) found.push({ ...g, members });
  }
  return found;
}

/** The nets whose name holds the query, in the order given; case does not matter. */
export function searchNets(nets, query) {
  const q = query.trim().toLowerCase();
  const indices = nets.map((_, i) => i);
  return q === "" ? indices : indices.filter((i) => nets[i].name.toLowerCase().includes(q));
}

/** The nets in the order the list shows them: the file's first, then the derived, each by name. */
export function netListOrder(nets) {
  return nets
    .map((_, i) => i)
    .sort((a, b) => Number(nets[a].derived) - Number(nets[b].derived) || naturalCompare(nets[a].name, nets[b].name));
}

/**
 * A uniform grid over the board's extent; each cell lists the objects whose box reaches it. An
 * object spanning many cells is kept in one list that every query looks at, so that a large fill
 * or outline costs no more than one entry.
 */
export class GridIndex {
  constructor(boxes, bounds) {
    const n = boxes.length;
    const width = Math.max(bounds[2] - bounds[0], 1e-6);
    const height = Math.max(bounds[3] - bounds[1], 1e-6);
    const cells = Math.max(1, Math.min(1 << 20, Math.ceil(n / 2)));
    const cell = Math.sqrt((width * height) / cells) || 1;
    this.minX = bounds[0];
    this.minY = bounds[1];
    this.cell = cell;
    this.columns = Math.max(1, Math.ceil(width / cell));
    this.rows = Math.max(1, Math.ceil(height / cell));
    this.boxes = boxes;
    this.large = [];
    this.stamp = new Uint32Array(n);
    this.query_ = 0;
    const maxSpan = 64;
    const counts = new Uint32Array(this.columns * this.rows + 1);
    const spans = new Array(n);
    for (let i = 0; i < n; i++) {
      const s = this.span(boxes[i]);
      if ((s[2] - s[0] + 1) * (s[3] - s[1] + 1) > maxSpan) {
        this.large.push(i);
        continue;
      }
      spans[i] = s;
      for (let r = s[1]; r <= s[3]; r++) for (let c = s[0]; c <= s[2]; c++) counts[r * this.columns + c + 1]++;
    }
    for (let k = 1; k < counts.length; k++) counts[k] += counts[k - 1];
    this.offsets = counts;
    this.items = new Uint32Array(counts[counts.length - 1]);
    const fill = counts.slice(0, counts.length - 1);
    for (let i = 0; i < n; i++) {
      const s = spans[i];
      if (!s) continue;
      for (let r = s[1]; r <= s[3]; r++) for (let c = s[0]; c <= s[2]; c++) this.items[fill[r * this.columns + c]++] = i;
    }
  }

  // The cells a box reaches: [first column, first row, last column, last row], clamped.
  span(box) {
    const clamp = (v, most) => Math.max(0, Math.min(most, v));
    return [
      clamp(Math.floor((box[0] - this.minX) / this.cell), this.columns - 1),
      clamp(Math.floor((box[1] - this.minY) / this.cell), this.rows - 1),
      clamp(Math.floor((box[2] - this.minX) / this.cell), this.columns - 1),
      clamp(Math.floor((box[3] - this.minY) / this.cell), this.rows - 1),
    ];
  }

  /** Calls visit(id) once for each object whose box meets the box, in no particular order. */
  query(box, visit) {
    this.query_ = (this.query_ + 1) >>> 0 || 1;
    const q = this.query_;
    const meets = (id) => {
      const b = this.boxes[id];
      return b[0] <= box[2] && b[2] >= box[0] && b[1] <= box[3] && b[3] >= box[1];
    };
    for (const id of this.large) if (meets(id)) visit(id);
    const s = this.span(box);
    for (let r = s[1]; r <= s[3]; r++) {
      for (let c = s[0]; c <= s[2]; c++) {
        const cellIndex = r * this.columns + c;
        for (let k = this.offsets[cellIndex]; k < this.offsets[cellIndex + 1]; k++) {
          const id = this.items[k];
          if (this.stamp[id] === q) continue;
          this.stamp[id] = q;
          if (meets(id)) visit(id);
        }
      }
    }
  }
}

// What a click prefers when objects lie over one another: pads, then vias, tracks and arcs,
// fills, texts.
const PICK_RANK = { pad: 0, via: 1, track: 2, arc: 2, fill: 3, text: 4 };

/** Whether the point (mils) lies on the object, within the margin. */
export function objectContains(o, x, y, margin) {
  switch (o.kind) {
    case "track":
      return distanceToSegment(x, y, o.x1, o.y1, o.x2, o.y2) <= o.w / 2 + margin;
    case "arc": {
      const d = Math.hypot(x - o.x, y - o.y);
      if (Math.abs(d - o.r) > o.w / 2 + margin) return false;
      return angleWithin((Math.atan2(y - o.y, x - o.x) * 180) / Math.PI, o.start, o.sweep);
    }
    case "via":
      return Math.hypot(x - o.x, y - o.y) <= o.size / 2 + margin;
    case "pad":
    case "fill":
      return insideTurnedRectangle(x, y, o.x, o.y, o.w, o.h, o.rotation, margin);
    default:
      return x >= o.box[0] - margin && x <= o.box[2] + margin && y >= o.box[1] - margin && y <= o.box[3] + margin;
  }
}

/**
 * The objects under a point (mils), the one a click means first: shown layers only (isShown(layer
 * index)), by kind (pads first), then by the layer drawn last (on top from the side looked at).
 */
export function objectsAt(model, x, y, margin, isShown, layerRank) {
  const found = [];
  model.index.query([x - margin, y - margin, x + margin, y + margin], (id) => {
    const o = model.objects[id];
    if (isShown(o.layer) && objectContains(o, x, y, margin)) found.push(o);
  });
  found.sort((a, b) => PICK_RANK[a.kind] - PICK_RANK[b.kind] || layerRank(b.layer) - layerRank(a.layer) || a.id - b.id);
  return found;
}

/** The components whose extent holds the point, the smallest first. */
export function componentsAt(model, x, y) {
  const area = (c) => (c.box[2] - c.box[0]) * (c.box[3] - c.box[1]);
  return model.components
    .filter((c) => c.box[0] <= x && x <= c.box[2] && c.box[1] <= y && y <= c.box[3])
    .sort((a, b) => area(a) - area(b));
}

/** The summary's counts: objects free and in components, components by side, nets and pads. */
export function summaryCounts(model) {
  const top = model.components.filter((c) => c.side === "top").length;
  const fileNets = model.nets.filter((n) => n.inFile);
  return {
    objects: model.counts,
    components: model.components.length,
    top,
    bottom: model.components.length - top,
    nets: fileNets.length,
    netPads: fileNets.reduce((sum, n) => sum + n.pads.length, 0),
    derivedNets: model.nets.filter((n) => n.derived).length,
  };
}
