// Helpers of external control's window tests: a stand-in main window that
// takes the request socket's messages and answers each request line at
// once, and a TCP client on 127.0.0.1 that pumps the window thread's
// messages while it waits.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/ui/AfxWin.h"
#include "input/server/RequestReader.h"
#include "input/server/RequestServer.h"

namespace input_test {

// Winsock for the test program's life.
void StartSockets();

// The main window as the request server sees it: it owns every block it
// receives, gathers request lines, answers each with "ok:" + the line, and
// answers connection events as the main window does (listening again
// after the client has gone).
class StandInMainWindow : public CWnd
{
public:
    explicit StandInMainWindow(RequestServer& server);
    ~StandInMainWindow() override;

    // Creates the window with its events edit and points the server at both.
    bool Create();
    CEdit& EventsEdit() { return m_eventsEdit; }
    std::string EventsText() const;

    bool m_bAnswer = true;            // answer each line
    std::vector<std::string> m_blocks; // every received block, as received
    std::vector<std::string> m_lines;  // every request line
    std::vector<WPARAM> m_events;      // every socket event
    std::vector<std::string> m_eventLog; // the lines OnCommSocketEvent gave
    RequestReader m_reader;

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnCommRequest(WPARAM wParam, LPARAM lParam);     // ON_MESSAGE WM_COMM_REQUEST
    LRESULT OnCommSocketEvent(WPARAM wParam, LPARAM lParam); // ON_MESSAGE WM_COMM_SOCKET_EVENT

private:
    RequestServer& m_server;
    CEdit m_eventsEdit;
};

// A non-blocking TCP client of 127.0.0.1.
class TestClient
{
public:
    TestClient() = default;
    ~TestClient() { Close(); }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    // Connects, pumping messages while it waits; false when refused or
    // not connected within timeoutMs.
    bool Connect(uint16_t port, DWORD timeoutMs = 5000);
    // Sends everything (pumping while the socket is full); false on failure.
    bool Send(const std::string& bytes, DWORD timeoutMs = 10000);
    // Receives until the text received so far holds count line feeds, the
    // peer closes, or the time is out; returns what was received.
    std::string ReceiveLines(size_t count, DWORD timeoutMs = 10000);
    // True when the peer closed the connection within timeoutMs.
    bool WaitClosed(DWORD timeoutMs = 5000);
    void Close();
    SOCKET Handle() const { return m_socket; }

    std::string m_received;

private:
    bool ReceiveSome();
    SOCKET m_socket = INVALID_SOCKET;
    bool m_closed = false;
};

// Starts the server on an ephemeral port of 127.0.0.1 and stores that port
// as MAIN/CommPort, so that listening again takes the same port; returns
// the port, 0 on failure.
uint16_t StartOnFreePort(RequestServer& server);

} // namespace input_test
