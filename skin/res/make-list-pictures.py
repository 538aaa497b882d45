#!/usr/bin/python3
"""Draws the pictures of the skin's list controls.

  make-list-pictures.py resources DIR   the bitmap resources, kept in the
      repository (skin/res): DefaultThumb.bmp (263, the 100 x 100 default
      picture of the thumbnail list) and CompactRows.bmp (286, sixteen
      1 x 2 images on the green mask colour: rows without visible icons).
  make-list-pictures.py program DIR     the program-folder pictures, made at
      build time: IconView.bmp (the icon view's 100 x 100 picture),
      BasicThumbnails.bmp (the thumbnail list's basic pictures, index 0 the
      default) and GenreImages2.bmp (one picture per genre image index 0 to
      31 of the library's genre map), all 100 x 100 on black, the mask colour.

One visual language: dark cards (charcoal), one accent per kind, white
lettering in DejaVu Sans Bold."""
import sys

from PIL import Image, ImageDraw, ImageFont

S = 100
BLACK = (0, 0, 0)
CARD = (34, 38, 48)
EDGE = (70, 78, 96)
WHITE = (240, 242, 246)
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def font(size):
    try:
        return ImageFont.truetype(FONT, size)
    except OSError:
        return ImageFont.load_default()


def card(d, x, accent):
    d.rounded_rectangle([x + 2, 2, x + S - 3, S - 3], radius=12, fill=CARD, outline=EDGE, width=2)
    d.rounded_rectangle([x + 2, S - 16, x + S - 3, S - 3], radius=12, fill=accent)
    d.rectangle([x + 2, S - 16, x + S - 3, S - 10], fill=accent)


def vinyl(d, x, cx, cy, r, label):
    d.ellipse([x + cx - r, cy - r, x + cx + r, cy + r], fill=(12, 12, 14), outline=(90, 90, 100))
    for k in range(r - 5, r // 3, -5):
        d.ellipse([x + cx - k, cy - k, x + cx + k, cy + k], outline=(40, 40, 48))
    lr = max(r // 3, 4)
    d.ellipse([x + cx - lr, cy - lr, x + cx + lr, cy + lr], fill=label)
    d.ellipse([x + cx - 2, cy - 2, x + cx + 2, cy + 2], fill=(12, 12, 14))


def centred(d, x, y, text, size, colour=WHITE):
    f = font(size)
    w = d.textlength(text, font=f)
    while w > S - 12 and size > 8:
        size -= 1
        f = font(size)
        w = d.textlength(text, font=f)
    d.text((x + (S - w) / 2, y), text, font=f, fill=colour)


def strip(count):
    img = Image.new("RGB", (S * count, S), BLACK)
    return img, ImageDraw.Draw(img)


def resources(out):
    img = Image.new("RGB", (S, S), BLACK)
    d = ImageDraw.Draw(img)
    card(d, 0, (0, 160, 220))
    vinyl(d, 0, 50, 44, 34, (0, 160, 220))
    img.save(f"{out}/DefaultThumb.bmp", format="BMP")
    rows = Image.new("RGB", (16, 2), (0, 255, 0))
    rows.save(f"{out}/CompactRows.bmp", format="BMP")


BASIC = [
    ("", (0, 160, 220), "vinyl"),
    ("PLAYLIST", (255, 140, 0), "lines"),
    ("FOLDER", (230, 180, 40), "folder"),
    ("ARTIST", (200, 60, 160), "person"),
    ("ALBUM", (0, 160, 220), "vinyl"),
    ("YEAR", (90, 190, 90), "text"),
    ("BPM", (230, 60, 60), "text"),
    ("HISTORY", (140, 140, 160), "clock"),
]


def symbol(d, x, kind, accent, word):
    if kind == "vinyl":
        vinyl(d, x, 50, 44, 32, accent)
    elif kind == "lines":
        for i, y in enumerate((22, 38, 54)):
            d.rectangle([x + 20, y, x + 28, y + 7], fill=accent)
            d.rectangle([x + 34, y, x + 80, y + 7], fill=WHITE if i else accent)
    elif kind == "folder":
        d.rectangle([x + 18, 20, x + 44, 28], fill=accent)
        d.rectangle([x + 18, 26, x + 82, 66], fill=accent)
    elif kind == "person":
        d.ellipse([x + 36, 14, x + 64, 42], fill=accent)
        d.pieslice([x + 22, 44, x + 78, 100], 180, 360, fill=accent)
    elif kind == "clock":
        d.ellipse([x + 24, 14, x + 76, 66], outline=accent, width=5)
        d.line([(x + 50, 24), (x + 50, 40), (x + 62, 48)], fill=WHITE, width=4)
    else:
        centred(d, x, 24, word, 26, accent)


def program(out):
    img = Image.new("RGB", (S, S), BLACK)
    d = ImageDraw.Draw(img)
    card(d, 0, (255, 140, 0))
    vinyl(d, 0, 50, 44, 34, (255, 140, 0))
    img.save(f"{out}/IconView.bmp", format="BMP")

    img, d = strip(len(BASIC))
    for i, (word, accent, kind) in enumerate(BASIC):
        x = i * S
        card(d, x, accent)
        symbol(d, x, kind, accent, word)
        if word:
            centred(d, x, S - 15, word, 10, BLACK)
    img.save(f"{out}/BasicThumbnails.bmp", format="BMP")

    genres = ["OTHER", "ROCK", "REGGAE", "FOLK", "COUNTRY", "BIG BAND", "ALTERNATIVE", "BLUES",
              "DANCE", "METAL", "OLDIES", "SOUNDTRACK", "CLUB", "R&B", "SOUTHERN", "DISCO",
              "POP", "VOCALS", "PUNK", "SWING", "SOUL", "RAP", "SALSA", "HIP HOP", "LATIN",
              "GOSPEL", "URBAN", "JAZZ", "TOP 40", "TECHNO", "ACID", "FUNK"]
    palette = [(0, 160, 220), (255, 140, 0), (200, 60, 160), (90, 190, 90), (230, 60, 60),
               (230, 180, 40), (120, 110, 230), (0, 190, 170)]
    img, d = strip(len(genres))
    for i, name in enumerate(genres):
        x = i * S
        accent = palette[i % len(palette)]
        card(d, x, accent)
        vinyl(d, x, 50, 36, 24, accent)
        centred(d, x, 66, name, 13)
    img.save(f"{out}/GenreImages2.bmp", format="BMP")


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("resources", "program"):
        sys.exit("usage: make-list-pictures.py resources|program DIR")
    (resources if sys.argv[1] == "resources" else program)(sys.argv[2])
