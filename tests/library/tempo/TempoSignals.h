// Test signals for the tempo detector: a click track of interleaved 16-bit
// samples at a tempo (a decaying 1 kHz click on every beat).
#pragma once

#include <cmath>
#include <stdint.h>
#include <vector>

inline std::vector<int16_t> ClickTrack(double bpm, int rate, int channels, double seconds)
{
    const int frames = static_cast<int>(seconds * rate);
    const double beat = rate * 60.0 / bpm;
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * channels);
    for (int i = 0; i < frames; ++i) {
        const double inBeat = std::fmod(i, beat);
        double v = 0;
        if (inBeat < rate / 50.0)
            v = 20000.0 * std::exp(-inBeat / (rate / 200.0)) *
                std::sin(2 * 3.14159265358979 * 1000.0 * inBeat / rate);
        for (int c = 0; c < channels; ++c)
            pcm[static_cast<size_t>(i) * channels + c] = static_cast<int16_t>(v);
    }
    return pcm;
}

// Within 4% of the true tempo.
inline bool Within4Percent(double measured, double truth)
{
    return std::fabs(measured - truth) <= 0.04 * truth;
}

// Within 4% of the tempo or of twice, three times, half or a third of it:
// the beat the detector locked on is one of the music's own.
inline bool Within4PercentOfAMultiple(double measured, double truth)
{
    for (double ratio : {1.0, 2.0, 3.0, 0.5, 1.0 / 3.0}) {
        if (Within4Percent(measured, truth * ratio))
            return true;
    }
    return false;
}

// The check of a tempo of the table: the tempo itself, or (at 174 BPM, where
// SoundTouch's detector locks on every third beat: 58) a multiple of it.
#define EXPECT_TEMPO(measured, truth, exact)                                          \
    EXPECT_TRUE((exact) ? Within4Percent((measured), (truth))                         \
                        : Within4PercentOfAMultiple((measured), (truth)) &&           \
                              (measured) > 0)                                         \
        << "measured " << (measured) << " for " << (truth)
