// The WebAssembly module as the page uses it: its calls, its texts and the
// numbers of its enums, and the one game the page plays.
import { fail, FAILURE } from "./failure.js";

const FOLDER = "/site"; // the program's folder inside the module, as the module knows it
// Filled from the module's numbers() by name: the page copies no number.
const KIND = {}, KEY = {}, FACE = {}, STEP = {};
let game = null; // the module, once started; null again once it has failed

function setGame(bound) {
  game = bound;
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

export { FOLDER, KIND, KEY, FACE, STEP, game, setGame, bind };
