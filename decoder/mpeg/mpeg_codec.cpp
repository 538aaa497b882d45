// The MPEG codec module shell: instance, frame driver, stream description,
// published properties, seeking support, parameters and equalizer.
#include "decoder/mpeg/mpeg_codec.h"

#include <new>
#include <stdint.h>
#include <string.h>

#include "decoder/mpeg/mpeg_layers.h"
#include "decoder/mpeg/mpeg_reader.h"
#include "decoder/mpeg/mpeg_stream_start.h"
#include "decoder/mpeg/mpeg_synth.h"

namespace {

const char kContentType[] = "audio/mpeg";

struct mpeg_codec
{
    decoder* dec = nullptr;
    int selection = 0;
    int quality = 0;
    mpeg_reader reader;
    mpeg_output out;
    mpeg_layer3_state* layer3 = nullptr;

    bool vbr = false;
    int32_t level = -1; // last published values
    int32_t layer = -1;
    int32_t mode = -1;
    int32_t frame_bitrate = 0; // of the last frame, kbit/s
    int32_t average = 0; // running bitrate average x 1024
    bool has_table = false;
    uint8_t table[100] = {};
    uint32_t data_size = 0;
    uint32_t tag_size = 0;
    uint64_t samples = 0; // since the last open, seek or reset
    bool first_frame = true; // the next frame is the first since then
    uint32_t seek_offset = 0;

    bool has_gains[2] = {false, false};
    float gains[2][32] = {};
};

int read_input(void* context, void* buffer, int count)
{
    decoder* dec = static_cast<decoder*>(context);
    return dec->services.read(dec, buffer, count);
}

void reset_state(mpeg_codec* c)
{
    c->out.reset();
    if (c->layer3)
        mpeg_layer3_reset(c->layer3);
    c->reader.reset();
    c->samples = 0;
    c->seek_offset = 0;
    c->first_frame = true;
}

// An encoder's header frame (Xing, Lame, Info, VBRI) is the stream's first
// frame; the first frame after an open, a seek or a reset is checked, so
// that a seek to the start and streamed inputs skip it too.
bool is_header_frame(const mpeg_frame& frame)
{
    return mpeg_layer(frame.header) == 3 && frame.main_data != nullptr &&
           mpeg_is_header_frame_tag(frame.main_data, frame.main_data_size);
}

void set_integer(mpeg_codec* c, const char* name, int32_t value)
{
    if (c->dec && c->dec->services.set_stream_integer)
        c->dec->services.set_stream_integer(c->dec, name, value);
}

// ---------------------------------------------------------------------------
// Module methods

int codec_probe(const char*, const char*)
{
    return 0; // the fallback codec: takes every stream
}

int codec_query(module_info* info, int flags)
{
    if (info == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    if (flags & MODULE_QUERY_NAME) {
        strcpy(info->name, "MPEG Audio Codec");
        strcpy(info->description, "Version 1.2");
        return 0;
    }
    if (flags & MODULE_QUERY_DEVICE_COUNT)
        info->index = 1;
    if (flags & MODULE_QUERY_DEVICE) {
        if (info->index != 0)
            return DK_ERR_INVALID_PARAMETERS;
        strcpy(info->name, "MP1, MP2, MP3");
        strcpy(info->description, "MPEG 1 or 2 audio");
        info->flags = 0;
    }
    if (flags & MODULE_QUERY_FRAME_SIZE)
        info->frame_size = 4608;
    if (flags & MODULE_QUERY_CAPABILITIES)
        info->flags = 3;
    return 0;
}

int codec_new(void** instance, const char*, const char*, module_entry*, decoder* dec)
{
    if (instance == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    mpeg_codec* c = new (std::nothrow) mpeg_codec;
    if (c == nullptr)
        return DK_ERR_OUT_OF_MEMORY;
    c->layer3 = mpeg_layer3_new();
    if (c->layer3 == nullptr) {
        delete c;
        return DK_ERR_OUT_OF_MEMORY;
    }
    c->dec = dec;
    *instance = c;
    return 0;
}

int codec_delete(void* instance)
{
    mpeg_codec* c = static_cast<mpeg_codec*>(instance);
    if (c) {
        mpeg_layer3_delete(c->layer3);
        delete c;
    }
    return 0;
}

void publish_frame(mpeg_codec* c, const mpeg_frame_header& h, stream_info* info)
{
    const int32_t level = mpeg_level(h);
    const int32_t layer = mpeg_layer(h);
    if (level != c->level) {
        c->level = level;
        set_integer(c, "mpeg/level", level);
        info->changed |= STREAM_CHANGED_PROPERTIES;
    }
    if (layer != c->layer) {
        c->layer = layer;
        set_integer(c, "mpeg/layer", layer);
        info->changed |= STREAM_CHANGED_PROPERTIES;
    }
    if (h.mode != c->mode) {
        if ((h.mode == MPEG_MODE_SINGLE_CHANNEL) != (c->mode == MPEG_MODE_SINGLE_CHANNEL))
            info->changed |= STREAM_CHANGED_FORMAT;
        c->mode = h.mode;
        set_integer(c, "mpeg/mode", h.mode);
        info->changed |= STREAM_CHANGED_PROPERTIES;
    }
    info->channels = mpeg_channels(h);

    const int32_t frequency = mpeg_sample_rate(h);
    const int32_t bitrate = mpeg_bitrate_kbps(h);
    if (frequency != info->frequency) {
        info->frequency = frequency;
        info->changed |= STREAM_CHANGED_FORMAT;
    }
    if (bitrate != c->frame_bitrate) {
        c->frame_bitrate = bitrate;
        info->changed |= STREAM_CHANGED_FORMAT;
    }

    // Running bitrate average; the shown value moves only when the average
    // departs from it by more than 1/32.
    if (info->bitrate == 0) {
        info->bitrate = bitrate;
        c->average = bitrate * 1024;
        info->changed |= STREAM_CHANGED_FORMAT;
    } else {
        if (c->average == 0)
            c->average = info->bitrate * 1024;
        c->average = (bitrate * 1024 + c->average * 31) >> 5;
        const int32_t shown = (c->average + 512) >> 10;
        int32_t diff = shown - info->bitrate;
        if (diff < 0)
            diff = -diff;
        if (diff > info->bitrate / 32) {
            info->bitrate = shown;
            info->changed |= STREAM_CHANGED_FORMAT;
        }
    }

    // Duration: the time decoded since the last seek, the remaining bytes
    // at the current bitrate, and the bytes before the seek point at the
    // same bitrate.
    if (info->bitrate > 0 && (info->changed & STREAM_CHANGED_FORMAT) && c->data_size > 0 &&
        frequency > 0) {
        const uint64_t rate_bits_per_ms = static_cast<uint64_t>(info->bitrate);
        uint64_t ms = c->samples * 1000 / static_cast<uint64_t>(frequency);
        const uint64_t end = static_cast<uint64_t>(c->tag_size) + c->data_size;
        const uint64_t position = c->dec && c->dec->input ? c->dec->input->position : 0;
        if (end > position)
            ms += (end - position) * 8 / rate_bits_per_ms;
        if (c->seek_offset > c->tag_size)
            ms += static_cast<uint64_t>(c->seek_offset - c->tag_size) * 8 / rate_bits_per_ms;
        info->duration_ms = static_cast<int32_t>(ms > 0x7FFFFFFF ? 0x7FFFFFFF : ms);
    }
}

int codec_decode(void* instance, pcm_buffer* pcm, stream_info* info)
{
    mpeg_codec* c = static_cast<mpeg_codec*>(instance);
    if (c == nullptr || pcm == nullptr || pcm->samples == nullptr || info == nullptr)
        return DK_ERR_INVALID_PARAMETERS;

    mpeg_frame frame;
    int r = c->reader.next_frame(read_input, c->dec, &frame);
    if (r < 0)
        return r;
    if (c->first_frame) {
        c->first_frame = false;
        if (is_header_frame(frame)) {
            // Not audio: neither output nor counted.
            r = c->reader.next_frame(read_input, c->dec, &frame);
            if (r < 0)
                return r;
        }
    }

    c->out.configure(frame.header, c->selection, c->quality);
    c->out.begin(static_cast<int16_t*>(pcm->samples));
    switch (mpeg_layer(frame.header)) {
    case 1:
        r = mpeg_layer1_decode(frame, c->out);
        break;
    case 2:
        r = mpeg_layer2_decode(frame, c->out);
        break;
    default:
        r = mpeg_layer3_decode(c->layer3, frame, c->out);
        break;
    }
    if (r < 0)
        return DK_ERR_INVALID_FRAME;
    pcm->sample_count = c->out.samples_written();
    pcm->channels = c->out.pcm_channels();
    pcm->sample_rate = c->out.rate();
    pcm->bytes_per_sample = 2;

    if (info->content_type == nullptr || strcmp(info->content_type, kContentType) != 0) {
        info->content_type = kContentType;
        info->changed |= STREAM_CHANGED_CONTENT_TYPE;
    }
    c->samples += static_cast<uint64_t>(mpeg_samples_per_frame(frame.header));
    if (!c->vbr)
        publish_frame(c, frame.header, info);
    return 0;
}

int codec_get_stream_info(void* instance, stream_info* info)
{
    mpeg_codec* c = static_cast<mpeg_codec*>(instance);
    if (c == nullptr || info == nullptr || c->dec == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    decoder* dec = c->dec;
    info->content_type = kContentType;
    info->changed |= STREAM_CHANGED_CONTENT_TYPE;
    c->data_size = dec->input ? dec->input->size : 0;
    c->has_table = false;
    c->vbr = false;

    uint8_t bytes[MPEG_STREAM_START_SIZE];
    int count = dec->services.read(dec, bytes, MPEG_STREAM_START_SIZE);
    count = count == 0 ? MPEG_STREAM_START_SIZE : (count < 0 ? 0 : count);
    const uint32_t tag = mpeg_id3v2_size(bytes, count);
    if (tag > 0) {
        c->tag_size = tag;
        c->data_size = tag > c->data_size ? 0 : c->data_size - tag;
        dec->services.seek(dec, tag);
        count = dec->services.read(dec, bytes, MPEG_STREAM_START_SIZE);
        count = count == 0 ? MPEG_STREAM_START_SIZE : (count < 0 ? 0 : count);
    }
    dec->services.seek(dec, c->tag_size);
    c->reader.reset();

    mpeg_stream_start start;
    if (mpeg_stream_start_parse(bytes, count, c->data_size, &start) != 0)
        return -1;
    c->vbr = start.vbr;
    if (start.has_seek_table) {
        memcpy(c->table, start.seek_table, sizeof(c->table));
        c->has_table = true;
    }
    // A VBR header's frame count can claim more than 24 days: held at the
    // top of the range rather than wrapped to a negative duration.
    info->duration_ms = start.duration_ms > INT32_MAX ? INT32_MAX
                                                      : static_cast<int32_t>(start.duration_ms);
    info->bitrate = start.bitrate;
    info->frequency = start.frequency;
    info->channels = start.channels;
    c->level = start.level;
    c->layer = start.layer;
    c->mode = start.mode;
    set_integer(c, "mpeg/level", start.level);
    set_integer(c, "mpeg/layer", start.layer);
    set_integer(c, "mpeg/mode", start.mode);
    info->changed |= STREAM_CHANGED_PROPERTIES | STREAM_CHANGED_FORMAT;
    return 0;
}

float codec_position_of_offset(void* instance, uint32_t offset)
{
    const mpeg_codec* c = static_cast<const mpeg_codec*>(instance);
    if (c == nullptr || c->data_size == 0 || offset < c->tag_size)
        return 0.0f;
    return static_cast<float>(static_cast<double>(offset - c->tag_size) / c->data_size);
}

float codec_offset_fraction_of_position(void* instance, float fraction)
{
    const mpeg_codec* c = static_cast<const mpeg_codec*>(instance);
    if (c == nullptr)
        return fraction;
    float r = mpeg_seek_table_fraction(c->has_table ? c->table : nullptr, fraction);
    if (c->data_size > 0) {
        const double a = c->tag_size;
        const double b = c->data_size;
        r = static_cast<float>((r * b + a) / (a + b));
    }
    return r;
}

int codec_open(void* instance, const char*, const char*)
{
    mpeg_codec* c = static_cast<mpeg_codec*>(instance);
    if (c == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    c->level = c->layer = c->mode = -1;
    c->frame_bitrate = 0;
    c->average = 0;
    c->tag_size = 0;
    c->vbr = false;
    c->has_table = false;
    c->data_size = c->dec && c->dec->input ? c->dec->input->size : 0;
    reset_state(c);
    return 0;
}

int codec_close(void*)
{
    return 0;
}

int codec_seek_notice(void* instance, uint32_t offset)
{
    mpeg_codec* c = static_cast<mpeg_codec*>(instance);
    if (c == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    reset_state(c);
    c->seek_offset = offset;
    return 0;
}

int codec_reset(void* instance)
{
    mpeg_codec* c = static_cast<mpeg_codec*>(instance);
    if (c == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    reset_state(c);
    return 0;
}

int codec_set_parameters(void* instance, codec_parameters* p, int mask)
{
    mpeg_codec* c = static_cast<mpeg_codec*>(instance);
    if (c == nullptr || p == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    if (mask & CODEC_PARAMETER_CHANNELS)
        c->selection = p->channels;
    if (mask & CODEC_PARAMETER_QUALITY)
        c->quality = p->quality;
    if (mask & CODEC_PARAMETER_EQUALIZER) {
        for (int ch = 0; ch < 2; ++ch) {
            c->has_gains[ch] = p->equalizer != nullptr;
            if (p->equalizer) {
                for (int band = 0; band < 32; ++band) {
                    const float v = p->equalizer[ch * 32 + band];
                    c->gains[ch][band] = v >= 0 ? 1.0f + v / 32.0f : 1.0f / (1.0f - v / 32.0f);
                }
            }
            c->out.set_gains(ch, c->has_gains[ch] ? c->gains[ch] : nullptr);
        }
    }
    return 0;
}

int codec_get_parameters(void* instance, codec_parameters* p, int mask)
{
    const mpeg_codec* c = static_cast<const mpeg_codec*>(instance);
    if (c == nullptr || p == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    if (mask & CODEC_PARAMETER_CHANNELS)
        p->channels = c->selection;
    if (mask & CODEC_PARAMETER_QUALITY)
        p->quality = c->quality;
    if ((mask & CODEC_PARAMETER_EQUALIZER) && p->equalizer) {
        for (int ch = 0; ch < 2; ++ch)
            for (int band = 0; band < 32; ++band) {
                int8_t v = 0;
                if (c->has_gains[ch]) {
                    const float g = c->gains[ch][band];
                    v = static_cast<int8_t>(g >= 1.0f ? (g - 1.0f) * 32.0f : (1.0f - 1.0f / g) * 32.0f);
                }
                p->equalizer[ch * 32 + band] = v;
            }
    }
    return 0;
}

} // namespace

int mpeg_codec_module_register(codec_module_ops* ops)
{
    if (ops == nullptr)
        return DK_ERR_INVALID_PARAMETERS;
    memset(ops, 0, sizeof(*ops));
    ops->version = DECODER_MODULE_VERSION;
    ops->probe = codec_probe;
    ops->query = codec_query;
    ops->new_instance = codec_new;
    ops->delete_instance = codec_delete;
    ops->decode = codec_decode;
    ops->get_stream_info = codec_get_stream_info;
    ops->position_of_offset = codec_position_of_offset;
    ops->offset_fraction_of_position = codec_offset_fraction_of_position;
    ops->open = codec_open;
    ops->close = codec_close;
    ops->seek_notice = codec_seek_notice;
    ops->reset = codec_reset;
    ops->set_parameters = codec_set_parameters;
    ops->get_parameters = codec_get_parameters;
    return 0;
}
