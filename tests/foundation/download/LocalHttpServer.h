// A small HTTP server on 127.0.0.1 for the download tests: the port is the
// system's choice, each path answers with a scripted reply (bytes sent in
// pieces, with pauses, then the connection closed), and every connection
// is served on the server's own thread, one after another.
#pragma once

#include <winsock2.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer
{
public:
    struct Piece
    {
        std::string bytes;
        unsigned pauseMsBefore = 0;
    };
    // What a path answers: the pieces in order, then the connection closes.
    typedef std::vector<Piece> Reply;

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    bool Started() const { return m_listener != INVALID_SOCKET; }
    unsigned short Port() const { return m_port; }
    std::string Url(const std::string& path) const;

    // A request is answered by the reply of its exact path, else by that of
    // the longest path set that begins it.
    void SetReply(const std::string& path, const Reply& reply);
    // The paths asked so far, in order.
    std::vector<std::string> Requests();

    // Replies.
    static Reply Ok(const std::string& body);                    // with Content-Length
    static Reply Status(int status, const std::string& body);    // an error page
    static Reply Redirect(int status, const std::string& location);
    // Chunks of `chunk` bytes; unfinished: cut in the middle of the last.
    static Reply Chunked(const std::string& body, size_t chunk, bool finished = true);
    static Reply Slow(const std::string& body, size_t pieces, unsigned pauseMs);
    static Reply CutAfter(const std::string& body, size_t sent);  // Content-Length of the whole
    static Reply CloseDelimited(const std::string& body);         // no length: ends at the close

private:
    void Serve();
    void Answer(SOCKET client);

    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::thread m_thread;
    std::mutex m_lock;
    std::map<std::string, Reply> m_replies;
    std::vector<std::string> m_requests;
    bool m_stopping = false;
};

// A port on 127.0.0.1 where nothing listens (the system's choice, then
// closed); 0 when none could be had.
unsigned short ClosedLoopbackPort();

// A body of n bytes that differ along its length (a stand-in for an image).
std::string ImageBytes(size_t n, unsigned seed);

// A JPEG-shaped body of n bytes (n >= 6): the start-of-image bytes, filler
// without 0xFF, and the end-of-image marker.
std::string JpegBytes(size_t n, unsigned seed);
