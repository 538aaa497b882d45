// The request server as the main window runs it: the request socket on
// the port MAIN/CommPort, started and stopped on request, listening again
// after its client has gone, and replies sent through it. The main window
// holds one; the Communications window reaches it through
// CommServerControl.
// Classes: CommServerControl, RequestServer.
#pragma once

#include "input/server/RequestSocket.h"

// What the Communications window asks of the main window.
class CommServerControl
{
public:
    virtual ~CommServerControl() = default;
    virtual bool StartCommServer() = 0;
    virtual bool StopCommServer() = 0;
    // False when the request socket is not open.
    virtual bool SendCommMessage(const CString& text) = 0;
    virtual bool IsCommServerRunning() const = 0;
    // MAIN/CommPort as text (empty when missing), and storing it.
    virtual CString GetCommPortText() const = 0;
    virtual void SetCommPortText(const CString& port) = 0;
};

class RequestServer : public CommServerControl
{
public:
    // Construction
    RequestServer() = default;
    ~RequestServer() override = default;

    // Attributes
    CRequestSocket& Socket() { return m_socket; }
    void SetLogWindow(CEdit* eventsEdit) { m_pEventsEdit = eventsEdit; }
    void SetNotifyWindow(HWND window) { m_socket.SetNotifyWindow(window); }
    // See CSocketComm::SetBindHost.
    void SetBindHost(const char* host) { m_socket.SetBindHost(host); }

    // CommServerControl
    bool StartCommServer() override;
    bool StopCommServer() override;
    bool SendCommMessage(const CString& text) override;
    bool IsCommServerRunning() const override { return m_bRunning; }
    CString GetCommPortText() const override;
    void SetCommPortText(const CString& port) override;

    // Operations
    // The main window's answer to WM_COMM_SOCKET_EVENT: the log line of the
    // event ("Client connect from ..." or "Client disconnect from ..."),
    // after closing the socket and listening again when the client went;
    // empty for other events.
    CString OnCommSocketEvent(WPARAM event);

private:
    CRequestSocket m_socket;
    CEdit* m_pEventsEdit = nullptr;
    bool m_bRunning = false;
};
