// Encoding and decoding of control messages as window message values.
#include "decoder/player/message_codec.h"

#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"

void write_be32(uint8_t* to, uint32_t value)
{
    to[0] = static_cast<uint8_t>(value >> 24);
    to[1] = static_cast<uint8_t>(value >> 16);
    to[2] = static_cast<uint8_t>(value >> 8);
    to[3] = static_cast<uint8_t>(value);
}

void write_be16(uint8_t* to, uint16_t value)
{
    to[0] = static_cast<uint8_t>(value >> 8);
    to[1] = static_cast<uint8_t>(value);
}

uint32_t read_be32(const uint8_t* from)
{
    return (static_cast<uint32_t>(from[0]) << 24) | (static_cast<uint32_t>(from[1]) << 16) |
           (static_cast<uint32_t>(from[2]) << 8) | from[3];
}

uint16_t read_be16(const uint8_t* from)
{
    return static_cast<uint16_t>((from[0] << 8) | from[1]);
}

uint32_t api_version_get(int selector)
{
    switch (selector) {
    case 1: return 0x40400;
    case 2: return 0x30801;
    case 3: return 0x30209;
    default: return 0;
    }
}

namespace {

// --- heap blocks -----------------------------------------------------------

intptr_t block_value(void* block) { return static_cast<intptr_t>(reinterpret_cast<uintptr_t>(block)); }

int text_copy(const char* text, intptr_t* lparam)
{
    if (!text)
        text = "";
    const size_t n = strlen(text) + 1;
    void* block = malloc(n);
    if (!block)
        return DK_ERR_OUT_OF_MEMORY;
    memcpy(block, text, n);
    *lparam = block_value(block);
    return 0;
}

int text_pair(const char* first, const char* second, intptr_t* lparam)
{
    if (!first)
        first = "";
    if (!second)
        second = "";
    const size_t a = strlen(first) + 1, b = strlen(second) + 1;
    char* block = static_cast<char*>(malloc(a + b));
    if (!block)
        return DK_ERR_OUT_OF_MEMORY;
    memcpy(block, first, a);
    memcpy(block + a, second, b);
    *lparam = block_value(block);
    return 0;
}

int byte_block(const void* data, uint32_t length, intptr_t* lparam)
{
    if (!data || length == 0)
        return 0;
    uint8_t* block = static_cast<uint8_t*>(malloc(static_cast<size_t>(length) + 4));
    if (!block)
        return DK_ERR_OUT_OF_MEMORY;
    write_be32(block, length);
    memcpy(block + 4, data, length);
    *lparam = block_value(block);
    return 0;
}

int list_block(const property_list& list, intptr_t* lparam)
{
    size_t size = 4;
    for (uint32_t i = 0; i < list.count; ++i) {
        const property_entry& e = list.entries[i];
        const size_t name = e.name ? strlen(e.name) : 0;
        if (e.type == 1)
            size += name + 8;
        else if (e.type == 0)
            size += name + (e.value.text ? strlen(e.value.text) : 0) + 7;
        else
            size += name + 4;
    }
    uint8_t* block = static_cast<uint8_t*>(malloc(size));
    if (!block)
        return DK_ERR_OUT_OF_MEMORY;
    uint8_t* at = block;
    write_be32(at, list.count);
    at += 4;
    for (uint32_t i = 0; i < list.count; ++i) {
        const property_entry& e = list.entries[i];
        const char* name = e.name ? e.name : "";
        const size_t n = strlen(name);
        *at++ = static_cast<uint8_t>(e.type);
        write_be16(at, static_cast<uint16_t>(n));
        at += 2;
        memcpy(at, name, n + 1);
        at += n + 1;
        if (e.type == 1) {
            write_be32(at, static_cast<uint32_t>(e.value.integer));
            at += 4;
        } else if (e.type == 0) {
            const char* value = e.value.text ? e.value.text : "";
            const size_t v = strlen(value);
            write_be16(at, static_cast<uint16_t>(v));
            at += 2;
            memcpy(at, value, v + 1);
            at += v + 1;
        }
    }
    *lparam = block_value(block);
    return 0;
}

int pcm_heap_block(const pcm_block& pcm, intptr_t* lparam)
{
    const size_t samples = static_cast<size_t>(pcm.channels) * pcm.samples_per_channel;
    uint8_t* block = static_cast<uint8_t*>(malloc(16 + samples));
    if (!block)
        return DK_ERR_OUT_OF_MEMORY;
    write_be32(block, pcm.time_s);
    write_be32(block + 4, pcm.time_us);
    write_be32(block + 8, pcm.sample_rate);
    write_be16(block + 12, pcm.channels);
    write_be16(block + 14, pcm.samples_per_channel);
    if (samples && pcm.samples)
        memcpy(block + 16, pcm.samples, samples);
    else
        memset(block + 16, 0, samples);
    *lparam = block_value(block);
    return 0;
}

bool has_block(control_shape shape)
{
    switch (shape) {
    case SHAPE_TEXT: case SHAPE_FILTER: case SHAPE_NAME_INTEGER: case SHAPE_TEXT_PAIR:
    case SHAPE_BYTES: case SHAPE_EQUALIZER: case SHAPE_MODULE_INFO: case SHAPE_DEVICE_INFO:
    case SHAPE_PROPERTIES: case SHAPE_PROGRESS: case SHAPE_DEBUG: case SHAPE_ERROR:
    case SHAPE_EVENT: case SHAPE_PCM:
        return true;
    default:
        return false;
    }
}

uintptr_t byte_at(uint32_t value, int index) { return static_cast<uintptr_t>(value & 0xFF) << (8 * index); }

// --- receive area ------------------------------------------------------------

struct area_writer
{
    uint8_t* area;
    size_t size;
    size_t used;

    // Copies a string of at most length characters (cut to the room left,
    // keeping a NUL); returns it.
    const char* text(const char* from, size_t length)
    {
        char* to = reinterpret_cast<char*>(area + used);
        if (used >= size)
            return "";
        const size_t room = size - used - 1;
        if (length > room)
            length = room;
        memcpy(to, from, length);
        to[length] = 0;
        used += length + 1;
        return to;
    }
};

// A heap text (NUL-terminated, made by the sender).
const char* decode_text(area_writer& w, intptr_t lparam)
{
    const char* block = reinterpret_cast<const char*>(static_cast<uintptr_t>(lparam));
    if (!block)
        return w.text("", 0);
    return w.text(block, strlen(block));
}

void decode_text_pair(area_writer& w, intptr_t lparam, const char** first, const char** second)
{
    const char* block = reinterpret_cast<const char*>(static_cast<uintptr_t>(lparam));
    if (!block) {
        *first = w.text("", 0);
        *second = w.text("", 0);
        return;
    }
    const size_t a = strlen(block);
    *first = w.text(block, a);
    const char* b = block + a + 1;
    *second = w.text(b, strlen(b));
}

// A byte block: returns the bytes copied (cut to the area) and their length.
const void* decode_bytes(area_writer& w, intptr_t lparam, uint32_t* length)
{
    const uint8_t* block = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(lparam));
    *length = 0;
    if (!block)
        return nullptr;
    uint32_t n = read_be32(block);
    if (n > w.size - w.used)
        n = static_cast<uint32_t>(w.size - w.used);
    uint8_t* to = w.area + w.used;
    memcpy(to, block + 4, n);
    w.used += n;
    *length = n;
    return to;
}

void decode_properties(area_writer& w, intptr_t lparam, property_list* list)
{
    list->count = 0;
    list->entries = nullptr;
    const uint8_t* block = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(lparam));
    if (!block)
        return;
    uint32_t count = read_be32(block);
    // The entry table comes first; keep only as many entries as leave room
    // for at least their empty names.
    const size_t align = alignof(property_entry);
    w.used = (w.used + align - 1) / align * align;
    const size_t per_entry = sizeof(property_entry) + 1;
    const size_t room = w.size > w.used ? w.size - w.used : 0;
    if (count > room / per_entry)
        count = static_cast<uint32_t>(room / per_entry);
    property_entry* entries = reinterpret_cast<property_entry*>(w.area + w.used);
    w.used += sizeof(property_entry) * count;
    const uint8_t* at = block + 4;
    for (uint32_t i = 0; i < count; ++i) {
        property_entry& e = entries[i];
        e.type = *at++;
        const size_t n = read_be16(at);
        at += 2;
        e.name = w.text(reinterpret_cast<const char*>(at), n);
        at += n + 1;
        if (e.type == 1) {
            e.value.integer = static_cast<int32_t>(read_be32(at));
            at += 4;
        } else if (e.type == 0) {
            const size_t v = read_be16(at);
            at += 2;
            e.value.text = w.text(reinterpret_cast<const char*>(at), v);
            at += v + 1;
        } else {
            e.value.pointer = nullptr;
        }
    }
    list->count = count;
    list->entries = count ? entries : nullptr;
}

void decode_pcm(area_writer& w, intptr_t lparam, pcm_block* pcm)
{
    memset(pcm, 0, sizeof(*pcm));
    const uint8_t* block = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(lparam));
    if (!block)
        return;
    pcm->time_s = read_be32(block);
    pcm->time_us = read_be32(block + 4);
    pcm->sample_rate = read_be32(block + 8);
    pcm->channels = read_be16(block + 12);
    pcm->samples_per_channel = read_be16(block + 14);
    size_t samples = static_cast<size_t>(pcm->channels) * pcm->samples_per_channel;
    const size_t room = w.size - w.used;
    if (samples > room) {
        // Too big for the area: keep whole channels' worth that fit.
        pcm->samples_per_channel =
            static_cast<uint16_t>(pcm->channels ? room / pcm->channels : 0);
        samples = static_cast<size_t>(pcm->channels) * pcm->samples_per_channel;
    }
    int8_t* to = reinterpret_cast<int8_t*>(w.area + w.used);
    if (pcm->channels == 0 || pcm->samples_per_channel == 0) {
        pcm->samples = nullptr;
        return;
    }
    // With a cut block each channel keeps its first samples.
    const size_t sent_per_channel = read_be16(block + 14);
    for (uint16_t c = 0; c < pcm->channels; ++c)
        memcpy(to + c * pcm->samples_per_channel, block + 16 + c * sent_per_channel,
               pcm->samples_per_channel);
    w.used += samples;
    pcm->samples = to;
}

} // namespace

int message_encode(const control_message* message, uint32_t* identifier, uintptr_t* wparam,
                   intptr_t* lparam)
{
    *identifier = 0;
    *wparam = 0;
    *lparam = 0;
    if (!message || !control_code_valid(message->code))
        return DK_ERR_INVALID_MESSAGE;
    const int code = message->code;
    const control_payload& p = message->payload;
    uintptr_t w = 0;
    intptr_t l = 0;
    int r = 0;
    switch (control_code_shape(code)) {
    case SHAPE_NONE: case SHAPE_U32_TRIPLE: case SHAPE_I16_UNCARRIED: case SHAPE_LEVELS_UNCARRIED:
    case SHAPE_FEEDBACK_TIMECODE: case SHAPE_FEEDBACK_POSITION:
        break;
    case SHAPE_U32_LPARAM:
        l = static_cast<intptr_t>(p.u32.value); // zero-extended: the mask arrives whole
        break;
    case SHAPE_U32_PAIR:
        w = p.u32_pair.first;
        l = static_cast<intptr_t>(p.u32_pair.second);
        break;
    case SHAPE_U32_WPARAM:
        w = p.u32.value;
        break;
    case SHAPE_TEXT:
        r = text_copy(p.text.text, &l);
        break;
    case SHAPE_I16:
        w = static_cast<uintptr_t>(static_cast<intptr_t>(p.i16.value));
        break;
    case SHAPE_FILTER:
        w = static_cast<uintptr_t>(static_cast<intptr_t>(p.filter.id));
        r = text_copy(p.filter.name, &l);
        break;
    case SHAPE_NAME_INTEGER:
        w = static_cast<uintptr_t>(static_cast<intptr_t>(p.env_integer.value));
        r = text_copy(p.env_integer.name, &l);
        break;
    case SHAPE_TEXT_PAIR:
        r = text_pair(p.env_string.name, p.env_string.value, &l);
        break;
    case SHAPE_BYTES:
        w = p.bytes.type;
        r = byte_block(p.bytes.data, p.bytes.length, &l);
        break;
    case SHAPE_EQUALIZER:
        r = byte_block(p.equalizer.data, 64, &l);
        break;
    case SHAPE_U8:
        w = p.u8.value;
        break;
    case SHAPE_LEVEL_BALANCE:
        w = p.levels.balance;
        break;
    case SHAPE_LEVEL_PCM:
        w = p.levels.pcm;
        break;
    case SHAPE_LEVEL_MASTER:
        w = p.levels.master;
        break;
    case SHAPE_LEVELS:
        w = byte_at(p.levels.balance, 0) | byte_at(p.levels.pcm, 1) | byte_at(p.levels.master, 2);
        break;
    case SHAPE_NACK:
        w = p.nack.code;
        l = p.nack.error;
        break;
    case SHAPE_FOUR_U8:
        w = byte_at(p.timecode.hours, 0) | byte_at(p.timecode.minutes, 1) |
            byte_at(p.timecode.seconds, 2) | byte_at(p.timecode.hundredths, 3);
        break;
    case SHAPE_MODULE_INFO:
        w = byte_at(p.module.module_id, 0) | byte_at(p.module.count, 1);
        r = text_pair(p.module.name, p.module.description, &l);
        break;
    case SHAPE_DEVICE_INFO:
        w = byte_at(p.device.module_id, 0) | byte_at(p.device.index, 1) | byte_at(p.device.flags, 2);
        r = text_pair(p.device.name, p.device.description, &l);
        break;
    case SHAPE_FORMAT:
        w = p.format.bitrate | byte_at(p.format.channels, 2);
        l = static_cast<intptr_t>(p.format.frequency);
        break;
    case SHAPE_PROPERTIES:
        r = list_block(p.properties, &l);
        break;
    case SHAPE_PROGRESS:
        w = byte_at(p.progress.source, 0) | byte_at(p.progress.code, 1) |
            (static_cast<uintptr_t>(static_cast<uint16_t>(p.progress.value)) << 16);
        r = text_copy(p.progress.text, &l);
        break;
    case SHAPE_DEBUG:
        w = byte_at(p.debug.source, 0) | byte_at(p.debug.level, 1);
        r = text_copy(p.debug.text, &l);
        break;
    case SHAPE_ERROR:
        w = byte_at(p.error.source, 0) |
            (static_cast<uintptr_t>(static_cast<uint16_t>(p.error.error)) << 16);
        r = text_copy(p.error.text, &l);
        break;
    case SHAPE_EVENT:
        w = byte_at(p.event.source, 0) |
            (static_cast<uintptr_t>(static_cast<uint16_t>(p.event.type)) << 16);
        r = byte_block(p.event.data, p.event.length, &l);
        break;
    case SHAPE_PCM:
        r = pcm_heap_block(p.pcm, &l);
        break;
    }
    if (r < 0)
        return r;
    *identifier = ENGINE_MESSAGE_BASE + static_cast<uint32_t>(code);
    *wparam = w;
    *lparam = l;
    return 0;
}

void message_encode_release(uint32_t identifier, intptr_t lparam)
{
    const int code = static_cast<int>(identifier) - ENGINE_MESSAGE_BASE;
    if (has_block(control_code_shape(code)))
        free(reinterpret_cast<void*>(static_cast<uintptr_t>(lparam)));
}

int message_decode(uint8_t* area, size_t area_size, uint32_t identifier, uintptr_t wparam,
                   intptr_t lparam, control_message* message)
{
    memset(message, 0, sizeof(*message));
    const int code = static_cast<int>(identifier) - ENGINE_MESSAGE_BASE;
    message->code = code;
    if (!control_code_valid(code)) {
        message->code = 0;
        return 0;
    }
    control_payload& p = message->payload;
    area_writer w{area, area_size, 0};
    const uint32_t wp = static_cast<uint32_t>(wparam);
    auto byte = [wp](int index) { return static_cast<uint8_t>(wp >> (8 * index)); };
    const control_shape shape = control_code_shape(code);
    switch (shape) {
    case SHAPE_NONE: case SHAPE_U32_TRIPLE: case SHAPE_I16_UNCARRIED: case SHAPE_LEVELS_UNCARRIED:
    case SHAPE_FEEDBACK_TIMECODE: case SHAPE_FEEDBACK_POSITION:
        break;
    case SHAPE_U32_LPARAM:
        p.u32.value = static_cast<uint32_t>(lparam);
        break;
    case SHAPE_U32_PAIR:
        p.u32_pair.first = wp;
        p.u32_pair.second = static_cast<uint32_t>(lparam);
        break;
    case SHAPE_U32_WPARAM:
        p.u32.value = wp;
        break;
    case SHAPE_TEXT:
        p.text.text = decode_text(w, lparam);
        break;
    case SHAPE_I16:
        p.i16.value = static_cast<int16_t>(wp);
        break;
    case SHAPE_FILTER:
        p.filter.id = static_cast<int16_t>(wp);
        p.filter.name = decode_text(w, lparam);
        break;
    case SHAPE_NAME_INTEGER:
        p.env_integer.value = static_cast<int32_t>(wp);
        p.env_integer.name = decode_text(w, lparam);
        break;
    case SHAPE_TEXT_PAIR:
        decode_text_pair(w, lparam, &p.env_string.name, &p.env_string.value);
        break;
    case SHAPE_BYTES:
        p.bytes.type = static_cast<uint16_t>(wp);
        p.bytes.data = decode_bytes(w, lparam, &p.bytes.length);
        break;
    case SHAPE_EQUALIZER: {
        uint32_t length = 0;
        p.equalizer.data = static_cast<const int8_t*>(decode_bytes(w, lparam, &length));
        break;
    }
    case SHAPE_U8:
        p.u8.value = byte(0);
        break;
    case SHAPE_LEVEL_BALANCE:
        p.levels.balance = byte(0);
        break;
    case SHAPE_LEVEL_PCM:
        p.levels.pcm = byte(0);
        break;
    case SHAPE_LEVEL_MASTER:
        p.levels.master = byte(0);
        break;
    case SHAPE_LEVELS:
        p.levels.balance = byte(0);
        p.levels.pcm = byte(1);
        p.levels.master = byte(2);
        break;
    case SHAPE_NACK:
        p.nack.code = byte(0);
        p.nack.error = static_cast<int16_t>(lparam);
        break;
    case SHAPE_FOUR_U8:
        p.timecode.hours = byte(0);
        p.timecode.minutes = byte(1);
        p.timecode.seconds = byte(2);
        p.timecode.hundredths = byte(3);
        break;
    case SHAPE_MODULE_INFO:
        p.module.module_id = byte(0);
        p.module.count = byte(1);
        decode_text_pair(w, lparam, &p.module.name, &p.module.description);
        break;
    case SHAPE_DEVICE_INFO:
        p.device.module_id = byte(0);
        p.device.index = byte(1);
        p.device.flags = byte(2);
        decode_text_pair(w, lparam, &p.device.name, &p.device.description);
        break;
    case SHAPE_FORMAT:
        p.format.bitrate = static_cast<uint16_t>(wp);
        p.format.channels = byte(2);
        p.format.frequency = static_cast<uint32_t>(lparam);
        break;
    case SHAPE_PROPERTIES:
        decode_properties(w, lparam, &p.properties);
        break;
    case SHAPE_PROGRESS:
        p.progress.source = byte(0);
        p.progress.code = byte(1);
        p.progress.value = static_cast<int16_t>(wp >> 16);
        p.progress.text = decode_text(w, lparam);
        break;
    case SHAPE_DEBUG:
        p.debug.source = byte(0);
        p.debug.level = byte(1);
        p.debug.text = decode_text(w, lparam);
        break;
    case SHAPE_ERROR:
        p.error.source = byte(0);
        p.error.error = static_cast<int16_t>(wp >> 16);
        p.error.text = decode_text(w, lparam);
        break;
    case SHAPE_EVENT:
        p.event.source = byte(0);
        p.event.type = static_cast<int16_t>(wp >> 16);
        p.event.data = decode_bytes(w, lparam, &p.event.length);
        break;
    case SHAPE_PCM:
        decode_pcm(w, lparam, &p.pcm);
        break;
    }
    if (has_block(shape))
        free(reinterpret_cast<void*>(static_cast<uintptr_t>(lparam)));
    return 0;
}
