// The input and output filter chains. Each chain ends in a module end whose
// methods call the selected input or output module; a filter passes a call
// on by calling the same method of its next entry.
#include "decoder/engine/decoder_private.h"

#include <stdlib.h>
#include <string.h>

namespace {

decoder* end_decoder(input_filter_entry* e) { return static_cast<decoder*>(e->instance); }
decoder* end_decoder(output_filter_entry* e) { return static_cast<decoder*>(e->instance); }

// --- input module end ------------------------------------------------------

int input_end_check(decoder* dec)
{
    if (!dec->input->ops)
        return decoder_internal_error(dec, "null input module");
    if (!dec->input->instance)
        return decoder_internal_error(dec, "null input instance");
    return 0;
}

int input_end_open(input_filter_entry* e)
{
    decoder* dec = end_decoder(e);
    const int r = input_end_check(dec);
    return r < 0 ? r : dec->input->ops->open(dec->input->instance);
}

int input_end_close(input_filter_entry* e)
{
    decoder* dec = end_decoder(e);
    const int r = input_end_check(dec);
    return r < 0 ? r : dec->input->ops->close(dec->input->instance);
}

int input_end_read(input_filter_entry* e, void* buffer, int count)
{
    decoder* dec = end_decoder(e);
    const int r = input_end_check(dec);
    return r < 0 ? r : dec->input->ops->read(dec->input->instance, buffer, count);
}

int input_end_seek(input_filter_entry* e, uint32_t offset)
{
    decoder* dec = end_decoder(e);
    if (input_end_check(dec) < 0 || !dec->input->ops->seek)
        return -1;
    return dec->input->ops->seek(dec->input->instance, offset);
}

int input_end_get_capabilities(input_filter_entry* e)
{
    decoder* dec = end_decoder(e);
    if (!dec->input->ops || !dec->input->instance || !dec->input->ops->get_capabilities)
        return 0;
    return dec->input->ops->get_capabilities(dec->input->instance);
}

int input_end_get_size(input_filter_entry* e)
{
    decoder* dec = end_decoder(e);
    if (!dec->input->ops || !dec->input->instance || !dec->input->ops->get_size)
        return 0;
    return dec->input->ops->get_size(dec->input->instance);
}

int input_end_send_message(input_filter_entry* e, int type, const void* data, int size)
{
    decoder* dec = end_decoder(e);
    const int r = input_end_check(dec);
    if (r < 0)
        return r;
    if (!dec->input->ops->send_message)
        return -1;
    return dec->input->ops->send_message(dec->input->instance, type, data, size);
}

// --- output module end -----------------------------------------------------

int output_end_check(decoder* dec)
{
    if (!dec->output->ops)
        return decoder_internal_error(dec, "null output module");
    if (!dec->output->instance)
        return decoder_internal_error(dec, "null output instance");
    return 0;
}

int output_end_open(output_filter_entry* e)
{
    decoder* dec = end_decoder(e);
    const int r = output_end_check(dec);
    return r < 0 ? r : dec->output->ops->open(dec->output->instance);
}

int output_end_close(output_filter_entry* e)
{
    decoder* dec = end_decoder(e);
    const int r = output_end_check(dec);
    return r < 0 ? r : dec->output->ops->close(dec->output->instance);
}

int output_end_write(output_filter_entry* e, void* samples, int byte_count,
                     int bytes_per_sample, int channels, int rate)
{
    decoder* dec = end_decoder(e);
    const int r = output_end_check(dec);
    return r < 0 ? r
                 : dec->output->ops->write(dec->output->instance, samples, byte_count,
                                           bytes_per_sample, channels, rate);
}

// Without a buffer of the output's, the decoder's own, allocated once at the
// codec's frame size.
void* output_end_get_buffer(output_filter_entry* e, int byte_count)
{
    decoder* dec = end_decoder(e);
    if (dec->output->ops && dec->output->instance && dec->output->ops->get_buffer)
        return dec->output->ops->get_buffer(dec->output->instance, byte_count);
    decoder_private* p = dec->private_part;
    if (!p->own_buffer && dec->codec->frame_size > 0) {
        p->own_buffer = malloc(static_cast<size_t>(dec->codec->frame_size));
        p->own_buffer_size = p->own_buffer ? dec->codec->frame_size : 0;
    }
    return p->own_buffer;
}

int output_end_set_control(output_filter_entry* e, output_control* control, int mask)
{
    decoder* dec = end_decoder(e);
    if (!dec->output->ops || !dec->output->instance || !dec->output->ops->set_control)
        return 0;
    return dec->output->ops->set_control(dec->output->instance, control, mask);
}

int output_end_get_control(output_filter_entry* e, output_control* control, int mask)
{
    decoder* dec = end_decoder(e);
    if (dec->output->ops && dec->output->instance && dec->output->ops->get_control)
        return dec->output->ops->get_control(dec->output->instance, control, mask);
    control->channels = 2;
    control->master_level = 100;
    control->pcm_level = 100;
    control->balance = 50;
    control->ports = 1;
    return 0;
}

int output_end_get_status(output_filter_entry* e, int* delay_ms)
{
    decoder* dec = end_decoder(e);
    if (!dec->output->ops || !dec->output->instance || !dec->output->ops->get_status)
        return -1;
    return dec->output->ops->get_status(dec->output->instance, delay_ms);
}

int output_end_get_capabilities(output_filter_entry* e)
{
    decoder* dec = end_decoder(e);
    if (!dec->output->ops || !dec->output->instance || !dec->output->ops->get_capabilities)
        return OUTPUT_DEFAULT_CAPABILITIES;
    return dec->output->ops->get_capabilities(dec->output->instance);
}

int output_end_send_message(output_filter_entry* e, int type, const void* data, int size)
{
    decoder* dec = end_decoder(e);
    const int r = output_end_check(dec);
    if (r < 0)
        return r;
    if (!dec->output->ops->send_message)
        return -1;
    return dec->output->ops->send_message(dec->output->instance, type, data, size);
}

// --- pass-through defaults of filters --------------------------------------

int pass_open(input_filter_entry* e) { return e->next ? e->next->ops.open(e->next) : DK_ERR_INTERNAL; }
int pass_close(input_filter_entry* e) { return e->next ? e->next->ops.close(e->next) : DK_ERR_INTERNAL; }
int pass_read(input_filter_entry* e, void* b, int n) { return e->next ? e->next->ops.read(e->next, b, n) : DK_ERR_INTERNAL; }
int pass_seek(input_filter_entry* e, uint32_t o) { return e->next ? e->next->ops.seek(e->next, o) : -1; }
int pass_get_capabilities(input_filter_entry* e) { return e->next ? e->next->ops.get_capabilities(e->next) : 0; }
int pass_get_size(input_filter_entry* e) { return e->next ? e->next->ops.get_size(e->next) : 0; }
int pass_send_message(input_filter_entry* e, int t, const void* d, int s) { return e->next ? e->next->ops.send_message(e->next, t, d, s) : -1; }

int pass_open(output_filter_entry* e) { return e->next ? e->next->ops.open(e->next) : DK_ERR_INTERNAL; }
int pass_close(output_filter_entry* e) { return e->next ? e->next->ops.close(e->next) : DK_ERR_INTERNAL; }
int pass_write(output_filter_entry* e, void* s, int n, int b, int c, int r) { return e->next ? e->next->ops.write(e->next, s, n, b, c, r) : DK_ERR_INTERNAL; }
void* pass_get_buffer(output_filter_entry* e, int n) { return e->next ? e->next->ops.get_buffer(e->next, n) : nullptr; }
int pass_set_control(output_filter_entry* e, output_control* c, int m) { return e->next ? e->next->ops.set_control(e->next, c, m) : 0; }
int pass_get_control(output_filter_entry* e, output_control* c, int m) { return e->next ? e->next->ops.get_control(e->next, c, m) : 0; }
int pass_get_status(output_filter_entry* e, int* d) { return e->next ? e->next->ops.get_status(e->next, d) : -1; }
int pass_get_capabilities(output_filter_entry* e) { return e->next ? e->next->ops.get_capabilities(e->next) : OUTPUT_DEFAULT_CAPABILITIES; }
int pass_send_message(output_filter_entry* e, int t, const void* d, int s) { return e->next ? e->next->ops.send_message(e->next, t, d, s) : -1; }

void fill_defaults(input_filter_module_ops& ops)
{
    if (!ops.open) ops.open = pass_open;
    if (!ops.close) ops.close = pass_close;
    if (!ops.read) ops.read = pass_read;
    if (!ops.seek) ops.seek = pass_seek;
    if (!ops.get_capabilities) ops.get_capabilities = pass_get_capabilities;
    if (!ops.get_size) ops.get_size = pass_get_size;
    if (!ops.send_message) ops.send_message = pass_send_message;
}

void fill_defaults(output_filter_module_ops& ops)
{
    if (!ops.open) ops.open = pass_open;
    if (!ops.close) ops.close = pass_close;
    if (!ops.write) ops.write = pass_write;
    if (!ops.get_buffer) ops.get_buffer = pass_get_buffer;
    if (!ops.set_control) ops.set_control = pass_set_control;
    if (!ops.get_control) ops.get_control = pass_get_control;
    if (!ops.get_status) ops.get_status = pass_get_status;
    if (!ops.get_capabilities) ops.get_capabilities = pass_get_capabilities;
    if (!ops.send_message) ops.send_message = pass_send_message;
}

// --- the chain operations, alike for both kinds ----------------------------

template <typename Entry>
int free_filter_id(Entry* chain)
{
    int id = 1;
    for (Entry* e = chain; e;) {
        if (e->id == id) {
            ++id;
            e = chain; // a clash: scan again from the front
        } else {
            e = e->next;
        }
    }
    return id;
}

template <typename Entry>
void link_before(Entry** chain, Entry* before, Entry* entry)
{
    entry->next = before;
    entry->previous = before->previous;
    if (before->previous)
        before->previous->next = entry;
    else
        *chain = entry;
    before->previous = entry;
}

template <typename Entry, typename Ops>
int filter_register(decoder* dec, Entry** chain, Entry* module_end, const Ops* ops, int position)
{
    if (!ops || !ops->query || position < -1)
        return DK_ERR_INVALID_PARAMETERS;
    if (((ops->version >> 8) & 0xffff) != ((DECODER_MODULE_VERSION >> 8) & 0xffff))
        return DK_ERR_VERSION_MISMATCH;
    Entry* entry = static_cast<Entry*>(calloc(1, sizeof(Entry)));
    if (!entry)
        return DK_ERR_OUT_OF_MEMORY;
    entry->ops = *ops;
    fill_defaults(entry->ops);
    entry->id = free_filter_id(*chain);

    Entry* before = module_end;
    if (position == -1) {
        before = *chain;
    } else if (position > 1) {
        for (Entry* e = *chain; e != module_end; e = e->next)
            if (e->id == position) {
                before = e;
                break;
            }
    }
    if (entry->ops.new_instance) {
        const int r = entry->ops.new_instance(&entry->instance, entry->id, dec);
        if (r < 0) {
            free(entry);
            return r;
        }
    }
    link_before(chain, before, entry);
    return entry->id;
}

template <typename Entry>
bool filter_has_name(Entry* e, const char* name)
{
    module_info info;
    memset(&info, 0, sizeof(info));
    if (e->ops.query(&info, MODULE_QUERY_NAME) < 0)
        return false;
    info.name[sizeof(info.name) - 1] = '\0';
    return strcmp(info.name, name) == 0;
}

template <typename Entry>
int filter_unregister(Entry** chain, Entry* module_end, const char* name, int id)
{
    Entry* found = nullptr;
    if (id == -2) {
        if (name)
            for (Entry* e = *chain; e != module_end && !found; e = e->next)
                if (filter_has_name(e, name))
                    found = e;
    } else if (id == -1) {
        found = *chain;
    } else if (id == 0) {
        found = module_end->previous;
    } else {
        for (Entry* e = *chain; e != module_end && !found; e = e->next)
            if (e->id == id)
                found = e;
    }
    if (!found || found == module_end)
        return -1;
    if (found->previous)
        found->previous->next = found->next;
    else
        *chain = found->next;
    found->next->previous = found->previous;
    if (found->ops.delete_instance)
        found->ops.delete_instance(found->instance);
    free(found);
    return (*chain)->id;
}

template <typename Entry, typename Function>
int filters_enumerate(Entry* chain, Entry* module_end, void* client, Function function)
{
    if (!function)
        return DK_ERR_INVALID_PARAMETERS;
    for (Entry* e = chain; e && e != module_end;) {
        Entry* next = e->next;
        function(client, e);
        e = next;
    }
    return 0;
}

template <typename Entry>
void filters_free(Entry** chain, Entry* module_end)
{
    while (*chain && *chain != module_end) {
        Entry* e = *chain;
        *chain = e->next;
        if (e->ops.delete_instance)
            e->ops.delete_instance(e->instance);
        free(e);
    }
    module_end->previous = nullptr;
}

} // namespace

void decoder_filters_init(decoder* dec)
{
    decoder_private* p = dec->private_part;
    input_filter_entry& in = p->input_end;
    in.id = 0;
    in.instance = dec;
    in.ops.version = DECODER_MODULE_VERSION;
    in.ops.open = input_end_open;
    in.ops.close = input_end_close;
    in.ops.read = input_end_read;
    in.ops.seek = input_end_seek;
    in.ops.get_capabilities = input_end_get_capabilities;
    in.ops.get_size = input_end_get_size;
    in.ops.send_message = input_end_send_message;
    p->input_chain = &in;

    output_filter_entry& out = p->output_end;
    out.id = 0;
    out.instance = dec;
    out.ops.version = DECODER_MODULE_VERSION;
    out.ops.open = output_end_open;
    out.ops.close = output_end_close;
    out.ops.write = output_end_write;
    out.ops.get_buffer = output_end_get_buffer;
    out.ops.set_control = output_end_set_control;
    out.ops.get_control = output_end_get_control;
    out.ops.get_status = output_end_get_status;
    out.ops.get_capabilities = output_end_get_capabilities;
    out.ops.send_message = output_end_send_message;
    p->output_chain = &out;
}

void decoder_filters_free(decoder* dec)
{
    decoder_private* p = dec->private_part;
    filters_free(&p->input_chain, &p->input_end);
    filters_free(&p->output_chain, &p->output_end);
}

int decoder_input_filter_register(decoder* dec, const input_filter_module_ops* ops, int position)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    return filter_register(dec, &p->input_chain, &p->input_end, ops, position);
}

int decoder_output_filter_register(decoder* dec, const output_filter_module_ops* ops, int position)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    return filter_register(dec, &p->output_chain, &p->output_end, ops, position);
}

int decoder_input_filter_unregister(decoder* dec, const char* name, int id)
{
    if (!dec)
        return -1;
    decoder_private* p = dec->private_part;
    return filter_unregister(&p->input_chain, &p->input_end, name, id);
}

int decoder_output_filter_unregister(decoder* dec, const char* name, int id)
{
    if (!dec)
        return -1;
    decoder_private* p = dec->private_part;
    return filter_unregister(&p->output_chain, &p->output_end, name, id);
}

int decoder_input_filters_enumerate(decoder* dec, void* client, input_filter_enumerate_function function)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    return filters_enumerate(p->input_chain, &p->input_end, client, function);
}

int decoder_output_filters_enumerate(decoder* dec, void* client, output_filter_enumerate_function function)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    return filters_enumerate(p->output_chain, &p->output_end, client, function);
}
