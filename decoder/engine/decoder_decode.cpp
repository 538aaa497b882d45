// The decode step, decode-and-play, and the codec parameters.
#include "decoder/engine/decoder_private.h"

#include <stdlib.h>
#include <string.h>

uint32_t decoder_block_microseconds(uint32_t n, uint32_t rate)
{
    if (rate == 0)
        return 0;
    // n x 1000000 overflows 32 bits above 4294 samples: split it.
    if (n > 2048)
        return (2048000000u / rate) * (n / 2048) + (n % 2048) * 1000000u / rate;
    return n * 1000000u / rate;
}

int decoder_decode(decoder* dec, void* buffer)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (p->input.state != DECODER_OPEN)
        return decoder_internal_error(dec, "input not open");
    if (!p->codec.instance || !p->codec.ops)
        return decoder_internal_error(dec, "null codec instance");
    if (p->codec.frame_size <= 0)
        return decoder_internal_error(dec, "codec without frame size");

    const pcm_buffer before = p->pcm;
    if (!buffer) {
        if (!p->own_buffer) {
            p->own_buffer = malloc(static_cast<size_t>(p->codec.frame_size));
            if (!p->own_buffer)
                return DK_ERR_OUT_OF_MEMORY;
            p->own_buffer_size = p->codec.frame_size;
        }
        buffer = p->own_buffer;
    }

    p->pcm.samples = buffer;
    p->pcm.bytes_per_sample = 2;
    p->status.info.changed = 0;
    const int r = p->codec.ops->decode(p->codec.instance, &p->pcm, &p->status.info);
    if (r < 0) {
        p->pcm = before;
        return r;
    }
    // A block never describes more bytes than the buffer holds.
    if (p->pcm.channels > 0 && p->pcm.sample_count > 0) {
        const int32_t limit = p->codec.frame_size / (p->pcm.channels * 2);
        if (p->pcm.sample_count > limit)
            p->pcm.sample_count = limit;
    } else if (p->pcm.sample_count < 0) {
        p->pcm.sample_count = 0;
    }

    const uint32_t us = decoder_block_microseconds(
        static_cast<uint32_t>(p->pcm.sample_count),
        p->pcm.sample_rate > 0 ? static_cast<uint32_t>(p->pcm.sample_rate) : 0);
    p->position_s += us / 1000000;
    p->position_us += us % 1000000;
    if (p->position_us >= 1000000) {
        p->position_us -= 1000000;
        ++p->position_s;
    }
    decoder_update_position(dec);
    decoder_update_timecode(dec);

    int32_t changed = 0;
    if (p->pcm.bytes_per_sample != before.bytes_per_sample)
        changed |= PCM_CHANGED_BYTES_PER_SAMPLE;
    if (p->pcm.channels != before.channels)
        changed |= PCM_CHANGED_CHANNELS | PCM_CHANGED_RATE;
    if (p->pcm.sample_rate != before.sample_rate)
        changed |= PCM_CHANGED_RATE;
    p->pcm.changed = changed;
    return 0;
}

int decoder_play(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    decoder_private* p = dec->private_part;
    if (p->output.state != DECODER_OPEN)
        return decoder_internal_error(dec, "output not open");
    output_filter_entry* chain = p->output_chain;
    void* buffer = chain->ops.get_buffer(chain, p->codec.frame_size);
    if (!buffer)
        return DK_ERR_OUT_OF_MEMORY;
    int r = decoder_decode(dec, buffer);
    if (r < 0)
        return r;
    if (p->pcm.changed) {
        output_control control;
        memset(&control, 0, sizeof(control));
        control.bytes_per_sample = p->pcm.bytes_per_sample;
        control.sample_rate = p->pcm.sample_rate;
        control.channels = p->pcm.channels;
        r = chain->ops.set_control(chain, &control, p->pcm.changed);
        if (r == DK_ERR_UNSUPPORTED_OUTPUT)
            return r;
    }
    if (p->output.instance && (p->output.capabilities & OUTPUT_CAN_REPORT_DELAY)) {
        int delay = 0;
        p->pcm.delay_ms = chain->ops.get_status(chain, &delay) < 0 ? 0 : delay;
    }
    const int bytes = p->pcm.bytes_per_sample * p->pcm.sample_count * p->pcm.channels;
    return chain->ops.write(chain, p->pcm.samples, bytes, p->pcm.bytes_per_sample,
                            p->pcm.channels, p->pcm.sample_rate);
}

namespace {

int set_parameter(decoder* dec, int mask)
{
    decoder_private* p = dec->private_part;
    if (p->codec.instance && p->codec.ops && p->codec.ops->set_parameters)
        return p->codec.ops->set_parameters(p->codec.instance, &p->parameters, mask);
    return 0;
}

void get_parameter(decoder* dec, int mask)
{
    decoder_private* p = dec->private_part;
    if (p->codec.instance && p->codec.ops && p->codec.ops->get_parameters)
        p->codec.ops->get_parameters(p->codec.instance, &p->parameters, mask);
}

} // namespace

int decoder_codec_set_channels(decoder* dec, int channels)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    dec->private_part->parameters.channels = channels;
    return set_parameter(dec, CODEC_PARAMETER_CHANNELS);
}

int decoder_codec_get_channels(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    get_parameter(dec, CODEC_PARAMETER_CHANNELS);
    return dec->private_part->parameters.channels;
}

int decoder_codec_set_quality(decoder* dec, int quality)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    dec->private_part->parameters.quality = quality;
    return set_parameter(dec, CODEC_PARAMETER_QUALITY);
}

int decoder_codec_get_quality(decoder* dec)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    get_parameter(dec, CODEC_PARAMETER_QUALITY);
    return dec->private_part->parameters.quality;
}

int decoder_codec_set_equalizer(decoder* dec, const int8_t* equalizer)
{
    if (!dec)
        return DK_ERR_INVALID_PARAMETERS;
    codec_parameters& parameters = dec->private_part->parameters;
    if (equalizer) {
        if (!parameters.equalizer) {
            parameters.equalizer = static_cast<int8_t*>(malloc(CODEC_EQUALIZER_SIZE));
            if (!parameters.equalizer)
                return DK_ERR_OUT_OF_MEMORY;
        }
        memcpy(parameters.equalizer, equalizer, CODEC_EQUALIZER_SIZE);
    } else {
        free(parameters.equalizer);
        parameters.equalizer = nullptr;
    }
    return set_parameter(dec, CODEC_PARAMETER_EQUALIZER);
}

int decoder_codec_get_equalizer(decoder* dec, int8_t* equalizer)
{
    if (!dec || !equalizer)
        return DK_ERR_INVALID_PARAMETERS;
    // The codec writes its bands into the stored block: only when there is one.
    if (dec->private_part->parameters.equalizer)
        get_parameter(dec, CODEC_PARAMETER_EQUALIZER);
    const codec_parameters& parameters = dec->private_part->parameters;
    if (parameters.equalizer)
        memcpy(equalizer, parameters.equalizer, CODEC_EQUALIZER_SIZE);
    else
        memset(equalizer, 0, CODEC_EQUALIZER_SIZE);
    return 0;
}
