// The page around the game: it draws what the WebAssembly board says, hands
// it the player's clicks and keys, and shows the dialogs. The rules, the
// focus moves, the names, the notice's face and words, the help texts and
// the scroll arithmetic all come from the module.
"use strict";

const FETCH_TIMEOUT_MS = 5000;
const FOLDER = "/site"; // the program's folder inside the module, as the module knows it
const HIGH_DENSITY = window.devicePixelRatio >= 1.5;
const KIND = { None: 0, Foundation: 1, Slot: 2, Frame: 3, Undo: 4 };
const KEYS = { ArrowLeft: 0, ArrowRight: 1, ArrowUp: 2, ArrowDown: 3, " ": 6, Enter: 6 };
const NEXT = 4, PREVIOUS = 5;
const WIN = 2;

const $ = (id) => document.getElementById(id);
let game = null; // the module, once started
const places = new Map(); // key -> {element}
let tabStop = document.getElementById("board");
let layout = {};

function picture(name) {
  return `${name}${HIGH_DENSITY ? "@2x" : ""}.gif`;
}

function faceUrl(code) {
  return `url("${picture(`assets/cards/${String(code).padStart(2, "0")}`)}")`;
}

// Nothing waits for ever on the network: a slow or failed request is a missing file.
async function fetchBytes(url) {
  const abort = new AbortController();
  const timer = setTimeout(() => abort.abort(), FETCH_TIMEOUT_MS);
  try {
    const response = await fetch(url, { signal: abort.signal });
    if (!response.ok) return null;
    return new Uint8Array(await response.arrayBuffer());
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
  if (key === "frame") element.style.backgroundImage = `url("${picture("assets/border")}")`;
  if (key === "undo") element.style.backgroundImage = `url("${picture("assets/undo")}")`;
  $("board").insertBefore(element, $("focus_mark"));
  const entry = { element };
  places.set(key, entry);
  return entry;
}

// Brings the places the module says have changed up to the board's state.
function render() {
  for (const line of game.view().split("\n").filter(Boolean)) {
    const [key, kind, index, rect, face, shown, enabled, selected, name, description] = line.split("\t");
    const element = placeFor(key, kind, index).element;
    place(element, rectOf(rect));
    if (kind === String(KIND.Slot) || kind === String(KIND.Foundation))
      element.style.backgroundImage = face === "0" ? "" : faceUrl(face);
    element.dataset.face = face;
    element.dataset.shown = shown;
    element.dataset.enabled = enabled;
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
    let key = KEYS[event.key];
    if (event.key === "Tab") key = event.shiftKey ? PREVIOUS : NEXT;
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
    if (!openMenu) return;
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
  render();
  focusBoard();
}

function showNotice() {
  const notice = $("frm_message");
  const face = game.noticeFace();
  const soundName = game.noticeSound();
  // A refusal clucks as it appears; the win shows itself, then applauds.
  if (face !== WIN) play(soundName);
  $("img_error").hidden = face !== 1;
  $("img_win").hidden = face !== WIN;
  notice.setAttribute("aria-label", game.noticeWords(face));
  notice.showModal();
  $("btn_OK").focus();
  if (face === WIN) play(soundName);
}

function closeNotice() {
  $("frm_message").close();
  $("img_error").hidden = true;
  $("img_win").hidden = true;
  game.closeNotice();
  afterDialog();
}

function messageBox(text, then) {
  const box = $("message_box");
  $("message_text").textContent = text;
  box.onclose = () => { box.onclose = null; then(); };
  box.showModal();
  $("message_ok").focus();
}

function showHelpView(topic) {
  $("txt_help").value = game.helpText(topic);
  $("txt_help").scrollTop = 0;
  $("img_help2").hidden = topic !== 0;
  $("img_logo").hidden = topic !== 1;
  $("lbl_url").hidden = topic !== 1;
}

function showHelp() {
  const help = $("frm_help");
  help.showModal();
  $("btn_help_4").focus();
  showHelpView(game.helpTopic());
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

const example = { range: null, inner: 0, picture: 0, url: null };

function scrollExample(barValue) {
  $("picInner").style.top = `${game.scrollTop(example.inner, example.picture, barValue)}px`;
}

async function showExample() {
  const bytes = await fetchBytes(game.examplePicture());
  const image = $("picInner");
  if (example.url) URL.revokeObjectURL(example.url);
  example.url = bytes ? URL.createObjectURL(new Blob([bytes], { type: "image/gif" })) : null;
  const loaded = example.url && await new Promise((resolve) => {
    image.onload = () => resolve(true);
    image.onerror = () => resolve(false);
    image.src = example.url;
  });
  if (!loaded) {
    messageBox(game.exampleUnavailable(bytes ? 1 : 0), focusBoard);
    return;
  }
  const client = layout.example;
  const outer = $("picOuter");
  const bar = $("vbarScroller");
  const border = 2;
  example.picture = image.naturalHeight;
  const needed = 2 * border + example.picture;
  const barNeeded = needed > client.height;
  const frameWidth = client.width - (barNeeded ? layout.exampleBar.width : 0);
  place(outer, { x: 0, y: 0, width: frameWidth, height: client.height });
  example.inner = client.height - 2 * border;
  example.range = game.scrollRange(example.inner, example.picture).split(" ").map(Number);
  const span = example.range[4];
  bar.hidden = !barNeeded;
  place(bar, { x: frameWidth, y: 0, width: layout.exampleBar.width, height: client.height });
  $("vbarSpan").style.height = `${client.height + span}px`;
  const dialog = $("ScrollerForm");
  dialog.showModal();
  bar.scrollTop = 0;
  scrollExample(0);
  outer.focus();
}

function wireDialogs() {
  $("btn_OK").addEventListener("click", closeNotice);
  // Closing the notice any other way is a press of OK.
  $("frm_message").addEventListener("cancel", (event) => { event.preventDefault(); closeNotice(); });
  $("message_ok").addEventListener("click", () => $("message_box").close());

  $("btn_help_0").addEventListener("click", () => showHelpView(0));
  $("btn_help_5").addEventListener("click", () => showHelpView(1));
  $("btn_help_4").addEventListener("click", () => closeDialog($("frm_help")));
  $("lbl_url").addEventListener("click", openLink);
  for (const id of ["frm_help", "ScrollerForm"]) {
    const dialog = $(id);
    dialog.querySelector(".close").addEventListener("click", () => closeDialog(dialog));
    dialog.addEventListener("close", afterDialog);
  }

  const bar = $("vbarScroller");
  bar.addEventListener("scroll", () => scrollExample(Math.round(bar.scrollTop)));
  $("picOuter").addEventListener("wheel", (event) => {
    bar.scrollTop += event.deltaY;
    event.preventDefault();
  }, { passive: false });
  $("picOuter").addEventListener("keydown", (event) => {
    if (!example.range || bar.hidden) return;
    const [, , small, large, span] = example.range;
    const steps = { ArrowDown: small, ArrowUp: -small, PageDown: large, PageUp: -large,
      Home: -span, End: span };
    if (!(event.key in steps)) return;
    event.preventDefault();
    bar.scrollTop = Math.max(0, Math.min(span, Math.round(bar.scrollTop) + steps[event.key]));
    scrollExample(Math.round(bar.scrollTop));
  });
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
function bind(module) {
  const call = (name) => (...args) => module[`_${name}`](...args);
  const text = (name) => (...args) => module.UTF8ToString(module[`_${name}`](...args));
  const [helpTitle, exampleTitle, examplePicture, webHost, webAddress, linkFailed] = text("words")().split("\n");
  return {
    module, start: call("start"), view: text("view"), focus: text("focus"), layout: text("layout"),
    deal: call("deal"), exit: call("exit_game"), key: call("key"),
    pressed: call("pressed"), clicked: call("clicked"), activate: call("activate"),
    noticeOpen: () => module._notice_open() !== 0, noticeFace: call("notice_face"),
    noticeWords: text("notice_words"), noticeSound: text("notice_sound"), closeNotice: call("close_notice"),
    soundPlayable: (name) => module._sound_playable(name === "applause" ? 1 : 0) !== 0,
    setHelpTopic: call("set_help_topic"), helpTopic: call("help_topic"), helpText: text("help_text"),
    exampleUnavailable: text("example_unavailable"), scrollRange: text("scroll_range"), scrollTop: call("scroll_top"),
    helpTitle: () => helpTitle, exampleTitle: () => exampleTitle, examplePicture: () => examplePicture,
    webHost: () => webHost, webAddress: () => webAddress, linkFailed: () => linkFailed,
  };
}

// --- start-up ---
function showPictures() {
  for (const image of document.querySelectorAll("img[data-picture]")) {
    const src = picture(image.dataset.picture);
    if (image.getAttribute("src") !== src) image.src = src;
  }
}

async function start() {
  showPictures();
  fitWidth();
  window.addEventListener("resize", fitWidth);
  const files = ["SOUND/APPLAUS.WAV", "SOUND/CLUCK.WAV", "rules.txt", "tvk.txt"];
  const [module, ...contents] = await Promise.all([QuarrowGame(), ...files.map(fetchBytes)]);
  module.FS.mkdirTree(`${FOLDER}/SOUND`);
  files.forEach((file, i) => { if (contents[i]) module.FS.writeFile(`${FOLDER}/${file}`, contents[i]); });
  game = bind(module);
  game.start();
  layoutDialogs();
  wireBoard();
  wireMenus();
  wireDialogs();
  render();
  $("board").focus({ preventScroll: true });
  await Promise.all([prepareSound("applause", contents[0]), prepareSound("cluck", contents[1])]);
  document.documentElement.dataset.ready = "1";
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

if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js").catch(() => {});
afterFirstPaint().then(loadModule).then(start);
