#!/usr/bin/python3
"""Draws TrackIcons.bmp, the lists' track icons: 16 x 17 pixels each on
green (0, 255, 0), the mask colour. Run from this folder; the result is
kept in the repository and named by the resource script (bitmap 146).
Icons: a track, a played track, a track whose file is missing, a video."""
from PIL import Image, ImageDraw

W, H, N = 16, 17, 4
GREEN = (0, 255, 0)
img = Image.new("RGB", (W * N, H), GREEN)
d = ImageDraw.Draw(img)


def note(x, colour):
    d.ellipse([x + 3, 10, x + 8, 14], fill=colour)
    d.line([(x + 8, 2), (x + 8, 12)], fill=colour, width=2)
    d.line([(x + 8, 2), (x + 12, 5)], fill=colour, width=2)


note(0, (30, 60, 140))
note(W, (30, 60, 140))
d.line([(W + 9, 12), (W + 11, 15), (W + 15, 8)], fill=(0, 130, 0), width=2)
note(2 * W, (120, 120, 120))
d.line([(2 * W + 9, 9), (2 * W + 15, 15)], fill=(210, 0, 0), width=2)
d.line([(2 * W + 15, 9), (2 * W + 9, 15)], fill=(210, 0, 0), width=2)
d.rectangle([3 * W + 1, 3, 3 * W + 14, 13], fill=(40, 40, 40))
for y in (4, 11):
    for x in range(3 * W + 2, 3 * W + 14, 3):
        d.rectangle([x, y, x + 1, y + 1], fill=(230, 230, 230))
img.save("TrackIcons.bmp", format="BMP")
