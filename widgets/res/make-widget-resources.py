#!/usr/bin/env python3
"""Writes the control library's two small resources: Hand.cur (32x32, two
colours: a pointing hand with its hot spot at the finger tip, 12, 5), the
cursor over flat buttons, and FontTypeMarks.bmp (15x15, 24-bit: a "T" mark
on white, the mark before TrueType faces in the font preview combo; white
is transparent). Run from this folder."""
import struct

SIZE = 32
T, B, W = 0, 1, 2

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


def write_cur(path, rows, hot):
    c = [[T] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            c[y][x] = B if ch == "B" else W if ch == "W" else T
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


write_cur("Hand.cur", HAND, (12, 5))
write_bmp("FontTypeMarks.bmp", MARK)
