#include "input/server/RequestSocket.h"

#include <cstring>

#include "framework/ui/AfxWin.h"

namespace {

const char* const kEventTexts[] = {
    "Connection Established\r\n",
    "Connection Failed\r\n",
    "Connection Dropped\r\n",
    "Zero Length Message\r\n",
};

} // namespace

CRequestSocket::~CRequestSocket()
{
    // The watch thread calls this object's handlers: it must end before
    // the object becomes a plain CSocketComm.
    CloseComm();
}

HWND CRequestSocket::NotifyWindow() const
{
    HWND window = m_hNotifyWnd.load();
    if (window)
        return window;
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

HWND CRequestSocket::EventsEditWindow() const
{
    CEdit* edit = m_pEventsEdit.load();
    HWND window = edit ? edit->GetSafeHwnd() : nullptr;
    if (!window || !::IsWindow(window) || !::IsWindow(::GetParent(window)))
        return nullptr;
    return window;
}

void CRequestSocket::AppendEventText(const char* text)
{
    HWND edit = EventsEditWindow();
    if (!edit || !text)
        return;
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 1000, &length))
        return;
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutA(edit, EM_SETSEL, length, static_cast<LPARAM>(length), SMTO_NORMAL, 1000, &ignored))
        return;
    ::SendMessageTimeoutA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 1000, &ignored);
}

void CRequestSocket::OnSocketEvent(UINT event)
{
    if (!EventsEditWindow())
        return;
    if (event < sizeof(kEventTexts) / sizeof(kEventTexts[0]))
        AppendEventText(kEventTexts[event]);
    HWND window = NotifyWindow();
    if (window)
        ::PostMessageA(window, WM_COMM_SOCKET_EVENT, event, reinterpret_cast<LPARAM>(this));
}

void CRequestSocket::OnSocketData(const BYTE* data, DWORD length)
{
    if (IsAddressedMessages()) {
        if (length > WatchBufferSize)
            length = WatchBufferSize;
        if (IsServer()) {
            BYTE relay[WatchBufferSize];
            std::memcpy(relay, data, length);
            reinterpret_cast<SOCKADDR_IN*>(relay)->sin_addr.s_addr = INADDR_BROADCAST;
            WriteComm(relay, length, 0);
        }
        data += AddressSize;
        length -= AddressSize;
    }
    // The copy travels with the message; the receiver frees it. A full
    // message queue is waited out rather than losing the block: the
    // connection's own flow control holds the client meanwhile.
    std::unique_ptr<char[]> copy(new char[length + 1]);
    std::memcpy(copy.get(), data, length);
    copy[length] = '\0';
    for (;;) {
        HWND window = NotifyWindow();
        if (!window || !::IsWindow(window) || !IsOpen())
            return;
        if (::PostMessageA(window, WM_COMM_REQUEST, length, reinterpret_cast<LPARAM>(copy.get()))) {
            copy.release();
            return;
        }
        ::Sleep(1);
    }
}

std::unique_ptr<char[]> TakeRequestBlock(LPARAM lParam)
{
    return std::unique_ptr<char[]>(reinterpret_cast<char*>(lParam));
}
