// The decoder's input side: selecting, opening and closing the input,
// choosing the codec, reading and seeking.
#include "decoder/engine/decoder_private.h"

#include <stdlib.h>
#include <string.h>

namespace {

void reset_input_counters(decoder_input_state* input)
{
    input->capabilities = 0;
    input->size = 0;
    input->position = 0;
    input->content_type = "unknown";
}

void reset_status(decoder_private* p)
{
    environment* properties = p->status.info.properties;
    memset(&p->status, 0, sizeof(p->status));
    p->status.info.properties = properties;
    environment_clear(properties);
    p->position_s = 0;
    p->position_us = 0;
}

input_filter_entry* chain(decoder* dec) { return dec->private_part->input_chain; }

} // namespace

void decoder_update_position(decoder* dec)
{
    const decoder_input_state* input = dec->input;
    float fraction = 0.0f;
    if (dec->codec->instance && dec->codec->ops && dec->codec->ops->position_of_offset)
        fraction = dec->codec->ops->position_of_offset(dec->codec->instance, input->position);
    else if (input->size)
        fraction = static_cast<float>(static_cast<double>(input->position) / input->size);
    if (!(fraction >= 0.0f)) // also a codec's NaN
        fraction = 0.0f;
    if (fraction > 1.0f)
        fraction = 1.0f;
    dec->status->position = fraction;
}

void decoder_update_timecode(decoder* dec)
{
    const decoder_private* p = dec->private_part;
    decoder_timecode& t = dec->status->timecode;
    t.hours = static_cast<int32_t>(p->position_s / 3600);
    t.minutes = static_cast<int32_t>((p->position_s % 3600) / 60);
    t.seconds = static_cast<int32_t>(p->position_s % 60);
    t.hundredths = static_cast<int32_t>(p->position_us / 10000);
}

int decoder_codec_select(decoder* dec)
{
    decoder_private* p = dec->private_part;
    const char* content_type = dec->input->content_type ? dec->input->content_type : "audio/unknown";
    const char* name = dec->input->name ? dec->input->name : "";

    // A codec chosen by id takes the stream as it is, like an input or
    // output chosen by id; otherwise the newest codec that accepts it.
    module_entry* chosen = p->codec_choice;
    if (!chosen) {
        for (module_entry* e = p->codec_modules; e && !chosen; e = e->next)
            if (e->ops.codec.probe && e->ops.codec.probe(content_type, name) == 0)
                chosen = e;
    }
    if (!chosen)
        return DK_ERR_NO_CODEC;

    if (p->codec.instance && p->codec_module == chosen)
        return 0;
    if (p->codec.instance && p->codec.ops && p->codec.ops->delete_instance)
        p->codec.ops->delete_instance(p->codec.instance);
    p->codec.instance = nullptr;
    p->codec.ops = nullptr;
    p->codec_module = nullptr;

    const codec_module_ops* ops = &chosen->ops.codec;
    void* instance = nullptr;
    const int r = ops->new_instance(&instance, content_type, name, chosen, dec);
    if (r < 0 || !instance)
        return r < 0 ? r : DK_ERR_INTERNAL;
    p->codec.instance = instance;
    p->codec.ops = ops;
    p->codec_module = chosen;

    module_info info;
    memset(&info, 0, sizeof(info));
    ops->query(&info, MODULE_QUERY_FRAME_SIZE | MODULE_QUERY_CAPABILITIES);
    p->codec.frame_size = info.frame_size;
    p->codec.capabilities = info.flags;

    if (p->own_buffer && p->own_buffer_size < p->codec.frame_size) {
        free(p->own_buffer);
        p->own_buffer = nullptr;
        p->own_buffer_size = 0;
    }
    if (ops->set_parameters)
        ops->set_parameters(instance, &p->parameters,
                            CODEC_PARAMETER_CHANNELS | CODEC_PARAMETER_QUALITY | CODEC_PARAMETER_EQUALIZER);
    return 0;
}

int decoder_codec_set_module(decoder* dec, int id)
{
    if (!dec || id < -1)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    module_entry* chosen = nullptr;
    if (id != -1) {
        chosen = decoder_find_module(p->codec_modules, id);
        if (!chosen)
            return DK_ERR_MODULE_NOT_FOUND;
    }
    p->codec_choice = chosen;
    return 0;
}

int decoder_input_new(decoder* dec, const char* name, int id)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    return decoder_endpoint_new(
        dec, p->input, p->input_module, p->input_modules, name, id,
        +[](module_entry* e) -> const input_module_ops* { return &e->ops.input; },
        DK_ERR_UNSUPPORTED_INPUT, decoder_input_delete);
}

int decoder_input_delete(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (!p->input.ops)
        return decoder_internal_error(dec, "null input module");
    if (p->input.state == DECODER_OPEN)
        decoder_input_close(dec);
    if (p->input.instance)
        p->input.ops->delete_instance(p->input.instance);
    p->input.instance = nullptr;
    return 0;
}

int decoder_input_open(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (!p->input.ops)
        return decoder_internal_error(dec, "null input module");
    if (!p->input.instance)
        return decoder_internal_error(dec, "null input instance");
    if (p->input.state == DECODER_OPEN)
        return decoder_internal_error(dec, "input not closed");

    reset_status(p);
    reset_input_counters(&p->input);

    int r = chain(dec)->ops.open(chain(dec));
    if (r < 0)
        return r;
    p->input.state = DECODER_OPEN;
    if (p->input.size == 0) {
        const int size = chain(dec)->ops.get_size(chain(dec));
        p->input.size = size > 0 ? static_cast<uint32_t>(size) : 0;
    }
    p->input.capabilities = chain(dec)->ops.get_capabilities(chain(dec));

    r = decoder_codec_select(dec);
    if (r < 0) {
        decoder_input_close(dec);
        return r;
    }
    if (p->codec.ops->open) {
        r = p->codec.ops->open(p->codec.instance, p->input.content_type, p->input.name);
        if (r < 0) {
            decoder_input_close(dec);
            return r;
        }
    }
    if ((p->input.capabilities & INPUT_CAN_SEEK) && p->codec.ops->get_stream_info)
        p->codec.ops->get_stream_info(p->codec.instance, &p->status.info);
    return 0;
}

int decoder_input_close(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (p->input.state != DECODER_OPEN)
        return decoder_internal_error(dec, "input not open");
    reset_input_counters(&p->input);
    const int r = chain(dec)->ops.close(chain(dec));
    p->input.state = DECODER_CLOSED;
    if (p->codec.instance && p->codec.ops && p->codec.ops->close)
        p->codec.ops->close(p->codec.instance);
    return r;
}

int decoder_input_read(decoder* dec, void* buffer, int count)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (p->input.state != DECODER_OPEN)
        return decoder_internal_error(dec, "input not open");
    if (!buffer || count < 0)
        return DK_ERR_INVALID_PARAMETERS;
    // Keep reading until the buffer is full, so that a short answer of the
    // module never passes for a full block: the caller learns how many
    // bytes came when they are fewer than asked.
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    int got = 0;
    while (got < count) {
        int r = chain(dec)->ops.read(chain(dec), bytes + got, count - got);
        if (r > 0) {
            if (r > count - got) // a module must not claim more than it was given
                r = count - got;
            got += r;
            p->input.position += static_cast<uint32_t>(r);
            continue;
        }
        if (got > 0)
            break;
        return r == 0 ? DK_ERR_END_OF_INPUT : r;
    }
    return got == count ? 0 : got;
}

int decoder_input_seek_to_offset(decoder* dec, uint32_t offset)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (p->input.state != DECODER_OPEN)
        return decoder_internal_error(dec, "input not open");
    if (offset > p->input.size)
        offset = p->input.size;
    const int r = chain(dec)->ops.seek(chain(dec), offset);
    if (r < 0)
        return r;
    p->input.position = offset;
    if (p->codec.instance && p->codec.ops && p->codec.ops->seek_notice)
        p->codec.ops->seek_notice(p->codec.instance, offset);

    decoder_update_position(dec);
    const stream_info& info = p->status.info;
    double seconds = 0.0;
    if (info.duration_ms > 0)
        seconds = info.duration_ms * static_cast<double>(p->status.position) * 0.001;
    else if (info.bitrate > 0)
        seconds = static_cast<double>(offset) / (info.bitrate * 125.0);
    p->position_s = static_cast<uint32_t>(seconds);
    p->position_us = static_cast<uint32_t>((seconds - p->position_s) * 1000000.0);
    if (p->position_us >= 1000000)
        p->position_us = 999999;
    decoder_update_timecode(dec);
    return 0;
}

int decoder_input_seek_to_position(decoder* dec, float fraction)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (p->input.state != DECODER_OPEN)
        return decoder_internal_error(dec, "input not open");
    if (!(fraction >= 0.0f)) // negative or not a number
        fraction = 0.0f;
    if (fraction > 1.0f)
        fraction = 1.0f;
    if (p->codec.instance && p->codec.ops && p->codec.ops->offset_fraction_of_position) {
        fraction = p->codec.ops->offset_fraction_of_position(p->codec.instance, fraction);
        if (!(fraction >= 0.0f))
            fraction = 0.0f;
        if (fraction > 1.0f)
            fraction = 1.0f;
    }
    const uint32_t offset = static_cast<uint32_t>(static_cast<double>(p->input.size) * fraction);
    return decoder_input_seek_to_offset(dec, offset);
}

int decoder_input_seek_to_time(decoder* dec, float seconds)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    if (!(seconds >= 0.0f))
        seconds = 0.0f;
    const int32_t duration = dec->status->info.duration_ms;
    const float fraction = duration > 0 ? static_cast<float>(seconds * 1000.0 / duration) : 0.0f;
    return decoder_input_seek_to_position(dec, fraction);
}

int decoder_input_seek_to_timecode(decoder* dec, const decoder_timecode* timecode)
{
    if (!dec || !timecode)
        return DK_ERR_INVALID_PARAMETERS;
    const double seconds = timecode->hours * 3600.0 + timecode->minutes * 60.0 +
                           timecode->seconds + timecode->hundredths * 0.01;
    return decoder_input_seek_to_time(dec, static_cast<float>(seconds));
}

int decoder_input_send_message(decoder* dec, int type, const void* data, int size)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    if (!dec->input->ops)
        return decoder_internal_error(dec, "null input module");
    return chain(dec)->ops.send_message(chain(dec), type, data, size);
}
