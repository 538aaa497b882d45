#include "audio/cd/CDDBClient.h"

#include <string>

// ---- CDDBSocket ----

CDDBSocket::CDDBSocket() = default;

CDDBSocket::~CDDBSocket()
{
    Close();
}

bool CDDBSocket::Create()
{
    Close();
    m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    return m_socket != INVALID_SOCKET;
}

bool CDDBSocket::Connect(const CString& host, int port, int timeoutMs)
{
    if (m_socket == INVALID_SOCKET || port <= 0 || port > 65535) {
        WSASetLastError(WSAEINVAL);
        return false;
    }
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = inet_addr(host.GetString());
    if (address.sin_addr.s_addr == INADDR_NONE) {
        const hostent* entry = gethostbyname(host.GetString());
        if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list || !entry->h_addr_list[0]) {
            WSASetLastError(WSAEINVAL);
            return false;
        }
        memcpy(&address.sin_addr, entry->h_addr_list[0], sizeof address.sin_addr);
    }
    // Connects without blocking, then waits for the outcome at most timeoutMs.
    u_long nonBlocking = 1;
    if (ioctlsocket(m_socket, FIONBIO, &nonBlocking) != 0)
        return false;
    if (connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            return false;
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(m_socket, &writable);
        FD_SET(m_socket, &failed);
        timeval wait = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        const int ready = select(0, nullptr, &writable, &failed, &wait);
        if (ready < 0)
            return false;
        if (ready == 0) {
            WSASetLastError(WSAETIMEDOUT);
            return false;
        }
        int error = 0;
        int size = sizeof error;
        if (getsockopt(m_socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0)
            return false;
        if (error != 0 || FD_ISSET(m_socket, &failed)) {
            WSASetLastError(error != 0 ? error : WSAECONNREFUSED);
            return false;
        }
    }
    u_long blocking = 0;
    return ioctlsocket(m_socket, FIONBIO, &blocking) == 0;
}

bool CDDBSocket::IsReadable(bool& readable, int timeoutMs)
{
    readable = false;
    if (m_socket == INVALID_SOCKET) {
        WSASetLastError(WSAENOTSOCK);
        return false;
    }
    fd_set readSet;
    FD_ZERO(&readSet);
    FD_SET(m_socket, &readSet);
    timeval wait = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int ready = select(0, &readSet, nullptr, nullptr, &wait);
    if (ready < 0)
        return false;
    readable = ready > 0;
    return true;
}

void CDDBSocket::Close()
{
    if (m_socket != INVALID_SOCKET) {
        closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
}

// ---- CDDBClient ----

namespace {

MCIERROR WINAPI RealMciCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params)
{
    return mciSendCommandA(device, message, flags, params);
}

CString Cleaned(const char* text, bool ok)
{
    return ok ? CDDBProtocol::CleanNameText(text) : CString("Unknown");
}

} // namespace

CDDBClient::CDDBClient()
    : m_mciCommand(RealMciCommand)
{
    // The program starts Windows Sockets at start-up; the client's own
    // reference keeps it usable wherever the client lives.
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
}

CDDBClient::~CDDBClient()
{
    WSACleanup();
}

CString CDDBClient::GetUserNameText()
{
    char name[261] = {};
    DWORD size = sizeof name - 1;
    return Cleaned(name, GetUserNameA(name, &size) != 0);
}

CString CDDBClient::GetHostNameText()
{
    char name[261] = {};
    return Cleaned(name, gethostname(name, sizeof name - 1) == 0);
}

MCIERROR CDDBClient::Mci(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* params)
{
    const MCIERROR error = m_mciCommand(device, message, flags, reinterpret_cast<DWORD_PTR>(params));
    if (error != 0)
        m_lastMciError = static_cast<int>(error);
    return error;
}

bool CDDBClient::ReadToc(CDDBToc& toc, const char* drive)
{
    toc.RemoveAll();
    m_lastMciError = 0;
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "cdaudio";
    DWORD_PTR openFlags = MCI_OPEN_TYPE | MCI_OPEN_SHAREABLE;
    if (drive) {
        open.lpstrElementName = drive;
        openFlags |= MCI_OPEN_ELEMENT;
    }
    if (Mci(0, MCI_OPEN, openFlags, &open) != 0)
        return false;
    const MCIDEVICEID device = open.wDeviceID;
    auto fail = [&](bool emptyTable) {
        MCI_GENERIC_PARMS close = {};
        m_mciCommand(device, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&close));
        if (emptyTable)
            toc.RemoveAll();
        return false;
    };

    MCI_SET_PARMS set = {};
    set.dwTimeFormat = MCI_FORMAT_MSF;
    if (Mci(device, MCI_SET, MCI_SET_TIME_FORMAT, &set) != 0)
        return fail(false);
    // One status item, of a track when track > 0.
    auto status = [&](DWORD item, int track, DWORD& value) {
        MCI_STATUS_PARMS parms = {};
        parms.dwItem = item;
        parms.dwTrack = static_cast<DWORD>(track);
        const bool ok = Mci(device, MCI_STATUS, MCI_STATUS_ITEM | (track > 0 ? MCI_TRACK : 0), &parms) == 0;
        value = static_cast<DWORD>(parms.dwReturn);
        return ok;
    };
    DWORD value = 0;
    if (!status(MCI_STATUS_NUMBER_OF_TRACKS, 0, value))
        return fail(false);
    const int tracks = static_cast<int>(value);
    // A disc holds 1 to 99 tracks; a drive that says otherwise is not read.
    if (tracks < 1 || tracks > 99) {
        SetLastError(ERROR_INVALID_DATA);
        return fail(false);
    }
    bool audio = false;
    for (int t = 1; t <= tracks && !audio; ++t) {
        if (!status(MCI_CDA_STATUS_TYPE_TRACK, t, value))
            return fail(false);
        audio = value == MCI_CDA_TRACK_AUDIO;
    }
    if (!audio) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return fail(false);
    }
    toc.SetSize(tracks + 1);
    for (int t = 1; t <= tracks; ++t) {
        if (!status(MCI_STATUS_POSITION, t, value))
            return fail(true);
        toc[t - 1].minute = MCI_MSF_MINUTE(value);
        toc[t - 1].second = MCI_MSF_SECOND(value);
        toc[t - 1].frame = MCI_MSF_FRAME(value);
    }
    if (!status(MCI_STATUS_LENGTH, tracks, value))
        return fail(true);
    const CDDBTocEntry& last = toc[tracks - 1];
    const int frames = ((last.minute + MCI_MSF_MINUTE(value)) * 60 + last.second + MCI_MSF_SECOND(value)) * 75 +
                       last.frame + MCI_MSF_FRAME(value) + 1;
    toc[tracks] = CDDBTocEntry::FromFrames(frames);
    MCI_GENERIC_PARMS close = {};
    if (Mci(device, MCI_CLOSE, 0, &close) != 0) {
        toc.RemoveAll();
        return false;
    }
    return true;
}

bool CDDBClient::ComputeDiscId(uint32_t& discId, const char* drive)
{
    CDDBToc toc;
    if (!ReadToc(toc, drive))
        return false;
    discId = DiscIdFromToc(toc);
    return true;
}

bool CDDBClient::Request(const CDDBServer& server, const CString& request, int kind, CString& answer)
{
    m_lastMciError = 0;
    CDDBSocket socket;
    // Closing the socket must not change the error that a failure left.
    auto fail = [&socket](int error) {
        const int code = error != 0 ? error : WSAGetLastError();
        socket.Close();
        WSASetLastError(code);
        return false;
    };
    if (!socket.Create())
        return fail(0);
    const bool proxy = !m_proxyHost.IsEmpty();
    if (!socket.Connect(proxy ? m_proxyHost : server.host, proxy ? m_proxyPort : server.port, m_connectTimeoutMs))
        return fail(0);
    int sent = 0;
    while (sent < request.GetLength()) {
        const int n = send(socket.Handle(), request.GetString() + sent, request.GetLength() - sent, 0);
        if (n <= 0)
            return fail(0);
        sent += n;
    }
    if (!ReadResponse(socket, "\r\n.\r\n", answer, 4096, kind))
        return fail(WSAEPROTONOSUPPORT);
    return true;
}

namespace {

// The text after the HTTP headers; false when the blank line is missing.
bool BodyOf(const CString& answer, CString& body)
{
    const int blank = answer.Find("\r\n\r\n");
    if (blank < 0)
        return false;
    body = answer.Mid(blank + 4);
    return true;
}

} // namespace

bool CDDBClient::Query(const CDDBServer& server, uint32_t discId, const CDDBToc& toc, CDDBMatchArray& matches)
{
    matches.RemoveAll();
    m_lastMciError = 0;
    CString request, answer, body;
    if (!QueryRequestText(server, discId, toc, request)) {
        WSASetLastError(WSAEINVAL);
        return false;
    }
    if (!Request(server, request, 1, answer))
        return false;
    if (!BodyOf(answer, body)) {
        m_lastAnswer = answer;
        WSASetLastError(WSAEPROTONOSUPPORT);
        return false;
    }
    if (!ParseQueryResponse(body, matches)) {
        WSASetLastError(ParseError() == ErrorProtocol ? WSAEPROTONOSUPPORT : 0);
        return false;
    }
    return true;
}

bool CDDBClient::Read(const CDDBServer& server, uint32_t discId, const CString& category, CDDBRecord& record)
{
    m_lastMciError = 0;
    CString answer, body;
    if (!Request(server, ReadRequestText(server, category, discId), 0, answer))
        return false;
    m_lastAnswer = answer;
    if (!BodyOf(answer, body)) {
        WSASetLastError(WSAEPROTONOSUPPORT);
        return false;
    }
    if (!ParseReadResponse(body, record)) {
        WSASetLastError(WSAEPROTONOSUPPORT);
        return false;
    }
    record.discId = discId;
    return true;
}

bool CDDBClient::ReadResponse(CDDBSocket& socket, const char* terminator, CString& text, size_t initialSize,
                              int kind)
{
    text.Empty();
    if (initialSize < 16)
        initialSize = 16;
    std::string received;
    received.reserve(initialSize);
    std::string chunk(initialSize, '\0');
    const DWORD started = GetTickCount();
    auto fail = [&](int error) {
        m_lastAnswer = CString(received.data(), static_cast<int>(received.size()));
        m_lastMciError = 0;
        if (error != 0)
            WSASetLastError(error);
        return false;
    };
    for (;;) {
        const int elapsed = static_cast<int>(GetTickCount() - started);
        const int left = m_answerTimeoutMs - elapsed;
        if (left <= 0)
            return fail(WSAETIMEDOUT);
        bool readable = false;
        if (!socket.IsReadable(readable, left < m_receiveTimeoutMs ? left : m_receiveTimeoutMs))
            return fail(0);
        if (!readable)
            return fail(WSAETIMEDOUT);
        const int n = recv(socket.Handle(), &chunk[0], static_cast<int>(chunk.size()), 0);
        if (n <= 0)
            return fail(n == 0 ? WSAECONNRESET : 0);
        received.append(chunk.data(), static_cast<size_t>(n));
        size_t length = 0;
        switch (CDDBProtocol::JudgeAnswer(received.data(), received.size(), terminator, kind, &length)) {
        case CDDBAnswerState::Complete:
            text = CString(received.data(), static_cast<int>(length));
            return true;
        case CDDBAnswerState::TooLarge:
            return fail(WSAEMSGSIZE);
        case CDDBAnswerState::More:
            break;
        }
    }
}

int CDDBClient::GetLastErrorCode() const
{
    return m_lastMciError != 0 ? m_lastMciError : static_cast<int>(GetLastError());
}

CString CDDBClient::GetErrorText() const
{
    char text[512] = {};
    if (m_lastMciError != 0) {
        if (!mciGetErrorStringA(static_cast<MCIERROR>(m_lastMciError), text, 128))
            return CString();
        return CString(text);
    }
    const DWORD code = GetLastError();
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                        sizeof text, nullptr))
        return CString();
    CString message(text);
    message.TrimRight();
    return message;
}
