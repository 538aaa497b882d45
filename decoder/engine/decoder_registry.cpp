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

struct required_entry
{
    bool present;
    const char* detail;
};

// The first missing entry is reported; -103. 0 when all are there.
int check_required(decoder* dec, const required_entry* entries, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (!entries[i].present)
            return decoder_internal_error(dec, entries[i].detail);
    return 0;
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
    if (!dec || !ops)
        return DK_ERR_INVALID_PARAMETERS;
    if (!version_matches(ops->version))
        return DK_ERR_VERSION_MISMATCH;
    const required_entry required[] = {
        { ops->probe != nullptr, "null 'probe' method in module" },
        { ops->new_instance != nullptr, "null 'new' method in module" },
        { ops->delete_instance != nullptr, "null 'delete' method in module" },
        { ops->open != nullptr, "null 'open' method in module" },
        { ops->close != nullptr, "null 'close' method in module" },
        { ops->read != nullptr, "null 'read' method in module" },
    };
    const int r = check_required(dec, required, sizeof(required) / sizeof(required[0]));
    if (r < 0)
        return r;
    return add_entry(&dec->private_part->input_modules, ops, sizeof(*ops), &dec->counts->input);
}

int decoder_output_module_register(decoder* dec, const output_module_ops* ops)
{
    if (!dec || !ops)
        return DK_ERR_INVALID_PARAMETERS;
    if (!version_matches(ops->version))
        return DK_ERR_VERSION_MISMATCH;
    const required_entry required[] = {
        { ops->probe != nullptr, "null 'probe' method in module" },
        { ops->new_instance != nullptr, "null 'new' method in module" },
        { ops->delete_instance != nullptr, "null 'delete' method in module" },
        { ops->open != nullptr, "null 'open' method in module" },
        { ops->close != nullptr, "null 'close' method in module" },
        { ops->write != nullptr, "null 'write' method in module" },
    };
    const int r = check_required(dec, required, sizeof(required) / sizeof(required[0]));
    if (r < 0)
        return r;
    return add_entry(&dec->private_part->output_modules, ops, sizeof(*ops), &dec->counts->output);
}

int decoder_codec_module_register(decoder* dec, const codec_module_ops* ops)
{
    if (!dec || !ops)
        return DK_ERR_INVALID_PARAMETERS;
    if (!version_matches(ops->version))
        return DK_ERR_VERSION_MISMATCH;
    const required_entry required[] = {
        { ops->query != nullptr, "null 'query' method" },
        { ops->probe != nullptr, "null 'probe' method in module" },
        { ops->new_instance != nullptr, "null 'new' method in module" },
        { ops->delete_instance != nullptr, "null 'delete' method in module" },
        { ops->decode != nullptr, "null 'decode' method in module" },
    };
    const int r = check_required(dec, required, sizeof(required) / sizeof(required[0]));
    if (r < 0)
        return r;
    return add_entry(&dec->private_part->codec_modules, ops, sizeof(*ops), &dec->counts->codec);
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
