#!/usr/bin/python3
"""Draws the master mixer's two image strips, kept in the repository and
named by MasterMixer.rc. Run from this folder.

  MixerDecks.bmp    bitmap 148: twelve 32 x 32 images on the mask colour
                    0xC0C0C0 (silver) for the deck tree. The tree shows
                    image 9, a deck's platter; the others are the mixer's
                    other subjects for later items: 0 speaker, 1 headphones,
                    2 faders, 3 equalizer, 4 effects, 5 pre-processor
                    (a waveform), 6 monitor, 7 microphone, 8 CD, 9 deck,
                    10 deck playing, 11 settings.
  MixerDevices.bmp  bitmap 273: five 32 x 32 images on the mask colour
                    0xFFFFFF (white) for the system mixer list, which shows
                    image 0: 0 sound card, 1 speaker, 2 line input,
                    3 microphone, 4 CD audio.

One look for both: dark charcoal bodies, steel-blue and green accents."""
import math

from PIL import Image, ImageDraw

S = 32
CHARCOAL = (40, 44, 54)
EDGE = (90, 98, 116)
STEEL = (0x33, 0x99, 0xCC)
GREEN = (40, 200, 90)
LIGHT = (225, 230, 238)
RED = (210, 60, 50)
AMBER = (240, 170, 40)


def speaker(d, x, bg):
    d.rectangle([x + 5, 11, x + 11, 21], fill=CHARCOAL)
    d.polygon([(x + 11, 11), (x + 19, 4), (x + 19, 28), (x + 11, 21)], fill=CHARCOAL)
    for r in (5, 9):
        d.arc([x + 19 - r, 16 - r, x + 19 + r, 16 + r], -45, 45, fill=STEEL, width=2)


def headphones(d, x, bg):
    d.arc([x + 5, 4, x + 27, 28], 180, 360, fill=CHARCOAL, width=3)
    d.rounded_rectangle([x + 3, 15, x + 10, 27], radius=3, fill=CHARCOAL)
    d.rounded_rectangle([x + 22, 15, x + 29, 27], radius=3, fill=CHARCOAL)
    d.rectangle([x + 5, 18, x + 8, 24], fill=STEEL)
    d.rectangle([x + 24, 18, x + 27, 24], fill=STEEL)


def faders(d, x, bg):
    d.rounded_rectangle([x + 2, 2, x + 29, 29], radius=4, fill=CHARCOAL)
    for i, level in enumerate((18, 9, 14)):
        cx = x + 8 + 8 * i
        d.line([cx, 6, cx, 25], fill=EDGE, width=2)
        d.rectangle([cx - 3, level, cx + 3, level + 4], fill=LIGHT)


def equalizer(d, x, bg):
    d.rounded_rectangle([x + 2, 2, x + 29, 29], radius=4, fill=CHARCOAL)
    for i, h in enumerate((10, 16, 22, 14, 8)):
        left = x + 5 + 5 * i
        d.rectangle([left, 27 - h, left + 3, 26], fill=GREEN if h < 20 else AMBER)


def effects(d, x, bg):
    d.rounded_rectangle([x + 2, 2, x + 29, 29], radius=4, fill=CHARCOAL)
    points = [(x + 4 + t, 16 + 9 * math.sin(t / 3.2) * math.exp(-t / 30)) for t in range(0, 25)]
    d.line(points, fill=STEEL, width=2)
    d.ellipse([x + 20, 5, x + 26, 11], outline=GREEN, width=2)


def waveform(d, x, bg):
    d.rounded_rectangle([x + 2, 6, x + 29, 25], radius=3, fill=CHARCOAL)
    for i in range(0, 24, 2):
        h = int(2 + 7 * abs(math.sin(i * 0.7)) * (0.4 + i / 40))
        d.line([x + 5 + i, 16 - h, x + 5 + i, 16 + h], fill=GREEN)


def monitor(d, x, bg):
    d.rounded_rectangle([x + 3, 4, x + 28, 22], radius=2, fill=CHARCOAL)
    d.rectangle([x + 6, 7, x + 25, 19], fill=STEEL)
    d.rectangle([x + 13, 22, x + 18, 26], fill=CHARCOAL)
    d.rectangle([x + 9, 26, x + 22, 28], fill=CHARCOAL)


def microphone(d, x, bg):
    d.rounded_rectangle([x + 11, 3, x + 20, 19], radius=5, fill=CHARCOAL)
    d.line([x + 13, 8, x + 18, 8], fill=EDGE)
    d.line([x + 13, 12, x + 18, 12], fill=EDGE)
    d.arc([x + 7, 8, x + 24, 23], 0, 180, fill=CHARCOAL, width=2)
    d.line([x + 15, 23, x + 15, 28], fill=CHARCOAL, width=2)
    d.line([x + 10, 28, x + 21, 28], fill=CHARCOAL, width=2)


def compact_disc(d, x, bg):
    d.ellipse([x + 2, 2, x + 29, 29], fill=(200, 205, 215), outline=EDGE)
    d.pieslice([x + 2, 2, x + 29, 29], 200, 250, fill=STEEL)
    d.pieslice([x + 2, 2, x + 29, 29], 20, 60, fill=(170, 210, 235))
    d.ellipse([x + 11, 11, x + 20, 20], fill=CHARCOAL)
    d.ellipse([x + 14, 14, x + 17, 17], fill=bg)


def deck(d, x, bg, playing=False):
    d.rounded_rectangle([x + 1, 3, x + 30, 28], radius=3, fill=CHARCOAL, outline=EDGE)
    d.ellipse([x + 4, 5, x + 25, 26], fill=(16, 16, 20), outline=EDGE)
    for r in (8, 6):
        d.ellipse([x + 14 - r, 15 - r, x + 15 + r, 16 + r], outline=(48, 48, 58))
    d.ellipse([x + 11, 12, x + 18, 19], fill=GREEN if playing else STEEL)
    d.line([x + 28, 6, x + 24, 22], fill=LIGHT, width=2)
    d.rectangle([x + 26, 23, x + 28, 26], fill=GREEN if playing else RED)


def settings(d, x, bg):
    cx, cy = x + 16, 16
    for k in range(8):
        a = k * math.pi / 4
        d.line([cx + 8 * math.cos(a), cy + 8 * math.sin(a), cx + 13 * math.cos(a), cy + 13 * math.sin(a)],
               fill=CHARCOAL, width=5)
    d.ellipse([cx - 10, cy - 10, cx + 10, cy + 10], fill=CHARCOAL)
    d.ellipse([cx - 4, cy - 4, cx + 4, cy + 4], fill=bg)


def sound_card(d, x, bg):
    d.rectangle([x + 2, 7, x + 29, 23], fill=(30, 90, 60), outline=EDGE)
    d.rectangle([x + 6, 10, x + 14, 18], fill=CHARCOAL)
    for i in range(5):
        d.rectangle([x + 6 + 4 * i, 23, x + 8 + 4 * i, 27], fill=AMBER)
    for i in range(3):
        d.ellipse([x + 18, 9 + 4 * i, x + 21, 12 + 4 * i], fill=(GREEN, STEEL, RED)[i])


def line_input(d, x, bg):
    d.rectangle([x + 3, 13, x + 16, 19], fill=CHARCOAL)
    d.rectangle([x + 16, 14, x + 26, 18], fill=(200, 205, 215))
    d.line([x + 26, 16, x + 29, 16], fill=(200, 205, 215), width=2)
    d.line([x + 3, 16, x + 0, 16], fill=CHARCOAL, width=3)
    d.rectangle([x + 20, 14, x + 21, 18], fill=CHARCOAL)


def strip(name, bg, painters):
    img = Image.new("RGB", (S * len(painters), S), bg)
    d = ImageDraw.Draw(img)
    for i, paint in enumerate(painters):
        paint(d, S * i, bg)
    img.save(name, format="BMP")


SILVER = (0xC0, 0xC0, 0xC0)
WHITE = (0xFF, 0xFF, 0xFF)

strip("MixerDecks.bmp", SILVER,
      [speaker, headphones, faders, equalizer, effects, waveform, monitor, microphone, compact_disc,
       deck, lambda d, x, bg: deck(d, x, bg, True), settings])
strip("MixerDevices.bmp", WHITE, [sound_card, speaker, line_input, microphone, compact_disc])
