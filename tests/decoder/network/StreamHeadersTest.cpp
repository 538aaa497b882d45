// The texts of stream servers: status lines, header lines, ICY metadata,
// FTP replies, and the request text.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "decoder/engine/decoder.h"
#include "decoder/network/stream_headers.h"

TEST(StreamHeaders, StatusLines)
{
    struct Case
    {
        const char* line;
        int parsed;
        int verdict;
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK", 0, HTTP_STATUS_GO_ON},
        {"ICY 200 OK", 0, HTTP_STATUS_GO_ON},
        {"HTTP/1.1 100 Continue", 0, HTTP_STATUS_GO_ON},
        {"HTTP/1.1 302 Found", 0, HTTP_STATUS_REDIRECT},
        {"HTTP/1.1 404 Not Found", 0, DK_ERR_HTTP_ERROR_REPLY},
        {"HTTP/1.1 503 Busy", 0, DK_ERR_HTTP_ERROR_REPLY},
        {"HTTP/1.1 099 Odd", 0, DK_ERR_INVALID_HTTP_REPLY},
        {"HTTP/1.1 999 Odd", 0, DK_ERR_HTTP_ERROR},
        {"HTTP/1.1 200", DK_ERR_INVALID_HTTP_REPLY, 0},
        {"HTTP/1.1", DK_ERR_INVALID_HTTP_REPLY, 0},
        {"", DK_ERR_INVALID_HTTP_REPLY, 0},
        {"HTTP/1.1 20", DK_ERR_INVALID_HTTP_REPLY, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        char code[3] = {};
        ASSERT_EQ(c.parsed, http_status_parse(c.line, code));
        if (c.parsed == 0) {
            EXPECT_EQ(c.verdict, http_status_judge(code));
        }
    }
}

TEST(StreamHeaders, HeaderKindsAndValues)
{
    struct Case
    {
        const char* line;
        int kind;
        const char* value;
    };
    const Case cases[] = {
        {"Location: http://b/", HTTP_HEADER_LOCATION, "http://b/"},
        {"location:http://b/", HTTP_HEADER_LOCATION, "http://b/"},
        {"Content-Length: 1234", HTTP_HEADER_CONTENT_LENGTH, "1234"},
        {"Content-length:77", HTTP_HEADER_CONTENT_LENGTH, "77"},
        {"Content-Type:   audio/mpeg", HTTP_HEADER_CONTENT_TYPE, "audio/mpeg"},
        {"icy-metaint:8000", HTTP_HEADER_ICY_METAINT, "8000"},
        {"icy-name: Radio", HTTP_HEADER_OTHER, nullptr},
        {"Content-Lengthy: 5", HTTP_HEADER_OTHER, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const char* value = nullptr;
        EXPECT_EQ(c.kind, http_header_classify(c.line, &value));
        EXPECT_EQ(std::string(c.value ? c.value : "(none)"), std::string(value ? value : "(none)"));
    }
}

TEST(StreamHeaders, NumbersAreBounded)
{
    uint32_t value = 7;
    EXPECT_TRUE(http_parse_number(" 1234 ", HTTP_MAX_CONTENT_LENGTH, &value));
    EXPECT_EQ(1234u, value);
    EXPECT_TRUE(http_parse_number("2147483647", HTTP_MAX_CONTENT_LENGTH, &value));
    EXPECT_EQ(2147483647u, value);
    value = 7;
    EXPECT_FALSE(http_parse_number("2147483648", HTTP_MAX_CONTENT_LENGTH, &value));
    EXPECT_FALSE(http_parse_number("99999999999999999999999", HTTP_MAX_CONTENT_LENGTH, &value));
    EXPECT_FALSE(http_parse_number("-5", HTTP_MAX_CONTENT_LENGTH, &value));
    EXPECT_FALSE(http_parse_number("12x", HTTP_MAX_CONTENT_LENGTH, &value));
    EXPECT_FALSE(http_parse_number("", HTTP_MAX_CONTENT_LENGTH, &value));
    EXPECT_FALSE(http_parse_number("1048577", ICY_MAX_METADATA_INTERVAL, &value));
    EXPECT_EQ(7u, value);
}

TEST(StreamHeaders, HeaderLinesSplitIntoPropertyNameAndValue)
{
    char name[HTTP_MAX_HEADER_NAME + 1];
    const char* value = nullptr;
    ASSERT_TRUE(http_header_split("icy-name:  Radio One", name, &value));
    EXPECT_STREQ("icy-name", name);
    EXPECT_STREQ("Radio One", value);
    EXPECT_FALSE(http_header_split("no colon here", name, &value));
    EXPECT_FALSE(http_header_split(": empty name", name, &value));
    EXPECT_FALSE(http_header_split("Empty-Value:   ", name, &value));
    const std::string longest = std::string(HTTP_MAX_HEADER_NAME, 'n') + ": v";
    EXPECT_TRUE(http_header_split(longest.c_str(), name, &value));
    EXPECT_EQ(std::string(HTTP_MAX_HEADER_NAME, 'n'), name);
    const std::string too_long = std::string(HTTP_MAX_HEADER_NAME + 1, 'n') + ": v";
    EXPECT_FALSE(http_header_split(too_long.c_str(), name, &value));
}

TEST(StreamHeaders, RequestTextIsSizedFromItsParts)
{
    char* whole = http_request_text("/stream", "radio", -1, -1, "Icy-MetaData:1\r\n");
    ASSERT_NE(nullptr, whole);
    EXPECT_STREQ("GET /stream HTTP/1.0\r\nHost: radio\r\nUser-Agent: Dekoda/1.0\r\nAccept: */*\r\n"
                 "Icy-MetaData:1\r\n\r\n",
                 whole);
    free(whole);

    char* ranged = http_request_text("/a", "h", 100, 199, nullptr);
    ASSERT_NE(nullptr, ranged);
    EXPECT_STREQ("GET /a HTTP/1.1\r\nHost: h\r\nConnection: close\r\nRange: bytes=100-199\r\n"
                 "User-Agent: Dekoda/1.0\r\nAccept: */*\r\n\r\n",
                 ranged);
    free(ranged);
    char* open_ended = http_request_text("/a", "h", 100, -1, "");
    ASSERT_NE(nullptr, open_ended);
    EXPECT_NE(nullptr, strstr(open_ended, "\r\nRange: bytes=100-\r\n"));
    free(open_ended);

    // Long parts of every kind fit.
    const std::string path = "/" + std::string(5000, 'p');
    const std::string host(3000, 'h');
    const std::string extra = "X-Long: " + std::string(4000, 'x') + "\r\n";
    char* big = http_request_text(path.c_str(), host.c_str(), 2147483647L, 2147483647L, extra.c_str());
    ASSERT_NE(nullptr, big);
    const std::string text = big;
    free(big);
    EXPECT_NE(std::string::npos, text.find(path));
    EXPECT_NE(std::string::npos, text.find("Host: " + host + "\r\n"));
    EXPECT_EQ(extra + "\r\n", text.substr(text.size() - extra.size() - 2));
}

TEST(StreamHeaders, IcyMetadataItems)
{
    struct Case
    {
        std::string block;
        std::vector<std::pair<std::string, std::string>> items;
    };
    const Case cases[] = {
        {"StreamTitle='Song';StreamUrl='';", {{"StreamTitle", "'Song'"}, {"StreamUrl", "''"}}},
        {"StreamTitle='A=B';tail without end", {{"StreamTitle", "'A=B'"}}},
        {"noequals;x=1;", {{"x", "1"}}},
        {std::string("a=1;\0\0\0b=2;", 12), {{"a", "1"}}},
        {"", {}},
        {";;=;", {{"", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        std::vector<std::pair<std::string, std::string>> got;
        icy_metadata_items(
            c.block.data(), c.block.size(),
            [](void* user, const char* name, size_t nl, const char* value, size_t vl) {
                static_cast<std::vector<std::pair<std::string, std::string>>*>(user)->emplace_back(
                    std::string(name, nl), std::string(value, vl));
            },
            &got);
        EXPECT_EQ(c.items, got);
    }
}

TEST(StreamHeaders, IcyMetadataSetsStreamProperties)
{
    decoder* dec = nullptr;
    ASSERT_EQ(0, decoder_new(&dec));
    const std::string block = "StreamTitle='Song';StreamUrl='';" + std::string(600, 'n') + "=skipped;";
    icy_metadata_parse(dec, block.data(), block.size());
    char value[1024] = {};
    ASSERT_EQ(0, dec->services.get_stream_string(dec, "icy/StreamTitle", value));
    EXPECT_STREQ("'Song'", value);
    ASSERT_EQ(0, dec->services.get_stream_string(dec, "icy/StreamUrl", value));
    EXPECT_STREQ("''", value);
    const std::string long_name = "icy/" + std::string(600, 'n');
    EXPECT_LT(dec->services.get_stream_string(dec, long_name.c_str(), value), 0);
    decoder_delete(dec);
}

TEST(StreamHeaders, FtpReplies)
{
    char code[4];
    bool continued = true;
    ASSERT_EQ(0, ftp_reply_code("220 Welcome", code, &continued));
    EXPECT_STREQ("220", code);
    EXPECT_FALSE(continued);
    ASSERT_EQ(0, ftp_reply_code("230-Hello", code, &continued));
    EXPECT_TRUE(continued);
    ASSERT_EQ(0, ftp_reply_code("150", code, &continued));
    EXPECT_FALSE(continued);
    EXPECT_EQ(DK_ERR_INVALID_FTP_REPLY, ftp_reply_code("22", code, &continued));
    EXPECT_EQ(DK_ERR_INVALID_FTP_REPLY, ftp_reply_code("", code, &continued));

    uint32_t size = 0;
    EXPECT_TRUE(ftp_reply_size("150 Opening BINARY mode data connection for a.mp3 (1234 bytes)", &size));
    EXPECT_EQ(1234u, size);
    EXPECT_TRUE(ftp_reply_size("150 (1 bytes) then ( 99 bytes)", &size));
    EXPECT_EQ(99u, size);
    size = 5;
    EXPECT_FALSE(ftp_reply_size("150 Opening (bytes)", &size));
    EXPECT_FALSE(ftp_reply_size("150 Opening (99999999999999999999 bytes)", &size));
    EXPECT_FALSE(ftp_reply_size("150 Opening (-5 bytes)", &size));
    EXPECT_EQ(5u, size);
}
