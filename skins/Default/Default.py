"""The Default skin: four decks, the mixer with the sampler, the video deck
and the library with every list and tree, 1024 x 768.

tools/make-skin.py imports this module and calls build(canvas), which
returns the skin's elements (in file order) and the images to write. The
controls and their pictures come from skins/skinkit.py, the drawing kit
all shipped skins share; nothing is taken from any other skin or picture.
Coordinates are main-window client pixels.
"""
import skinkit as k
from skinparts import big_deck, crossfader, mixer_panel, place, title_bar

WIDTH, HEIGHT = 1024, 768

TITLE = (0, 0, WIDTH, 30)
DECK_A = (6, 34, 368, 270)
MIXER = (378, 34, 268, 418)
DECK_B = (650, 34, 368, 270)
DECK_C = (6, 308, 368, 144)
DECK_D = (650, 308, 368, 144)
LIBRARY_Y = 456


def mixer(s):
    mixer_panel(s, MIXER)
    x, y, w, h = MIXER
    acc = k.ACCENT["mx"]
    # Decks C and D: headphone cue keys beside the props keys.
    s.button("mx-monitorc", (x + 70, y + 252, 30, 14), "C", k.ACCENT["c"], "Headphones: deck C")
    s.light("lt-mx-monc", (x + 102, y + 252, 4, 14), k.ACCENT["c"])
    s.button("mx-monitord", (x + w - 100, y + 252, 30, 14), "D", k.ACCENT["d"], "Headphones: deck D")
    s.light("lt-mx-mond", (x + w - 106, y + 252, 4, 14), k.ACCENT["d"])
    # AutoMix.
    ay = y + 272
    s.label((x + 8, ay), "AUTOMIX", k.TEXT_DIM, 8)
    s.field("s-automix", (x + 60, ay - 1, 200, 12), "", k.TEXT_DIM, 8, element="status")
    s.button("mx-automixon", (x + 8, ay + 12, 46, 18), "AUTO", acc, "AutoMix on / off")
    s.light("lt-mx-auto", (x + 8, ay + 31, 46, 3), k.METER_GREEN)
    s.button("mx-automixrandom", (x + 56, ay + 12, 40, 18), "RND", acc, "Random AutoMix")
    s.light("lt-mx-autornd", (x + 56, ay + 31, 40, 3), k.METER_GREEN)
    s.button("mx-automixq", (x + 98, ay + 12, 46, 18), "QUEUE", acc, "AutoMix queue")
    s.button("mx-automixprops", (x + 146, ay + 12, 46, 18), "SETUP", acc, "AutoMix settings")
    s.button("mx-mixleft", (x + 194, ay + 12, 32, 18), "left", acc, "Mix to the left deck")
    s.button("mx-mixright", (x + 228, ay + 12, 32, 18), "right", acc, "Mix to the right deck")
    # Sampler pads.
    sy = y + 312
    s.label((x + 8, sy), "SAMPLER", k.TEXT_DIM, 8)
    fx = k.ACCENT["fx"]
    for i in range(20):
        r, col = divmod(i, 10)
        s.button("fx-%d" % (i + 1), (x + 8 + col * 22, sy + 11 + r * 17, 20, 15), str(i + 1), fx,
                 "Sound effect %d" % (i + 1))
    s.button("fx-play", (x + 230, sy + 11, 30, 15), "play", fx, "Play the sampler")
    s.button("fx-stop", (x + 230, sy + 28, 30, 15), "stop", fx, "Stop the sampler")
    # Crossfader with its keys and the deck assignment.
    crossfader(s, x, y + 358)
    # The audio jukebox window's keys.
    jy = y + 400
    s.label((x + 8, jy + 3), "JUKEBOX", k.TEXT_DIM, 8)
    for i, (action, label, tip) in enumerate((("jb-play", "play", "Jukebox: play"),
                                               ("jb-playpause", "playpause", "Jukebox: play / pause"),
                                               ("jb-stop", "stop", "Jukebox: stop"),
                                               ("jb-next", "next", "Jukebox: next track"))):
        s.button(action, (x + 70 + i * 48, jy, 46, 15), label, acc, tip)


def small_deck(s, d, rect, mirrored):
    """Deck C or D: read-outs, position, transport, EQ knobs, jog, gain and
    pitch faders and the level meters, in a short panel."""
    acc = k.ACCENT[d]
    at = place(rect, mirrored)
    s.panel(rect, None, acc)
    s.label(at(8, 4, 60, 14)[:2], "DECK " + d.upper(), acc, 12)
    s.field(d + "-status", at(72, 6, 60, 14), "EMPTY", k.TEXT_DIM, 8, True)
    s.light("lt-%s-live" % d, at(134, 6, 24, 13), k.METER_RED, "LIVE")
    s.field(d + "-bpm", at(160, 4, 58, 18), "---.-", k.TEXT, 10, True, 2, True)
    s.peakview("vp-" + d, at(222, 4, 138, 20), acc)

    s.albumart("art" + d, at(8, 26, 40, 40))
    at = place(rect, mirrored, (52, 200))
    s.display(at(52, 26, 148, 40))
    s.field(d + "-title", at(56, 27, 140, 15), "No track loaded", k.TEXT, 10, True)
    s.field(d + "-artist", at(56, 42, 140, 11), "", k.mix(acc, k.TEXT, 0.4), 8)
    s.field(d + "-album", at(56, 53, 70, 12), "", k.TEXT_DIM, 7)
    s.field(d + "-genre", at(128, 53, 68, 12), "", k.TEXT_DIM, 7, False, 2)
    at = place(rect, mirrored, (8, 200))
    s.display(at(8, 68, 192, 20))
    s.field(d + "-elaptime", at(10, 70, 62, 16), "00:00.0", acc, 10, True)
    s.field(d + "-remaintime", at(74, 70, 68, 16), "-00:00.0", k.TEXT, 10, True)
    s.field(d + "-totaltime", at(144, 71, 54, 14), "00:00", k.TEXT_DIM, 8, True, 2)
    s.progress(d + "-progress", at(8, 90, 192, 4), acc)
    s.slider(d + "-sldseek", at(8, 95, 192, 12), acc, "Seek", vertical=False, marks=0, thumb=(6, 11))
    s.field(d + "-filetype", at(8, 109, 40, 12), "", k.TEXT_DIM, 7)
    s.field(d + "-sps", at(50, 109, 50, 12), "", k.TEXT_DIM, 7)
    s.field(d + "-channels", at(102, 109, 44, 12), "", k.TEXT_DIM, 7)
    s.field(d + "-frequency", at(148, 109, 52, 12), "", k.TEXT_DIM, 7, False, 2)
    keys = [("play", "Play"), ("pause", "Pause"), ("stop", "Stop"), ("playpause", "Play / pause"),
            ("restart", "Restart"), ("rw", "Rewind"), ("ff", "Fast forward"), ("eject", "Eject")]
    for i, (action, tip) in enumerate(keys):
        s.button(d + "-" + action, at(8 + i * 24, 124, 22, 18), action, acc, tip, ar=action in ("rw", "ff"))

    at = place(rect, mirrored, (206, 290))
    for i, band in enumerate(("high", "mid", "low")):
        s.knob("knb-%s-eq%s" % (d, band), at(208 + i * 28, 30, 22, 22), acc, "EQ " + band)
        s.label(at(208 + i * 28, 55, 22, 8)[:2], ("HI", "MID", "LOW")[i], k.TEXT_DIM, 7)
    s.knob("knb-%s-jog" % d, at(210, 68, 32, 32), acc, "Jog: drag up or down to nudge", dot=6)
    s.light("lt-%s-pitchcenter" % d, at(210, 104, 32, 3), k.METER_GREEN)
    s.button(d + "-pitchup", at(248, 66, 40, 13), "up", acc, "Pitch up", ar=1)
    s.button(d + "-pitchdown", at(248, 81, 40, 13), "down", acc, "Pitch down", ar=1)
    s.button(d + "-pitchzero", at(248, 96, 40, 12), "0", acc, "Pitch to zero")
    s.light("lt-%s-keylock" % d, at(248, 110, 40, 2), acc)
    s.button(d + "-fadein", at(206, 114, 40, 13), "F.IN", acc, "Start with a fade-in")
    s.button(d + "-fadeout", at(248, 114, 40, 13), "F.OUT", acc, "Fade out and stop")
    s.button(d + "-eqflat", at(206, 129, 40, 13), "FLAT", acc, "EQ flat")
    s.button(d + "-eqonoff", at(248, 129, 34, 13), "EQ", acc, "EQ on / off")
    s.light("lt-%s-eqonoff" % d, at(284, 129, 4, 13), acc)

    at = place(rect, mirrored)
    s.slider(d + "-sldgain", at(294, 28, 18, 96), acc, "Gain (top is loudest)", marks=7, thumb=(16, 10))
    s.slider(d + "-sldpitch", at(314, 28, 18, 96), acc, "Pitch", marks=7, thumb=(16, 10))
    s.meter(d + "-leftmtr", at(336, 28, 6, 96))
    s.meter(d + "-rightmtr", at(344, 28, 6, 96))
    s.button(d + "-mute", at(294, 128, 50, 14), "MUTE", k.METER_RED, "Mute")
    s.light("lt-%s-mute" % d, at(346, 128, 4, 14), k.METER_RED)


def library(s):
    y0 = LIBRARY_Y
    lib = k.ACCENT["lib"]
    # Trees.
    s.status("s-mylibrary", (6, y0, 200, 16), "MY LIBRARY", lib)
    s.tree("mylibrary", (6, y0 + 18, 200, 142))
    s.status("s-mycomputer", (6, y0 + 164, 200, 16), "MY COMPUTER", lib)
    s.tree("mycomputer", (6, y0 + 182, 200, 126))
    s.splitter((208, y0, 6, 308))
    # Search, filter and the library's views.
    cx = 216
    s.edit("editsearch", (cx + 2, y0 + 3, 150, 16), "Search the library")
    s.button("searchgo", (cx + 158, y0 + 1, 40, 20), "FIND", lib, "Search")
    s.edit("editfilter", (cx + 206, y0 + 3, 150, 16), "Filter the list")
    s.button("filteroff", (cx + 362, y0 + 1, 40, 20), "CLEAR", lib, "Filter off")
    s.button("openadvsearch", (cx + 406, y0 + 1, 46, 20), "ADV.", lib, "Advanced search")
    s.button("openlibmgr", (cx + 454, y0 + 1, 46, 20), "MGR", lib, "Library manager")
    views = (("viewlibrary", "ALL"), ("viewartist", "ARTIST"), ("viewalbum", "ALBUM"), ("viewgenre", "GENRE"),
             ("viewyear", "YEAR"), ("viewbpm", "BPM"), ("ml-refresh", "REFRESH"), ("mc-refresh", "FOLDERS"))
    for i, (action, label) in enumerate(views):
        s.button(action, (cx + i * 63, y0 + 24, 61, 16), label, lib,
                 "Refresh the library" if action == "ml-refresh" else "Refresh the folders"
                 if action == "mc-refresh" else "View: " + label.lower())
    s.status("s-tracklist", (cx, y0 + 44, 500, 16), "TRACKS", lib)
    s.tracklist("tracklist", (cx, y0 + 62, 352, 148), lib)
    s.infownd((cx + 354, y0 + 62, 146, 148))
    keys = (("tl-selall", "SELECT ALL"), ("tl-selnone", "NONE"), ("tl-loadtoa", "TO A"), ("tl-loadtob", "TO B"),
            ("tl-loadtomxq", "TO AUTOMIX"), ("tl-loadtojbq", "TO JUKEBOX"), ("tl-scrollup", "up"),
            ("tl-scrolldn", "down"))
    for i, (action, label) in enumerate(keys):
        accent = k.ACCENT["a"] if action == "tl-loadtoa" else k.ACCENT["b"] if action == "tl-loadtob" else lib
        s.button(action, (cx + i * 63, y0 + 214, 61, 16), label, accent,
                 {"up": "Scroll up", "down": "Scroll down"}.get(label, label.title()),
                 ar=action.startswith("tl-scroll"))
    s.status("s-searchlist", (cx, y0 + 234, 160, 16), "SEARCH", lib)
    s.edit("editsearchlist", (cx + 164, y0 + 234, 84, 16), "Search")
    s.status("s-requestlist", (cx + 252, y0 + 234, 248, 16), "REQUESTS", lib)
    s.tracklist("searchlist", (cx, y0 + 252, 248, 56), lib, header=0)
    s.tracklist("requestlist", (cx + 252, y0 + 252, 248, 56), lib, header=0)


def video_and_queues(s):
    y0 = LIBRARY_Y
    vd = k.ACCENT["vd"]
    x0 = 720
    s.video("videop", (x0, y0, 176, 100))
    s.slider("sld-vd-seek", (x0, y0 + 102, 176, 12), vd, "Video position", vertical=False, marks=0, thumb=(6, 11))
    s.display((x0 + 180, y0, 118, 44))
    s.field("vd-title", (x0 + 183, y0 + 2, 112, 14), "No video", k.TEXT, 9, True)
    s.field("vd-etime", (x0 + 183, y0 + 16, 54, 12), "00:00", vd, 8, True)
    s.field("vd-rtime", (x0 + 240, y0 + 16, 54, 12), "-00:00", k.TEXT, 8, True, 2)
    s.field("vd-ttime", (x0 + 183, y0 + 29, 54, 12), "00:00", k.TEXT_DIM, 8, True)
    s.status("s-vdstatus", (x0 + 240, y0 + 29, 54, 12), "VIDEO", vd)
    s.albumart("artbuddy", (x0 + 180, y0 + 48, 36, 36))
    s.slider("sld-vd-volume", (x0 + 282, y0 + 48, 16, 66), vd, "Video volume", marks=5, thumb=(14, 8))
    keys = (("vj-load", "LOAD"), ("vj-play", "play"), ("vj-pause", "pause"), ("vj-stop", "stop"),
            ("vj-next", "next"), ("vj-mute", "MUTE"), ("vj-exmon", "TV OUT"))
    pos = [(220, 48), (250, 48), (220, 66), (250, 66), (180, 88), (210, 88), (240, 88)]
    for (action, label), (px, py) in zip(keys, pos):
        w = 28 if px >= 220 and py < 88 else 28
        s.button(action, (x0 + px, y0 + py, w, 16), label, vd,
                 {"vj-exmon": "Video on the external monitor", "vj-load": "Load a video"}.get(action, label.title()))
    s.light("lt-vd-exmon", (x0 + 240, y0 + 105, 28, 3), vd)
    qy = y0 + 118
    s.status("s-alist", (x0, qy, 148, 14), "DECK A QUEUE", k.ACCENT["a"])
    s.tracklist("a-queue", (x0, qy + 16, 148, 80), k.ACCENT["a"], header=0)
    s.status("s-blist", (x0 + 150, qy, 148, 14), "DECK B QUEUE", k.ACCENT["b"])
    s.tracklist("b-queue", (x0 + 150, qy + 16, 148, 80), k.ACCENT["b"], header=0)
    s.status("s-mxlist", (x0, qy + 100, 148, 14), "AUTOMIX QUEUE", k.ACCENT["mx"])
    s.tracklist("mx-queue", (x0, qy + 116, 148, 74), k.ACCENT["mx"], header=0)
    s.status("s-historylist", (x0 + 150, qy + 100, 148, 14), "HISTORY", k.ACCENT["lib"])
    s.tracklist("historylist", (x0 + 150, qy + 116, 148, 74), k.ACCENT["lib"], header=0)


def build(c):
    s = k.SkinBuilder("Default", WIDTH, HEIGHT, "Tavrix 4 decks")
    s.add("jukemode", {"value": 0})
    title_bar(s)
    big_deck(s, "a", DECK_A, False)
    big_deck(s, "b", DECK_B, True)
    mixer(s)
    small_deck(s, "c", DECK_C, False)
    small_deck(s, "d", DECK_D, True)
    library(s)
    video_and_queues(s)
    s.zone("deckAdrop", DECK_A)
    s.zone("deckBdrop", DECK_B)
    s.zone("deckCdrop", DECK_C)
    s.zone("deckDdrop", DECK_D)
    s.zone("videodrop", (720, LIBRARY_Y, 176, 100))
    s.zone("windowmove", (0, 0, 146, TITLE[3]))
    return s.build()
