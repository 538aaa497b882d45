// MP3 streams played end to end through a player: over HTTP and as an
// internet radio stream (ICY over HTTP with metadata), compared with the
// player's decode of the file itself; a stalled server does not stop the
// player from answering.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "StreamServer.h"
#include "decoder/modules/network_input.h"
#include "decoder/player/player_server.h"
#include "tests/decoder/players/NotificationClient.h"
#include "tests/support/TestSupport.h"

namespace {

class NetworkPlayback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HWND window = client.Window();
        ASSERT_EQ(0, player_new(&player, &window));
        ASSERT_GE(client.WaitFor(CM_READY), 0);
        ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("tone440.mp3"), mp3));
        ASSERT_GT(mp3.size(), 10000u);
    }
    void TearDown() override
    {
        if (player) {
            EXPECT_EQ(0, player_delete(player));
            EXPECT_GE(client.WaitFor(CM_EXITED, 0, 2000), 0);
        }
    }

    // Plays the input to its end into a WAVE file; the file's bytes.
    std::string PlayToEnd(const std::string& input, const std::string& output)
    {
        const std::string out_name = "wav:" + output;
        EXPECT_EQ(0, client.Command(player, CM_SET_OUTPUT_NAME, out_name.c_str()));
        EXPECT_EQ(0, client.Command(player, CM_INPUT_OPEN, input.c_str()));
        const size_t from = client.Notes().size();
        EXPECT_EQ(0, client.Command(player, CM_PLAY));
        EXPECT_GE(client.WaitForValue(CM_PLAYER_STATE, PLAYER_END_OF_STREAM, from, 60000), 0);
        EXPECT_EQ(0, client.Command(player, CM_OUTPUT_CLOSE));
        std::string bytes;
        EXPECT_TRUE(tavrix_test::ReadFileBytes(output, bytes));
        return bytes;
    }

    bool HasProgress(int code, size_t from = 0) const
    {
        for (const Note& n : client.OfCode(CM_PROGRESS, from))
            if (n.b == code)
                return true;
        return false;
    }

    NotificationClient client;
    message_channel* player = nullptr;
    tavrix_test::TempDir temp;
    std::string mp3;
};

} // namespace

TEST_F(NetworkPlayback, HttpStreamDecodesAsTheFile)
{
    const std::string expected = PlayToEnd(tavrix_test::MediaPath("tone440.mp3"), temp.File("file.wav"));
    ASSERT_GT(expected.size(), 44u + 100000u);

    StreamServer server([&](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: " + std::to_string(mp3.size()) +
               "\r\n\r\n");
        c.SendSlowly(mp3, 4096, 1);
    });
    const std::string url = server.Url("http", "/tone440.mp3");
    const std::string streamed = PlayToEnd(url, temp.File("stream.wav"));
    EXPECT_EQ(expected.size(), streamed.size());
    EXPECT_TRUE(expected == streamed) << "the stream's PCM differs from the file's";
    EXPECT_TRUE(HasProgress(NETWORK_PROGRESS_CONNECTED));
    EXPECT_TRUE(HasProgress(NETWORK_PROGRESS_END));
    const auto types = client.OfCode(CM_STREAM_CONTENT_TYPE);
    ASSERT_FALSE(types.empty());
}

TEST_F(NetworkPlayback, InternetRadioStreamWithMetadata)
{
    const std::string expected = PlayToEnd(tavrix_test::MediaPath("tone440.mp3"), temp.File("file.wav"));
    const size_t interval = 8000;
    std::string wire;
    int block = 0;
    for (size_t at = 0; at < mp3.size(); at += interval) {
        wire += mp3.substr(at, interval);
        if (at + interval > mp3.size())
            break;
        const std::string title = "StreamTitle='Song " + std::to_string(++block) + "';";
        const size_t units = (title.size() + 15) / 16;
        wire += static_cast<char>(units);
        wire += title + std::string(units * 16 - title.size(), '\0');
    }
    StreamServer server([&](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("ICY 200 OK\r\nicy-name:Test Radio\r\nicy-metaint:8000\r\n\r\n");
        c.SendSlowly(wire, 1500, 1);
    });
    const std::string streamed = PlayToEnd(server.Url("icy", "/live"), temp.File("radio.wav"));
    EXPECT_EQ(expected.size(), streamed.size());
    EXPECT_TRUE(expected == streamed) << "the radio stream's PCM differs from the file's";
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_NE(std::string::npos, server.Requests()[0].find("Icy-MetaData:1\r\n"));

    bool named = false, titled = false;
    const std::string last_title = "icy/StreamTitle='Song " + std::to_string(block) + "';";
    for (const Note& n : client.OfCode(CM_STREAM_PROPERTIES)) {
        named = named || n.text.find("http/icy-name=Test Radio;") != std::string::npos;
        titled = titled || n.text.find(last_title) != std::string::npos;
    }
    EXPECT_TRUE(named);
    EXPECT_TRUE(titled) << "no stream properties with " << last_title;
}

TEST_F(NetworkPlayback, PlayerAnswersWhileTheServerStalls)
{
    std::atomic<bool> resume{false};
    StreamServer server([&](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("HTTP/1.0 200 OK\r\n\r\n" + mp3.substr(0, mp3.size() / 2));
        while (!resume && !server.Stopping())
            Sleep(5);
        c.Send(mp3.substr(mp3.size() / 2));
    });
    const std::string out_name = "wav:" + temp.File("stall.wav");
    ASSERT_EQ(0, client.Command(player, CM_SET_OUTPUT_NAME, out_name.c_str()));
    ASSERT_EQ(0, client.Command(player, CM_INPUT_OPEN, server.Url("http", "/").c_str()));
    const size_t from = client.Notes().size();
    ASSERT_EQ(0, client.Command(player, CM_PLAY));
    // The first half plays, then the buffer runs dry.
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return HasProgress(NETWORK_PROGRESS_UNDERFLOW, from); }, 20000));
    for (int i = 0; i < 5; ++i) {
        const DWORD start = GetTickCount();
        EXPECT_EQ(0, client.Command(player, CM_PING, 7 + i)) << "ping " << i;
        EXPECT_LT(GetTickCount() - start, 2000u);
    }
    EXPECT_LT(client.WaitForValue(CM_PLAYER_STATE, PLAYER_END_OF_STREAM, from, 300), 0);
    resume = true;
    EXPECT_GE(client.WaitForValue(CM_PLAYER_STATE, PLAYER_END_OF_STREAM, from, 60000), 0);
    EXPECT_TRUE(HasProgress(NETWORK_PROGRESS_REFILLED, from));
}
