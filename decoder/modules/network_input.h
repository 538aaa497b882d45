// "Network Streaming Module": reads a stream from http://, icy:// (HTTP
// with in-band metadata), ftp://, tcp:// or udp:// addresses into a ring
// buffer that the network fills in bursts and the codec reads steadily.
// Reports buffering through the decoder's progress callback (the codes
// below) and ICY metadata as stream properties "icy/NAME".
#pragma once

#include "decoder/engine/decoder.h"

enum network_input_progress
{
    NETWORK_PROGRESS_CONNECTING = 16,
    NETWORK_PROGRESS_CONNECTED = 17,
    NETWORK_PROGRESS_UNDERFLOW = 19,
    NETWORK_PROGRESS_REFILLED = 20,
    NETWORK_PROGRESS_BUFFERING = 21, // value: percent of the high mark
    NETWORK_PROGRESS_FILL = 22,      // value: percent of the buffer
    NETWORK_PROGRESS_END = 23,
};

// Fills the table; -1 (with the table filled) when Windows Sockets do not start.
int network_input_module_register(input_module_ops* ops);
