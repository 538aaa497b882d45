// A server on 127.0.0.1 at a port the system picks, for the network
// input's tests: each accepted connection runs the test's script on a
// thread of its own. Scripts read the request head, send replies, stall
// and close; the requests they read are kept for the test to check.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class StreamServer;

// One accepted connection, seen from the script.
class ServerConnection
{
public:
    ServerConnection(StreamServer& server, SOCKET s) : m_server(server), m_socket(s) {}
    ~ServerConnection();

    // Reads up to the empty line that ends a request head ("" when the
    // peer closed first), keeping it in the server's request list.
    std::string ReadHead();
    // One line without its line end; false when the peer closed.
    bool ReadLine(std::string& line);
    bool Send(const std::string& bytes);
    // Sends in pieces of piece bytes, pausing pause_ms between them.
    bool SendSlowly(const std::string& bytes, size_t piece, int pause_ms);
    // Waits until the server stops or the peer closes: a stalled server.
    void Stall();
    void Close();

private:
    // One byte; false when the peer closed or the server stops.
    bool ReadByte(char& c);

    StreamServer& m_server;
    SOCKET m_socket;
};

class StreamServer
{
public:
    using Script = std::function<void(ServerConnection&, int index)>;
    explicit StreamServer(Script script);
    ~StreamServer();

    int Port() const { return m_port; }
    std::string Url(const std::string& scheme, const std::string& path) const;
    std::vector<std::string> Requests() const;
    int Connections() const { return m_connections.load(); }
    bool Stopping() const { return m_stop.load(); }
    void AddRequest(const std::string& head);

private:
    void AcceptLoop();

    Script m_script;
    SOCKET m_listener = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::vector<std::thread> m_threads;
    std::thread m_acceptor;
};

// An FTP server: the replies to each command of the dialogue, then the
// data sent over the connection the client asked for in PORT.
struct FtpScript
{
    std::string greeting = "220 ready\r\n";
    std::string user = "331 password please\r\n";
    std::string pass = "230 logged in\r\n";
    std::string type = "200 binary\r\n";
    std::string port = "200 port ok\r\n";
    std::string retr = "150 Opening BINARY connection for a.mp3 (10 bytes)\r\n";
    std::string data = "0123456789";
};
StreamServer::Script FtpServer(const FtpScript& script);

// A free UDP port on 127.0.0.1 at the time of the call.
int FreeUdpPort();
// Sends a datagram to 127.0.0.1:port.
bool SendDatagram(int port, const std::string& bytes);
// Connects to 127.0.0.1:port (an FTP data connection); INVALID_SOCKET on failure.
SOCKET ConnectTo(const std::string& host, int port);
