// The message texts of the engine's result codes, one table per family.
#include "decoder/engine/decoder_errors.h"

#include <stddef.h>

namespace {

const char* const general_texts[] = {
    "out of memory", "out of resources", "invalid parameters", "internal error",
    "timeout", "version expired", "version mismatch",
};
const char* const network_texts[] = {
    "connect timed out", "connect failed", "connection refused", "accept failed",
    "listen failed", "socket failed", "socket closed", "bind failed", "host unknown",
    "invalid http reply", "http error reply", "http error", "invalid ftp reply",
    "ftp error reply", "ftp error",
};
const char* const transport_texts[] = {
    "pipe failed", "fork failed", "select failed", "pipe closed", "pipe read failed",
    "pipe write failed", "invalid message", "circular queue full", "post failed",
};
const char* const address_texts[] = {
    "unsupported url scheme", "invalid url syntax",
};
const char* const io_texts[] = {
    "open failed", "close failed", "read failed", "write failed", "permission denied",
    "no such device", "ioctl failed", "plugin module not found", "unsupported input type",
    "unsupported output type", "unsupported format", "device busy", "no such device",
    "no such file", "end of input stream",
};
const char* const codec_texts[] = { "no codec found for this stream" };
const char* const frame_texts[] = { "invalid frame" };
const char* const library_texts[] = { "library not found", "symbol not found" };
const char* const property_texts[] = {
    "no such property or environment variable",
    "invalid property or environment variable type",
};
const char* const interface_texts[] = { "no such interface" };

struct error_family
{
    const char* const* texts;
    int count;
};

#define FAMILY(t) { t, static_cast<int>(sizeof(t) / sizeof(t[0])) }
// Index = family number (code / -100) - 1.
const error_family families[] = {
    FAMILY(general_texts), FAMILY(network_texts), FAMILY(transport_texts),
    FAMILY(address_texts), FAMILY(io_texts), FAMILY(codec_texts),
    FAMILY(frame_texts), FAMILY(library_texts), FAMILY(property_texts),
    FAMILY(interface_texts),
};
#undef FAMILY

} // namespace

const char* error_string(int code)
{
    if (code >= 0)
        return "";
    // Negate in unsigned arithmetic so that INT_MIN cannot overflow.
    const unsigned magnitude = 0u - static_cast<unsigned>(code);
    const unsigned family = magnitude / 100;
    const unsigned index = magnitude % 100;
    if (family < 1 || family > sizeof(families) / sizeof(families[0]))
        return "unknown error";
    const error_family& f = families[family - 1];
    if (index >= static_cast<unsigned>(f.count))
        return "";
    return f.texts[index];
}
