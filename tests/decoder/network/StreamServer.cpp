#include "StreamServer.h"

#include <windows.h>

#include <stdio.h>

namespace {

struct WinsockStart
{
    WinsockStart()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

void StartWinsock() { static WinsockStart start; }

} // namespace

ServerConnection::~ServerConnection() { Close(); }

bool ServerConnection::ReadByte(char& c)
{
    for (;;) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_socket, &set);
        timeval tv = {0, 100000};
        const int r = select(0, &set, nullptr, nullptr, &tv);
        if (r == 0) {
            if (m_server.Stopping())
                return false;
            continue;
        }
        return r > 0 && recv(m_socket, &c, 1, 0) == 1;
    }
}

std::string ServerConnection::ReadHead()
{
    std::string head;
    char c = 0;
    while (head.size() < 65536 && ReadByte(c)) {
        head += c;
        if (head.size() >= 4 && head.compare(head.size() - 4, 4, "\r\n\r\n") == 0) {
            m_server.AddRequest(head);
            return head;
        }
    }
    return std::string();
}

bool ServerConnection::ReadLine(std::string& line)
{
    line.clear();
    char c = 0;
    for (;;) {
        if (!ReadByte(c))
            return false;
        if (c == '\n')
            break;
        if (c != '\r')
            line += c;
    }
    m_server.AddRequest(line);
    return true;
}

bool ServerConnection::Send(const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int r = send(m_socket, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (r <= 0)
            return false;
        sent += static_cast<size_t>(r);
    }
    return true;
}

bool ServerConnection::SendSlowly(const std::string& bytes, size_t piece, int pause_ms)
{
    for (size_t at = 0; at < bytes.size(); at += piece) {
        if (m_server.Stopping() || !Send(bytes.substr(at, piece)))
            return false;
        Sleep(static_cast<DWORD>(pause_ms));
    }
    return true;
}

void ServerConnection::Stall()
{
    char c = 0;
    while (!m_server.Stopping()) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_socket, &set);
        timeval tv = {0, 50000};
        const int r = select(0, &set, nullptr, nullptr, &tv);
        if (r < 0 || (r > 0 && recv(m_socket, &c, 1, 0) <= 0))
            return;
    }
}

void ServerConnection::Close()
{
    if (m_socket != INVALID_SOCKET) {
        shutdown(m_socket, SD_SEND);
        closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
}

StreamServer::StreamServer(Script script) : m_script(std::move(script))
{
    StartWinsock();
    m_listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    listen(m_listener, 8);
    int length = sizeof address;
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

StreamServer::~StreamServer()
{
    m_stop = true;
    m_acceptor.join();
    closesocket(m_listener);
    for (std::thread& t : m_threads)
        t.join();
}

std::string StreamServer::Url(const std::string& scheme, const std::string& path) const
{
    return scheme + "://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> StreamServer::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void StreamServer::AddRequest(const std::string& head)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(head);
}

void StreamServer::AcceptLoop()
{
    while (!m_stop) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_listener, &set);
        timeval tv = {0, 50000};
        if (select(0, &set, nullptr, nullptr, &tv) <= 0)
            continue;
        const SOCKET s = accept(m_listener, nullptr, nullptr);
        if (s == INVALID_SOCKET)
            continue;
        const int index = m_connections++;
        m_threads.emplace_back([this, s, index] {
            ServerConnection connection(*this, s);
            m_script(connection, index);
        });
    }
}

int FreeUdpPort()
{
    StartWinsock();
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    return ntohs(address.sin_port);
}

bool SendDatagram(int port, const std::string& bytes)
{
    StartWinsock();
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    const int r = sendto(s, bytes.data(), static_cast<int>(bytes.size()), 0,
                         reinterpret_cast<const sockaddr*>(&address), sizeof address);
    closesocket(s);
    return r == static_cast<int>(bytes.size());
}

SOCKET ConnectTo(const std::string& host, int port)
{
    StartWinsock();
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr(host.c_str());
    address.sin_port = htons(static_cast<u_short>(port));
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

StreamServer::Script FtpServer(const FtpScript& script)
{
    return [script](ServerConnection& c, int) {
        c.Send(script.greeting);
        std::string line;
        int data_port = 0;
        std::string data_host;
        while (c.ReadLine(line)) {
            if (line.compare(0, 5, "USER ") == 0) {
                c.Send(script.user);
            } else if (line.compare(0, 5, "PASS ") == 0) {
                c.Send(script.pass);
            } else if (line == "TYPE I") {
                c.Send(script.type);
            } else if (line.compare(0, 5, "PORT ") == 0) {
                int a, b, cc, d, p1, p2;
                if (sscanf(line.c_str() + 5, "%d,%d,%d,%d,%d,%d", &a, &b, &cc, &d, &p1, &p2) == 6) {
                    data_host = std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(cc) + "." +
                                std::to_string(d);
                    data_port = p1 * 256 + p2;
                }
                c.Send(script.port);
            } else if (line.compare(0, 5, "RETR ") == 0) {
                c.Send(script.retr);
                if (script.retr[0] != '1')
                    continue;
                const SOCKET data = ConnectTo(data_host, data_port);
                if (data != INVALID_SOCKET) {
                    send(data, script.data.data(), static_cast<int>(script.data.size()), 0);
                    shutdown(data, SD_SEND);
                    closesocket(data);
                }
                c.Send("226 done\r\n");
            } else {
                c.Send("500 unknown\r\n");
            }
        }
    };
}
