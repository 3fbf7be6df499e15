// Small helpers for the page's elements.
const $ = (id) => document.getElementById(id);

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

export { $, rectOf, place };
