// The notice's sounds: each wave decoded once, a new sound cuts off the one playing.
import { game } from "./bridge.js";

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

export { sound, prepareSound, play };
