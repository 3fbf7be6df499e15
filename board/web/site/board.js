// The board: the places as the module lists them, the focus and its mark,
// and the player's presses, clicks and keys handed back.
import { $, rectOf, place } from "./dom.js";
import { game, KIND, KEY } from "./bridge.js";
import { picture, faceUrl } from "./pictures.js";
import { showNotice } from "./dialogs.js";

// The board's keys by the browser's names for them; their numbers, and those
// of every other enum the page passes, come from the module (numbers()).
const BOARD_KEYS = { ArrowLeft: "Left", ArrowRight: "Right", ArrowUp: "Up", ArrowDown: "Down", " ": "Activate",
  Enter: "Activate" };
const places = new Map(); // key -> {element}
let tabStop = document.getElementById("board");

// A place's element, made the first time the module lists the place; the
// first list comes back to front, so each element is stacked over the last.
function backgroundOf(element) {
  if (element.id === "img_border") return `url("${picture("assets/border")}")`;
  if (element.id === "undo") return `url("${picture("assets/undo")}")`;
  const face = element.dataset.face;
  return face && face !== "0" ? faceUrl(face) : "";
}

function placeFor(key, kind, index) {
  const known = places.get(key);
  if (known) return known;
  const element = document.createElement("div");
  element.id = key === "undo" ? "undo" : key === "frame" ? "img_border" : key;
  element.className = "place";
  element.setAttribute("role", "button");
  element.tabIndex = -1;
  element.dataset.kind = kind;
  element.dataset.index = index;
  element.style.zIndex = places.size + 1;
  element.style.backgroundImage = backgroundOf(element);
  $("board").insertBefore(element, $("focus_mark"));
  const entry = { element };
  places.set(key, entry);
  return entry;
}

// Brings the places the module says have changed up to the board's state.
function render() {
  for (const line of game.view().split("\n").filter(Boolean)) {
    const [key, kind, index, rect, face, shown, enabled, readable, selected, name, description] = line.split("\t");
    const element = placeFor(key, kind, index).element;
    place(element, rectOf(rect));
    element.dataset.face = face;
    if (kind === String(KIND.Slot) || kind === String(KIND.Foundation))
      element.style.backgroundImage = backgroundOf(element);
    element.dataset.shown = shown;
    element.dataset.enabled = enabled;
    // The card under the selection frame is read as the frame alone.
    if (readable === "1") element.removeAttribute("aria-hidden");
    else element.setAttribute("aria-hidden", "true");
    element.setAttribute("aria-disabled", enabled === "1" ? "false" : "true");
    if (kind === String(KIND.Slot) || kind === String(KIND.Frame))
      element.setAttribute("aria-pressed", selected === "1" ? "true" : "false");
    element.setAttribute("aria-label", name);
    if (description) element.setAttribute("aria-description", description);
    else element.removeAttribute("aria-description");
  }
  followFocus();
}

// The keyboard focus sits on the place the module says, and its mark is drawn
// once a board key has been pressed.
function followFocus() {
  const [key, markRect, , markPicture] = game.focus().split("\t");
  const mark = $("focus_mark");
  if (markRect) {
    place(mark, rectOf(markRect));
    // The same for every card: drawn again only for the undo arrow's.
    if (mark.dataset.picture !== markPicture) {
      mark.innerHTML = markPicture;
      mark.dataset.picture = markPicture;
    }
    mark.hidden = false;
  } else {
    mark.hidden = true;
  }
  const board = $("board");
  const current = key ? places.get(key).element : board;
  // One element of the board is in the page's tab order: the focused place.
  if (current !== tabStop) {
    tabStop.tabIndex = -1;
    current.tabIndex = 0;
    tabStop = current;
  }
  if (board.contains(document.activeElement) && document.activeElement !== current)
    current.focus({ preventScroll: true });
}

function placeUnder(target) {
  const element = target.closest && target.closest(".place");
  return element && $("board").contains(element) ? element : null;
}

function afterEvent() {
  render();
  if (game.noticeOpen()) showNotice();
}

function wireBoard() {
  const board = $("board");
  board.addEventListener("mousedown", (event) => {
    if (event.button !== 0 || !game) return;
    const element = placeUnder(event.target);
    // A covered card passes the press on to the board, as a disabled control does.
    if (element && element.dataset.enabled === "1")
      game.pressed(Number(element.dataset.kind), Number(element.dataset.index));
    else game.pressed(KIND.None, 0);
    render();
    if (!element || element.dataset.enabled !== "1") event.preventDefault();
  });
  board.addEventListener("click", (event) => {
    // The second click of a double-click is no click of its own.
    if (event.detail > 1 || !game) return;
    const element = placeUnder(event.target);
    if (!element || element.dataset.enabled !== "1" || element.dataset.shown !== "1") return;
    game.clicked(Number(element.dataset.kind), Number(element.dataset.index));
    afterEvent();
  });
  board.addEventListener("keydown", (event) => {
    if (!game || event.altKey || event.ctrlKey || event.metaKey) return;
    let key = KEY[BOARD_KEYS[event.key]];
    if (event.key === "Tab") {
      key = event.shiftKey ? KEY.Previous : KEY.Next;
      // Tab walks the places in reading order as on the desktop, but past
      // either end it leaves for the rest of the page rather than going
      // round: a page must never hold the keyboard. Coming back, the focus
      // lands on the focused place, the board's one stop in the tab order.
      if (game.tabLeaves(key)) return;
    }
    if (key === undefined) return;
    event.preventDefault();
    game.key(key);
    afterEvent();
  });
}

function focusBoard() {
  const [key] = game ? game.focus().split("\t") : [""];
  (key ? places.get(key).element : $("board")).focus({ preventScroll: true });
}

export { places, backgroundOf, render, afterEvent, wireBoard, focusBoard };
