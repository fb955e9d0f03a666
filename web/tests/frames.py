"""Reading the game's 640x480 frame out of a capture, against the artwork the page serves."""

import base64
import io

import numpy as np
from PIL import Image

CELL = 16
BOARD_CELLS = 30
# Colour management or scaling may shift a channel by a step or two; a wrong picture differs by far
# more than this.
TOLERANCE = 6
# The score line of the side panel.
SCORE_BOX = (500, 28, 630, 50)
# The panel's legend: the three item pictures, copied unmasked.
LEGEND = [((490, 200), 1), ((490, 216), 2), ((490, 232), 3)]


class Artwork:
    def __init__(self, sheet_path, tile_path):
        sheet = np.asarray(Image.open(sheet_path).convert("RGB"), dtype=np.int16)
        tile = np.asarray(Image.open(tile_path).convert("RGB"), dtype=np.int16)

        def cell(column, row):
            return sheet[row * CELL:(row + 1) * CELL, column * CELL:(column + 1) * CELL]

        self.cell = cell
        # Where a sprite is opaque the mask is black; there its picture shows whatever lies below.
        self.opaque = cell(0, 0).max(axis=2) == 0
        self.items = {kind: cell(kind, 0) for kind in (1, 2, 3)}
        self.heads = [cell(d, 1) for d in range(4)]
        self.bodies = [cell(d, 2) for d in range(4)]
        reps = (480 // tile.shape[0] + 1, 480 // tile.shape[1] + 1, 1)
        self.board = np.tile(tile, reps)[:480, :480]


def canvas_content(data_url):
    """The pixels of a canvas's data: URL."""
    data = base64.b64decode(data_url.split(",", 1)[1])
    return np.asarray(Image.open(io.BytesIO(data)).convert("RGB"), dtype=np.int16)


def to_frame(capture):
    """The game's frame read from a capture of the canvas in device pixels at each game pixel's
    centre, and the scale in device pixels per game pixel (None, None when the capture is not
    640x480 in shape or holds fewer device pixels than game pixels)."""
    width, height = capture.size
    scale = width / 640
    if scale < 1 or abs(height - 480 * scale) > 1:
        return None, None
    pixels = np.asarray(capture, dtype=np.int16)
    xs = np.floor((np.arange(640) + 0.5) * scale).astype(int)
    ys = np.minimum(np.floor((np.arange(480) + 0.5) * scale).astype(int), height - 1)
    return pixels[ys][:, xs], scale


def blocks_uniform(capture, f):
    """The number of device pixels that differ from the first pixel of their f x f block."""
    f = int(f)
    pixels = np.asarray(capture, dtype=np.int16).reshape(480, f, 640, f, 3)
    return int((np.abs(pixels - pixels[:, :1, :, :1]).max(axis=4) > TOLERANCE).sum())


def cells(frame):
    """The board as a 30x30 grid of 16x16 cells: [row, column, y, x, channel]."""
    return frame[:480, :480].reshape(BOARD_CELLS, CELL, BOARD_CELLS, CELL, 3).swapaxes(1, 2)


def matches(grid, picture, mask):
    """[row, column] True where the cell shows the picture on its masked pixels."""
    diff = np.abs(grid - picture).max(axis=4)
    return ~((diff > TOLERANCE) & mask).any(axis=(2, 3))


def find_heads(art, frame):
    """Every (x, y, dir) whose cell shows a head picture."""
    grid = cells(frame)
    found = []
    for d, head in enumerate(art.heads):
        for y, x in zip(*np.nonzero(matches(grid, head, art.opaque))):
            found.append((int(x), int(y), d))
    return found


def find_bodies(art, frame):
    """Every cell (x, y) that shows a body picture."""
    grid = cells(frame)
    hit = np.zeros((BOARD_CELLS, BOARD_CELLS), bool)
    for body in art.bodies:
        hit |= matches(grid, body, art.opaque)
    return {(int(x), int(y)) for y, x in zip(*np.nonzero(hit))}


def find_items(art, frame):
    """{(x, y): kind} of every cell that shows an item picture."""
    grid = cells(frame)
    found = {}
    for kind, picture in art.items.items():
        for y, x in zip(*np.nonzero(matches(grid, picture, art.opaque))):
            found[(int(x), int(y))] = kind
    return found


def background_share(art, frame):
    """The share of the board's pixels that show the background tile."""
    return float((np.abs(frame[:480, :480] - art.board).max(axis=2) <= TOLERANCE).mean())


def legend_shown(art, frame):
    """True when the panel shows the three item pictures of its legend."""
    for (x, y), kind in LEGEND:
        if np.abs(frame[y:y + CELL, x:x + CELL] - art.items[kind]).max() > TOLERANCE:
            return False
    return True


def score_area(frame):
    left, top, right, bottom = SCORE_BOX
    return frame[top:bottom, left:right].copy()


def same(a, b):
    return a.shape == b.shape and int(np.abs(a - b).max()) <= TOLERANCE


def save(frame, path):
    Image.fromarray(np.clip(frame, 0, 255).astype(np.uint8)).save(path)
