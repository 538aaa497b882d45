"""The Jukebox skin: the dAredero jukebox (jukebox mode 2), 1024 x 768.

A page of ten album panes, the now-playing block with cover, texts, times,
progress, spectrum and volume, the number keypad that picks a pane and a
track, the browsing keys, the jukebox tree and list, and the queue. Built
with skins/skinkit.py like every shipped skin; nothing is taken from any
other skin or picture.
"""
import skinkit as k
from skinparts import title_bar

WIDTH, HEIGHT = 1024, 768
ACC = k.ACCENT["fx"]          # the jukebox's accent: amber, as the sampler's pads
NOW = (6, 34, 1012, 152)
PANES_Y = 190
PANE_W, PANE_H = 200, 170
BOTTOM_Y = 540


def now_playing(s):
    x, y, w, h = NOW
    s.panel(NOW, None, ACC)
    s.albumart("jukeart", (x + 8, y + 8, 136, 136))
    s.display((x + 152, y + 8, 500, 136))
    s.field("juketitle", (x + 160, y + 12, 484, 30), "Pick an album", k.TEXT, 20, True)
    s.field("jukeartist", (x + 160, y + 44, 484, 24), "", ACC, 15, True)
    s.field("jukealbum", (x + 160, y + 70, 484, 18), "", k.TEXT_DIM, 11)
    s.field("jukettext", (x + 160, y + 90, 484, 14), "", k.TEXT_DIM, 8)
    s.label((x + 160, y + 106), "ELAPSED", k.TEXT_DIM, 7)
    s.field("jukeelapsed", (x + 160, y + 114, 110, 24), "000:00", ACC, 16, True)
    s.label((x + 276, y + 106), "REMAIN", k.TEXT_DIM, 7)
    s.field("jukeremain", (x + 276, y + 114, 110, 24), "000:00", k.TEXT, 16, True)
    s.label((x + 392, y + 106), "TOTAL", k.TEXT_DIM, 7)
    s.field("juketotal", (x + 392, y + 118, 90, 18), "000:00", k.TEXT_DIM, 11, True)
    s.progress("jukeprog", (x + 490, y + 126, 156, 8), ACC)
    s.spectrum((x + 660, y + 8, 220, 92), ACC)
    s.label((x + 660, y + 106), "SELECTION", k.TEXT_DIM, 7)
    s.field("jukeanum", (x + 660, y + 114, 64, 30), "--", ACC, 18, True, 1, True)
    s.field("juketnum", (x + 730, y + 114, 64, 30), "--", k.TEXT, 18, True, 1, True)
    s.label((x + 802, y + 106), "PANE / TRACK", k.TEXT_DIM, 7)
    s.label((x + 890, y + 8), "VOL", k.TEXT_DIM, 7)
    s.slider("jukevolume", (x + 888, y + 20, 26, 124), ACC, "Volume", marks=9)
    s.button("jukeplay", (x + 922, y + 8, 82, 42), "play", ACC, "Play", big=True)
    s.button("jukestop", (x + 922, y + 55, 82, 42), "stop", ACC, "Stop", big=True)
    s.button("jukenext", (x + 922, y + 102, 82, 42), "next", ACC, "Next track", big=True)


def panes(s):
    for n in range(10):
        row, col = divmod(n, 5)
        x = 6 + col * (PANE_W + 3)
        y = PANES_Y + row * (PANE_H + 4)
        # Under each pane, its outline as the pane lays itself out: number,
        # cover slot (side w / 2 - 5) and track rows.
        k.rounded(s.bg, (x, y, PANE_W, PANE_H), k.PANEL_BOTTOM, k.PANEL_EDGE, radius=4)
        k.text(s.bg, (x + 6, y + 6), "%02d" % (n + 1), ACC, 12, True)
        side = PANE_W // 2 - 5
        s.albumart_ground((x + 5, y + 30, side - 5, side - 5))
        for i in range(6):
            k.rounded(s.bg, (x + side + 10, y + 34 + i * 20, PANE_W - side - 16, 12), (26, 30, 39), None, radius=2)
        s.jukepane("j%d" % (n + 1), (x, y, PANE_W, PANE_H), ACC)


def keypad_and_lists(s):
    y0 = BOTTOM_Y
    s.panel((6, y0, 326, 224), None, ACC)
    s.label((14, y0 + 6), "PICK: PANE, THEN TRACK", k.TEXT_DIM, 8)
    keys = ["7", "8", "9", "4", "5", "6", "1", "2", "3", "bsp", "0", "trash"]
    for i, key in enumerate(keys):
        r, c = divmod(i, 3)
        label = {"bsp": "left", "trash": "CLR"}.get(key, key)
        tip = {"bsp": "Take back the last digit", "trash": "Clear the digits"}.get(key, "Digit " + key)
        s.button("jukenum" + key, (14 + c * 52, y0 + 22 + r * 50, 48, 46), label, ACC, tip, big=True)
    # Browsing keys, as a cross with the level key in its middle.
    bx, by = 176, y0 + 22
    s.button("jukescrollup", (bx + 50, by, 46, 46), "up", ACC, "Previous row", ar=1)
    s.button("jukescrollleft", (bx, by + 50, 46, 46), "left", ACC, "Previous page", ar=1)
    s.button("jukeuplevel", (bx + 50, by + 50, 46, 46), "BACK", ACC, "Up one level")
    s.button("jukescrollright", (bx + 100, by + 50, 46, 46), "right", ACC, "Next page", ar=1)
    s.button("jukescrolldn", (bx + 50, by + 100, 46, 46), "down", ACC, "Next row", ar=1)
    s.label((bx, by + 160), "BROWSE", k.TEXT_DIM, 8)

    lib = k.ACCENT["lib"]
    s.caption((338, y0, 220, 16), "BROWSE", lib)
    s.tree("juketree", (338, y0 + 18, 220, 206))
    s.caption((562, y0, 220, 16), "", ACC)
    s.field("jukectext", (565, y0, 214, 16), "ALBUMS", ACC, 9, True)
    s.tracklist("jukelist", (562, y0 + 18, 220, 206), ACC, header=0)
    s.caption((786, y0, 232, 16), "UP NEXT", ACC)
    s.tracklist("jukequeue", (786, y0 + 18, 232, 206), ACC, header=0)


def build(c):
    s = k.SkinBuilder("Jukebox", WIDTH, HEIGHT, "Tavrix jukebox")
    s.add("jukemode", {"value": 2})
    title_bar(s, WIDTH, views=(("viewjukebox", "JUKE", "Audio jukebox"), ("viewmixer", "MIXER", "Mixer window"),
                               ("vieweffects", "FX", "Sound effects"), ("viewsearchbox", "FIND", "Search box"),
                               ("viewhistory", "HIST", "History list")))
    now_playing(s)
    panes(s)
    keypad_and_lists(s)
    # No deck or video drop zones: the jukebox has no decks on screen.
    s.zone("windowmove", (0, 0, 146, 30))
    return s.build()
