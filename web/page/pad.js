// Pads: the browser's Gamepad API, read once a frame only while a pad with the standard layout is
// connected; each change of a button or axis goes to the game, whose table says what it stands for
// (shell/Gamepad.cpp). A pad that goes lets go of all it held.
//
// Pads are heard while the game runs and the page has the focus, as on the desktop, where a
// window in the background hears none. The page asks for them through a frame of its own,
// because Chromium polls every pad 60 times a second, in the browser's own process, for as long
// as a document that ever asked for pads is shown: dropping the frame is what stops it.
const padsHeld = new Map();  // pad index -> the values last sent, "b<n>" and "a<n>"
let padRead = 0;  // the next read's animation frame, 0 when none is asked for
let padsFrame = null;  // the frame that asks for pads, while they are heard
let pageFocused = document.hasFocus();

function sendPad(index, control, value) {
  const held = padsHeld.get(index);
  if ((held.get(control) || 0) === value) return;
  held.set(control, value);
  Module.ccall("NuikaroPagePad", null, ["number", "number", "number", "number"],
               [index, control[0] === "a" ? 1 : 0, Number(control.slice(1)), value]);
}

function letGoOfPads(except) {
  for (const [index, held] of padsHeld) {
    if (except.some((pad) => pad.index === index)) continue;
    for (const control of held.keys()) sendPad(index, control, 0);
    padsHeld.delete(index);
  }
}

function readPads() {
  padRead = 0;
  if (padsFrame === null) return;
  const source = padsFrame.contentWindow.navigator;
  const pads = Array.from(source.getGamepads ? source.getGamepads() : [])
    .filter((pad) => pad && pad.connected && pad.mapping === "standard");
  for (const pad of pads) {
    if (!padsHeld.has(pad.index)) padsHeld.set(pad.index, new Map());
    pad.buttons.forEach((button, i) => sendPad(pad.index, "b" + i, button.pressed ? 1 : 0));
    pad.axes.forEach((value, i) => sendPad(pad.index, "a" + i, value));
  }
  letGoOfPads(pads);
  if (pads.length > 0) padRead = requestAnimationFrame(readPads);
}

function watchPads() {
  if (padRead === 0 && padsFrame !== null) padRead = requestAnimationFrame(readPads);
}

// Called at each change of the page's state; the page's focus is followed here.
function hearPads() {
  const hear = running && pageFocused;
  if (hear === (padsFrame !== null)) return;
  if (hear) {
    padsFrame = document.createElement("iframe");
    padsFrame.hidden = true;
    padsFrame.tabIndex = -1;
    padsFrame.setAttribute("aria-hidden", "true");
    document.body.appendChild(padsFrame);
    padsFrame.contentWindow.addEventListener("gamepadconnected", watchPads);
    padsFrame.contentWindow.addEventListener("gamepaddisconnected", watchPads);
    watchPads();
  } else {
    cancelAnimationFrame(padRead);
    padRead = 0;
    padsFrame.remove();
    padsFrame = null;
    if (running) letGoOfPads([]);
    else padsHeld.clear();
  }
}
window.addEventListener("focus", () => { pageFocused = true; hearPads(); });
window.addEventListener("blur", () => { pageFocused = false; hearPads(); });
