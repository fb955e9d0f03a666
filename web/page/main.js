// The page around the game: it loads the program and the files the game reads, hands the keys,
// swipes and pad buttons to it, and shows what the game asks it to (shell/WebPage.h).
const pictures = ["@NUIKARO_BACK_TILE_FILE@", "@NUIKARO_ITEM_SHEET_FILE@"];
const font = "@NUIKARO_FONT_FILE@";
const program = "nuikaro.wasm";
const script = "nuikaro.js";
const title = "ぬいかろ";
const gameKeys = ["ArrowUp", "ArrowRight", "ArrowDown", "ArrowLeft", "Enter", " ", "Escape"];

const body = document.body;
const canvas = document.getElementById("canvas");
const box = document.getElementById("gameover");
const boxText = document.getElementById("gameover-text");
const boxOk = document.getElementById("gameover-ok");
const message = document.getElementById("message");

applyTexts(pageLanguage(navigator.languages || [navigator.language]));
watchPlace({play: document.getElementById("play"), canvas,
            board: document.getElementById("board"), pad: document.getElementById("pad")});

function setState(state) {
  body.dataset.state = state;
  document.getElementById("loading").hidden = state !== "loading";
  document.getElementById("ended").hidden = state !== "ended";
  message.hidden = state !== "error";
  hearPads();
}

function fail(text) {
  running = false;
  message.textContent = text;
  canvas.hidden = true;
  setState("error");
}

// --- What the game asks of the page (shell/WebPage.h) ---
let running = false;
const page = {
  shown() {
    running = true;
    setState("running");
    canvas.focus({preventScroll: true});
    registerWorker();
  },
  ended() { running = false; canvas.hidden = true; box.hidden = true; setState("ended"); },
  failed(text) { fail(text); },
  showBox(text) {
    boxText.textContent = text;
    box.hidden = false;
    boxOk.focus({preventScroll: true});
  },
  hideBox() {
    box.hidden = true;
    canvas.focus({preventScroll: true});
  },
};

// --- Keys: every key goes to the game; the game's own never scroll or press a button ---
function key(event, pressed) {
  if (!running) return;
  if (gameKeys.includes(event.key)) event.preventDefault();
  Module.ccall("NuikaroPageKey", null, ["string", "number", "number"],
               [event.key, pressed ? 1 : 0, event.repeat ? 1 : 0]);
}
window.addEventListener("keydown", (event) => key(event, true), true);
window.addEventListener("keyup", (event) => key(event, false), true);
function press(name) {
  if (!running) return;
  Module.ccall("NuikaroPageKey", null, ["string", "number", "number"], [name, 1, 0]);
  Module.ccall("NuikaroPageKey", null, ["string", "number", "number"], [name, 0, 0]);
}
watchTouch(document.getElementById("play"), press);
boxOk.addEventListener("click", () => { if (running) Module.ccall("NuikaroBoxOk", null, [], []); });
document.getElementById("again").addEventListener("click", () => location.reload());

// --- Start: every file fetched, then the program started ---
function cannotLoad(name, error) {
  return title + ": " + name + ": cannot be loaded: " + error.message;
}

async function start() {
  const loader = makeLoader(document.getElementById("progress"));
  loader.expect([program, script, font, ...pictures]);
  const loaded = new Map();
  const get = async (name, compressed, optional) => {
    try {
      loaded.set(name, await loader.fetchFile(name, compressed));
    } catch (error) {
      if (!optional) throw new Error(cannotLoad(name, error));
      console.warn(cannotLoad(name, error));  // the game itself then says which picture
    }
  };
  try {
    await Promise.all([get(program, true), get(script, true), get(font, false),
                       ...pictures.map((name) => get(name, false, true))]);
  } catch (error) {
    fail(error.message);
    return;
  }
  window.Module = {
    canvas: canvas,
    wasmBinary: loaded.get(program),
    nuikaroPage: page,
    preRun: [() => {
      for (const name of [font, ...pictures]) {
        if (loaded.has(name)) Module.FS.writeFile("/" + name, loaded.get(name));
      }
    }],
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onAbort: (what) => fail(title + ": the game stopped: " + what),
  };
  const element = document.createElement("script");
  element.src = URL.createObjectURL(new Blob([loaded.get(script)], {type: "text/javascript"}));
  element.onerror = () => fail(cannotLoad(script, new Error("not a program")));
  document.body.appendChild(element);
}
start();
