// The page's start-up, once the board picture has been painted (page.js):
// the dialogs, the updates, then the game's module and the board it drives.
import { $ } from "./dom.js";
import { FOLDER, game, setGame, bind } from "./bridge.js";
import { FAILURE, fail } from "./failure.js";
import { fetchBytes } from "./net.js";
import { sound, prepareSound } from "./sound.js";
import { render, wireBoard } from "./board.js";
import { wireMenus } from "./menus.js";
import { wireDialogs, wireDialogFrames, wireActivation, layoutDialogs } from "./dialogs.js";
import { example } from "./example.js";
import { showPictures, followDensity } from "./pictures.js";
import { watchForUpdates } from "./updates.js";

// The module is larger than any other file: it gets longer, but not for ever.
const MODULE_TIMEOUT_MS = 30000;

// --- a screen narrower than the board: scale the whole window to fit ---
function fitWidth() {
  const scale = Math.min(1, document.documentElement.clientWidth / 704);
  document.documentElement.style.setProperty("--scale", String(scale));
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
  setGame(bind(module));
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

// The game's module, fetched and compiled once the board has been painted.
function loadModule() {
  return new Promise((resolve, reject) => {
    const script = document.createElement("script");
    script.src = "game.js";
    script.onload = resolve;
    script.onerror = reject;
    document.head.appendChild(script);
  });
}

// The tests and the bench drive the page from outside, through the objects
// its modules share.
window.quarrow = { get game() { return game; }, sound, example, render };

followDensity();
wireDialogFrames();
wireActivation();
watchForUpdates();
start();
