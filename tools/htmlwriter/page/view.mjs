// view.mjs: the board drawn on a canvas as the picture (SVG) draws it: each layer in its colour in
// the picture's order, vias over them, holes over all; seen from the top, or from below mirrored.
// Only what is in view is drawn: the picture is made of tiles, each drawn once from the objects
// the model's spatial index finds in it and kept while only the view's position changes, so that
// a frame while panning copies tiles and draws only those that come into view.

import { DEGREES, roundedRectangle, octagon } from "./geometry.mjs";
import { objectsAt, componentsAt } from "./data.mjs";
import { drawingOrder, layerRankFor } from "./state.mjs";

// A capital letter fills about this part of the font size (as in the picture).
const CAPITAL_HEIGHT_PER_EM = 0.72;
/** The colours of what the page marks, by theme: highlighted nets and parts, and pin 1. */
export const MARK_COLOURS = {
  dark: { highlight: "#ffffff", pinOne: "#ff8c00", holeEdge: "#000000", background: null },
  light: { highlight: "#000000", pinOne: "#ff6a00", holeEdge: "#606060", background: "#f4f4ef" },
};
// Layer colours in light colours: darker, so that the overlays' yellow shows on white.
const LIGHT_DARKENING = 0.72;

/** A layer's colour in a theme. */
export function themedColour(colour, theme) {
  if (theme !== "light" || !/^#[0-9a-f]{6}$/i.test(colour)) return colour;
  const channel = (k) => Math.round(parseInt(colour.slice(k, k + 2), 16) * LIGHT_DARKENING).toString(16).padStart(2, "0");
  return `#${channel(1)}${channel(3)}${channel(5)}`;
}

// Below this many device pixels a circle or a corner's rounding is drawn as a square corner: the
// same picture at a fraction of the cost.
const ROUNDING_PIXELS = 1.5;

// The outline of a pad in its shape, added to a path (a context's own); pixel: the length of a device pixel in mils.
function addPad(path, o, pixel) {
  const min = Math.min(o.w, o.h);
  switch (o.shape) {
    case "round":
      if (o.w === o.h) {
        addCircle(path, o.x, o.y, o.w / 2, pixel);
        return;
      }
      addRoundedRectangle(path, o, min / 2 > ROUNDING_PIXELS * pixel ? min / 2 : 0);
      return;
    case "octagonal": {
      const points = octagon(o.x, o.y, o.w, o.h, o.rotation);
      path.moveTo(points[0][0], points[0][1]);
      for (let i = 1; i < points.length; i++) path.lineTo(points[i][0], points[i][1]);
      path.closePath();
      return;
    }
    case "roundedRectangle":
      addRoundedRectangle(path, o, min / 4 > ROUNDING_PIXELS * pixel ? min / 4 : 0);
      return;
    default:
      addRoundedRectangle(path, o, 0);
  }
}

function addRoundedRectangle(path, o, radius) {
  const corners = roundedRectangle(o.x, o.y, o.w, o.h, radius, o.rotation);
  if (radius <= 0) {
    path.moveTo(corners[0].x, corners[0].y);
    for (let i = 1; i < 4; i++) path.lineTo(corners[i].x, corners[i].y);
    path.closePath();
    return;
  }
  const first = corners[0];
  path.moveTo(first.x + first.r * Math.cos(first.start * DEGREES), first.y + first.r * Math.sin(first.start * DEGREES));
  for (const c of corners) path.arc(c.x, c.y, c.r, c.start * DEGREES, (c.start + 90) * DEGREES, false);
  path.closePath();
}

function addCircle(path, x, y, r, pixel) {
  if (r < ROUNDING_PIXELS * pixel) {
    path.rect(x - r, y - r, 2 * r, 2 * r);
    return;
  }
  path.moveTo(x + r, y);
  path.arc(x, y, r, 0, 2 * Math.PI, false);
}

function addArc(path, o) {
  const a0 = o.start * DEGREES;
  path.moveTo(o.x + o.r * Math.cos(a0), o.y + o.r * Math.sin(a0));
  path.arc(o.x, o.y, o.r, a0, a0 + o.sweep * DEGREES, false);
}

// Objects of one colour drawn together: strokes by width, filled shapes in one path, texts. The
// shapes are traced into the context's own path when drawn: no path objects left to collect.
class Batch {
  constructor(pixel) {
    this.pixel = pixel;
    this.strokes = new Map();
    this.filled = [];
    this.texts = [];
  }

  add(o) {
    switch (o.kind) {
      case "track":
      case "arc": {
        const list = this.strokes.get(o.w);
        if (list) list.push(o);
        else this.strokes.set(o.w, [o]);
        return;
      }
      case "text":
        this.texts.push(o);
        return;
      default:
        this.filled.push(o);
    }
  }

  draw(painter, colour) {
    const ctx = painter.ctx;
    painter.useBoardTransform();
    ctx.strokeStyle = colour;
    ctx.fillStyle = colour;
    ctx.lineJoin = "round";
    for (const [width, list] of this.strokes) {
      ctx.beginPath();
      for (const o of list) {
        if (o.kind === "track") {
          ctx.moveTo(o.x1, o.y1);
          ctx.lineTo(o.x2, o.y2);
        } else {
          addArc(ctx, o);
        }
      }
      // Round ends show only on lines a few pixels wide.
      ctx.lineCap = width > 2 * this.pixel ? "round" : "butt";
      ctx.lineWidth = width;
      ctx.stroke();
    }
    if (this.filled.length > 0) {
      ctx.beginPath();
      for (const o of this.filled) {
        if (o.kind === "pad") addPad(ctx, o, this.pixel);
        else if (o.kind === "fill") addRoundedRectangle(ctx, o, 0);
        else addCircle(ctx, o.x, o.y, o.size / 2, this.pixel);
      }
      ctx.fill();
    }
    if (this.texts.length > 0) painter.drawTexts(this.texts, colour);
  }
}

// Draws the model onto a 2D context whose device pixels are X = a x + e, Y = d y + f for a board
// point (x, y) in mils; cssPixel is the length of a CSS pixel in mils.
class Painter {
  constructor(ctx, a, d, e, f, cssPixel) {
    Object.assign(this, { ctx, a, d, e, f, cssPixel });
    this.pixel = 1 / Math.abs(d);
  }

  useBoardTransform() {
    this.ctx.setTransform(this.a, 0, 0, this.d, this.e, this.f);
  }

  /** Texts in the picture's font, each at its anchor, turned and mirrored as the picture does. */
  drawTexts(texts, colour) {
    const { ctx } = this;
    ctx.fillStyle = colour;
    let font = "";
    for (const o of texts) {
      if (o.h < this.cssPixel || o.content === "") continue;
      ctx.setTransform(1, 0, 0, 1, this.a * o.x + this.e, this.d * o.y + this.f);
      ctx.scale(this.a, -this.d);
      ctx.rotate(-o.rotation * DEGREES);
      if (o.mirror) ctx.scale(-1, 1);
      const wanted = `${o.h / CAPITAL_HEIGHT_PER_EM}px sans-serif`;
      if (wanted !== font) {
        ctx.font = wanted;
        font = wanted;
      }
      ctx.fillText(o.content, 0, 0);
    }
  }

  /** The objects in the box (mils) on shown layers, in the state's colours and marks. */
  paint(view, box, background) {
    const { ctx } = this;
    const { model } = view;
    const s = view.store.state;
    const marks = MARK_COLOURS[s.theme];
    const batches = model.layers.map(() => null);
    const holes = [];
    let drawn = 0;
    model.index.query(box, (id) => {
      const o = model.objects[id];
      if (!view.isShown(o.layer)) return;
      (batches[o.layer] || (batches[o.layer] = new Batch(this.pixel))).add(o);
      if ((o.kind === "pad" || o.kind === "via") && o.hole > 0) holes.push(o);
      drawn++;
    });
    for (const layer of drawingOrder(model, s.side)) {
      if (batches[layer]) batches[layer].draw(this, themedColour(model.layers[layer].colour, s.theme));
    }
    if (holes.length > 0) {
      this.useBoardTransform();
      ctx.beginPath();
      for (const o of holes) addCircle(ctx, o.x, o.y, o.hole / 2, this.pixel);
      ctx.fillStyle = background;
      ctx.fill();
      // An edge shows on holes a few pixels wide.
      ctx.beginPath();
      for (const o of holes) if (o.hole > 4 * this.pixel) addCircle(ctx, o.x, o.y, o.hole / 2, this.pixel);
      ctx.strokeStyle = marks.holeEdge;
      ctx.lineWidth = this.cssPixel;
      ctx.stroke();
    }
    this.paintMarks(view, box, marks);
    return drawn;
  }

  // The highlighted net, the highlighted and selected parts, and pin 1 of the parts.
  paintMarks(view, box, marks) {
    const { ctx } = this;
    const { model } = view;
    const s = view.store.state;
    const meets = (b) => b[0] <= box[2] && b[2] >= box[0] && b[1] <= box[3] && b[3] >= box[1];
    const highlight = new Batch(this.pixel);
    if (s.highlightedNet >= 0) {
      for (const id of model.nets[s.highlightedNet].objects) {
        const o = model.objects[id];
        if (view.isShown(o.layer) && meets(o.box)) highlight.add(o);
      }
    }
    const parts = view.markedParts();
    for (const index of parts) {
      for (const id of model.components[index].pads) {
        if (view.isShown(model.objects[id].layer)) highlight.add(model.objects[id]);
      }
    }
    highlight.draw(this, marks.highlight);
    this.useBoardTransform();
    ctx.beginPath();
    for (const index of parts) {
      const c = model.components[index];
      if (c.box[0] <= c.box[2]) ctx.rect(c.box[0], c.box[1], c.box[2] - c.box[0], c.box[3] - c.box[1]);
    }
    ctx.strokeStyle = marks.highlight;
    ctx.lineWidth = 2 * this.cssPixel;
    ctx.stroke();

    // Pin 1 ringed: on the marked parts always, on every part once its pads are large enough.
    this.useBoardTransform();
    ctx.beginPath();
    const ring = (c) => {
      if (c.pin1 < 0) return;
      const o = model.objects[c.pin1];
      if (!view.isShown(o.layer)) return;
      addCircle(ctx, o.x, o.y, Math.max(o.w, o.h) * 0.5 + 3 * this.cssPixel, 0);
    };
    for (const index of parts) ring(model.components[index]);
    for (const c of model.components) {
      if (parts.has(c.index) || c.pin1 < 0) continue;
      const o = model.objects[c.pin1];
      if (Math.max(o.w, o.h) < 8 * this.cssPixel || !meets(o.box)) continue;
      ring(c);
    }
    ctx.strokeStyle = marks.pinOne;
    ctx.lineWidth = 1.5 * this.cssPixel;
    ctx.stroke();
  }
}

// Tiles are this many device pixels square; at most this many are kept.
const TILE = 128;
const KEPT_TILES = 512;
// A frame draws missing tiles until it has taken this long, then shows the rest at later frames.
const FRAME_BUDGET_MS = 24;

/** The board on a canvas, drawn from the store's state. */
export class BoardView {
  constructor(canvas, store) {
    this.canvas = canvas;
    this.ctx = canvas.getContext("2d");
    this.store = store;
    this.model = store.state.model;
    this.width = 1;
    this.height = 1;
    this.ratio = 1;
    this.pending = false;
    this.lastDrawMs = 0;
    this.drawn = 0;
    // Canvas pixels on the right that the legend covers, which a fit leaves free.
    this.reservedRight = 0;
    this.tiles = new Map();
    this.tileKey = "";
    this.spareTiles = [];
  }

  /** Takes the canvas's size on the page. */
  resize() {
    const ratio = window.devicePixelRatio || 1;
    this.width = Math.max(1, this.canvas.clientWidth);
    this.height = Math.max(1, this.canvas.clientHeight);
    this.ratio = ratio;
    this.canvas.width = Math.round(this.width * ratio);
    this.canvas.height = Math.round(this.height * ratio);
  }

  /** The view that shows the whole board, left of what covers the canvas's right side. */
  fitted() {
    const [x0, y0, x1, y1] = this.model.bounds;
    const margin = 0.04 * Math.max(x1 - x0, y1 - y0, 1);
    const reserved = this.width - this.reservedRight > this.width / 2 ? this.reservedRight : 0;
    const scale = Math.min((this.width - reserved) / (x1 - x0 + 2 * margin), this.height / (y1 - y0 + 2 * margin));
    return { centreX: (x0 + x1) / 2 + reserved / 2 / (scale * this.mirror()), centreY: (y0 + y1) / 2, scale };
  }

  mirror() {
    return this.store.state.side === "bottom" ? -1 : 1;
  }

  /** The board point (mils) under a canvas point (CSS pixels). */
  toBoard(px, py) {
    const s = this.store.state;
    return [s.centreX + (px - this.width / 2) / (s.scale * this.mirror()), s.centreY - (py - this.height / 2) / s.scale];
  }

  /** The canvas point (CSS pixels) of a board point (mils). */
  toCanvas(x, y) {
    const s = this.store.state;
    return [(x - s.centreX) * s.scale * this.mirror() + this.width / 2, -(y - s.centreY) * s.scale + this.height / 2];
  }

  /** The view's state after zooming by factor about a canvas point. */
  zoomedAt(px, py, factor) {
    const s = this.store.state;
    const [x, y] = this.toBoard(px, py);
    const scale = Math.min(Math.max(s.scale * factor, 1e-6), 1e6);
    return {
      scale,
      centreX: x - (px - this.width / 2) / (scale * this.mirror()),
      centreY: y + (py - this.height / 2) / scale,
    };
  }

  /** The view's state after moving the picture by (dx, dy) CSS pixels. */
  pannedBy(dx, dy) {
    const s = this.store.state;
    return { centreX: s.centreX - dx / (s.scale * this.mirror()), centreY: s.centreY + dy / s.scale };
  }

  /** Draws at the next frame (once, however often asked). */
  requestDraw() {
    if (this.pending) return;
    this.pending = true;
    requestAnimationFrame(() => {
      this.pending = false;
      this.draw();
    });
  }

  visibleBox() {
    const [ax, ay] = this.toBoard(0, 0);
    const [bx, by] = this.toBoard(this.width, this.height);
    return [Math.min(ax, bx), Math.min(ay, by), Math.max(ax, bx), Math.max(ay, by)];
  }

  isShown(layer) {
    return !this.store.state.hidden.has(this.model.layers[layer].name);
  }

  /** The parts marked: highlighted, and the one selected. */
  markedParts() {
    const s = this.store.state;
    const parts = new Set(s.highlightedParts);
    if (s.selectedPart >= 0) parts.add(s.selectedPart);
    return parts;
  }

  background() {
    return MARK_COLOURS[this.store.state.theme].background || this.model.look.background;
  }

  // Everything but the position that the tiles' pictures depend on.
  tileState() {
    const s = this.store.state;
    return JSON.stringify([s.scale, s.side, s.theme, [...s.hidden], s.highlightedNet, [...this.markedParts()], this.ratio]);
  }

  // The tile at (column, row) of the grid of device pixels X = m scale ratio x, Y = -scale ratio y.
  renderTile(column, row) {
    const s = this.store.state;
    const k = s.scale * this.ratio;
    const m = this.mirror();
    const canvas = this.spareTiles.pop() || document.createElement("canvas");
    canvas.width = TILE;
    canvas.height = TILE;
    // Painted at once (see below), in the processor's memory, from which tiles are copied.
    const ctx = canvas.getContext("2d", { willReadFrequently: true });
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = this.background();
    ctx.fillRect(0, 0, TILE, TILE);
    const xs = [(column * TILE) / (m * k), ((column + 1) * TILE) / (m * k)];
    const ys = [-(row * TILE) / k, -((row + 1) * TILE) / k];
    // Grown by a few pixels for what is drawn around an object (pin 1's ring).
    const grow = 4 / s.scale;
    const box = [Math.min(...xs) - grow, Math.min(...ys) - grow, Math.max(...xs) + grow, Math.max(...ys) + grow];
    const painter = new Painter(ctx, m * k, -k, -column * TILE, -row * TILE, 1 / s.scale);
    const drawn = painter.paint(this, box, this.background());
    // The browser paints a canvas when it is next used; reading a pixel makes it paint now, so that
    // the frame's budget counts the painting too.
    ctx.getImageData(0, 0, 1, 1);
    return { canvas, drawn };
  }

  /**
   * Draws the board now: the tiles in view, those kept copied, the missing ones drawn until the
   * frame's budget is spent (all of them when complete), the rest at the next frame. The time it
   * took, in milliseconds.
   */
  draw(complete = false) {
    const started = performance.now();
    const { ctx } = this;
    const s = this.store.state;
    const key = this.tileState();
    if (key !== this.tileKey) {
      for (const tile of this.tiles.values()) this.spareTiles.push(tile.canvas);
      this.spareTiles.length = Math.min(this.spareTiles.length, KEPT_TILES);
      this.tiles.clear();
      this.tileKey = key;
    }
    const k = s.scale * this.ratio;
    const originX = this.mirror() * k * s.centreX - this.canvas.width / 2;
    const originY = -k * s.centreY - this.canvas.height / 2;
    const columns = [Math.floor(originX / TILE), Math.floor((originX + this.canvas.width) / TILE)];
    const rows = [Math.floor(originY / TILE), Math.floor((originY + this.canvas.height) / TILE)];
    const wanted = [];
    for (let row = rows[0]; row <= rows[1]; row++) {
      for (let column = columns[0]; column <= columns[1]; column++) wanted.push([column, row]);
    }
    // The tiles nearest the centre first.
    const centreColumn = (originX + this.canvas.width / 2) / TILE - 0.5;
    const centreRow = (originY + this.canvas.height / 2) / TILE - 0.5;
    wanted.sort((p, q) => Math.hypot(p[0] - centreColumn, p[1] - centreRow) - Math.hypot(q[0] - centreColumn, q[1] - centreRow));

    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = this.background();
    ctx.fillRect(0, 0, this.canvas.width, this.canvas.height);
    let missing = false;
    let drawn = 0;
    for (const [column, row] of wanted) {
      const name = `${column},${row}`;
      let tile = this.tiles.get(name);
      if (!tile) {
        if (!complete && drawn > 0 && performance.now() - started > FRAME_BUDGET_MS) {
          missing = true;
          continue;
        }
        tile = this.renderTile(column, row);
        drawn++;
        this.tiles.set(name, tile);
      } else {
        // Kept tiles in the order of their use, the oldest first to go.
        this.tiles.delete(name);
        this.tiles.set(name, tile);
      }
      ctx.drawImage(tile.canvas, Math.round(column * TILE - originX), Math.round(row * TILE - originY));
    }
    while (this.tiles.size > KEPT_TILES) {
      const [oldest, tile] = this.tiles.entries().next().value;
      this.spareTiles.push(tile.canvas);
      this.tiles.delete(oldest);
    }
    this.drawn = wanted.reduce((n, [column, row]) => n + ((this.tiles.get(`${column},${row}`) || {}).drawn || 0), 0);
    this.complete = !missing;
    if (missing) this.requestDraw();
    this.lastDrawMs = performance.now() - started;
    return this.lastDrawMs;
  }

  /** What a click at a canvas point means: the object there, its part, and the parts under it. */
  pick(px, py) {
    const [x, y] = this.toBoard(px, py);
    const margin = 3 / this.store.state.scale;
    const rank = layerRankFor(this.model, this.store.state.side);
    const objects = objectsAt(this.model, x, y, margin, (layer) => this.isShown(layer), rank);
    const object = objects[0] || null;
    let part = object && object.component >= 0 ? object.component : -1;
    if (part < 0) {
      const side = this.store.state.side;
      const under = componentsAt(this.model, x, y);
      const ownSide = under.find((c) => c.side === side);
      part = ownSide ? ownSide.index : under.length > 0 ? under[0].index : -1;
    }
    return { object, part };
  }
}
