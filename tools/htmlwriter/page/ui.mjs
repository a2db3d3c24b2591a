// ui.mjs: what a person does with the page: the panels (parts, nets, the import), the legend with
// its layer switches, the details of what is chosen, the mouse on the board and the keys. Every
// action changes the store; the store's listeners redraw the board and the panels.

import { bomGroups, searchBom, searchNets, netListOrder, summaryCounts } from "./data.mjs";
import { drawingOrder } from "./state.mjs";
import { themedColour } from "./view.mjs";

const KEYS = [
  ["F", "fit the board to the window"],
  ["B", "view from the top or from below"],
  ["T", "light or dark colours"],
  ["+ / -", "zoom in or out"],
  ["arrows", "move the picture"],
  ["/", "search the parts"],
  ["P, N, I", "the parts, the nets, the import"],
  ["Esc", "clear what is highlighted"],
  ["?", "these keys"],
];

// An element with text and attributes.
function element(tag, text, attributes = {}) {
  const e = document.createElement(tag);
  if (text !== undefined && text !== null) e.textContent = String(text);
  for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
  return e;
}

const mm = (mils) => (mils * 0.0254).toFixed(3);

/** The actions a person can take, each a change of the store. */
export function createActions(store, view) {
  const state = store.state;
  const model = state.model;
  // The view moved to the middle of the boxes when none of them is in view (the zoom kept).
  const into = (boxes) => {
    const shown = boxes.filter((b) => b[0] <= b[2]);
    const v = view.visibleBox();
    if (shown.length === 0 || shown.some((b) => b[0] <= v[2] && b[2] >= v[0] && b[1] <= v[3] && b[3] >= v[1])) return {};
    let [x0, y0, x1, y1] = shown[0];
    for (const b of shown) [x0, y0, x1, y1] = [Math.min(x0, b[0]), Math.min(y0, b[1]), Math.max(x1, b[2]), Math.max(y1, b[3])];
    return { centreX: (x0 + x1) / 2, centreY: (y0 + y1) / 2 };
  };
  const partBoxes = (indices) => indices.map((i) => model.components[i].box);
  return {
    fit() {
      store.change(view.fitted(), ["view"]);
    },
    flip() {
      store.change({ side: state.side === "top" ? "bottom" : "top" }, ["side"]);
    },
    toggleTheme() {
      store.change({ theme: state.theme === "dark" ? "light" : "dark" }, ["theme"]);
    },
    zoom(factor) {
      store.change(view.zoomedAt(view.width / 2, view.height / 2, factor), ["view"]);
    },
    pan(dx, dy) {
      store.change(view.pannedBy(dx, dy), ["view"]);
    },
    toggleLayer(name) {
      const hidden = new Set(state.hidden);
      if (hidden.has(name)) hidden.delete(name);
      else hidden.add(name);
      store.change({ hidden }, ["layers"]);
    },
    showAllLayers(shown) {
      store.change({ hidden: new Set(shown ? [] : model.layers.map((l) => l.name)) }, ["layers"]);
    },
    highlightGroup(members) {
      store.change({ highlightedParts: [...members], selectedPart: -1, ...into(partBoxes(members)) }, ["parts", "view"]);
    },
    selectPart(index) {
      const parts = index >= 0 ? [index] : [];
      store.change({ selectedPart: index, highlightedParts: parts, ...into(partBoxes(parts)) }, ["parts", "view"]);
    },
    highlightNet(index) {
      const boxes = index >= 0 ? model.nets[index].objects.map((id) => model.objects[id].box) : [];
      store.change({ highlightedNet: index, ...into(boxes) }, ["nets", "view"]);
    },
    clear() {
      store.change({ highlightedParts: [], selectedPart: -1, highlightedNet: -1 }, ["parts", "nets"]);
    },
    showTab(tab) {
      store.change({ tab }, ["tab"]);
    },
    searchParts(query) {
      store.change({ partQuery: query }, ["partQuery"]);
    },
    searchNets(query) {
      store.change({ netQuery: query }, ["netQuery"]);
    },
    /** A click on the board: the part under it selected, the net of its copper highlighted. */
    clickAt(px, py) {
      const { object, part } = view.pick(px, py);
      const net = object && object.net >= 0 ? object.net : -1;
      store.change(
        { selectedPart: part, highlightedParts: part >= 0 ? [part] : [], highlightedNet: net },
        ["parts", "nets", "clicked"],
      );
    },
  };
}

/** Builds the panels into the page and keeps them up to date with the store. */
export function mountPage(store, view, actions) {
  const state = store.state;
  const model = state.model;
  const $ = (id) => document.getElementById(id);
  const groups = bomGroups(model.components);
  const netOrder = netListOrder(model.nets);

  $("file-name").textContent = model.file;
  document.title = `${model.file} - board`;
  const facts = model.importFacts;
  const lost = model.mayHaveLostData;
  const outcome = $("outcome");
  outcome.textContent = facts ? `Import: ${facts.outcome}` : lost ? "Import: data may have been lost" : "";
  outcome.className = lost ? "lost" : "complete";
  if (lost) {
    const banner = $("loss-banner");
    banner.hidden = false;
    banner.textContent = `Data may have been lost${facts && facts.losses ? ` (${facts.losses})` : ""}: this board may lack something the file held. The Import tab lists the report with line numbers.`;
  }

  // Parts.
  const bomBody = $("bom").tBodies[0];
  const renderBom = () => {
    bomBody.replaceChildren();
    const marked = new Set(state.highlightedParts);
    for (const group of searchBom(groups, model.components, state.partQuery)) {
      const row = element("tr");
      row.dataset.members = group.members.join(",");
      if (group.members.some((i) => marked.has(i) || i === state.selectedPart)) row.classList.add("active");
      row.append(element("td", group.members.length));
      const names = element("td");
      group.members.forEach((index, k) => {
        const chip = element("span", model.components[index].designator, { class: "designator" });
        chip.dataset.part = index;
        if (index === state.selectedPart) chip.classList.add("selected");
        names.append(chip);
        if (k + 1 < group.members.length) names.append(", ");
      });
      row.append(names, element("td", group.comment), element("td", group.pattern));
      bomBody.append(row);
    }
  };
  bomBody.addEventListener("click", (event) => {
    const chip = event.target.closest(".designator");
    if (chip) {
      actions.selectPart(Number(chip.dataset.part));
      return;
    }
    const row = event.target.closest("tr");
    if (row) actions.highlightGroup(row.dataset.members.split(",").map(Number));
  });
  $("part-search").addEventListener("input", (event) => actions.searchParts(event.target.value));

  // Nets.
  const netBody = $("nets").tBodies[0];
  const renderNets = () => {
    netBody.replaceChildren();
    const shown = new Set(searchNets(model.nets, state.netQuery));
    for (const index of netOrder) {
      if (!shown.has(index)) continue;
      const net = model.nets[index];
      const row = element("tr");
      row.dataset.net = index;
      if (index === state.highlightedNet) row.classList.add("active");
      const name = element("td", net.name);
      if (net.derived) name.append(" ", element("span", "derived", { class: "badge", title: "derived from how the copper connects, not a net of the file" }));
      row.append(name, element("td", net.pads.length));
      netBody.append(row);
    }
  };
  netBody.addEventListener("click", (event) => {
    const row = event.target.closest("tr");
    if (row) actions.highlightNet(Number(row.dataset.net));
  });
  $("net-search").addEventListener("input", (event) => actions.searchNets(event.target.value));

  renderImport($("summary"), $("report"), model);

  // Tabs.
  const renderTab = () => {
    for (const button of document.querySelectorAll("#tabs button")) button.classList.toggle("active", button.dataset.tab === state.tab);
    for (const tab of ["parts", "nets", "import"]) $(`panel-${tab}`).hidden = tab !== state.tab;
  };
  $("tabs").addEventListener("click", (event) => {
    if (event.target.dataset.tab) actions.showTab(event.target.dataset.tab);
  });

  // Legend: every layer drawn, in the order from the side looked at, each a switch.
  const legend = $("legend");
  const renderLegend = () => {
    legend.replaceChildren();
    const head = element("div", null, { class: "legend-head" });
    head.append(element("button", "all", { "data-all": "1" }), element("button", "none", { "data-all": "0" }));
    legend.append(head);
    for (const layer of [...drawingOrder(model, state.side)].reverse()) {
      const l = model.layers[layer];
      const label = element("label", null, { class: "legend-row" });
      const box = element("input", null, { type: "checkbox" });
      box.checked = !state.hidden.has(l.name);
      box.dataset.layer = l.name;
      const swatch = element("span", null, { class: "swatch" });
      swatch.style.background = themedColour(l.colour, state.theme);
      label.append(box, swatch, element("span", l.name));
      legend.append(label);
    }
  };
  legend.addEventListener("change", (event) => {
    if (event.target.dataset.layer) actions.toggleLayer(event.target.dataset.layer);
  });
  legend.addEventListener("click", (event) => {
    if (event.target.dataset.all) actions.showAllLayers(event.target.dataset.all === "1");
  });

  const details = $("details");
  const renderDetails = () => renderChosen(details, state, model);

  const help = $("help");
  help.append(element("h3", "Keys"));
  const keyList = element("table");
  for (const [key, what] of KEYS) {
    const row = element("tr");
    row.append(element("td", key, { class: "key" }), element("td", what));
    keyList.append(row);
  }
  help.append(keyList);

  const sync = (what) => {
    const changed = new Set(what);
    if (changed.has("parts") || changed.has("partQuery")) renderBom();
    if (changed.has("nets") || changed.has("netQuery")) renderNets();
    if (changed.has("parts") || changed.has("nets")) renderDetails();
    if (changed.has("layers") || changed.has("side") || changed.has("theme")) renderLegend();
    if (changed.has("tab")) renderTab();
    if (changed.has("side")) $("flip").textContent = state.side === "top" ? "Top" : "Bottom";
    if (changed.has("theme")) {
      document.body.className = state.theme;
      $("theme").textContent = state.theme === "dark" ? "Light" : "Dark";
    }
    if (changed.has("clicked")) {
      const row = state.tab === "nets" ? netBody.querySelector("tr.active") : bomBody.querySelector("tr.active");
      if (row) row.scrollIntoView({ block: "nearest" });
    }
    view.requestDraw();
  };
  store.listen(sync);
  sync(["parts", "nets", "layers", "tab", "side", "theme"]);

  wireBoard(view, actions, $("status"));
  wireButtons($, actions, help);
  wireKeys(actions, help, $("part-search"));
}

function renderChosen(details, state, model) {
  details.replaceChildren();
  if (state.selectedPart >= 0) {
    const c = model.components[state.selectedPart];
    details.append(element("h3", c.designator));
    const facts = element("table", null, { class: "facts" });
    for (const [name, value] of [["Comment", c.comment], ["Pattern", c.pattern], ["Side", c.side], ["Rotation", `${c.rotation}\u00b0`], ["Pads", c.pads.length]]) {
      const row = element("tr");
      row.append(element("th", name), element("td", value));
      facts.append(row);
    }
    details.append(facts);
    const pads = element("table", null, { class: "pads" });
    const head = element("tr");
    head.append(element("th", "Pad"), element("th", "Net"));
    pads.append(head);
    for (const id of c.pads) {
      const o = model.objects[id];
      const row = element("tr");
      row.append(element("td", id === c.pin1 ? `${o.name} (pin 1)` : o.name), element("td", o.net >= 0 ? model.nets[o.net].name : "-"));
      pads.append(row);
    }
    details.append(pads);
  }
  if (state.highlightedNet >= 0) {
    const net = model.nets[state.highlightedNet];
    details.append(element("h3", `Net ${net.name}${net.derived ? " (derived)" : ""}`));
    const planes = model.planes.filter((p) => p.net === net.name).map((p) => p.layer);
    if (planes.length > 0) details.append(element("p", `Plane: ${planes.join(", ")}`));
    details.append(element("p", `${net.pads.length} pads: ${net.pads.map((p) => (p.component ? `${p.component}-${p.name}` : p.name)).join(", ")}`));
  }
}

// The import: the summary as the program prints it, and the report with its line numbers.
function renderImport(summary, report, model) {
  const counts = summaryCounts(model);
  const facts = model.importFacts;
  const rows = [
    ["File", model.file],
    ["Version", `${model.version} (PCB FILE ${model.version})`],
    ["Import", facts ? facts.outcome : model.imported ? (model.mayHaveLostData ? "data may have been lost" : "complete") : "stopped before the end of the file"],
    ["Components", `${counts.components} (${counts.top} top, ${counts.bottom} bottom)`],
    ["Nets", `${counts.nets} joining ${counts.netPads} pads${counts.derivedNets ? `; ${counts.derivedNets} derived from the copper` : ""}`],
    ["Planes", model.planes.length === 0 ? "none" : model.planes.map((p) => `${p.layer} ${p.net === null ? "(no net)" : p.net}`).join(", ")],
  ];
  const table = element("table", null, { class: "facts" });
  for (const [name, value] of rows) {
    const row = element("tr");
    if (name === "Import" && model.mayHaveLostData) row.className = "lost";
    row.append(element("th", name), element("td", value));
    table.append(row);
  }
  summary.append(element("h3", "Summary"), table);
  const objects = element("table", null, { class: "counts" });
  const head = element("tr");
  head.append(element("th", "Objects"), element("th", "free"), element("th", "in components"));
  objects.append(head);
  for (const [kind, count] of Object.entries(counts.objects)) {
    const row = element("tr");
    row.append(element("td", kind), element("td", count.free), element("td", count.inComponents));
    objects.append(row);
  }
  summary.append(objects);

  report.append(element("h3", "Import report"));
  const data = facts && facts.report;
  if (!data) {
    report.append(element("p", "No report."));
    return;
  }
  const notes = data.notes || [];
  for (const note of notes) report.append(element("p", `Note (${note.kind}): ${note.detail}`, { class: "note" }));
  const groupsOfReport = data.groups || [];
  if (groupsOfReport.length === 0) {
    report.append(element("p", "Nothing was passed over or changed."));
    return;
  }
  report.append(element("p", `${data.entries} entries`));
  const list = element("table", null, { class: "report" });
  const top = element("tr");
  top.append(element("th", "Kind"), element("th", "What"), element("th", "Count"), element("th", "Lines"));
  list.append(top);
  for (const g of groupsOfReport) {
    const row = element("tr");
    const more = g.count > g.lines.length ? ", ..." : "";
    row.append(element("td", g.kind), element("td", g.detail), element("td", g.count), element("td", g.lines.join(", ") + more));
    list.append(row);
  }
  report.append(list);
}

function wireBoard(view, actions, status) {
  const canvas = view.canvas;
  let drag = null;
  canvas.addEventListener("wheel", (event) => {
    event.preventDefault();
    const rect = canvas.getBoundingClientRect();
    const factor = Math.exp(-event.deltaY * (event.deltaMode === 1 ? 0.05 : 0.0015));
    view.store.change(view.zoomedAt(event.clientX - rect.left, event.clientY - rect.top, factor), ["view"]);
  }, { passive: false });
  canvas.addEventListener("pointerdown", (event) => {
    drag = { x: event.clientX, y: event.clientY, moved: false };
    canvas.setPointerCapture(event.pointerId);
  });
  canvas.addEventListener("pointermove", (event) => {
    const rect = canvas.getBoundingClientRect();
    const [x, y] = view.toBoard(event.clientX - rect.left, event.clientY - rect.top);
    status.textContent = `x ${x.toFixed(1)} mil, y ${y.toFixed(1)} mil (${mm(x)}, ${mm(y)} mm)`;
    if (!drag) return;
    const dx = event.clientX - drag.x;
    const dy = event.clientY - drag.y;
    if (!drag.moved && Math.hypot(dx, dy) < 3) return;
    drag.moved = true;
    drag.x = event.clientX;
    drag.y = event.clientY;
    actions.pan(dx, dy);
  });
  canvas.addEventListener("pointerup", (event) => {
    if (drag && !drag.moved) {
      const rect = canvas.getBoundingClientRect();
      actions.clickAt(event.clientX - rect.left, event.clientY - rect.top);
    }
    drag = null;
  });
  canvas.addEventListener("dblclick", () => actions.fit());
  new ResizeObserver(() => {
    view.resize();
    view.draw();
  }).observe(canvas);
}

function wireButtons($, actions, help) {
  $("fit").addEventListener("click", () => actions.fit());
  $("flip").addEventListener("click", () => actions.flip());
  $("theme").addEventListener("click", () => actions.toggleTheme());
  $("help-button").addEventListener("click", () => {
    help.hidden = !help.hidden;
  });
}

function wireKeys(actions, help, search) {
  const step = 60;
  document.addEventListener("keydown", (event) => {
    if (event.ctrlKey || event.metaKey || event.altKey) return;
    const typing = event.target instanceof HTMLInputElement;
    if (event.key === "Escape") {
      if (typing) event.target.blur();
      help.hidden = true;
      actions.clear();
      return;
    }
    if (typing) return;
    const keys = {
      f: () => actions.fit(),
      b: () => actions.flip(),
      t: () => actions.toggleTheme(),
      "+": () => actions.zoom(1.25),
      "=": () => actions.zoom(1.25),
      "-": () => actions.zoom(0.8),
      ArrowLeft: () => actions.pan(step, 0),
      ArrowRight: () => actions.pan(-step, 0),
      ArrowUp: () => actions.pan(0, step),
      ArrowDown: () => actions.pan(0, -step),
      "/": () => {
        actions.showTab("parts");
        search.focus();
      },
      p: () => actions.showTab("parts"),
      n: () => actions.showTab("nets"),
      i: () => actions.showTab("import"),
      "?": () => {
        help.hidden = !help.hidden;
      },
    };
    const action = keys[event.key] || keys[event.key.toLowerCase()];
    if (action) {
      event.preventDefault();
      action();
    }
  });
}

