#include "input/server/RequestServer.h"

#include <algorithm>
#include <cstring>

#include "foundation/app/IniAccess.h"
#include "foundation/app/ProgramFolder.h"
#include "input/commands/InputLog.h"
#include "input/commands/DecimalText.h"
#include "input/server/SocketTexts.h"

namespace {

CString PeerOf(const CSocketComm& socket)
{
    CSockAddr peer;
    if (!socket.GetPeerName(peer))
        return CString();
    return PeerText(reinterpret_cast<const uint8_t*>(&peer.sin_addr), ntohs(peer.sin_port));
}

} // namespace

bool RequestServer::StartCommServer()
{
    const int port = ReadDecimal(GetIniString("MAIN", "CommPort"));
    m_socket.SetLogWindow(m_pEventsEdit);
    m_socket.SetServer(true);
    m_socket.SetAddressedMessages(false);
    const CString service = IntToStr(port);
    const bool created = m_socket.CreateSocket(service, AF_INET, SOCK_STREAM, 0);
    m_bRunning = created && m_socket.StartWatchThread();
    if (m_bRunning)
        WriteLogWhenOn("Comm Server Started on port " + service);
    return created;
}

bool RequestServer::StopCommServer()
{
    m_socket.CloseComm();
    m_bRunning = false;
    WriteLogWhenOn("Comm Server Stopped");
    return true;
}

bool RequestServer::SendCommMessage(const CString& text)
{
    if (!m_socket.IsOpen())
        return false;
    // At most 259 bytes of text and line end, and a terminating zero.
    char block[260];
    CString line = text + "\r\n";
    const size_t length = std::min<size_t>(static_cast<size_t>(line.GetLength()), sizeof(block) - 1);
    std::memcpy(block, line.GetString(), length);
    block[length] = '\0';
    m_socket.WriteComm(reinterpret_cast<const BYTE*>(block), static_cast<DWORD>(length + 1), 1000);
    return true;
}

CString RequestServer::GetCommPortText() const
{
    return GetIniString("MAIN", "CommPort");
}

void RequestServer::SetCommPortText(const CString& port)
{
    ::WritePrivateProfileStringA("MAIN", "CommPort", port, GetProgramFolder() + "TavrixVJ.INI");
}

CString RequestServer::OnCommSocketEvent(WPARAM event)
{
    if (event == CSocketComm::EventConnected)
        return "Client connect from " + PeerOf(m_socket);
    if (event == CSocketComm::EventAcceptFailed || event == CSocketComm::EventDropped) {
        const CString line = "Client disconnect from " + PeerOf(m_socket);
        m_socket.CloseComm();
        StartCommServer();
        return line;
    }
    return CString();
}
