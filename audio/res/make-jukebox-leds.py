#!/usr/bin/python3
"""Draws the audio jukebox's LED level meters: JBLedOff.bmp (all segments
dark), JBLedLOn.bmp (the left meter, lit from the right edge towards the
left, so its loud end is on the left) and JBLedROn.bmp (the right meter,
loud end on the right). 140 x 10 pixels, 2-pixel segments with 1-pixel
gaps. Run from the repository's root; the results are kept in data/ and
lie in the program folder, where the jukebox window opens them by name."""
from PIL import Image, ImageDraw

W, H, SEG, GAP = 140, 10, 2, 1


def colour(fraction, lit):
    # Green to yellow to red along the meter (fraction 0 quiet, 1 loud).
    if fraction < 0.6:
        c = (40, 220, 60)
    elif fraction < 0.85:
        c = (240, 220, 40)
    else:
        c = (240, 50, 40)
    if lit:
        return c
    return tuple(v // 5 for v in c)


def meter(lit, loud_on_left):
    img = Image.new("RGB", (W, H), (0, 0, 0))
    d = ImageDraw.Draw(img)
    x = 0
    while x + SEG <= W:
        fraction = x / (W - SEG)
        if loud_on_left:
            fraction = 1 - fraction
        d.rectangle([x, 1, x + SEG - 1, H - 2], fill=colour(fraction, lit))
        x += SEG + GAP
    return img


meter(False, False).save("data/JBLedOff.bmp")
meter(True, True).save("data/JBLedLOn.bmp")
meter(True, False).save("data/JBLedROn.bmp")
