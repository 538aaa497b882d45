// The network input module over servers on 127.0.0.1: buffering and its
// progress codes, early closes, stalls, ICY metadata taken out of the
// audio however the reads and the network cut it, headers as properties.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "StreamServer.h"
#include "decoder/engine/decoder.h"
#include "decoder/modules/network_input.h"

namespace {

struct Progress
{
    int code;
    int value;
    std::string text;
};

// A decoder with the network input registered, recording its progress.
class NetworkInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, decoder_new(&dec));
        dec->client = this;
        dec->progress_callback = [](void* client, int, int code, int value, const char* text) {
            static_cast<NetworkInput*>(client)->progress.push_back({code, value, text ? text : ""});
        };
        input_module_ops ops = {};
        ASSERT_EQ(0, network_input_module_register(&ops));
        ASSERT_GE(decoder_input_module_register(dec, &ops), 0);
    }
    void TearDown() override
    {
        if (instance)
            ops()->delete_instance(instance);
        decoder_delete(dec);
    }

    const input_module_ops* ops() const { return dec->input->ops; }

    // Makes and opens an instance for the URL; the open's result.
    int Open(const std::string& url)
    {
        EXPECT_EQ(0, decoder_input_new(dec, url.c_str(), -1));
        // The decoder owns the instance it made; the test drives it alone.
        instance = dec->input->instance;
        dec->input->instance = nullptr;
        return ops()->open(instance);
    }

    int Read(std::string& out, int n)
    {
        std::string buffer(static_cast<size_t>(n), '\0');
        const int r = ops()->read(instance, &buffer[0], n);
        if (r > 0)
            out.append(buffer, 0, static_cast<size_t>(r));
        return r;
    }

    // Reads n at a time until the end (or a failure other than -104);
    // the results other than -104 in order, the bytes into out.
    std::vector<int> ReadToEnd(std::string& out, const std::vector<int>& sizes, DWORD limit_ms = 20000)
    {
        std::vector<int> results;
        const DWORD start = GetTickCount();
        for (size_t i = 0; GetTickCount() - start < limit_ms;) {
            const int r = Read(out, sizes[i % sizes.size()]);
            if (r == DK_ERR_TIMEOUT)
                continue;
            results.push_back(r);
            if (r < 0)
                break;
            ++i;
        }
        return results;
    }

    std::vector<Progress> OfCode(int code) const
    {
        std::vector<Progress> out;
        for (const Progress& p : progress)
            if (p.code == code)
                out.push_back(p);
        return out;
    }

    std::string Property(const char* name)
    {
        char value[1024] = {};
        return dec->services.get_stream_string(dec, name, value) == 0 ? value : "(none)";
    }

    decoder* dec = nullptr;
    void* instance = nullptr;
    std::vector<Progress> progress;
};

std::string Pattern(size_t n, unsigned seed = 0)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 7 + seed + i / 251) & 0xFF);
    return s;
}

// Audio with a metadata block after every interval bytes; block k holds
// titles[k] (or a length byte 0 when it is empty).
std::string WithMetadata(const std::string& audio, size_t interval, const std::vector<std::string>& titles)
{
    std::string out;
    size_t block = 0;
    for (size_t at = 0; at < audio.size(); at += interval) {
        out += audio.substr(at, interval);
        if (at + interval > audio.size())
            break;
        const std::string text = block < titles.size() ? titles[block] : "";
        ++block;
        const size_t length = (text.size() + 15) / 16;
        out += static_cast<char>(length);
        out += text + std::string(length * 16 - text.size(), '\0');
    }
    return out;
}

} // namespace

TEST_F(NetworkInput, ProbeAndQuery)
{
    input_module_ops table = {};
    network_input_module_register(&table);
    for (const char* yes : {"http://a/", "HTTP://a/", "Icy://x", "ftp://f", "udp://u", "tcp://t"})
        EXPECT_EQ(0, table.probe(yes)) << yes;
    for (const char* no : {"file://a", "http:/a", "c:\\a.mp3", "", "https://a/"})
        EXPECT_EQ(-1, table.probe(no)) << no;
    EXPECT_EQ(-1, table.probe(nullptr));
    module_info info = {};
    ASSERT_EQ(0, table.query(&info, MODULE_QUERY_NAME | MODULE_QUERY_DEVICE_COUNT));
    EXPECT_STREQ("Network Streaming Module", info.name);
    EXPECT_STREQ("Version 1.4", info.description);
    EXPECT_EQ(1, info.index);
    info.index = 0;
    ASSERT_EQ(0, table.query(&info, MODULE_QUERY_DEVICE));
    EXPECT_STREQ("http://*, ftp://*, udp://*, icy://*", info.name);
    EXPECT_STREQ("streaming url", info.description);
    EXPECT_EQ(1, info.flags);
    info.index = 1;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, table.query(&info, MODULE_QUERY_DEVICE));
    void* nothing = nullptr;
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, table.new_instance(&nothing, "", nullptr, dec));
    EXPECT_EQ(nullptr, nothing);
}

TEST_F(NetworkInput, OpenReportsAndPublishesTheReplyHead)
{
    StreamServer server([](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: 4321\r\nicy-name:  Radio\r\n"
               "X-Empty: \r\n\r\n");
        c.Stall();
    });
    ASSERT_EQ(0, Open(server.Url("http", "/s.mp3")));
    ASSERT_EQ(4u, progress.size());
    EXPECT_EQ(NETWORK_PROGRESS_CONNECTING, progress[0].code);
    EXPECT_EQ("connecting", progress[0].text);
    EXPECT_EQ(NETWORK_PROGRESS_CONNECTED, progress[1].code);
    EXPECT_EQ("connected", progress[1].text);
    EXPECT_EQ(NETWORK_PROGRESS_FILL, progress[2].code);
    EXPECT_EQ(0, progress[2].value);
    EXPECT_EQ(NETWORK_PROGRESS_BUFFERING, progress[3].code);
    EXPECT_EQ(0, progress[3].value);
    EXPECT_EQ(4321, ops()->get_size(instance));
    EXPECT_EQ(0, ops()->get_capabilities(instance));
    EXPECT_EQ(-1, ops()->seek(instance, 0));
    EXPECT_EQ("audio/mpeg", std::string(dec->input->content_type));
    EXPECT_EQ("Radio", Property("http/icy-name"));
    EXPECT_EQ("4321", Property("http/Content-Length"));
    EXPECT_EQ("(none)", Property("http/X-Empty"));
    EXPECT_EQ(0, ops()->close(instance));
    EXPECT_EQ(DK_ERR_INTERNAL, ops()->close(instance));
}

TEST_F(NetworkInput, FailedOpensGiveTheProtocolsError)
{
    StreamServer missing([](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("HTTP/1.0 404 Not Found\r\n\r\n");
    });
    EXPECT_EQ(DK_ERR_HTTP_ERROR_REPLY, Open(missing.Url("http", "/nothing")));
    EXPECT_EQ(DK_ERR_INTERNAL, ops()->close(instance));
    ops()->delete_instance(instance);
    instance = nullptr;
    EXPECT_EQ(DK_ERR_INVALID_URL_SYNTAX, Open("http://127.0.0.1:0/"));
}

TEST_F(NetworkInput, EarlyCloseDeliversEveryByteThenEnds)
{
    const std::string body = Pattern(1000);
    StreamServer server([&](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("HTTP/1.0 200 OK\r\n\r\n" + body);
    });
    ASSERT_EQ(0, Open(server.Url("http", "/short")));
    std::string got;
    // The first read finds less than the high mark and asks again later.
    EXPECT_EQ(DK_ERR_TIMEOUT, Read(got, 400));
    EXPECT_EQ((std::vector<int>{400, 400, 200, DK_ERR_END_OF_INPUT}), ReadToEnd(got, {400}));
    EXPECT_EQ(body, got);
    ASSERT_EQ(1u, OfCode(NETWORK_PROGRESS_END).size());
    EXPECT_EQ("reached end of stream", OfCode(NETWORK_PROGRESS_END)[0].text);
    EXPECT_EQ(DK_ERR_END_OF_INPUT, Read(got, 1));
}

TEST_F(NetworkInput, AStallAnswersWithinTheReadTimeOutAndRefills)
{
    const std::string body = Pattern(40000, 3);
    std::atomic<bool> resume{false};
    StreamServer server([&](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("HTTP/1.0 200 OK\r\n\r\n" + body.substr(0, 10000));
        while (!resume && !server.Stopping())
            Sleep(5);
        c.Send(body.substr(10000));
    });
    ASSERT_EQ(0, Open(server.Url("http", "/stall")));
    std::string got;
    // Below the high mark (16384) every read answers -104 within the read
    // time-out (100 ms), and the buffering rises toward 100.
    for (int i = 0; i < 10; ++i) {
        const DWORD start = GetTickCount();
        EXPECT_EQ(DK_ERR_TIMEOUT, Read(got, 400));
        EXPECT_LT(GetTickCount() - start, 1000u);
    }
    EXPECT_TRUE(got.empty());
    const std::vector<Progress> buffering = OfCode(NETWORK_PROGRESS_BUFFERING);
    ASSERT_GE(buffering.size(), 11u);
    EXPECT_EQ(10000 * 100 / 16384 + 1, buffering.back().value);
    for (size_t i = 1; i < buffering.size(); ++i)
        EXPECT_GE(buffering[i].value, buffering[i - 1].value);
    EXPECT_TRUE(OfCode(NETWORK_PROGRESS_REFILLED).empty());

    resume = true;
    std::vector<int> expected(100, 400);
    expected.push_back(DK_ERR_END_OF_INPUT);
    EXPECT_EQ(expected, ReadToEnd(got, {400}));
    ASSERT_EQ(1u, OfCode(NETWORK_PROGRESS_REFILLED).size());
    EXPECT_EQ("buffer refilled", OfCode(NETWORK_PROGRESS_REFILLED)[0].text);
    EXPECT_EQ(body, got);
}

TEST_F(NetworkInput, IcyMetadataIsTakenOutWhereverTheReadsAndPacketsCut)
{
    // Reads proceed as soon as their bytes are there, so that reads often
    // reach a metadata block that has only partly arrived.
    ASSERT_EQ(0, dec->services.set_environment_integer(dec, "INPUT.STREAM.HIGH-MARK", 1));
    const std::string audio = Pattern(8000 * 6 + 1234, 5);
    const std::vector<std::string> titles = {"StreamTitle='One';", "", "StreamTitle='Three';StreamUrl='u';",
                                             std::string(255 * 16 - 10, 'x') + "=long;",
                                             "StreamTitle='Five';", "StreamTitle='Six';"};
    const std::string wire = WithMetadata(audio, 8000, titles);
    StreamServer server([&](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("ICY 200 OK\r\nicy-metaint:8000\r\n\r\n");
        c.SendSlowly(wire, 777, 1);
    });
    ASSERT_EQ(0, Open(server.Url("icy", "/live")));
    std::string got;
    const std::vector<int> results = ReadToEnd(got, {1000, 3001, 7, 8000, 8001, 16001});
    ASSERT_FALSE(results.empty());
    EXPECT_EQ(DK_ERR_END_OF_INPUT, results.back());
    EXPECT_EQ(audio.size(), got.size());
    EXPECT_TRUE(audio == got) << "the audio differs from what was sent";
    EXPECT_EQ("'Six'", Property("icy/StreamTitle"));
    EXPECT_EQ("'u'", Property("icy/StreamUrl"));
}

TEST_F(NetworkInput, IcyBlocksOfTwoLengthUnitsEveryEightThousandBytes)
{
    const std::string audio = Pattern(8000 * 3, 9);
    const std::string title = "StreamTitle='Tw';"; // 17 bytes: two units of 16
    const std::string wire = WithMetadata(audio, 8000, {title, title, title});
    ASSERT_EQ(8000 * 3 + 3 * 33, static_cast<int>(wire.size()));
    StreamServer server([&](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("ICY 200 OK\r\nicy-metaint:8000\r\n\r\n" + wire);
    });
    ASSERT_EQ(0, Open(server.Url("icy", "/")));
    std::string got;
    ReadToEnd(got, {4096});
    EXPECT_TRUE(audio == got);
    EXPECT_EQ("'Tw'", Property("icy/StreamTitle"));
}

TEST_F(NetworkInput, UdpDatagramsAreTheStream)
{
    ASSERT_EQ(0, dec->services.set_environment_integer(dec, "INPUT.STREAM.HIGH-MARK", 1));
    const int port = FreeUdpPort();
    ASSERT_EQ(0, Open("udp://127.0.0.1:" + std::to_string(port)));
    ASSERT_TRUE(SendDatagram(port, "datagram one"));
    std::string got;
    const DWORD start = GetTickCount();
    while (got.size() < 12 && GetTickCount() - start < 5000)
        Read(got, 12);
    EXPECT_EQ("datagram one", got);
}

TEST_F(NetworkInput, HttpSettingsComeFromTheEnvironment)
{
    StreamServer proxy([](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("HTTP/1.0 200 OK\r\n\r\nvia proxy");
    });
    ASSERT_EQ(0, dec->services.set_environment_string(dec, "NETWORK.HTTP.PROXY.HOSTNAME", "127.0.0.1"));
    ASSERT_EQ(0, dec->services.set_environment_integer(dec, "NETWORK.HTTP.PROXY.PORT", proxy.Port()));
    ASSERT_EQ(0, dec->services.set_environment_string(dec, "NETWORK.HTTP.CUSTOM-HEADER", "X-Deck: A\r\n"));
    ASSERT_EQ(0, Open("http://radio.invalid/live"));
    ASSERT_EQ(1u, proxy.Requests().size());
    EXPECT_EQ("GET http://radio.invalid/live HTTP/1.0\r\nHost: radio.invalid\r\nUser-Agent: Dekoda/1.0\r\n"
              "Accept: */*\r\nX-Deck: A\r\n\r\n",
              proxy.Requests()[0]);
    std::string got;
    EXPECT_EQ((std::vector<int>{9, DK_ERR_END_OF_INPUT}), ReadToEnd(got, {400}));
    EXPECT_EQ("via proxy", got);
}

TEST_F(NetworkInput, FtpAndTcpStreams)
{
    ASSERT_EQ(0, dec->services.set_environment_integer(dec, "INPUT.STREAM.HIGH-MARK", 1));
    FtpScript script;
    script.data = Pattern(30000, 11);
    script.retr = "150 Opening BINARY connection (30000 bytes)\r\n";
    StreamServer ftp(FtpServer(script));
    ASSERT_EQ(0, Open(ftp.Url("ftp", "/music/a.mp3")));
    EXPECT_EQ(30000, ops()->get_size(instance));
    std::string got;
    std::vector<int> results = ReadToEnd(got, {4096});
    ASSERT_FALSE(results.empty());
    EXPECT_EQ(DK_ERR_END_OF_INPUT, results.back());
    EXPECT_TRUE(script.data == got);
    EXPECT_EQ(0, ops()->close(instance));
    ops()->delete_instance(instance);
    instance = nullptr;

    const std::string body = Pattern(5000, 13);
    StreamServer tcp([&](ServerConnection& c, int) {
        std::string line;
        if (c.ReadLine(line) && line.empty())
            c.Send(body);
    });
    ASSERT_EQ(0, Open(tcp.Url("tcp", "")));
    got.clear();
    results = ReadToEnd(got, {1000});
    EXPECT_EQ((std::vector<int>{1000, 1000, 1000, 1000, 1000, DK_ERR_END_OF_INPUT}), results);
    EXPECT_TRUE(body == got);
}
