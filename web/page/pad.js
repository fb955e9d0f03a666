// Pads: the browser's Gamepad API, read once a frame only while a pad with the standard layout is
// connected; each change of a button or axis goes to the game, whose table says what it stands for
// (shell/Gamepad.cpp). A pad that goes lets go of all it held.
//
// Pads are heard while the game runs and the page has the focus, as on the desktop, where a
// window in the background hears none. The page asks for them through a frame of its own,
// because Chromium polls every pad 60 times a second, in the browser's own process, for as long
// as a document that ever asked for pads is shown: dropping the frame is what stops it.
const padsHeld = new Map();  // pad index -> the values last sent, "b<n>" and "a<n>"
let padFrame = 0;
let padWindow = null;  // the frame's window while pads are heard
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
  padFrame = 0;
  if (padWindow === null) return;
  const source = padWindow.navigator;
  const pads = Array.from(source.getGamepads ? source.getGamepads() : [])
    .filter((pad) => pad && pad.connected && pad.mapping === "standard");
  for (const pad of pads) {
    if (!padsHeld.has(pad.index)) padsHeld.set(pad.index, new Map());
    pad.buttons.forEach((button, i) => sendPad(pad.index, "b" + i, button.pressed ? 1 : 0));
    pad.axes.forEach((value, i) => sendPad(pad.index, "a" + i, value));
  }
  letGoOfPads(pads);
  if (pads.length > 0) padFrame = requestAnimationFrame(readPads);
}

function watchPads() {
  if (padFrame === 0 && padWindow !== null) padFrame = requestAnimationFrame(readPads);
}

// Called whenever the game starts or ends; the page's focus is followed here.
function hearPads() {
  const hear = running && pageFocused;
  if (hear === (padWindow !== null)) return;
  if (hear) {
    const frame = document.createElement("iframe");
    frame.id = "pads";
    frame.hidden = true;
    frame.tabIndex = -1;
    frame.setAttribute("aria-hidden", "true");
    document.body.appendChild(frame);
    padWindow = frame.contentWindow;
    padWindow.addEventListener("gamepadconnected", watchPads);
    padWindow.addEventListener("gamepaddisconnected", watchPads);
    watchPads();
  } else {
    cancelAnimationFrame(padFrame);
    padFrame = 0;
    padWindow = null;
    document.getElementById("pads").remove();
    if (running) letGoOfPads([]);
    else padsHeld.clear();
  }
}
window.addEventListener("focus", () => { pageFocused = true; hearPads(); });
window.addEventListener("blur", () => { pageFocused = false; hearPads(); });
