#!/usr/bin/env python3
"""Writes a drum loop at a given tempo as a 16-bit WAV file, for the tempo
detection tests and benchmark (lame turns it into MP3 afterwards).

make-tempo-loop.py OUT.wav BPM [--style S] [--seconds N] [--swing F]
                   [--bass] [--noise LEVEL] [--seed N] [--rate HZ]

Styles (16 steps a bar, 4/4): click (a metronome, accented first beat),
house (kick on every beat), rock (kick and backbeat), breaks, dnb (two-step
with a busy hat), halftime. Swing delays every second sixteenth by that
fraction of a step; --bass adds an eighth-note bass line, --noise a steady
noise bed (0 to 1). Plain Python, no other packages."""
import argparse
import array
import math
import random
import wave

STYLES = {
    #          kick steps            snare steps      hat steps
    "click": None,
    "house": ([0, 4, 8, 12], [4, 12], [2, 6, 10, 14]),
    "rock": ([0, 8, 10], [4, 12], list(range(0, 16, 2))),
    "breaks": ([0, 10, 11], [4, 12, 15], list(range(16))),
    "dnb": ([0, 10], [4, 12], list(range(0, 16, 2)) + [7, 15]),
    "halftime": ([0, 3, 10], [8], list(range(0, 16, 2))),
}


def decay(n, rate, tau):
    return [math.exp(-i / (tau * rate)) for i in range(n)]


def make_hits(rate, rnd):
    def kick():
        n = int(0.18 * rate)
        env = decay(n, rate, 0.05)
        out, phase = [], 0.0
        for i in range(n):
            f = 45 + 75 * math.exp(-i / (0.03 * rate))
            phase += 2 * math.pi * f / rate
            out.append(0.9 * env[i] * math.sin(phase))
        return out

    def snare():
        n = int(0.14 * rate)
        env = decay(n, rate, 0.035)
        return [env[i] * (0.45 * (rnd.random() * 2 - 1) +
                          0.3 * math.sin(2 * math.pi * 185 * i / rate)) for i in range(n)]

    def hat():
        n = int(0.04 * rate)
        env = decay(n, rate, 0.008)
        out, last = [], 0.0
        for i in range(n):
            x = rnd.random() * 2 - 1
            out.append(0.25 * env[i] * (x - last))  # a difference: only the highs
            last = x
        return out

    def click(freq, level):
        n = int(0.012 * rate)
        env = decay(n, rate, 0.004)
        return [level * env[i] * math.sin(2 * math.pi * freq * i / rate) for i in range(n)]

    return {"kick": kick(), "snare": snare(), "hat": hat(),
            "accent": click(1500, 0.8), "click": click(1000, 0.6)}


def mix(buf, start, hit, gain=1.0):
    end = min(len(buf), start + len(hit))
    for i in range(start, end):
        buf[i] += gain * hit[i - start]


def main():
    p = argparse.ArgumentParser()
    p.add_argument("out")
    p.add_argument("bpm", type=float)
    p.add_argument("--style", default="click", choices=sorted(STYLES))
    p.add_argument("--seconds", type=float, default=15.0)
    p.add_argument("--swing", type=float, default=0.0)
    p.add_argument("--bass", action="store_true")
    p.add_argument("--noise", type=float, default=0.0)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--rate", type=int, default=44100)
    a = p.parse_args()

    rnd = random.Random(a.seed)
    rate = a.rate
    total = int(a.seconds * rate)
    buf = [0.0] * total
    hits = make_hits(rate, rnd)
    step = 60.0 / a.bpm / 4  # seconds per sixteenth
    steps = int(a.seconds / step) + 1

    def at(s):  # sample of step s, with swing on every second sixteenth
        t = s * step + (a.swing * step if s % 2 == 1 else 0.0)
        return int(round(t * rate))

    pattern = STYLES[a.style]
    for s in range(steps):
        pos = at(s)
        if pos >= total:
            break
        k = s % 16
        if pattern is None:
            if k % 4 == 0:
                mix(buf, pos, hits["accent"] if k == 0 else hits["click"])
            continue
        kicks, snares, hats = pattern
        if k in kicks:
            mix(buf, pos, hits["kick"])
        if k in snares:
            mix(buf, pos, hits["snare"])
        if k in hats:
            mix(buf, pos, hits["hat"], 1.0 if k % 4 == 2 else 0.6)

    if a.bass:
        notes = [0, 0, 7, 0, 3, 0, 10, 5]  # semitones over the root, one per eighth
        root = 41.2 * 2 ** (rnd.randrange(5) / 12)
        for e in range(int(a.seconds / (2 * step)) + 1):
            pos = at(2 * e)
            n = min(int(1.8 * step * rate), total - pos)
            if n <= 0:
                break
            f = root * 2 ** (notes[e % len(notes)] / 12)
            for i in range(n):
                ph = (f * i / rate) % 1.0
                env = min(1.0, i / 80.0) * math.exp(-i / (0.25 * rate))
                buf[pos + i] += 0.35 * env * (2 * ph - 1)

    if a.noise > 0:
        for i in range(total):
            buf[i] += a.noise * 0.3 * (rnd.random() * 2 - 1)

    peak = max(1e-9, max(abs(x) for x in buf))
    scale = 0.7 * 32767 / peak
    pcm = array.array("h", (int(x * scale) for x in buf))
    with wave.open(a.out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(pcm.tobytes())


if __name__ == "__main__":
    main()
