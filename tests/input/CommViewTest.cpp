// The Communications window on its real template, driving the request
// server through the main window's operations.
#include "InputTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/app/IniAccess.h"
#include "RecordingMessages.h"
#include "input/comms/CommView.h"
#include "tests/framework/ui/UiTestSupport.h"
#include "tests/support/ProgramFolder.h"

namespace {

// A server whose start can be made to fail.
class TestServer : public RequestServer
{
public:
    bool StartCommServer() override { return m_bFailStart ? false : RequestServer::StartCommServer(); }
    bool m_bFailStart = false;
};

class CommViewTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        input_test::StartSockets();
        ASSERT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), "[MAIN]\r\nCommPort=0\r\n"));
        m_server.SetBindHost("127.0.0.1");
        m_view.SetServerControl(&m_server);
        ASSERT_TRUE(m_view.CreateModeless());
        m_server.SetLogWindow(m_view.GetEventsEdit());
        m_view.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        m_server.StopCommServer();
        m_view.DestroyWindow();
        ProgramFolderTest::TearDown();
    }
    HWND Item(int id) { return ::GetDlgItem(m_view.GetSafeHwnd(), id); }
    std::string Text(int id)
    {
        char text[300] = {};
        ::GetWindowTextA(Item(id), text, sizeof(text));
        return text;
    }
    void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    std::vector<std::string> LogMessages()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < m_view.GetLog().GetItemCount(); ++i)
            rows.push_back(m_view.GetLog().GetItemText(i, 1).GetString());
        return rows;
    }

    TestServer m_server;
    CCommView m_view;
    RecordingMessages m_messages;
};

TEST_F(CommViewTest, OpensStoppedWithPortAndAddress)
{
    char caption[64] = {};
    ::GetWindowTextA(m_view.GetSafeHwnd(), caption, sizeof(caption));
    EXPECT_STREQ("Communications / Requests", caption);
    EXPECT_EQ("Server stopped...", Text(IDC_COMM_STATUS));
    EXPECT_EQ("Start Server", Text(IDC_COMM_START));
    EXPECT_EQ("0", Text(IDC_COMM_PORT));
    char address[64];
    ASSERT_TRUE(CSocketComm::GetLocalAddressText(address, sizeof(address)));
    EXPECT_EQ(address, Text(IDC_COMM_ADDRESS));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDOK)));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_COMM_SEND)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_COMM_EVENTS)));
    EXPECT_EQ(2, m_view.GetLog().GetHeaderCtrl()->GetItemCount());
}

TEST_F(CommViewTest, StartThenStopFollowsTheServer)
{
    Click(IDC_COMM_START);
    EXPECT_TRUE(m_server.IsCommServerRunning());
    EXPECT_EQ("Server running...", Text(IDC_COMM_STATUS));
    EXPECT_EQ("Stop Server", Text(IDC_COMM_START));
    Click(IDC_COMM_START);
    EXPECT_FALSE(m_server.IsCommServerRunning());
    EXPECT_EQ("Server stopped...", Text(IDC_COMM_STATUS));
    EXPECT_EQ("Start Server", Text(IDC_COMM_START));
    EXPECT_EQ((std::vector<std::string>{"Server stopped...", "Server started..."}), LogMessages());
    EXPECT_EQ(8, m_view.GetLog().GetItemText(0, 0).GetLength());

    m_view.AddLogEntry("01:02:03", "a-play");
    ::SetWindowTextA(Item(IDC_COMM_EVENTS), "Connection Established\r\n");
    Click(IDC_COMM_CLEARLOG);
    EXPECT_EQ(0, m_view.GetLog().GetItemCount());
    EXPECT_EQ("Connection Established\r\n", Text(IDC_COMM_EVENTS));
}

TEST_F(CommViewTest, AFailedStartIsShownAndChangesNothing)
{
    m_server.m_bFailStart = true;
    Click(IDC_COMM_START);
    ASSERT_EQ(1u, m_messages.shown.size());
    EXPECT_EQ("Unable to start comm server.", m_messages.shown[0]);
    EXPECT_EQ("Server stopped...", Text(IDC_COMM_STATUS));
    EXPECT_EQ("Start Server", Text(IDC_COMM_START));
    EXPECT_EQ(0, m_view.GetLog().GetItemCount());
}

TEST_F(CommViewTest, SaveStoresThePortWithoutMovingARunningServer)
{
    Click(IDC_COMM_START);
    const uint16_t running = m_server.Socket().GetLocalPort();
    ::SetWindowTextA(Item(IDC_COMM_PORT), "4321");
    EXPECT_TRUE(::IsWindowEnabled(Item(IDOK)));
    Click(IDOK);
    EXPECT_FALSE(::IsWindowEnabled(Item(IDOK)));
    EXPECT_EQ("4321", std::string(GetIniString("MAIN", "CommPort")));
    EXPECT_EQ(running, m_server.Socket().GetLocalPort());
}

TEST_F(CommViewTest, SendGoesToTheClientAndAnEmptyLineSendsNothing)
{
    input_test::StandInMainWindow window(m_server);
    ASSERT_TRUE(window.Create());
    m_server.SetLogWindow(m_view.GetEventsEdit());
    const uint16_t port = input_test::StartOnFreePort(m_server);
    ASSERT_NE(0, port);
    input_test::TestClient client;
    ASSERT_TRUE(client.Connect(port));
    ASSERT_TRUE(ui_test::PumpUntil([&]() { return !window.m_events.empty(); }));
    EXPECT_EQ("Connection Established\r\n", Text(IDC_COMM_EVENTS));

    Click(IDC_COMM_SEND);
    ::SetWindowTextA(Item(IDC_COMM_SENDTEXT), "hello client");
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_COMM_SEND)));
    Click(IDC_COMM_SEND);
    EXPECT_EQ("", Text(IDC_COMM_SENDTEXT));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_COMM_SEND)));
    EXPECT_EQ(std::string("hello client\r\n\0", 15), client.ReceiveLines(1));
}

} // namespace
