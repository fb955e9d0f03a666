"""What the browser tests check in Chromium alone: the page's weight, touch, a high device pixel
ratio, the start-up error and the end of a game."""

import contextlib
import os
import re
import shutil
import time

import frames
from scenarios import (CHROMIUM, FIRST_FRAME_SECONDS, KEY_OF, STEPS, box_open, browsers, capture,
                       heads, load, message_text, play_to_self_hit, settled_head, STILL, stays,
                       visible, wait_head)
from site_server import SiteServer, page_weight

WEIGHT_LIMIT = 1_500_000  # gzip-compressed bytes of everything the page loads


def touch(ctx, kind, points):
    ctx.browser.cdp("Input.dispatchTouchEvent", {
        "type": kind, "touchPoints": [{"x": px, "y": py} for px, py in points]})


def swipe_at(ctx, x, y, dx, dy):
    """A finger put down at (x, y) CSS px and moved by (dx, dy) in five steps."""
    touch(ctx, "touchStart", [(x, y)])
    for i in range(1, 6):
        touch(ctx, "touchMove", [(x + dx * i / 5, y + dy * i / 5)])
    touch(ctx, "touchEnd", [])


def swipe(ctx, dx, dy):
    """A swipe on the board by (dx, dy) game pixels."""
    cx, cy, scale = ctx.browser.js(
        "const r = document.getElementById('canvas').getBoundingClientRect();"
        "return [r.left + r.width * 0.375, r.top + r.height * 0.5, r.width / 640]")
    swipe_at(ctx, cx, cy, dx * scale, dy * scale)


@contextlib.contextmanager
def touching(ctx):
    """Touch emulated within the block."""
    ctx.browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    try:
        yield
    finally:
        ctx.browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})


def tap(ctx, element_id):
    r = ctx.browser.js("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                       "return [r.left + r.width / 2, r.top + r.height / 2, r.width]", element_id)
    assert r[2] > 0, f"expected #{element_id} on a touch screen, it has no size"
    touch(ctx, "touchStart", [(r[0], r[1])])
    touch(ctx, "touchEnd", [])


@browsers(*CHROMIUM)
def page_weighs_at_most_one_and_a_half_megabytes(ctx):
    # A server of its own: another origin, so no service worker answers in its place.
    with SiteServer(ctx.server.folder) as server:
        load(ctx, server.url())
        time.sleep(0.5)
        elsewhere = ctx.browser.js(
            "return performance.getEntriesByType('resource').map(e => e.name)"
            ".filter(n => !n.startsWith(location.origin + '/') && !n.startsWith('data:'))")
        rows = page_weight(server.folder, server.requests)
    assert not elsewhere, f"expected the page to load only from its own folder, it loaded {elsewhere}"
    names = {path for path, _, _ in rows}
    assert {"/index.html", "/BackTile.bmp"} <= names, f"expected to count the page's files, saw {rows}"
    total = sum(compressed for _, _, compressed in rows)
    assert total <= WEIGHT_LIMIT, f"expected at most {WEIGHT_LIMIT} bytes gzip-compressed, the " \
        f"page loads {total}: {rows}"


@browsers(*CHROMIUM)
def swipes_steer_and_the_enter_button_toggles_step_mode(ctx):
    ctx.browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    try:
        load(ctx)
        tap(ctx, "enter")
        (x, y, d), _ = settled_head(ctx)
        stays(ctx, (x, y, d), "after a tap on #enter")
        swipe(ctx, 120, 10)
        x += 1
        wait_head(ctx, (x, y, 1))
        stays(ctx, (x, y, 1), "after a swipe to the right")
        d = 2 if y < 28 else 0  # down, or up near the bottom: room for the run that follows
        swipe(ctx, -8, 120 * STEPS[d][1])
        y += STEPS[d][1]
        wait_head(ctx, (x, y, d))
        stays(ctx, (x, y, d), "after a swipe down" if d == 2 else "after a swipe up")
        # Step mode off again: the ticks carry the head on in the last swiped direction.
        tap(ctx, "enter")
        moved = ctx.browser.wait_for("moving", lambda: [
            (hx, hy, hd) for hx, hy, hd in heads(ctx, capture(ctx))
            if (hx, hd) == (x, d) and (hy - y) * STEPS[d][1] > 0], 3)
        assert moved, f"expected the head to run on from {(x, y)} in direction {d} after a " \
            f"second tap on #enter, saw {heads(ctx, capture(ctx))}"
    finally:
        ctx.browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})


@browsers(*CHROMIUM)
def a_tap_on_ok_closes_the_box_and_the_game_restarts(ctx):
    """On a phone, with no key to press, the box closes by its OK button."""
    ctx.browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    try:
        for _ in range(3):
            played = play_to_self_hit(ctx)
            if not played:
                continue
            _, (x, y, d), _ = played
            ctx.browser.keys(KEY_OF[d])
            assert ctx.browser.wait_for("box", lambda: box_open(ctx), 3), \
                f"expected #gameover to open after turning onto the body at {(x, y)}"
            tap(ctx, "gameover-ok")
            assert ctx.browser.wait_for("closed", lambda: not box_open(ctx), 3), \
                "expected a tap on OK to close the box"
            frame = wait_head(ctx, (x, y, d))
            bodies = frames.find_bodies(ctx.art, frame)
            assert not bodies, f"expected the head alone after the restart, saw body pieces at {bodies}"
            return
        raise AssertionError("expected to steer the snake onto its body in one of three games")
    finally:
        ctx.browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})


@browsers(*CHROMIUM)
def crisp_at_device_pixel_ratio_two(ctx):
    ctx.browser.cdp("Emulation.setDeviceMetricsOverride",
                    {"width": 1000, "height": 820, "deviceScaleFactor": 2, "mobile": False})
    try:
        load(ctx)
        shot, rect = ctx.browser.capture_canvas()
        frame, f = frames.to_frame(shot)
        assert frame is not None and f >= 2, \
            f"expected the frame at a whole factor of at least 2 at a device pixel ratio of 2, " \
            f"captured {shot.size} device pixels ({rect})"
        blurred = frames.blocks_uniform(shot, f)
        assert blurred == 0, f"expected every {f}x{f} block of device pixels uniform, " \
            f"{blurred} pixels differ from their block"
        share = frames.background_share(ctx.art, frame)
        assert share > 0.9, f"expected the background tile over the board, saw it on {share:.0%}"
        assert frames.legend_shown(ctx.art, frame), "expected the legend in the panel"
    finally:
        ctx.browser.cdp("Emulation.clearDeviceMetricsOverride")


@browsers(*CHROMIUM)
def missing_background_tile_shows_the_error(ctx):
    copy = os.path.join(ctx.work, "without-backtile")
    shutil.copytree(ctx.server.folder, copy)
    os.remove(os.path.join(copy, "BackTile.bmp"))
    with SiteServer(copy) as server:
        ctx.browser.navigate(server.url())
        state = ctx.browser.wait_for("error", lambda: ctx.browser.state() == "error",
                                     FIRST_FRAME_SECONDS)
        text = message_text(ctx)
        assert state, f"expected the state \"error\" without BackTile.bmp, saw " \
            f"{ctx.browser.state()!r} with the message {text!r}"
        assert text and re.match(r"ぬいかろ: .*BackTile\.bmp: \S", text), \
            f"expected a message \"ぬいかろ: …BackTile.bmp: <reason>\", saw {text!r}"
        assert visible(ctx, "message"), "expected #message to show on the page"


@browsers(*CHROMIUM)
def escape_ends_and_again_plays_again(ctx):
    load(ctx)
    ctx.browser.keys("Escape")
    ended = ctx.browser.wait_for("ended", lambda: ctx.browser.state() == "ended", 5)
    assert ended, f"expected the state \"ended\" after Escape, saw {ctx.browser.state()!r}"
    assert visible(ctx, "again"), "expected the #again button once the game has ended"
    still = capture(ctx)
    time.sleep(STILL)
    assert frames.same(capture(ctx), still), "expected the game to stand still once it has ended"
    ctx.browser.js("document.getElementById('again').click()")
    load_state = ctx.browser.wait_for("again", lambda: ctx.browser.state() == "running",
                                      FIRST_FRAME_SECONDS)
    assert load_state, f"expected #again to start a game, saw the state {ctx.browser.state()!r}"
    found = ctx.browser.wait_for("head", lambda: [h for h in heads(ctx, capture(ctx))
                                                  if h[0] == 0 and h[2] == 2], 3)
    assert found, "expected the new game's head in column 0 facing down"


# A standard pad of the test's own, there before the page loads: every document of the page (the
# page asks for pads through a frame of its own) finds the page's window.testPad through
# navigator.getGamepads; its buttons are pressed by hand.
FAKE_PAD = """
if (!window.top.testPad) {
  window.top.testPad = {id: "test pad", index: 0, connected: true, mapping: "standard",
                        timestamp: 0, axes: [0, 0, 0, 0],
                        buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
}
navigator.getGamepads = () => [window.top.testPad, null, null, null];
"""
PAD_A, PAD_START, PAD_RIGHT = 0, 9, 15
PAD_DPAD = {0: 12, 1: 15, 2: 13, 3: 14}  # direction code -> the standard layout's d-pad button


def pad_button(ctx, button, pressed):
    ctx.browser.js("const b = window.testPad.buttons[arguments[0]];"
                   "b.pressed = arguments[1]; b.value = arguments[1] ? 1 : 0;", button, pressed)


def pad_press(ctx, button):
    pad_button(ctx, button, True)
    time.sleep(0.1)  # some frames: the page reads the pad once a frame
    pad_button(ctx, button, False)
    time.sleep(0.1)


@browsers(*CHROMIUM)
def a_pad_steps_the_head_in_step_mode_and_a_closes_the_box(ctx):
    script = ctx.browser.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": FAKE_PAD})
    try:
        load(ctx)
        pad_press(ctx, PAD_START)
        (x, y, d), _ = settled_head(ctx)
        stays(ctx, (x, y, d), "after Start on the pad")
        pad_press(ctx, PAD_RIGHT)
        wait_head(ctx, (x + 1, y, 1))
        stays(ctx, (x + 1, y, 1), "after the pad's d-pad right")
        # Headless Chromium never loses the focus, so the window's own events stand for it.
        ctx.browser.js("dispatchEvent(new FocusEvent('blur'))")
        assert ctx.browser.js("return document.querySelectorAll('iframe').length") == 0, \
            "expected no document of the page to ask for pads once it lost the focus"
        pad_press(ctx, PAD_RIGHT)
        stays(ctx, (x + 1, y, 1), "after d-pad right while the page had lost the focus")
        ctx.browser.js("dispatchEvent(new FocusEvent('focus'))")
        pad_press(ctx, PAD_RIGHT)
        wait_head(ctx, (x + 2, y, 1))
        for _ in range(3):
            played = play_to_self_hit(ctx)
            if not played:
                continue
            _, (x, y, d), _ = played
            pad_press(ctx, PAD_DPAD[d])
            assert ctx.browser.wait_for("box", lambda: box_open(ctx), 3), \
                f"expected #gameover to open after the pad turned onto the body at {(x, y)}"
            pad_button(ctx, PAD_A, True)
            time.sleep(0.3)
            assert box_open(ctx), "expected the box to stay open while A is held down"
            pad_button(ctx, PAD_A, False)
            assert ctx.browser.wait_for("closed", lambda: not box_open(ctx), 3), \
                "expected A's release on the pad to close the box"
            frame = wait_head(ctx, (x, y, d))
            bodies = frames.find_bodies(ctx.art, frame)
            assert not bodies, f"expected the head alone after the restart, saw body pieces at {bodies}"
            return
        raise AssertionError("expected to steer the snake onto its body in one of three games")
    finally:
        ctx.browser.cdp("Page.removeScriptToEvaluateOnNewDocument",
                        {"identifier": script["identifier"]})


ALL = [page_weighs_at_most_one_and_a_half_megabytes,
       swipes_steer_and_the_enter_button_toggles_step_mode,
       a_tap_on_ok_closes_the_box_and_the_game_restarts, crisp_at_device_pixel_ratio_two,
       missing_background_tile_shows_the_error, escape_ends_and_again_plays_again,
       a_pad_steps_the_head_in_step_mode_and_a_closes_the_box]
