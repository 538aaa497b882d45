"""The shared drawing kit and visual language of the shipped skins.

Every skin source (skins/NAME/NAME.py) builds its skin with a SkinBuilder:
it paints panels and displays into the background and places controls,
each of which writes its skin element with the attributes the loader reads
and draws the pictures the control takes (button faces, light images, knob
and dot, fader caps, meter images). All pictures are drawn here from shapes
and text; the colours, fonts and shapes below are the one visual language
of all shipped skins (docs/skins.md describes it).

Rectangles are given as (x, y, W, H) in pixels of the main window's client
area; the builder writes "w" and "h" so that the control gets exactly W x H
pixels under the loader's rectangle rule of its element.
"""
import os

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype"

# ---- The palette (red, green, blue) ----
BG_TOP = (22, 26, 34)
BG_BOTTOM = (10, 12, 17)
PANEL_TOP = (30, 35, 46)
PANEL_BOTTOM = (21, 25, 33)
PANEL_EDGE = (52, 61, 79)
DISPLAY = (6, 8, 12)          # recessed read-outs, lists, trees
DISPLAY_EDGE = (40, 48, 64)
GROOVE = (3, 4, 6)
TEXT = (232, 237, 245)
TEXT_DIM = (128, 138, 156)
FACE_TOP = (50, 57, 71)       # button faces
FACE_BOTTOM = (31, 36, 46)
FACE_EDGE = (70, 80, 100)
KEY = (255, 0, 255)           # key colour of every picture
KEY_HEX = "ff00ff"
LED_OFF = (44, 50, 62)
METER_GREEN = (38, 214, 98)
METER_YELLOW = (245, 200, 30)
METER_RED = (255, 59, 48)

# One accent per deck; the mixer and the library are neutral white and
# the library's selection colour.
ACCENT = {
    "a": (30, 167, 255),     # blue
    "b": (255, 122, 26),     # orange
    "c": (43, 217, 130),     # green
    "d": (198, 92, 255),     # violet
    "mx": (220, 226, 236),   # mixer: white
    "lib": (30, 167, 255),
    "vd": (255, 64, 129),    # video: pink
    "fx": (255, 200, 40),    # sampler: amber
}

FONT_FACE = "Arial"   # Wine and Windows both have it (Liberation Sans on Linux)


def hexcolor(rgb):
    return "%02x%02x%02x" % rgb


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def font(size, bold=False, narrow=False):
    if narrow:
        name = "LiberationSansNarrow-Bold.ttf" if bold else "LiberationSansNarrow-Regular.ttf"
    else:
        name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, "liberation", name), size)


def point_px(points):
    """Pixel height of a point size at 96 dpi (as the program's fonts)."""
    return round(points * 96 / 72)


# ---- Drawing primitives ----
def gradient(img, rect, top, bottom):
    x, y, w, h = rect
    d = ImageDraw.Draw(img)
    for i in range(h):
        d.line([(x, y + i), (x + w - 1, y + i)], fill=mix(top, bottom, i / max(1, h - 1)))


def rounded(img, rect, fill, edge=None, radius=4, width=1):
    x, y, w, h = rect
    ImageDraw.Draw(img).rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=radius, fill=fill,
                                          outline=edge, width=width)


def gradient_rounded(img, rect, top, bottom, edge, radius=4):
    """A rounded rectangle filled with a vertical gradient, on any ground."""
    x, y, w, h = rect
    face = Image.new("RGB", (w, h))
    gradient(face, (0, 0, w, h), top, bottom)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=radius, fill=255)
    img.paste(face, (x, y), mask)
    ImageDraw.Draw(img).rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=radius, outline=edge)


def text(img, at, label, colour, size, bold=False, anchor="la", narrow=False):
    ImageDraw.Draw(img).text(at, label, fill=colour, font=font(size, bold, narrow), anchor=anchor)


def centred_text(img, rect, label, colour, size, bold=True, narrow=False):
    x, y, w, h = rect
    text(img, (x + w / 2, y + h / 2), label, colour, size, bold, anchor="mm", narrow=narrow)


def fits(label, size, width, bold=True):
    return font(size, bold).getlength(label) <= width


# Glyphs of the transport buttons, drawn in a box of the given size.
def glyph(img, kind, rect, colour):
    x, y, w, h = rect
    d = ImageDraw.Draw(img)
    cx, cy = x + w / 2, y + h / 2
    s = min(w, h) * 0.36
    if kind == "play":
        d.polygon([(cx - s * 0.8, cy - s), (cx - s * 0.8, cy + s), (cx + s, cy)], fill=colour)
    elif kind == "pause":
        d.rectangle([cx - s * 0.8, cy - s, cx - s * 0.25, cy + s], fill=colour)
        d.rectangle([cx + s * 0.25, cy - s, cx + s * 0.8, cy + s], fill=colour)
    elif kind == "playpause":
        d.polygon([(cx - s * 1.2, cy - s), (cx - s * 1.2, cy + s), (cx + s * 0.1, cy)], fill=colour)
        d.rectangle([cx + s * 0.35, cy - s, cx + s * 0.65, cy + s], fill=colour)
        d.rectangle([cx + s * 0.9, cy - s, cx + s * 1.2, cy + s], fill=colour)
    elif kind == "stop":
        d.rectangle([cx - s * 0.8, cy - s * 0.8, cx + s * 0.8, cy + s * 0.8], fill=colour)
    elif kind in ("next", "previous", "ff", "rw"):
        sign = 1 if kind in ("next", "ff") else -1
        for off in (-0.55, 0.45):
            ox = cx + sign * off * s
            d.polygon([(ox - sign * s * 0.5, cy - s * 0.7), (ox - sign * s * 0.5, cy + s * 0.7),
                       (ox + sign * s * 0.5, cy)], fill=colour)
        if kind in ("next", "previous"):
            bx = cx + sign * s
            d.rectangle([bx - 1, cy - s * 0.7, bx + 1, cy + s * 0.7], fill=colour)
    elif kind == "restart":
        d.arc([cx - s, cy - s, cx + s, cy + s], 60, 330, fill=colour, width=2)
        d.polygon([(cx + s * 0.2, cy - s * 1.3), (cx + s * 0.2, cy - s * 0.3), (cx + s, cy - s * 0.8)],
                  fill=colour)
    elif kind == "eject":
        d.polygon([(cx - s, cy + s * 0.1), (cx + s, cy + s * 0.1), (cx, cy - s)], fill=colour)
        d.rectangle([cx - s, cy + s * 0.45, cx + s, cy + s * 0.85], fill=colour)
    elif kind in ("up", "down", "left", "right"):
        pts = {"up": [(cx - s, cy + s * 0.5), (cx + s, cy + s * 0.5), (cx, cy - s * 0.6)],
               "down": [(cx - s, cy - s * 0.5), (cx + s, cy - s * 0.5), (cx, cy + s * 0.6)],
               "left": [(cx + s * 0.5, cy - s), (cx + s * 0.5, cy + s), (cx - s * 0.6, cy)],
               "right": [(cx - s * 0.5, cy - s), (cx - s * 0.5, cy + s), (cx + s * 0.6, cy)]}[kind]
        d.polygon(pts, fill=colour)
    elif kind == "close":
        d.line([(cx - s, cy - s), (cx + s, cy + s)], fill=colour, width=2)
        d.line([(cx - s, cy + s), (cx + s, cy - s)], fill=colour, width=2)
    elif kind == "minimize":
        d.line([(cx - s, cy + s * 0.7), (cx + s, cy + s * 0.7)], fill=colour, width=2)
    elif kind == "menu":
        for dy in (-0.7, 0, 0.7):
            d.line([(cx - s, cy + dy * s), (cx + s, cy + dy * s)], fill=colour, width=2)
    elif kind == "help":
        text(img, (cx, cy), "?", colour, int(h * 0.7), True, anchor="mm")
    elif kind == "config":
        d.ellipse([cx - s * 0.9, cy - s * 0.9, cx + s * 0.9, cy + s * 0.9], outline=colour, width=2)
        for i in range(8):
            import math
            a = i * math.pi / 4
            d.line([(cx + math.cos(a) * s * 0.9, cy + math.sin(a) * s * 0.9),
                    (cx + math.cos(a) * s * 1.3, cy + math.sin(a) * s * 1.3)], fill=colour, width=2)
    elif kind == "about":
        text(img, (cx, cy), "i", colour, int(h * 0.7), True, anchor="mm")
    else:
        raise ValueError("unknown glyph " + kind)


GLYPHS = {"play", "pause", "playpause", "stop", "next", "previous", "ff", "rw", "restart", "eject",
          "up", "down", "left", "right", "close", "minimize", "menu", "help", "config", "about"}


# ---- The picture makers of the controls ----
def button_face(W, H, label, accent, hover, big=False, lit_label=False):
    """A rounded key: a dark face with a light edge; under the pointer the
    face brightens and its edge and label take the accent colour."""
    img = Image.new("RGB", (W, H), KEY)
    top, bottom = (FACE_TOP, FACE_BOTTOM) if not hover else (mix(FACE_TOP, accent, 0.28),
                                                             mix(FACE_BOTTOM, accent, 0.18))
    edge = accent if hover else FACE_EDGE
    gradient_rounded(img, (0, 0, W, H), top, bottom, edge, radius=min(5, H // 3))
    # A thin highlight on the top edge reads as a raised key.
    ImageDraw.Draw(img).line([(3, 1), (W - 4, 1)], fill=mix(top, (255, 255, 255), 0.25))
    colour = accent if (hover or lit_label) else TEXT
    if label in GLYPHS:
        glyph(img, label, (0, 0, W, H), colour)
    else:
        size = 13 if big else 10
        while size > 7 and not fits(label, size, W - 6):
            size -= 1
        centred_text(img, (0, 0, W, H), label, colour, size, bold=True, narrow=not fits(label, size, W - 6))
    return img


def led(W, H, colour, on, label=None):
    """An indicator light: a pill that glows in its colour when on, with an
    optional word in it (dark on the lit pill, dim on the dark one)."""
    img = Image.new("RGB", (W, H), KEY)
    if on:
        rounded(img, (0, 0, W, H), mix(colour, (0, 0, 0), 0.1), mix(colour, (255, 255, 255), 0.4),
                radius=H // 2)
        if H >= 5:
            ImageDraw.Draw(img).line([(2, 1), (W - 3, 1)], fill=mix(colour, (255, 255, 255), 0.6))
    else:
        rounded(img, (0, 0, W, H), LED_OFF, (24, 28, 36), radius=H // 2)
    if label:
        centred_text(img, (0, 0, W, H), label, (16, 10, 10) if on else TEXT_DIM, max(7, H - 4), True)
    return img


def knob_image(size, accent):
    """The turning part of a knob: a round cap with a rim in the accent
    colour; the corners are the key colour."""
    img = Image.new("RGB", (size, size), KEY)
    d = ImageDraw.Draw(img)
    d.ellipse([0, 0, size - 1, size - 1], fill=mix(accent, (0, 0, 0), 0.55))
    d.ellipse([2, 2, size - 3, size - 3], fill=(34, 39, 50))
    steps = max(2, size // 2 - 4)
    for i in range(steps):
        t = i / steps
        r = size / 2 - 4 - i
        if r <= 0:
            break
        col = mix((62, 70, 88), (26, 30, 39), t)
        d.ellipse([size / 2 - r, size / 2 - r - 1, size / 2 + r, size / 2 + r - 1], fill=col)
    return img


def dot_image(size, colour):
    img = Image.new("RGB", (size, size), KEY)
    ImageDraw.Draw(img).ellipse([0, 0, size - 1, size - 1], fill=colour)
    return img


def knob_scale(img, rect, accent):
    """Ticks around a knob in the background, from lower left to lower right."""
    import math
    x, y, w, h = rect
    cx, cy = x + w / 2 - 0.5, y + h / 2 - 0.5
    d = ImageDraw.Draw(img)
    for i in range(11):
        a = math.radians(120 + i * 30)   # 7 o'clock (lower left) to 5 o'clock, clockwise
        r0, r1 = w / 2 + 2, w / 2 + (5 if i in (0, 5, 10) else 3)
        d.line([(cx + math.cos(a) * r0, cy + math.sin(a) * r0), (cx + math.cos(a) * r1, cy + math.sin(a) * r1)],
               fill=accent if i == 5 else TEXT_DIM, width=1)


def fader_cap(W, H, accent, vertical=True):
    """A fader's thumb: a grey cap with a line in the accent colour across it."""
    img = Image.new("RGB", (W, H), KEY)
    gradient_rounded(img, (0, 0, W, H), (150, 158, 172), (78, 85, 99), (30, 34, 42), radius=2)
    d = ImageDraw.Draw(img)
    if vertical:
        d.line([(2, H // 2), (W - 3, H // 2)], fill=accent, width=2)
        for dy in (-3, 3):
            d.line([(3, H // 2 + dy), (W - 4, H // 2 + dy)], fill=(60, 66, 78))
    else:
        d.line([(W // 2, 2), (W // 2, H - 3)], fill=accent, width=2)
        for dx in (-3, 3):
            d.line([(W // 2 + dx, 3), (W // 2 + dx, H - 4)], fill=(60, 66, 78))
    return img


def meter_images(W, H, vertical=True):
    """The level meter's off and on pictures: LED segments, green to red."""
    off = Image.new("RGB", (W, H), GROOVE)
    on = Image.new("RGB", (W, H), GROOVE)
    d_off, d_on = ImageDraw.Draw(off), ImageDraw.Draw(on)
    length = H if vertical else W
    seg = 3
    pos = 0
    while pos + seg <= length:
        t = pos / length   # from the quiet end
        lit = METER_GREEN if t < 0.65 else METER_YELLOW if t < 0.85 else METER_RED
        dim = mix(lit, GROOVE, 0.78)
        if vertical:
            box = [1, H - pos - seg, W - 2, H - pos - 2]
        else:
            box = [pos, 1, pos + seg - 2, H - 2]
        d_off.rectangle(box, fill=dim)
        d_on.rectangle(box, fill=lit)
        pos += seg
    return off, on


class SkinBuilder:
    """Collects a skin's elements and pictures while painting its background."""

    def __init__(self, name, width, height, skin_type):
        self.name = name
        self.width, self.height = width, height
        self.bg = Image.new("RGB", (width, height))
        gradient(self.bg, (0, 0, width, height), BG_TOP, BG_BOTTOM)
        self.elements = [("background", {"image": "background.bmp", "x": 0, "y": 0, "width": width,
                                         "height": height, "type": skin_type})]
        self.controls = []
        self.images = {}
        self.shared = {}

    # ---- background painting ----
    def panel(self, rect, title=None, accent=None):
        x, y, w, h = rect
        gradient_rounded(self.bg, rect, PANEL_TOP, PANEL_BOTTOM, PANEL_EDGE, radius=6)
        if accent:
            ImageDraw.Draw(self.bg).line([(x + 6, y + 1), (x + w - 7, y + 1)], fill=accent, width=2)
        if title:
            text(self.bg, (x + 8, y + 5), title, accent or TEXT, 12, bold=True)

    def display(self, rect, fill=DISPLAY):
        rounded(self.bg, rect, fill, DISPLAY_EDGE, radius=3)

    def label(self, at, words, colour=TEXT_DIM, size=8, bold=True, anchor="la"):
        text(self.bg, at, words, colour, size, bold, anchor=anchor)

    def groove(self, rect, vertical=True, marks=0):
        x, y, w, h = rect
        d = ImageDraw.Draw(self.bg)
        if vertical:
            cx = x + w // 2
            for i in range(marks):
                my = y + 6 + round(i * (h - 13) / max(1, marks - 1))
                d.line([(x, my), (x + 3, my)], fill=TEXT_DIM)
                d.line([(x + w - 4, my), (x + w - 1, my)], fill=TEXT_DIM)
            rounded(self.bg, (cx - 2, y + 3, 4, h - 6), GROOVE, (0, 0, 0), radius=2)
        else:
            cy = y + h // 2
            for i in range(marks):
                mx = x + 6 + round(i * (w - 13) / max(1, marks - 1))
                d.line([(mx, y), (mx, y + 3)], fill=TEXT_DIM)
                d.line([(mx, y + h - 4), (mx, y + h - 1)], fill=TEXT_DIM)
            rounded(self.bg, (x + 3, cy - 2, w - 6, 4), GROOVE, (0, 0, 0), radius=2)

    # ---- elements ----
    def add(self, element, attrs):
        self.elements.append((element, attrs))

    def zone(self, element, rect):
        x, y, w, h = rect
        self.add(element, {"x": x, "y": y, "r": x + w, "b": y + h})

    def picture(self, file_name, img):
        self.images[file_name] = img
        return file_name

    def _control(self, element, action, rect, plus1, attrs, visible=1):
        x, y, w, h = rect
        d = 1 if plus1 else 0
        a = {"action": action, "x": x, "y": y, "w": w - d, "h": h - d, "visible": visible}
        a.update(attrs)
        self.add(element, a)
        self.controls.append((element, action, rect))

    def button(self, action, rect, label, accent=ACCENT["mx"], tooltip="", big=False, ar=0, lit_label=False):
        x, y, w, h = rect
        key = (w, h, label, accent, big, lit_label)
        if key not in self.shared:
            n = len(self.shared)
            normal = self.picture("btn%03d.bmp" % n, button_face(w, h, label, accent, False, big, lit_label))
            hover = self.picture("btn%03d-on.bmp" % n, button_face(w, h, label, accent, True, big, lit_label))
            self.shared[key] = (normal, hover)
        normal, hover = self.shared[key]
        attrs = {"image": normal, "imageon": hover, "tcolor": KEY_HEX, "hl": 1,
                 "tooltip": tooltip or label.title()}
        if ar:
            attrs["AR"] = 1
        self._control("button", action, rect, True, attrs)

    def light(self, action, rect, colour, label=None):
        x, y, w, h = rect
        key = ("led", w, h, colour, label)
        if key not in self.shared:
            n = len(self.shared)
            self.shared[key] = (self.picture("led%03d-off.bmp" % n, led(w, h, colour, False, label)),
                                self.picture("led%03d-on.bmp" % n, led(w, h, colour, True, label)))
        off, on = self.shared[key]
        self._control("indlight", action, rect, True, {"tcolor": KEY_HEX, "imageon": on, "imageoff": off})

    def knob(self, action, rect, accent, tooltip, dot=None):
        x, y, w, h = rect
        assert w == h
        key = ("knob", w, accent)
        if key not in self.shared:
            n = len(self.shared)
            ds = dot or max(4, w // 8)
            self.shared[key] = (self.picture("knob%03d.bmp" % n, knob_image(w, accent)),
                                self.picture("knob%03d-dot.bmp" % n, dot_image(ds, accent)))
        cap, dotfile = self.shared[key]
        knob_scale(self.bg, rect, accent)
        self._control("knob", action, rect, False,
                      {"tcolor": KEY_HEX, "imageknob": cap, "imagedot": dotfile, "tooltip": tooltip})

    def slider(self, action, rect, accent, tooltip, vertical=True, marks=9, thumb=None):
        x, y, w, h = rect
        tw, th = thumb or ((w - 2, 14) if vertical else (12, h - 2))
        key = ("cap", tw, th, accent, vertical)
        if key not in self.shared:
            n = len(self.shared)
            self.shared[key] = self.picture("cap%03d.bmp" % n, fader_cap(tw, th, accent, vertical))
        self.groove(rect, vertical, marks)
        self._control("slider", action, rect, True,
                      {"orient": "vert" if vertical else "horz", "image": self.shared[key],
                       "tcolor": KEY_HEX, "tooltip": tooltip})

    def meter(self, action, rect, vertical=True):
        x, y, w, h = rect
        key = ("meter", w, h, vertical)
        if key not in self.shared:
            n = len(self.shared)
            off, on = meter_images(w, h, vertical)
            self.shared[key] = (self.picture("vu%03d-off.bmp" % n, off), self.picture("vu%03d-on.bmp" % n, on))
        off, on = self.shared[key]
        self._control("meter", action, rect, False,
                      {"value": "VU", "orient": "vert" if vertical else "horz", "imageoff": off,
                       "imageon": on, "bkcolor": hexcolor(GROOVE), "pcolor1": hexcolor(METER_GREEN),
                       "pcolor2": hexcolor(METER_YELLOW), "pcolor3": hexcolor(METER_RED)})

    def gradient_meter(self, action, rect, accent):
        """A plain gradient bar meter (the CPU load)."""
        self.display(rect)
        self._control("meter", action, rect, False,
                      {"value": "", "orient": "horz", "bkcolor": hexcolor(DISPLAY), "border": 0,
                       "pcolor1": hexcolor(mix(accent, DISPLAY, 0.5)), "pcolor2": hexcolor(accent),
                       "pcolor3": hexcolor(METER_RED)})

    def progress(self, action, rect, accent):
        self._control("progress", action, rect, True,
                      {"bkcolor": hexcolor(GROOVE), "border": 0, "orient": "horz",
                       "pcolor1": hexcolor(mix(accent, (0, 0, 0), 0.5)), "pcolor2": hexcolor(accent),
                       "pcolor3": hexcolor(mix(accent, (255, 255, 255), 0.5))})

    def field(self, action, rect, value, colour=TEXT, size=9, bold=False, align=0, recessed=False,
              element="textfield"):
        """A text read-out, transparent over the background (optionally on a
        recessed display painted under it)."""
        if recessed:
            self.display(rect)
        attrs = {"txcolor": hexcolor(colour), "bkcolor": hexcolor(DISPLAY), "font": FONT_FACE + (" Bold" if bold else ""),
                 "fsize": size, "value": value, "trans": 1, "align": align, "border": 0}
        if element == "status":
            attrs["time"] = 0   # a status line of its own, not a list's caption with times
        self._control(element, action, rect, True, attrs)

    def caption(self, rect, words, accent=TEXT_DIM):
        """A caption bar painted into the background (no control)."""
        x, y, w, h = rect
        rounded(self.bg, rect, mix(PANEL_TOP, accent, 0.12), None, radius=2)
        text(self.bg, (x + 3, y + h / 2), words, mix(accent, TEXT, 0.5), 8, True, anchor="lm")

    def status(self, action, rect, value, accent=TEXT_DIM):
        """A list's caption line: a flat bar in the panel colour."""
        x, y, w, h = rect
        rounded(self.bg, rect, mix(PANEL_TOP, accent, 0.12), None, radius=2)
        self._control("status", action, rect, True,
                      {"txcolor": hexcolor(mix(accent, TEXT, 0.5)), "bkcolor": hexcolor(mix(PANEL_TOP, accent, 0.12)),
                       "font": FONT_FACE + " Bold", "fsize": 8, "value": value, "trans": 0, "align": 0,
                       "border": 0, "time": 0})

    def tracklist(self, action, rect, accent=ACCENT["lib"], value="", header=1, visible=1, extra=None):
        self.display(rect)
        attrs = {"bkcolor": hexcolor(DISPLAY), "txcolor": hexcolor(TEXT), "font": FONT_FACE, "fsize": 9,
                 "Header": header, "NHS": 1, "NVS": 0, "value": value, "FH": 1,
                 "FHBkColor": hexcolor(PANEL_TOP), "FHTxColor": hexcolor(mix(accent, TEXT, 0.4)),
                 "SSA": 1, "border": 0, "LHI": 0, "IJ": 0, "FW": 0, "STI": 0, "HB": 0, "ICON": 0}
        attrs.update(extra or {})
        self._control("listctrl", action, rect, True, attrs, visible)

    def tree(self, action, rect, visible=1):
        self.display(rect)
        self._control("treectrl", action, rect, True,
                      {"bkcolor": hexcolor(DISPLAY), "txcolor": hexcolor(TEXT), "font": FONT_FACE, "fsize": 9,
                       "border": 0, "IJ": 0}, visible)

    def edit(self, action, rect, cue):
        x, y, w, h = rect
        rounded(self.bg, (x - 1, y - 1, w + 2, h + 2), DISPLAY, ACCENT["lib"], radius=3)
        self._control("edit", action, rect, False,
                      {"bkcolor": hexcolor(DISPLAY), "txcolor": hexcolor(TEXT), "font": FONT_FACE, "fsize": 9,
                       "border": 0, "value": cue})

    def peakview(self, action, rect, accent):
        self.display(rect)
        self._control("viewpeak", action, rect, True,
                      {"bkcolor": hexcolor(DISPLAY), "linecolor": hexcolor(accent),
                       "gridcolor": hexcolor((28, 34, 46)), "tcolor": hexcolor(mix(accent, TEXT, 0.6)),
                       "value": 1})

    def albumart(self, action, rect):
        """A cover frame: the background under it shows a record until a cover
        arrives (the item names no default picture, so the view keeps the
        background)."""
        self.albumart_ground(rect)
        x, y, w, h = rect
        self.add("artwin", {"action": action, "x": x, "y": y, "r": x + w, "b": y + h, "visible": 1,
                            "border": 0, "image": "", "value": "", "reflect": 0})
        self.controls.append(("artwin", action, rect))

    def albumart_ground(self, rect):
        """A record in a frame, painted where a cover will show."""
        x, y, w, h = rect
        self.display(rect, (14, 17, 23))
        d = ImageDraw.Draw(self.bg)
        cx, cy, r = x + w / 2, y + h / 2, min(w, h) * 0.36
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(26, 30, 38), outline=(48, 56, 72))
        d.ellipse([cx - r * 0.3, cy - r * 0.3, cx + r * 0.3, cy + r * 0.3], fill=(48, 56, 72))
        d.ellipse([cx - 2, cy - 2, cx + 2, cy + 2], fill=(14, 17, 23))

    def video(self, action, rect):
        x, y, w, h = rect
        img = Image.new("RGB", (w, h), (4, 5, 8))
        gradient(img, (0, 0, w, h), (12, 14, 20), (2, 3, 5))
        glyph(img, "play", (w // 2 - 20, h // 2 - 26, 40, 40), (48, 56, 72))
        centred_text(img, (0, h // 2 + 6, w, 20), "DROP A VIDEO", (70, 80, 100), 10)
        self.bg.paste(img, (x, y))
        self._control("videowin", action, rect, False,
                      {"image": self.picture("video.bmp", img), "bkcolor": hexcolor(DISPLAY),
                       "txcolor": hexcolor(TEXT), "border": 0})

    def infownd(self, rect, visible=1):
        self.display(rect)
        self._control("infownd", "tl-infownd", rect, True,
                      {"bkcolor": hexcolor(DISPLAY), "txcolor": hexcolor(TEXT), "font": FONT_FACE, "fsize": 9,
                       "border": 0, "value": "1"}, visible)

    def splitter(self, rect):
        x, y, w, h = rect
        d = ImageDraw.Draw(self.bg)
        for dy in (-6, 0, 6):
            d.ellipse([x + w / 2 - 1, y + h / 2 + dy - 1, x + w / 2 + 1, y + h / 2 + dy + 1], fill=TEXT_DIM)
        self._control("splitter", "tl-splitter", rect, False,
                      {"bkcolor": hexcolor(PANEL_BOTTOM), "txcolor": hexcolor(PANEL_TOP),
                       "bdcolor": hexcolor(PANEL_EDGE), "trans": 1, "value": ""})

    def spectrum(self, rect, accent):
        self.display(rect)
        self._control("spectrum", "jukespectrum", rect, True,
                      {"bkcolor": hexcolor(DISPLAY), "txcolor": hexcolor(accent), "border": 0})

    def jukepane(self, action, rect, accent, visible=1):
        self._control("jukepane", action, rect, True,
                      {"bkcolor": hexcolor(PANEL_BOTTOM), "txcolor": hexcolor(TEXT), "font": FONT_FACE,
                       "fsize": 12, "border": 1, "bdcolor": hexcolor(mix(accent, PANEL_EDGE, 0.5))}, visible)

    # ---- the result ----
    def build(self, thumb_size=(200, 140)):
        # The skin browser's preview: the finished background, small.
        self.images["background.bmp"] = self.bg
        self.images["thumb.bmp"] = self.bg.resize(thumb_size, Image.LANCZOS)
        head = self.elements[:1] + [("thumb", {"image": "thumb.bmp"})]
        return head + self.elements[1:], self.images
