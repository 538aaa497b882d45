// The synthesis filterbank and output stage: silence, clipping, reduced
// rate against full rate, channel layouts, equalizer gains.
#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>
#include <vector>

#include "decoder/mpeg/mpeg_synth.h"
#include "tests/decoder/mpeg/codec/mpeg_test_streams.h"

namespace {

mpeg_frame_header Header(uint32_t word)
{
    mpeg_frame_header h;
    mpeg_header_unpack(word, &h);
    return h;
}

// Deterministic pseudo-random subband samples in the lowest `bands`.
std::vector<float> RandomBlocks(int blocks, int bands, unsigned seed)
{
    std::vector<float> v(static_cast<size_t>(blocks) * 32, 0.0f);
    for (int b = 0; b < blocks; ++b)
        for (int k = 0; k < bands; ++k) {
            seed = seed * 1103515245u + 12345u;
            v[static_cast<size_t>(b) * 32 + k] = ((seed >> 8) & 0xFFFF) / 65536.0f * 0.06f - 0.03f;
        }
    return v;
}

TEST(MpegSynth, ZeroBlocksAfterResetGiveZeros)
{
    mpeg_synth synth;
    const std::vector<float> noise = RandomBlocks(20, 32, 7);
    int16_t out[32];
    for (int b = 0; b < 20; ++b)
        synth.block(&noise[static_cast<size_t>(b) * 32], 0, out, 1);
    synth.reset();
    const float zero[32] = {};
    for (int b = 0; b < 3; ++b) {
        synth.block(zero, 0, out, 1);
        for (int16_t s : out)
            EXPECT_EQ(0, s);
    }
}

TEST(MpegSynth, LoudSignalIsClippedNeverWrapped)
{
    mpeg_synth synth;
    float block[32] = {};
    int16_t out[32];
    int at_max = 0, at_min = 0;
    for (int b = 0; b < 256; ++b) {
        // A slow subband-0 square wave far above full scale.
        block[0] = (b / 32) % 2 ? -8.0f : 8.0f;
        synth.block(block, 0, out, 1);
        if (b < 20)
            continue;
        for (int j = 0; j < 32; ++j) {
            if (out[j] == 32767)
                ++at_max;
            if (out[j] == -32768)
                ++at_min;
        }
        // Well inside each half period the output sits at the rail of the
        // input's sign, not wrapped to the other.
        if (b % 32 >= 20) {
            for (int j = 0; j < 32; ++j)
                EXPECT_EQ(block[0] > 0 ? 32767 : -32768, out[j]) << b << " " << j;
        }
    }
    EXPECT_GT(at_max, 100);
    EXPECT_GT(at_min, 100);
}

TEST(MpegSynth, ReducedRateMatchesEveryNthFullRateSample)
{
    for (int shift = 1; shift <= 2; ++shift) {
        const int bands = 32 >> shift;
        const std::vector<float> in = RandomBlocks(200, bands, 99u + shift);
        mpeg_synth full, reduced;
        int16_t a[32], b[32];
        int worst = 0;
        for (int blk = 0; blk < 200; ++blk) {
            full.block(&in[static_cast<size_t>(blk) * 32], 0, a, 1);
            reduced.block(&in[static_cast<size_t>(blk) * 32], shift, b, 1);
            for (int i = 0; i < bands; ++i) {
                const int d = abs(a[i << shift] - b[i]);
                if (d > worst)
                    worst = d;
            }
        }
        // Rounding against truncation: at most one step apart.
        EXPECT_LE(worst, 1) << "shift " << shift;
    }
}

TEST(MpegOutput, RateAndLayoutFollowQualityAndSelection)
{
    struct rate_case
    {
        uint32_t word;
        int quality;
        int rate;
        int shift;
    };
    using mpeg_test::HeaderWord;
    const rate_case cases[] = {
        {HeaderWord(1, 2, 8, 0, 0, 0), 0, 44100, 0}, {HeaderWord(1, 2, 8, 0, 0, 0), 1, 22050, 1},
        {HeaderWord(1, 2, 8, 0, 0, 0), 2, 11025, 2}, {HeaderWord(1, 2, 8, 1, 0, 0), 2, 12000, 2},
        {HeaderWord(1, 2, 8, 2, 0, 0), 1, 16000, 1}, {HeaderWord(0, 2, 8, 0, 0, 0), 1, 22050, 0},
        {HeaderWord(0, 2, 8, 0, 0, 0), 2, 11025, 1}, {HeaderWord(0, 2, 8, 2, 0, 0), 2, 8000, 1},
        {HeaderWord(2, 1, 8, 1, 0, 0), 2, 12000, 0}, {HeaderWord(2, 1, 8, 0, 0, 0), 1, 11025, 0},
        {HeaderWord(1, 2, 8, 0, 0, 0), 3, 44100, 0},
    };
    mpeg_output out;
    for (const rate_case& c : cases) {
        out.configure(Header(c.word), 0, c.quality);
        EXPECT_EQ(c.rate, out.rate()) << std::hex << c.word << " q" << c.quality;
        EXPECT_EQ(c.shift, out.shift());
        EXPECT_EQ(32 >> c.shift, out.subband_limit());
    }

    const mpeg_frame_header stereo = Header(HeaderWord(1, 2, 8, 1, 0, 0));
    const mpeg_frame_header mono = Header(HeaderWord(1, 2, 8, 1, 0, 3));
    struct layout_case
    {
        const mpeg_frame_header* h;
        int selection;
        int channels;
        bool left, right;
    };
    const layout_case layouts[] = {
        {&stereo, 0, 2, true, true}, {&stereo, 1, 1, true, false}, {&stereo, 2, 1, false, true},
        {&stereo, 3, 1, true, true}, {&mono, 0, 1, true, false},   {&mono, 2, 1, true, false},
        {&mono, 3, 1, true, false},
    };
    for (const layout_case& l : layouts) {
        out.configure(*l.h, l.selection, 0);
        EXPECT_EQ(l.channels, out.pcm_channels()) << l.selection;
        EXPECT_EQ(l.left, out.needs_channel(0)) << l.selection;
        EXPECT_EQ(l.right, out.needs_channel(1)) << l.selection;
    }
}

// Decodes blocks of two channels through an output stage with a layout.
std::vector<int16_t> RunLayout(int selection, const std::vector<float>& left,
                         const std::vector<float>& right, int blocks)
{
    mpeg_output out;
    out.configure(Header(mpeg_test::HeaderWord(1, 2, 8, 1, 0, 0)), selection, 0);
    std::vector<int16_t> pcm(static_cast<size_t>(blocks) * 64);
    out.begin(pcm.data());
    for (int b = 0; b < blocks; ++b)
        out.block(&left[static_cast<size_t>(b) * 32], &right[static_cast<size_t>(b) * 32]);
    pcm.resize(static_cast<size_t>(out.samples_written() * out.pcm_channels()));
    return pcm;
}

TEST(MpegOutput, SelectionAndMixAgreeWithTheStereoOutput)
{
    const int blocks = 100;
    const std::vector<float> left = RandomBlocks(blocks, 32, 1);
    const std::vector<float> right = RandomBlocks(blocks, 32, 2);
    const std::vector<int16_t> both = RunLayout(0, left, right, blocks);
    const std::vector<int16_t> l = RunLayout(1, left, right, blocks);
    const std::vector<int16_t> r = RunLayout(2, left, right, blocks);
    const std::vector<int16_t> mix = RunLayout(3, left, right, blocks);
    ASSERT_EQ(both.size(), 2 * l.size());
    ASSERT_EQ(l.size(), mix.size());
    int worst = 0;
    for (size_t i = 0; i < l.size(); ++i) {
        EXPECT_EQ(both[2 * i], l[i]);
        EXPECT_EQ(both[2 * i + 1], r[i]);
        const int d = abs(2 * mix[i] - (l[i] + r[i]));
        if (d > worst)
            worst = d;
    }
    // The mix is synthesized once from averaged subbands: the same as the
    // average of the two outputs but for rounding.
    EXPECT_LE(worst, 2);
}

TEST(MpegOutput, EqualizerScalesItsBandOnly)
{
    // A sine in subband 5 only, decoded with gains 1, 0.5 and 2 on band 5
    // and with a gain of 0 on another band.
    const int blocks = 200;
    std::vector<float> in(static_cast<size_t>(blocks) * 32, 0.0f);
    for (int b = 0; b < blocks; ++b)
        in[static_cast<size_t>(b) * 32 + 5] = 0.25f * static_cast<float>(sin(b * 0.7));
    auto rms = [&](const float* gains) {
        mpeg_synth synth;
        synth.set_gains(gains);
        int16_t out[32];
        double sum = 0.0;
        for (int b = 0; b < blocks; ++b) {
            synth.block(&in[static_cast<size_t>(b) * 32], 0, out, 1);
            if (b >= 20)
                for (int16_t s : out)
                    sum += static_cast<double>(s) * s;
        }
        return sqrt(sum / ((blocks - 20) * 32));
    };
    float flat[32], half[32], twice[32], other[32];
    for (int i = 0; i < 32; ++i)
        flat[i] = half[i] = twice[i] = other[i] = 1.0f;
    half[5] = 0.5f;
    twice[5] = 2.0f;
    other[6] = 0.0f;
    const double base = rms(nullptr);
    ASSERT_GT(base, 1000.0);
    EXPECT_NEAR(base, rms(flat), 0.01);
    EXPECT_NEAR(0.5, rms(half) / base, 0.001);
    EXPECT_NEAR(2.0, rms(twice) / base, 0.001);
    EXPECT_NEAR(1.0, rms(other) / base, 0.001);
}

} // namespace
