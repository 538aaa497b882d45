#include <stdio.h>
#include <string.h>

#include "decoder/engine/decoder.h"
#include "decoder/network/stream_headers.h"
#include "decoder/network/stream_protocols.h"

namespace {

enum { FTP_LINE_SIZE = 256, FTP_CONNECT_TIMEOUT = 30000, FTP_READ_TIMEOUT = 20000, FTP_MAX_REPLY_LINES = 100 };

void debug(decoder* dec, int level, const char* message, const char* detail)
{
    decoder_debug(dec, nullptr, level, message, detail);
}

// Reads one reply (the lines of a multi-line reply up to its last); 0 with
// the code and the last line, or an error.
int read_reply(net_socket* control, char code[4], char* line)
{
    int r = net_read_line(control, line, FTP_LINE_SIZE, FTP_READ_TIMEOUT);
    if (r < 0)
        return r;
    bool continued = false;
    r = ftp_reply_code(line, code, &continued);
    for (int lines = 0; r == 0 && continued; ++lines) {
        if (lines == FTP_MAX_REPLY_LINES)
            return DK_ERR_INVALID_FTP_REPLY;
        r = net_read_line(control, line, FTP_LINE_SIZE, FTP_READ_TIMEOUT);
        if (r < 0)
            return r;
        char next[4];
        bool more = false;
        // Lines inside a multi-line reply need not carry a code.
        if (ftp_reply_code(line, next, &more) == 0 && memcmp(next, code, 3) == 0 && !more)
            continued = false;
        r = 0;
    }
    return r;
}

int send_command(net_socket* control, const char* format, const char* a)
{
    char command[FTP_LINE_SIZE + 1024];
    snprintf(command, sizeof command, format, a);
    return net_send_text(control, command);
}

// The dialogue; 0 with the data connection in the session.
int converse(ftp_session* session, const parsed_url* url, uint32_t* content_length, decoder* dec)
{
    char line[FTP_LINE_SIZE];
    char code[4];
    for (int state = 0;;) {
        int r = read_reply(session->control, code, line);
        if (r < 0)
            return r;
        const char digit = code[0];
        if (digit != '1' && digit != '2' && digit != '3') {
            debug(dec, 2, "errror code returned", code);
            return DK_ERR_FTP_ERROR;
        }
        if (state == 0 && digit == '2') {
            debug(dec, 1, "logging in as", url->user);
            r = send_command(session->control, "USER %s\r\n", url->user);
            state = 1;
        } else if (state == 1 && digit == '3') {
            debug(dec, 2, "sending PASS", url->password);
            r = send_command(session->control, "PASS %s\r\n", url->password);
            state = 2;
        } else if (state == 2 && digit == '2') {
            r = net_send_text(session->control, "TYPE I\r\n");
            state = 3;
        } else if (state == 3 && digit == '2') {
            int port = 0;
            r = net_listen(&session->listener, &port);
            if (r < 0)
                return DK_ERR_FTP_ERROR;
            r = net_local_address(session->control);
            if (r < 0)
                return DK_ERR_FTP_ERROR;
            char text[96];
            snprintf(text, sizeof text, "%d", port);
            debug(dec, 2, "sending PORT", text);
            const uint8_t* a = session->control->local_address;
            snprintf(text, sizeof text, "PORT %d,%d,%d,%d,%d,%d\r\n", a[0], a[1], a[2], a[3], port / 256, port % 256);
            r = net_send_text(session->control, text);
            state = 4;
        } else if (state == 4 && digit == '2') {
            debug(dec, 2, "sending RETR", url->path);
            r = send_command(session->control, "RETR %s\r\n", url->path);
            state = 5;
        } else if (state == 5 && digit == '1') {
            uint32_t size = 0;
            if (ftp_reply_size(line, &size))
                *content_length = size;
            debug(dec, 1, "accepting data socket", nullptr);
            r = net_accept(session->listener, &session->data, FTP_READ_TIMEOUT);
            net_close(session->listener);
            session->listener = nullptr;
            if (r < 0) {
                debug(dec, 1, "cannot accept data socket", error_string(r));
                return DK_ERR_FTP_ERROR;
            }
            debug(dec, 1, "got connection on data socket", nullptr);
            debug(dec, 0, "connected and receiving", nullptr);
            return 0;
        } else {
            return DK_ERR_FTP_ERROR;
        }
        if (r < 0)
            return DK_ERR_FTP_ERROR;
    }
}

} // namespace

int ftp_open(ftp_session* session, const parsed_url* url, uint32_t* content_length, decoder* dec)
{
    memset(session, 0, sizeof *session);
    *content_length = 0;
    char detail[256];
    snprintf(detail, sizeof detail, "host %.200s, port %d", url->host, url->port);
    debug(dec, 0, "connecting", detail);
    int r = net_connect(&session->control, url->host, url->port, FTP_CONNECT_TIMEOUT);
    if (r < 0) {
        debug(dec, 0, "connection failed", error_string(r));
        return r;
    }
    r = converse(session, url, content_length, dec);
    if (r < 0)
        ftp_close(session);
    return r;
}

void ftp_close(ftp_session* session)
{
    net_close(session->data);
    net_close(session->control);
    net_close(session->listener);
    memset(session, 0, sizeof *session);
}

int tcp_open(net_socket** connection, const parsed_url* url)
{
    int r = net_connect(connection, url->host, url->port, 10000);
    if (r < 0)
        return r;
    r = net_send_text(*connection, "\r\n");
    if (r < 0) {
        net_close(*connection);
        *connection = nullptr;
    }
    return r;
}

int udp_open(net_socket** connection, const parsed_url* url) { return net_udp_bind(connection, url->port); }
