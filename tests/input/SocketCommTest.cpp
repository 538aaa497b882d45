// CSocketComm's own rules: creating, starting, the flags, addresses and
// the addressed datagram mode, on 127.0.0.1.
#include "InputTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "tests/framework/ui/UiTestSupport.h"

namespace {

// Records events and blocks on the watch thread.
class RecordingSocket : public CSocketComm
{
public:
    ~RecordingSocket() override { CloseComm(); }
    void OnSocketEvent(UINT event) override { m_lastEvent.store(static_cast<int>(event)); ++m_events; }
    void OnSocketData(const BYTE*, DWORD length) override { m_bytes += length; }

    std::atomic<int> m_lastEvent{-1};
    std::atomic<int> m_events{0};
    std::atomic<unsigned> m_bytes{0};
};

class SocketCommTest : public ::testing::Test
{
protected:
    void SetUp() override { input_test::StartSockets(); }
};

TEST_F(SocketCommTest, CreatingAndStartingFollowTheObjectsState)
{
    RecordingSocket socket;
    socket.SetBindHost("127.0.0.1");
    EXPECT_FALSE(socket.StartWatchThread());
    ASSERT_TRUE(socket.CreateSocket("0", AF_INET, SOCK_STREAM, 0));
    const uint16_t port = socket.GetLocalPort();
    EXPECT_NE(0, port);
    EXPECT_FALSE(socket.CreateSocket("0", AF_INET, SOCK_STREAM, 0));
    EXPECT_EQ(port, socket.GetLocalPort());

    socket.SetServer(true);
    ASSERT_TRUE(socket.StartWatchThread());
    EXPECT_FALSE(socket.StartWatchThread());
    socket.SetServer(false);
    socket.SetAddressedMessages(true);
    EXPECT_TRUE(socket.IsServer());
    EXPECT_FALSE(socket.IsAddressedMessages());

    socket.CloseComm();
    EXPECT_FALSE(socket.IsOpen());
    EXPECT_EQ(0, socket.m_events.load());
    socket.SetServer(false);
    EXPECT_FALSE(socket.IsServer());
}

TEST_F(SocketCommTest, AddressesAndServiceTexts)
{
    EXPECT_EQ(0xFFFFFFFFu, CSocketComm::ResolveAddress("255.255.255.255"));
    EXPECT_EQ(0x7F000001u, CSocketComm::ResolveAddress("127.0.0.1"));
    EXPECT_EQ(0x7F000001u, CSocketComm::ResolveAddress("localhost"));

    struct Case
    {
        const char* service;
        bool ok;
        int port;
    } cases[] = {{"8080", true, 8080}, {"81xyz", true, 81}, {"no-such-service-here", true, 0},
                 {"70000", false, 0}};
    for (const Case& c : cases) {
        CSockAddr address;
        EXPECT_EQ(c.ok, address.Set("127.0.0.1", c.service, AF_INET)) << c.service;
        if (c.ok) {
            EXPECT_EQ(c.port, ntohs(address.sin_port)) << c.service;
            EXPECT_EQ(htonl(INADDR_LOOPBACK), address.sin_addr.s_addr);
            EXPECT_EQ(AF_INET, address.sin_family);
        }
    }
    CSockAddr zero;
    EXPECT_FALSE(zero.Set("0.0.0.0", "0", AF_INET));

    char small[4];
    char name[260];
    EXPECT_FALSE(CSocketComm::GetLocalHostName(nullptr, 10));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), ::GetLastError());
    ASSERT_TRUE(CSocketComm::GetLocalHostName(name, sizeof(name)));
    EXPECT_GT(std::strlen(name), 0u);
    std::memcpy(small, "abc", 4);
    EXPECT_FALSE(CSocketComm::GetLocalAddressText(small, 4));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), ::GetLastError());
    EXPECT_STREQ("abc", small);
    char address[32];
    ASSERT_TRUE(CSocketComm::GetLocalAddressText(address, sizeof(address)));
    EXPECT_NE(INADDR_NONE, ::inet_addr(address));
}

TEST_F(SocketCommTest, TheProgramsWayBindsToTheHostNamesAddress)
{
    char text[32];
    ASSERT_TRUE(CSocketComm::GetLocalAddressText(text, sizeof(text)));
    RecordingSocket socket;
    ASSERT_TRUE(socket.CreateSocket("0", AF_INET, SOCK_STREAM, 0)) << "host address " << text;
    CSockAddr bound;
    ASSERT_TRUE(socket.GetSockName(bound));
    EXPECT_EQ(::inet_addr(text), bound.sin_addr.s_addr);
    EXPECT_NE(0, ntohs(bound.sin_port));
}

TEST_F(SocketCommTest, AddressedDatagramsCarryTheirSenderAndEmptyOnesRaiseEvent3)
{
    RecordingSocket server;
    server.SetBindHost("127.0.0.1");
    server.SetAddressedMessages(true);
    ASSERT_TRUE(server.CreateSocket("0", AF_INET, SOCK_DGRAM, 0));
    const uint16_t port = server.GetLocalPort();

    SOCKET peer = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(INVALID_SOCKET, peer);
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(5, ::sendto(peer, "hello", 5, 0, reinterpret_cast<sockaddr*>(&to), sizeof(to)));

    BYTE buffer[CSocketComm::WatchBufferSize];
    const int n = server.ReadComm(buffer, sizeof(buffer), 2000);
    ASSERT_EQ(16 + 5, n);
    EXPECT_EQ(0, std::memcmp(buffer + 16, "hello", 5));
    const SOCKADDR_IN* sender = reinterpret_cast<const SOCKADDR_IN*>(buffer);
    EXPECT_EQ(htonl(INADDR_LOOPBACK), sender->sin_addr.s_addr);
    EXPECT_EQ(1u, server.GetPeerCount());

    // An answer addressed to every peer reaches the sender.
    BYTE answer[16 + 3];
    std::memcpy(answer, buffer, 16);
    reinterpret_cast<SOCKADDR_IN*>(answer)->sin_addr.s_addr = INADDR_BROADCAST;
    std::memcpy(answer + 16, "ack", 3);
    EXPECT_EQ(3, server.WriteComm(answer, sizeof(answer), 1000));
    char got[8] = {};
    fd_set set;
    FD_ZERO(&set);
    FD_SET(peer, &set);
    timeval limit = {2, 0};
    ASSERT_EQ(1, ::select(0, &set, nullptr, nullptr, &limit));
    EXPECT_EQ(3, ::recv(peer, got, sizeof(got), 0));
    EXPECT_STREQ("ack", got);

    ::SetLastError(0);
    EXPECT_EQ(-1, server.WriteComm(answer, 15, 1000));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_USER_BUFFER), ::GetLastError());

    ASSERT_TRUE(server.StartWatchThread());
    ASSERT_EQ(0, ::sendto(peer, "", 0, 0, reinterpret_cast<sockaddr*>(&to), sizeof(to)));
    ASSERT_EQ(4, ::sendto(peer, "data", 4, 0, reinterpret_cast<sockaddr*>(&to), sizeof(to)));
    ASSERT_TRUE(ui_test::PumpUntil([&]() { return server.m_bytes.load() >= 20; }));
    EXPECT_EQ(3, server.m_lastEvent.load());
    EXPECT_EQ(1, server.m_events.load());
    EXPECT_EQ(20u, server.m_bytes.load());
    ::closesocket(peer);
}

} // namespace
