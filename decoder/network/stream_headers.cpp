#include "decoder/network/stream_headers.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder.h"

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

const char* skip_spaces(const char* c)
{
    while (is_space(*c))
        ++c;
    return c;
}

// The name of a header line, with its colon, without regard to case.
bool header_is(const char* line, const char* name)
{
    for (; *name; ++line, ++name)
        if (lower(*line) != lower(*name))
            return false;
    return true;
}

} // namespace

int http_status_parse(const char* line, char code[3])
{
    // "%s %c%c%c %s": a word, the three characters after the spaces that
    // follow it, and a further word after spaces.
    const char* c = skip_spaces(line);
    if (!*c)
        return DK_ERR_INVALID_HTTP_REPLY;
    while (*c && !is_space(*c))
        ++c;
    c = skip_spaces(c);
    for (int i = 0; i < 3; ++i) {
        if (!c[i])
            return DK_ERR_INVALID_HTTP_REPLY;
        code[i] = c[i];
    }
    c = skip_spaces(c + 3);
    return *c ? 0 : DK_ERR_INVALID_HTTP_REPLY;
}

int http_status_judge(const char code[3])
{
    switch (code[0]) {
    case '0':
        return DK_ERR_INVALID_HTTP_REPLY;
    case '1':
    case '2':
        return HTTP_STATUS_GO_ON;
    case '3':
        return HTTP_STATUS_REDIRECT;
    case '4':
    case '5':
        return DK_ERR_HTTP_ERROR_REPLY;
    default:
        return DK_ERR_HTTP_ERROR;
    }
}

int http_header_classify(const char* line, const char** value)
{
    struct known
    {
        const char* name;
        int kind;
    };
    static const known names[] = {
        {"location:", HTTP_HEADER_LOCATION},
        {"content-length:", HTTP_HEADER_CONTENT_LENGTH},
        {"content-type:", HTTP_HEADER_CONTENT_TYPE},
        {"icy-metaint:", HTTP_HEADER_ICY_METAINT},
    };
    for (const known& k : names)
        if (header_is(line, k.name)) {
            *value = skip_spaces(line + strlen(k.name));
            return k.kind;
        }
    *value = nullptr;
    return HTTP_HEADER_OTHER;
}

bool http_parse_number(const char* text, uint32_t limit, uint32_t* value)
{
    const char* c = skip_spaces(text);
    if (*c < '0' || *c > '9')
        return false;
    uint64_t n = 0;
    for (; *c >= '0' && *c <= '9'; ++c) {
        n = n * 10 + static_cast<uint64_t>(*c - '0');
        if (n > limit)
            return false;
    }
    if (*skip_spaces(c))
        return false;
    *value = static_cast<uint32_t>(n);
    return true;
}

bool http_header_split(const char* line, char* name, const char** value)
{
    const char* colon = strchr(line, ':');
    if (!colon || colon == line || colon - line > HTTP_MAX_HEADER_NAME)
        return false;
    const char* v = colon + 1;
    while (*v == ' ')
        ++v;
    if (!*v)
        return false;
    memcpy(name, line, static_cast<size_t>(colon - line));
    name[colon - line] = '\0';
    *value = v;
    return true;
}

char* http_request_text(const char* target, const char* host, long first, long last,
                        const char* extra)
{
    static const char whole[] = "GET %s HTTP/1.0\r\nHost: %s\r\nUser-Agent: %s/%s\r\nAccept: */*\r\n%s\r\n";
    static const char ranged[] =
        "GET %s HTTP/1.1\r\nHost: %s\r\nConnection: close\r\nRange: bytes=%s\r\n"
        "User-Agent: %s/%s\r\nAccept: */*\r\n%s\r\n";
    if (!extra)
        extra = "";
    char range[48] = "";
    const bool limited = first != -1 || last != -1;
    if (limited) {
        if (last == -1)
            snprintf(range, sizeof range, "%ld-", first);
        else
            snprintf(range, sizeof range, "%ld-%ld", first == -1 ? 0L : first, last);
    }
    const size_t size = strlen(ranged) + strlen(target) + strlen(host) + strlen(range) + strlen(extra) + 32;
    char* text = static_cast<char*>(malloc(size));
    if (!text)
        return nullptr;
    if (limited)
        snprintf(text, size, ranged, target, host, range, "Dekoda", "1.0", extra);
    else
        snprintf(text, size, whole, target, host, "Dekoda", "1.0", extra);
    return text;
}

void icy_metadata_items(const char* text, size_t length, icy_item_function item, void* user)
{
    const void* nul = memchr(text, '\0', length);
    const char* end = nul ? static_cast<const char*>(nul) : text + length;
    const char* start = text;
    for (const char* c = text; c < end; ++c) {
        if (*c != ';')
            continue;
        const char* equals = static_cast<const char*>(memchr(start, '=', static_cast<size_t>(c - start)));
        if (equals)
            item(user, start, static_cast<size_t>(equals - start), equals + 1, static_cast<size_t>(c - equals - 1));
        start = c + 1;
    }
}

void icy_metadata_parse(decoder* dec, const char* text, size_t length)
{
    if (!dec || !text || !dec->services.set_stream_string)
        return;
    icy_metadata_items(
        text, length,
        [](void* user, const char* name, size_t name_length, const char* value, size_t value_length) {
            if (name_length > HTTP_MAX_HEADER_NAME)
                return;
            decoder* d = static_cast<decoder*>(user);
            char property[HTTP_MAX_HEADER_NAME + 8];
            snprintf(property, sizeof property, "icy/%.*s", static_cast<int>(name_length), name);
            char* copy = static_cast<char*>(malloc(value_length + 1));
            if (!copy)
                return;
            memcpy(copy, value, value_length);
            copy[value_length] = '\0';
            d->services.set_stream_string(d, property, copy);
            free(copy);
        },
        dec);
}

int ftp_reply_code(const char* line, char code[4], bool* continued)
{
    for (int i = 0; i < 3; ++i) {
        if (!line[i])
            return DK_ERR_INVALID_FTP_REPLY;
        code[i] = line[i];
    }
    code[3] = '\0';
    *continued = line[3] == '-';
    return 0;
}

bool ftp_reply_size(const char* line, uint32_t* size)
{
    bool found = false;
    for (const char* open = strchr(line, '('); open; open = strchr(open + 1, '(')) {
        // "(%d bytes)": spaces, an optional sign, digits, spaces, "bytes)".
        const char* c = skip_spaces(open + 1);
        if (*c == '+')
            ++c;
        if (*c < '0' || *c > '9')
            continue;
        uint64_t n = 0;
        bool too_big = false;
        for (; *c >= '0' && *c <= '9'; ++c) {
            if (!too_big)
                n = n * 10 + static_cast<uint64_t>(*c - '0');
            too_big = too_big || n > HTTP_MAX_CONTENT_LENGTH;
        }
        c = skip_spaces(c);
        if (too_big || strncmp(c, "bytes)", 6) != 0)
            continue;
        *size = static_cast<uint32_t>(n);
        found = true;
    }
    return found;
}
