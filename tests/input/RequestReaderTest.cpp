// Request lines gathered from socket blocks, service texts and addresses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "input/server/RequestReader.h"
#include "input/server/SocketTexts.h"

namespace {

std::vector<std::string> FeedInPieces(RequestReader& reader, const std::string& stream, size_t piece)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < stream.size(); at += piece)
        reader.Feed(stream.data() + at, std::min(piece, stream.size() - at), lines);
    return lines;
}

TEST(RequestReader, LinesComeOutWholeWhateverTheBlockSizes)
{
    const std::string longLine(1000, 'q');
    const std::string stream = "a-play\r\nreqi:12\n\n" + longLine + "\r\nget-deck\r\n";
    const std::vector<std::string> expected = {"a-play", "reqi:12", longLine, "get-deck"};
    for (size_t piece : {1u, 3u, 7u, 260u, 4096u}) {
        RequestReader reader;
        EXPECT_EQ(expected, FeedInPieces(reader, stream, piece)) << piece;
        EXPECT_EQ(0u, reader.GetPendingLength());
    }
}

TEST(RequestReader, OverlongLinesAreDroppedAndReadingGoesOn)
{
    RequestReader reader(16);
    const std::string stream = std::string(17, 'x') + "\nok\n" + std::string(5000, 'y') + "\r\nlast\n";
    EXPECT_EQ((std::vector<std::string>{"ok", "last"}), FeedInPieces(reader, stream, 260));
    EXPECT_EQ(2u, reader.GetDroppedLines());
    EXPECT_LE(reader.GetPendingLength(), 16u);
}

TEST(RequestReader, ResetForgetsTheUnfinishedRest)
{
    RequestReader reader;
    std::vector<std::string> lines;
    reader.Feed("half", 4, lines);
    reader.Reset();
    reader.Feed("new\n", 4, lines);
    EXPECT_EQ((std::vector<std::string>{"new"}), lines);
}

TEST(RequestReader, BlockTextDropsLineEndsAndStopsAtZero)
{
    const char block[] = "a-\r\nplay\0tail";
    EXPECT_EQ("a-play", std::string(RequestBlockText(block, sizeof(block) - 1)));
    EXPECT_EQ("", std::string(RequestBlockText(nullptr, 5)));
}

TEST(SocketTexts, PortTextsAreLeadingDigitsThatFitAPort)
{
    struct Case
    {
        const char* text;
        bool ok;
        int port;
    } cases[] = {{"8080", true, 8080}, {"80abc", true, 80}, {"0", true, 0},      {"65535", true, 65535},
                 {"65536", false, 0},  {"http", false, 0},  {"", false, 0},      {" 80", false, 0},
                 {"99999999999999", false, 0}, {nullptr, false, 0}};
    for (const Case& c : cases) {
        uint16_t port = 0;
        EXPECT_EQ(c.ok, ParsePortText(c.text, port)) << (c.text ? c.text : "(null)");
        if (c.ok) {
            EXPECT_EQ(c.port, port);
        }
    }
}

TEST(SocketTexts, AddressAndPeerTexts)
{
    const uint8_t loopback[4] = {127, 0, 0, 1};
    const uint8_t high[4] = {255, 254, 10, 0};
    EXPECT_EQ("127.0.0.1", std::string(AddressText(loopback)));
    EXPECT_EQ("255.254.10.0:65535", std::string(PeerText(high, 65535)));
}

} // namespace
