// main.mjs: the page starts: it reads the board and the facts from the page's data elements,
// makes the model, the state and the view, and shows the board fitted to the window.

import { readBoard } from "./data.mjs";
import { createState, createStore } from "./state.mjs";
import { BoardView } from "./view.mjs";
import { createActions, mountPage } from "./ui.mjs";

/** Shows a board (the board JSON's object) with its facts in the page's elements. */
export function showBoard(board, facts) {
  const model = readBoard(board, facts);
  const store = createStore(createState(model));
  const view = new BoardView(document.getElementById("board"), store);
  const actions = createActions(store, view);
  view.resize();
  mountPage(store, view, actions);
  view.reservedRight = document.getElementById("legend").offsetWidth + 16;
  Object.assign(store.state, view.fitted());
  view.draw(true);
  // For scripts that drive the page (its tests, the benchmark): readyMs is the time from the
  // page's start until the board was first drawn.
  window.corvanePage = { model, store, view, actions, readyMs: performance.now() };
  return window.corvanePage;
}

function start() {
  const read = (id) => JSON.parse(document.getElementById(id).textContent);
  showBoard(read("board-data"), read("page-facts"));
}

if (typeof document !== "undefined" && document.getElementById("board-data")) start();
