// The tempo detector over SoundTouch: click tracks at the tempos DJs meet,
// in one channel and two; silence and arguments it cannot take give 0.
#include "library/tempo/TempoDetector.h"
#include "tests/library/tempo/TempoSignals.h"

#include <gtest/gtest.h>

#include <algorithm>

using tempo::DetectTempo;
using tempo::TempoDetector;

struct ClickCase
{
    double bpm;
    int channels;
    int rate;
    bool exact; // the detector finds the tempo itself, not a multiple
};

class ClickTracks : public ::testing::TestWithParam<ClickCase>
{
};

TEST_P(ClickTracks, AreMeasuredWithinFourPercent)
{
    const ClickCase c = GetParam();
    const std::vector<int16_t> pcm = ClickTrack(c.bpm, c.rate, c.channels, 20);
    const int frames = static_cast<int>(pcm.size() / c.channels);
    // Fed whole, and in decoder-sized blocks: the same tempo.
    const float whole = DetectTempo(c.channels, c.rate, pcm.data(), frames);
    EXPECT_TEMPO(whole, c.bpm, c.exact);
    TempoDetector detector(c.channels, c.rate);
    ASSERT_TRUE(detector.Valid());
    for (int at = 0; at < frames; at += 1152)
        detector.Feed(pcm.data() + static_cast<size_t>(at) * c.channels,
                      std::min(1152, frames - at));
    EXPECT_FLOAT_EQ(whole, detector.Bpm());
}

INSTANTIATE_TEST_SUITE_P(Tempos, ClickTracks,
                         ::testing::Values(ClickCase{90, 2, 44100, true},
                                           ClickCase{120, 1, 44100, true},
                                           ClickCase{128, 2, 48000, true},
                                           ClickCase{174, 2, 44100, false},
                                           ClickCase{100, 1, 22050, true}));

TEST(TempoDetector, SilenceHasNoTempo)
{
    const std::vector<int16_t> silence(44100 * 2 * 10);
    EXPECT_EQ(0.0f, DetectTempo(2, 44100, silence.data(), 44100 * 10));
}

TEST(TempoDetector, ArgumentsItCannotTakeGiveZeroWithoutReadingTheSamples)
{
    const std::vector<int16_t> pcm = ClickTrack(120, 44100, 2, 10);
    struct Case
    {
        int channels, rate;
        const int16_t* samples;
        int frames;
    } cases[] = {
        {0, 44100, pcm.data(), 441000},  {-2, 44100, pcm.data(), 441000},
        {2, 0, pcm.data(), 441000},      {2, 4000, pcm.data(), 441000},
        {2, -44100, pcm.data(), 441000}, {2, 44100, nullptr, 441000},
        {2, 44100, pcm.data(), 0},       {2, 44100, pcm.data(), -5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0.0f, DetectTempo(c.channels, c.rate, c.samples, c.frames))
            << c.channels << " " << c.rate << " " << c.frames;
    }
    EXPECT_FALSE(TempoDetector(2, 4000).Valid());
    EXPECT_FALSE(TempoDetector(9, 44100).Valid());
    EXPECT_TRUE(TempoDetector(1, 8000).Valid());
}
