// A list of named properties as the engine hands it to its clients (the
// stream properties, an environment snapshot, creation properties).
#pragma once

#include <stdint.h>

enum property_type
{
    PROPERTY_STRING = 0,
    PROPERTY_INTEGER = 1,
    PROPERTY_HOOK = 8, // value.pointer points at a (user value, function) pair
};

struct property_entry
{
    const char* name;
    int32_t type;
    union {
        const char* text;
        int32_t integer;
        void* pointer;
    } value;
};

struct property_list
{
    uint32_t count;
    property_entry* entries;
};
