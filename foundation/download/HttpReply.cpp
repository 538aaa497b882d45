#include "foundation/download/HttpReply.h"

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

// Does [first, last) equal the lower-case name, letter case ignored?
bool NameIs(const char* first, const char* last, const char* name)
{
    for (; first < last && *name; ++first, ++name)
        if (Lower(*first) != *name)
            return false;
    return first == last && *name == 0;
}

// Does [first, last) contain the lower-case word, letter case ignored?
bool Contains(const char* first, const char* last, const char* word)
{
    for (const char* at = first; at < last; ++at) {
        const char* p = at;
        const char* w = word;
        while (p < last && *w && Lower(*p) == *w) {
            ++p;
            ++w;
        }
        if (*w == 0)
            return true;
    }
    return false;
}

void TrimSpaces(const char*& first, const char*& last)
{
    while (first < last && IsSpace(*first))
        ++first;
    while (last > first && IsSpace(last[-1]))
        --last;
}

bool ParseDecimal(const char* first, const char* last, uint64_t& value)
{
    TrimSpaces(first, last);
    if (first == last)
        return false;
    uint64_t v = 0;
    for (; first < last; ++first) {
        if (*first < '0' || *first > '9')
            return false;
        const unsigned digit = static_cast<unsigned>(*first - '0');
        if (v > (UINT64_C(0x7FFFFFFFFFFFFFFF) - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    value = v;
    return true;
}

// "HTTP/" digit "." digit SP 3DIGIT [SP reason]
bool ParseStatusLine(const char* first, const char* last, int& status)
{
    const char* p = first;
    if (last - p < 10 || !NameIs(p, p + 5, "http/"))
        return false;
    p += 5;
    if (*p < '0' || *p > '9')
        return false;
    while (p < last && ((*p >= '0' && *p <= '9') || *p == '.'))
        ++p;
    if (p == last || *p != ' ')
        return false;
    while (p < last && *p == ' ')
        ++p;
    if (last - p < 3)
        return false;
    int code = 0;
    for (int i = 0; i < 3; ++i, ++p) {
        if (*p < '0' || *p > '9')
            return false;
        code = code * 10 + (*p - '0');
    }
    if (p < last && *p != ' ')
        return false;
    if (code < 100)
        return false;
    status = code;
    return true;
}

} // namespace

bool ParseHttpReplyHead(const char* text, size_t length, HttpReplyHead& head)
{
    head = HttpReplyHead();
    if (!text)
        return false;
    const char* p = text;
    const char* const end = text + length;
    bool first = true;
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n')
            ++lineEnd;
        const char* next = lineEnd < end ? lineEnd + 1 : end;
        if (lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        if (first) {
            if (!ParseStatusLine(p, lineEnd, head.status))
                return false;
            first = false;
        } else {
            if (lineEnd == p)
                break;  // the empty line after the head
            const char* colon = p;
            while (colon < lineEnd && *colon != ':')
                ++colon;
            if (colon < lineEnd) {
                const char* nameEnd = colon;
                const char* name = p;
                TrimSpaces(name, nameEnd);
                if (NameIs(name, nameEnd, "content-length")) {
                    uint64_t value = 0;
                    if (!ParseDecimal(colon + 1, lineEnd, value))
                        return false;
                    if (head.hasContentLength && head.contentLength != value)
                        return false;
                    head.hasContentLength = true;
                    head.contentLength = value;
                } else if (NameIs(name, nameEnd, "transfer-encoding")) {
                    if (Contains(colon + 1, lineEnd, "chunked"))
                        head.chunked = true;
                }
            }
        }
        p = next;
    }
    return !first;
}

DownloadVerdict JudgeDownload(const HttpReplyHead& head, uint64_t received, bool readFailed,
                              uint64_t limit)
{
    if (head.status < 200 || head.status > 299)
        return DownloadVerdict::ServerError;
    if (received > limit)
        return DownloadVerdict::TooLarge;
    if (readFailed)
        return DownloadVerdict::ReadFailed;
    // A chunked body ends with its last chunk; the length header, when sent
    // beside it, means nothing (the internet library has already decoded it).
    if (head.hasContentLength && !head.chunked && received != head.contentLength)
        return DownloadVerdict::Truncated;
    return DownloadVerdict::Complete;
}

namespace {

bool StartsWith(const uint8_t* bytes, size_t length, const char* prefix, size_t prefixLength)
{
    if (length < prefixLength)
        return false;
    for (size_t i = 0; i < prefixLength; ++i)
        if (bytes[i] != static_cast<uint8_t>(prefix[i]))
            return false;
    return true;
}

bool TailHolds(const uint8_t* tail, size_t length, const char* marker, size_t markerLength)
{
    const size_t window = length < 16 ? length : 16;
    const uint8_t* from = tail + (length - window);
    for (size_t at = 0; at + markerLength <= window; ++at)
        if (StartsWith(from + at, window - at, marker, markerLength))
            return true;
    return false;
}

} // namespace

bool ImageLooksWhole(const uint8_t* head, size_t headLength, const uint8_t* tail, size_t tailLength)
{
    if (!head || !tail)
        return headLength == 0;
    if (StartsWith(head, headLength, "\xFF\xD8\xFF", 3))
        return TailHolds(tail, tailLength, "\xFF\xD9", 2);
    if (StartsWith(head, headLength, "\x89PNG\r\n\x1A\n", 8))
        return TailHolds(tail, tailLength, "IEND", 4);
    if (StartsWith(head, headLength, "GIF8", 4))
        return TailHolds(tail, tailLength, "\x3B", 1);
    return true;
}
