"""The panels the shipped skins share, built with skins/skinkit.py: the
title bar, the big deck (A or B) and the mixer's channel strip. A skin
places them; their insides are the same in every skin, so one deck reads
the same wherever the DJ meets it.
"""
import skinkit as k

def place(deck_rect, mirrored, block=None):
    """Maps a rectangle given inside a deck panel (as for the left deck) to
    the main window; the right deck is the mirror image. With a block
    (x0, x1), the block moves to its mirrored place as a whole and keeps
    its own order inside, so read-outs and rows of keys still read left to
    right."""
    dx, dy, dw, _ = deck_rect

    def at(x, y, w, h):
        if not mirrored:
            return (dx + x, dy + y, w, h)
        if block:
            return (dx + dw - block[1] + (x - block[0]), dy + y, w, h)
        return (dx + dw - x - w, dy + y, w, h)
    return at


def big_deck(s, d, rect, mirrored):
    """Deck A or B: read-outs, waveform, position, transport, cues, loops,
    presets, pitch and tempo faders, jog wheel and the deck's lights."""
    acc = k.ACCENT[d]
    at = place(rect, mirrored)
    s.panel(rect, None, acc)
    x0 = at(8, 4, 70, 18)
    s.label((x0[0], x0[1] + 1), "DECK " + d.upper(), acc, 13)
    at = place(rect, mirrored, (84, 360))
    s.field(d + "-status", at(84, 6, 70, 14), "EMPTY", k.TEXT_DIM, 8, True)
    s.light("lt-%s-live" % d, at(160, 6, 32, 14), k.METER_RED, "LIVE")
    s.light("lt-%s-beat" % d, at(196, 8, 10, 10), acc)
    s.field(d + "-bpm", at(212, 4, 70, 20), "---.-", k.TEXT, 12, True, 2, True)
    s.label(at(284, 9, 22, 12)[:2], "BPM", k.TEXT_DIM, 7)
    s.field(d + "-pitch", at(306, 4, 54, 20), "0.0%", acc, 10, True, 2, True)

    # Track read-out with the cover.
    s.albumart("art" + d, place(rect, mirrored)(8, 28, 64, 64))
    at = place(rect, mirrored, (76, 360))
    s.display(at(76, 28, 284, 64))
    s.field(d + "-title", at(80, 30, 276, 20), "No track loaded", k.TEXT, 12, True)
    s.field(d + "-artist", at(80, 50, 276, 16), "", k.mix(acc, k.TEXT, 0.4), 10)
    s.field(d + "-album", at(80, 66, 170, 12), "", k.TEXT_DIM, 8)
    s.field(d + "-genre", at(254, 66, 100, 12), "", k.TEXT_DIM, 8, False, 2)
    s.field(d + "-filetype", at(80, 78, 40, 13), "", k.TEXT_DIM, 8)
    s.field(d + "-sps", at(122, 78, 60, 13), "", k.TEXT_DIM, 8)
    s.field(d + "-channels", at(184, 78, 60, 13), "", k.TEXT_DIM, 8)
    s.field(d + "-frequency", at(254, 78, 100, 13), "", k.TEXT_DIM, 8, False, 2)

    # Times: elapsed and remaining large, total small.
    at = place(rect, mirrored, (8, 292))
    s.display(at(8, 96, 284, 30))
    s.label(at(12, 99, 40, 8)[:2], "ELAPSED", k.TEXT_DIM, 7)
    s.field(d + "-elaptime", at(12, 106, 100, 20), "00:00.0", acc, 14, True)
    s.label(at(118, 99, 40, 8)[:2], "REMAIN", k.TEXT_DIM, 7)
    s.field(d + "-remaintime", at(118, 106, 100, 20), "-00:00.0", k.TEXT, 14, True)
    s.label(at(224, 99, 40, 8)[:2], "TOTAL", k.TEXT_DIM, 7)
    s.field(d + "-totaltime", at(224, 108, 64, 16), "00:00", k.TEXT_DIM, 10, True)

    s.peakview("vp-" + d, at(8, 130, 284, 34), acc)
    s.progress(d + "-progress", at(8, 168, 284, 6), acc)
    s.slider(d + "-sldseek", at(8, 176, 284, 16), acc, "Seek", vertical=False, marks=0, thumb=(8, 14))

    # Jog wheel.
    at = place(rect, mirrored)
    s.knob("knb-%s-jog" % d, at(12, 198, 64, 64), acc, "Jog: drag up or down to nudge", dot=8)
    at = place(rect, mirrored, (84, 292))

    # Transport: cue points and the big keys.
    s.button(d + "-cue1", at(84, 200, 44, 28), "CUE 1", acc, "Cue point 1", lit_label=True)
    s.light("lt-%s-cue1" % d, at(84, 196, 44, 3), acc)
    s.button(d + "-cue2", at(130, 200, 44, 28), "CUE 2", acc, "Cue point 2", lit_label=True)
    s.light("lt-%s-cue2" % d, at(130, 196, 44, 3), acc)
    s.button(d + "-play", at(176, 200, 56, 28), "play", acc, "Play")
    s.button(d + "-pause", at(234, 200, 56, 28), "pause", acc, "Pause")

    row1 = [("stop", "stop", "Stop"), ("playpause", "playpause", "Play / pause"), ("restart", "restart", "Restart"),
            ("previous", "previous", "Previous track"), ("rw", "rw", "Rewind"), ("ff", "ff", "Fast forward"),
            ("next", "next", "Next track"), ("eject", "eject", "Eject")]
    for i, (action, label, tip) in enumerate(row1):
        s.button(d + "-" + action, at(84 + i * 26, 232, 24, 18), label, acc, tip, ar=action in ("rw", "ff"))

    # Loops, presets, effects, fades and the rest, as small keys with a light
    # strip above each that has a light.
    small = [("loopin", "IN", "loopin"), ("loopout", "OUT", "loopout"), ("loopstart", "LOOP", "loopstart"),
             ("preset1", "P1", "preset1"), ("preset2", "P2", "preset2"), ("preset3", "P3", "preset3"),
             ("preset4", "P4", "preset4")]
    for i, (action, label, lt) in enumerate(small):
        r = at(84 + i * 30, 256, 28, 14)
        s.button(d + "-" + action, r, label, acc, action.title())
        s.light("lt-%s-%s" % (d, lt), at(84 + i * 30, 253, 28, 2), acc)

    # Fader column: pitch (with its keys) and tempo.
    at = place(rect, mirrored, (296, 362))
    s.label(at(298, 96, 28, 10)[:2], "PITCH", k.TEXT_DIM, 7)
    s.slider(d + "-sldpitch", at(298, 106, 26, 112), acc, "Pitch", marks=9)
    s.light("lt-%s-pitchcenter" % d, at(298, 220, 26, 3), k.METER_GREEN)
    s.label(at(330, 96, 30, 10)[:2], "TEMPO", k.TEXT_DIM, 7)
    s.slider(d + "-sldtempo", at(330, 106, 26, 112), acc, "Tempo (key kept)", marks=9)
    s.light("lt-%s-keylock" % d, at(330, 220, 26, 3), acc)
    s.button(d + "-pitchup", at(298, 226, 26, 14), "up", acc, "Pitch up", ar=1)
    s.button(d + "-pitchdown", at(298, 242, 26, 14), "down", acc, "Pitch down", ar=1)
    s.button(d + "-pitchzero", at(298, 258, 26, 12), "0", acc, "Pitch to zero")
    s.button(d + "-fadein", at(330, 226, 30, 14), "F.IN", acc, "Start with a fade-in")
    s.button(d + "-fadeout", at(330, 242, 30, 14), "F.OUT", acc, "Fade out and stop")
    s.button(d + "-random", at(330, 258, 30, 12), "RND", acc, "Random track")
    s.light("lt-%s-random" % d, at(326, 258, 3, 12), acc)


def channel_strip(s, d, mirrored, MIXER, eq_sliders=False):
    """A mixer channel of deck A or B: EQ knobs (or short EQ faders) with
    kills, the gain fader, the level meters, EQ switch, mute, headphone cue
    and the effects."""
    acc = k.ACCENT[d]
    at = place((MIXER[0], MIXER[1], MIXER[2], MIXER[3]), mirrored)
    s.label(at(10, 22, 20, 10)[:2], d.upper(), acc, 9)
    # Each band: its knob (or short fader) and its kill key, which carries
    # the band's name in red under its red light.
    for i, (band, label) in enumerate((("high", "HI"), ("mid", "MID"), ("low", "LOW"))):
        y = 34 + i * 46
        if eq_sliders:
            s.slider("%s-sldeq%s" % (d, band), at(4, y + 8, 44, 20), acc, "EQ " + band, vertical=False, marks=5,
                     thumb=(10, 18))
        else:
            s.knob("knb-%s-eq%s" % (d, band), at(10, y, 34, 34), acc, "EQ " + band)
        s.button("%s-eq%skill" % (d, band), at(50, y + 10, 30, 16), label, k.METER_RED, "Kill the " + band,
                 lit_label=True)
        s.light("lt-%s-eq%skill" % (d, band), at(50, y + 6, 30, 3), k.METER_RED)
    s.button(d + "-eqonoff", at(8, 176, 36, 16), "EQ", acc, "EQ on / off")
    s.light("lt-%s-eqonoff" % d, at(8, 172, 36, 3), acc)
    s.button(d + "-eqflat", at(46, 176, 34, 16), "FLAT", acc, "EQ flat")
    s.label(at(86, 22, 30, 10)[:2], "GAIN", k.TEXT_DIM, 7)
    s.slider(d + "-sldgain", at(86, 34, 26, 126), acc, "Gain (top is loudest)", marks=11)
    s.meter(d + "-leftmtr", at(116, 34, 6, 126))
    s.meter(d + "-rightmtr", at(124, 34, 6, 126))
    s.button(d + "-mute", at(86, 176, 44, 16), "MUTE", k.METER_RED, "Mute")
    s.light("lt-%s-mute" % d, at(86, 172, 44, 3), k.METER_RED)
    at = place((MIXER[0], MIXER[1], MIXER[2], MIXER[3]), mirrored, (8, 130))
    mon = "mx-monitor" + d
    s.button(mon, at(8, 198, 58, 18), "CUE " + d.upper(), acc, "Headphones: deck " + d.upper())
    s.light("lt-mx-mon" + d, at(8, 218, 58, 3), acc)
    s.button(d + "-viewqueue", at(70, 198, 60, 18), "QUEUE", acc, "Show the deck's queue")
    for i, (fx, label) in enumerate((("fxecho", "ECHO"), ("fxflange", "FLNG"), ("fxrotate", "ROT"))):
        s.button("%s-%s" % (d, fx), at(8 + i * 42, 230, 40, 16), label, k.ACCENT["fx"], fx[2:].title())
        s.light("lt-%s-%s" % (d, fx), at(8 + i * 42, 226, 40, 3), k.ACCENT["fx"])
    at = place((MIXER[0], MIXER[1], MIXER[2], MIXER[3]), mirrored)
    s.button(d + "-props", at(8, 252, 58, 14), "PROPS", acc, "Track properties")


ALL_VIEWS = (("viewmixer", "MIXER", "Mixer window"), ("vieweffects", "FX", "Sound effects"),
             ("viewjukebox", "JUKE", "Audio jukebox"), ("viewvideo", "VIDEO", "Video jukebox"),
             ("viewcdplayer", "CD", "CD player"), ("viewcomm", "COMM", "Communications"),
             ("viewsearchbox", "FIND", "Search box"), ("viewtextout", "TEXT", "Text output"),
             ("viewsearch", "SRCH", "Search list"), ("viewrequest", "REQ", "Request list"),
             ("viewhistory", "HIST", "History list"))


def title_bar(s, width=1024, views=ALL_VIEWS):
    """The title bar: name, menus, the windows' keys, clock, uptime, CPU
    load and the window keys at the right end."""
    TITLE = (0, 0, width, 30)
    k.gradient(s.bg, TITLE, (30, 36, 48), (16, 19, 26))
    k.text(s.bg, (10, 6), "TAVRIX", k.ACCENT["lib"], 15, True)
    k.text(s.bg, (78, 6), "PRO DJ", k.TEXT, 15, True)
    acc = k.ACCENT["mx"]
    for i, (action, label) in enumerate((("me-file", "FILE"), ("me-edit", "EDIT"), ("me-view", "VIEW"),
                                         ("me-library", "LIBRARY"), ("me-tools", "TOOLS"), ("me-help", "HELP"))):
        s.button(action, (150 + i * 40, 5, 38, 20), label, acc, label.title() + " menu")
    for i, (action, label, tip) in enumerate(views):
        s.button(action, (396 + i * 32, 7, 30, 16), label, acc, tip)
    r = width - 272   # the right end: clock, uptime, CPU and the window keys
    s.field("clock", (r, 4, 56, 22), "00:00", k.TEXT, 12, True, 1, True)
    s.field("uptime", (r + 60, 4, 56, 22), "0:00:00", k.TEXT_DIM, 9, True, 1, True)
    s.label((r + 120, 4), "CPU", k.TEXT_DIM, 7)
    s.gradient_meter("cpuusage", (r + 120, 14, 40, 10), k.ACCENT["lib"])
    for i, (action, g, tip) in enumerate((("about", "about", "About"), ("help", "help", "Help"),
                                          ("config", "config", "Settings"), ("mainmenu", "menu", "Main menu"),
                                          ("minimize", "minimize", "Minimize"), ("close", "close", "Close Tavrix"))):
        s.button(action, (r + 166 + i * 17, 6, 16, 18), g, k.METER_RED if action == "close" else acc, tip)


def mixer_panel(s, mixer, eq_sliders=False):
    """The mixer's panel with its two channel strips (A left, B right)."""
    s.panel(mixer, None, k.ACCENT["mx"])
    x, y, w, h = mixer
    s.label((x + w / 2, y + 10), "MIXER", k.TEXT, 12, anchor="mm")
    channel_strip(s, "a", False, mixer, eq_sliders)
    channel_strip(s, "b", True, mixer, eq_sliders)


def crossfader(s, x, cy, fader_gap=18):
    """The crossfader row of a 268-pixel mixer: side assignment, fade keys
    and centre over the fader, with the mix key beside it."""
    acc = k.ACCENT["mx"]
    s.button("mx-assignleft", (x + 8, cy, 24, 16), "left", acc, "Assign the left side")
    s.field("txt_assignleft", (x + 34, cy, 24, 16), "A", k.ACCENT["a"], 10, True, 1)
    s.button("mx-fadeleft", (x + 62, cy, 40, 16), "<<", acc, "Fade to the left")
    s.button("mx-center", (x + 106, cy, 56, 16), "CENTER", acc, "Centre the crossfader")
    s.button("mx-faderight", (x + 166, cy, 40, 16), ">>", acc, "Fade to the right")
    s.field("txt_assignright", (x + 210, cy, 24, 16), "B", k.ACCENT["b"], 10, True, 1)
    s.button("mx-assignright", (x + 236, cy, 24, 16), "right", acc, "Assign the right side")
    s.slider("sldxfader", (x + 8, cy + fader_gap, 190, 20), acc, "Crossfader", vertical=False, marks=11,
             thumb=(14, 18))
    s.button("mx-mixnext", (x + 202, cy + fader_gap + 1, 58, 18), "MIX", acc, "Mix to the next track")
