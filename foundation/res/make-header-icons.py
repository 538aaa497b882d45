#!/usr/bin/env python3
# Writes the header-bar icons of the two deliverables, each a 32x32 and a
# 16x16 32-bit image with its mask:
#   make-header-icons.py tavrix ../../mainwindow/res/TavrixHeader.ico
#   make-header-icons.py kvlib  ../../library/res/KVLibHeader.ico
# TavrixVJ: a yellow-rimmed record with a red label. KVLib: a blue record
# sleeve with a white note.
import math, struct, sys


def tavrix(x, y, n):
    c = (n - 1) / 2.0
    r = math.hypot(x - c, y - c) / (n / 2.0)
    if r > 1.0:
        return None
    if r > 0.88:
        return (255, 210, 0, 255)
    if r < 0.14:
        return (20, 20, 20, 255)
    if r < 0.36:
        return (220, 40, 40, 255)
    groove = int(r * n * 0.9) % 2
    return (40, 40, 48, 255) if groove else (25, 25, 30, 255)


def kvlib(x, y, n):
    s = n / 32.0
    if x < 1 * s or x >= n - 1 * s or y < 1 * s or y >= n - 1 * s:
        return None
    # white note: head and stem
    hx, hy = 13 * s, 21 * s
    if ((x - hx) / (4.5 * s)) ** 2 + ((y - hy) / (3.5 * s)) ** 2 <= 1.0:
        return (255, 255, 255, 255)
    if 16.5 * s <= x < 18.5 * s and 6 * s <= y <= 21 * s:
        return (255, 255, 255, 255)
    if 16.5 * s <= x < 24 * s and 6 * s <= y < 9 * s:
        return (255, 255, 255, 255)
    edge = x < 2 * s or x >= n - 2 * s or y < 2 * s or y >= n - 2 * s
    return (10, 40, 110, 255) if edge else (40, 90, 200, 255)


def image(draw, n):
    rows = []
    mask_rows = []
    mask_stride = ((n + 31) // 32) * 4
    for y in range(n - 1, -1, -1):  # bottom-up
        line = bytearray()
        mask = bytearray(mask_stride)
        for x in range(n):
            p = draw(x, y, n)
            if p is None:
                line += bytes((0, 0, 0, 0))
                mask[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b, a = p
                line += bytes((b, g, r, a))
        rows.append(bytes(line))
        mask_rows.append(bytes(mask))
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + b"".join(mask_rows)


def main():
    draw = {"tavrix": tavrix, "kvlib": kvlib}[sys.argv[1]]
    images = [image(draw, n) for n in (32, 16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[2], "wb") as f:
        f.write(out + b"".join(images))


main()
