#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder.h"
#include "decoder/network/stream_headers.h"
#include "decoder/network/stream_protocols.h"

namespace {

void debug(decoder* dec, int level, const char* message, const char* detail)
{
    decoder_debug(dec, nullptr, level, message, detail);
}

// A Location that begins with '/' stays on the server that sent it.
int parse_location(const char* location, const parsed_url* from, parsed_url** out)
{
    if (location[0] != '/')
        return url_parse(location, out);
    const size_t size = strlen(from->host) + strlen(location) + 32;
    char* absolute = static_cast<char*>(malloc(size));
    if (!absolute)
        return DK_ERR_OUT_OF_MEMORY;
    snprintf(absolute, size, "%s://%s:%d%s", from->scheme == URL_SCHEME_ICY ? "icy" : "http", from->host,
             from->port, location);
    const int r = url_parse(absolute, out);
    free(absolute);
    return r;
}

// One request to one server. 0 done; 1 with *redirect set; or an error.
int request_once(net_socket** connection, const parsed_url* url, uint32_t* content_length,
                 uint32_t* metadata_interval, long first, long last, const http_options& options,
                 const http_reply_handler* handler, decoder* dec, parsed_url** redirect)
{
    char detail[256];
    snprintf(detail, sizeof detail, "host %.200s, port %d", url->host, url->port);
    debug(dec, 0, "connecting", detail);
    net_socket* s = nullptr;
    const bool proxied = options.proxy_host && *options.proxy_host;
    int r = proxied ? net_connect(&s, options.proxy_host, options.proxy_port > 0 ? options.proxy_port : 80,
                                  options.connect_timeout_ms)
                    : net_connect(&s, url->host, url->port, options.connect_timeout_ms);
    if (r < 0) {
        debug(dec, 0, "connection failed", error_string(r));
        return r;
    }
    debug(dec, 0, "connected", nullptr);
    debug(dec, 1, "requesting data", url->path);
    if (first != -1 || last != -1) {
        char range[64];
        if (last == -1)
            snprintf(range, sizeof range, "%ld-", first);
        else
            snprintf(range, sizeof range, "%ld-%ld", first == -1 ? 0L : first, last);
        debug(dec, 1, "limiting range to ", range);
    }
    char* request = http_request_text(proxied ? url->text : url->path, url->host, first, last, options.extra_header);
    if (!request) {
        net_close(s);
        return DK_ERR_OUT_OF_MEMORY;
    }
    r = net_send_text(s, request);
    free(request);
    if (r < 0) {
        net_close(s);
        return r;
    }

    char line[HTTP_LINE_SIZE];
    r = net_read_line(s, line, sizeof line, options.read_timeout_ms);
    if (r < 0) {
        net_close(s);
        return r;
    }
    if (r == 0) {
        // An empty reply head: the stream starts at once (ICY servers of old).
        *connection = s;
        return 0;
    }
    debug(dec, 1, "got http reply", line);
    char code[3];
    if (http_status_parse(line, code) < 0) {
        net_close(s);
        return DK_ERR_INVALID_HTTP_REPLY;
    }
    const int verdict = http_status_judge(code);
    if (verdict < 0) {
        net_close(s);
        if (verdict == DK_ERR_HTTP_ERROR_REPLY)
            debug(dec, 0, "http request failed", line);
        return verdict;
    }

    for (int lines = 0;; ++lines) {
        if (lines == HTTP_MAX_HEADER_LINES) {
            debug(dec, 0, "http request failed", "too many header lines");
            net_close(s);
            return DK_ERR_INVALID_HTTP_REPLY;
        }
        r = net_read_line(s, line, sizeof line, options.read_timeout_ms);
        if (r < 0) {
            net_close(s);
            return r;
        }
        if (r == 0)
            break;
        debug(dec, 1, "http header", line);
        if (handler && handler->header)
            handler->header(handler->user, line);
        const char* value = nullptr;
        uint32_t number = 0;
        switch (http_header_classify(line, &value)) {
        case HTTP_HEADER_LOCATION:
            if (verdict != HTTP_STATUS_REDIRECT)
                break;
            debug(dec, 1, "http redirect, new location", value);
            net_close(s);
            r = parse_location(value, url, redirect);
            return r < 0 ? r : 1;
        case HTTP_HEADER_CONTENT_LENGTH:
            // A length past what a size can hold is not known.
            *content_length = http_parse_number(value, HTTP_MAX_CONTENT_LENGTH, &number) ? number : 0;
            break;
        case HTTP_HEADER_CONTENT_TYPE:
            if (handler && handler->content_type)
                handler->content_type(handler->user, value);
            break;
        case HTTP_HEADER_ICY_METAINT:
            if (!metadata_interval)
                break;
            // Audio and metadata cannot be told apart without a sound interval.
            if (!http_parse_number(value, ICY_MAX_METADATA_INTERVAL, &number)) {
                debug(dec, 0, "http request failed", line);
                net_close(s);
                return DK_ERR_INVALID_HTTP_REPLY;
            }
            *metadata_interval = number;
            break;
        default:
            break;
        }
    }
    debug(dec, 0, "http request successfull", nullptr);
    *connection = s;
    return 0;
}

int request(net_socket** connection, const parsed_url* url, uint32_t* content_length, uint32_t* metadata_interval,
            long first, long last, const http_options* given, const http_reply_handler* handler, decoder* dec)
{
    *connection = nullptr;
    *content_length = 0;
    if (metadata_interval)
        *metadata_interval = 0;
    http_options options;
    http_options_defaults(&options);
    if (given)
        options = *given;
    const parsed_url* current = url;
    parsed_url* owned = nullptr;
    int r = 0;
    for (int redirects = 0;; ++redirects) {
        if (current->scheme != URL_SCHEME_HTTP && current->scheme != URL_SCHEME_ICY) {
            r = DK_ERR_UNSUPPORTED_URL_SCHEME;
            break;
        }
        parsed_url* next = nullptr;
        *content_length = 0;
        if (metadata_interval)
            *metadata_interval = 0;
        r = request_once(connection, current, content_length, metadata_interval, first, last, options, handler,
                         dec, &next);
        url_free(owned);
        owned = next;
        current = next;
        if (r != 1)
            break;
        if (redirects == HTTP_MAX_REDIRECTS) {
            debug(dec, 0, "http request failed", "too many redirects");
            r = DK_ERR_HTTP_ERROR;
            break;
        }
    }
    url_free(owned);
    return r;
}

} // namespace

void http_options_defaults(http_options* options)
{
    options->proxy_host = nullptr;
    options->proxy_port = 80;
    options->connect_timeout_ms = 30000;
    options->read_timeout_ms = 20000;
    options->extra_header = nullptr;
}

int http_request(net_socket** connection, const parsed_url* url, uint32_t* content_length, long first,
                 long last, const http_options* options, const http_reply_handler* handler, decoder* dec)
{
    return request(connection, url, content_length, nullptr, first, last, options, handler, dec);
}

int icy_request(net_socket** connection, const parsed_url* url, uint32_t* content_length,
                uint32_t* metadata_interval, const http_options* options,
                const http_reply_handler* handler, decoder* dec)
{
    http_options with_metadata;
    http_options_defaults(&with_metadata);
    if (options)
        with_metadata = *options;
    const char* own = with_metadata.extra_header ? with_metadata.extra_header : "";
    const size_t size = strlen(own) + 32;
    char* extra = static_cast<char*>(malloc(size));
    if (!extra)
        return DK_ERR_OUT_OF_MEMORY;
    snprintf(extra, size, "Icy-MetaData:1\r\n%s", own);
    with_metadata.extra_header = extra;
    const int r = request(connection, url, content_length, metadata_interval, -1, -1, &with_metadata, handler, dec);
    free(extra);
    return r;
}
