#include "decoder/modules/network_input.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/network/stream_headers.h"
#include "decoder/network/stream_protocols.h"
#include "decoder/player/ring_buffer.h"

namespace {

struct stream_settings
{
    int32_t buffer_size;
    int32_t max_packet;
    int32_t high_mark;
    int32_t read_timeout;
    int32_t max_accu;
    int32_t force_fill_zone;
};

struct network_input_instance
{
    module_entry* entry;
    decoder* dec;
    char* url_text;
    char* content_type;
    parsed_url* url;
    net_socket* stream; // http, icy, tcp, udp; ftp's data socket lives in the session
    ftp_session ftp;
    bool connected;
    stream_settings settings;
    uint8_t* block; // ring of buffer_size bytes, then spill room of max_packet
    ring_buffer ring;
    size_t threshold;
    bool buffering;
    size_t accumulated;
    uint32_t content_length;
    uint32_t metadata_interval;
    uint32_t to_metadata;
    bool ended;
};

const char* const UNKNOWN_TYPE = "unknown";

int source(const network_input_instance* in) { return in->entry ? in->entry->id : 0; }

void progress(network_input_instance* in, int code, int value, const char* text)
{
    decoder_report_progress(in->dec, source(in), code, value, text);
}

int32_t setting(decoder* dec, const char* name, int32_t fallback, int32_t least, int32_t most)
{
    int32_t value = fallback;
    if (!dec || !dec->services.get_environment_integer || dec->services.get_environment_integer(dec, name, &value) < 0)
        return fallback;
    return value < least || value > most ? fallback : value;
}

// The settings, each within bounds that keep the ring able to reach its
// high mark: a receive needs max_packet bytes of room, so the ring never
// holds more than buffer_size - 1 - max_packet bytes for certain.
stream_settings read_settings(decoder* dec)
{
    stream_settings s;
    s.buffer_size = setting(dec, "INPUT.STREAM.BUFFER-SIZE", 0x20000, 0x2000, 0x4000000);
    s.max_packet = setting(dec, "INPUT.STREAM.MAX-PACKET-SIZE", 8192, 512, 0x10000);
    if (s.max_packet > s.buffer_size / 4)
        s.max_packet = s.buffer_size / 4;
    s.high_mark = setting(dec, "INPUT.STREAM.HIGH-MARK", 0x4000, 1, 0x4000000);
    if (s.high_mark > s.buffer_size - 1 - s.max_packet)
        s.high_mark = s.buffer_size - 1 - s.max_packet;
    s.read_timeout = setting(dec, "INPUT.STREAM.READ-TIMEOUT", 100, 0, 60000);
    s.max_accu = setting(dec, "INPUT.STREAM.MAX-ACCU", 2048, 0, 0x4000000);
    s.force_fill_zone = setting(dec, "INPUT.STREAM.FORCE-FILL-ZONE", 2048, 0, 0x4000000);
    return s;
}

void close_connection(network_input_instance* in)
{
    if (in->url && in->url->scheme == URL_SCHEME_FTP)
        ftp_close(&in->ftp);
    net_close(in->stream);
    in->stream = nullptr;
    memset(&in->ftp, 0, sizeof in->ftp);
}

net_socket* stream_socket(const network_input_instance* in) { return in->stream ? in->stream : in->ftp.data; }

// ---------------------------------------------------------------------------
// The reply head of HTTP and ICY

void on_header(void* user, const char* line)
{
    network_input_instance* in = static_cast<network_input_instance*>(user);
    char name[5 + HTTP_MAX_HEADER_NAME + 1];
    memcpy(name, "http/", 5);
    const char* value = nullptr;
    if (http_header_split(line, name + 5, &value) && in->dec->services.set_stream_string)
        in->dec->services.set_stream_string(in->dec, name, value);
}

void on_content_type(void* user, const char* value)
{
    network_input_instance* in = static_cast<network_input_instance*>(user);
    char* copy = strdup(value);
    if (!copy)
        return;
    free(in->content_type);
    in->content_type = copy;
}

void http_settings(decoder* dec, http_options* options, char* proxy, char* header)
{
    http_options_defaults(options);
    if (dec->services.get_environment_string &&
        dec->services.get_environment_string(dec, "NETWORK.HTTP.PROXY.HOSTNAME", proxy) >= 0 && *proxy)
        options->proxy_host = proxy;
    if (dec->services.get_environment_string &&
        dec->services.get_environment_string(dec, "NETWORK.HTTP.CUSTOM-HEADER", header) >= 0 && *header)
        options->extra_header = header;
    options->proxy_port = setting(dec, "NETWORK.HTTP.PROXY.PORT", 80, 1, 65535);
    options->connect_timeout_ms = setting(dec, "NETWORK.HTTP.CONNECT-TIMEOUT", 30000, 0, 30000);
    options->read_timeout_ms = setting(dec, "NETWORK.HTTP.READ-TIMEOUT", 20000, 0, 20000);
}

// ---------------------------------------------------------------------------
// The buffer

// Ring bytes that taking n stream bytes consumes, with the metadata blocks
// the n bytes cross; (size_t)-1 when a block's length byte has not arrived.
size_t bytes_needed(const network_input_instance* in, size_t n)
{
    if (in->metadata_interval == 0)
        return n;
    const size_t used = ring_used(&in->ring);
    size_t needed = 0;
    size_t before_block = in->to_metadata;
    while (n > before_block) {
        needed += before_block;
        n -= before_block;
        if (used <= needed)
            return static_cast<size_t>(-1);
        needed += 1 + static_cast<size_t>(ring_peek(&in->ring, needed)) * 16;
        before_block = in->metadata_interval;
    }
    return needed + n;
}

// Takes n stream bytes out of the ring, handing the metadata blocks they
// cross to the metadata parser; bytes_needed (n) must be buffered.
void take(network_input_instance* in, uint8_t* out, size_t n)
{
    if (in->metadata_interval == 0) {
        ring_read(&in->ring, out, n);
        return;
    }
    while (n > 0) {
        if (in->to_metadata == 0) {
            uint8_t length = 0;
            ring_read(&in->ring, &length, 1);
            if (length) {
                char text[255 * 16];
                const size_t size = static_cast<size_t>(length) * 16;
                ring_read(&in->ring, text, size);
                icy_metadata_parse(in->dec, text, size);
            }
            in->to_metadata = in->metadata_interval;
        }
        const size_t part = n < in->to_metadata ? n : in->to_metadata;
        ring_read(&in->ring, out, part);
        out += part;
        n -= part;
        in->to_metadata -= static_cast<uint32_t>(part);
    }
}

// The audio bytes that can be taken now in one go (at most n).
size_t takeable(const network_input_instance* in, size_t n)
{
    size_t low = 0, high = n;
    while (low < high) { // the largest count whose blocks have all arrived
        const size_t mid = low + (high - low + 1) / 2;
        if (bytes_needed(in, mid) <= ring_used(&in->ring))
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

void fill(network_input_instance* in, int timeout_ms)
{
    if (in->ended || ring_free(&in->ring) < static_cast<size_t>(in->settings.max_packet))
        return;
    net_socket* s = stream_socket(in);
    if (!s) {
        in->ended = true;
        progress(in, NETWORK_PROGRESS_END, 0, "reached end of stream");
        return;
    }
    size_t room = ring_free_contiguous(&in->ring);
    if (room < static_cast<size_t>(in->settings.max_packet))
        room = static_cast<size_t>(in->settings.max_packet);
    const int r = net_receive(s, in->ring.write, static_cast<int>(room), timeout_ms);
    if (r > 0) {
        const size_t got = static_cast<size_t>(r);
        const size_t to_end = static_cast<size_t>(in->ring.end - in->ring.write);
        if (got > to_end)
            memcpy(in->ring.start, in->ring.end, got - to_end);
        ring_advance_write(&in->ring, got);
        progress(in, NETWORK_PROGRESS_FILL,
                 static_cast<int>(ring_used(&in->ring) * 100 / static_cast<size_t>(in->settings.buffer_size) + 1),
                 nullptr);
    } else if (r != DK_ERR_TIMEOUT) {
        in->ended = true;
        progress(in, NETWORK_PROGRESS_END, 0, "reached end of stream");
    }
}

int buffering_percent(const network_input_instance* in)
{
    const size_t percent = ring_used(&in->ring) * 100 / static_cast<size_t>(in->settings.high_mark) + 1;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

// ---------------------------------------------------------------------------
// The operations

int input_probe(const char* name)
{
    static const char* const prefixes[] = {"http://", "ftp://", "udp://", "tcp://", "icy://"};
    if (!name)
        return -1;
    for (const char* prefix : prefixes) {
        const size_t n = strlen(prefix);
        bool same = true;
        for (size_t i = 0; i < n && same; ++i) {
            char c = name[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            same = c == prefix[i];
        }
        if (same)
            return 0;
    }
    return -1;
}

int input_query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        snprintf(info->name, sizeof info->name, "%s", "Network Streaming Module");
        snprintf(info->description, sizeof info->description, "%s", "Version 1.4");
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 1;
    if (flags & MODULE_QUERY_DEVICE) {
        if (info->index != 0)
            return DK_ERR_INVALID_PARAMETERS;
        snprintf(info->name, sizeof info->name, "%s", "http://*, ftp://*, udp://*, icy://*");
        snprintf(info->description, sizeof info->description, "%s", "streaming url");
        info->flags = 1;
    }
    return 0;
}

int input_delete(void* instance)
{
    network_input_instance* in = static_cast<network_input_instance*>(instance);
    if (!in)
        return DK_ERR_INVALID_PARAMETERS;
    if (in->connected)
        close_connection(in);
    url_free(in->url);
    free(in->block);
    free(in->url_text);
    free(in->content_type);
    free(in);
    return 0;
}

int input_new(void** instance, const char* name, module_entry* entry, decoder* dec)
{
    if (!instance)
        return DK_ERR_INVALID_PARAMETERS;
    *instance = nullptr;
    if (!name || !*name) {
        decoder_debug(dec, entry, 0, error_string(DK_ERR_INTERNAL), "null params or null/empty input url");
        return DK_ERR_INVALID_PARAMETERS;
    }
    network_input_instance* in = static_cast<network_input_instance*>(calloc(1, sizeof(network_input_instance)));
    if (!in)
        return DK_ERR_OUT_OF_MEMORY;
    in->entry = entry;
    in->dec = dec;
    in->settings = read_settings(dec);
    in->url_text = strdup(name);
    in->content_type = strdup(UNKNOWN_TYPE);
    in->block = static_cast<uint8_t*>(
        malloc(static_cast<size_t>(in->settings.buffer_size) + static_cast<size_t>(in->settings.max_packet)));
    if (!in->url_text || !in->content_type || !in->block) {
        input_delete(in);
        return DK_ERR_OUT_OF_MEMORY;
    }
    ring_init(&in->ring, in->block, static_cast<size_t>(in->settings.buffer_size));
    *instance = in;
    return 0;
}

int input_open(void* instance)
{
    network_input_instance* in = static_cast<network_input_instance*>(instance);
    if (!in)
        return DK_ERR_INVALID_PARAMETERS;
    if (in->connected)
        close_connection(in);
    in->connected = false;
    in->content_length = 0;
    in->metadata_interval = 0;
    in->to_metadata = 0;
    in->ended = false;
    ring_init(&in->ring, in->block, static_cast<size_t>(in->settings.buffer_size));
    in->threshold = static_cast<size_t>(in->settings.high_mark);
    in->accumulated = 0;
    in->buffering = true;
    url_free(in->url);
    in->url = nullptr;

    int r = url_parse(in->url_text, &in->url);
    if (r < 0)
        return r;
    progress(in, NETWORK_PROGRESS_CONNECTING, 0, "connecting");
    const http_reply_handler handler = {in, on_header, on_content_type};
    switch (in->url->scheme) {
    case URL_SCHEME_FTP:
        r = ftp_open(&in->ftp, in->url, &in->content_length, in->dec);
        break;
    case URL_SCHEME_UDP:
        r = udp_open(&in->stream, in->url);
        break;
    case URL_SCHEME_TCP:
        r = tcp_open(&in->stream, in->url);
        break;
    case URL_SCHEME_HTTP:
    case URL_SCHEME_ICY: {
        char proxy[1024] = "";
        char header[1024] = "";
        http_options options;
        http_settings(in->dec, &options, proxy, header);
        if (in->url->scheme == URL_SCHEME_ICY)
            r = icy_request(&in->stream, in->url, &in->content_length, &in->metadata_interval, &options, &handler,
                            in->dec);
        else
            r = http_request(&in->stream, in->url, &in->content_length, -1, -1, &options, &handler, in->dec);
        break;
    }
    default:
        r = -1;
        break;
    }
    if (r < 0) {
        url_free(in->url);
        in->url = nullptr;
        return r;
    }
    if (in->dec && in->dec->input)
        in->dec->input->content_type = in->content_type;
    progress(in, NETWORK_PROGRESS_CONNECTED, 0, "connected");
    progress(in, NETWORK_PROGRESS_FILL, 0, nullptr);
    progress(in, NETWORK_PROGRESS_BUFFERING, 0, nullptr);
    in->connected = true;
    in->to_metadata = in->metadata_interval;
    return 0;
}

int input_close(void* instance)
{
    network_input_instance* in = static_cast<network_input_instance*>(instance);
    if (!in)
        return 0;
    if (!in->connected)
        return DK_ERR_INTERNAL;
    close_connection(in);
    url_free(in->url);
    in->url = nullptr;
    in->connected = false;
    return 0;
}

int input_read(void* instance, void* buffer, int count)
{
    network_input_instance* in = static_cast<network_input_instance*>(instance);
    if (!in || !buffer || count < 0)
        return DK_ERR_INVALID_PARAMETERS;
    if (!in->connected)
        return DK_ERR_INTERNAL;
    const size_t n = static_cast<size_t>(count);
    uint8_t* out = static_cast<uint8_t*>(buffer);
    if (ring_used(&in->ring) < in->threshold || ring_used(&in->ring) < bytes_needed(in, n)) {
        if (!in->buffering) {
            in->buffering = true;
            in->threshold = static_cast<size_t>(in->settings.high_mark);
            progress(in, NETWORK_PROGRESS_UNDERFLOW, 0, "buffer underflow");
        }
        if (!in->ended) {
            fill(in, in->settings.read_timeout);
            if (ring_used(&in->ring) < in->threshold || ring_used(&in->ring) < bytes_needed(in, n)) {
                // A full ring that still lacks the request (a request or
                // metadata larger than the ring) gives what it holds.
                const size_t part = ring_free(&in->ring) < static_cast<size_t>(in->settings.max_packet) ? takeable(in, n) : 0;
                if (part > 0) {
                    take(in, out, part);
                    return static_cast<int>(part);
                }
                progress(in, NETWORK_PROGRESS_BUFFERING, buffering_percent(in), nullptr);
                return DK_ERR_TIMEOUT;
            }
        }
        if (in->ended && ring_used(&in->ring) < bytes_needed(in, n)) {
            // The end: what has fully arrived is delivered, then -514.
            const size_t tail = takeable(in, n);
            if (tail == 0)
                return DK_ERR_END_OF_INPUT;
            take(in, out, tail);
            return static_cast<int>(tail);
        }
        take(in, out, n);
        return count;
    }
    if (in->buffering) {
        in->buffering = false;
        in->threshold = 0;
        progress(in, NETWORK_PROGRESS_BUFFERING, 100, nullptr);
        progress(in, NETWORK_PROGRESS_REFILLED, 0, "buffer refilled");
    }
    take(in, out, n);
    if (in->accumulated > static_cast<size_t>(in->settings.max_accu) ||
        ring_used(&in->ring) < static_cast<size_t>(in->settings.force_fill_zone)) {
        fill(in, 0);
        in->accumulated = 0;
    } else {
        in->accumulated += n;
    }
    return count;
}

int input_seek(void*, uint32_t) { return -1; }

int input_capabilities(void*) { return 0; }

int input_size(void* instance)
{
    const network_input_instance* in = static_cast<network_input_instance*>(instance);
    return in ? static_cast<int>(in->content_length) : 0;
}

} // namespace

int network_input_module_register(input_module_ops* ops)
{
    if (!ops)
        return DK_ERR_INVALID_PARAMETERS;
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = input_probe;
    ops->query = input_query;
    ops->new_instance = input_new;
    ops->delete_instance = input_delete;
    ops->open = input_open;
    ops->close = input_close;
    ops->read = input_read;
    ops->seek = input_seek;
    ops->get_capabilities = input_capabilities;
    ops->get_size = input_size;
    ops->send_message = nullptr;
    return net_startup() == 0 ? 0 : -1;
}
