// The example viewer: modal at once, filled when its picture arrives, with
// the page's own scroll bar stepping as the module says.
import { $, place } from "./dom.js";
import { game, STEP } from "./bridge.js";
import { fetchBytes } from "./net.js";
import { messageBox } from "./dialogs.js";
import { focusBoard } from "./board.js";

const SCROLL_KEYS = { ArrowUp: "LineUp", ArrowDown: "LineDown", PageUp: "PageUp", PageDown: "PageDown",
  Home: "Top", End: "Bottom" };

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

export { example, showExample, wireExampleBar };
