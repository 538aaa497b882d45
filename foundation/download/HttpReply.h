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

// Whether a picture's bytes reach their format's end: a JPEG ends with its
// end-of-image marker, a PNG with its IEND chunk, a GIF with its trailer
// (each within the last 16 bytes, so a little padding after is allowed).
// Bytes of another format pass. `head` is the body's first bytes (8 are
// enough), `tail` its last ones (16 are enough). It catches a body whose
// connection was cut where the transfer itself cannot tell (a chunked body
// cut short reads to its end in the internet library).
bool ImageLooksWhole(const uint8_t* head, size_t headLength, const uint8_t* tail, size_t tailLength);

// The largest image the album-art download keeps.
const uint64_t kMaxDownloadBytes = 16u * 1024u * 1024u;

// The verdict on a body of `received` bytes read to its end (readFailed
// false) or until a read failed (true).
DownloadVerdict JudgeDownload(const HttpReplyHead& head, uint64_t received, bool readFailed,
                              uint64_t limit = kMaxDownloadBytes);
