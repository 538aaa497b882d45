// The registries of input, output and codec modules: registration with its
// checks, and module queries.
#include "decoder/engine/decoder_private.h"

#include <stdlib.h>
#include <string.h>

namespace {

bool version_matches(uintptr_t version)
{
    return ((version >> 8) & 0xffff) == ((DECODER_MODULE_VERSION >> 8) & 0xffff);
}

// A method a table must have, and the detail reported when it is null.
struct required_method
{
    size_t offset; // of the method in the table
    const char* detail;
};

const required_method g_input_required[] = {
    {offsetof(input_module_ops, probe), "null 'probe' method in module"},
    {offsetof(input_module_ops, new_instance), "null 'new' method in module"},
    {offsetof(input_module_ops, delete_instance), "null 'delete' method in module"},
    {offsetof(input_module_ops, open), "null 'open' method in module"},
    {offsetof(input_module_ops, close), "null 'close' method in module"},
    {offsetof(input_module_ops, read), "null 'read' method in module"},
};

const required_method g_output_required[] = {
    {offsetof(output_module_ops, probe), "null 'probe' method in module"},
    {offsetof(output_module_ops, new_instance), "null 'new' method in module"},
    {offsetof(output_module_ops, delete_instance), "null 'delete' method in module"},
    {offsetof(output_module_ops, open), "null 'open' method in module"},
    {offsetof(output_module_ops, close), "null 'close' method in module"},
    {offsetof(output_module_ops, write), "null 'write' method in module"},
};

const required_method g_codec_required[] = {
    {offsetof(codec_module_ops, query), "null 'query' method"},
    {offsetof(codec_module_ops, probe), "null 'probe' method in module"},
    {offsetof(codec_module_ops, new_instance), "null 'new' method in module"},
    {offsetof(codec_module_ops, delete_instance), "null 'delete' method in module"},
    {offsetof(codec_module_ops, decode), "null 'decode' method in module"},
};

// One kind of module table: its size, the methods it must have, and the
// registry and count it is filed under.
struct registry_kind
{
    size_t ops_size;
    const required_method* required;
    size_t required_count;
    module_entry* decoder_private::*registry;
    uint32_t decoder_module_counts::*count;
};

const registry_kind g_input_kind = {
    sizeof(input_module_ops), g_input_required,
    sizeof(g_input_required) / sizeof(g_input_required[0]),
    &decoder_private::input_modules, &decoder_module_counts::input};

const registry_kind g_output_kind = {
    sizeof(output_module_ops), g_output_required,
    sizeof(g_output_required) / sizeof(g_output_required[0]),
    &decoder_private::output_modules, &decoder_module_counts::output};

const registry_kind g_codec_kind = {
    sizeof(codec_module_ops), g_codec_required,
    sizeof(g_codec_required) / sizeof(g_codec_required[0]),
    &decoder_private::codec_modules, &decoder_module_counts::codec};

bool method_present(const void* ops, size_t offset)
{
    void (*method)() = nullptr;
    memcpy(&method, static_cast<const unsigned char*>(ops) + offset, sizeof(method));
    return method != nullptr;
}

// Puts a copy of the table at the front of the registry; returns the id.
int add_entry(module_entry** registry, const void* ops, size_t ops_size, uint32_t* counter)
{
    module_entry* entry = static_cast<module_entry*>(calloc(1, sizeof(module_entry)));
    if (!entry)
        return DK_ERR_OUT_OF_MEMORY;
    memcpy(&entry->ops, ops, ops_size);
    entry->id = *registry ? (*registry)->id + 1 : 0;
    entry->next = *registry;
    *registry = entry;
    ++*counter;
    return entry->id;
}

// Every table starts with its version word. The first missing method is
// reported (-103).
int register_module(decoder* dec, const registry_kind& kind, const void* ops)
{
    if (!dec || !ops)
        return DK_ERR_INVALID_PARAMETERS;
    uintptr_t version = 0;
    memcpy(&version, ops, sizeof(version));
    if (!version_matches(version))
        return DK_ERR_VERSION_MISMATCH;
    for (size_t i = 0; i < kind.required_count; ++i)
        if (!method_present(ops, kind.required[i].offset))
            return decoder_internal_error(dec, kind.required[i].detail);
    return add_entry(&(dec->private_part->*kind.registry), ops, kind.ops_size,
                     &(dec->counts->*kind.count));
}

int query_module(module_info* info, int flags, int (*query)(module_info*, int), bool found)
{
    if (!found)
        return DK_ERR_MODULE_NOT_FOUND;
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (query) {
        info->flags = 0;
        info->name[0] = '\0';
        info->description[0] = '\0';
        const int r = query(info, flags);
        // A module from a library may fill a text to the brim.
        info->name[sizeof(info->name) - 1] = '\0';
        info->description[sizeof(info->description) - 1] = '\0';
        return r;
    }
    if (flags & MODULE_QUERY_NAME) {
        strcpy(info->name, "unknown module name");
        info->description[0] = '\0';
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 1;
    if ((flags & MODULE_QUERY_DEVICE) && !(flags & MODULE_QUERY_NAME)) {
        if (info->index > 0)
            return DK_ERR_INVALID_PARAMETERS;
        strcpy(info->name, "unknown device name");
        info->flags = 1;
        info->description[0] = '\0';
    }
    return 0;
}

} // namespace

module_entry* decoder_find_module(module_entry* registry, int id)
{
    for (module_entry* e = registry; e; e = e->next)
        if (e->id == id)
            return e;
    return nullptr;
}

int decoder_input_module_register(decoder* dec, const input_module_ops* ops)
{
    return register_module(dec, g_input_kind, ops);
}

int decoder_output_module_register(decoder* dec, const output_module_ops* ops)
{
    return register_module(dec, g_output_kind, ops);
}

int decoder_codec_module_register(decoder* dec, const codec_module_ops* ops)
{
    return register_module(dec, g_codec_kind, ops);
}

int decoder_input_module_query(decoder* dec, int id, module_info* info, int flags)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    module_entry* e = decoder_find_module(dec->private_part->input_modules, id);
    return query_module(info, flags, e ? e->ops.input.query : nullptr, e != nullptr);
}

int decoder_output_module_query(decoder* dec, int id, module_info* info, int flags)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    module_entry* e = decoder_find_module(dec->private_part->output_modules, id);
    return query_module(info, flags, e ? e->ops.output.query : nullptr, e != nullptr);
}

int decoder_codec_module_query(decoder* dec, int id, module_info* info, int flags)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    module_entry* e = decoder_find_module(dec->private_part->codec_modules, id);
    return query_module(info, flags, e ? e->ops.codec.query : nullptr, e != nullptr);
}
