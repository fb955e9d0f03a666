"""The page on the screens people open a link on, in Chromium with each device's viewport, pixel
ratio and touch emulated (mobile viewports), and the fit at every screen size."""

import frames
from chromium_scenarios import swipe_at, touching
from scenarios import CHROMIUM, browsers, capture, fit_problems, heads, load, settled_head, \
    stays, wait_head
from browsers import CANVAS_RECT, Firefox

# width, height (CSS px), device pixel ratio: phones in portrait and landscape, a tablet, a
# laptop's and a full-HD screen's browser window.
DEVICES = [(360, 640, 2), (390, 844, 3), (844, 390, 3), (820, 1180, 2), (1366, 663, 1),
           (1920, 947, 1)]

PAD = """return Array.from(document.querySelectorAll('#pad button, #pad a'), (e) => {
  const r = e.getBoundingClientRect();
  return {id: e.id, left: r.left, top: r.top, width: r.width, height: r.height};
})"""


def emulate(ctx, width, height, ratio):
    ctx.browser.cdp("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": True})


def shown_matches_own(ctx):
    """The frame read from the screen at every game pixel's centre against the canvas's own."""
    own = frames.canvas_content(ctx.browser.js(
        "return document.getElementById('canvas').toDataURL('image/png')"))
    shown = capture(ctx)
    differ = int((abs(own - shown).max(axis=2) > frames.TOLERANCE).sum())
    return differ


def check_device(ctx, width, height, ratio):
    emulate(ctx, width, height, ratio)
    load(ctx)
    ctx.browser.keys("Enter")  # step mode: the frame stands still between swipes
    (x, y, d), _ = settled_head(ctx)
    rect = ctx.browser.js(CANVAS_RECT)
    problems = fit_problems(ctx, rect)
    differ = shown_matches_own(ctx)
    if differ:
        problems.append(f"{differ} game pixels show another colour than the canvas holds")
    for button in ctx.browser.js(PAD):
        if button["width"] < 48 or button["height"] < 48 or button["left"] < 0 or \
                button["top"] < 0 or button["left"] + button["width"] > width or \
                button["top"] + button["height"] > height:
            problems.append(f"#{button['id']} is not a 48 px button on the screen: {button}")
    if len(ctx.browser.js(PAD)) != 6:
        problems.append("expected the pad's four arrows, Enter and help on a touch screen")
    # A swipe on the board, then (in portrait) one in the free space below the frame.
    swipe_at(ctx, rect["left"] + rect["width"] * 0.375, rect["top"] + rect["height"] / 2, 60, 4)
    x += 1
    wait_head(ctx, (x, y, 1))
    if height > width:
        below = rect["top"] + rect["height"]
        d = 2 if y < 28 else 0
        swipe_at(ctx, width * 0.1, (below + height) / 2, -4, 60 * (1 if d == 2 else -1))
        y += 1 if d == 2 else -1
        wait_head(ctx, (x, y, d))
        stays(ctx, (x, y, d), "after a swipe below the frame")
    describe(width, height, ratio, rect)
    return problems


def describe(width, height, ratio, rect):
    scale = rect["width"] * ratio / 640
    fill = max(rect["width"] / width, rect["height"] / height)
    print(f"#   {width}x{height} @{ratio}: frame {rect['width']:g}x{rect['height']:g} CSS px, "
          f"fills {fill:.1%} of the limiting side, {scale:g} device px per game pixel"
          f"{' (whole)' if abs(scale - round(scale)) < 1e-6 else ''}", flush=True)


@browsers(*CHROMIUM)
def every_device_shows_the_whole_frame_sharp_with_the_pad_and_swipes(ctx):
    found = []
    with touching(ctx):
        try:
            for device in DEVICES:
                found += [f"{device}: {problem}" for problem in check_device(ctx, *device)]
        finally:
            ctx.browser.cdp("Emulation.clearDeviceMetricsOverride")
    assert not found, "expected every device to fit: " + "; ".join(found)


# Every viewport from 320 to 3840 CSS px wide and 320 to 2160 high (the shorter side at least
# 320), at pixel ratios 1 to 4, with and without touch, asked of the page's own layout.
SWEEP = """
const wrong = [];
for (let width = 320; width <= 3840; width += 23) {
  for (let height = 320; height <= 2160; height += 19) {
    if (Math.min(width, height) < 320 || Math.max(width, height) < 480) continue;
    for (const ratio of [1, 1.25, 1.5, 2, 2.625, 3, 3.5, 4]) {
      for (const touch of [false, true]) {
        const f = nuikaroFitFrame({width, height, ratio, touch});
        const full = Math.min(width / 640, height / 480);
        const at = width + 'x' + height + '@' + ratio + (touch ? ' touch' : '');
        if (f.fill < 0.9 - 1e-9 || f.fill > 1 + 1e-9) wrong.push(at + ': fills ' + f.fill);
        else if (f.left < 0 || f.top < 0 || f.left + f.width > width + 1e-9 ||
                 f.top + f.height > height + 1e-9) wrong.push(at + ': outside');
        else if (full * ratio >= 1 && f.scale <= 1 - 1e-9) wrong.push(at + ': ' + f.scale);
        else if (Math.floor(f.scale) / ratio >= 0.9 * full && !f.whole) wrong.push(at + ': not whole');
        else if (touch && (f.pad.left < 0 || f.pad.top < 0 || f.pad.left + f.pad.size > width ||
                 f.pad.top + f.pad.size > height)) wrong.push(at + ': pad outside');
        else if (touch && !f.overlay && (f.below ? f.pad.top < f.top + f.height :
                 f.pad.left < f.left + f.width)) wrong.push(at + ': pad over the frame');
        if (wrong.length > 20) return wrong;
      }
    }
  }
}
return wrong;
"""


@browsers(*CHROMIUM)
def every_screen_size_fits(ctx):
    load(ctx)
    wrong = ctx.browser.js(SWEEP)
    assert not wrong, f"expected the frame to fit every viewport, it does not at {wrong}"


# A phone's screen in Firefox: its own pixel ratio rather than Chromium's emulation.
PHONE = (390, 844, 3)


@browsers("firefox")
def a_phone_sized_firefox_shows_the_whole_frame_sharp(ctx):
    width, height, ratio = PHONE
    desktop = ctx.browser
    ctx.browser = Firefox(prefs={"layout.css.devPixelsPerPx": f"{ratio}.0"}, window=PHONE[:2],
                          bare=True)
    try:
        load(ctx)
        view = ctx.browser.js("return [innerWidth, innerHeight, devicePixelRatio]")
        assert view == [width, height, ratio], f"expected a {width}x{height} @{ratio} viewport, " \
            f"saw {view}"
        rect = ctx.browser.js(CANVAS_RECT)
        describe(width, height, ratio, rect)
        problems = fit_problems(ctx, rect)
        assert not problems, "expected the frame to fit the phone sharply: " + "; ".join(problems)
        ctx.browser.keys("Enter")  # step mode: the frame stands still while it is read
        settled_head(ctx)
        differ = shown_matches_own(ctx)
        assert not differ, f"expected the frame the phone shows to be the canvas's own, " \
            f"{differ} game pixels show another colour"
    finally:
        ctx.browser.close()
        ctx.browser = desktop


ALL = [every_device_shows_the_whole_frame_sharp_with_the_pad_and_swipes, every_screen_size_fits,
       a_phone_sized_firefox_shows_the_whole_frame_sharp]
