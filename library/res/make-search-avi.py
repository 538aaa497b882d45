#!/usr/bin/env python3
"""Makes search.avi, the clip of KVLib's waiting window: a magnifier that
sweeps back and forth over a row of dots, enlarging the dots under its lens.

The clip is what the common controls' animation control plays: an AVI with
one video stream of uncompressed 8-bit palette frames (BI_RGB), no sound,
with an index. Colour 0 is the background (the control's ACS_TRANSPARENT
takes the top-left pixel's colour as transparent).

Usage: make-search-avi.py [OUTPUT]   (default: search.avi beside this script)
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT = 96, 40
FRAMES = 16
FRAME_MS = 80

# Palette: index -> (r, g, b)
BACKGROUND, DOT, RING, HANDLE, GLASS, BIG_DOT, SHINE = range(7)
PALETTE = {
    BACKGROUND: (0xF0, 0xF0, 0xF0),
    DOT: (0x80, 0x80, 0x80),
    RING: (0x20, 0x30, 0x70),
    HANDLE: (0x60, 0x40, 0x20),
    GLASS: (0xD8, 0xE8, 0xFF),
    BIG_DOT: (0x30, 0x30, 0x30),
    SHINE: (0xFF, 0xFF, 0xFF),
}

DOT_Y = HEIGHT // 2 - 4
DOTS_X = list(range(8, WIDTH - 4, 10))
LENS_R = 11
RING_W = 2.2


def lens_centre(frame):
    # Ease back and forth across the row: one sweep out and back per loop.
    phase = 2 * math.pi * frame / FRAMES
    left, right = LENS_R + 2, WIDTH - LENS_R - 16  # the handle stays inside
    return left + (right - left) * (1 - math.cos(phase)) / 2, DOT_Y


def draw_frame(frame):
    pix = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]
    cx, cy = lens_centre(frame)

    def disc(x0, y0, r, colour, inside=None):
        for y in range(max(0, int(y0 - r - 1)), min(HEIGHT, int(y0 + r + 2))):
            for x in range(max(0, int(x0 - r - 1)), min(WIDTH, int(x0 + r + 2))):
                if (x + 0.5 - x0) ** 2 + (y + 0.5 - y0) ** 2 <= r * r:
                    if inside is None or inside(x, y):
                        pix[y][x] = colour

    # The row of small dots.
    for dx in DOTS_X:
        disc(dx, DOT_Y, 1.6, DOT)

    # The handle, down and to the right of the lens.
    for t in range(0, 14):
        hx = cx + (LENS_R + 1 + t) * 0.62
        hy = cy + (LENS_R + 1 + t) * 0.78
        disc(hx, hy, 2.0, HANDLE)

    # The ring and the glass; dots seen through the glass are twice as big.
    def in_glass(x, y):
        return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= (LENS_R - RING_W) ** 2

    disc(cx, cy, LENS_R, RING)
    disc(cx, cy, LENS_R - RING_W, GLASS)
    for dx in DOTS_X:
        mx = cx + (dx - cx) * 2.0
        disc(mx, cy, 3.4, BIG_DOT, in_glass)
    disc(cx - LENS_R * 0.4, cy - LENS_R * 0.4, 1.6, SHINE, in_glass)
    return pix


def frame_bytes(pix):
    stride = (WIDTH + 3) & ~3
    rows = []
    for row in reversed(pix):  # DIBs are stored bottom-up
        rows.append(bytes(row) + b"\0" * (stride - WIDTH))
    return b"".join(rows)


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def make_avi():
    frames = [frame_bytes(draw_frame(i)) for i in range(FRAMES)]
    size = len(frames[0])

    palette = b"".join(
        struct.pack("<BBBB", *reversed(PALETTE.get(i, (0, 0, 0))), 0) for i in range(256))
    bih = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, size, 0, 0, 256, 0)

    avih = struct.pack(
        "<IIIIIIIIII16s",
        FRAME_MS * 1000,            # microseconds per frame
        size * 1000 // FRAME_MS,    # max bytes per second
        0,                          # padding granularity
        0x10,                       # AVIF_HASINDEX
        FRAMES, 0, 1, size, WIDTH, HEIGHT, b"\0" * 16)
    strh = struct.pack(
        "<4s4sIHHIIIIIIIIhhhh",
        b"vids", b"DIB ", 0, 0, 0, 0,
        FRAME_MS, 1000,             # scale / rate = seconds per frame
        0, FRAMES, size, 0xFFFFFFFF, 0,
        0, 0, WIDTH, HEIGHT)
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", bih + palette))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)

    movi_data = b""
    index = b""
    for f in frames:
        offset = 4 + len(movi_data)  # from the 'movi' fourcc
        movi_data += chunk(b"00db", f)
        index += struct.pack("<4sIII", b"00db", 0x10, offset, len(f))  # AVIIF_KEYFRAME
    movi = riff_list(b"LIST", b"movi", movi_data)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "search.avi")
    with open(out, "wb") as f:
        f.write(make_avi())


if __name__ == "__main__":
    main()
