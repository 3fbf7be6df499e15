// The page around the game: it draws what the WebAssembly board says, hands
// it the player's clicks and keys, and shows the dialogs. The rules, the
// focus moves, the names, the notice's face and words, the help texts and
// the scroll arithmetic all come from the module; each job of the page has
// an ES module of its own, start.js starting them all.
//
// The board picture is painted first; only then are the page's modules and
// the game's module fetched, so the player sees the board as soon as a bare
// page would show it.
function afterFirstPaint() {
  const board = document.getElementById("board_picture");
  const loaded = board.complete ? Promise.resolve()
    : new Promise((resolve) => { board.onload = board.onerror = resolve; });
  return loaded.then(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0))));
}

afterFirstPaint().then(() => import("./start.js"));
