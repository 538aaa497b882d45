// The waveOut output module against Wine's waveOut, which plays into the
// test harness's null sound sink in real time.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "NotificationClient.h"
#include "decoder/player/player_server.h"
#include "decoder/modules/waveout_output.h"
#include "tests/support/TestSupport.h"

#define REQUIRE_WAVE_DEVICE()                                              \
    do {                                                                   \
        if (waveOutGetNumDevs() == 0)                                      \
            GTEST_SKIP() << "no waveOut device (no sound server)";         \
    } while (0)

TEST(WaveOut, VolumeWordFollowsLevelAndBalance)
{
    struct Case
    {
        int level;
        float balance;
        uint32_t left, right;
    };
    const Case cases[] = {
        {100, 0.75f, 32767, 65535},
        {100, 0.5f, 65535, 65535},
        {100, 0.25f, 65535, 32767},
        {50, 0.5f, 32767, 32767},
        {0, 0.5f, 0, 0},
        {100, 1.0f, 0, 65535},
    };
    for (const Case& c : cases) {
        const uint32_t word = waveout_volume_word(c.level, c.balance);
        EXPECT_EQ(c.left, word & 0xFFFF) << c.level << " " << c.balance;
        EXPECT_EQ(c.right, word >> 16) << c.level << " " << c.balance;
    }
}

TEST(WaveOut, NamesAndProbe)
{
    output_module_ops ops = {};
    ASSERT_EQ(0, waveout_output_module_register(&ops));
    EXPECT_EQ(0x40400u, ops.version);
    EXPECT_EQ(0, ops.probe(""));
    EXPECT_EQ(0, ops.probe(nullptr));
    EXPECT_EQ(0, ops.probe("/dev/wave/3"));
    EXPECT_EQ(-1, ops.probe("wav:out.wav"));
    void* instance = nullptr;
    EXPECT_EQ(-512, ops.new_instance(&instance, "/dev/wave/12", nullptr, nullptr));
    EXPECT_EQ(-512, ops.new_instance(&instance, "/dev/wave/x", nullptr, nullptr));
    ASSERT_EQ(0, ops.new_instance(&instance, "/dev/wave/1", nullptr, nullptr));
    EXPECT_EQ(WAVEOUT_CAPABILITIES, ops.get_capabilities(instance));
    EXPECT_EQ(0, ops.delete_instance(instance));
    module_info info = {};
    ASSERT_EQ(0, ops.query(&info, MODULE_QUERY_NAME | MODULE_QUERY_DEVICE_COUNT));
    EXPECT_STREQ("Win32 Sound Driver Interface", info.name);
    EXPECT_STREQ("Version 1.3", info.description);
    EXPECT_EQ(static_cast<int>(waveOutGetNumDevs()) + 1, info.index);
    info.index = static_cast<int>(waveOutGetNumDevs()) + 1;
    EXPECT_EQ(-102, ops.query(&info, MODULE_QUERY_DEVICE));
}

TEST(WaveOut, QueryOfTheMapper)
{
    REQUIRE_WAVE_DEVICE();
    output_module_ops ops = {};
    ASSERT_EQ(0, waveout_output_module_register(&ops));
    module_info info = {};
    info.index = 0;
    ASSERT_EQ(0, ops.query(&info, MODULE_QUERY_DEVICE));
    EXPECT_STREQ("/dev/wave/0", info.name);
    EXPECT_EQ(2, info.flags);
}

TEST(WaveOut, PlaysInRealTimeAndItsDelayFallsToZero)
{
    REQUIRE_WAVE_DEVICE();
    decoder* dec = nullptr;
    ASSERT_EQ(0, decoder_new(&dec));
    builtin_modules_register(nullptr, nullptr, dec);
    ASSERT_EQ(0, decoder_input_new(dec, tavrix_test::MediaPath("tone440.wav").c_str(), -1));
    ASSERT_EQ(0, decoder_input_open(dec));
    ASSERT_EQ(0, decoder_output_new(dec, "/dev/wave/0", -1));
    ASSERT_EQ(0, decoder_output_open(dec));
    EXPECT_TRUE(dec->output->capabilities & OUTPUT_CAN_REPORT_DELAY);

    const DWORD start = GetTickCount();
    int frames = 0, max_delay = 0;
    while (decoder_play(dec) >= 0 && frames < 100000) {
        ++frames;
        if (dec->pcm->delay_ms > max_delay)
            max_delay = dec->pcm->delay_ms;
    }
    EXPECT_GT(frames, 10);
    // The device buffers ahead of what it has played.
    EXPECT_GT(max_delay, 100);
    int delay = 1;
    const output_module_ops* ops = dec->output->ops;
    for (int polls = 0; polls < 1000 && delay > 0; ++polls) {
        ops->get_status(dec->output->instance, &delay);
        if (delay > 0)
            Sleep(10);
    }
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(0, delay);
    // 3 s of sound took about 3 s to play.
    EXPECT_GE(elapsed, 2700u);
    EXPECT_LE(elapsed, 9000u);

    // Levels: PCM level 100 with balance 75 reads back as given.
    output_control control = {};
    control.pcm_level = 100;
    control.balance = 75;
    EXPECT_EQ(0, decoder_output_set_control(dec, &control,
                                            OUTPUT_CONTROL_PCM_LEVEL | OUTPUT_CONTROL_BALANCE));
    output_control read = {};
    EXPECT_EQ(0, decoder_output_get_control(dec, &read, OUTPUT_CONTROL_PCM_LEVEL | OUTPUT_CONTROL_BALANCE));
    EXPECT_EQ(100, read.pcm_level);
    EXPECT_EQ(75, read.balance);
    EXPECT_EQ(0, decoder_output_close(dec));
    decoder_delete(dec);
}

TEST(WaveOut, PlayerPlaysPausesAndEndsInRealTime)
{
    REQUIRE_WAVE_DEVICE();
    NotificationClient client;
    HWND window = client.Window();
    message_channel* player = nullptr;
    ASSERT_EQ(0, player_new(&player, &window));
    ASSERT_GE(client.WaitFor(CM_READY), 0);
    ASSERT_EQ(0, client.Command(player, CM_SET_OUTPUT_NAME, "/dev/wave/0"));
    ASSERT_EQ(0, client.Command(player, CM_INPUT_OPEN, tavrix_test::MediaPath("tone440.wav").c_str()));
    const DWORD start = GetTickCount();
    ASSERT_EQ(0, client.Command(player, CM_PLAY));
    // The timecodes come as the sound is decoded ahead of the device; pause
    // once the first second is through.
    ASSERT_GE(client.WaitForValue(CM_TIMECODE, 0, 0), 0);
    bool second = false;
    tavrix_test::PumpUntil([&] {
        for (const Note& n : client.OfCode(CM_TIMECODE))
            if (n.c >= 1)
                second = true;
        return second;
    });
    ASSERT_TRUE(second);
    ASSERT_EQ(0, client.Command(player, CM_PAUSE));
    const size_t paused_at = client.Notes().size();
    // Paused: nothing moves for a while.
    EXPECT_FALSE(tavrix_test::PumpUntil([&] { return !client.OfCode(CM_TIMECODE, paused_at).empty(); }, 400));
    ASSERT_EQ(0, client.Command(player, CM_PLAY));
    ASSERT_GE(client.WaitForValue(CM_PLAYER_STATE, PLAYER_END_OF_STREAM, paused_at, 15000), 0);
    // The decoding runs ahead of the device by its buffers, never by more
    // than about a second and a half of the 3 s.
    EXPECT_GE(GetTickCount() - start, 1500u);
    std::vector<int> states;
    for (const Note& n : client.OfCode(CM_PLAYER_STATE))
        states.push_back(static_cast<int>(n.a));
    EXPECT_EQ((std::vector<int>{PLAYER_PLAYING, PLAYER_PAUSED, PLAYER_PLAYING, PLAYER_END_OF_STREAM}), states);
    EXPECT_EQ(0, player_delete(player));
}
