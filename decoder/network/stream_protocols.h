// The stream protocols of the network input: an HTTP/1.0 client with
// redirects, its ICY variant with in-band metadata, an active-mode FTP
// client, plain TCP and UDP. Progress goes out as debug texts of the
// decoder given (source 0; it may be null).
#pragma once

#include <stdint.h>

#include "decoder/network/net_socket.h"
#include "decoder/network/url.h"

struct decoder;

struct http_options
{
    const char* proxy_host;    // null: straight to the URL's host
    int proxy_port;            // 0: 80
    int connect_timeout_ms;    // 30000
    int read_timeout_ms;       // 20000, for each line of the reply head
    const char* extra_header;  // sent as it stands, with its own line ends
};
void http_options_defaults(http_options* options);

// What the client hears of the reply head: every header line, and the
// value of Content-Type. Either function may be null.
struct http_reply_handler
{
    void* user;
    void (*header)(void* user, const char* line);
    void (*content_type)(void* user, const char* value);
};

enum
{
    HTTP_MAX_REDIRECTS = 8,
    HTTP_MAX_HEADER_LINES = 100,
    HTTP_LINE_SIZE = 128,
};

// GETs the URL (first and last byte -1: the whole resource), following at
// most HTTP_MAX_REDIRECTS redirects. 0 with the connected socket, placed
// at the body, in *connection; the content length (0 when not given).
int http_request(net_socket** connection, const parsed_url* url, uint32_t* content_length, long first,
                 long last, const http_options* options, const http_reply_handler* handler, decoder* dec);
// The same, asking for ICY metadata; *metadata_interval gets the bytes of
// audio between metadata blocks (0: none).
int icy_request(net_socket** connection, const parsed_url* url, uint32_t* content_length,
                uint32_t* metadata_interval, const http_options* options,
                const http_reply_handler* handler, decoder* dec);

struct ftp_session
{
    net_socket* control;
    net_socket* listener;
    net_socket* data; // the stream
};
// Logs in (anonymous unless the URL names a user), asks for the path in
// binary mode and takes the data connection the server opens back to us.
int ftp_open(ftp_session* session, const parsed_url* url, uint32_t* content_length, decoder* dec);
void ftp_close(ftp_session* session);

// TCP: connects (10 s) and sends "\r\n". UDP: a socket bound to the port.
int tcp_open(net_socket** connection, const parsed_url* url);
int udp_open(net_socket** connection, const parsed_url* url);
