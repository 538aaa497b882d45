// The texts of stream servers that the network protocols read: HTTP and
// ICY status lines and header lines, ICY metadata blocks and FTP replies,
// and the HTTP request the client sends. Portable: no socket or window
// code; every length that comes from the network is bounded here.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct decoder;

// Limits of what a server may announce.
enum
{
    HTTP_MAX_CONTENT_LENGTH = 0x7FFFFFFF,
    ICY_MAX_METADATA_INTERVAL = 0x100000, // 1 MiB of audio between blocks
    HTTP_MAX_HEADER_NAME = 512,
};

// The status line "VERSION DDD TEXT": 0 and the code's three characters,
// or -209 when the line lacks a field.
int http_status_parse(const char* line, char code[3]);

enum http_status_verdict
{
    HTTP_STATUS_GO_ON = 0,   // 1xx, 2xx
    HTTP_STATUS_REDIRECT = 1 // 3xx: a Location header is followed
};
// What the status means: HTTP_STATUS_GO_ON, HTTP_STATUS_REDIRECT, or -209
// (a first digit 0), -210 (4xx, 5xx), -211 (anything else).
int http_status_judge(const char code[3]);

enum http_header_kind
{
    HTTP_HEADER_OTHER = 0,
    HTTP_HEADER_LOCATION,
    HTTP_HEADER_CONTENT_LENGTH,
    HTTP_HEADER_CONTENT_TYPE,
    HTTP_HEADER_ICY_METAINT,
};
// The kind of a header line (names compared without regard to case) and
// its value: after the colon, spaces skipped.
int http_header_classify(const char* line, const char** value);

// A decimal number with spaces around it, at most limit; false otherwise.
bool http_parse_number(const char* text, uint32_t limit, uint32_t* value);

// Splits a header line into name (copied with a NUL into name, which has
// room for HTTP_MAX_HEADER_NAME + 1 bytes) and value (spaces after the
// colon skipped). False for a line without a colon, an empty or too long
// name, or an empty value.
bool http_header_split(const char* line, char* name, const char** value);

// The request text: the request line, Host, User-Agent and Accept (with
// Connection and Range when a first or last byte is given, that is not
// -1), then the extra header text as it stands and the empty line. Sized
// from its parts; null without memory. The caller frees it.
char* http_request_text(const char* target, const char* host, long first, long last,
                        const char* extra);

// Calls item for each "name=value" of an ICY metadata block (at most
// length bytes, ending early at a NUL); text after the last ';' and items
// without '=' are ignored.
typedef void (*icy_item_function)(void* user, const char* name, size_t name_length,
                                  const char* value, size_t value_length);
void icy_metadata_items(const char* text, size_t length, icy_item_function item, void* user);

// Sets each item of a metadata block as the stream property "icy/NAME"
// with its value unchanged (quotes kept); names over 512 bytes are skipped.
void icy_metadata_parse(decoder* dec, const char* text, size_t length);

// An FTP reply line: 0 with its three-character code and whether the
// fourth character is '-' (more lines follow); -212 for a shorter line.
int ftp_reply_code(const char* line, char code[4], bool* continued);
// The last "(N bytes)" of a reply line, N at most HTTP_MAX_CONTENT_LENGTH;
// false when there is none.
bool ftp_reply_size(const char* line, uint32_t* size);
