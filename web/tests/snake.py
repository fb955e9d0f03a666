"""The snake as the test expects it to move, and the steering that makes it bite itself.

The items are random, so a test reads them off the frame before every step and moves the model
with them; the model then says where the head must show next and which move is fatal.
"""

from collections import deque

STEPS = [(0, -1), (1, 0), (0, 1), (-1, 0)]  # up, right, down, left
KEY_OF = ["Up", "Right", "Down", "Left"]
GROWTH = {1: 3, 2: 5}
LIMIT = 900


def inside(x, y):
    return 0 <= x < 30 and 0 <= y < 30


class Snake:
    def __init__(self, x, y, d):
        self.records = [(x, y, d)]

    @property
    def head(self):
        return self.records[0]

    def body_cells(self):
        return {(x, y) for x, y, _ in self.records[1:]}

    def target(self, d):
        x, y, _ = self.head
        return x + STEPS[d][0], y + STEPS[d][1]

    def move(self, d, items):
        """Moves one cell with the items seen before the move. Returns "refused", "fatal" or
        "moved"."""
        x, y = self.target(d)
        if not inside(x, y):
            return "refused"
        if (x, y) in self.body_cells():
            return "fatal"
        old = self.records
        self.records = [(x, y, d)] + [(x, y, d)] * (len(old) > 1) + old[1:-1]
        kind = items.get((x, y))
        if kind in GROWTH:
            if len(self.records) == 1:
                self.records += [self.head] * (GROWTH[kind] + 1)
            else:
                self.records += [self.records[-1]] * GROWTH[kind]
            del self.records[LIMIT:]
        elif kind == 3:
            del self.records[max(1, len(self.records) - 3):]
        return "moved"

    def next_move(self, items):
        """The direction of the next step towards a self-hit, and whether it is the fatal one."""
        body = self.body_cells()
        for d in range(4):
            if self.target(d) in body:
                return d, True
        blocked = body | {cell for cell, kind in items.items() if kind == 3}
        if len(self.records) >= 3:
            # Any free step: the body then lies on the cell just left.
            free = [d for d in range(4)
                    if inside(*self.target(d)) and self.target(d) not in blocked]
            free.sort(key=lambda d: self.target(d) in items)
            return (free[0], False) if free else (None, False)
        return self.towards_growth(items, blocked), False

    def towards_growth(self, items, blocked):
        """The first step of a shortest way to an item that makes the snake grow."""
        start = self.head[:2]
        first = {start: None}
        queue = deque([start])
        while queue:
            cell = queue.popleft()
            if cell != start and items.get(cell) in GROWTH:
                return first[cell]
            for d, (dx, dy) in enumerate(STEPS):
                nxt = (cell[0] + dx, cell[1] + dy)
                if inside(*nxt) and nxt not in blocked and nxt not in first:
                    first[nxt] = d if cell == start else first[cell]
                    queue.append(nxt)
        return None
