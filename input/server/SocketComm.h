// CSocketComm: a Windows Sockets endpoint with a watch thread of its own.
// It creates and binds a stream or datagram socket, listens and accepts one
// client when it is a stream server, then reads in a loop and hands every
// received block and every connection event to two virtual operations.
// Classes: CSockAddr, CSocketComm.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <list>

#include "framework/core/CString.h"

// An IPv4 socket address in the layout of SOCKADDR_IN (16 bytes).
struct CSockAddr : public SOCKADDR_IN
{
    CSockAddr();
    // Address of host (null: the local host name) and port of service (a
    // decimal port, or a service name); false when both come out zero or
    // the decimal port does not fit 16 bits.
    bool Set(const char* host, const char* service, int family);
    // The same peer: family, port and address are equal.
    bool SamePeer(const CSockAddr& other) const;
};
static_assert(sizeof(CSockAddr) == 16, "CSockAddr is a SOCKADDR_IN");

class CSocketComm
{
public:
    // Connection events (OnSocketEvent's argument).
    enum
    {
        EventConnected = 0,      // a client was accepted
        EventAcceptFailed = 1,   // accept failed
        EventDropped = 2,        // a read failed or the peer closed
        EventZeroLength = 3,     // addressed mode: a datagram without payload
    };
    // Options of CreateSocket.
    enum
    {
        OptionReuseAddress = 0x04,
        OptionBroadcast = 0x20,
    };
    // The watch buffer: an address prefix and the data bytes of one read.
    enum
    {
        AddressSize = 16,
        DataSize = 260,
        WatchBufferSize = AddressSize + DataSize,
    };

    // Construction
    CSocketComm();
    virtual ~CSocketComm();
    CSocketComm(const CSocketComm&) = delete;
    CSocketComm& operator=(const CSocketComm&) = delete;

    // Attributes
    bool IsOpen() const { return m_hSocket.load() != INVALID_SOCKET; }
    bool IsServer() const { return m_bServer; }
    bool IsAddressedMessages() const { return m_bAddressed; }
    bool IsBroadcast() const { return m_bBroadcast; }
    // Ignored while a watch thread exists.
    void SetServer(bool server);
    void SetAddressedMessages(bool addressed);
    // The host whose address CreateSocket binds to; null or empty: the
    // computer's host name (the program's way). Tests give "127.0.0.1".
    void SetBindHost(const char* host) { m_strBindHost = host ? host : ""; }
    // The port the socket is bound to (host order), 0 while closed.
    uint16_t GetLocalPort() const;
    bool GetSockName(CSockAddr& address) const;
    bool GetPeerName(CSockAddr& address) const;
    // The peers of the datagram modes, most recent sender last.
    size_t GetPeerCount() const;

    static bool GetLocalHostName(char* name, UINT size);
    static bool GetLocalAddressText(char* text, UINT size);
    // The IPv4 address of host (null: the local host name) in host byte
    // order; INADDR_NONE when it cannot be resolved.
    static ULONG ResolveAddress(const char* host);

    // Operations
    bool CreateSocket(const char* service, int family, int type, UINT options);
    bool StartWatchThread();
    int ReadComm(BYTE* buffer, DWORD size, DWORD timeout);
    int WriteComm(const BYTE* buffer, DWORD length, DWORD timeout);
    void CloseComm();

    // Overridables (called on the watch thread)
    virtual void OnSocketData(const BYTE* data, DWORD length);
    virtual void OnSocketEvent(UINT event);
    virtual void WatchLoop();

protected:
    bool IsWatchThread() const { return m_dwThreadId.load() == ::GetCurrentThreadId(); }

private:
    static unsigned __stdcall WatchThreadEntry(void* self);
    bool AcceptClient();
    void NotePeer(const CSockAddr& sender, bool received);
    static bool WaitReady(SOCKET s, bool forWrite, DWORD timeout);
    bool WaitForWatchThread(DWORD timeout);
    static int SendStream(SOCKET s, const BYTE* buffer, DWORD length, DWORD timeout);

    std::atomic<SOCKET> m_hSocket;
    HANDLE m_hThread = nullptr;
    std::atomic<DWORD> m_dwThreadId;
    bool m_bServer = false;
    bool m_bAddressed = false;
    bool m_bBroadcast = false;
    bool m_bReadFilled = false; // the last stream read filled its buffer
    std::list<CSockAddr> m_peers;
    HANDLE m_hMutex = nullptr;
    CString m_strBindHost;
};
