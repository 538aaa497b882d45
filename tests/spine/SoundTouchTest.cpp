// SoundTouch's tempo detector, built for 16-bit samples, measures a click
// track of 120 beats per minute.
#include <BPMDetect.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(SoundTouch, BpmDetectMeasuresA120BpmClickTrack)
{
    const int rate = 44100, channels = 2, seconds = 30;
    const int frames = rate * seconds;
    const int beat = rate * 60 / 120;
    std::vector<short> pcm(static_cast<size_t>(frames) * channels);
    for (int i = 0; i < frames; ++i) {
        int inBeat = i % beat;
        double v = 0;
        if (inBeat < rate / 50) // a 20 ms decaying 1 kHz click
            v = 20000.0 * std::exp(-inBeat / (rate / 200.0)) *
                std::sin(2 * 3.14159265358979 * 1000.0 * inBeat / rate);
        pcm[2 * i] = pcm[2 * i + 1] = static_cast<short>(v);
    }

    soundtouch::BPMDetect detect(channels, rate);
    const int block = 4096;
    for (int i = 0; i < frames; i += block) {
        int n = frames - i < block ? frames - i : block;
        detect.inputSamples(&pcm[static_cast<size_t>(i) * channels], n);
    }
    EXPECT_NEAR(120.0, detect.getBpm(), 1.0);
}
