// CRequestSocket: the program's network request server socket. It writes
// connection events into the Communications window's events edit and
// hands every received block to the main window as a private message with
// a copy of the bytes that the receiver owns.
#pragma once

#include "input/server/SocketComm.h"

#include <memory>

class CEdit;

// A connection event: wParam the event (0 to 3), lParam the socket.
#define WM_COMM_SOCKET_EVENT (WM_APP + 0x1234)
// A received block: wParam its length, lParam the bytes (see TakeRequestBlock).
#define WM_COMM_REQUEST (WM_USER + 9515)

class CRequestSocket : public CSocketComm
{
public:
    // Construction
    CRequestSocket() = default;
    ~CRequestSocket() override;

    // Attributes
    // The events edit (not owned); null: no texts and no event messages.
    void SetLogWindow(CEdit* eventsEdit) { m_pEventsEdit.store(eventsEdit); }
    // The window that receives the two messages; null: the application's
    // main window.
    void SetNotifyWindow(HWND window) { m_hNotifyWnd.store(window); }

    // Operations
    // Appends the text to the events edit, each step limited to 1000 ms.
    void AppendEventText(const char* text);

    // Overridables
    void OnSocketData(const BYTE* data, DWORD length) override;
    void OnSocketEvent(UINT event) override;

private:
    HWND NotifyWindow() const;
    HWND EventsEditWindow() const;

    std::atomic<CEdit*> m_pEventsEdit{nullptr};
    std::atomic<HWND> m_hNotifyWnd{nullptr};
};

// The receiver of WM_COMM_REQUEST takes the block with this: the bytes,
// followed by a zero byte that the length does not count, freed when the
// result goes.
std::unique_ptr<char[]> TakeRequestBlock(LPARAM lParam);
