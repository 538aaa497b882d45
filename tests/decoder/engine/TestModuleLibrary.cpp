// A module library as a third party would build one: it exports the entry
// points by their default names and a few others under names of its own.
// The input delivers bytes 0, 1, 2, ... 255, 0, ... (1000 of them); the
// codec turns every 400 bytes into 100 stereo 16-bit frames at 8000 Hz.
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder.h"

#define EXPORT extern "C" __declspec(dllexport)

namespace {

const int stream_size = 1000;

struct test_input
{
    int position;
};

int input_probe(const char* name) { return name && strncmp(name, "test:", 5) == 0 ? 0 : -1; }

int input_query(module_info* info, int flags)
{
    if (flags & MODULE_QUERY_NAME)
        strcpy(info->name, "Test Input Module");
    return 0;
}

int input_new(void** instance, const char*, module_entry*, decoder*)
{
    *instance = calloc(1, sizeof(test_input));
    return *instance ? 0 : DK_ERR_OUT_OF_MEMORY;
}

int input_delete(void* instance) { free(instance); return 0; }
int input_open(void* instance) { static_cast<test_input*>(instance)->position = 0; return 0; }
int input_close(void*) { return 0; }

int input_read(void* instance, void* buffer, int count)
{
    test_input* in = static_cast<test_input*>(instance);
    int n = 0;
    for (; n < count && in->position < stream_size; ++n, ++in->position)
        static_cast<unsigned char*>(buffer)[n] = static_cast<unsigned char>(in->position);
    return n;
}

int input_seek(void* instance, uint32_t offset)
{
    static_cast<test_input*>(instance)->position = static_cast<int>(offset);
    return 0;
}

int input_capabilities(void*) { return INPUT_CAN_SEEK; }
int input_size(void*) { return stream_size; }

struct test_codec
{
    decoder* dec;
};

int codec_probe(const char*, const char*) { return 0; }

int codec_query(module_info* info, int flags)
{
    if (flags & MODULE_QUERY_NAME)
        strcpy(info->name, "Test Codec");
    if (flags & MODULE_QUERY_FRAME_SIZE)
        info->frame_size = 400;
    return 0;
}

int codec_new(void** instance, const char*, const char*, module_entry*, decoder* dec)
{
    test_codec* c = static_cast<test_codec*>(calloc(1, sizeof(test_codec)));
    if (!c)
        return DK_ERR_OUT_OF_MEMORY;
    c->dec = dec;
    *instance = c;
    return 0;
}

int codec_delete(void* instance) { free(instance); return 0; }

int codec_decode(void* instance, pcm_buffer* pcm, stream_info*)
{
    decoder* dec = static_cast<test_codec*>(instance)->dec;
    const int r = dec->services.read(dec, pcm->samples, 400);
    if (r < 0)
        return r;
    const int bytes = r == 0 ? 400 : r;
    pcm->sample_count = bytes / 4;
    pcm->channels = 2;
    pcm->sample_rate = 8000;
    return 0;
}

void fill_input(input_module_ops* ops)
{
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
}

} // namespace

EXPORT int input_module_register(input_module_ops* ops)
{
    fill_input(ops);
    return 0;
}

EXPORT int codec_module_register(codec_module_ops* ops)
{
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = codec_probe;
    ops->query = codec_query;
    ops->new_instance = codec_new;
    ops->delete_instance = codec_delete;
    ops->decode = codec_decode;
    return 0;
}

// The same input under a name of its own ("second_input@library").
EXPORT int second_input(input_module_ops* ops)
{
    fill_input(ops);
    ops->version = DECODER_MODULE_VERSION | 0x7f; // the lowest byte is free
    return 0;
}

// An entry that fails: its error is passed on.
EXPORT int failing_input(input_module_ops*)
{
    return DK_ERR_OUT_OF_RESOURCES;
}

// A table of another interface version.
EXPORT int old_input(input_module_ops* ops)
{
    fill_input(ops);
    ops->version = 0x30400;
    return 0;
}

// A table without a probe method.
EXPORT int probeless_input(input_module_ops* ops)
{
    fill_input(ops);
    ops->probe = nullptr;
    return 0;
}
