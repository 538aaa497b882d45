// "WAVE Audio Codec": parses the RIFF header at open, then hands out the
// samples of the data chunk block by block, 8-bit widened to 16-bit.
#include "decoder/modules/wave_codec.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char content_type_pcm[] = "audio/pcm";

enum
{
    WAVE_FORMAT_PCM = 1,
    WAVE_FORMAT_EXTENSIBLE = 0xfffe,
    HEADER_LIMIT = 8191, // the data must start within the first 8 KB
    HEADER_RETRIES = 100,
};

struct wave_codec
{
    decoder* dec;
    int32_t channel_selection;
    uint32_t input_size;
    uint32_t riff_size;
    bool have_format;
    uint16_t format_tag;
    uint16_t channels;
    uint32_t sample_rate;
    uint32_t byte_rate;
    uint16_t block_align;
    uint16_t bits_per_sample;
    uint16_t sub_format; // first two bytes of an EXTENSIBLE subformat
    uint32_t data_size;
    uint32_t data_offset;
};

uint16_t get16(const unsigned char* at)
{
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

uint32_t get32(const unsigned char* at)
{
    return static_cast<uint32_t>(get16(at)) | (static_cast<uint32_t>(get16(at + 2)) << 16);
}

void set_text(char* destination, size_t size, const char* text)
{
    snprintf(destination, size, "%s", text);
}

// Reads exactly count bytes: 0, -510 when the stream ends first, or the
// read's error.
int read_exact(decoder* dec, void* buffer, int count)
{
    const int r = dec->services.read(dec, buffer, count);
    if (r < 0)
        return r;
    return r == 0 ? 0 : DK_ERR_UNSUPPORTED_FORMAT;
}

// Reads and drops count bytes, 32 at a time.
int skip(decoder* dec, uint32_t count)
{
    unsigned char scratch[32];
    while (count > 0) {
        const int n = count < sizeof(scratch) ? static_cast<int>(count) : static_cast<int>(sizeof(scratch));
        const int r = dec->services.read(dec, scratch, n);
        if (r < 0)
            return r;
        if (r > 0) // the stream ended in the middle
            return DK_ERR_END_OF_INPUT;
        count -= static_cast<uint32_t>(n);
    }
    return 0;
}

int wave_probe(const char* content_type, const char* input_name)
{
    if (!content_type)
        return -1;
    if (strcmp(content_type, "audio/wave") == 0 || strcmp(content_type, "audio/x-wav") == 0 ||
        strcmp(content_type, "audio/x-wave") == 0)
        return 0;
    if (strcmp(content_type, "audio/unknown") != 0 && strcmp(content_type, "audio") != 0 &&
        strcmp(content_type, "unknown") != 0)
        return -1;
    if (!input_name)
        return -1;
    const char* dot = strrchr(input_name, '.');
    if (!dot)
        return -1;
    // ".WAV" and ".Wav" are as much a WAVE file as ".wav".
    const char* extension = dot + 1;
    if (strlen(extension) != 3)
        return -1;
    for (int i = 0; i < 3; ++i)
        if (tolower(static_cast<unsigned char>(extension[i])) != "wav"[i])
            return -1;
    return 0;
}

int wave_query(module_info* info, int flags)
{
    if (!info)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        set_text(info->name, sizeof(info->name), "WAVE Audio Codec");
        set_text(info->description, sizeof(info->description), "Version 1.0");
        return 0;
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 1;
    if (flags & MODULE_QUERY_DEVICE) {
        if (info->index != 0)
            return DK_ERR_INVALID_PARAMETERS;
        set_text(info->name, sizeof(info->name), "any wav stream");
        info->description[0] = '\0';
        info->flags = 0;
    }
    if (flags & MODULE_QUERY_FRAME_SIZE)
        info->frame_size = 4096;
    if (flags & MODULE_QUERY_CAPABILITIES)
        info->flags = 0;
    return 0;
}

int wave_new_instance(void** instance, const char*, const char*, module_entry*, decoder* dec)
{
    if (!instance || !dec)
        return DK_ERR_INVALID_PARAMETERS;
    wave_codec* codec = static_cast<wave_codec*>(calloc(1, sizeof(wave_codec)));
    if (!codec)
        return DK_ERR_OUT_OF_MEMORY;
    codec->dec = dec;
    *instance = codec;
    return 0;
}

int wave_delete_instance(void* instance)
{
    free(instance);
    return 0;
}

// Only what plays right: PCM (plain or EXTENSIBLE with the PCM subformat),
// 8 or 16 bits, one or two channels.
bool format_playable(const wave_codec* c)
{
    if (!c->have_format)
        return false;
    const bool pcm = c->format_tag == WAVE_FORMAT_PCM ||
                     (c->format_tag == WAVE_FORMAT_EXTENSIBLE && c->sub_format == WAVE_FORMAT_PCM);
    return pcm && (c->bits_per_sample == 8 || c->bits_per_sample == 16) &&
           (c->channels == 1 || c->channels == 2) && c->sample_rate > 0;
}

int wave_open(void* instance, const char*, const char*)
{
    wave_codec* c = static_cast<wave_codec*>(instance);
    if (!c)
        return DK_ERR_INVALID_PARAMETERS;
    decoder* dec = c->dec;
    c->input_size = dec->input->size;
    c->have_format = false;
    c->data_size = 0;
    c->data_offset = 0;

    unsigned char riff[12];
    int r = dec->services.read(dec, riff, sizeof(riff));
    for (int retry = 0; r == DK_ERR_TIMEOUT && retry < HEADER_RETRIES; ++retry)
        r = dec->services.read(dec, riff, sizeof(riff));
    if (r < 0)
        return r;
    if (r > 0 || memcmp(riff, "RIFF", 4) != 0 || memcmp(riff + 8, "WAVE", 4) != 0)
        return DK_ERR_UNSUPPORTED_FORMAT;
    c->riff_size = get32(riff + 4);

    unsigned char chunk[8];
    if ((r = read_exact(dec, chunk, sizeof(chunk))) < 0)
        return r;
    uint32_t position = 12;
    for (;;) {
        position += 8;
        const uint32_t size = get32(chunk + 4);
        if (memcmp(chunk, "data", 4) == 0) {
            c->data_size = size;
            c->data_offset = position;
            if (position > HEADER_LIMIT || !format_playable(c))
                return DK_ERR_UNSUPPORTED_FORMAT;
            return 0;
        }
        uint32_t consumed = 0;
        if (memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char format[26];
            memset(format, 0, sizeof(format));
            if (size < 16)
                return DK_ERR_UNSUPPORTED_FORMAT;
            consumed = size >= sizeof(format) ? sizeof(format) : 16;
            if ((r = read_exact(dec, format, static_cast<int>(consumed))) < 0)
                return r;
            c->have_format = true;
            c->format_tag = get16(format);
            c->channels = get16(format + 2);
            c->sample_rate = get32(format + 4);
            c->byte_rate = get32(format + 8);
            c->block_align = get16(format + 12);
            c->bits_per_sample = get16(format + 14);
            c->sub_format = consumed >= 26 ? get16(format + 24) : 0;
        }
        // Chunks are word-aligned: an odd size is followed by a pad byte.
        const uint32_t body = size + (size & 1);
        if (body > HEADER_LIMIT || position + body > HEADER_LIMIT)
            return DK_ERR_UNSUPPORTED_FORMAT;
        position += body;
        if ((r = skip(dec, body - consumed)) < 0)
            return r == DK_ERR_END_OF_INPUT ? DK_ERR_UNSUPPORTED_FORMAT : r;
        if ((r = read_exact(dec, chunk, sizeof(chunk))) < 0)
            return r;
    }
}

// The end of the samples: the data chunk's end, or the input's end when
// the chunk does not say (a size of 0 or all ones, as streamed files have).
uint32_t data_end(const wave_codec* c)
{
    if (c->data_size == 0 || c->data_size == 0xffffffffu ||
        c->data_size > 0xffffffffu - c->data_offset)
        return 0xffffffffu;
    return c->data_offset + c->data_size;
}

int wave_decode(void* instance, pcm_buffer* pcm, stream_info* info)
{
    wave_codec* c = static_cast<wave_codec*>(instance);
    if (!c || !pcm || !info || !pcm->samples)
        return DK_ERR_INVALID_PARAMETERS;
    if (!format_playable(c))
        return DK_ERR_UNSUPPORTED_FORMAT;
    decoder* dec = c->dec;
    if (!info->content_type || strcmp(info->content_type, content_type_pcm) != 0) {
        info->content_type = content_type_pcm;
        info->changed |= STREAM_CHANGED_CONTENT_TYPE;
    }

    int r = 0;
    if (dec->input->position < c->data_offset &&
        (r = skip(dec, c->data_offset - dec->input->position)) < 0)
        return r;
    if (c->block_align != 0 && c->block_align <= 32) {
        const uint32_t into = (dec->input->position - c->data_offset) % c->block_align;
        if (into != 0 && (r = skip(dec, c->block_align - into)) < 0)
            return r;
    }

    uint32_t block = c->sample_rate > 24000 ? 4096 : 2048;
    if (c->sample_rate <= 12000)
        block /= 2;
    if (c->bits_per_sample == 8)
        block /= 2;
    const uint32_t end = data_end(c);
    if (dec->input->position >= end)
        return DK_ERR_END_OF_INPUT;
    if (end - dec->input->position < block)
        block = end - dec->input->position;

    r = dec->services.read(dec, pcm->samples, static_cast<int>(block));
    if (r < 0)
        return r;
    uint32_t bytes = r == 0 ? block : static_cast<uint32_t>(r);
    // Whole sample frames only; a torn last frame is dropped.
    const uint32_t frame = c->channels * (c->bits_per_sample / 8u);
    bytes -= bytes % frame;
    if (bytes == 0)
        return DK_ERR_END_OF_INPUT;

    uint32_t samples_per_channel = 0;
    if (c->bits_per_sample == 8) {
        unsigned char* in = static_cast<unsigned char*>(pcm->samples);
        int16_t* out = static_cast<int16_t*>(pcm->samples);
        for (uint32_t i = bytes; i-- > 0;)
            out[i] = static_cast<int16_t>((in[i] - 128) * 256);
        samples_per_channel = bytes / c->channels;
    } else {
        samples_per_channel = bytes / (2u * c->channels);
    }
    pcm->sample_count = static_cast<int32_t>(samples_per_channel);
    pcm->bytes_per_sample = 2;
    pcm->channels = c->channels;
    pcm->sample_rate = static_cast<int32_t>(c->sample_rate);
    return 0;
}

int wave_get_stream_info(void* instance, stream_info* info)
{
    const wave_codec* c = static_cast<const wave_codec*>(instance);
    if (!c || !info)
        return DK_ERR_INVALID_PARAMETERS;
    info->content_type = content_type_pcm;
    // Whole seconds of the input, in milliseconds.
    info->duration_ms = c->byte_rate ? static_cast<int32_t>(c->input_size / c->byte_rate * 1000) : 0;
    info->frequency = static_cast<int32_t>(c->sample_rate);
    info->bitrate = static_cast<int32_t>((c->byte_rate & 0x1fffffff) / 125);
    info->channels = c->channels;
    info->changed |= STREAM_CHANGED_FORMAT | STREAM_CHANGED_CONTENT_TYPE;
    return 0;
}

int wave_set_parameters(void* instance, codec_parameters* parameters, int mask)
{
    wave_codec* c = static_cast<wave_codec*>(instance);
    if (!c || !parameters)
        return DK_ERR_INVALID_PARAMETERS;
    if (mask & CODEC_PARAMETER_CHANNELS)
        c->channel_selection = parameters->channels;
    return 0;
}

int wave_get_parameters(void* instance, codec_parameters* parameters, int mask)
{
    const wave_codec* c = static_cast<const wave_codec*>(instance);
    if (!c || !parameters)
        return DK_ERR_INVALID_PARAMETERS;
    if (mask & CODEC_PARAMETER_CHANNELS)
        parameters->channels = c->channel_selection;
    return 0;
}

} // namespace

int wave_codec_module_register(codec_module_ops* ops)
{
    if (!ops)
        return DK_ERR_INVALID_PARAMETERS;
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = wave_probe;
    ops->query = wave_query;
    ops->new_instance = wave_new_instance;
    ops->delete_instance = wave_delete_instance;
    ops->decode = wave_decode;
    ops->get_stream_info = wave_get_stream_info;
    ops->open = wave_open;
    ops->set_parameters = wave_set_parameters;
    ops->get_parameters = wave_get_parameters;
    return 0;
}
