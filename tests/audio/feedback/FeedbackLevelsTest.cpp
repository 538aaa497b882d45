// The visualisation handlers' arithmetic: VU levels of known signals, the
// deck scope value, the spectrum bars with their peaks and drawing, and the
// oscilloscope trace.
#include <math.h>
#include <stdint.h>

#include <vector>

#include <gtest/gtest.h>

#include "audio/feedback/FeedbackLevels.h"
#include "decoder/fft/fft.h"

namespace {

// A planar block as the feedback server hands it: each channel's samples
// one after the other.
struct Block
{
    std::vector<int8_t> samples;
    pcm_block pcm = {};

    Block(const std::vector<std::vector<int8_t>>& channels)
    {
        for (const auto& c : channels)
            samples.insert(samples.end(), c.begin(), c.end());
        pcm.sample_rate = 44100;
        pcm.channels = static_cast<uint16_t>(channels.size());
        pcm.samples_per_channel = channels.empty() ? 0 : static_cast<uint16_t>(channels[0].size());
        pcm.samples = samples.data();
    }
};

std::vector<int8_t> Sine(int n, double cycles, double amplitude)
{
    std::vector<int8_t> s(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        s[i] = static_cast<int8_t>(lround(amplitude * sin(2 * 3.14159265358979 * cycles * i / n)));
    return s;
}

struct Fft
{
    fft_context* c = nullptr;
    Fft() { fft_new(&c); }
    ~Fft() { fft_delete(c); }
};

} // namespace

TEST(FeedbackLevels, VuLevelsOfKnownSignals)
{
    struct Case { std::vector<std::vector<int8_t>> channels; int left; int right; } cases[] = {
        // A stereo block peaking at 90 and 120 reports 90 and 100.
        {{{10, 90, -100, 3}, {120, -128, 0, 5}}, 90, 100},
        // Mono: both meters show the one channel.
        {{{-5, 64, 63, 0}}, 64, 64},
        // Only negative samples: level 0.
        {{{-1, -90, -128, -7}, {-3, -3, -3, -3}}, 0, 0},
        // Half-scale sines, full-scale square.
        {{Sine(512, 8, 63.5), Sine(512, 3, 127)}, 64, 100},
        {{std::vector<int8_t>(256, 127), std::vector<int8_t>(256, 37)}, 100, 37},
    };
    for (const auto& c : cases) {
        Block b(c.channels);
        const FeedbackLevels levels = FeedbackBlockLevels(b.pcm);
        EXPECT_EQ(c.left, levels.left);
        EXPECT_EQ(c.right, levels.right);
    }
    pcm_block empty = {};
    EXPECT_EQ(0, FeedbackBlockLevels(empty).left);
    EXPECT_EQ(0, FeedbackBlockLevels(empty).right);
}

TEST(FeedbackLevels, ScopeValueIsTheMeanBandLevel)
{
    Fft fft;
    int value = -1;
    // An empty block gives no value.
    pcm_block empty = {};
    EXPECT_FALSE(FeedbackScopeValue(fft.c, empty, 0, &value));
    EXPECT_EQ(-1, value);
    // Silence: decks A and B are raised to 1, C and D keep 0.
    Block silent({std::vector<int8_t>(256, 0)});
    for (int deck = 0; deck < 4; ++deck) {
        ASSERT_TRUE(FeedbackScopeValue(fft.c, silent.pcm, deck, &value));
        EXPECT_EQ(deck < 2 ? 1 : 0, value) << deck;
    }
    // The mean of the bands the analyser gives for the same input.
    Block loud({Sine(512, 40, 120)});
    ASSERT_TRUE(FeedbackScopeValue(fft.c, loud.pcm, 2, &value));
    Fft check;
    uint8_t bands[512];
    ASSERT_EQ(0, fft_set_input(check.c, loud.pcm.samples, 512));
    ASSERT_EQ(0, fft_get_spectrum(check.c, bands, 512));
    int sum = 0;
    for (uint8_t b : bands)
        sum += b;
    EXPECT_EQ(sum / 512, value);
    int quiet = 0;
    Block soft({Sine(512, 40, 4)});
    ASSERT_TRUE(FeedbackScopeValue(fft.c, soft.pcm, 2, &quiet));
    EXPECT_LT(quiet, value);
    // A count the analyser refuses keeps its previous input: a value still.
    Block odd({std::vector<int8_t>(300, 50)});
    EXPECT_TRUE(FeedbackScopeValue(fft.c, odd.pcm, 0, &value));
}

TEST(FeedbackLevels, BarsRiseHalfwayAndPeaksFall)
{
    SpectrumBars bars;
    bars.Setup(4, 40);
    EXPECT_EQ(37, bars.Bar(0).maximum);
    uint8_t spectrum[256] = {};
    spectrum[1] = 255; // bars 0-2 take byte x 2 / 7: 72, held to 37
    spectrum[4] = 90;  // the others byte / 3: 30
    spectrum[255] = 254;
    bars.Update(spectrum);
    EXPECT_EQ(18, bars.Bar(0).level);
    EXPECT_EQ(15, bars.Bar(3).level);
    EXPECT_EQ(18, bars.Bar(254).level); // 84 held to 37, halved
    EXPECT_EQ(18, bars.Bar(0).peak);
    bars.Update(spectrum);
    EXPECT_EQ(27, bars.Bar(0).level);
    EXPECT_EQ(27, bars.Bar(0).peak);
    // Silence: the level halves each block; the peak drops by count / 4 and
    // goes to 0 once the count reaches it.
    uint8_t none[256] = {};
    std::vector<int> peaks;
    for (int i = 0; i < 12; ++i) {
        bars.Update(none);
        peaks.push_back(bars.Bar(0).peak);
    }
    const std::vector<int> expected = {27, 27, 27, 27, 26, 25, 24, 23, 21, 19, 17, 15};
    EXPECT_EQ(expected, peaks);
    for (int i = 0; i < 40; ++i)
        bars.Update(none);
    EXPECT_EQ(0, bars.Bar(0).level);
    EXPECT_EQ(0, bars.Bar(0).peak);
}

TEST(FeedbackLevels, BarsAreDrawnOnlyWhereTheyFit)
{
    const int W = 130, H = 40;
    std::vector<uint32_t> pixels(W * H, 0x123456);
    FeedbackCanvas canvas{pixels.data(), W, H};
    SpectrumBars bars;
    bars.Setup(SpectrumBarWidth(W, false), H);
    EXPECT_EQ(4, bars.Bar(0).width);
    EXPECT_EQ(3, SpectrumBarWidth(130, true));
    uint8_t spectrum[256];
    for (int i = 0; i < 256; ++i)
        spectrum[i] = 200;
    for (int i = 0; i < 6; ++i)
        bars.Update(spectrum); // halving towards 37 ends at 36
    ASSERT_EQ(36, bars.Bar(5).level);
    bars.Draw(canvas, 0xaa, 0xbb);
    auto at = [&](int x, int row) { return pixels[row * W + x]; };
    // Bar 25 at x = 125 fits (125 + 4 < 130); bar 26 at 130 does not.
    EXPECT_EQ(0xaau, at(125, 0));
    EXPECT_EQ(0xaau, at(128, 35));
    EXPECT_EQ(0u, at(129, 0)); // the gap
    // The peak's three rows sit on the level; the top row stays clear.
    EXPECT_EQ(0xbbu, at(0, 36));
    EXPECT_EQ(0xbbu, at(0, 38));
    EXPECT_EQ(0u, at(0, 39));
    // A lower bar shows its peak above the level.
    uint8_t lower[256] = {};
    for (int i = 0; i < 3; ++i)
        bars.Update(lower);
    bars.Draw(canvas, 0xaa, 0xbb);
    const int level = bars.Bar(5).level, peak = bars.Bar(5).peak;
    ASSERT_LT(peak + 3, H);
    ASSERT_GT(peak, level);
    EXPECT_EQ(0xaau, at(25, level - 1));
    EXPECT_EQ(0u, at(25, level));
    EXPECT_EQ(0xbbu, at(25, peak));
    EXPECT_EQ(0xbbu, at(27, peak + 2));
    EXPECT_EQ(0u, at(25, peak + 3));
}

TEST(FeedbackLevels, OscilloscopeDrawsOneDotPerColumn)
{
    EXPECT_EQ(0, Oscilloscope::Row(-128));
    EXPECT_EQ(20, Oscilloscope::Row(0));
    EXPECT_EQ(39, Oscilloscope::Row(127));
    EXPECT_EQ(20, Oscilloscope::Row(-1)); // toward zero: -40 / 256 is 0
    EXPECT_EQ(10, Oscilloscope::Row(-64));
    std::vector<uint32_t> pixels(130 * 40, 0);
    FeedbackCanvas canvas{pixels.data(), 130, 40};
    Oscilloscope scope;
    std::vector<int8_t> first(512, 0);
    first[0] = -128;
    first[1] = 127;
    Block a({first});
    scope.Draw(canvas, a.pcm);
    EXPECT_EQ(0xffffffu, pixels[0 * 130 + 0]);
    EXPECT_EQ(0xffffffu, pixels[39 * 130 + 1]);
    EXPECT_EQ(0xffffffu, pixels[20 * 130 + 129]);
    int lit = 0;
    for (uint32_t p : pixels)
        lit += p != 0;
    EXPECT_EQ(130, lit); // only the first 130 samples
    // The next block erases each column's dot before drawing its own.
    Block b({std::vector<int8_t>(4, 64)});
    scope.Draw(canvas, b.pcm);
    EXPECT_EQ(0u, pixels[0]);
    EXPECT_EQ(0xffffffu, pixels[30 * 130 + 0]);
    EXPECT_EQ(0xffffffu, pixels[20 * 130 + 100]); // columns past the block stay
    EXPECT_EQ(30, scope.LastRow(3));
    EXPECT_EQ(20, scope.LastRow(4));
}
