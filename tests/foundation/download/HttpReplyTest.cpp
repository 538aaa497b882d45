#include "foundation/download/HttpReply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct HeadCase
{
    const char* text;
    bool parses;
    int status;
    bool hasLength;
    uint64_t length;
    bool chunked;
};

TEST(HttpReply, ParsesStatusAndLength)
{
    const HeadCase cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: 1300\r\n\r\n", true, 200, true, 1300, false},
        {"HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n", true, 404, false, 0, false},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", true, 200, false, 0, true},
        {"HTTP/1.1 200 OK\r\ncontent-length:   0  \r\n", true, 200, true, 0, false},
        {"HTTP/1.1 200 OK\nCONTENT-LENGTH: 7\n\nbody: 9\n", true, 200, true, 7, false},
        {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 5\r\n", true, 200, true, 5, false},
        {"HTTP/1.1 204\r\n", true, 204, false, 0, false},
        {"HTTP/2 200 \r\nX: y\r\n", true, 200, false, 0, false},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, Chunked\r\nContent-Length: 3\r\n", true, 200, true, 3, true},
        {"HTTP/1.1 200 OK\r\nContent-Length: 9223372036854775807\r\n", true, 200, true, 9223372036854775807ULL, false},
        // Not a reply, or a length that cannot be trusted.
        {"", false, 0, false, 0, false},
        {"HTTP/1.1 20 OK\r\n", false, 0, false, 0, false},
        {"HTTP/1.1 2000 OK\r\n", false, 0, false, 0, false},
        {"HTTP/1.1 099 Low\r\n", false, 0, false, 0, false},
        {"FTP/1.1 200 OK\r\n", false, 0, false, 0, false},
        {"HTTP/1.1 200 OK\r\nContent-Length: 12a\r\n", false, 200, false, 0, false},
        {"HTTP/1.1 200 OK\r\nContent-Length: -1\r\n", false, 200, false, 0, false},
        {"HTTP/1.1 200 OK\r\nContent-Length:\r\n", false, 200, false, 0, false},
        {"HTTP/1.1 200 OK\r\nContent-Length: 9223372036854775808\r\n", false, 200, false, 0, false},
        {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n", false, 200, true, 5, false},
    };
    for (const HeadCase& c : cases) {
        HttpReplyHead head;
        EXPECT_EQ(c.parses, ParseHttpReplyHead(c.text, std::strlen(c.text), head)) << c.text;
        if (c.parses) {
            EXPECT_EQ(c.status, head.status) << c.text;
            EXPECT_EQ(c.hasLength, head.hasContentLength) << c.text;
            EXPECT_EQ(c.length, head.contentLength) << c.text;
            EXPECT_EQ(c.chunked, head.chunked) << c.text;
        }
    }
}

TEST(HttpReply, ReadsOnlyTheGivenBytes)
{
    // The length header lies beyond the given length: not seen.
    const std::string text = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n";
    HttpReplyHead head;
    ASSERT_TRUE(ParseHttpReplyHead(text.data(), 17, head));
    EXPECT_FALSE(head.hasContentLength);
    EXPECT_FALSE(ParseHttpReplyHead(nullptr, 5, head));
}

TEST(HttpReply, Verdicts)
{
    HttpReplyHead sized;
    sized.status = 200;
    sized.hasContentLength = true;
    sized.contentLength = 1300;
    HttpReplyHead unsized;
    unsized.status = 200;
    HttpReplyHead chunked = sized;
    chunked.chunked = true;
    HttpReplyHead missing = sized;
    missing.status = 404;
    HttpReplyHead moved = unsized;
    moved.status = 302;
    const struct {
        const HttpReplyHead* head;
        uint64_t received;
        bool readFailed;
        DownloadVerdict verdict;
    } cases[] = {
        {&sized, 1300, false, DownloadVerdict::Complete},
        {&sized, 1024, false, DownloadVerdict::Truncated},
        {&sized, 0, false, DownloadVerdict::Truncated},
        {&sized, 1301, false, DownloadVerdict::Truncated},
        {&sized, 700, true, DownloadVerdict::ReadFailed},
        {&unsized, 5, false, DownloadVerdict::Complete},
        {&unsized, 5, true, DownloadVerdict::ReadFailed},
        {&chunked, 999, false, DownloadVerdict::Complete},
        {&missing, 1300, false, DownloadVerdict::ServerError},
        {&moved, 0, false, DownloadVerdict::ServerError},
        {&unsized, kMaxDownloadBytes, false, DownloadVerdict::Complete},
        {&unsized, kMaxDownloadBytes + 1, false, DownloadVerdict::TooLarge},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(c.verdict),
                  static_cast<int>(JudgeDownload(*c.head, c.received, c.readFailed)))
            << c.head->status << " " << c.received << " " << c.readFailed;
}

TEST(HttpReply, PicturesReachTheirEndMarkers)
{
    const std::string jpegHead("\xFF\xD8\xFF\xE0\x00\x10JF", 8);
    const std::string pngHead("\x89PNG\r\n\x1A\n", 8);
    const std::string gifHead("GIF89a\x10\x00", 8);
    const struct {
        const char* what;
        std::string head;
        std::string tail;
        bool whole;
    } cases[] = {
        {"jpeg", jpegHead, std::string("\x12\x34\xFF\xD9", 4), true},
        {"jpeg with padding", jpegHead, std::string("\xFF\xD9\x00\x00\x00\x00", 6), true},
        {"jpeg cut", jpegHead, std::string("\x12\x34\x56\x78", 4), false},
        {"jpeg marker too far back", jpegHead, std::string("\xFF\xD9", 2) + std::string(20, '\0'), false},
        {"png", pngHead, std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12), true},
        {"png cut", pngHead, std::string("IDAT\x01\x02", 6), false},
        {"gif", gifHead, std::string("\x00\x3B", 2), true},
        {"gif cut", gifHead, std::string("\x01\x02", 2), false},
        {"another format", "BM\x36\x00\x00\x00\x00\x00", "anything", true},
        {"empty", "", "", true},
        {"a short jpeg head", std::string("\xFF\xD8", 2), "xy", true},
    };
    for (const auto& c : cases) {
        const std::string tail = c.tail.size() > 16 ? c.tail.substr(c.tail.size() - 16) : c.tail;
        EXPECT_EQ(c.whole, ImageLooksWhole(reinterpret_cast<const uint8_t*>(c.head.data()), c.head.size(),
                                           reinterpret_cast<const uint8_t*>(tail.data()), tail.size()))
            << c.what;
    }
}

} // namespace
