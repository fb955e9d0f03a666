"""What the browser tests play in every browser, and what every scenario shares. Each scenario
takes a Context (browser_tests.py) and raises AssertionError with what it expected and saw."""

import time

import frames
from snake import KEY_OF, STEPS, Snake

EVERY = ("chromium", "firefox", "webkit")
CHROMIUM = ("chromium",)
FIRST_FRAME_SECONDS = 15  # generous: the first frame may take long on a busy machine
STILL = 0.35  # more than three ticks


def browsers(*names):
    def mark(scenario):
        scenario.browsers = names
        return scenario
    return mark


def load(ctx, url=None):
    ctx.browser.navigate(url or ctx.server.url())
    state = ctx.browser.wait_for("running", lambda: ctx.browser.state() in ("running", "error"),
                                 FIRST_FRAME_SECONDS)
    state = ctx.browser.state()
    assert state == "running", f"expected the page's state \"running\" within " \
        f"{FIRST_FRAME_SECONDS} s of opening it, saw {state!r}: {message_text(ctx)!r}"


def message_text(ctx):
    return ctx.browser.js("const m = document.getElementById('message');"
                          "return m ? m.textContent : null")


def visible(ctx, element_id):
    return ctx.browser.js(
        "const e = document.getElementById(arguments[0]); if (!e) return false;"
        "const s = getComputedStyle(e); const r = e.getBoundingClientRect();"
        "return s.display !== 'none' && s.visibility !== 'hidden' && r.width > 0 && r.height > 0;",
        element_id)


def capture(ctx):
    """The game's frame as the player sees it, and the scale factor."""
    shot, rect = ctx.browser.capture_canvas()
    frame, f = frames.to_frame(shot)
    assert frame is not None, f"expected the canvas to show 640x480 at one device pixel or more, " \
        f"captured {shot.size[0]}x{shot.size[1]} device pixels ({rect})"
    return frame


# The viewport in CSS px as the page sees it, and whether everything stays inside it.
VIEW = """return {width: document.documentElement.clientWidth, height: innerHeight,
                 scrollWidth: document.documentElement.scrollWidth}"""


def fit_problems(ctx, rect):
    """What is wrong with the canvas's size and place in the viewport: it fills at least 90 % of
    the limiting side, lies inside and centred, on whole device pixels, and at a whole factor
    where that fills 90 %, else drawn nearest-neighbour at more than one device pixel."""
    view = ctx.browser.js(VIEW)
    ratio, problems = rect["ratio"], []
    full = min(view["width"] / 640, view["height"] / 480)
    fill = rect["width"] / 640 / full
    scale = rect["width"] * ratio / 640
    if fill < 0.9 - 1e-9 or fill > 1.0001:
        problems.append(f"fills {fill:.1%} of the limiting side")
    if rect["left"] < 0 or rect["top"] < 0 or rect["left"] + rect["width"] > view["width"] + 0.01 \
            or rect["top"] + rect["height"] > view["height"] + 0.01:
        problems.append(f"not inside the viewport {view}: {rect}")
    if view["scrollWidth"] > view["width"]:
        problems.append(f"the page is {view['scrollWidth']} px wide in a {view['width']} px viewport")
    pad = ctx.browser.js("const p = document.getElementById('pad'); return p && !p.hidden")
    centre = (rect["left"] + rect["width"] / 2, rect["top"] + rect["height"] / 2)
    if not pad and max(abs(centre[0] - view["width"] / 2), abs(centre[1] - view["height"] / 2)) > 1:
        problems.append(f"centred at {centre} in a viewport of {view['width']}x{view['height']}")
    for edge in ("left", "top", "width"):
        if abs(rect[edge] * ratio - round(rect[edge] * ratio)) > 0.01:
            problems.append(f"{edge} {rect[edge]} is not on a whole device pixel")
    whole = int(full * ratio)
    if whole >= 1 and whole / ratio >= 0.9 * full and abs(scale - round(scale)) > 1e-6:
        problems.append(f"scale {scale:g} where the whole factor {whole} fills 90 %")
    if rect["rendering"] not in ("pixelated", "crisp-edges") or scale <= 1 - 1e-6:
        problems.append(f"drawn {rect['rendering']} at {scale:g} device pixels per game pixel")
    return problems


def heads(ctx, frame):
    return frames.find_heads(ctx.art, frame)


def wait_head(ctx, want, timeout=3.0):
    """Captures until the one head shows as want (x, y, dir); returns that frame."""
    seen = []
    end = time.monotonic() + timeout
    while True:
        frame = capture(ctx)
        seen = heads(ctx, frame)
        if seen == [want]:
            return frame
        assert time.monotonic() < end, f"expected the head (x, y, dir) {want}, saw {seen}"
        time.sleep(0.03)


def settled_head(ctx):
    """The head once it stands still (step mode), with the frame."""
    before = None
    end = time.monotonic() + 4
    while True:
        frame = capture(ctx)
        seen = heads(ctx, frame)
        if len(seen) == 1 and seen == before:
            return seen[0], frame
        assert time.monotonic() < end, f"expected the head to stand still, saw {before} then {seen}"
        before = seen
        time.sleep(STILL)


def stays(ctx, want, what):
    time.sleep(STILL)
    seen = heads(ctx, capture(ctx))
    assert seen == [want], f"{what}: expected the head to stay at {want}, saw {seen}"


@browsers(*EVERY)
def board_shows(ctx):
    ctx.server.clear()
    load(ctx)
    asked = {path for path, status in ctx.server.requests if status == 200}
    for name in ("/BackTile.bmp", "/Nuik_Items.bmp"):
        assert name in asked, f"expected the page to fetch {name}, it fetched {sorted(asked)}"
    shot, rect = ctx.browser.capture_canvas()
    assert (rect["backingWidth"], rect["backingHeight"]) == (640, 480), \
        f"expected a 640x480 canvas, saw {rect['backingWidth']}x{rect['backingHeight']}"
    assert rect["rendering"] in ("pixelated", "crisp-edges"), \
        f"expected image-rendering pixelated, saw {rect['rendering']!r}"
    problems = fit_problems(ctx, rect)
    assert not problems, "expected the frame to fill the viewport sharply: " + "; ".join(problems)
    frame = capture(ctx)
    share = frames.background_share(ctx.art, frame)
    assert share > 0.9, f"expected the background tile over the board, saw it on {share:.0%}"
    panel = frame[:, 480:]
    assert panel.max() > 0, "expected the side panel to show something, saw it all black"
    assert frames.legend_shown(ctx.art, frame), \
        "expected the legend's three item pictures at x 490, y 200/216/232 of the panel"
    # The canvas's own pixels hold the same frame, one to one.
    own = frames.canvas_content(ctx.browser.js("return document.getElementById('canvas')"
                                               ".toDataURL('image/png')"))
    assert own.shape == (480, 640, 3), f"expected a 640x480 canvas image, saw {own.shape}"
    shown = capture(ctx)
    assert frames.same(own[:26, 480:], shown[:26, 480:]) and \
        frames.same(own[52:, 480:], shown[52:, 480:]), \
        "expected the canvas's own panel (but for the score) to match what the page shows"
    share = frames.background_share(ctx.art, own)
    assert share > 0.9, f"expected the background tile over the canvas's own board, saw {share:.0%}"


@browsers(*EVERY)
def head_runs_down(ctx):
    load(ctx)
    rows, others = [], []
    end = time.monotonic() + 2.5
    while time.monotonic() < end and len(set(rows)) < 4:
        for x, y, d in heads(ctx, capture(ctx)):
            if (x, d) == (0, 2) or (x, y, d) == (0, 0, 0):  # the first frame shows it facing up
                rows.append(y)
            else:
                others.append((x, y, d))
    assert not others, f"expected the head only in column 0 facing down, saw it at {others}"
    assert len(set(rows)) >= 3 and rows == sorted(rows), \
        f"expected the head's row in column 0 to grow tick by tick, saw rows {rows}"


@browsers(*EVERY)
def enter_then_arrows_step(ctx):
    load(ctx)
    ctx.browser.keys("Enter")
    (x, y, d), _ = settled_head(ctx)
    assert (x, d) == (0, 2), f"expected the head in column 0 facing down, saw {(x, y, d)}"
    stays(ctx, (x, y, d), "after Enter")
    vertical = 2 if y < 28 else 0  # two rows down, or up near the bottom: never a cell twice
    for key, d in (("Right", 1), ("Right", 1), (KEY_OF[vertical], vertical), ("Left", 3)):
        ctx.browser.keys(key)
        x, y = x + STEPS[d][0], y + STEPS[d][1]
        wait_head(ctx, (x, y, d))
        stays(ctx, (x, y, d), f"after {key}")
    # Neither an arrow nor Space scrolls the page, even when it could scroll.
    ctx.browser.js("document.body.style.minHeight = '5000px'; scrollTo(0, 0);")
    ctx.browser.keys("Space", KEY_OF[vertical])
    time.sleep(0.2)
    scrolled = ctx.browser.js("return scrollY")
    assert scrolled == 0, f"expected Space and arrows not to scroll the page, it scrolled {scrolled}"
    wait_head(ctx, (x, y + STEPS[vertical][1], vertical))


def box_open(ctx):
    return visible(ctx, "gameover")


def play_to_self_hit(ctx):
    """Plays one game in step mode until the head turns onto its body. Returns the frame of the
    last move, the fatal (x, y, dir) and a capture of the score at 0, or None when the items
    took the game somewhere the steering cannot follow."""
    load(ctx)
    ctx.browser.keys("Enter")
    (x, y, d), frame = settled_head(ctx)
    zero = frames.score_area(frame)
    items = frames.find_items(ctx.art, frame)
    snake = Snake(x, y, d)
    snake.move(1, items)
    ctx.browser.keys("Right")
    frame = wait_head(ctx, snake.head)
    if frames.find_bodies(ctx.art, frame):
        return None  # the head took an item on its way down: the score may not be 0
    for _ in range(120):
        items = frames.find_items(ctx.art, frame)
        d, fatal = snake.next_move(items)
        if d is None:
            return None
        if fatal:
            target = snake.target(d)
            if target not in frames.find_bodies(ctx.art, frame):
                return None
            return frame, (*target, d), zero
        snake.move(d, items)
        ctx.browser.keys(KEY_OF[d])
        frame = wait_head(ctx, snake.head)
    return None


@browsers(*EVERY)
def self_hit_opens_the_box_and_enter_restarts(ctx):
    for _ in range(3):
        played = play_to_self_hit(ctx)
        if played and box_then_restart(ctx, *played):
            return
    raise AssertionError("expected to steer the snake onto its body and see the restart in one "
                         "of three games")


def box_then_restart(ctx, last, fatal, zero):
    """The fatal move, the box and the restart. False in the rare game whose restart put an item
    under the head, which then counts at once."""
    x, y, d = fatal
    before = heads(ctx, last)
    ctx.browser.keys(KEY_OF[d])
    assert ctx.browser.wait_for("box", lambda: box_open(ctx), 3), \
        f"expected #gameover to open after turning onto the body at {(x, y)}"
    text = ctx.browser.js("return document.getElementById('gameover').textContent")
    assert "GameOver!" in text, f"expected the box to say GameOver!, it says {text!r}"
    assert visible(ctx, "gameover-ok"), "expected the box's #gameover-ok button to show"
    # While the box is open, ticks and the game's keys change nothing.
    board = capture(ctx)
    assert heads(ctx, board) == before, \
        f"expected the frame before the fatal move, with the head at {before}, saw {heads(ctx, board)}"
    ctx.browser.keys("Left", "Up", "Right", "Down", "a")
    time.sleep(STILL)
    assert box_open(ctx), "expected the box to stay open after arrows and a letter"
    assert frames.same(capture(ctx), board), "expected the frame to stand still while the box is open"
    # The box acts on Enter's release.
    ctx.browser.key_down("Enter")
    time.sleep(0.2)
    assert box_open(ctx), "expected the box to stay open while Enter is held down"
    ctx.browser.key_up("Enter")
    assert ctx.browser.wait_for("closed", lambda: not box_open(ctx), 3), \
        "expected Enter's release to close the box"
    frame = wait_head(ctx, (x, y, d))
    bodies = frames.find_bodies(ctx.art, frame)
    assert not bodies, f"expected the head alone after the restart, saw body pieces at {bodies}"
    reset = frames.same(frames.score_area(frame), zero)
    stays(ctx, (x, y, d), "after the restart (step mode stays on)")
    assert ctx.browser.state() == "running", f"expected state running, saw {ctx.browser.state()!r}"
    if not reset:
        # Either the score was kept, or the restart laid a growing item under the head: then the
        # body shows on this cell once the head moves on.
        away = next(a for a in range(4) if 0 <= x + STEPS[a][0] < 30 and 0 <= y + STEPS[a][1] < 30)
        ctx.browser.keys(KEY_OF[away])
        frame = wait_head(ctx, (x + STEPS[away][0], y + STEPS[away][1], away))
        assert (x, y) in frames.find_bodies(ctx.art, frame), \
            "expected the score of a new game after the restart"
        return False
    # The ticks move the head again once step mode is off.
    away = max(range(4), key=lambda a: room(x, y, a))
    ctx.browser.keys(KEY_OF[away], "Enter")
    runs = ctx.browser.wait_for("timed play", lambda: [
        (hx, hy, hd) for hx, hy, hd in heads(ctx, capture(ctx))
        if hd == away and along(x, y, away, hx, hy) >= 2], 3)
    assert runs, f"expected the ticks to carry the head on from {(x, y)} in direction {away} " \
        f"after the restart, saw {heads(ctx, capture(ctx))}"
    return True


def room(x, y, d):
    """How many cells lie between (x, y) and the wall in direction d."""
    return [y, 29 - x, 29 - y, x][d]


def along(x, y, d, hx, hy):
    """How many cells (hx, hy) lies from (x, y) in direction d; -1 when off that line."""
    dx, dy = STEPS[d]
    if (hx - x) * dy != (hy - y) * dx:
        return -1
    return (hx - x) * dx + (hy - y) * dy


ALL = [board_shows, head_runs_down, enter_then_arrows_step,
       self_hit_opens_the_box_and_enter_restarts]
