// The decoder's private part and the helpers its source files share. Not
// for modules: they see only decoder/engine/decoder.h.
#pragma once

#include "decoder/engine/decoder.h"

#include <stdlib.h>
#include <string.h>

struct decoder_private
{
    decoder_input_state input;
    decoder_output_state output;
    decoder_codec_state codec;
    decoder_module_counts counts;
    decoder_status status;
    pcm_buffer pcm;

    void* own_buffer; // PCM buffer when the output gives none
    int32_t own_buffer_size;
    codec_parameters parameters;

    input_filter_entry* input_chain; // first entry; the module end is last
    input_filter_entry input_end;
    output_filter_entry* output_chain;
    output_filter_entry output_end;

    module_entry* input_modules; // newest first
    module_entry* output_modules;
    module_entry* codec_modules;
    module_entry* input_module; // the selected ones
    module_entry* output_module;
    module_entry* codec_module;
    module_entry* codec_choice; // taken without probing; null: probe

    environment* env;
    uint32_t position_s; // decoding position
    uint32_t position_us;
};

// Reports ("internal error", detail) to the debug callback; returns -103.
int decoder_internal_error(decoder* dec, const char* detail);

char* decoder_copy_text(const char* text);

module_entry* decoder_find_module(module_entry* registry, int id);

// Picks the module for a name: the one with the given id, or with id -1 the
// first whose probe (probeOf(entry)) accepts the name. 0 and *chosen set, or
// `unsupported` when no probe accepts it, or -module-not-found for a bad id.
template <typename ProbeOf>
int decoder_choose_module(module_entry* registry, const char* name, int id,
                          ProbeOf probeOf, int unsupported, module_entry** chosen)
{
    *chosen = nullptr;
    if (id != -1) {
        *chosen = decoder_find_module(registry, id);
        return *chosen ? 0 : DK_ERR_MODULE_NOT_FOUND;
    }
    for (module_entry* e = registry; e; e = e->next) {
        auto probe = probeOf(e);
        if (probe && probe(name) == 0) {
            *chosen = e;
            return 0;
        }
    }
    return unsupported;
}

// Makes the instance of an endpoint (the input or the output) for name: the
// module picked by decoder_choose_module (opsOf gives an entry's operations
// of this kind), nothing done when it and the name are the ones in use, else
// the old instance deleted with deleteEndpoint and a new one made, closed.
template <typename State, typename Ops>
int decoder_endpoint_new(decoder* dec, State& end, module_entry*& selected,
                         module_entry* registry, const char* name, int id,
                         const Ops* (*opsOf)(module_entry*), int unsupported,
                         int (*deleteEndpoint)(decoder*))
{
    if (!name)
        name = "";
    module_entry* chosen = nullptr;
    const int found = decoder_choose_module(
        registry, name, id, [opsOf](module_entry* e) { return opsOf(e)->probe; }, unsupported,
        &chosen);
    if (found < 0)
        return found;

    if (end.instance && selected == chosen && end.name && strcmp(end.name, name) == 0)
        return 0;

    if (end.instance)
        deleteEndpoint(dec);
    char* copy = decoder_copy_text(name);
    if (!copy)
        return DK_ERR_OUT_OF_MEMORY;
    free(end.name);
    end.name = copy;
    selected = chosen;
    end.ops = opsOf(chosen);
    end.capabilities = 0;

    void* instance = nullptr;
    const int r = end.ops->new_instance(&instance, end.name, chosen, dec);
    if (r < 0) {
        end.instance = nullptr;
        return r;
    }
    end.instance = instance;
    end.state = DECODER_CLOSED;
    return 0;
}

// Set up the module ends of both chains (at decoder_new).
void decoder_filters_init(decoder* dec);
void decoder_filters_free(decoder* dec);

// Seconds and microseconds of n samples at the rate, as the position
// advances (unsigned 32-bit arithmetic).
uint32_t decoder_block_microseconds(uint32_t samples, uint32_t rate);
void decoder_update_position(decoder* dec);
void decoder_update_timecode(decoder* dec);

// Selects a codec for the open input (the chosen one or by probing; create,
// query, parameters).
int decoder_codec_select(decoder* dec);
