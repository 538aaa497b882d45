// The album-art download's checks of a server's reply: the head (status
// line and headers), the verdict on a body, and the picture's end. The
// first byte sets how many body bytes arrived and whether a read failed;
// the rest is the head, and its first and last bytes stand for a body.
#include "foundation/download/HttpReply.h"
#include "fuzz/FuzzCheck.h"

#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t choice = data[0];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    HttpReplyHead head;
    if (ParseHttpReplyHead(text.data(), text.size(), head)) {
        FUZZ_CHECK(head.status >= 100 && head.status <= 999, "status %d", head.status);
        FUZZ_CHECK(head.contentLength <= UINT64_C(0x7FFFFFFFFFFFFFFF), "a length past 2^63");
        FUZZ_CHECK(head.hasContentLength || head.contentLength == 0, "a length without its header");

        // What was read, written as a reply again, reads the same.
        char again[128];
        std::snprintf(again, sizeof again, "HTTP/1.1 %d Again\r\n%s%llu\r\n%s\r\n", head.status,
                      head.hasContentLength ? "Content-Length: " : "X-Nothing: ",
                      static_cast<unsigned long long>(head.contentLength),
                      head.chunked ? "Transfer-Encoding: chunked\r\n" : "");
        HttpReplyHead reread;
        FUZZ_CHECK(ParseHttpReplyHead(again, std::char_traits<char>::length(again), reread),
                   "a reply written from a parsed head does not parse");
        FUZZ_CHECK(reread.status == head.status && reread.hasContentLength == head.hasContentLength &&
                       reread.contentLength == head.contentLength && reread.chunked == head.chunked,
                   "a reply written from a parsed head reads otherwise");

        const uint64_t received = head.hasContentLength && (choice & 1) ? head.contentLength : choice >> 2;
        const DownloadVerdict verdict = JudgeDownload(head, received, (choice & 2) != 0);
        if (verdict == DownloadVerdict::Complete) {
            FUZZ_CHECK(head.status >= 200 && head.status <= 299, "kept a body of status %d", head.status);
            FUZZ_CHECK(!head.hasContentLength || head.chunked || received == head.contentLength,
                       "kept %llu bytes of %llu", static_cast<unsigned long long>(received),
                       static_cast<unsigned long long>(head.contentLength));
            FUZZ_CHECK((choice & 2) == 0, "kept a body whose read failed");
        }
    }
    const size_t headBytes = text.size() < 8 ? text.size() : 8;
    const size_t tailBytes = text.size() < 16 ? text.size() : 16;
    ImageLooksWhole(reinterpret_cast<const uint8_t*>(text.data()), headBytes,
                    reinterpret_cast<const uint8_t*>(text.data()) + text.size() - tailBytes, tailBytes);
    return 0;
}
