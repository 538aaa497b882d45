#!/usr/bin/python3
"""Draws the skin engine's bitmaps: the 8 x 8 background patterns of the
skin's bars and meters (bitmaps 161-164, 175-177, 230-232) and the splash
picture (bitmap 181, 500 x 260 with the status line's place dark at
270..485 x 241..255). Run from this folder; the results are kept in the
repository and named by SkinControls.rc."""
import os

from PIL import Image, ImageDraw, ImageFont

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREEN = (0, 255, 0)
STEEL = (0x33, 0x99, 0xCC)
SILVER = (0xC0, 0xC0, 0xC0)
FONT_DIR = "/usr/share/fonts/truetype/dejavu"


def pattern(number, fn):
    img = Image.new("RGB", (8, 8))
    for y in range(8):
        for x in range(8):
            img.putpixel((x, y), fn(x, y))
    img.save("Pattern%d.bmp" % number, format="BMP")


def shades(base):
    # Eight horizontal bands from dark to light and back.
    levels = [0.25, 0.4, 0.55, 0.7, 0.85, 0.7, 0.55, 0.4]
    return lambda x, y: tuple(int(c * levels[y]) for c in base)


pattern(161, lambda x, y: WHITE if x % 4 < 2 else BLACK)
pattern(162, lambda x, y: GREEN if x % 4 < 2 else BLACK)
pattern(163, lambda x, y: STEEL if x % 4 < 2 else BLACK)
pattern(164, lambda x, y: WHITE if x % 4 == 1 and y % 4 == 1 else BLACK)
pattern(175, lambda x, y: BLACK if y % 4 < 2 else WHITE)
pattern(176, lambda x, y: BLACK if y % 2 == 0 else SILVER)
pattern(177, lambda x, y: BLACK if y % 2 == 0 else GREEN)
pattern(230, shades((255, 255, 255)))
pattern(231, shades((255, 40, 40)))
pattern(232, shades((60, 110, 255)))

# The splash picture.
W, H = 500, 260
img = Image.new("RGB", (W, H))
d = ImageDraw.Draw(img)
for y in range(H):
    t = y / (H - 1)
    d.line([(0, y), (W, y)], fill=(int(12 + 20 * t), int(18 + 30 * t), int(40 + 70 * t)))
for i in range(24):
    x = 40 + i * 18
    h = 30 + (i * 37) % 70
    d.rectangle([x, 170 - h, x + 10, 170], fill=(40 + i * 6, 120, 220 - i * 4))
bold = ImageFont.truetype(os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf"), 42)
plain = ImageFont.truetype(os.path.join(FONT_DIR, "DejaVuSans.ttf"), 14)
d.text((40, 28), "TAVRIX PRO DJ", font=bold, fill=(255, 255, 0))
d.text((42, 80), "Mixing decks, jukebox and video", font=plain, fill=(220, 230, 245))
d.line([(0, 190), (W, 190)], fill=(90, 120, 170))
d.rectangle([270, 241, 484, 254], fill=(20, 28, 50))
d.rectangle([0, 0, W - 1, H - 1], outline=(90, 120, 170))
img.save("Splash.bmp", format="BMP")
