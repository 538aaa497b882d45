// The request server with real TCP clients on 127.0.0.1: owned blocks,
// split requests, one client at a time, listening again, a long run,
// bad input and a client that never reads.
#include "InputTestSupport.h"

#include <gtest/gtest.h>

#include "tests/framework/ui/UiTestSupport.h"
#include "tests/support/ProgramFolder.h"

namespace {

using input_test::TestClient;

class RequestServerTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        input_test::StartSockets();
        ASSERT_TRUE(m_window.Create());
        m_port = input_test::StartOnFreePort(m_server);
        ASSERT_NE(0, m_port);
    }

    bool WaitEvents(size_t count)
    {
        return ui_test::PumpUntil([&]() { return m_window.m_events.size() >= count; });
    }

    RequestServer m_server;
    input_test::StandInMainWindow m_window{m_server};
    uint16_t m_port = 0;
};

TEST_F(RequestServerTest, ARequestReachesTheWindowAndIsAnswered)
{
    TestClient client;
    ASSERT_TRUE(client.Connect(m_port));
    ASSERT_TRUE(WaitEvents(1));
    EXPECT_EQ(0u, m_window.m_events[0]);
    EXPECT_EQ("Client connect from 127.0.0.1:", m_window.m_eventLog[0].substr(0, 30));
    EXPECT_EQ("Connection Established\r\n", m_window.EventsText());

    ASSERT_TRUE(client.Send("a-play\r\n"));
    const std::string reply = client.ReceiveLines(1);
    EXPECT_EQ(std::string("ok:a-play\r\n\0", 12), reply);
    ASSERT_EQ(1u, m_window.m_blocks.size());
    EXPECT_EQ("a-play\r\n", m_window.m_blocks[0]);
}

TEST_F(RequestServerTest, LongRequestsArriveInBlocksOfAtMost260Bytes)
{
    TestClient client;
    ASSERT_TRUE(client.Connect(m_port));
    std::string request = "reqs:";
    for (int i = 0; request.size() < 1500; ++i)
        request += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(client.Send(request + "\n"));
    ASSERT_TRUE(ui_test::PumpUntil([&]() { return !m_window.m_lines.empty(); }));
    EXPECT_EQ(request, m_window.m_lines[0]);
    EXPECT_GE(m_window.m_blocks.size(), 6u);
    std::string joined;
    for (const std::string& block : m_window.m_blocks) {
        EXPECT_LE(block.size(), 260u);
        EXPECT_FALSE(block.empty());
        joined += block;
    }
    EXPECT_EQ(request + "\n", joined);
}

TEST_F(RequestServerTest, ASecondClientIsRefusedUntilTheFirstHasGone)
{
    TestClient first;
    ASSERT_TRUE(first.Connect(m_port));
    ASSERT_TRUE(WaitEvents(1));
    TestClient second;
    EXPECT_FALSE(second.Connect(m_port, 2000));

    first.Close();
    ASSERT_TRUE(WaitEvents(2));
    EXPECT_EQ(2u, m_window.m_events[1]);
    EXPECT_EQ("Client disconnect from ", m_window.m_eventLog[1].substr(0, 23));
    EXPECT_EQ("Connection Established\r\nConnection Dropped\r\n", m_window.EventsText());
    EXPECT_TRUE(m_server.IsCommServerRunning());
    EXPECT_EQ(m_port, m_server.Socket().GetLocalPort());

    ASSERT_TRUE(second.Connect(m_port));
    ASSERT_TRUE(WaitEvents(3));
    ASSERT_TRUE(second.Send("b-play\n"));
    EXPECT_EQ(std::string("ok:b-play\r\n\0", 12), second.ReceiveLines(1));
}

TEST_F(RequestServerTest, TenThousandRequestsAreAllAnsweredInOrder)
{
    TestClient client;
    ASSERT_TRUE(client.Connect(m_port));
    const int kCount = 10000;
    std::string expected;
    for (int i = 0; i < kCount; ++i) {
        const std::string line = "reqi:" + std::to_string(i);
        ASSERT_TRUE(client.Send(line + "\n")) << i;
        expected += "ok:" + line + "\r\n" + std::string(1, '\0');
        if (i % 100 == 99)
            client.ReceiveLines(static_cast<size_t>(i + 1), 0);
    }
    const std::string received = client.ReceiveLines(kCount, 60000);
    ASSERT_EQ(static_cast<size_t>(kCount), m_window.m_lines.size());
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ("reqi:" + std::to_string(i), m_window.m_lines[static_cast<size_t>(i)]);
    EXPECT_EQ(expected, received);
    EXPECT_EQ(1u, m_window.m_events.size());
}

TEST_F(RequestServerTest, MalformedAndOversizedInputLosesNothingAfterIt)
{
    TestClient client;
    ASSERT_TRUE(client.Connect(m_port));
    std::string garbage;
    for (int i = 0; i < 3000; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    garbage += '\n';
    const std::string oversized(200000, 'z');
    ASSERT_TRUE(client.Send(garbage));
    ASSERT_TRUE(client.Send(oversized + "\r\n"));
    ASSERT_TRUE(client.Send(std::string("\0\0\0\n", 4)));
    ASSERT_TRUE(client.Send("a-stop\n"));
    ASSERT_TRUE(ui_test::PumpUntil([&]() {
        return !m_window.m_lines.empty() && m_window.m_lines.back() == "a-stop";
    }));
    size_t total = 0;
    for (const std::string& block : m_window.m_blocks) {
        EXPECT_LE(block.size(), 260u);
        total += block.size();
    }
    EXPECT_EQ(garbage.size() + oversized.size() + 2 + 4 + 7, total);
    EXPECT_EQ(1u, m_window.m_reader.GetDroppedLines());
    EXPECT_TRUE(m_server.Socket().IsOpen());
}

TEST_F(RequestServerTest, AClientThatNeverReadsDoesNotHoldTheWindow)
{
    TestClient client;
    ASSERT_TRUE(client.Connect(m_port));
    ASSERT_TRUE(WaitEvents(1));
    // Fill the connection until a write times out instead of blocking.
    const std::string line(255, 'r');
    int timedOut = -1;
    for (int i = 0; i < 200000 && timedOut < 0; ++i) {
        const int n = m_server.Socket().WriteComm(reinterpret_cast<const BYTE*>(line.data()),
                                                  static_cast<DWORD>(line.size()), 50);
        ASSERT_NE(-1, n);
        if (n == 0)
            timedOut = i;
    }
    EXPECT_GT(timedOut, 0);
    // The window still answers, the server still reads, and stopping ends it.
    DWORD_PTR result = 0;
    EXPECT_NE(0, ::SendMessageTimeoutA(m_window.GetSafeHwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result));
    m_window.m_bAnswer = false;
    ASSERT_TRUE(client.Send("a-pause\n"));
    EXPECT_TRUE(ui_test::PumpUntil([&]() { return !m_window.m_lines.empty(); }));
    EXPECT_TRUE(m_server.StopCommServer());
    EXPECT_FALSE(m_server.Socket().IsOpen());
}

TEST_F(RequestServerTest, StoppingRaisesNoEventAndDoesNotListenAgain)
{
    TestClient client;
    ASSERT_TRUE(client.Connect(m_port));
    ASSERT_TRUE(WaitEvents(1));
    EXPECT_TRUE(m_server.StopCommServer());
    EXPECT_TRUE(client.WaitClosed());
    ui_test::PumpUntil([]() { return false; }, 300);
    EXPECT_EQ(1u, m_window.m_events.size());
    EXPECT_FALSE(m_server.IsCommServerRunning());
    TestClient late;
    EXPECT_FALSE(late.Connect(m_port, 1000));
}

// Messages other threads sent to the events edit, seen by a hook on this
// thread as it answers them (the watch thread's texts arrive that way).
HWND g_hookedEdit = nullptr;
int g_editLengthQueries = 0;

LRESULT CALLBACK CountEditQueries(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && !wParam && sent->hwnd == g_hookedEdit && sent->message == WM_GETTEXTLENGTH)
        ++g_editLengthQueries;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Waits, without pumping, until a message sent by another thread waits
// for this thread.
bool WaitForASentMessage(DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!(HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(1);
    }
    return true;
}

TEST_F(RequestServerTest, StoppingAnswersTheEventTextTheWatchThreadIsSending)
{
    g_hookedEdit = m_window.EventsEdit().GetSafeHwnd();
    g_editLengthQueries = 0;
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountEditQueries, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    TestClient client;
    ASSERT_TRUE(client.Connect(m_port));
    // Messages sent by other threads (the system's own, too) are answered
    // one wave at a time until the watch thread has asked for the edit's
    // length; its next step, placing the caret, is then waiting for this
    // thread when the server stops.
    const DWORD start = ::GetTickCount();
    bool sending = false;
    while (!sending && ::GetTickCount() - start < 5000) {
        if (!WaitForASentMessage(5000))
            break;
        if (g_editLengthQueries > 0) {
            sending = true;
            break;
        }
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (g_editLengthQueries > 0)
            sending = WaitForASentMessage(5000);
    }
    ::UnhookWindowsHookEx(hook);
    ASSERT_TRUE(sending) << "the watch thread sent no text to the edit";
    EXPECT_TRUE(m_server.StopCommServer());
    EXPECT_EQ("Connection Established\r\n", m_window.EventsText());
    EXPECT_FALSE(m_server.Socket().IsOpen());
}

TEST_F(RequestServerTest, WithoutAnEventsEditNoEventIsPostedButRequestsStillArrive)
{
    m_server.StopCommServer();
    m_server.SetLogWindow(nullptr);
    ASSERT_TRUE(m_server.StartCommServer());
    TestClient client;
    ASSERT_TRUE(client.Connect(m_port));
    ASSERT_TRUE(client.Send("a-eject\n"));
    ASSERT_TRUE(client.ReceiveLines(1).find("ok:a-eject") == 0);
    EXPECT_TRUE(m_window.m_events.empty());
    EXPECT_EQ("", m_window.EventsText());
}

} // namespace
