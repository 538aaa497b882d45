// The stream protocols against servers on 127.0.0.1 that the tests run:
// HTTP status codes, redirects and their loops, ranges, ICY, time-outs,
// FTP dialogues, TCP and UDP.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "StreamServer.h"
#include "decoder/engine/decoder.h"
#include "decoder/network/stream_headers.h"
#include "decoder/network/stream_protocols.h"

namespace {

// Reads what the socket gives until the peer closes (or 5 s pass).
std::string ReadAll(net_socket* s)
{
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const int r = net_receive(s, buffer, sizeof buffer, 5000);
        if (r <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(r));
    }
    return bytes;
}

parsed_url* Parse(const std::string& text)
{
    parsed_url* url = nullptr;
    EXPECT_EQ(0, url_parse(text.c_str(), &url)) << text;
    return url;
}

struct Request
{
    int result = 0;
    uint32_t length = 0;
    uint32_t interval = 0;
    std::string body;
    std::vector<std::string> headers;
    std::string content_type;
    DWORD elapsed_ms = 0;
};

Request Get(const std::string& address, bool icy = false, long first = -1, long last = -1,
            const http_options* options = nullptr)
{
    Request out;
    parsed_url* url = Parse(address);
    if (!url)
        return out;
    http_reply_handler handler = {&out,
                                  [](void* user, const char* line) {
                                      static_cast<Request*>(user)->headers.push_back(line);
                                  },
                                  [](void* user, const char* value) {
                                      static_cast<Request*>(user)->content_type = value;
                                  }};
    net_socket* s = nullptr;
    const DWORD start = GetTickCount();
    out.result = icy ? icy_request(&s, url, &out.length, &out.interval, options, &handler, nullptr)
                     : http_request(&s, url, &out.length, first, last, options, &handler, nullptr);
    out.elapsed_ms = GetTickCount() - start;
    if (out.result == 0) {
        EXPECT_NE(nullptr, s);
        out.body = ReadAll(s);
        net_close(s);
    } else {
        EXPECT_EQ(nullptr, s);
    }
    url_free(url);
    return out;
}

// A server whose every connection reads the request and sends reply.
StreamServer::Script Replies(const std::string& reply)
{
    return [reply](ServerConnection& c, int) {
        c.ReadHead();
        c.Send(reply);
    };
}

} // namespace

TEST(HttpProtocol, StatusCodesAndLengths)
{
    struct Case
    {
        const char* reply;
        int result;
        uint32_t length;
        const char* body;
    };
    const Case cases[] = {
        {"HTTP/1.0 200 OK\r\nContent-Length: 1234\r\n\r\nbody", 0, 1234, "body"},
        {"HTTP/1.0 200 OK\r\ncontent-length: 5\r\n\r\nabcde", 0, 5, "abcde"},
        {"HTTP/1.0 200 OK\r\nContent-Length: 99999999999\r\n\r\nx", 0, 0, "x"},
        {"ICY 200 OK\r\nicy-name: R\r\n\r\nstream", 0, 0, "stream"},
        {"\r\nraw stream", 0, 0, "raw stream"},
        {"HTTP/1.0 404 Not Found\r\n\r\n", DK_ERR_HTTP_ERROR_REPLY, 0, ""},
        {"HTTP/1.0 500 Oops\r\n\r\n", DK_ERR_HTTP_ERROR_REPLY, 0, ""},
        {"HTTP/1.0 099 Odd\r\n\r\n", DK_ERR_INVALID_HTTP_REPLY, 0, ""},
        {"HTTP/1.0 200\r\n\r\n", DK_ERR_INVALID_HTTP_REPLY, 0, ""},
        {"HTTP/1.0 700 Odd\r\n\r\n", DK_ERR_HTTP_ERROR, 0, ""},
        {"HTTP/1.0 200 OK\r\nContent-Le", DK_ERR_SOCKET_CLOSED, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        StreamServer server(Replies(c.reply));
        const Request r = Get(server.Url("http", "/a.mp3"));
        EXPECT_EQ(c.result, r.result);
        EXPECT_EQ(c.length, r.length);
        EXPECT_EQ(c.body, r.body);
    }
}

TEST(HttpProtocol, RequestHeadAndReplyHeaders)
{
    StreamServer server(Replies("HTTP/1.0 200 OK\r\nContent-Type:  audio/mpeg\r\nX-Other: 1\r\n\r\n"));
    http_options options;
    http_options_defaults(&options);
    options.extra_header = "X-Custom: yes\r\n";
    const Request r = Get(server.Url("http", "/dir/a.mp3"), false, -1, -1, &options);
    ASSERT_EQ(0, r.result);
    EXPECT_EQ("audio/mpeg", r.content_type);
    EXPECT_EQ((std::vector<std::string>{"Content-Type:  audio/mpeg", "X-Other: 1"}), r.headers);
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_EQ("GET /dir/a.mp3 HTTP/1.0\r\nHost: 127.0.0.1\r\nUser-Agent: Dekoda/1.0\r\nAccept: */*\r\n"
              "X-Custom: yes\r\n\r\n",
              server.Requests()[0]);
}

TEST(HttpProtocol, RangesAskForTheirBytes)
{
    StreamServer server(Replies("HTTP/1.1 206 Partial\r\nContent-Length: 100\r\n\r\n"));
    const Request both = Get(server.Url("http", "/a"), false, 100, 199);
    ASSERT_EQ(0, both.result);
    EXPECT_EQ(100u, both.length);
    const Request open_ended = Get(server.Url("http", "/a"), false, 500, -1);
    ASSERT_EQ(0, open_ended.result);
    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ(0u, requests[0].find("GET /a HTTP/1.1\r\n"));
    EXPECT_NE(std::string::npos, requests[0].find("\r\nConnection: close\r\nRange: bytes=100-199\r\n"));
    EXPECT_NE(std::string::npos, requests[1].find("\r\nRange: bytes=500-\r\n"));
}

TEST(HttpProtocol, RedirectsAreFollowed)
{
    StreamServer target(Replies("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nhere"));
    const std::string elsewhere = target.Url("http", "/final");
    StreamServer first([&](ServerConnection& c, int index) {
        c.ReadHead();
        if (index == 0)
            c.Send("HTTP/1.0 302 Found\r\nLocation: /second\r\n\r\n");
        else
            c.Send("HTTP/1.0 301 Moved\r\nLocation: " + elsewhere + "\r\n\r\n");
    });
    const Request r = Get(first.Url("http", "/first"));
    ASSERT_EQ(0, r.result);
    EXPECT_EQ("here", r.body);
    EXPECT_EQ(4u, r.length);
    ASSERT_EQ(2u, first.Requests().size());
    EXPECT_EQ(0u, first.Requests()[1].find("GET /second HTTP/1.0\r\n"));
    ASSERT_EQ(1u, target.Requests().size());
    EXPECT_EQ(0u, target.Requests()[0].find("GET /final HTTP/1.0\r\n"));
}

TEST(HttpProtocol, RedirectLoopsEnd)
{
    StreamServer loop(Replies("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n"));
    const Request r = Get(loop.Url("http", "/start"));
    EXPECT_EQ(DK_ERR_HTTP_ERROR, r.result);
    EXPECT_EQ(HTTP_MAX_REDIRECTS + 1, loop.Connections());

    StreamServer bad(Replies("HTTP/1.0 302 Found\r\nLocation: gopher://x/\r\n\r\n"));
    EXPECT_EQ(DK_ERR_UNSUPPORTED_URL_SCHEME, Get(bad.Url("http", "/")).result);
    StreamServer to_ftp(Replies("HTTP/1.0 302 Found\r\nLocation: ftp://127.0.0.1/x\r\n\r\n"));
    EXPECT_EQ(DK_ERR_UNSUPPORTED_URL_SCHEME, Get(to_ftp.Url("http", "/")).result);
}

TEST(HttpProtocol, HeadLinesAreBounded)
{
    // The rest of a line longer than the line buffer is not a header.
    const std::string long_line = "X-Long: " + std::string(300, 'a') + "Content-Length: 99\r\n";
    StreamServer server(Replies("HTTP/1.0 200 OK\r\n" + long_line + "\r\nbody"));
    const Request r = Get(server.Url("http", "/"));
    ASSERT_EQ(0, r.result);
    EXPECT_EQ(0u, r.length);
    EXPECT_EQ("body", r.body);
    ASSERT_EQ(1u, r.headers.size());
    EXPECT_EQ(size_t(HTTP_LINE_SIZE - 1), r.headers[0].size());

    std::string many = "HTTP/1.0 200 OK\r\n";
    for (int i = 0; i < HTTP_MAX_HEADER_LINES + 5; ++i)
        many += "X-Line: " + std::to_string(i) + "\r\n";
    StreamServer endless(Replies(many + "\r\n"));
    EXPECT_EQ(DK_ERR_INVALID_HTTP_REPLY, Get(endless.Url("http", "/")).result);
}

TEST(HttpProtocol, AStalledHeadEndsWithinTheReadTimeOut)
{
    http_options options;
    http_options_defaults(&options);
    options.read_timeout_ms = 400;
    // A header line that trickles in a byte at a time never gets a fresh
    // time-out per byte.
    StreamServer trickle([](ServerConnection& c, int) {
        c.ReadHead();
        c.Send("HTTP/1.0 200 OK\r\n");
        c.SendSlowly("X-Slow: " + std::string(60, 's') + "\r\n", 1, 50);
        c.Stall();
    });
    const Request slow = Get(trickle.Url("http", "/"), false, -1, -1, &options);
    EXPECT_EQ(DK_ERR_TIMEOUT, slow.result);
    EXPECT_GE(slow.elapsed_ms, 350u);
    EXPECT_LT(slow.elapsed_ms, 2000u);

    StreamServer silent([](ServerConnection& c, int) {
        c.ReadHead();
        c.Stall();
    });
    const Request quiet = Get(silent.Url("http", "/"), false, -1, -1, &options);
    EXPECT_EQ(DK_ERR_TIMEOUT, quiet.result);
    EXPECT_LT(quiet.elapsed_ms, 2000u);
}

TEST(HttpProtocol, ConnectFailures)
{
    int closed_port = 0;
    {
        StreamServer gone(Replies(""));
        closed_port = gone.Port();
    }
    const std::string refused = "http://127.0.0.1:" + std::to_string(closed_port) + "/";
    EXPECT_EQ(DK_ERR_CONNECTION_REFUSED, Get(refused).result);
    EXPECT_EQ(DK_ERR_HOST_UNKNOWN, Get("http://256.1.1.1/").result);
    EXPECT_EQ(DK_ERR_HOST_UNKNOWN, Get("http://1.2.3/").result);
    EXPECT_EQ(DK_ERR_HOST_UNKNOWN, Get("http://no-such-host.invalid/").result);

    // A name is looked up on a short thread.
    StreamServer server(Replies("HTTP/1.0 200 OK\r\n\r\nok"));
    const Request by_name = Get("http://localhost:" + std::to_string(server.Port()) + "/");
    EXPECT_EQ(0, by_name.result);
    EXPECT_EQ("ok", by_name.body);
}

TEST(IcyProtocol, AsksForMetadataAndReadsTheInterval)
{
    StreamServer server(Replies("ICY 200 OK\r\nicy-metaint:8000\r\nicy-name: Test\r\n\r\naudio"));
    const Request r = Get(server.Url("icy", "/live"), true);
    ASSERT_EQ(0, r.result);
    EXPECT_EQ(8000u, r.interval);
    EXPECT_EQ("audio", r.body);
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_NE(std::string::npos, server.Requests()[0].find("\r\nIcy-MetaData:1\r\n\r\n"));

    for (const char* interval : {"-5", "abc", "1048577", "99999999999999"}) {
        SCOPED_TRACE(interval);
        StreamServer odd(Replies(std::string("ICY 200 OK\r\nicy-metaint:") + interval + "\r\n\r\n"));
        EXPECT_EQ(DK_ERR_INVALID_HTTP_REPLY, Get(odd.Url("icy", "/"), true).result);
    }
    StreamServer none(Replies("ICY 200 OK\r\n\r\naudio"));
    const Request plain = Get(none.Url("icy", "/"), true);
    EXPECT_EQ(0, plain.result);
    EXPECT_EQ(0u, plain.interval);
}

namespace {

struct FtpResult
{
    int result = 0;
    uint32_t length = 0;
    std::string data;
};

FtpResult FtpGet(const std::string& address)
{
    FtpResult out;
    parsed_url* url = Parse(address);
    if (!url)
        return out;
    ftp_session session;
    out.result = ftp_open(&session, url, &out.length, nullptr);
    if (out.result == 0) {
        out.data = ReadAll(session.data);
        ftp_close(&session);
    }
    url_free(url);
    return out;
}

} // namespace

TEST(FtpProtocol, AnonymousDownload)
{
    FtpScript script;
    script.greeting = "220-Welcome\r\n to the test\r\n220 ready\r\n";
    StreamServer server(FtpServer(script));
    const FtpResult r = FtpGet(server.Url("ftp", "/music/a.mp3"));
    ASSERT_EQ(0, r.result);
    EXPECT_EQ(10u, r.length);
    EXPECT_EQ("0123456789", r.data);
    const std::vector<std::string> commands = server.Requests();
    ASSERT_EQ(5u, commands.size());
    EXPECT_EQ("USER anonymous", commands[0]);
    EXPECT_EQ(std::string("PASS ") + URL_FTP_DEFAULT_PASSWORD, commands[1]);
    EXPECT_EQ("TYPE I", commands[2]);
    EXPECT_EQ(0u, commands[3].find("PORT 127,0,0,1,"));
    EXPECT_EQ("RETR /music/a.mp3", commands[4]);
}

TEST(FtpProtocol, NamedUserAndRefusals)
{
    {
        StreamServer server(FtpServer(FtpScript()));
        const FtpResult r = FtpGet("ftp://dj:pw@127.0.0.1:" + std::to_string(server.Port()) + "/x");
        ASSERT_EQ(0, r.result);
        EXPECT_EQ("USER dj", server.Requests()[0]);
        EXPECT_EQ("PASS pw", server.Requests()[1]);
    }
    struct Case
    {
        const char* what;
        FtpScript script;
        int result;
    };
    std::vector<Case> cases(5);
    cases[0] = {"no password asked", FtpScript(), DK_ERR_FTP_ERROR};
    cases[0].script.user = "230 welcome, no password\r\n";
    cases[1] = {"file missing", FtpScript(), DK_ERR_FTP_ERROR};
    cases[1].script.retr = "550 no such file\r\n";
    cases[2] = {"login refused", FtpScript(), DK_ERR_FTP_ERROR};
    cases[2].script.pass = "530 go away\r\n";
    cases[3] = {"not a reply", FtpScript(), DK_ERR_INVALID_FTP_REPLY};
    cases[3].script.greeting = "hi\r\n";
    cases[4] = {"closed at once", FtpScript(), DK_ERR_SOCKET_CLOSED};
    cases[4].script.greeting = "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StreamServer server(c.result == DK_ERR_SOCKET_CLOSED ? StreamServer::Script([](ServerConnection& s, int) { s.Close(); })
                                                              : FtpServer(c.script));
        EXPECT_EQ(c.result, FtpGet(server.Url("ftp", "/x")).result);
    }
}

TEST(TcpAndUdp, PlainStreams)
{
    StreamServer server([](ServerConnection& c, int) {
        std::string line;
        if (c.ReadLine(line) && line.empty())
            c.Send("tcp stream");
    });
    parsed_url* url = Parse(server.Url("tcp", ""));
    ASSERT_NE(nullptr, url);
    net_socket* s = nullptr;
    ASSERT_EQ(0, tcp_open(&s, url));
    EXPECT_EQ("tcp stream", ReadAll(s));
    net_close(s);
    url_free(url);

    const int port = FreeUdpPort();
    url = Parse("udp://127.0.0.1:" + std::to_string(port));
    ASSERT_NE(nullptr, url);
    ASSERT_EQ(0, udp_open(&s, url));
    ASSERT_TRUE(SendDatagram(port, "first datagram"));
    char buffer[100];
    const int r = net_receive(s, buffer, sizeof buffer, 5000);
    ASSERT_EQ(14, r);
    EXPECT_EQ("first datagram", std::string(buffer, 14));
    EXPECT_EQ(DK_ERR_TIMEOUT, net_receive(s, buffer, sizeof buffer, 50));
    net_close(s);
    url_free(url);
}

TEST(Connect, AConnectThatHangsEndsAtTheTimeOut)
{
    // A listener that accepts nobody, its queue filled: further connects
    // get no answer at all.
    ASSERT_EQ(0, net_startup());
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(0, bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address));
    ASSERT_EQ(0, listen(listener, 0));
    int length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const int port = ntohs(address.sin_port);
    std::vector<SOCKET> queued;
    for (int i = 0; i < 4; ++i) {
        const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
        u_long non_blocking = 1;
        ioctlsocket(s, FIONBIO, &non_blocking);
        connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        queued.push_back(s);
    }
    Sleep(100);

    net_socket* s = nullptr;
    const DWORD start = GetTickCount();
    EXPECT_EQ(DK_ERR_TIMEOUT, net_connect(&s, "127.0.0.1", port, 300));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(nullptr, s);
    EXPECT_GE(elapsed, 250u);
    EXPECT_LT(elapsed, 2000u);
    for (SOCKET q : queued)
        closesocket(q);
    closesocket(listener);
}
