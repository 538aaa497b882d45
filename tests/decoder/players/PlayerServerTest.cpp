// A client window on the test thread drives a player whose output is the
// file output module, and checks the notifications and the output file.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "NotificationClient.h"
#include "decoder/modules/memory_input.h"
#include "decoder/player/player_server.h"
#include "tests/support/TestSupport.h"

namespace {

// Decodes the input straight through a decoder into a WAVE file.
std::string DirectDecode(const std::string& input, const std::string& output)
{
    decoder* dec = nullptr;
    EXPECT_EQ(0, decoder_new(&dec));
    builtin_modules_register(nullptr, nullptr, dec);
    EXPECT_EQ(0, decoder_input_new(dec, input.c_str(), -1));
    EXPECT_EQ(0, decoder_input_open(dec));
    const std::string name = "wav:" + output;
    EXPECT_EQ(0, decoder_output_new(dec, name.c_str(), -1));
    EXPECT_EQ(0, decoder_output_open(dec));
    int r = 0;
    for (int frames = 0; frames < 100000 && (r = decoder_play(dec)) >= 0; ++frames) {
    }
    decoder_output_close(dec);
    decoder_input_close(dec);
    decoder_delete(dec);
    std::string bytes;
    EXPECT_TRUE(tavrix_test::ReadFileBytes(output, bytes));
    return bytes;
}

class PlayerServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HWND window = client.Window();
        ASSERT_EQ(0, player_new(&player, &window));
        ASSERT_GE(client.WaitFor(CM_READY), 0);
    }
    void TearDown() override
    {
        if (player) {
            EXPECT_EQ(0, player_delete(player));
            EXPECT_GE(client.WaitFor(CM_EXITED, 0, 2000), 0);
        }
    }

    std::vector<int> States(size_t from = 0) const
    {
        std::vector<int> states;
        for (const Note& n : client.OfCode(CM_PLAYER_STATE, from))
            states.push_back(static_cast<int>(n.a));
        return states;
    }

    // Opens the input (through the named input) and plays to the end of
    // the stream into a WAVE file; returns the file's bytes.
    std::string PlayToEnd(const std::string& input_name, const std::string& output)
    {
        const std::string out_name = "wav:" + output;
        EXPECT_EQ(0, client.Command(player, CM_SET_OUTPUT_NAME, out_name.c_str()));
        const size_t open_from = client.Notes().size();
        EXPECT_EQ(0, client.Command(player, CM_INPUT_OPEN, input_name.c_str()));
        // input_state (open), its name and caps come before the ack.
        const auto inputs = client.OfCode(CM_INPUT_STATE, open_from);
        EXPECT_EQ(1u, inputs.size());
        if (!inputs.empty()) {
            EXPECT_EQ(0, inputs[0].a);
        }
        const auto names = client.OfCode(CM_INPUT_NAME, open_from);
        EXPECT_EQ(1u, names.size());
        if (!names.empty()) {
            EXPECT_EQ(input_name, names[0].text);
        }
        EXPECT_EQ(1u, client.OfCode(CM_INPUT_CAPS, open_from).size());

        const size_t play_from = client.Notes().size();
        EXPECT_EQ(0, client.Command(player, CM_PLAY));
        EXPECT_GE(client.WaitForValue(CM_PLAYER_STATE, PLAYER_END_OF_STREAM, play_from, 60000), 0);
        EXPECT_EQ((std::vector<int>{PLAYER_PLAYING, PLAYER_END_OF_STREAM}), States(play_from));
        // output_state (open) and output_name on opening.
        const auto outputs = client.OfCode(CM_OUTPUT_STATE, play_from);
        EXPECT_FALSE(outputs.empty());
        if (!outputs.empty()) {
            EXPECT_EQ(0, outputs[0].a);
        }

        // Timecodes and positions move forward, in whole seconds at the
        // default granularity, and reach the end.
        const auto timecodes = client.OfCode(CM_TIMECODE, play_from);
        EXPECT_GE(timecodes.size(), 2u);
        int64_t last = -1;
        for (const Note& t : timecodes) {
            const int64_t value = (t.a * 60 + t.b) * 60 + t.c;
            EXPECT_GT(value, last);
            EXPECT_EQ(0, t.d);
            last = value;
        }
        EXPECT_GE(last, 2);
        const auto positions = client.OfCode(CM_POSITION, play_from);
        EXPECT_FALSE(positions.empty());
        int64_t previous = -1;
        for (const Note& p : positions) {
            EXPECT_GT(p.a, previous);
            EXPECT_EQ(400, p.b);
            previous = p.a;
        }
        EXPECT_GE(previous, 390);

        // Closing the output finishes the file.
        EXPECT_EQ(0, client.Command(player, CM_OUTPUT_CLOSE));
        std::string bytes;
        EXPECT_TRUE(tavrix_test::ReadFileBytes(output, bytes));
        return bytes;
    }

    NotificationClient client;
    message_channel* player = nullptr;
    tavrix_test::TempDir temp;
};

} // namespace

TEST_F(PlayerServer, FreshPlayerAnswersItsDefaults)
{
    client.Command(player, CM_GET_NOTIFICATION_MASK);
    client.Command(player, CM_GET_POSITION_RANGE);
    client.Command(player, CM_GET_TIMECODE_GRANULARITY);
    client.Command(player, CM_GET_PLAYER_MODE);
    ASSERT_EQ(1u, client.OfCode(CM_NOTIFICATION_MASK).size());
    EXPECT_EQ(0xFFFFFFFFll, client.OfCode(CM_NOTIFICATION_MASK)[0].a);
    EXPECT_EQ(400, client.OfCode(CM_POSITION_RANGE)[0].a);
    EXPECT_EQ(100, client.OfCode(CM_TIMECODE_GRANULARITY)[0].a);
    EXPECT_EQ(0, client.OfCode(CM_PLAYER_MODE)[0].a);
    EXPECT_EQ(0, client.Command(player, CM_PING, 1234));
    EXPECT_EQ(1234, client.OfCode(CM_PONG)[0].a);
}

TEST_F(PlayerServer, RefusalsAreAnsweredWithTheirErrors)
{
    struct Case
    {
        int code;
        int argument;
        int error;
    };
    const Case cases[] = {
        {CM_PAUSE, 0, -103},
        {CM_STOP, 0, -103},
        {CM_SET_POSITION_RANGE, 0, -102},
        {CM_SET_TIMECODE_GRANULARITY, 0, -102},
        {CM_SET_INPUT_MODULE, 99, -507},
        {CM_SET_INPUT_MODULE, -2, -507},
        {CM_SET_OUTPUT_MODULE, 3, -507},
        {CM_SET_CODEC_MODULE, 2, -507},
        {CM_INPUT_MODULE_QUERY, 7, -507},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.error, client.Command(player, c.code, c.argument)) << control_code_name(c.code);
    EXPECT_EQ(-102, client.Command(player, CM_SEEK, 1, 0));
    EXPECT_EQ(-1, client.Command(player, CM_SEEK, 1, 2));
    EXPECT_EQ(-102, client.Command(player, CM_INPUT_MODULE_ADD, ""));
    EXPECT_LT(client.Command(player, CM_INPUT_OPEN, temp.File("missing.wav").c_str()), 0);
    EXPECT_EQ(1, client.OfCode(CM_INPUT_STATE).back().a); // reported closed
    EXPECT_TRUE(States().empty()); // the state stayed stopped
    // Levels of 255 change nothing and are acknowledged.
    EXPECT_EQ(0, client.Command(player, CM_SET_OUTPUT_LEVELS, 255, 255, 255));
    // Invalid codes never leave the client.
    EXPECT_EQ(-306, control_message_send(player, 68));
    // Acks can be switched off by the mask; the answer still comes.
    const size_t from = client.Notes().size();
    EXPECT_EQ(0, control_message_send(player, CM_SET_NOTIFICATION_MASK, 0xFFFFFFFFu & ~0x8u));
    EXPECT_EQ(0, control_message_send(player, CM_GET_POSITION_RANGE));
    EXPECT_EQ(0, control_message_send(player, CM_PING, 5));
    EXPECT_GE(client.WaitFor(CM_PONG, from), 0);
    EXPECT_TRUE(client.OfCode(CM_ACK, from).empty());
    EXPECT_EQ(1u, client.OfCode(CM_POSITION_RANGE, from).size());
}

TEST_F(PlayerServer, PrioritiesMapBothWays)
{
    EXPECT_EQ(-102, player_set_priority(player, 5));
    EXPECT_EQ(-102, player_set_priority(nullptr, 1));
    EXPECT_EQ(4, player_get_priority(player)); // highest at creation
    for (int level = 0; level <= 4; ++level) {
        EXPECT_EQ(0, player_set_priority(player, level));
        EXPECT_EQ(level, player_get_priority(player));
    }
}

TEST_F(PlayerServer, ModulesAreListed)
{
    EXPECT_EQ(0, client.Command(player, CM_OUTPUT_MODULES_LIST));
    const auto modules = client.OfCode(CM_OUTPUT_MODULE_INFO);
    ASSERT_EQ(2u, modules.size());
    EXPECT_EQ("Output To File", modules[0].text);
    EXPECT_EQ("Win32 Sound Driver Interface", modules[1].text);
    EXPECT_EQ(0, client.Command(player, CM_CODEC_MODULES_LIST));
    const auto codecs = client.OfCode(CM_CODEC_MODULE_INFO);
    ASSERT_EQ(2u, codecs.size());
    EXPECT_EQ("MPEG Audio Codec", codecs[0].text);
    EXPECT_EQ("WAVE Audio Codec", codecs[1].text);
}

class PlayerServerMedia : public PlayerServer, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(PlayerServerMedia, PlaysAFileToTheEndLikeADirectDecode)
{
    const std::string input = tavrix_test::MediaPath(GetParam());
    const std::string played = PlayToEnd(input, temp.File("played.wav"));
    const std::string direct = DirectDecode(input, temp.File("direct.wav"));
    EXPECT_GT(played.size(), 44u + 44100u * 4u * 2u);
    EXPECT_TRUE(played == direct) << played.size() << " vs " << direct.size();
    // Stream facts reached the client.
    const auto durations = client.OfCode(CM_STREAM_DURATION);
    ASSERT_FALSE(durations.empty());
    EXPECT_EQ(3, durations.back().a);
    const auto formats = client.OfCode(CM_STREAM_FORMAT);
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(44100, formats.back().a);
    EXPECT_EQ(2, formats.back().c);
}

INSTANTIATE_TEST_SUITE_P(Media, PlayerServerMedia, ::testing::Values("tone440.wav", "tone440.mp3"));

TEST_F(PlayerServer, PauseSeekPlayAndStop)
{
    const std::string out = "wav:" + temp.File("out.wav");
    ASSERT_EQ(0, client.Command(player, CM_SET_OUTPUT_NAME, out.c_str()));
    ASSERT_EQ(0, client.Command(player, CM_INPUT_OPEN, tavrix_test::MediaPath("tone440.wav").c_str()));
    // Play and pause together: the pause is taken between two frames.
    size_t from = client.Notes().size();
    ASSERT_EQ(0, control_message_send(player, CM_PLAY));
    EXPECT_EQ(0, client.Command(player, CM_PAUSE));
    EXPECT_EQ((std::vector<int>{PLAYER_PLAYING, PLAYER_PAUSED}), States(from));

    // Seek to the middle: position as given and the timecode of 1.5 s.
    from = client.Notes().size();
    EXPECT_EQ(0, client.Command(player, CM_SEEK, 200, 400));
    auto positions = client.OfCode(CM_POSITION, from);
    ASSERT_EQ(1u, positions.size());
    EXPECT_EQ(200, positions[0].a);
    EXPECT_EQ(400, positions[0].b);
    auto timecodes = client.OfCode(CM_TIMECODE, from);
    ASSERT_EQ(1u, timecodes.size());
    EXPECT_EQ(1, timecodes[0].c);
    EXPECT_TRUE(States(from).empty());

    // Play on from there to the end.
    from = client.Notes().size();
    EXPECT_EQ(0, client.Command(player, CM_PLAY));
    ASSERT_GE(client.WaitForValue(CM_PLAYER_STATE, PLAYER_END_OF_STREAM, from, 30000), 0);
    timecodes = client.OfCode(CM_TIMECODE, from);
    ASSERT_FALSE(timecodes.empty());
    EXPECT_EQ(1, timecodes.front().c); // on from 1.5 s
    EXPECT_GE(timecodes.back().c, 2);

    // A seek at the end of the stream stops the player.
    from = client.Notes().size();
    EXPECT_EQ(0, client.Command(player, CM_SEEK, 200, 400));
    EXPECT_EQ(1u, client.OfCode(CM_POSITION, from).size());
    EXPECT_EQ(1u, client.OfCode(CM_TIMECODE, from).size());
    EXPECT_EQ((std::vector<int>{PLAYER_STOPPED}), States(from));

    // Stop when stopped: acknowledged, no state change.
    from = client.Notes().size();
    EXPECT_EQ(0, client.Command(player, CM_STOP));
    EXPECT_TRUE(States(from).empty());

    // Closing the input: state notification for it.
    EXPECT_EQ(0, client.Command(player, CM_INPUT_CLOSE));
    EXPECT_EQ(1, client.OfCode(CM_INPUT_STATE).back().a);
    EXPECT_EQ(-103, client.Command(player, CM_PAUSE));
}

TEST_F(PlayerServer, TimecodesFollowTheGranularity)
{
    ASSERT_EQ(0, client.Command(player, CM_SET_TIMECODE_GRANULARITY, 10));
    const std::string out = "wav:" + temp.File("out.wav");
    ASSERT_EQ(0, client.Command(player, CM_SET_OUTPUT_NAME, out.c_str()));
    ASSERT_EQ(0, client.Command(player, CM_INPUT_OPEN, tavrix_test::MediaPath("tone440.wav").c_str()));
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(player, CM_PLAY));
    ASSERT_GE(client.WaitForValue(CM_PLAYER_STATE, PLAYER_END_OF_STREAM, from, 30000), 0);
    const auto timecodes = client.OfCode(CM_TIMECODE, from);
    // Every tenth of a second of the 3 s stream, once each.
    EXPECT_GE(timecodes.size(), 25u);
    int64_t last = -1;
    for (const Note& t : timecodes) {
        EXPECT_EQ(0, t.d % 10);
        const int64_t value = t.c * 100 + t.d;
        EXPECT_GT(value, last);
        last = value;
    }
}

TEST_F(PlayerServer, PlaysFromMemoryThroughARegisteredMemoryInput)
{
    char module[64];
    snprintf(module, sizeof(module), "function@%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&memory_input_module_register)));
    ASSERT_EQ(0, client.Command(player, CM_INPUT_MODULE_ADD, module));
    const std::string input = tavrix_test::MediaPath("tone440.wav");
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(input, bytes));
    char name[64];
    snprintf(name, sizeof(name), "%x@%llx", static_cast<unsigned>(bytes.size()),
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(bytes.data())));
    // The stream's type comes by message, without its NUL; the input is
    // then opened again under the same name and keeps it.
    client.Command(player, CM_INPUT_OPEN, name);
    const char type[] = "audio/wave";
    ASSERT_EQ(0, client.Command(player, CM_INPUT_SEND, MEMORY_INPUT_CONTENT_TYPE, type, 10));
    const std::string played = PlayToEnd(name, temp.File("played.wav"));
    const std::string direct = DirectDecode(input, temp.File("direct.wav"));
    EXPECT_TRUE(played == direct) << played.size() << " vs " << direct.size();
}

namespace {

int PassFilterQuery(module_info* info, int flags)
{
    if (flags & MODULE_QUERY_NAME) {
        strcpy(info->name, "Pass Filter");
        strcpy(info->description, "passes everything on");
    }
    return 0;
}

int PassFilterRegister(output_filter_module_ops* ops)
{
    ops->version = DECODER_MODULE_VERSION;
    ops->query = PassFilterQuery;
    return 0;
}

} // namespace

TEST_F(PlayerServer, OutputFiltersAreAddedListedAndRemoved)
{
    char module[64];
    snprintf(module, sizeof(module), "function@%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&PassFilterRegister)));
    EXPECT_EQ(-102, client.Command(player, CM_OUTPUT_FILTER_ADD, "", -1));
    EXPECT_EQ(-801, client.Command(player, CM_OUTPUT_FILTER_ADD, "no_such_symbol@kernel32.dll", -1));
    ASSERT_EQ(0, client.Command(player, CM_OUTPUT_FILTER_ADD, module, -1));
    auto added = client.OfCode(CM_OUTPUT_FILTER_INFO);
    ASSERT_EQ(1u, added.size());
    EXPECT_EQ("Pass Filter", added[0].text);
    EXPECT_GE(added[0].a, 1);
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(player, CM_OUTPUT_FILTERS_LIST));
    auto listed = client.OfCode(CM_OUTPUT_FILTER_INFO, from);
    ASSERT_EQ(1u, listed.size());
    EXPECT_EQ(added[0].a, listed[0].a);
    EXPECT_EQ(0, client.Command(player, CM_OUTPUT_FILTER_REMOVE, "", static_cast<int>(added[0].a)));
    const size_t after = client.Notes().size();
    ASSERT_EQ(0, client.Command(player, CM_OUTPUT_FILTERS_LIST));
    EXPECT_TRUE(client.OfCode(CM_OUTPUT_FILTER_INFO, after).empty());
}

TEST_F(PlayerServer, ACodecChosenByIdTakesTheStreamWhateverItsName)
{
    // An MP3 stream under a name that sends probing to the WAVE codec.
    const std::string mp3 = tavrix_test::MediaPath("tone440.mp3");
    const std::string misnamed = temp.File("tone.wav");
    ASSERT_TRUE(tavrix_test::CopyFileTo(mp3, misnamed));
    EXPECT_LT(client.Command(player, CM_INPUT_OPEN, misnamed.c_str()), 0);

    // Codec 0 is the MPEG codec (registered first).
    ASSERT_EQ(0, client.Command(player, CM_SET_CODEC_MODULE, 0));
    const std::string played = PlayToEnd(misnamed, temp.File("played.wav"));
    const std::string direct = DirectDecode(mp3, temp.File("direct.wav"));
    EXPECT_TRUE(played == direct) << played.size() << " vs " << direct.size();

    // Back to probing: the open input is opened again and the name
    // decides, so the WAVE codec refuses it, now and on the next open.
    EXPECT_LT(client.Command(player, CM_SET_CODEC_MODULE, -1), 0);
    EXPECT_EQ(1, client.OfCode(CM_INPUT_STATE).back().a);
    EXPECT_LT(client.Command(player, CM_INPUT_OPEN, misnamed.c_str()), 0);
}
