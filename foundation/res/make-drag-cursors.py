#!/usr/bin/env python3
"""Writes the file tree's three drag cursors (32x32, two colours):
DragCopy.cur (arrow with a plus: a copy onto a valid target),
DragCopyNoDrop.cur (arrow, plus and a barred circle: a copy over an invalid
place) and DragNoDrop.cur (arrow and a barred circle: a move over an invalid
place). Run from this folder."""
import math
import struct

SIZE = 32
# Transparent, black, white.
T, B, W = 0, 1, 2

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


def write_cur(path, c, hot=(0, 0)):
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):
        xor_bits = and_bits = 0
        for x in range(SIZE):
            bit = 1 << (31 - x)
            if c[y][x] == T:
                and_bits |= bit
            elif c[y][x] == W:
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hot[0], hot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


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
