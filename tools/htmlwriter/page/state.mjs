// state.mjs: everything the page shows that can change, in one place. The drawing and the panels
// read it; only the actions below change it, and each change tells the listeners what changed.

/** The page's state for a board model; the view starts fitted, from the top, in dark colours. */
export function createState(model) {
  return {
    side: "top", // or "bottom": seen from below, mirrored
    theme: "dark",
    hidden: new Set(), // names of the layers not shown
    // The view: board point (mils) at the canvas centre and pixels per mil; set by a fit.
    centreX: 0,
    centreY: 0,
    scale: 1,
    highlightedParts: [], // component indices a BOM row or a search marks
    selectedPart: -1, // the component a click chose, shown in the details
    highlightedNet: -1,
    partQuery: "",
    netQuery: "",
    tab: "parts",
    model,
  };
}

/** A store around the state: change(patch, what) sets fields and tells the listeners. */
export function createStore(state) {
  const listeners = [];
  return {
    state,
    listen(listener) {
      listeners.push(listener);
    },
    change(patch, what) {
      Object.assign(state, patch);
      for (const listener of listeners) listener(what || Object.keys(patch), state);
    },
  };
}

/** The layer's place in the drawing order from the side looked at: higher is drawn later. */
export function layerRankFor(model, side) {
  const ranks = new Int32Array(model.layers.length);
  const order = drawingOrder(model, side);
  order.forEach((layer, rank) => {
    ranks[layer] = rank;
  });
  return (layer) => ranks[layer];
}

// Layers of one side (the copper, its mask, paste and overlay) at or below this order; marking
// layers above it (mechanical, keep-out, drill, multi-layer) stay on top from either side.
const SIDE_ORDER_LIMIT = 130;

/** The layers in the order they are drawn: from the top as the picture draws them; from below
 * the sides' layers reversed, the bottom side over the top. */
export function drawingOrder(model, side) {
  if (side !== "bottom") return model.drawingOrder;
  const sided = model.drawingOrder.filter((i) => model.layers[i].order <= SIDE_ORDER_LIMIT).reverse();
  const marking = model.drawingOrder.filter((i) => model.layers[i].order > SIDE_ORDER_LIMIT);
  return [...sided, ...marking];
}
