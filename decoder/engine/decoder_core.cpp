// Creating and deleting the decoder, its debug reports and the services it
// hands its modules.
#include "decoder/engine/decoder_private.h"

#include <stdlib.h>
#include <string.h>

namespace {

decoder_private* priv(decoder* dec) { return dec->private_part; }

int service_read(decoder* dec, void* buffer, int count)
{
    return decoder_input_read(dec, buffer, count);
}

int service_seek(decoder* dec, uint32_t offset)
{
    return decoder_input_seek_to_offset(dec, offset);
}

int service_codec_resync(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    if (dec->input->state != DECODER_OPEN)
        return decoder_internal_error(dec, "input not open");
    if (dec->codec->instance && dec->codec->ops && dec->codec->ops->reset)
        dec->codec->ops->reset(dec->codec->instance);
    return 0;
}

int service_set_stream_integer(decoder* dec, const char* name, int32_t value)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    const int r = environment_set_integer(dec->status->info.properties, name, value);
    if (r >= 0)
        dec->status->info.changed |= STREAM_CHANGED_PROPERTIES;
    return r;
}

int service_get_stream_integer(decoder* dec, const char* name, int32_t* value)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    return environment_get_integer(dec->status->info.properties, name, value);
}

int service_set_stream_string(decoder* dec, const char* name, const char* text)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    const int r = environment_set_string(dec->status->info.properties, name, text);
    if (r >= 0)
        dec->status->info.changed |= STREAM_CHANGED_PROPERTIES;
    return r;
}

int service_get_stream_string(decoder* dec, const char* name, char* buffer)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    return environment_get_string(dec->status->info.properties, name, buffer);
}

int service_remove_stream_property(decoder* dec, const char* name)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    const int r = environment_unset(dec->status->info.properties, name);
    if (r >= 0)
        dec->status->info.changed |= STREAM_CHANGED_PROPERTIES;
    return r;
}

int service_set_environment_integer(decoder* dec, const char* name, int32_t value)
{
    return dec ? environment_set_integer(priv(dec)->env, name, value) : DK_ERR_INVALID_PARAMETERS;
}

int service_get_environment_integer(decoder* dec, const char* name, int32_t* value)
{
    return dec ? environment_get_integer(priv(dec)->env, name, value) : DK_ERR_INVALID_PARAMETERS;
}

int service_set_environment_string(decoder* dec, const char* name, const char* text)
{
    return dec ? environment_set_string(priv(dec)->env, name, text) : DK_ERR_INVALID_PARAMETERS;
}

int service_get_environment_string(decoder* dec, const char* name, char* buffer)
{
    return dec ? environment_get_string(priv(dec)->env, name, buffer) : DK_ERR_INVALID_PARAMETERS;
}

int service_remove_environment_variable(decoder* dec, const char* name)
{
    return dec ? environment_unset(priv(dec)->env, name) : DK_ERR_INVALID_PARAMETERS;
}

int service_add_environment_watcher(decoder* dec, const char* name, void* user,
                                    environment_watch_function function,
                                    environment_watcher** watcher)
{
    return dec ? environment_watch(priv(dec)->env, name, user, function, watcher)
               : DK_ERR_INVALID_PARAMETERS;
}

int service_remove_environment_watcher(decoder* dec, environment_watcher* watcher)
{
    return dec ? environment_unwatch(priv(dec)->env, watcher) : DK_ERR_INVALID_PARAMETERS;
}

void free_registry(module_entry* entry)
{
    while (entry) {
        module_entry* next = entry->next;
        free(entry);
        entry = next;
    }
}

} // namespace

char* decoder_copy_text(const char* text)
{
    if (!text)
        text = "";
    const size_t length = strlen(text);
    char* copy = static_cast<char*>(malloc(length + 1));
    if (copy)
        memcpy(copy, text, length + 1);
    return copy;
}

void decoder_debug(decoder* dec, const void* source, int level, const char* message,
                   const char* detail)
{
    if (dec && dec->debug_callback)
        dec->debug_callback(dec->client, source, level, message ? message : "",
                            detail ? detail : "");
}

int decoder_internal_error(decoder* dec, const char* detail)
{
    decoder_debug(dec, nullptr, 0, error_string(DK_ERR_INTERNAL), detail);
    return DK_ERR_INTERNAL;
}

int decoder_new(decoder** out)
{
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    *out = nullptr;
    decoder* dec = static_cast<decoder*>(calloc(1, sizeof(decoder)));
    decoder_private* p = static_cast<decoder_private*>(calloc(1, sizeof(decoder_private)));
    environment* properties = nullptr;
    environment* env = nullptr;
    if (!dec || !p || environment_new(&properties) < 0 || environment_new(&env) < 0) {
        environment_delete(properties);
        environment_delete(env);
        free(p);
        free(dec);
        return DK_ERR_OUT_OF_MEMORY;
    }
    dec->private_part = p;
    dec->input = &p->input;
    dec->output = &p->output;
    dec->codec = &p->codec;
    dec->counts = &p->counts;
    dec->status = &p->status;
    dec->pcm = &p->pcm;

    p->input.content_type = "unknown";
    p->output.capabilities = OUTPUT_DEFAULT_CAPABILITIES;
    p->status.info.properties = properties;
    p->env = env;
    p->pcm.bytes_per_sample = 2;

    decoder_services& s = dec->services;
    s.read = service_read;
    s.seek = service_seek;
    s.codec_resync = service_codec_resync;
    s.set_stream_integer = service_set_stream_integer;
    s.get_stream_integer = service_get_stream_integer;
    s.set_stream_string = service_set_stream_string;
    s.get_stream_string = service_get_stream_string;
    s.remove_stream_property = service_remove_stream_property;
    s.set_environment_integer = service_set_environment_integer;
    s.get_environment_integer = service_get_environment_integer;
    s.set_environment_string = service_set_environment_string;
    s.get_environment_string = service_get_environment_string;
    s.remove_environment_variable = service_remove_environment_variable;
    s.add_environment_watcher = service_add_environment_watcher;
    s.remove_environment_watcher = service_remove_environment_watcher;

    decoder_filters_init(dec);
    *out = dec;
    return 0;
}

int decoder_delete(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = priv(dec);
    if (p->input.instance)
        decoder_input_delete(dec);
    if (p->output.instance)
        decoder_output_delete(dec);
    decoder_filters_free(dec);
    if (p->codec.instance && p->codec.ops && p->codec.ops->delete_instance)
        p->codec.ops->delete_instance(p->codec.instance);
    free_registry(p->input_modules);
    free_registry(p->output_modules);
    free_registry(p->codec_modules);
    environment_delete(p->status.info.properties);
    environment_delete(p->env);
    free(p->parameters.equalizer);
    free(p->own_buffer);
    free(p->input.name);
    free(p->output.name);
    free(p);
    free(dec);
    return 0;
}
