// The feedback server as a player's client reaches it: commands forwarded
// by the player server, PCM feedback while a file plays.
#include <gtest/gtest.h>

#include <string>

#include "RecordingHandler.h"
#include "decoder/player/player_server.h"
#include "tests/decoder/players/NotificationClient.h"
#include "tests/support/TestSupport.h"

namespace {

class PlayerFeedback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HandlerLog::Instance().Reset();
        HWND window = client.Window();
        ASSERT_EQ(0, player_new(&player, &window));
        ASSERT_GE(client.WaitFor(CM_READY), 0);
    }
    void TearDown() override
    {
        if (player) {
            EXPECT_EQ(0, player_delete(player));
        }
    }

    NotificationClient client;
    message_channel* player = nullptr;
    tavrix_test::TempDir temp;
};

} // namespace

TEST_F(PlayerFeedback, TheFeedbackServerAnswersCommandsSentToThePlayer)
{
    const std::string module = FunctionName(reinterpret_cast<const void*>(&RecordingModuleRegister));
    ASSERT_EQ(0, client.Command(player, CM_FEEDBACK_MODULE_ADD, module.c_str()));
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(player, CM_FEEDBACK_MODULE_QUERY, 0));
    ASSERT_EQ(1u, client.OfCode(CM_FEEDBACK_MODULE_INFO, from).size());
    EXPECT_EQ(2u, client.OfCode(CM_FEEDBACK_HANDLER_INFO, from).size());
    EXPECT_EQ(-106, client.Command(player, CM_FEEDBACK_MODULE_ADD,
                                   FunctionName(reinterpret_cast<const void*>(&WrongVersionRegister)).c_str()));
}

TEST_F(PlayerFeedback, APlayingFileFeedsTheHandlerTimeStampedBlocks)
{
    const std::string module = FunctionName(reinterpret_cast<const void*>(&RecordingModuleRegister));
    ASSERT_EQ(0, client.Command(player, CM_FEEDBACK_MODULE_ADD, module.c_str()));
    ASSERT_EQ(0, client.Command(player, CM_FEEDBACK_SELECT_NAME, "rec-a"));
    ASSERT_EQ(0, client.Command(player, CM_FEEDBACK_START));
    ASSERT_EQ(0, client.Command(player, CM_SET_PCM_FEEDBACK_RATE, 250));
    const std::string out = "wav:" + temp.File("out.wav");
    ASSERT_EQ(0, client.Command(player, CM_SET_OUTPUT_NAME, out.c_str()));
    ASSERT_EQ(0, client.Command(player, CM_INPUT_OPEN, tavrix_test::MediaPath("tone440.wav").c_str()));
    const int64_t started = NowUs();
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(player, CM_PLAY));
    ASSERT_GE(client.WaitForValue(CM_PLAYER_STATE, PLAYER_END_OF_STREAM, from, 30000), 0);
    ASSERT_TRUE(HandlerLog::Instance().WaitForCount("event", 1, 5000));

    const auto events = HandlerLog::Instance().Calls("event");
    int64_t previous = 0;
    for (const HandlerCall& e : events) {
        EXPECT_EQ("rec-a", e.name);
        EXPECT_EQ(44100u, e.block.sample_rate);
        EXPECT_EQ(2, e.block.channels);
        EXPECT_EQ(256, e.block.samples_per_channel);
        const int64_t stamp = int64_t{e.block.time_s} * 1000000 + e.block.time_us;
        EXPECT_GE(stamp, started - 1000);
        EXPECT_GT(stamp, previous);
        previous = stamp;
        // The tone is in it: 8-bit samples of a loud sine.
        int peak = 0;
        for (int8_t s : e.samples)
            peak = s > peak ? s : peak;
        EXPECT_GT(peak, 20);
    }
}
