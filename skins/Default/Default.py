"""The Default skin: its layout and its pictures, drawn in code.

tools/make-skin.py imports this module and calls build(canvas), which
returns the skin's elements (in file order) and the images to write. Every
picture is drawn here from shapes and text; nothing is taken from any other
skin or picture. Coordinates are main-window client pixels.
"""

WIDTH, HEIGHT = 1024, 700

# Colours (red, green, blue).
BG_TOP = (28, 34, 46)
BG_BOTTOM = (12, 14, 20)
PANEL = (36, 44, 60)
PANEL_EDGE = (70, 86, 116)
ACCENT = (0, 70, 213)
ACCENT_LIGHT = (90, 150, 255)
TEXT = (220, 228, 240)
TEXT_DIM = (130, 142, 165)
KEY = (255, 0, 255)   # the transparent (key) colour of button images

# Panels: name -> (x, y, w, h).
TITLE_BAR = (0, 0, WIDTH, 28)
DECK_A = (8, 36, 380, 250)
DECK_B = (636, 36, 380, 250)
MIXER = (396, 36, 232, 250)
DECK_C = (8, 294, 186, 110)
DECK_D = (830, 294, 186, 110)
VIDEO = (396, 294, 232, 110)
LIBRARY = (8, 412, 1008, 280)


def rect_xyrb(r):
    x, y, w, h = r
    return {"x": x, "y": y, "r": x + w, "b": y + h}


def background(c):
    img = c.new(WIDTH, HEIGHT)
    c.vertical_gradient(img, (0, 0, WIDTH, HEIGHT), BG_TOP, BG_BOTTOM)
    c.vertical_gradient(img, TITLE_BAR, (24, 44, 90), (10, 20, 44))
    c.line(img, (0, TITLE_BAR[3] - 1), (WIDTH, TITLE_BAR[3] - 1), ACCENT)
    c.text(img, (12, 5), "TAVRIX PRO DJ", ACCENT_LIGHT, 15, bold=True)
    c.text(img, (150, 8), "Default skin", TEXT_DIM, 11)
    for label, r in (("DECK A", DECK_A), ("DECK B", DECK_B), ("MIXER", MIXER), ("DECK C", DECK_C),
                     ("DECK D", DECK_D), ("VIDEO", VIDEO), ("LIBRARY", LIBRARY)):
        c.panel(img, r, PANEL, PANEL_EDGE)
        c.text(img, (r[0] + 10, r[1] + 6), label, TEXT, 12, bold=True)
    # Drop hints in the deck and video panels.
    for r in (DECK_A, DECK_B, DECK_C, DECK_D):
        c.text(img, (r[0] + 10, r[1] + r[3] - 22), "drop a track here", TEXT_DIM, 10)
    c.text(img, (VIDEO[0] + 10, VIDEO[1] + VIDEO[3] - 22), "drop a video here", TEXT_DIM, 10)
    # A crossfader groove in the mixer.
    mx, my, mw, mh = MIXER
    c.panel(img, (mx + 20, my + mh - 40, mw - 40, 10), (12, 14, 20), PANEL_EDGE)
    return img


def thumb(c):
    # The skin browser's preview: the background, small.
    return c.scaled(background(c), 200, 137)


def button(c, glyph, hover):
    img = c.new(20, 20, KEY)
    fill = ACCENT_LIGHT if hover else ACCENT
    c.rounded(img, (1, 1, 18, 18), fill, (200, 215, 255))
    c.glyph(img, glyph, (255, 255, 255))
    return img


def build(c):
    images = {
        "background.bmp": background(c),
        "thumb.bmp": thumb(c),
    }
    elements = [
        ("background", {"image": "background.bmp", "x": 0, "y": 0, "width": WIDTH, "height": HEIGHT,
                        "type": "Tavrix"}),
        ("thumb", {"image": "thumb.bmp"}),
        ("jukemode", {"value": 0}),
        ("deckAdrop", rect_xyrb(DECK_A)),
        ("deckBdrop", rect_xyrb(DECK_B)),
        ("deckCdrop", rect_xyrb(DECK_C)),
        ("deckDdrop", rect_xyrb(DECK_D)),
        ("videodrop", rect_xyrb(VIDEO)),
        ("windowmove", rect_xyrb((0, 0, WIDTH - 80, TITLE_BAR[3]))),
    ]
    # The window buttons, right of the title bar: main menu, minimise, close.
    for i, (action, glyph, tip) in enumerate((("mainmenu", "menu", "Main Menu"),
                                               ("minimize", "minimize", "Minimize"),
                                               ("close", "close", "Close Tavrix"))):
        normal, hover = "btn-%s.bmp" % action, "btn-%s-on.bmp" % action
        images[normal] = button(c, glyph, False)
        images[hover] = button(c, glyph, True)
        elements.append(("button", {"action": action, "x": WIDTH - 76 + i * 24, "y": 4, "w": 19, "h": 19,
                                    "visible": 1, "image": normal, "imageon": hover, "tcolor": "ff00ff",
                                    "hl": 1, "tooltip": tip}))
    return elements, images
