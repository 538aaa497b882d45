#include "input/server/SocketComm.h"

#include <process.h>

#include <cstring>

#include "input/server/SocketTexts.h"

namespace {

// Holds the peer-list mutex for a scope (no mutex: nothing to hold).
class PeerListLock
{
public:
    explicit PeerListLock(HANDLE mutex) : m_mutex(mutex)
    {
        if (m_mutex)
            ::WaitForSingleObject(m_mutex, INFINITE);
    }
    ~PeerListLock()
    {
        if (m_mutex)
            ::ReleaseMutex(m_mutex);
    }
    PeerListLock(const PeerListLock&) = delete;
    PeerListLock& operator=(const PeerListLock&) = delete;

private:
    HANDLE m_mutex;
};

const DWORD kWatchPollMs = 100;

} // namespace

// ------------------------------------------------------------- CSockAddr

CSockAddr::CSockAddr()
{
    std::memset(static_cast<SOCKADDR_IN*>(this), 0, sizeof(SOCKADDR_IN));
}

bool CSockAddr::Set(const char* host, const char* service, int family)
{
    std::memset(static_cast<SOCKADDR_IN*>(this), 0, sizeof(SOCKADDR_IN));
    sin_addr.s_addr = htonl(CSocketComm::ResolveAddress(host));
    uint16_t port = 0;
    if (service && *service >= '0' && *service <= '9') {
        if (!ParsePortText(service, port))
            return false;
        sin_port = htons(port);
    } else if (service && *service) {
        const servent* entry = ::getservbyname(service, nullptr);
        sin_port = entry ? static_cast<u_short>(entry->s_port) : 0;
    }
    sin_family = static_cast<short>(family);
    return !(sin_addr.s_addr == 0 && sin_port == 0);
}

bool CSockAddr::SamePeer(const CSockAddr& other) const
{
    return std::memcmp(static_cast<const SOCKADDR_IN*>(this), static_cast<const SOCKADDR_IN*>(&other), 8) == 0;
}

// ----------------------------------------------------------- CSocketComm

CSocketComm::CSocketComm() : m_hSocket(INVALID_SOCKET), m_dwThreadId(0)
{
}

CSocketComm::~CSocketComm()
{
    CloseComm();
    m_peers.clear();
}

void CSocketComm::SetServer(bool server)
{
    if (!m_hThread)
        m_bServer = server;
}

void CSocketComm::SetAddressedMessages(bool addressed)
{
    if (!m_hThread)
        m_bAddressed = addressed;
}

uint16_t CSocketComm::GetLocalPort() const
{
    CSockAddr address;
    return GetSockName(address) ? ntohs(address.sin_port) : 0;
}

bool CSocketComm::GetSockName(CSockAddr& address) const
{
    const SOCKET s = m_hSocket.load();
    if (s == INVALID_SOCKET)
        return false;
    int length = sizeof(SOCKADDR_IN);
    return ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != SOCKET_ERROR;
}

bool CSocketComm::GetPeerName(CSockAddr& address) const
{
    const SOCKET s = m_hSocket.load();
    if (s == INVALID_SOCKET)
        return false;
    int length = sizeof(SOCKADDR_IN);
    return ::getpeername(s, reinterpret_cast<sockaddr*>(&address), &length) != SOCKET_ERROR;
}

size_t CSocketComm::GetPeerCount() const
{
    PeerListLock hold(m_hMutex);
    return m_peers.size();
}

namespace {

// The host entry of the computer's host name (the name itself in host),
// or null.
const hostent* LocalHostEntry(char (&host)[260])
{
    host[0] = '\0';
    if (::gethostname(host, sizeof(host) - 1) == SOCKET_ERROR)
        return nullptr;
    return ::gethostbyname(host);
}

// Copies text with its terminating zero into out; false (the buffer left
// alone) when it does not fit.
bool CopyOut(const char* text, char* out, UINT size)
{
    if (std::strlen(text) + 1 > size) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    std::strcpy(out, text);
    return true;
}

} // namespace

bool CSocketComm::GetLocalHostName(char* name, UINT size)
{
    if (!name || size == 0) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    char host[260];
    const hostent* entry = LocalHostEntry(host);
    if (!host[0])
        return false;
    return CopyOut(entry && entry->h_name ? entry->h_name : host, name, size);
}

bool CSocketComm::GetLocalAddressText(char* text, UINT size)
{
    if (!text || size == 0) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    char host[260];
    const hostent* entry = LocalHostEntry(host);
    if (!entry || !entry->h_addr_list || !entry->h_addr_list[0] || entry->h_length < 4)
        return false;
    return CopyOut(AddressText(reinterpret_cast<const uint8_t*>(entry->h_addr_list[0])), text, size);
}

ULONG CSocketComm::ResolveAddress(const char* host)
{
    char localName[260];
    if (!host) {
        if (!GetLocalHostName(localName, sizeof(localName)))
            return INADDR_NONE;
        host = localName;
    }
    ULONG address = ::inet_addr(host);
    if (address == INADDR_NONE && std::strcmp(host, "255.255.255.255") != 0) {
        const hostent* entry = ::gethostbyname(host);
        if (entry && entry->h_addr_list && entry->h_addr_list[0] && entry->h_length >= 4)
            std::memcpy(&address, entry->h_addr_list[0], 4);
    }
    return ntohl(address);
}

bool CSocketComm::CreateSocket(const char* service, int family, int type, UINT options)
{
    if (IsOpen())
        return false;
    SOCKET s = ::socket(family, type, 0);
    if (s == INVALID_SOCKET)
        return false;
    auto fail = [&]() {
        ::closesocket(s);
        m_bBroadcast = false;
        if (m_hMutex) {
            ::CloseHandle(m_hMutex);
            m_hMutex = nullptr;
        }
        return false;
    };
    const BOOL on = TRUE;
    if ((options & OptionReuseAddress) &&
        ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof(on)) == SOCKET_ERROR)
        return fail();
    if (type == SOCK_DGRAM) {
        if (options & OptionBroadcast) {
            if (::setsockopt(s, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof(on)) ==
                SOCKET_ERROR)
                return fail();
            m_bBroadcast = true;
        }
        m_hMutex = ::CreateMutexA(nullptr, FALSE, nullptr);
        if (!m_hMutex)
            return fail();
    }
    CSockAddr local;
    if (!local.Set(m_strBindHost.IsEmpty() ? nullptr : m_strBindHost.GetString(), service, family) ||
        ::bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof(SOCKADDR_IN)) == SOCKET_ERROR)
        return fail();
    if (type == SOCK_STREAM && ::listen(s, SOMAXCONN) == SOCKET_ERROR)
        return fail();
    u_long nonBlocking = 1;
    if (::ioctlsocket(s, FIONBIO, &nonBlocking) == SOCKET_ERROR)
        return fail();
    m_hSocket.store(s);
    return true;
}

bool CSocketComm::StartWatchThread()
{
    if (m_hThread || !IsOpen())
        return false;
    unsigned threadId = 0;
    const uintptr_t handle = ::_beginthreadex(nullptr, 0, &CSocketComm::WatchThreadEntry, this,
                                              CREATE_SUSPENDED, &threadId);
    if (!handle)
        return false;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_dwThreadId.store(threadId);
    ::ResumeThread(m_hThread);
    return true;
}

unsigned __stdcall CSocketComm::WatchThreadEntry(void* self)
{
    static_cast<CSocketComm*>(self)->WatchLoop();
    return 0;
}

bool CSocketComm::WaitReady(SOCKET s, bool forWrite, DWORD timeout)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval limit;
    limit.tv_sec = static_cast<long>(timeout / 1000);
    limit.tv_usec = static_cast<long>((timeout % 1000) * 1000);
    const int ready = ::select(0, forWrite ? nullptr : &set, forWrite ? &set : nullptr, nullptr,
                               timeout == INFINITE ? nullptr : &limit);
    return ready > 0;
}

bool CSocketComm::AcceptClient()
{
    // Waits in steps so that CloseComm is seen within one step; the
    // listening socket is closed only after the watch thread has left.
    for (;;) {
        const SOCKET listening = m_hSocket.load();
        if (listening == INVALID_SOCKET)
            return false;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(listening, &set);
        timeval limit = {0, static_cast<long>(kWatchPollMs * 1000)};
        const int ready = ::select(0, &set, nullptr, nullptr, &limit);
        if (!IsOpen())
            return false;
        if (ready == 0)
            continue;
        SOCKET client = ready > 0 ? ::accept(listening, nullptr, nullptr) : INVALID_SOCKET;
        if (client == INVALID_SOCKET && ready > 0 && ::WSAGetLastError() == WSAEWOULDBLOCK)
            continue; // the client went again before it was taken
        u_long nonBlocking = 1;
        if (client != INVALID_SOCKET && ::ioctlsocket(client, FIONBIO, &nonBlocking) == SOCKET_ERROR) {
            ::closesocket(client);
            client = INVALID_SOCKET;
        }
        if (client == INVALID_SOCKET) {
            if (IsOpen())
                OnSocketEvent(EventAcceptFailed);
            return false;
        }
        SOCKET expected = listening;
        if (!m_hSocket.compare_exchange_strong(expected, client)) {
            // CloseComm came first: it closes the listening socket.
            ::closesocket(client);
            return false;
        }
        ::shutdown(listening, SD_BOTH);
        ::closesocket(listening);
        OnSocketEvent(EventConnected);
        return true;
    }
}

void CSocketComm::WatchLoop()
{
    BYTE buffer[WatchBufferSize];
    BYTE* target = m_bAddressed ? buffer : buffer + AddressSize;
    const DWORD size = m_bAddressed ? WatchBufferSize : DataSize;

    if (m_bServer && !m_bBroadcast) {
        if (!AcceptClient())
            return;
    }
    if (!m_bServer) {
        int length = AddressSize;
        ::getpeername(m_hSocket.load(), reinterpret_cast<sockaddr*>(buffer), &length);
    }
    while (IsOpen()) {
        const int n = ReadComm(target, size, kWatchPollMs);
        if (n == -1) {
            if (!IsOpen())
                break;
            OnSocketEvent(EventDropped);
            if (!m_bBroadcast)
                break;
        } else if (m_bAddressed && n == AddressSize) {
            OnSocketEvent(EventZeroLength);
        } else if (n > 0) {
            OnSocketData(target, static_cast<DWORD>(n));
        }
        ::Sleep(0);
    }
}

int CSocketComm::ReadComm(BYTE* buffer, DWORD size, DWORD timeout)
{
    const SOCKET s = m_hSocket.load();
    if (!buffer || size == 0 || s == INVALID_SOCKET)
        return 0;
    if (!m_bBroadcast && !m_bAddressed) {
        // The socket does not block. After a read that filled the buffer
        // more bytes are likely waiting and are taken at once; otherwise
        // the wait comes first (a request answered before the next one
        // arrives finds nothing there).
        int n = SOCKET_ERROR;
        bool tried = false;
        if (m_bReadFilled) {
            n = ::recv(s, reinterpret_cast<char*>(buffer), static_cast<int>(size), 0);
            tried = !(n == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK);
        }
        if (!tried) {
            if (!WaitReady(s, false, timeout))
                return 0;
            n = ::recv(s, reinterpret_cast<char*>(buffer), static_cast<int>(size), 0);
            if (n == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK)
                return 0;
        }
        m_bReadFilled = n == static_cast<int>(size);
        return n > 0 ? n : -1;
    }
    if (!WaitReady(s, false, timeout))
        return 0;
    const DWORD prefix = m_bAddressed ? AddressSize : 0;
    if (size < prefix) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return -1;
    }
    CSockAddr sender;
    int senderLength = sizeof(SOCKADDR_IN);
    int n = ::recvfrom(s, reinterpret_cast<char*>(buffer + prefix), static_cast<int>(size - prefix), 0,
                       reinterpret_cast<sockaddr*>(&sender), &senderLength);
    std::memset(sender.sin_zero, 0, sizeof(sender.sin_zero));
    {
        PeerListLock hold(m_hMutex);
        NotePeer(sender, n != SOCKET_ERROR);
        if (n != SOCKET_ERROR && m_bAddressed) {
            std::memcpy(buffer, static_cast<const SOCKADDR_IN*>(&sender), AddressSize);
            n += AddressSize;
        }
    }
    return n > 0 ? n : -1;
}

void CSocketComm::NotePeer(const CSockAddr& sender, bool received)
{
    m_peers.remove_if([&](const CSockAddr& peer) { return peer.SamePeer(sender); });
    if (received)
        m_peers.push_back(sender);
}

int CSocketComm::WriteComm(const BYTE* buffer, DWORD length, DWORD timeout)
{
    const SOCKET s = m_hSocket.load();
    if (s == INVALID_SOCKET || !buffer)
        return 0;
    if (!m_bBroadcast && !m_bAddressed)
        return SendStream(s, buffer, length, timeout);
    if (!WaitReady(s, true, timeout))
        return 0;
    const DWORD prefix = m_bAddressed ? AddressSize : 0;
    if (length < prefix) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return -1;
    }
    const char* payload = reinterpret_cast<const char*>(buffer + prefix);
    const int payloadLength = static_cast<int>(length - prefix);
    if (m_bAddressed) {
        CSockAddr destination;
        std::memcpy(static_cast<SOCKADDR_IN*>(&destination), buffer, AddressSize);
        if (destination.sin_addr.s_addr != INADDR_BROADCAST) {
            const int n = ::sendto(s, payload, payloadLength, 0, reinterpret_cast<const sockaddr*>(&destination),
                                   sizeof(SOCKADDR_IN));
            return n == SOCKET_ERROR ? -1 : n;
        }
    }
    PeerListLock hold(m_hMutex);
    for (std::list<CSockAddr>::iterator it = m_peers.begin(); it != m_peers.end();) {
        if (::sendto(s, payload, payloadLength, 0, reinterpret_cast<const sockaddr*>(&*it), sizeof(SOCKADDR_IN)) ==
            SOCKET_ERROR)
            it = m_peers.erase(it);
        else
            ++it;
    }
    return payloadLength;
}

int CSocketComm::SendStream(SOCKET s, const BYTE* buffer, DWORD length, DWORD timeout)
{
    // The socket does not block: what fits is sent at once, and the rest
    // waits for room until the time-out, so that a peer that stops reading
    // can hold the caller no longer than that.
    const DWORD start = ::GetTickCount();
    DWORD sent = 0;
    while (sent < length) {
        const int n = ::send(s, reinterpret_cast<const char*>(buffer + sent), static_cast<int>(length - sent), 0);
        if (n > 0) {
            sent += static_cast<DWORD>(n);
            continue;
        }
        if (n == SOCKET_ERROR && ::WSAGetLastError() != WSAEWOULDBLOCK)
            return -1;
        DWORD left = INFINITE;
        if (timeout != INFINITE) {
            const DWORD spent = ::GetTickCount() - start;
            if (spent >= timeout)
                break;
            left = timeout - spent;
        }
        if (!WaitReady(s, true, left))
            break;
    }
    return static_cast<int>(sent);
}

bool CSocketComm::WaitForWatchThread(DWORD timeout)
{
    // Messages that the watch thread sends to this thread's windows (the
    // events edit's texts) are answered while waiting, so neither waits
    // for the other.
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD spent = ::GetTickCount() - start;
        if (spent >= timeout)
            return ::WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0;
        const DWORD result =
            ::MsgWaitForMultipleObjectsEx(1, &m_hThread, timeout - spent, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + 1)
            return ::WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0;
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void CSocketComm::CloseComm()
{
    const SOCKET s = m_hSocket.exchange(INVALID_SOCKET);
    if (s != INVALID_SOCKET) {
        m_bBroadcast = false;
        // Wakes a pending read; the handle itself is closed only when the
        // watch thread can no longer use it.
        ::shutdown(s, SD_BOTH);
    }
    if (m_hThread) {
        if (!IsWatchThread() && !WaitForWatchThread(5000))
            ::TerminateThread(m_hThread, 1);
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
        m_dwThreadId.store(0);
    }
    if (s != INVALID_SOCKET)
        ::closesocket(s);
    {
        PeerListLock hold(m_hMutex);
        m_peers.clear();
    }
    if (m_hMutex) {
        ::CloseHandle(m_hMutex);
        m_hMutex = nullptr;
    }
}

void CSocketComm::OnSocketData(const BYTE*, DWORD)
{
}

void CSocketComm::OnSocketEvent(UINT)
{
}
