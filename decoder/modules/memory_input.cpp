#include "decoder/modules/memory_input.h"

#include <stdlib.h>
#include <string.h>

#include "decoder/player/ring_buffer.h"

namespace {

enum { KIND_STATIC = 0, KIND_STREAMING = 1 };

struct memory_input_instance
{
    module_entry* entry;
    decoder* dec;
    int kind;
    // static
    uint32_t position;
    uint32_t size;
    const uint8_t* address;
    // streaming
    uint8_t* block;
    ring_buffer ring;
    uint32_t announced_size;
    char* content_type;
};

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int input_probe(const char* name)
{
    uint32_t size = 0;
    uintptr_t address = 0;
    if (!name || !*name)
        return 0;
    return memory_input_parse_name(name, &size, &address) ? 0 : -1;
}

int input_query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        strcpy(info->name, "Input From Memory");
        strcpy(info->description, "Version 1.0");
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 2;
    if (flags & MODULE_QUERY_DEVICE) {
        if (info->index == 0) {
            strcpy(info->name, "[null or empty string]");
            strcpy(info->description, "streaming buffer");
            info->flags = 3;
        } else if (info->index == 1) {
            strcpy(info->name, "size@address");
            strcpy(info->description, "static buffer");
            info->flags = 1;
        } else {
            return DK_ERR_INVALID_PARAMETERS;
        }
    }
    return 0;
}

int input_new(void** instance, const char* name, module_entry* entry, decoder* dec)
{
    memory_input_instance* in = static_cast<memory_input_instance*>(calloc(1, sizeof(memory_input_instance)));
    if (!in)
        return DK_ERR_OUT_OF_MEMORY;
    in->entry = entry;
    in->dec = dec;
    if (name && *name) {
        uintptr_t address = 0;
        if (!memory_input_parse_name(name, &in->size, &address)) {
            free(in);
            return DK_ERR_INVALID_PARAMETERS;
        }
        in->kind = KIND_STATIC;
        in->address = reinterpret_cast<const uint8_t*>(address);
    } else {
        in->kind = KIND_STREAMING;
        in->block = static_cast<uint8_t*>(malloc(MEMORY_INPUT_STREAM_BLOCK));
        if (!in->block) {
            free(in);
            return DK_ERR_OUT_OF_MEMORY;
        }
        ring_init(&in->ring, in->block, MEMORY_INPUT_STREAM_BLOCK);
    }
    *instance = in;
    return 0;
}

int input_delete(void* instance)
{
    memory_input_instance* in = static_cast<memory_input_instance*>(instance);
    if (!in)
        return DK_ERR_INVALID_PARAMETERS;
    free(in->block);
    free(in->content_type);
    free(in);
    return 0;
}

int input_open(void* instance)
{
    memory_input_instance* in = static_cast<memory_input_instance*>(instance);
    if (in->content_type && in->dec && in->dec->input)
        in->dec->input->content_type = in->content_type;
    if (in->kind == KIND_STREAMING)
        ring_init(&in->ring, in->block, MEMORY_INPUT_STREAM_BLOCK);
    else
        in->position = 0;
    return 0;
}

int input_close(void*) { return 0; }

int input_read(void* instance, void* buffer, int count)
{
    memory_input_instance* in = static_cast<memory_input_instance*>(instance);
    if (!buffer || count < 0)
        return DK_ERR_INVALID_PARAMETERS;
    const uint32_t n = static_cast<uint32_t>(count);
    if (in->kind == KIND_STATIC) {
        const uint32_t left = in->size - in->position;
        if (left == 0)
            return DK_ERR_END_OF_INPUT;
        // The tail shorter than the request is delivered, as the file input does.
        const uint32_t take = n < left ? n : left;
        memcpy(buffer, in->address + in->position, take);
        in->position += take;
        return static_cast<int>(take);
    }
    if (ring_used(&in->ring) < n)
        return DK_ERR_TIMEOUT;
    ring_read(&in->ring, buffer, n);
    return count;
}

int input_seek(void* instance, uint32_t offset)
{
    memory_input_instance* in = static_cast<memory_input_instance*>(instance);
    if (in->kind == KIND_STATIC) {
        if (offset >= in->size)
            return DK_ERR_INVALID_PARAMETERS;
        in->position = offset;
        return 0;
    }
    ring_init(&in->ring, in->block, MEMORY_INPUT_STREAM_BLOCK);
    return 0;
}

int input_capabilities(void* instance)
{
    return static_cast<memory_input_instance*>(instance)->kind == KIND_STATIC ? INPUT_CAN_SEEK : 0;
}

int input_size(void* instance)
{
    memory_input_instance* in = static_cast<memory_input_instance*>(instance);
    return static_cast<int>(in->kind == KIND_STATIC ? in->size : in->announced_size);
}

int input_message(void* instance, int type, const void* data, int length)
{
    memory_input_instance* in = static_cast<memory_input_instance*>(instance);
    switch (type) {
    case MEMORY_INPUT_APPEND: {
        if (in->kind == KIND_STATIC)
            return DK_ERR_INVALID_PARAMETERS;
        if (!data || length <= 0)
            return 0;
        size_t take = ring_free(&in->ring);
        if (take > static_cast<size_t>(length))
            take = static_cast<size_t>(length);
        ring_write(&in->ring, data, take);
        return static_cast<int>(take);
    }
    case MEMORY_INPUT_EMPTY:
        if (in->kind == KIND_STATIC)
            return DK_ERR_INVALID_PARAMETERS;
        ring_init(&in->ring, in->block, MEMORY_INPUT_STREAM_BLOCK);
        return 0;
    case MEMORY_INPUT_CONTENT_TYPE: {
        free(in->content_type);
        in->content_type = nullptr;
        if (!data)
            return 0;
        // The text need not end in a NUL: it is bounded by the length.
        const size_t n = length > 0 ? strnlen(static_cast<const char*>(data), static_cast<size_t>(length)) : 0;
        in->content_type = static_cast<char*>(malloc(n + 1));
        if (!in->content_type)
            return DK_ERR_OUT_OF_MEMORY;
        memcpy(in->content_type, data, n);
        in->content_type[n] = 0;
        return 0;
    }
    case MEMORY_INPUT_SIZE:
        if (!data || length < 4)
            return DK_ERR_INVALID_PARAMETERS;
        memcpy(&in->announced_size, data, 4);
        return 0;
    default:
        return -1;
    }
}

} // namespace

bool memory_input_parse_name(const char* name, uint32_t* size, uintptr_t* address)
{
    if (!name)
        return false;
    const char* at = strchr(name, '@');
    if (!at)
        return false;
    uint64_t s = 0;
    for (const char* c = name; c < at; ++c) {
        const int d = hex_digit(*c);
        if (d < 0 || s > 0xFFFFFFFu)
            return false;
        s = s * 16 + static_cast<uint64_t>(d);
    }
    uintptr_t a = 0;
    for (const char* c = at + 1; *c; ++c) {
        const int d = hex_digit(*c);
        if (d < 0 || a > (UINTPTR_MAX >> 4))
            return false;
        a = a * 16 + static_cast<uintptr_t>(d);
    }
    *size = static_cast<uint32_t>(s);
    *address = a;
    return true;
}

int memory_input_module_register(input_module_ops* ops)
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
    ops->send_message = input_message;
    return 0;
}
