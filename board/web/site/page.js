// The page around the game: it draws what the WebAssembly board says, hands
// it the player's clicks and keys, and shows the dialogs. The rules, the
// focus moves, the names, the notice's face and words, the help texts and
// the scroll arithmetic all come from the module.
"use strict";

const FETCH_TIMEOUT_MS = 5000;
// The module is larger than any other file: it gets longer, but not for ever.
const MODULE_TIMEOUT_MS = 30000;
const FOLDER = "/site"; // the program's folder inside the module, as the module knows it
// The board's keys by the browser's names for them; their numbers, and those
// of every other enum the page passes, come from the module (numbers()).
const BOARD_KEYS = { ArrowLeft: "Left", ArrowRight: "Right", ArrowUp: "Up", ArrowDown: "Down", " ": "Activate",
  Enter: "Activate" };
const SCROLL_KEYS = { ArrowUp: "LineUp", ArrowDown: "LineDown", PageUp: "PageUp", PageDown: "PageDown",
  Home: "Top", End: "Bottom" };
let KIND = {}, KEY = {}, FACE = {}, STEP = {};

const $ = (id) => document.getElementById(id);
let game = null; // the module, once started
const places = new Map(); // key -> {element}
let tabStop = document.getElementById("board");
let layout = {};
let highDensity = window.devicePixelRatio >= 1.5;

function picture(name) {
  return `${name}${highDensity ? "@2x" : ""}.gif`;
}

function faceUrl(code) {
  return `url("${picture(`assets/cards/${String(code).padStart(2, "0")}`)}")`;
}

// Nothing waits for ever on the network: a slow or failed request is a
// missing file. A file is read no further than limit bytes; the rest is
// never downloaded.
async function fetchBytes(url, limit = Infinity) {
  const abort = new AbortController();
  const timer = setTimeout(() => abort.abort(), FETCH_TIMEOUT_MS);
  try {
    const response = await fetch(url, { signal: abort.signal });
    if (!response.ok) return null;
    const reader = response.body.getReader();
    const chunks = [];
    let size = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      chunks.push(value);
      size += value.length;
      if (size >= limit) {
        reader.cancel().catch(() => {});
        break;
      }
    }
    const bytes = new Uint8Array(Math.min(size, limit));
    let at = 0;
    for (const chunk of chunks) {
      const part = chunk.subarray(0, bytes.length - at);
      bytes.set(part, at);
      at += part.length;
    }
    return bytes;
  } catch {
    return null;
  } finally {
    clearTimeout(timer);
  }
}

// --- sound: each wave decoded once, a new sound cuts off the one playing ---
const sound = { context: null, buffers: {}, playing: null };

async function prepareSound(name, bytes) {
  if (!bytes || !game.soundPlayable(name)) return;
  try {
    sound.context = sound.context || new AudioContext();
    sound.buffers[name] = await sound.context.decodeAudioData(bytes.slice().buffer);
  } catch {
    // Undecodable: silence, as on the desktop.
  }
}

function play(name) {
  const buffer = sound.buffers[name];
  if (!buffer) return;
  if (sound.playing) {
    try { sound.playing.stop(); } catch { /* already ended */ }
  }
  if (sound.context.state === "suspended") sound.context.resume();
  const source = sound.context.createBufferSource();
  source.buffer = buffer;
  source.connect(sound.context.destination);
  source.start();
  sound.playing = source;
}

// --- the board ---
function rectOf(text) {
  const [x, y, width, height] = text.split(" ").map(Number);
  return { x, y, width, height };
}

function place(element, rect) {
  element.style.left = `${rect.x}px`;
  element.style.top = `${rect.y}px`;
  element.style.width = `${rect.width}px`;
  element.style.height = `${rect.height}px`;
}

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

// --- menus: Alt+F and Alt+H open them, the underlined letters choose ---
const menus = [
  { title: "mnu_file", popup: "menu_file", access: "f" },
  { title: "mnu_help", popup: "menu_help", access: "h" },
];
let openMenu = null;

function items(menu) {
  return [...$(menu.popup).querySelectorAll("button")];
}

function showMenu(menu, focusFirst) {
  if (!game) return; // nothing to choose before the game starts, or after it failed
  closeMenu(false);
  openMenu = menu;
  $(menu.popup).hidden = false;
  $(menu.title).setAttribute("aria-expanded", "true");
  if (focusFirst) items(menu)[0].focus();
  else $(menu.title).focus();
}

function closeMenu(backToBoard = true) {
  if (!openMenu) return;
  $(openMenu.popup).hidden = true;
  $(openMenu.title).setAttribute("aria-expanded", "false");
  openMenu = null;
  if (backToBoard) focusBoard();
}

function focusBoard() {
  const [key] = game ? game.focus().split("\t") : [""];
  (key ? places.get(key).element : $("board")).focus({ preventScroll: true });
}

function anyDialogOpen() {
  return [...document.querySelectorAll("dialog")].some((d) => d.open);
}

const commands = {
  mnu_deal() { game.deal(); afterEvent(); },
  mnu_exit() { game.exit(); render(); },
  mnu_rules() { game.setHelpTopic(0); showHelp(); },
  mnu_example() { showExample(); },
  mnu_about() { game.setHelpTopic(1); showHelp(); },
};

function choose(id) {
  closeMenu();
  if (game) commands[id]();
}

// The menu bar is one stop in the page's tab order, before the board: on a
// title, Enter, Space or Down opens its menu, Left and Right go to the other.
function titleKey(event) {
  const menu = menus.find((m) => document.activeElement === $(m.title));
  if (!menu || event.altKey || event.ctrlKey || event.metaKey) return;
  if (event.key === "Enter" || event.key === " " || event.key === "ArrowDown") {
    showMenu(menu, true);
  } else if (event.key === "ArrowLeft" || event.key === "ArrowRight") {
    const other = menus[(menus.indexOf(menu) + 1) % menus.length];
    $(menu.title).tabIndex = -1;
    $(other.title).tabIndex = 0;
    $(other.title).focus();
  } else {
    return;
  }
  event.preventDefault();
  event.stopPropagation();
}

function wireMenus() {
  for (const menu of menus) {
    $(menu.title).addEventListener("mousedown", (event) => {
      event.preventDefault();
      if (openMenu === menu) closeMenu();
      else showMenu(menu, false);
    });
    for (const item of items(menu)) item.addEventListener("click", () => choose(item.id));
  }
  // A press outside an open menu only closes it, as on the desktop: neither
  // it nor the click it ends reaches what lies under it.
  let swallowClick = false;
  document.addEventListener("mousedown", (event) => {
    swallowClick = false;
    if (!openMenu || event.target.closest(".menu")) return;
    closeMenu(false);
    swallowClick = true;
    event.stopPropagation();
    event.preventDefault();
  }, true);
  document.addEventListener("click", (event) => {
    if (!swallowClick) return;
    swallowClick = false;
    event.stopPropagation();
  }, true);
  document.addEventListener("keydown", (event) => {
    if (anyDialogOpen()) return;
    const letter = event.key.toLowerCase();
    if (event.altKey && !event.ctrlKey && !event.metaKey) {
      const menu = menus.find((m) => m.access === letter);
      if (menu) {
        event.preventDefault();
        event.stopPropagation();
        showMenu(menu, true);
      }
      return;
    }
    if (!openMenu) {
      titleKey(event);
      return;
    }
    const list = items(openMenu);
    const at = list.indexOf(document.activeElement);
    const item = list.find((i) => i.dataset.key === letter);
    if (item) choose(item.id);
    else if (event.key === "Escape") closeMenu();
    else if (event.key === "ArrowDown") list[(at + 1) % list.length].focus();
    else if (event.key === "ArrowUp") list[(at - 1 + list.length) % list.length].focus();
    else if (event.key === "ArrowLeft" || event.key === "ArrowRight")
      showMenu(menus[(menus.indexOf(openMenu) + 1) % menus.length], true);
    else if ((event.key === "Enter" || event.key === " ") && at >= 0) choose(list[at].id);
    else return;
    event.preventDefault();
    event.stopPropagation();
  }, true);
}

// --- dialogs ---
function closeDialog(dialog) {
  dialog.close();
}

function afterDialog() {
  if (!game) return;
  render();
  focusBoard();
}

// Form_Activate of the notice, at its showing and each time the page comes
// back to the front: the face the flags choose, and its sound again. A
// refusal clucks as it appears; the win shows itself, then applauds.
function activateNotice() {
  const face = game.noticeFace();
  const soundName = game.noticeSound();
  if (face !== FACE.Win) play(soundName);
  $("img_error").hidden = face !== FACE.InvalidMove;
  $("img_win").hidden = face !== FACE.Win;
  $("frm_message").setAttribute("aria-label", game.noticeWords(face));
  $("btn_OK").focus();
  if (face === FACE.Win) play(soundName);
}

function showNotice() {
  $("frm_message").showModal();
  activateNotice();
}

function closeNotice() {
  $("frm_message").close();
  $("img_error").hidden = true;
  $("img_win").hidden = true;
  if (!game) return;
  game.closeNotice();
  afterDialog();
}

function messageBox(text, then) {
  const box = $("message_box");
  $("message_text").textContent = text;
  box.onclose = () => { box.onclose = null; then(); };
  if (!box.open) box.showModal();
  $("message_ok").focus();
}

// Each showing of a view reads its file again, as the desktop does; the text
// box is busy until it arrives, and a view chosen since wins over this one.
const helpView = { shown: 0 };

async function showHelpView(topic) {
  const showing = ++helpView.shown;
  const text = $("txt_help");
  text.setAttribute("aria-busy", "true");
  const file = game.helpFile(topic);
  const bytes = file ? await fetchBytes(file, game.textFileLimit()) : null;
  if (showing !== helpView.shown || !game || !$("frm_help").open) return;
  const path = `${FOLDER}/${file}`;
  if (bytes) {
    game.module.FS.writeFile(path, bytes);
  } else if (file) {
    try { game.module.FS.unlink(path); } catch { /* missing already */ }
  }
  text.value = game.helpText(topic);
  text.scrollTop = 0;
  text.removeAttribute("aria-busy");
  $("img_help2").hidden = topic !== 0;
  $("img_logo").hidden = topic !== 1;
  $("lbl_url").hidden = topic !== 1;
}

// Form_Activate of the help window: OK takes the focus, and the view the
// menu chose shows again, whatever the buttons chose since.
function activateHelp() {
  $("btn_help_4").focus();
  showHelpView(game.helpTopic());
}

function showHelp() {
  $("txt_help").value = "";
  $("frm_help").showModal();
  activateHelp();
}

function openLink(event) {
  event.preventDefault();
  if (event.detail > 1) return;
  const opened = window.open(game.webAddress(), "_blank");
  if (opened) {
    opened.opener = null;
    return;
  }
  // The view stays as it was: the box is over the help window, not instead of it.
  messageBox(game.linkFailed(), () => $("lbl_url").focus());
}

// --- the example viewer: modal at once, filled when its picture arrives ---
const example = { range: null, picture: 0, url: null, value: 0, showing: 0 };

function scrollExample(barValue) {
  $("picInner").style.top = `${game.exampleTop(example.picture, barValue)}px`;
}

// The thumb's length is to the track's as the frame's to the whole picture.
function drawThumb() {
  const [, , , large, span] = example.range;
  const track = $("vbarTrack").clientHeight;
  const length = Math.max(8, Math.round((track * large) / (span + large)));
  const thumb = $("vbarThumb");
  thumb.style.height = `${length}px`;
  thumb.style.top = `${span ? Math.round(((track - length) * example.value) / span) : 0}px`;
}

function setBar(value) {
  const span = example.range[4];
  example.value = Math.max(0, Math.min(span, Math.round(value)));
  scrollExample(example.value);
  drawThumb();
}

// Moves the bar one step (STEP); false when it was already at that end.
function stepBar(step) {
  const before = example.value;
  setBar(game.exampleStep(example.picture, before, step));
  return example.value !== before;
}

// The frame, its border, the bar and the range, as the module lays them out
// for a picture this high (0 while it is awaited: no bar).
function layOutExample(pictureHeight) {
  const parts = {};
  for (const line of game.exampleLayout(pictureHeight).split("\n").filter(Boolean)) {
    const [name, ...numbers] = line.split(" ");
    parts[name] = numbers.map(Number);
  }
  const [x, y, width, height] = parts.frame;
  place($("picOuter"), { x, y, width, height });
  $("picOuter").style.borderWidth = `${parts.inside[1] - y}px`;
  $("vbarScroller").hidden = parts.barShown[0] !== 1;
  const [barX, barY, barWidth, barHeight] = parts.bar;
  place($("vbarScroller"), { x: barX, y: barY, width: barWidth, height: barHeight });
  example.picture = pictureHeight;
  return parts.range;
}

async function showExample() {
  const showing = ++example.showing;
  const dialog = $("ScrollerForm");
  const image = $("picInner");
  example.range = null;
  image.removeAttribute("src");
  image.style.top = "0px";
  layOutExample(0);
  dialog.showModal();
  $("picOuter").focus();

  const bytes = await fetchBytes(game.examplePicture());
  if (showing !== example.showing || !dialog.open) return; // closed while it came
  if (example.url) URL.revokeObjectURL(example.url);
  example.url = bytes ? URL.createObjectURL(new Blob([bytes], { type: "image/gif" })) : null;
  const loaded = example.url && await new Promise((resolve) => {
    image.onload = () => resolve(true);
    image.onerror = () => resolve(false);
    image.src = example.url;
  });
  if (showing !== example.showing || !dialog.open || !game) return;
  if (!loaded) {
    dialog.close();
    messageBox(game.exampleUnavailable(bytes ? 1 : 0), focusBoard);
    return;
  }
  example.range = layOutExample(image.naturalHeight);
  setBar(0);
}

// The bar of the viewer: an arrow steps by SmallChange, the track by
// LargeChange towards the pointer, both again and again while held; the
// thumb follows a drag and the picture moves with it all the way.
function wireExampleBar() {
  const bar = $("vbarScroller");
  const thumb = $("vbarThumb");
  let repeat = null;
  let drag = null;
  const hold = (step) => {
    if (!step()) return;
    repeat = setTimeout(function again() {
      if (step()) repeat = setTimeout(again, 50);
    }, 350);
  };
  const release = () => {
    clearTimeout(repeat);
    repeat = null;
    drag = null;
  };
  bar.addEventListener("pointerdown", (event) => {
    if (event.button !== 0 || !example.range) return;
    bar.setPointerCapture(event.pointerId);
    const y = event.clientY;
    if (event.target.id === "vbarUp") hold(() => stepBar(STEP.LineUp));
    else if (event.target.id === "vbarDown") hold(() => stepBar(STEP.LineDown));
    else if (event.target === thumb) drag = { y, value: example.value };
    else if (event.target.id === "vbarTrack") {
      const down = y > thumb.getBoundingClientRect().bottom;
      // The track pages until the thumb reaches the pointer.
      hold(() => {
        const { top, bottom } = thumb.getBoundingClientRect();
        if (down ? y <= bottom : y >= top) return false;
        return stepBar(down ? STEP.PageDown : STEP.PageUp);
      });
    }
  });
  bar.addEventListener("pointermove", (event) => {
    if (!drag) return;
    const track = $("vbarTrack");
    const scale = track.getBoundingClientRect().height / track.clientHeight;
    const travel = track.clientHeight - thumb.offsetHeight;
    if (travel > 0) setBar(drag.value + ((event.clientY - drag.y) / scale) * (example.range[4] / travel));
  });
  bar.addEventListener("pointerup", release);
  bar.addEventListener("pointercancel", release);
  bar.addEventListener("lostpointercapture", release);

  $("picOuter").addEventListener("wheel", (event) => {
    if (example.range && !bar.hidden) setBar(example.value + event.deltaY);
    event.preventDefault();
  }, { passive: false });
  $("picOuter").addEventListener("keydown", (event) => {
    if (!example.range || bar.hidden || !(event.key in SCROLL_KEYS)) return;
    event.preventDefault();
    stepBar(STEP[SCROLL_KEYS[event.key]]);
  });
}

function wireDialogs() {
  $("btn_OK").addEventListener("click", closeNotice);
  // Closing the notice any other way is a press of OK.
  $("frm_message").addEventListener("cancel", (event) => { event.preventDefault(); closeNotice(); });

  $("btn_help_0").addEventListener("click", () => showHelpView(0));
  $("btn_help_5").addEventListener("click", () => showHelpView(1));
  $("btn_help_4").addEventListener("click", () => closeDialog($("frm_help")));
  $("lbl_url").addEventListener("click", openLink);
  for (const id of ["frm_help", "ScrollerForm"]) {
    const dialog = $(id);
    dialog.querySelector(".close").addEventListener("click", () => closeDialog(dialog));
    dialog.addEventListener("close", afterDialog);
  }
  wireExampleBar();
}

// The message box also tells of a game that could not start, so it works
// without the module; a press on a dialog's face, its pictures or its bar
// leaves the focus where it was, as on the desktop: OK keeps it, and Enter
// still presses it.
function wireDialogFrames() {
  $("message_ok").addEventListener("click", () => $("message_box").close());
  for (const dialog of document.querySelectorAll("dialog")) {
    dialog.addEventListener("mousedown", (event) => {
      if (!event.target.closest("button, textarea, a, [tabindex]")) event.preventDefault();
    });
    dialog.addEventListener("keydown", (event) => tabWithin(dialog, event));
  }
}

// Tab goes round the dialog's controls as in a desktop window, never out to
// the browser's own (leaving and coming back would activate the dialog anew).
function tabWithin(dialog, event) {
  if (event.key !== "Tab" || event.altKey || event.ctrlKey || event.metaKey) return;
  const stops = [...dialog.querySelectorAll("button, textarea, a[href], [tabindex]")]
    .filter((e) => e.tabIndex >= 0 && !e.disabled && e.getClientRects().length > 0);
  const at = stops.indexOf(document.activeElement);
  const next = event.shiftKey ? (at <= 0 ? stops.length - 1 : at - 1) : (at + 1) % stops.length;
  event.preventDefault();
  if (stops.length) stops[next].focus();
}

// The page's counterpart of a window becoming active again is the tab or the
// browser window coming back to the front: the open dialog activates anew.
function wireActivation() {
  let away = false;
  const leave = () => { away = true; };
  const comeBack = () => {
    if (!away) return;
    away = false;
    if (!game || $("message_box").open) return;
    if ($("frm_message").open) activateNotice();
    else if ($("frm_help").open) activateHelp();
    if (updates.registration) updates.registration.update().catch(() => {});
  };
  document.addEventListener("visibilitychange", () => (document.hidden ? leave() : comeBack()));
  window.addEventListener("blur", (event) => { if (event.target === window) leave(); });
  window.addEventListener("focus", (event) => { if (event.target === window) comeBack(); });
}

function layoutDialogs() {
  for (const line of game.layout().split("\n").filter(Boolean)) {
    const [name, ...rect] = line.split(" ");
    layout[name] = rectOf(rect.join(" "));
  }
  const notice = layout.notice;
  place($("frm_message"), { x: 0, y: 0, width: notice.width, height: notice.height });
  $("frm_message").style.left = $("frm_message").style.top = "";
  $("frm_message").style.position = "";
  place($("btn_OK"), layout.noticeOk);
  $("img_error").style.left = `${layout.noticeError.x}px`;
  $("img_error").style.top = `${layout.noticeError.y}px`;
  $("img_win").style.left = `${layout.noticeWin.x}px`;
  $("img_win").style.top = `${layout.noticeWin.y}px`;
  for (const [id, rect] of [["help_client", layout.help], ["example_client", layout.example]]) {
    $(id).style.width = `${rect.width}px`;
    $(id).style.height = `${rect.height}px`;
  }
  for (const [id, rect] of [["txt_help", "helpText"], ["btn_help_0", "helpRules"], ["btn_help_5", "helpAbout"],
    ["btn_help_4", "helpOk"], ["img_help2", "helpLeaves"], ["img_logo", "helpLogo"], ["lbl_url", "helpLink"]])
    place($(id), layout[rect]);
  $("help_caption").textContent = game.helpTitle();
  $("example_caption").textContent = game.exampleTitle();
  $("lbl_url").textContent = game.webHost();
  $("lbl_url").href = game.webAddress();
}

// --- a screen narrower than the board: scale the whole window to fit ---
function fitWidth() {
  const scale = Math.min(1, document.documentElement.clientWidth / 704);
  document.documentElement.style.setProperty("--scale", String(scale));
}

// The module's exports under the names the page uses; texts come back as UTF-8.
// A call that fails inside the module (an internal error, an abort) leaves
// it unusable: the page stops the game and says so.
function bind(module) {
  const guard = (run) => (...args) => {
    if (!game) throw new Error("the game has stopped");
    try {
      return run(...args);
    } catch (error) {
      fail(FAILURE.stopped);
      throw error;
    }
  };
  const call = (name) => guard((...args) => module[`_${name}`](...args));
  const text = (name) => guard((...args) => module.UTF8ToString(module[`_${name}`](...args)));
  const [helpTitle, exampleTitle, examplePicture, webHost, webAddress, linkFailed] =
    module.UTF8ToString(module._words()).split("\n");
  const enums = { kind: KIND, key: KEY, face: FACE, step: STEP };
  for (const line of module.UTF8ToString(module._numbers()).split("\n").filter(Boolean)) {
    const [name, value] = line.split(" ");
    const [group, member] = name.split(".");
    enums[group][member] = Number(value);
  }
  return {
    module, start: call("start"), loadSounds: call("load_sounds"), view: text("view"), focus: text("focus"),
    layout: text("layout"), deal: call("deal"), exit: call("exit_game"), key: call("key"),
    pressed: call("pressed"), clicked: call("clicked"), activate: call("activate"),
    tabLeaves: guard((key) => module._tab_leaves(key) !== 0),
    noticeOpen: guard(() => module._notice_open() !== 0), noticeFace: call("notice_face"),
    noticeWords: text("notice_words"), noticeSound: text("notice_sound"), closeNotice: call("close_notice"),
    soundPlayable: guard((name) => module._sound_playable(name === "applause" ? 1 : 0) !== 0),
    setHelpTopic: call("set_help_topic"), helpTopic: call("help_topic"), helpFile: text("help_file"),
    helpText: text("help_text"), textFileLimit: call("text_file_limit"),
    exampleUnavailable: text("example_unavailable"), exampleLayout: text("example_layout"),
    exampleStep: call("example_step"), exampleTop: call("example_top"),
    helpTitle: () => helpTitle, exampleTitle: () => exampleTitle, examplePicture: () => examplePicture,
    webHost: () => webHost, webAddress: () => webAddress, linkFailed: () => linkFailed,
  };
}

// --- a game that cannot start or run: told in the game's own message box ---
const FAILURE = {
  unsupported: "This browser cannot run Quarrow Solitaire: it needs WebAssembly, which is missing or switched off here.",
  startup: "Quarrow Solitaire could not start: a part of the game did not load, or arrived damaged. Reloading the page may help.",
  stopped: "Quarrow Solitaire stopped after an internal error. Reload the page to play again.",
};

// From then on the board, the menus and the dialogs do nothing.
function fail(sentence) {
  if (document.documentElement.dataset.failed) return;
  document.documentElement.dataset.failed = "1";
  game = null;
  closeMenu(false);
  for (const dialog of document.querySelectorAll("dialog")) if (dialog.open) dialog.close();
  messageBox(sentence, () => {});
}

// --- pictures: 1x or @2x as the screen's density is now ---
function showPictures() {
  for (const image of document.querySelectorAll("img[data-picture]")) {
    const src = picture(image.dataset.picture);
    if (image.getAttribute("src") !== src) image.src = src;
  }
  for (const { element } of places.values()) element.style.backgroundImage = backgroundOf(element);
}

// Zoom, or a move to a denser screen, changes the ratio while the page is open.
function followDensity() {
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener("change", () => {
    highDensity = window.devicePixelRatio >= 1.5;
    showPictures();
    followDensity();
  }, { once: true });
}

// --- new versions: the service worker keeps the site; a new version waits
// while this page is open, and the player is offered a reload into it ---
const updates = { registration: null, controller: null, offered: false };

// A version waits only while an older one is active, so there is always a
// version to reload from. The first version passes through waiting on its
// way to active with no older one: that is no new version to offer. A
// player who reloads the page while one waits gets it straight away: the
// reload already says what the bar would ask.
function offerUpdate() {
  const waiting = updates.registration.waiting;
  if (!waiting || !updates.registration.active) return;
  const [navigation] = performance.getEntriesByType("navigation");
  if (navigation && navigation.type === "reload" && !updates.offered) waiting.postMessage("take-over");
  else $("update_bar").hidden = false;
  updates.offered = true;
}

function watchForUpdates() {
  if (!("serviceWorker" in navigator)) return;
  updates.controller = navigator.serviceWorker.controller;
  // A version that takes over from another while this page is open came from
  // the player's choice here or in another tab: this page reloads rather than
  // mix versions. The first version taking charge of the first visit is no
  // change of version.
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    const before = updates.controller;
    updates.controller = navigator.serviceWorker.controller;
    if (before) window.location.reload();
  });
  $("update_reload").addEventListener("click", () => {
    const waiting = updates.registration && updates.registration.waiting;
    if (waiting) waiting.postMessage("take-over");
    else window.location.reload();
  });
  // The worker and the list it imports are always checked with the host.
  navigator.serviceWorker.register("sw.js", { updateViaCache: "none" }).then((registration) => {
    updates.registration = registration;
    offerUpdate();
    registration.addEventListener("updatefound", () => {
      const worker = registration.installing;
      worker.addEventListener("statechange", () => { if (worker.state === "installed") offerUpdate(); });
    });
  }).catch(() => {});
}

// --- start-up ---
// The board is live as soon as the module is; the sounds join it when they
// arrive, and the help texts are fetched at each showing.
async function start() {
  showPictures(); // the dialogs' pictures only now, not in the way of the board's
  fitWidth();
  window.addEventListener("resize", fitWidth);
  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
    fail(FAILURE.unsupported);
    return;
  }
  const sounds = Promise.all(["SOUND/APPLAUS.WAV", "SOUND/CLUCK.WAV"].map((file) => fetchBytes(file)));
  let module;
  try {
    const tooLate = new Promise((_, reject) => setTimeout(() => reject(new Error("too late")), MODULE_TIMEOUT_MS));
    await Promise.race([loadModule(), tooLate]);
    module = await Promise.race([QuarrowGame({ onAbort: () => fail(game ? FAILURE.stopped : FAILURE.startup) }),
      tooLate]);
  } catch {
    fail(FAILURE.startup);
    return;
  }
  if (document.documentElement.dataset.failed) return;
  module.FS.mkdirTree(`${FOLDER}/SOUND`);
  game = bind(module);
  game.start();
  layoutDialogs();
  wireBoard();
  wireMenus();
  wireDialogs();
  render();
  $("board").focus({ preventScroll: true });
  document.documentElement.dataset.ready = "1";

  const [applause, cluck] = await sounds;
  if (!game) return;
  if (applause) module.FS.writeFile(`${FOLDER}/SOUND/APPLAUS.WAV`, applause);
  if (cluck) module.FS.writeFile(`${FOLDER}/SOUND/CLUCK.WAV`, cluck);
  game.loadSounds();
  await Promise.all([prepareSound("applause", applause), prepareSound("cluck", cluck)]);
  document.documentElement.dataset.sounds = "1";
}

// The board picture is painted first; only then is the module fetched and
// compiled, so the player sees the board as soon as a bare page would show it.
function loadModule() {
  return new Promise((resolve, reject) => {
    const script = document.createElement("script");
    script.src = "game.js";
    script.onload = resolve;
    script.onerror = reject;
    document.head.appendChild(script);
  });
}

function afterFirstPaint() {
  const board = $("board_picture");
  const loaded = board.complete ? Promise.resolve()
    : new Promise((resolve) => { board.onload = board.onerror = resolve; });
  return loaded.then(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0))));
}

followDensity();
wireDialogFrames();
wireActivation();
watchForUpdates();
afterFirstPaint().then(start);
