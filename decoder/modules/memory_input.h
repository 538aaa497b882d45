// "Input From Memory": a static buffer named "%x@%x" (size, then address)
// or, for an empty name, a streaming buffer that the client fills with
// input messages while the decoder reads.
#pragma once

#include "decoder/engine/decoder.h"

enum memory_input_message
{
    MEMORY_INPUT_APPEND = 4097,
    MEMORY_INPUT_EMPTY = 4098,
    MEMORY_INPUT_CONTENT_TYPE = 4099,
    MEMORY_INPUT_SIZE = 4100,
};

enum { MEMORY_INPUT_STREAM_BLOCK = 65536 };

int memory_input_module_register(input_module_ops* ops);

// Splits "size@address"; false when the name does not parse.
bool memory_input_parse_name(const char* name, uint32_t* size, uintptr_t* address);
