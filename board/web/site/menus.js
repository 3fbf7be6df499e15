// The menu bar: Alt+F and Alt+H open the menus, the underlined letters choose.
import { $ } from "./dom.js";
import { game } from "./bridge.js";
import { render, afterEvent, focusBoard } from "./board.js";
import { showHelp } from "./dialogs.js";
import { showExample } from "./example.js";

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

export { closeMenu, anyDialogOpen, wireMenus };
