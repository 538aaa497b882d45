// Files played from start to end through DkPlayer and the DirectSound
// output module, in real time, with the notifications arriving on the
// thread that built the player.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include "DsoundTestSupport.h"
#include "RecordingPlayer.h"
#include "decoder/player/player_server.h"
#include "tests/support/TestSupport.h"

namespace {

struct Timecode
{
    int h, m, s, hh;
};

std::vector<Timecode> Timecodes(const RecordingPlayer& player)
{
    std::vector<Timecode> out;
    for (const std::string& t : player.Matching("OnTimecode(")) {
        Timecode c = {};
        if (sscanf(t.c_str(), "OnTimecode(%d,%d,%d,%d)", &c.h, &c.m, &c.s, &c.hh) == 4)
            out.push_back(c);
    }
    return out;
}

size_t IndexOf(const RecordingPlayer& player, const std::string& text)
{
    for (size_t i = 0; i < player.Calls().size(); ++i)
        if (player.Calls()[i].text == text)
            return i;
    return player.Calls().size();
}

} // namespace

class DkPlayerPlayback : public ::testing::TestWithParam<const char*>
{
};

TEST_P(DkPlayerPlayback, PlaysTheFileToItsEndThroughDirectSound)
{
    if (!HasDirectSound())
        GTEST_SKIP() << "no DirectSound device (no sound server)";
    const std::string path = tavrix_test::MediaPath(GetParam());
    RecordingPlayer player;
    ASSERT_NE(nullptr, player.Player());
    ASSERT_TRUE(player.WaitFor("OnReady()"));
    ASSERT_EQ(0, player.Command(CM_ENV_SET_INTEGER, "OUTPUT.DIRECTSOUND.WINDOW",
                                static_cast<int>(reinterpret_cast<intptr_t>(player.Window()))));
    ASSERT_EQ(0, player.Command(CM_OUTPUT_MODULE_ADD, "dk_dsound_output.dll"));
    ASSERT_EQ(0, player.Command(CM_SET_OUTPUT_NAME, "/dev/dsound/0"));
    ASSERT_EQ(0, player.Command(CM_SET_PLAYER_MODE, PLAYER_MODE_CLOSE_AT_END));
    ASSERT_EQ(0, player.Command(CM_SET_OUTPUT_LEVELS, 255, 80, 255));
    ASSERT_EQ(0, player.Command(CM_INPUT_OPEN, path.c_str()));
    EXPECT_TRUE(player.Has("OnDuration(3)"));

    const DWORD start = GetTickCount();
    ASSERT_EQ(0, player.Command(CM_PLAY));
    ASSERT_TRUE(player.WaitFor("OnPlayerState(3)", 20000)) << "the end of the stream never came";
    const DWORD end_of_stream = GetTickCount() - start;
    ASSERT_TRUE(player.WaitFor("OnOutputState(1)", 10000)) << "the output was not drained and closed";
    const DWORD played = GetTickCount() - start;

    EXPECT_TRUE(player.Has("OnOutputName(/dev/dsound/0)"));
    EXPECT_TRUE(player.Has("OnOutputCaps(0x7fffff)"));
    EXPECT_TRUE(player.Has("OnOutputPcmLevel(80)"));
    EXPECT_LT(IndexOf(player, "OnPlayerState(1)"), IndexOf(player, "OnPlayerState(3)"));
    // Real time: the decoder runs at most a buffer ahead of the sound, and
    // the drain waits for the last of it.
    EXPECT_GE(end_of_stream, 2400u);
    EXPECT_GE(played, 2850u);
    EXPECT_LE(played, 6000u);

    const std::vector<Timecode> codes = Timecodes(player);
    ASSERT_GE(codes.size(), 3u);
    for (size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(0, codes[i].h);
        EXPECT_EQ(0, codes[i].m);
        EXPECT_EQ(0, codes[i].hh);
        EXPECT_EQ(static_cast<int>(i), codes[i].s) << "time codes one second apart, in order";
    }
    EXPECT_GE(codes.back().s, 2);
    for (const HandlerCall& c : player.Calls())
        EXPECT_EQ(GetCurrentThreadId(), c.thread) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Files, DkPlayerPlayback, ::testing::Values("tone440.mp3", "tone440.wav"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(8) == "mp3" ? std::string("Mp3") : std::string("Wav");
                         });
