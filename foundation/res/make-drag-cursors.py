#!/usr/bin/env python3
"""Writes the file tree's three drag cursors (32x32, two colours):
DragCopy.cur (arrow with a plus: a copy onto a valid target),
DragCopyNoDrop.cur (arrow, plus and a barred circle: a copy over an invalid
place) and DragNoDrop.cur (arrow and a barred circle: a move over an invalid
place). Run from this folder."""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from cursorfile import SIZE, T, B, W, write_cur  # noqa: E402

ARROW = [
    "B",
    "BB",
    "BWB",
    "BWWB",
    "BWWWB",
    "BWWWWB",
    "BWWWWWB",
    "BWWWWWWB",
    "BWWWWWWWB",
    "BWWWWWWWWB",
    "BWWWWWBBBBB",
    "BWWBWWB",
    "BWB BWWB",
    "BB  BWWB",
    "B    BWWB",
    "     BWWB",
    "      BB",
]


def canvas():
    return [[T] * SIZE for _ in range(SIZE)]


def draw_arrow(c):
    for y, row in enumerate(ARROW):
        for x, ch in enumerate(row):
            if ch == "B":
                c[y][x] = B
            elif ch == "W":
                c[y][x] = W


def draw_plus(c, ox, oy):
    for y in range(11):
        for x in range(11):
            c[oy + y][ox + x] = B if x in (0, 10) or y in (0, 10) else W
    for i in range(2, 9):
        c[oy + 5][ox + i] = B
        c[oy + i][ox + 5] = B


def draw_no(c, cx, cy, r):
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - cx, y - cy)
            on_ring = r - 2.5 <= d <= r
            # The bar from top left to bottom right inside the ring.
            on_bar = d < r and abs((x - cx) - (y - cy)) <= 1.5
            if on_ring or on_bar:
                c[y][x] = B


copy = canvas()
draw_arrow(copy)
draw_plus(copy, 14, 16)
write_cur("DragCopy.cur", copy)

copy_no = canvas()
draw_arrow(copy_no)
draw_no(copy_no, 22, 22, 9)
draw_plus(copy_no, 1, 20)
write_cur("DragCopyNoDrop.cur", copy_no)

no = canvas()
draw_arrow(no)
draw_no(no, 22, 22, 9)
write_cur("DragNoDrop.cur", no)
