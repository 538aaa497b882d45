// The head of an HTTP reply (status line and header lines, as the internet
// library hands them back) and the verdict on a finished download. No
// window code: the bytes come from a server, so this is where they are
// checked, and it is fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdint>

struct HttpReplyHead
{
    int status = 0;                 // 100 to 999
    bool hasContentLength = false;
    uint64_t contentLength = 0;
    bool chunked = false;           // Transfer-Encoding names "chunked"
};

// Reads "HTTP/x.y NNN reason" and the header lines after it (CR LF or LF
// ends a line; an empty line or the end of the text ends the head).
// False when the status line is not one, or when Content-Length is not a
// decimal number below 2^63 or appears twice with different values.
bool ParseHttpReplyHead(const char* text, size_t length, HttpReplyHead& head);

enum class DownloadVerdict
{
    Complete,       // a success status and the whole body
    ServerError,    // the server answered with a status outside 200-299
    Truncated,      // fewer (or more) bytes than the Content-Length said
    ReadFailed,     // the connection failed before the end of the body
    TooLarge        // the body went past the limit given
};

// The largest image the album-art download keeps.
const uint64_t kMaxDownloadBytes = 16u * 1024u * 1024u;

// The verdict on a body of `received` bytes read to its end (readFailed
// false) or until a read failed (true).
DownloadVerdict JudgeDownload(const HttpReplyHead& head, uint64_t received, bool readFailed,
                              uint64_t limit = kMaxDownloadBytes);
