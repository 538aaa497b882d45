"""The Thumbnails skin: two decks and a mixer with EQ faders over a row of
cover thumbnails (artists, albums, genres, years, playlists) that the DJ
scrolls and picks from, and the library below, 1024 x 768.

Built with skins/skinkit.py and the shared panels of skins/skinparts.py,
like every shipped skin; nothing is taken from any other skin or picture.
"""
import skinkit as k
from skinparts import big_deck, crossfader, mixer_panel, title_bar

WIDTH, HEIGHT = 1024, 768
DECK_A = (6, 34, 368, 270)
MIXER = (378, 34, 268, 318)
DECK_B = (650, 34, 368, 270)
STRIP_Y = 358
LIBRARY_Y = 540


def mixer(s):
    mixer_panel(s, MIXER, eq_sliders=True)
    crossfader(s, MIXER[0], MIXER[1] + 272, fader_gap=20)


def under_decks(s):
    acc = k.ACCENT["mx"]
    # Under deck A: AutoMix.
    x, y = DECK_A[0], 308
    s.panel((x, y, DECK_A[2], 44), None, None)
    s.label((x + 8, y + 4), "AUTOMIX", k.TEXT_DIM, 8)
    s.field("s-automix", (x + 70, y + 3, 290, 12), "", k.TEXT_DIM, 8, element="status")
    s.button("mx-automixon", (x + 8, y + 20, 60, 18), "AUTO", acc, "AutoMix on / off")
    s.light("lt-mx-auto", (x + 70, y + 20, 4, 18), k.METER_GREEN)
    s.button("mx-automixrandom", (x + 80, y + 20, 60, 18), "RND", acc, "Random AutoMix")
    s.light("lt-mx-autornd", (x + 142, y + 20, 4, 18), k.METER_GREEN)
    s.button("mx-automixq", (x + 152, y + 20, 60, 18), "QUEUE", acc, "AutoMix queue")
    s.button("mx-automixprops", (x + 216, y + 20, 60, 18), "SETUP", acc, "AutoMix settings")
    s.button("mx-mixleft", (x + 280, y + 20, 38, 18), "left", acc, "Mix to the left deck")
    s.button("mx-mixright", (x + 322, y + 20, 38, 18), "right", acc, "Mix to the right deck")
    # Under deck B: search and filter.
    x = DECK_B[0]
    lib = k.ACCENT["lib"]
    s.panel((x, y, DECK_B[2], 44), None, None)
    s.edit("editsearch", (x + 8, y + 6, 170, 16), "Search the library")
    s.button("searchgo", (x + 184, y + 4, 50, 20), "FIND", lib, "Search")
    s.edit("editfilter", (x + 8, y + 26, 170, 14), "Filter the list")
    s.button("filteroff", (x + 184, y + 25, 50, 16), "CLEAR", lib, "Filter off")
    s.button("openadvsearch", (x + 240, y + 4, 60, 20), "ADV.", lib, "Advanced search")
    s.button("openlibmgr", (x + 302, y + 4, 58, 20), "MGR", lib, "Library manager")
    s.button("ml-refresh", (x + 240, y + 25, 120, 16), "REFRESH", lib, "Refresh the library")


def thumbnail_strip(s):
    lib = k.ACCENT["lib"]
    y = STRIP_Y
    s.panel((6, y, 1012, 178), None, lib)
    s.field("thumbview", (40, y + 4, 500, 18), "PLAYLISTS::N/A", lib, 11, True)
    views = (("viewartist", "ARTISTS"), ("viewalbum", "ALBUMS"), ("viewgenre", "GENRES"), ("viewyear", "YEARS"),
             ("viewbpm", "BPM"), ("viewlibrary", "ALL"))
    for i, (action, label) in enumerate(views):
        s.button(action, (600 + i * 64, y + 4, 62, 18), label, lib, "View: " + label.lower())
    # The row of thumbnails (100 x 100 pictures, a reflection and two text
    # lines) between its two scroll keys, which repeat while held.
    s.button("tv-scrolll", (10, y + 26, 26, 148), "left", lib, "Scroll the thumbnails left", ar=1)
    s.display((40, y + 26, 944, 148))
    s.tracklist("thumblist", (42, y + 28, 940, 144), lib, header=0,
                extra={"NVS": 1, "FH": 0, "SSA": 0})
    s.button("tv-scrollr", (988, y + 26, 26, 148), "right", lib, "Scroll the thumbnails right", ar=1)


def library(s):
    y0 = LIBRARY_Y
    lib = k.ACCENT["lib"]
    s.status("s-mylibrary", (6, y0, 200, 16), "MY LIBRARY", lib)
    s.tree("mylibrary", (6, y0 + 18, 200, 206))
    s.splitter((208, y0, 6, 224))
    cx = 216
    s.status("s-tracklist", (cx, y0, 500, 16), "TRACKS", lib)
    s.tracklist("tracklist", (cx, y0 + 18, 500, 184), lib)
    keys = (("tl-selall", "SELECT ALL"), ("tl-selnone", "NONE"), ("tl-loadtoa", "TO A"), ("tl-loadtob", "TO B"),
            ("tl-loadtomxq", "TO AUTOMIX"), ("tl-scrollup", "up"), ("tl-scrolldn", "down"))
    for i, (action, label) in enumerate(keys):
        accent = k.ACCENT["a"] if action == "tl-loadtoa" else k.ACCENT["b"] if action == "tl-loadtob" else lib
        s.button(action, (cx + i * 72, y0 + 206, 70, 18), label, accent,
                 {"up": "Scroll up", "down": "Scroll down"}.get(label, label.title()),
                 ar=action.startswith("tl-scroll"))
    x0 = 720
    s.status("s-alist", (x0, y0, 298, 16), "DECK A QUEUE", k.ACCENT["a"])
    s.tracklist("a-queue", (x0, y0 + 18, 298, 56), k.ACCENT["a"], header=0)
    s.status("s-blist", (x0, y0 + 76, 298, 16), "DECK B QUEUE", k.ACCENT["b"])
    s.tracklist("b-queue", (x0, y0 + 94, 298, 56), k.ACCENT["b"], header=0)
    s.status("s-mxlist", (x0, y0 + 152, 298, 16), "AUTOMIX QUEUE", k.ACCENT["mx"])
    s.tracklist("mx-queue", (x0, y0 + 170, 298, 54), k.ACCENT["mx"], header=0)


def build(c):
    s = k.SkinBuilder("Thumbnails", WIDTH, HEIGHT, "Tavrix thumbnails")
    s.add("jukemode", {"value": 0})
    title_bar(s, WIDTH)
    big_deck(s, "a", DECK_A, False)
    big_deck(s, "b", DECK_B, True)
    mixer(s)
    under_decks(s)
    thumbnail_strip(s)
    library(s)
    s.zone("deckAdrop", DECK_A)
    s.zone("deckBdrop", DECK_B)
    s.zone("windowmove", (0, 0, 146, 30))
    return s.build()
