// The FX output filter on generated signals: echo delay and level, flange
// delay, rotate pan over minutes, saturation, blocks that are not 16-bit
// stereo, and each deck's own running state. Portable: runs natively too.
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <vector>

#include "audio/fx/FxFilter.h"

namespace {

const double kPi = 3.14159265358979323846;

// The next entry of the chain: keeps what reached it.
struct Sink
{
    output_filter_entry entry;
    std::vector<int16_t> samples;
    int calls = 0;
    int last_bytes = -1, last_bps = 0, last_channels = 0, last_rate = 0;
};

Sink* g_sink = nullptr;

int SinkWrite(output_filter_entry*, void* samples, int byte_count, int bytes_per_sample, int channels,
              int rate)
{
    ++g_sink->calls;
    g_sink->last_bytes = byte_count;
    g_sink->last_bps = bytes_per_sample;
    g_sink->last_channels = channels;
    g_sink->last_rate = rate;
    const int16_t* s = static_cast<const int16_t*>(samples);
    g_sink->samples.insert(g_sink->samples.end(), s, s + byte_count / 2);
    return byte_count;
}

class FxFilter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FxRestoreDefaults();
        g_sink = &m_sink;
        memset(&m_sink.entry, 0, sizeof(m_sink.entry));
        m_sink.entry.ops.write = SinkWrite;
        for (int deck = 0; deck < FX_DECK_COUNT; ++deck) {
            output_filter_module_ops ops;
            ASSERT_EQ(0, FxFilterModuleEntry(deck)(&ops));
            memset(&m_entries[deck], 0, sizeof(output_filter_entry));
            m_entries[deck].id = 1;
            m_entries[deck].ops = ops;
            m_entries[deck].next = &m_sink.entry;
            ASSERT_EQ(0, ops.new_instance(&m_entries[deck].instance, 1, nullptr));
        }
    }
    void TearDown() override
    {
        for (output_filter_entry& e : m_entries)
            e.ops.delete_instance(e.instance);
        g_sink = nullptr;
        FxRestoreDefaults();
    }

    // Writes stereo frames through a deck's filter in blocks of `block`
    // frames, as the player hands them on; returns what came out.
    std::vector<int16_t> Run(int deck, const std::vector<int16_t>& frames, size_t block = 1152)
    {
        m_sink.samples.clear();
        std::vector<int16_t> copy = frames;
        for (size_t at = 0; at < copy.size(); at += block * 2) {
            const size_t n = std::min(block * 2, copy.size() - at);
            const int r = m_entries[deck].ops.write(&m_entries[deck], copy.data() + at,
                                                    static_cast<int>(n * 2), 2, 2, 44100);
            EXPECT_EQ(static_cast<int>(n * 2), r);
        }
        return m_sink.samples;
    }

    Sink m_sink;
    output_filter_entry m_entries[FX_DECK_COUNT];
};

std::vector<int16_t> Click(size_t frames, int16_t left, int16_t right)
{
    std::vector<int16_t> v(frames * 2, 0);
    v[0] = left;
    v[1] = right;
    return v;
}

} // namespace

TEST_F(FxFilter, TheModuleDescribesItselfAndFillsOnlyItsOwnOperations)
{
    output_filter_module_ops ops;
    memset(&ops, 0xAB, sizeof(ops));
    ASSERT_EQ(0, FxFilterModuleA(&ops));
    EXPECT_EQ(static_cast<uintptr_t>(DECODER_MODULE_VERSION), ops.version);
    EXPECT_NE(nullptr, ops.query);
    EXPECT_NE(nullptr, ops.write);
    EXPECT_EQ(nullptr, ops.open);
    EXPECT_EQ(nullptr, ops.get_buffer);
    EXPECT_EQ(nullptr, ops.send_message);
    module_info info;
    memset(&info, 0, sizeof(info));
    EXPECT_EQ(0, ops.query(&info, MODULE_QUERY_NAME));
    EXPECT_STREQ("Spectrum Output Filter", info.name);
    EXPECT_STREQ("Version 1.0", info.description);
    EXPECT_EQ(nullptr, FxFilterModuleEntry(4));
}

TEST_F(FxFilter, WithNoEffectBlocksPassUnchangedWithTheirArguments)
{
    const std::vector<int16_t> in = {1, -2, 3, -4, 32767, -32768};
    EXPECT_EQ(in, Run(0, in));
    EXPECT_EQ(2, m_sink.last_bps);
    EXPECT_EQ(2, m_sink.last_channels);
    EXPECT_EQ(44100, m_sink.last_rate);
}

TEST_F(FxFilter, AnEmptyWriteIsPassedOnAtOnce)
{
    FxSetMode(0, FX_ECHO);
    int16_t none = 0;
    EXPECT_EQ(0, m_entries[0].ops.write(&m_entries[0], &none, 0, 2, 2, 44100));
    EXPECT_EQ(1, m_sink.calls);
    EXPECT_EQ(0, m_sink.last_bytes);
}

TEST_F(FxFilter, RotateAtTheStartAngle)
{
    FxSetMode(0, FX_ROTATE);
    const std::vector<int16_t> out = Run(0, {10000, 10000});
    EXPECT_EQ((std::vector<int16_t>{7071, 7071}), out);
}

TEST_F(FxFilter, EchoCrossesTheChannelsAtHalfLevelAfterTheEchoLengthWithoutFeedback)
{
    FxSetEchoLength(500);
    FxSetMode(1, FX_ECHO);
    const std::vector<int16_t> out = Run(1, Click(2000, 20000, 0), 1152);
    for (size_t frame = 0; frame < 2000; ++frame) {
        const int16_t left = out[2 * frame], right = out[2 * frame + 1];
        if (frame == 0) {
            EXPECT_EQ(20000, left);
            EXPECT_EQ(0, right);
        } else if (frame == 500) {
            EXPECT_EQ(0, left);
            EXPECT_EQ(10000, right) << "half of the left click, on the right";
        } else {
            ASSERT_EQ(0, left) << "frame " << frame;
            ASSERT_EQ(0, right) << "frame " << frame << ": the echo does not feed back";
        }
    }
}

TEST_F(FxFilter, EchoLengthsFollowTheSetting)
{
    for (int length : {500, 1234, 3000, 5000}) {
        FxRestoreDefaults();
        FxSetEchoLength(length);
        FxSetMode(0, FX_ECHO);
        const std::vector<int16_t> out = Run(0, Click(length + 10, 0, -8001), 333);
        EXPECT_EQ(-4000, out[2 * length]) << "length " << length << ": truncated towards zero";
        EXPECT_EQ(0, out[2 * length + 1]);
        EXPECT_EQ(0, out[2 * (length - 1)]);
    }
}

TEST_F(FxFilter, EchoSaturatesAtBothEnds)
{
    FxSetEchoLength(500);
    FxSetMode(0, FX_ECHO);
    // A click in frame 0; in frame 500 a loud frame meets half of it.
    std::vector<int16_t> loud(501 * 2, 0);
    loud[0] = 20000;
    loud[1] = -20000;
    loud[1000] = -32000;
    loud[1001] = 32000;
    const std::vector<int16_t> out = Run(0, loud);
    EXPECT_EQ(-32768, out[1000]);
    EXPECT_EQ(32767, out[1001]);
}

TEST_F(FxFilter, FlangeAddsTheInputOfTheFlangeLengthBefore)
{
    FxSetFlangeLength(5);
    FxSetMode(0, FX_FLANGE);
    const std::vector<int16_t> out = Run(0, Click(12, 1000, -1000), 4);
    for (size_t frame = 0; frame < 12; ++frame) {
        const bool heard = frame == 0 || frame == 5;
        EXPECT_EQ(heard ? 1000 : 0, out[2 * frame]) << "frame " << frame;
        EXPECT_EQ(heard ? -1000 : 0, out[2 * frame + 1]) << "frame " << frame;
    }
}

TEST_F(FxFilter, FlangeOfASineIsTheSineAndItsDelayedCopy)
{
    FxSetFlangeLength(200);
    FxSetMode(1, FX_FLANGE);
    std::vector<int16_t> in(4000 * 2);
    for (size_t i = 0; i < 4000; ++i)
        in[2 * i] = in[2 * i + 1] = static_cast<int16_t>(8000 * sin(2 * kPi * 441 * i / 44100.0));
    const std::vector<int16_t> out = Run(1, in);
    for (size_t i = 200; i < 4000; ++i)
        ASSERT_EQ(in[2 * i] + in[2 * (i - 200)], out[2 * i]) << "frame " << i;
}

TEST_F(FxFilter, LengthsAreKeptWithinTheRings)
{
    FxSetEchoLength(20000);
    EXPECT_EQ(FX_ECHO_RING_FRAMES, FxGetEchoLength());
    FxSetEchoLength(0);
    EXPECT_EQ(1, FxGetEchoLength());
    FxSetFlangeLength(65535);
    EXPECT_EQ(FX_FLANGE_RING_FRAMES, FxGetFlangeLength());
    // A length cut while the index stands past it wraps at once.
    FxSetFlangeLength(350);
    FxSetMode(0, FX_FLANGE);
    Run(0, std::vector<int16_t>(300 * 2, 0));
    FxSetFlangeLength(5);
    const std::vector<int16_t> out = Run(0, Click(12, 700, 700));
    EXPECT_EQ(700, out[10]);
}

TEST_F(FxFilter, RotatePansOnAfterMinutesOfPlay)
{
    FxSetMode(0, FX_ROTATE);
    const float speed = FxGetRotateSpeed();
    const double step = FxRotateStep(speed);
    const size_t frames = 44100u * 60u * 12u; // twelve minutes
    std::vector<int16_t> block(1152 * 2, 10000);
    double expected = kPi / 4;
    size_t done = 0;
    std::vector<int16_t> lastLeft;
    while (done < frames) {
        std::fill(block.begin(), block.end(), 10000);
        m_entries[0].ops.write(&m_entries[0], block.data(), static_cast<int>(block.size() * 2), 2, 2, 44100);
        done += 1152;
    }
    m_sink.samples.clear();
    // The last second: the pan still moves, as the exact angle says.
    std::vector<int16_t> second(44100 * 2, 10000);
    const std::vector<int16_t> out = Run(0, second);
    expected = fmod(kPi / 4 + step * static_cast<double>(done), 2 * kPi);
    for (size_t i = 0; i < 44100; i += 4410) {
        const double angle = expected + step * static_cast<double>(i);
        EXPECT_NEAR(10000 * sin(angle), out[2 * i], 40) << "frame " << i << " of the last second";
        EXPECT_NEAR(10000 * cos(angle), out[2 * i + 1], 40) << "frame " << i << " of the last second";
    }
    EXPECT_GT(abs(out[0] - out[2 * 44099]), 50) << "the pan still moves";
    EXPECT_GE(FxGetRotateAngle(0), 0.0);
    EXPECT_LT(FxGetRotateAngle(0), 2 * kPi);
}

TEST_F(FxFilter, BlocksThatAreNotSixteenBitStereoPassUnchanged)
{
    FxSetMode(0, FX_FLANGE);
    FxSetFlangeLength(5);
    std::vector<int16_t> mono(40, 0);
    mono[0] = 1234;
    std::vector<int16_t> copy = mono;
    m_entries[0].ops.write(&m_entries[0], copy.data(), 80, 2, 1, 22050);
    EXPECT_EQ(mono, m_sink.samples);
    EXPECT_EQ(1, m_sink.last_channels);
    m_sink.samples.clear();
    std::vector<int16_t> bytes(40, 0x1111);
    copy = bytes;
    m_entries[0].ops.write(&m_entries[0], copy.data(), 80, 1, 2, 22050);
    EXPECT_EQ(bytes, m_sink.samples);
    // The mono blocks left the ring untouched.
    EXPECT_EQ(std::vector<int16_t>(12, 0), Run(0, std::vector<int16_t>(12, 0)));
}

TEST_F(FxFilter, EachDeckHasItsOwnRunningStateAndCAndDFollowDeckBsMode)
{
    FxSetFlangeLength(5);
    FxSetMode(1, FX_FLANGE);
    EXPECT_EQ(FX_FLANGE, FxGetMode(2));
    EXPECT_EQ(FX_FLANGE, FxGetMode(3));
    EXPECT_EQ(FX_NONE, FxGetMode(0));
    Run(1, Click(3, 5000, 5000)); // deck B's ring holds a click at entry 0
    const std::vector<int16_t> c = Run(2, std::vector<int16_t>(12, 0));
    EXPECT_EQ(std::vector<int16_t>(12, 0), c) << "deck C never hears deck B's ring";
    FxClearDelayBuffer(2);
    // Deck B's ring stands at index 3: entry 0 comes round at its third frame.
    const std::vector<int16_t> b = Run(1, std::vector<int16_t>(6, 0));
    EXPECT_EQ(5000, b[4]);

    FxSetMode(1, FX_ROTATE);
    Run(3, std::vector<int16_t>(2000, 100));
    EXPECT_NEAR(kPi / 4, FxGetRotateAngle(1), 1e-9) << "deck D's pan leaves deck B's angle";
    EXPECT_GT(FxGetRotateAngle(3), kPi / 4);
}

TEST_F(FxFilter, SwitchingEchoOnClearsTheOldSound)
{
    FxSetEchoLength(500);
    FxSetMode(0, FX_ECHO);
    Run(0, Click(10, 12000, 12000));
    FxSetMode(0, FX_NONE);
    FxSetMode(0, FX_ECHO);
    const std::vector<int16_t> out = Run(0, std::vector<int16_t>(1200, 0));
    EXPECT_EQ(std::vector<int16_t>(1200, 0), out);

    // The same for the flange.
    FxSetFlangeLength(5);
    FxSetMode(0, FX_FLANGE);
    Run(0, Click(2, 9000, 9000));
    EXPECT_EQ(FX_NONE, FxToggleMode(0, FX_FLANGE));
    EXPECT_EQ(FX_FLANGE, FxToggleMode(0, FX_FLANGE));
    EXPECT_EQ(std::vector<int16_t>(12, 0), Run(0, std::vector<int16_t>(12, 0)));
}

TEST_F(FxFilter, TheFxCommandsToggleTheirMode)
{
    EXPECT_EQ(FX_ECHO, FxToggleMode(0, FX_ECHO));
    EXPECT_EQ(FX_NONE, FxToggleMode(0, FX_ECHO)) << "the same command again switches it off";
    EXPECT_EQ(FX_ROTATE, FxToggleMode(1, FX_ROTATE));
    EXPECT_EQ(FX_FLANGE, FxToggleMode(1, FX_FLANGE));
    EXPECT_EQ(FX_NONE, FxGetMode(0));
    FxSetMode(0, 9);
    EXPECT_EQ(FX_NONE, FxGetMode(0));
}
