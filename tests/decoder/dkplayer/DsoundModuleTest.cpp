// The DirectSound output module as the players meet it: loaded by name,
// its names and devices, its refusal when the library or its entry point
// is missing, its delay and the control bits the players use.
#include <gtest/gtest.h>

#include <string.h>

#include "DsoundTestSupport.h"
#include "RecordingPlayer.h"
#include "decoder/player/player_server.h"

#define REQUIRE_DIRECTSOUND()                                                  \
    do {                                                                       \
        if (!HasDirectSound())                                                 \
            GTEST_SKIP() << "no DirectSound device (no sound server)";         \
    } while (0)

TEST(DsoundModule, LoadsByNameWithTheModuleVersion)
{
    DsoundDecoder d;
    ASSERT_EQ(0, d.LoadResult());
    EXPECT_EQ(static_cast<uintptr_t>(0x40400), d.Ops().version);
    EXPECT_NE(nullptr, d.Ops().get_status);
    EXPECT_NE(nullptr, d.Ops().set_control);
}

TEST(DsoundModule, ProbeAndNewTakeOnlyItsDeviceNames)
{
    DsoundDecoder d;
    ASSERT_EQ(0, d.LoadResult());
    const struct { const char* name; int probe; int made; } cases[] = {
        {"/dev/dsound/0", 0, 0}, {"/dev/dsound/3", 0, 0}, {"/dev/dsound/12", 0, 0},
        {"/dev/dsound/x", 0, DK_ERR_NO_SUCH_DEVICE_2}, {"/dev/dsound/", 0, DK_ERR_NO_SUCH_DEVICE_2},
        {"/dev/wave/0", -1, DK_ERR_UNSUPPORTED_OUTPUT}, {"", -1, DK_ERR_UNSUPPORTED_OUTPUT},
        {"out.wav", -1, DK_ERR_UNSUPPORTED_OUTPUT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.probe, d.Ops().probe(c.name)) << c.name;
        EXPECT_EQ(c.made, d.New(c.name)) << c.name;
    }
    EXPECT_EQ(-1, d.Ops().probe(nullptr));
}

TEST(DsoundModule, QueryNamesTheModuleAndItsDevices)
{
    DsoundDecoder d;
    ASSERT_EQ(0, d.LoadResult());
    module_info info;
    memset(&info, 0, sizeof(info));
    ASSERT_EQ(0, d.Ops().query(&info, MODULE_QUERY_NAME | MODULE_QUERY_DEVICE_COUNT));
    EXPECT_STREQ("DirectSound Output", info.name);
    const int count = info.index;
    ASSERT_GE(count, 1);
    for (int i = 0; i < count; ++i) {
        memset(&info, 0, sizeof(info));
        info.index = i;
        ASSERT_EQ(0, d.Ops().query(&info, MODULE_QUERY_DEVICE)) << i;
        EXPECT_EQ("/dev/dsound/" + std::to_string(i), info.name);
        EXPECT_EQ(i == 0 ? 2 : 0, info.flags);
    }
    info.index = count;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, d.Ops().query(&info, MODULE_QUERY_DEVICE));
    info.index = -1;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, d.Ops().query(&info, MODULE_QUERY_DEVICE));
}

TEST(DsoundModule, APlayerRegistersItAndListsItsDevices)
{
    RecordingPlayer player;
    ASSERT_TRUE(player.WaitFor("OnReady()"));
    EXPECT_EQ(0, player.Command(CM_OUTPUT_MODULE_ADD, "dk_dsound_output.dll"));
    player.Clear();
    // The built-in file and waveOut outputs come first: the module is id 2.
    EXPECT_EQ(0, player.Command(CM_OUTPUT_MODULE_QUERY, 2));
    const std::vector<std::string> info = player.Matching("OnOutputModuleInfo(");
    ASSERT_EQ(1u, info.size());
    EXPECT_EQ(0u, info[0].find("OnOutputModuleInfo(2,")) << info[0];
    EXPECT_NE(std::string::npos, info[0].find(",DirectSound Output,")) << info[0];
    const std::vector<std::string> devices = player.Matching("OnOutputDeviceInfo(2,0,2,/dev/dsound/0,");
    EXPECT_EQ(1u, devices.size());
}

TEST(DsoundModule, AMissingLibraryOrEntryPointIsRefused)
{
    RecordingPlayer player;
    ASSERT_TRUE(player.WaitFor("OnReady()"));
    EXPECT_EQ(DK_ERR_LIBRARY_NOT_FOUND, player.Command(CM_OUTPUT_MODULE_ADD, "dk_dsound_output_missing.dll"));
    EXPECT_EQ(DK_ERR_SYMBOL_NOT_FOUND, player.Command(CM_OUTPUT_MODULE_ADD, "kernel32.dll"));
    // No module takes the name then: opening such an output fails.
    EXPECT_EQ(0, player.Command(CM_SET_OUTPUT_NAME, "/dev/dsound/0"));
    player.Clear();
    EXPECT_GT(0, player.Command(CM_OUTPUT_OPEN, ""));
    EXPECT_FALSE(player.Has("OnOutputState(0)"));
    EXPECT_FALSE(player.Has("OnOutputName(/dev/dsound/0)"));
}

TEST(DsoundModule, ReportsItsDelayUntilEverythingHasPlayed)
{
    REQUIRE_DIRECTSOUND();
    DsoundDecoder d;
    ASSERT_EQ(0, d.LoadResult());
    ASSERT_EQ(0, d.New("/dev/dsound/0"));
    ASSERT_EQ(0, d.Open());
    EXPECT_TRUE(d.Dec()->output->capabilities & OUTPUT_CAN_REPORT_DELAY);
    EXPECT_EQ(0, d.Delay());
    const DWORD start = GetTickCount();
    ASSERT_EQ(0, d.Write(Tone(440, 0.3, 8000, 44100, 2), 2, 44100));
    const int delay = d.Delay();
    // All of the 300 ms are queued but what has played since the write.
    const int played = static_cast<int>(GetTickCount() - start);
    EXPECT_GE(delay, 150 - played) << "after " << played << " ms";
    EXPECT_LE(delay, 300);
    // It falls as the sound plays (however busy the machine is).
    const DWORD waited = GetTickCount();
    while (d.Delay() >= delay && GetTickCount() - waited < 3000)
        Sleep(10);
    EXPECT_LT(d.Delay(), delay) << "the delay did not fall within 3 s";
    EXPECT_TRUE(d.WaitEmpty(3000));
    EXPECT_EQ(0, d.Close());
}

TEST(DsoundModule, PauseHoldsTheQueueResumeAndResetFreeIt)
{
    REQUIRE_DIRECTSOUND();
    DsoundDecoder d;
    ASSERT_EQ(0, d.LoadResult());
    ASSERT_EQ(0, d.New("/dev/dsound/0"));
    ASSERT_EQ(0, d.Open());
    DWORD start = GetTickCount();
    ASSERT_EQ(0, d.Write(Tone(440, 0.3, 8000, 44100, 2), 2, 44100));
    ASSERT_EQ(0, d.Control(OUTPUT_CONTROL_PAUSE));
    const int held = d.Delay();
    // Held: all of it but what played before the pause.
    const int played = static_cast<int>(GetTickCount() - start);
    EXPECT_GT(held, 0);
    EXPECT_GT(held, 100 - played) << "paused after " << played << " ms";
    Sleep(250);
    EXPECT_EQ(held, d.Delay()) << "a paused buffer does not play";
    ASSERT_EQ(0, d.Control(OUTPUT_CONTROL_RESUME));
    EXPECT_TRUE(d.WaitEmpty(3000));

    start = GetTickCount();
    ASSERT_EQ(0, d.Write(Tone(440, 0.3, 8000, 44100, 2), 2, 44100));
    const int queued = d.Delay();
    const int since = static_cast<int>(GetTickCount() - start);
    EXPECT_GT(queued, 100 - since) << "after " << since << " ms";
    ASSERT_EQ(0, d.Control(OUTPUT_CONTROL_RESET));
    EXPECT_EQ(0, d.Delay());
    // Drain waits for what is queued.
    ASSERT_EQ(0, d.Write(Tone(440, 0.2, 8000, 44100, 2), 2, 44100));
    const DWORD before = GetTickCount();
    ASSERT_EQ(0, d.Control(OUTPUT_CONTROL_DRAIN));
    EXPECT_GE(GetTickCount() - before, 100u);
    EXPECT_EQ(0, d.Delay());
    EXPECT_EQ(0, d.Close());
}

TEST(DsoundModule, LevelsAndFormatAreKept)
{
    REQUIRE_DIRECTSOUND();
    DsoundDecoder d;
    ASSERT_EQ(0, d.LoadResult());
    ASSERT_EQ(0, d.New("/dev/dsound/0"));
    ASSERT_EQ(0, d.Open());
    output_control set = {};
    set.pcm_level = 40;
    set.balance = 70;
    ASSERT_EQ(0, d.Control(OUTPUT_CONTROL_PCM_LEVEL | OUTPUT_CONTROL_BALANCE, set));
    output_control got = {};
    ASSERT_EQ(0, decoder_output_get_control(d.Dec(), &got, OUTPUT_CONTROL_PCM_LEVEL | OUTPUT_CONTROL_BALANCE));
    EXPECT_EQ(40, got.pcm_level);
    EXPECT_EQ(70, got.balance);
    // A new format, from the control or from the writes themselves.
    set.sample_rate = 22050;
    set.channels = 1;
    ASSERT_EQ(0, d.Control(OUTPUT_CONTROL_FORMAT | OUTPUT_CONTROL_FORMAT_RATE, set));
    ASSERT_EQ(0, decoder_output_get_control(d.Dec(), &got, OUTPUT_CONTROL_FORMAT | OUTPUT_CONTROL_FORMAT_RATE));
    EXPECT_EQ(22050, got.sample_rate);
    EXPECT_EQ(1, got.channels);
    ASSERT_EQ(0, d.Write(Tone(440, 0.2, 8000, 48000, 2), 2, 48000));
    ASSERT_EQ(0, decoder_output_get_control(d.Dec(), &got, OUTPUT_CONTROL_FORMAT | OUTPUT_CONTROL_FORMAT_RATE));
    EXPECT_EQ(48000, got.sample_rate);
    EXPECT_EQ(2, got.channels);
    const int delay = d.Delay();
    EXPECT_GE(delay, 100);
    EXPECT_LE(delay, 200);
    // Levels survive the new buffer.
    ASSERT_EQ(0, decoder_output_get_control(d.Dec(), &got, OUTPUT_CONTROL_PCM_LEVEL));
    EXPECT_EQ(40, got.pcm_level);
    EXPECT_TRUE(d.WaitEmpty(3000));
    EXPECT_EQ(DK_ERR_UNSUPPORTED_FORMAT, decoder_output_write(d.Dec(), const_cast<char*>("abcd"), 4, 1, 2, 44100));
    EXPECT_EQ(0, d.Close());
}

TEST(DsoundModule, PitchFollowsTheEnvironmentInTheDelay)
{
    REQUIRE_DIRECTSOUND();
    DsoundDecoder d;
    ASSERT_EQ(0, d.LoadResult());
    ASSERT_EQ(0, d.New("/dev/dsound/0"));
    ASSERT_EQ(0, d.Open());
    ASSERT_EQ(0, d.Control(OUTPUT_CONTROL_PAUSE));
    ASSERT_EQ(0, d.Write(Tone(440, 0.3, 8000, 44100, 2), 2, 44100));
    const int normal = d.Delay();
    ASSERT_EQ(0, d.SetEnvironment("OUTPUT.DIRECTSOUND.PITCH", 2000));
    EXPECT_NEAR(normal / 2.0, d.Delay(), 2.0) << "twice the speed, half the time";
    ASSERT_EQ(0, d.Dec()->services.remove_environment_variable(d.Dec(), "OUTPUT.DIRECTSOUND.PITCH"));
    EXPECT_EQ(normal, d.Delay());
    ASSERT_EQ(0, d.SetEnvironment("OUTPUT.DIRECTSOUND.PITCH", 500));
    EXPECT_NEAR(normal * 2.0, d.Delay(), 2.0);
    ASSERT_EQ(0, d.Dec()->services.remove_environment_variable(d.Dec(), "OUTPUT.DIRECTSOUND.PITCH"));
    // A text under that name is no speed: normal speed.
    ASSERT_EQ(0, d.Dec()->services.set_environment_string(d.Dec(), "OUTPUT.DIRECTSOUND.PITCH", "fast"));
    EXPECT_EQ(normal, d.Delay());
    ASSERT_EQ(0, d.Control(OUTPUT_CONTROL_RESET));
    EXPECT_EQ(0, d.Close());
}

TEST(DsoundModule, OpensWithTheWindowOfTheEnvironmentOrWithout)
{
    REQUIRE_DIRECTSOUND();
    HWND window = CreateWindowExA(0, "STATIC", "dsound owner", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    const int32_t values[] = {static_cast<int32_t>(reinterpret_cast<intptr_t>(window)), 0, 12345};
    for (int32_t value : values) {
        DsoundDecoder d;
        ASSERT_EQ(0, d.LoadResult());
        ASSERT_EQ(0, d.SetEnvironment("OUTPUT.DIRECTSOUND.WINDOW", value));
        ASSERT_EQ(0, d.New("/dev/dsound/0"));
        EXPECT_EQ(0, d.Open()) << value;
        EXPECT_EQ(0, d.Close());
    }
    DestroyWindow(window);
}

TEST(DsoundModule, ADeviceNumberBeyondTheListCannotOpen)
{
    DsoundDecoder d;
    ASSERT_EQ(0, d.LoadResult());
    ASSERT_EQ(0, d.New("/dev/dsound/99"));
    EXPECT_EQ(DK_ERR_NO_SUCH_DEVICE_2, d.Open());
}
