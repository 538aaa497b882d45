#include "InputTestSupport.h"

#include <gtest/gtest.h>

#include "foundation/app/ProgramFolder.h"
#include "tests/framework/ui/UiTestSupport.h"

namespace input_test {

void StartSockets()
{
    static bool started = false;
    if (!started) {
        WSADATA data;
        started = ::WSAStartup(MAKEWORD(2, 0), &data) == 0;
    }
}

BEGIN_MESSAGE_MAP(StandInMainWindow, CWnd)
    ON_MESSAGE(WM_COMM_REQUEST, OnCommRequest)
    ON_MESSAGE(WM_COMM_SOCKET_EVENT, OnCommSocketEvent)
END_MESSAGE_MAP()

StandInMainWindow::StandInMainWindow(RequestServer& server) : m_server(server)
{
}

StandInMainWindow::~StandInMainWindow()
{
    m_server.StopCommServer();
    DestroyWindow();
}

bool StandInMainWindow::Create()
{
    if (!ui_test::CreateTopLevel(*this, "Request server stand-in"))
        return false;
    const RECT area = {0, 0, 100, 40};
    if (!m_eventsEdit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, area, this, 1161))
        return false;
    m_server.SetLogWindow(&m_eventsEdit);
    m_server.SetNotifyWindow(GetSafeHwnd());
    m_server.SetBindHost("127.0.0.1");
    return true;
}

std::string StandInMainWindow::EventsText() const
{
    CString text;
    m_eventsEdit.GetWindowText(text);
    return text.GetString();
}

LRESULT StandInMainWindow::OnCommRequest(WPARAM wParam, LPARAM lParam)
{
    std::unique_ptr<char[]> block = TakeRequestBlock(lParam);
    const size_t length = static_cast<size_t>(wParam);
    m_blocks.emplace_back(block.get(), length);
    std::vector<std::string> lines;
    m_reader.Feed(block.get(), length, lines);
    for (const std::string& line : lines) {
        m_lines.push_back(line);
        if (m_bAnswer)
            m_server.SendCommMessage(("ok:" + line).c_str());
    }
    return 0;
}

LRESULT StandInMainWindow::OnCommSocketEvent(WPARAM wParam, LPARAM lParam)
{
    EXPECT_EQ(reinterpret_cast<LPARAM>(&m_server.Socket()), lParam);
    m_events.push_back(wParam);
    m_reader.Reset();
    m_eventLog.push_back(m_server.OnCommSocketEvent(wParam).GetString());
    return 0;
}

bool TestClient::Connect(uint16_t port, DWORD timeoutMs)
{
    Close();
    m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_socket == INVALID_SOCKET)
        return false;
    u_long nonBlocking = 1;
    ::ioctlsocket(m_socket, FIONBIO, &nonBlocking);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    bool connected = false;
    bool failed = false;
    ui_test::PumpUntil(
        [&]() {
            fd_set writable, broken;
            FD_ZERO(&writable);
            FD_ZERO(&broken);
            FD_SET(m_socket, &writable);
            FD_SET(m_socket, &broken);
            timeval none = {0, 0};
            if (::select(0, nullptr, &writable, &broken, &none) > 0) {
                failed = FD_ISSET(m_socket, &broken) != 0;
                connected = !failed && FD_ISSET(m_socket, &writable);
            }
            return connected || failed;
        },
        timeoutMs);
    if (!connected)
        Close();
    return connected;
}

bool TestClient::Send(const std::string& bytes, DWORD timeoutMs)
{
    size_t at = 0;
    bool failed = false;
    ui_test::PumpUntil(
        [&]() {
            while (at < bytes.size()) {
                const int n = ::send(m_socket, bytes.data() + at, static_cast<int>(bytes.size() - at), 0);
                if (n > 0) {
                    at += static_cast<size_t>(n);
                    continue;
                }
                failed = ::WSAGetLastError() != WSAEWOULDBLOCK;
                ReceiveSome(); // keep the replies flowing while we wait
                return failed;
            }
            return true;
        },
        timeoutMs);
    return !failed && at == bytes.size();
}

bool TestClient::ReceiveSome()
{
    char buffer[4096];
    for (;;) {
        const int n = ::recv(m_socket, buffer, sizeof(buffer), 0);
        if (n > 0) {
            m_received.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n == 0 || ::WSAGetLastError() != WSAEWOULDBLOCK)
            m_closed = true;
        return m_closed;
    }
}

std::string TestClient::ReceiveLines(size_t count, DWORD timeoutMs)
{
    ui_test::PumpUntil(
        [&]() {
            ReceiveSome();
            size_t lines = 0;
            for (char c : m_received)
                lines += c == '\n';
            return lines >= count || m_closed;
        },
        timeoutMs);
    return m_received;
}

bool TestClient::WaitClosed(DWORD timeoutMs)
{
    return ui_test::PumpUntil([&]() { return ReceiveSome(); }, timeoutMs);
}

void TestClient::Close()
{
    if (m_socket != INVALID_SOCKET)
        ::closesocket(m_socket);
    m_socket = INVALID_SOCKET;
    m_closed = false;
}

uint16_t StartOnFreePort(RequestServer& server)
{
    ::WritePrivateProfileStringA("MAIN", "CommPort", "0", GetProgramFolder() + "TavrixVJ.INI");
    if (!server.StartCommServer() || !server.IsCommServerRunning())
        return 0;
    const uint16_t port = server.Socket().GetLocalPort();
    char text[16];
    wsprintfA(text, "%u", static_cast<unsigned>(port));
    ::WritePrivateProfileStringA("MAIN", "CommPort", text, GetProgramFolder() + "TavrixVJ.INI");
    return port;
}

} // namespace input_test
