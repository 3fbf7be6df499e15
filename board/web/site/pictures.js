// The pictures: 1x or @2x as the screen's density is now.
import { places, backgroundOf } from "./board.js";

let highDensity = window.devicePixelRatio >= 1.5;

function picture(name) {
  return `${name}${highDensity ? "@2x" : ""}.gif`;
}

function faceUrl(code) {
  return `url("${picture(`assets/cards/${String(code).padStart(2, "0")}`)}")`;
}

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

export { picture, faceUrl, showPictures, followDensity };
