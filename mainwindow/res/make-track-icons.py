#!/usr/bin/python3
"""Draws TrackIcons.bmp, the icons of the lists and trees: 16 x 17 pixels
each on green (0, 255, 0), the mask colour. Run from this folder; the
result is kept in the repository and named by the resource script (bitmap
146). The index of each icon is what the lists and trees ask for:
0 folder, 1 missing file, 2 playlist, 3 album, 4 artist, 5 MP3 track,
6 played track, 7 genre, 8 BPM, 9 video, 10 year or history, 11 search,
12 drive, 13 other audio file, 14 queue, 15 no picture (empty)."""
from PIL import Image, ImageDraw

W, H, N = 16, 17, 16
GREEN = (0, 255, 0)
NAVY = (30, 60, 140)
GREY = (120, 120, 120)
AMBER = (230, 150, 20)
img = Image.new("RGB", (W * N, H), GREEN)
d = ImageDraw.Draw(img)


def note(x, colour):
    d.ellipse([x + 3, 10, x + 8, 14], fill=colour)
    d.line([(x + 8, 2), (x + 8, 12)], fill=colour, width=2)
    d.line([(x + 8, 2), (x + 12, 5)], fill=colour, width=2)


def folder(x, colour):
    d.rectangle([x + 1, 4, x + 6, 6], fill=colour)
    d.rectangle([x + 1, 6, x + 14, 14], fill=colour, outline=(150, 90, 10))


folder(0, AMBER)                                       # 0 folder
note(1 * W, GREY)                                      # 1 missing file
d.line([(W + 9, 9), (W + 15, 15)], fill=(210, 0, 0), width=2)
d.line([(W + 15, 9), (W + 9, 15)], fill=(210, 0, 0), width=2)
x = 2 * W                                              # 2 playlist
for y in (4, 8, 12):
    d.rectangle([x + 1, y, x + 3, y + 1], fill=NAVY)
    d.rectangle([x + 5, y, x + 14, y + 1], fill=NAVY)
x = 3 * W                                              # 3 album
d.ellipse([x + 1, 2, x + 14, 15], fill=(40, 40, 40))
d.ellipse([x + 6, 7, x + 9, 10], fill=(220, 60, 60))
x = 4 * W                                              # 4 artist
d.ellipse([x + 5, 2, x + 10, 7], fill=NAVY)
d.pieslice([x + 2, 8, x + 13, 20], 180, 360, fill=NAVY)
note(5 * W, NAVY)                                      # 5 MP3 track
note(6 * W, NAVY)                                      # 6 played track
d.line([(6 * W + 9, 12), (6 * W + 11, 15), (6 * W + 15, 8)], fill=(0, 130, 0), width=2)
x = 7 * W                                              # 7 genre
d.polygon([(x + 1, 8), (x + 8, 1), (x + 14, 1), (x + 14, 7), (x + 7, 14)], fill=(150, 60, 170))
d.ellipse([x + 10, 3, x + 12, 5], fill=GREEN)
x = 8 * W                                              # 8 BPM
d.polygon([(x + 4, 15), (x + 7, 1), (x + 9, 1), (x + 12, 15)], fill=(120, 70, 30))
d.line([(x + 8, 12), (x + 12, 4)], fill=(240, 240, 240), width=1)
x = 9 * W                                              # 9 video
d.rectangle([x + 1, 3, x + 14, 13], fill=(40, 40, 40))
for y in (4, 11):
    for xx in range(x + 2, x + 14, 3):
        d.rectangle([xx, y, xx + 1, y + 1], fill=(230, 230, 230))
x = 10 * W                                             # 10 year or history
d.ellipse([x + 1, 1, x + 14, 14], fill=(245, 245, 245), outline=NAVY)
d.line([(x + 8, 4), (x + 8, 8), (x + 11, 10)], fill=NAVY, width=1)
x = 11 * W                                             # 11 search
d.ellipse([x + 1, 1, x + 10, 10], outline=NAVY, width=2)
d.line([(x + 9, 9), (x + 14, 14)], fill=NAVY, width=3)
x = 12 * W                                             # 12 drive
d.rectangle([x + 1, 5, x + 14, 12], fill=(170, 170, 170), outline=(80, 80, 80))
d.rectangle([x + 11, 9, x + 12, 10], fill=(0, 160, 0))
x = 13 * W                                             # 13 other audio file
for i, hgt in enumerate((3, 6, 10, 6, 12, 8, 4)):
    d.line([(x + 2 + 2 * i, 8 - hgt // 2), (x + 2 + 2 * i, 8 + hgt // 2)], fill=(0, 110, 160), width=1)
x = 14 * W                                             # 14 queue
for y in (3, 7, 11):
    d.rectangle([x + 2, y, x + 13, y + 2], fill=(60, 120, 60))
# 15: no picture (all mask)
img.save("TrackIcons.bmp", format="BMP")
