// The dialogs: the notice, the help window, the message box; modal, and
// activated again when the page comes back to the front.
import { $, rectOf, place } from "./dom.js";
import { game, FACE, FOLDER } from "./bridge.js";
import { render, focusBoard } from "./board.js";
import { play } from "./sound.js";
import { fetchBytes } from "./net.js";
import { wireExampleBar } from "./example.js";
import { updates } from "./updates.js";

const layout = {};

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

export { showNotice, messageBox, showHelp, closeDialog, wireDialogs, wireDialogFrames, wireActivation, layoutDialogs };
