#include "tests/foundation/download/LocalHttpServer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string Head(int status, const char* reason, const std::string& headers)
{
    char line[64];
    std::snprintf(line, sizeof line, "HTTP/1.1 %d %s\r\n", status, reason);
    return std::string(line) + headers + "Connection: close\r\n\r\n";
}

std::string LengthHeader(size_t length)
{
    return "Content-Type: image/jpeg\r\nContent-Length: " + std::to_string(length) + "\r\n";
}

} // namespace

LocalHttpServer::LocalHttpServer()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return;
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (m_listener == INVALID_SOCKET ||
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_listener, 8) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (m_listener != INVALID_SOCKET)
            closesocket(m_listener);
        m_listener = INVALID_SOCKET;
        return;
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread(&LocalHttpServer::Serve, this);
}

LocalHttpServer::~LocalHttpServer()
{
    if (m_listener != INVALID_SOCKET) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_stopping = true;
        }
        // Wakes the accept with a connection of our own.
        SOCKET poke = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(m_port);
        connect(poke, reinterpret_cast<sockaddr*>(&address), sizeof address);
        closesocket(poke);
        m_thread.join();
        closesocket(m_listener);
    }
    WSACleanup();
}

std::string LocalHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void LocalHttpServer::SetReply(const std::string& path, const Reply& reply)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_replies[path] = reply;
}

std::vector<std::string> LocalHttpServer::Requests()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_requests;
}

void LocalHttpServer::Serve()
{
    for (;;) {
        SOCKET client = accept(m_listener, nullptr, nullptr);
        {
            std::lock_guard<std::mutex> hold(m_lock);
            if (m_stopping) {
                if (client != INVALID_SOCKET)
                    closesocket(client);
                return;
            }
        }
        if (client == INVALID_SOCKET)
            continue;
        Answer(client);
        closesocket(client);
    }
}

void LocalHttpServer::Answer(SOCKET client)
{
    // The request up to its empty line.
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        request.append(buffer, got);
    }
    // A body the request announces is read too: closing a socket with
    // unread bytes resets the connection, and the client could lose the reply.
    const size_t headEnd = request.find("\r\n\r\n") + 4;
    size_t bodyLength = 0;
    for (const char* name : {"\r\nContent-Length:", "\r\ncontent-length:"}) {
        const size_t at = request.find(name);
        if (at != std::string::npos && at < headEnd)
            bodyLength = static_cast<size_t>(strtoul(request.c_str() + at + strlen(name), nullptr, 10));
    }
    while (request.size() < headEnd + bodyLength && bodyLength < 65536) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, got);
    }
    const size_t start = request.find(' ') + 1;
    const std::string path = request.substr(start, request.find(' ', start) - start);
    Reply reply;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_requests.push_back(path);
        // The exact path, else the longest path set that begins it (a reply
        // for all requests whose query starts alike).
        auto it = m_replies.find(path);
        if (it == m_replies.end()) {
            size_t best = 0;
            for (auto candidate = m_replies.begin(); candidate != m_replies.end(); ++candidate)
                if (candidate->first.size() > best && path.compare(0, candidate->first.size(), candidate->first) == 0) {
                    best = candidate->first.size();
                    it = candidate;
                }
        }
        reply = it != m_replies.end() ? it->second : Status(404, "no such picture");
    }
    for (const Piece& piece : reply) {
        if (piece.pauseMsBefore)
            Sleep(piece.pauseMsBefore);
        size_t sent = 0;
        while (sent < piece.bytes.size()) {
            const int n = send(client, piece.bytes.data() + sent, static_cast<int>(piece.bytes.size() - sent), 0);
            if (n <= 0)
                return;
            sent += static_cast<size_t>(n);
        }
    }
    shutdown(client, SD_SEND);
}

LocalHttpServer::Reply LocalHttpServer::Ok(const std::string& body)
{
    return {{Head(200, "OK", LengthHeader(body.size())) + body, 0}};
}

LocalHttpServer::Reply LocalHttpServer::Status(int status, const std::string& body)
{
    return {{Head(status, status == 404 ? "Not Found" : "Error",
                  "Content-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) + "\r\n") +
                 body,
             0}};
}

LocalHttpServer::Reply LocalHttpServer::Redirect(int status, const std::string& location)
{
    return {{Head(status, "Moved", "Location: " + location + "\r\nContent-Length: 0\r\n"), 0}};
}

LocalHttpServer::Reply LocalHttpServer::Chunked(const std::string& body, size_t chunk, bool finished)
{
    Reply reply = {{Head(200, "OK", "Content-Type: image/jpeg\r\nTransfer-Encoding: chunked\r\n"), 0}};
    for (size_t at = 0; at < body.size(); at += chunk) {
        const std::string part = body.substr(at, chunk);
        char size[32];
        std::snprintf(size, sizeof size, "%zx\r\n", part.size());
        reply.push_back({size + part + "\r\n", 20});
    }
    if (finished) {
        reply.push_back({"0\r\n\r\n", 0});
    } else if (reply.size() > 1) {
        // Cut in the middle of the last chunk: its size line promises more
        // than comes.
        std::string& last = reply.back().bytes;
        last.resize(last.size() / 2);
    }
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::Slow(const std::string& body, size_t pieces, unsigned pauseMs)
{
    Reply reply = {{Head(200, "OK", LengthHeader(body.size())), 0}};
    const size_t step = (body.size() + pieces - 1) / pieces;
    for (size_t at = 0; at < body.size(); at += step)
        reply.push_back({body.substr(at, step), pauseMs});
    return reply;
}

LocalHttpServer::Reply LocalHttpServer::CutAfter(const std::string& body, size_t sent)
{
    return {{Head(200, "OK", LengthHeader(body.size())) + body.substr(0, sent), 0}};
}

LocalHttpServer::Reply LocalHttpServer::CloseDelimited(const std::string& body)
{
    return {{Head(200, "OK", "Content-Type: image/jpeg\r\n") + body, 0}};
}

unsigned short ClosedLoopbackPort()
{
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (probe == INVALID_SOCKET)
        return 0;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    const bool bound = bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    closesocket(probe);
    return bound ? ntohs(address.sin_port) : 0;
}

std::string ImageBytes(size_t n, unsigned seed)
{
    std::string bytes(n, '\0');
    unsigned value = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        value = value * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(value >> 16);
    }
    return bytes;
}

std::string JpegBytes(size_t n, unsigned seed)
{
    std::string filler = ImageBytes(n - 6, seed);
    for (char& c : filler)
        if (static_cast<unsigned char>(c) == 0xFF)
            c = static_cast<char>(0xFE);
    return std::string("\xFF\xD8\xFF\xE0", 4) + filler + std::string("\xFF\xD9", 2);
}
