// The DirectSound output's arithmetic: device names, levels, pitch and the
// bookkeeping of its looping buffer.
#include <gtest/gtest.h>

#include "decoder/dsound_output/dsound_stream.h"

TEST(DsoundStream, DeviceNames)
{
    const struct { const char* name; int number; } cases[] = {
        {"/dev/dsound/0", 0}, {"/dev/dsound/1", 1}, {"/dev/dsound/12", 12}, {"/dev/dsound/65535", 65535},
        {"/dev/dsound/65536", -1}, {"/dev/dsound/", -1}, {"/dev/dsound/1a", -1}, {"/dev/dsound/-1", -1},
        {"/dev/dsound/ 1", -1}, {"/dev/wave/0", -1}, {"", -1}, {nullptr, -1}, {"/dev/dsound0", -1},
        {"/dev/dsound/99999999999999999999", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.number, dsound_device_number(c.name)) << (c.name ? c.name : "(null)");
}

TEST(DsoundStream, LevelsBecomeHundredthsOfADecibel)
{
    const struct { int pcm, master; int32_t volume; } cases[] = {
        {100, 100, 0}, {50, 100, -602}, {100, 50, -602}, {50, 50, -1204}, {10, 100, -2000},
        {1, 100, -4000}, {0, 100, -10000}, {100, 0, -10000}, {150, 100, 0}, {-5, 100, -10000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.volume, dsound_volume_for_levels(c.pcm, c.master)) << c.pcm << " " << c.master;
}

TEST(DsoundStream, BalanceAttenuatesTheFarSide)
{
    // 75: the left at half level (-6 dB), so the pan leans right.
    const struct { int balance; int32_t pan; } cases[] = {
        {50, 0}, {75, 602}, {25, -602}, {100, 10000}, {0, -10000}, {55, 92}, {120, 10000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pan, dsound_pan_for_balance(c.balance)) << c.balance;
}

TEST(DsoundStream, PitchIsTheSpeedInThousandths)
{
    const struct { int rate; int32_t pitch; uint32_t frequency; } cases[] = {
        {44100, 1000, 44100}, {44100, 1010, 44541}, {44100, 990, 43659}, {48000, 1500, 72000},
        {22050, 0, 22050}, {22050, -40, 22050}, {44100, 10, 441}, {44100, 1, 100},
        {44100, 100000, 200000}, {0, 1000, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.frequency, dsound_frequency_for_pitch(c.rate, c.pitch)) << c.rate << " " << c.pitch;
}

TEST(DsoundStream, WrittenBytesAreQueuedUntilTheCursorPassesThem)
{
    dsound_stream s;
    dsound_stream_reset(&s, 4000, 4);
    EXPECT_EQ(0u, dsound_stream_queued(&s));
    EXPECT_EQ(3900u, dsound_stream_free(&s, 100));
    dsound_stream_wrote(&s, 3000);
    EXPECT_EQ(3000u, s.write_offset);
    EXPECT_EQ(3000u, dsound_stream_queued(&s));
    EXPECT_EQ(900u, dsound_stream_free(&s, 100));
    EXPECT_EQ(0u, dsound_stream_play_start(&s));
    EXPECT_FALSE(dsound_stream_advance(&s, 1000));
    EXPECT_EQ(2000u, dsound_stream_queued(&s));
    EXPECT_EQ(1000u, dsound_stream_play_start(&s));
    // Writing wraps at the end of the buffer.
    dsound_stream_wrote(&s, 1800);
    EXPECT_EQ(800u, s.write_offset);
    EXPECT_EQ(3800u, dsound_stream_queued(&s));
    EXPECT_EQ(100u, dsound_stream_free(&s, 100));
    EXPECT_EQ(0u, dsound_stream_free(&s, 200));
    // The cursor wraps too.
    EXPECT_FALSE(dsound_stream_advance(&s, 200));
    EXPECT_EQ(4200u, s.played);
    EXPECT_EQ(600u, dsound_stream_queued(&s));
    EXPECT_EQ(200u, dsound_stream_play_start(&s));
}

TEST(DsoundStream, TheCursorPassingTheDataEndsThePlay)
{
    dsound_stream s;
    dsound_stream_reset(&s, 4000, 4);
    dsound_stream_wrote(&s, 1000);
    EXPECT_FALSE(dsound_stream_advance(&s, 600));
    EXPECT_TRUE(dsound_stream_advance(&s, 1300)); // into the silence after the data
    EXPECT_EQ(0u, dsound_stream_queued(&s));
    EXPECT_EQ(1000u, s.played);
    // Started again, the play begins where the new data begins.
    dsound_stream_wrote(&s, 400);
    EXPECT_EQ(1000u, dsound_stream_play_start(&s));
    s.last_cursor = 1000;
    EXPECT_FALSE(dsound_stream_advance(&s, 1200));
    EXPECT_EQ(200u, dsound_stream_queued(&s));
    // A cursor that does not move is not the end.
    EXPECT_FALSE(dsound_stream_advance(&s, 1200));
    EXPECT_TRUE(dsound_stream_advance(&s, 1400));
}

TEST(DsoundStream, DelayFollowsThePlaybackFrequency)
{
    dsound_stream s;
    dsound_stream_reset(&s, 176400, 4);
    dsound_stream_wrote(&s, 88200); // 22050 frames
    EXPECT_EQ(500, dsound_stream_delay_ms(&s, 44100));
    EXPECT_EQ(250, dsound_stream_delay_ms(&s, 88200));
    EXPECT_EQ(0, dsound_stream_delay_ms(&s, 0));
    EXPECT_FALSE(dsound_stream_advance(&s, 44100));
    EXPECT_EQ(250, dsound_stream_delay_ms(&s, 44100));
}

TEST(DsoundStream, FreeSpaceIsWholeBlocks)
{
    dsound_stream s;
    dsound_stream_reset(&s, 1000, 6);
    EXPECT_EQ(0u, dsound_stream_free(&s, 0) % 6);
    EXPECT_EQ(996u, dsound_stream_free(&s, 0));
    EXPECT_EQ(0u, dsound_stream_free(&s, 1000));
    EXPECT_EQ(0u, dsound_stream_free(&s, 5000));
}
