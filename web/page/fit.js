// Where the frame and the touch pad go in a viewport. A pure function, so that the tests can ask
// it about every screen size; place() below applies it to the page.
//
// The frame is sized from the viewport alone (never from the page's layout, which the canvas
// itself could widen) and fills it as far as it stays sharp: each game pixel is a whole number of
// device pixels when that fills 90 % of the room, otherwise any scale above one device pixel, at
// which nearest-neighbour drawing still shows every game pixel's own colour at its centre.
const PAD_BUTTON = 56;  // CSS px: above the 48 px a finger needs
const PAD_GAP = 6;
const PAD_SIZE = 3 * PAD_BUTTON + 2 * PAD_GAP;
const PAD_MARGIN = 12;
const WHOLE_FILL = 0.9;

// True when device pixels are a length the browser's layout holds exactly (Chromium's is in
// 1/64 CSS px): otherwise it moves the scaled frame by a fraction and the nearest game pixel
// is no longer the one under each device pixel's centre.
function exact(devicePixels, ratio) {
  const units = devicePixels / ratio * 64;
  return Math.abs(units - Math.round(units)) < 1e-6;
}

// The largest whole number of device pixels up to most that the layout holds exactly.
function exactBelow(most, ratio, step) {
  let pixels = step * Math.floor(most / step);
  while (pixels > 0 && !exact(pixels, ratio)) pixels -= step;
  return pixels;
}

// The frame's width in device pixels in a room of width by height CSS px: a whole factor of 640
// where that fills 90 % of the viewport (full CSS px per game pixel), else all the room, in steps
// of 4 device pixels so that the height stays whole.
function sharpWidth(width, height, ratio, full) {
  const most = Math.min(width * ratio / 640, height * ratio / 480);
  const whole = Math.floor(most);
  if (whole >= 1 && whole / ratio >= WHOLE_FILL * full) return 640 * whole;
  return exactBelow(most * 640, ratio, 4);
}

function fitFrame(view) {
  const {width, height, ratio, touch} = view;
  const full = Math.min(width / 640, height / 480);  // CSS px per game pixel, filling the viewport
  // Portrait puts the pad below the frame, landscape beside it: where the frame leaves more room.
  const below = height - 480 * width / 640 >= width - 640 * height / 480;
  const band = PAD_SIZE + 2 * PAD_MARGIN;
  const alone = sharpWidth(width, height, ratio, full);
  let deviceWidth = alone;
  let overlay = false;
  if (touch) {
    // The pad beside or below, unless that costs more than 10 % of the frame or its sharpness:
    // then (a screen close to 4:3) the pad lies over a corner of the frame.
    const cut = below ? sharpWidth(width, height - band, ratio, full)
                      : sharpWidth(width - band, height, ratio, full);
    overlay = cut / ratio < WHOLE_FILL * 640 * full - 1e-9 || (cut < 640 && alone >= 640);
    if (!overlay) deviceWidth = cut;
  }
  const deviceHeight = deviceWidth * 3 / 4;
  const frameWidth = deviceWidth / ratio;
  const frameHeight = deviceHeight / ratio;
  // The frame and the pad as one group, centred.
  // Chromium also moves the picture by a device pixel when its edge is not on a whole CSS px.
  let grid = 1;
  while (grid < 64 && Math.abs(grid * ratio - Math.round(grid * ratio)) > 1e-6) grid += 1;
  const snap = (css) => grid * Math.floor(Math.max(0, css) / grid);
  let left, top, pad = null;
  if (!touch || overlay) {
    left = snap((width - frameWidth) / 2);
    top = snap((height - frameHeight) / 2);
    if (touch) {
      pad = {left: width - PAD_SIZE - PAD_MARGIN, top: height - PAD_SIZE - PAD_MARGIN};
    }
  } else if (below) {
    const group = frameHeight + band;
    left = snap((width - frameWidth) / 2);
    top = snap(Math.max(0, (height - group) / 2));
    pad = {left: (width - PAD_SIZE) / 2, top: top + frameHeight + PAD_MARGIN};
  } else {
    const group = frameWidth + band;
    left = snap(Math.max(0, (width - group) / 2));
    top = snap((height - frameHeight) / 2);
    pad = {left: left + frameWidth + PAD_MARGIN, top: (height - PAD_SIZE) / 2};
  }
  if (pad) {
    pad.size = PAD_SIZE;
    pad.button = PAD_BUTTON;
  }
  return {left, top, width: frameWidth, height: frameHeight, scale: deviceWidth / 640,
          whole: deviceWidth % 640 === 0, fill: frameWidth / 640 / full, below, overlay, pad};
}

window.nuikaroFitFrame = fitFrame;  // for the tests, which ask it about every screen size

// The viewport in CSS px, unzoomed: the visual viewport times its pinch zoom, at most the
// document's own width (which a scrollbar narrows).
function measureViewport() {
  const root = document.documentElement;
  const visual = window.visualViewport;
  const width = visual ? Math.min(root.clientWidth, visual.width * visual.scale) : root.clientWidth;
  const height = visual ? visual.height * visual.scale : window.innerHeight;
  const touch = navigator.maxTouchPoints > 0 || window.matchMedia("(any-pointer: coarse)").matches;
  return {width, height, ratio: window.devicePixelRatio || 1, touch};
}
