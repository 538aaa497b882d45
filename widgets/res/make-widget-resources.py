#!/usr/bin/env python3
"""Writes the control library's two small resources: Hand.cur (32x32, two
colours: a pointing hand with its hot spot at the finger tip, 12, 5), the
cursor over flat buttons, and FontTypeMarks.bmp (15x15, 24-bit: a "T" mark
on white, the mark before TrueType faces in the font preview combo; white
is transparent). Run from this folder."""
import struct
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from cursorfile import SIZE, T, B, W, write_cur  # noqa: E402

HAND = [
    "           BB",
    "          BWWB",
    "          BWWB",
    "          BWWB",
    "          BWWB",
    "          BWWBBB",
    "          BWWBWWBBB",
    "          BWWBWWBWWBB",
    "       BB BWWBWWBWWBWB",
    "      BWWBBWWWWWWWWBWWB",
    "      BWWWBWWWWWWWWWWWB",
    "       BWWWWWWWWWWWWWWB",
    "        BWWWWWWWWWWWWWB",
    "        BWWWWWWWWWWWWB",
    "         BWWWWWWWWWWWB",
    "         BWWWWWWWWWWB",
    "          BWWWWWWWWWB",
    "          BWWWWWWWWB",
    "          BBBBBBBBBB",
]


def write_rows_cur(path, rows, hot):
    c = [[T] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            c[y][x] = B if ch == "B" else W if ch == "W" else T
    write_cur(path, c, hot)


MARK = [
    "...............",
    "...............",
    "..###########..",
    "..###########..",
    "..##...#...##..",
    ".......#.......",
    ".......#.......",
    "......###......",
    "......###......",
    "......###......",
    "......###......",
    "......###......",
    ".....#####.....",
    "...............",
    "...............",
]


def write_bmp(path, rows, ink=(0x20, 0x20, 0x80)):
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):
        line = b""
        for ch in row:
            r, g, b = ink if ch == "#" else (255, 255, 255)
            line += bytes((b, g, r))
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


write_rows_cur("Hand.cur", HAND, (12, 5))
write_bmp("FontTypeMarks.bmp", MARK)
