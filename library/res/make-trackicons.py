#!/usr/bin/env python3
# Writes TrackIcons.bmp: a 272x17 strip of 17 simple 16x17 icons, 24-bit,
# on pure green (0x00FF00), the colour the image list masks out.
import struct, sys

W, H, N = 272, 17, 17
GREEN = (0, 255, 0)
COLOURS = [(40, 40, 200), (200, 40, 40), (40, 160, 40), (200, 160, 0), (120, 40, 160),
           (0, 150, 170), (90, 90, 90), (230, 110, 30), (20, 20, 20), (160, 0, 90),
           (70, 110, 200), (150, 120, 60), (0, 0, 140), (140, 0, 0), (0, 100, 0),
           (100, 100, 0), (60, 60, 160)]

px = [[GREEN] * W for _ in range(H)]
for i in range(N):
    c = COLOURS[i]
    x0 = i * 16
    # a note head and stem, with the icon's number as a row of dots beneath
    for y in range(9, 14):
        for x in range(3, 8):
            if (x - 5) ** 2 + (y - 11) ** 2 <= 5:
                px[y][x0 + x] = c
    for y in range(2, 12):
        px[y][x0 + 8] = c
    for x in range(8, 12):
        px[2][x0 + x] = c
    for k in range(i % 6 + 1):
        px[15][x0 + 2 + 2 * k] = c

row = (W * 3 + 3) & ~3
data = bytearray()
for y in range(H - 1, -1, -1):
    line = bytearray()
    for (r, g, b) in px[y]:
        line += bytes((b, g, r))
    line += b"\0" * (row - len(line))
    data += line
header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
with open(sys.argv[1] if len(sys.argv) > 1 else "TrackIcons.bmp", "wb") as f:
    f.write(header + info + data)
