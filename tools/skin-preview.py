#!/usr/bin/python3
"""Pictures a skin as the main window will show it once its controls exist:
skin-preview.py SKINS_DIR/NAME.xml OUT.png [--outlines]

Composes the background with every control element's pictures at its
rectangle (button faces, lights, knobs with their dot at the top, fader caps
at mid travel, level meters half lit, position bars part filled) and draws
the other controls from their colours: text read-outs with their default
text in their font and colour, lists and trees with a few sample rows,
peak views with a sample waveform, edits with their hint. --outlines adds
every item's rectangle and name, to check placement. Rectangles follow the
skin loader's rules (+1 for most elements, plain for some, artwin given).
Uses Pillow (python3-pil) and the Liberation fonts, as tools/make-skin.py.
"""
import math
import os
import sys
import xml.etree.ElementTree as ET

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/liberation"
PLUS1 = {"button", "status", "infownd", "slider", "viewpeak", "indlight", "progress", "treectrl", "listctrl",
         "textfield", "spectrum", "jukepane"}
PLAIN = {"videowin", "edit", "splitter", "meter", "knob"}
CONTROLS = PLUS1 | PLAIN | {"artwin"}


def num(e, name):
    text = e.get(name, "").strip()
    digits = ""
    for i, ch in enumerate(text):
        if ch.isdigit() or (i == 0 and ch in "+-"):
            digits += ch
        else:
            break
    try:
        return int(digits)
    except ValueError:
        return 0


def colour(hex_text, default=(0, 255, 0)):
    try:
        return tuple(int(hex_text[i:i + 2], 16) for i in (0, 2, 4)) if len(hex_text) >= 6 else default
    except ValueError:
        return default


def font(face, points):
    """The item's font: "fsize" is in points (the loader keeps tenths)."""
    bold = "bold" in face.lower()
    size = max(6, round((points or 9) * 96 / 72))
    name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def rect_of(e):
    tag = e.tag
    if tag == "artwin":
        return num(e, "x"), num(e, "y"), num(e, "r"), num(e, "b")
    x, y, w, h = num(e, "x"), num(e, "y"), num(e, "w"), num(e, "h")
    d = 1 if tag in PLUS1 else 0
    return x, y, x + w + d, y + h + d


class Preview:
    def __init__(self, xml_path):
        self.root = ET.parse(xml_path).getroot()
        name = os.path.splitext(os.path.basename(xml_path))[0]
        self.folder = os.path.join(os.path.dirname(xml_path), name)
        bg = self.root.find("background")
        self.img = Image.open(os.path.join(self.folder, bg.get("image"))).convert("RGB")
        self.draw = ImageDraw.Draw(self.img)

    def load(self, file_name):
        path = os.path.join(self.folder, file_name or "")
        if not file_name or not os.path.exists(path):
            return None
        return Image.open(path).convert("RGB")

    def paste_keyed(self, pic, at, key):
        if pic is None:
            return
        mask = Image.new("L", pic.size, 255)
        px, mk = pic.load(), mask.load()
        for yy in range(pic.size[1]):
            for xx in range(pic.size[0]):
                if px[xx, yy] == key:
                    mk[xx, yy] = 0
        self.img.paste(pic, at, mask)

    def text(self, e, r, words):
        if not words:
            return
        f = font(e.get("font", ""), num(e, "fsize"))
        x0, y0, x1, y1 = r
        align = num(e, "align")
        anchor = {1: "mm", 2: "rm"}.get(align, "lm")
        x = {1: (x0 + x1) / 2, 2: x1 - 2}.get(align, x0 + 1)
        self.draw.text((x, (y0 + y1) / 2), words, fill=colour(e.get("txcolor", "")), font=f, anchor=anchor)

    def rows(self, e, r, header, lines):
        x0, y0, x1, y1 = r
        self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour(e.get("bkcolor", "")))
        f = font(e.get("font", ""), num(e, "fsize"))
        y = y0 + 1
        if header:
            self.draw.rectangle([x0, y0, x1 - 1, y0 + 16], fill=colour(e.get("FHBkColor", "000000")))
            self.draw.text((x0 + 4, y0 + 2), "Title          Artist         Length   BPM", font=f,
                           fill=colour(e.get("FHTxColor", "ffffff")))
            y += 18
        for i, line in enumerate(lines):
            if y + 14 > y1:
                break
            if i == 1:
                self.draw.rectangle([x0 + 1, y, x1 - 2, y + 14], fill=(24, 70, 120))
            self.draw.text((x0 + 4, y + 1), line, font=f, fill=colour(e.get("txcolor", "")))
            y += 16

    def element(self, e):
        tag, action = e.tag, e.get("action", "")
        r = rect_of(e)
        x0, y0, x1, y1 = r
        key = colour(e.get("tcolor", ""))
        visible = num(e, "visible") == 1
        if tag == "button" and visible:
            self.paste_keyed(self.load(e.get("image")), (x0, y0), key)
        elif tag == "indlight" and visible:
            lit = sum(map(ord, action)) % 3 == 0   # some lights on, to see both faces
            self.paste_keyed(self.load(e.get("imageon" if lit else "imageoff")), (x0, y0), key)
        elif tag == "knob":
            cap, dot = self.load(e.get("imageknob")), self.load(e.get("imagedot"))
            self.paste_keyed(cap, (x0, y0), key)
            if cap and dot:
                radius = cap.size[0] // 2 - dot.size[0] // 2 - 3
                angle = math.radians(360 - 230)
                cx, cy = cap.size[0] // 2, cap.size[1] // 2
                at = (int(radius * math.sin(angle) + cx - dot.size[0] / 2) + x0,
                      int(radius * math.cos(angle) + cy - dot.size[1] / 2) + y0)
                self.paste_keyed(dot, at, key)
        elif tag == "slider" and visible:
            thumb = self.load(e.get("image"))
            if thumb:
                w, h = x1 - x0, y1 - y0
                if e.get("orient", "") == "horz":
                    at = (x0 + (w - thumb.size[0]) // 2, y0 + (h - thumb.size[1]) // 2)
                else:
                    at = (x0 + (w - thumb.size[0]) // 2, y0 + (h - thumb.size[1]) // 3)
                self.paste_keyed(thumb, at, key)
        elif tag == "meter":
            off, on = self.load(e.get("imageoff")), self.load(e.get("imageon"))
            if e.get("value", "").upper().startswith("VU") and off and on:
                self.img.paste(off, (x0, y0))
                level = 0.45 + (sum(map(ord, action)) % 5) / 20
                h = on.size[1]
                lit = int(h * level)
                self.img.paste(on.crop((0, h - lit, on.size[0], h)), (x0, y0 + h - lit))
            else:
                self.bar(e, r, 0.3)
        elif tag == "progress":
            self.bar(e, r, 0.35)
        elif tag in ("textfield", "status") and visible:
            if tag == "status" or num(e, "trans") != 1:
                self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour(e.get("bkcolor", "")))
            sample = {"title": "Midnight Drive (Extended Mix)", "artist": "Neon Harbour", "album": "Night Lines",
                      "genre": "House", "bpm": "124.0", "filetype": "MP3", "sps": "320 kbps", "channels": "Stereo",
                      "frequency": "44100 Hz", "status": "PLAYING"}
            words = e.get("value", "")
            for field, value in sample.items():
                if action.endswith("-" + field) and not words.strip("-.: 0") or action.endswith("-" + field) \
                        and field in ("status", "bpm"):
                    words = value
            self.text(e, r, words)
        elif tag == "listctrl" and action == "thumblist":
            # Always shown: 100 x 100 pictures in columns of about 140 pixels,
            # two text lines under each.
            self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour(e.get("bkcolor", "")))
            f = font(e.get("font", ""), num(e, "fsize"))
            columns = max(1, (x1 - x0) // 140)
            step = (x1 - x0) // columns
            names = ("Night Lines", "Harbour Lights", "Deep Blue", "Parallel", "Tidal", "Sunrise", "Corsa", "Moss")
            for i in range(columns):
                cx = x0 + i * step + (step - 100) // 2
                hue = [(30, 167, 255), (255, 122, 26), (43, 217, 130), (198, 92, 255), (255, 200, 40)][i % 5]
                for yy in range(100):
                    t = yy / 99
                    self.draw.line([(cx, y0 + 4 + yy), (cx + 99, y0 + 4 + yy)],
                                   fill=tuple(round(c * (1 - t * 0.7)) for c in hue))
                self.draw.rectangle([cx, y0 + 4, cx + 99, y0 + 103], outline=(80, 80, 80))
                self.draw.text((cx + 50, y0 + 114), names[i % len(names)], font=f, anchor="mm",
                               fill=colour(e.get("txcolor", "")))
                self.draw.text((cx + 50, y0 + 132), "Neon Harbour", font=f, anchor="mm", fill=(192, 192, 192))
        elif tag == "listctrl" and num(e, "visible"):
            self.rows(e, r, num(e, "Header") == 1,
                      ["Midnight Drive - Neon Harbour", "Lost in Sound - The Shore", "Blue Hour - Kaito",
                       "Floorfiller - DJ Mora", "Sunrise Dub - Ochre", "Parallel - Vela", "Static Hearts - Lumen",
                       "Night Bus - Aster", "Heatwave - Corsa", "Tidal - Moss"])
        elif tag == "treectrl" and num(e, "visible"):
            self.rows(e, r, False, ["- Library", "   All tracks", "   Artists", "   Albums", "   Genres",
                                    "   Years", "   Playlists", "   History", "- My Computer", "   C:\\"])
        elif tag == "viewpeak" and visible:
            self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour(e.get("bkcolor", "")))
            mid = (y0 + y1) // 2
            line = colour(e.get("linecolor", ""))
            for xx in range(x0 + 1, x1 - 1):
                a = abs(math.sin(xx * 0.21) * math.sin(xx * 0.037)) * (y1 - y0) * 0.45
                self.draw.line([(xx, mid - a), (xx, mid + a)], fill=line)
            self.draw.line([(x0, mid), (x1 - 1, mid)], fill=colour(e.get("tcolor", "")))
        elif tag == "edit" and visible:
            self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour(e.get("bkcolor", "")))
            f = font(e.get("font", ""), num(e, "fsize"))
            self.draw.text((x0 + 3, (y0 + y1) / 2), e.get("value", ""), fill=(128, 128, 128), font=f, anchor="lm")
        elif tag == "videowin" and visible:
            pic = self.load(e.get("image"))
            if pic:
                self.img.paste(pic.resize((x1 - x0, y1 - y0)), (x0, y0))
        elif tag == "infownd" and visible:
            self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour(e.get("bkcolor", "")))
            f = font(e.get("font", ""), num(e, "fsize"))
            for i, line in enumerate(("Midnight Drive", "Neon Harbour", "Night Lines", "House")):
                self.draw.text((x0 + 6, y0 + 6 + i * 16), line, fill=colour(e.get("txcolor", "")), font=f)
        elif tag in ("jukepane", "spectrum") and visible:
            self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour(e.get("bkcolor", "")),
                                outline=colour(e.get("bdcolor", "")) if num(e, "border") == 1 else None)
            if tag == "spectrum":
                tx = colour(e.get("txcolor", ""))
                for i, xx in enumerate(range(x0 + 2, x1 - 4, 6)):
                    hgt = (y1 - y0 - 4) * (0.3 + 0.6 * abs(math.sin(i * 0.7)))
                    self.draw.rectangle([xx, y1 - 2 - hgt, xx + 4, y1 - 2], fill=tx)
            else:
                # As the pane lays out its children: title line, cover of side
                # w / 2 - 5 (h - 10 when that is not below h), track list.
                w, h = x1 - x0, y1 - y0
                side = w // 2 - 5 if w // 2 < h else h - 10
                self.draw.text((x0 + 6, y0 + 4), "%02d - Night Lines" % int(action[1:] or 0),
                               fill=colour(e.get("txcolor", "")), font=font(e.get("font", ""), num(e, "fsize")))
                self.draw.rectangle([x0 + 5, y0 + 30, x0 + side, y0 + side], fill=(60, 40, 90))
                f = font("", max(6, num(e, "fsize") - 3))
                for i, t in enumerate(("Night Lines", "Blue Hour", "Tidal", "Parallel", "Sunrise", "Corsa")):
                    ty = y0 + 32 + i * 16
                    if ty + 14 < y1:
                        self.draw.text((x0 + side + 12, ty), "%d. %s" % (i + 1, t), fill=(255, 255, 255), font=f)

    def bar(self, e, r, share):
        x0, y0, x1, y1 = r
        self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=colour(e.get("bkcolor", "")))
        c1, c2, c3 = (colour(e.get(n, "")) for n in ("pcolor1", "pcolor2", "pcolor3"))
        end = x0 + int((x1 - x0) * share)
        for xx in range(x0, end):
            t = (xx - x0) / max(1, x1 - x0 - 1)
            a, b, tt = (c1, c2, t * 2) if t < 0.5 else (c2, c3, t * 2 - 1)
            self.draw.line([(xx, y0), (xx, y1 - 1)], fill=tuple(round(p + (q - p) * tt) for p, q in zip(a, b)))

    def outlines(self):
        small = ImageFont.truetype(os.path.join(FONT_DIR, "LiberationSans-Regular.ttf"), 9)
        for e in self.root:
            if e.tag in CONTROLS:
                x0, y0, x1, y1 = rect_of(e)
                self.draw.rectangle([x0, y0, x1 - 1, y1 - 1], outline=(255, 255, 0))
                self.draw.text((x0 + 1, y0), e.get("action", ""), fill=(255, 255, 0), font=small)
            elif e.tag in ("deckAdrop", "deckBdrop", "deckCdrop", "deckDdrop", "videodrop", "windowmove"):
                self.draw.rectangle([num(e, "x"), num(e, "y"), num(e, "r") - 1, num(e, "b") - 1], outline=(0, 255, 255))

    def render(self, outlines):
        for e in self.root:
            if e.tag in CONTROLS:
                self.element(e)
        if outlines:
            self.outlines()
        return self.img


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if len(args) != 2:
        sys.exit(__doc__)
    Preview(args[0]).render("--outlines" in sys.argv).save(args[1])


if __name__ == "__main__":
    main()
