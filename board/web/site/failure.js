// A game that cannot start or run: told in the game's own message box.
import { setGame } from "./bridge.js";
import { closeMenu } from "./menus.js";
import { messageBox } from "./dialogs.js";

const FAILURE = {
  unsupported: "This browser cannot run Quarrow Solitaire: it needs WebAssembly, which is missing or switched off here.",
  startup: "Quarrow Solitaire could not start: a part of the game did not load, or arrived damaged. Reloading the page may help.",
  stopped: "Quarrow Solitaire stopped after an internal error. Reload the page to play again.",
};

// From then on the board, the menus and the dialogs do nothing.
function fail(sentence) {
  if (document.documentElement.dataset.failed) return;
  document.documentElement.dataset.failed = "1";
  setGame(null);
  closeMenu(false);
  for (const dialog of document.querySelectorAll("dialog")) if (dialog.open) dialog.close();
  messageBox(sentence, () => {});
}

export { FAILURE, fail };
