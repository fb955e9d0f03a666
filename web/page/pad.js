// Pads: the browser's Gamepad API, read once a frame only while a pad with the standard layout is
// connected; each change of a button or axis goes to the game, whose table says what it stands for
// (shell/Gamepad.cpp). A pad that goes lets go of all it held.
const padsHeld = new Map();  // pad index -> the values last sent, "b<n>" and "a<n>"
let padFrame = 0;

function sendPad(index, control, value) {
  const held = padsHeld.get(index);
  if ((held.get(control) || 0) === value) return;
  held.set(control, value);
  Module.ccall("NuikaroPagePad", null, ["number", "number", "number", "number"],
               [index, control[0] === "a" ? 1 : 0, Number(control.slice(1)), value]);
}

function readPads() {
  padFrame = 0;
  if (!running) return;
  const pads = Array.from(navigator.getGamepads ? navigator.getGamepads() : [])
    .filter((pad) => pad && pad.connected && pad.mapping === "standard");
  for (const pad of pads) {
    if (!padsHeld.has(pad.index)) padsHeld.set(pad.index, new Map());
    pad.buttons.forEach((button, i) => sendPad(pad.index, "b" + i, button.pressed ? 1 : 0));
    pad.axes.forEach((value, i) => sendPad(pad.index, "a" + i, value));
  }
  for (const [index, held] of padsHeld) {
    if (pads.some((pad) => pad.index === index)) continue;
    for (const control of held.keys()) sendPad(index, control, 0);
    padsHeld.delete(index);
  }
  if (pads.length > 0) padFrame = requestAnimationFrame(readPads);
}

function watchPads() {
  if (padFrame === 0 && running) padFrame = requestAnimationFrame(readPads);
}
window.addEventListener("gamepadconnected", watchPads);
window.addEventListener("gamepaddisconnected", watchPads);
