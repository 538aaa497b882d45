// Stream start: ID3v2 size, first frame, VBR headers, seek table.
#include "decoder/mpeg/mpeg_stream_start.h"

#include <string.h>

uint32_t mpeg_id3v2_size(const uint8_t* b, int count)
{
    if (count < 10 || memcmp(b, "ID3", 3) != 0)
        return 0;
    const uint32_t size = (static_cast<uint32_t>(b[6] & 0x7F) << 21) |
                          (static_cast<uint32_t>(b[7] & 0x7F) << 14) |
                          (static_cast<uint32_t>(b[8] & 0x7F) << 7) |
                          static_cast<uint32_t>(b[9] & 0x7F);
    return size + 10;
}

int mpeg_stream_start_parse(const uint8_t* b, int count, uint32_t data_size,
                            mpeg_stream_start* s)
{
    memset(s, 0, sizeof(*s));
    if (count < 4 || b[0] != 0xFF || b[1] < 0xE0)
        return -1;
    mpeg_header_unpack(mpeg_read_u32_be(b), &s->header);
    if (mpeg_header_check(&s->header) != 0)
        return -1;
    const mpeg_frame_header& h = s->header;
    s->level = mpeg_level(h);
    s->layer = mpeg_layer(h);
    s->bitrate = mpeg_bitrate_kbps(h);
    s->frequency = mpeg_sample_rate(h);
    s->mode = h.mode;
    s->channels = mpeg_channels(h);
    if (s->bitrate > 0)
        s->duration_ms = static_cast<uint32_t>(static_cast<uint64_t>(data_size) * 8 / s->bitrate);

    // A VBR header sits right after the side information.
    const int at = 4 + mpeg_side_info_size(h);
    const uint32_t per_frame = h.version == MPEG_VERSION_1 ? 1152 : 576;
    uint32_t frames = 0;
    bool found = false;
    if (at + 8 <= count && (memcmp(b + at, "Xing", 4) == 0 || memcmp(b + at, "Lame", 4) == 0)) {
        const uint32_t flags = mpeg_read_u32_be(b + at + 4);
        int p = at + 8;
        if (flags & 1) {
            if (p + 4 > count)
                return 0; // does not fit: ignored
            frames = mpeg_read_u32_be(b + p);
            p += 4;
            found = true;
        }
        if (flags & 2)
            p += 4;
        if ((flags & 4) && p + 100 <= count) {
            memcpy(s->seek_table, b + p, 100);
            s->has_seek_table = true;
        }
    } else if (at + 18 <= count && memcmp(b + at, "VBRI", 4) == 0) {
        frames = mpeg_read_u32_be(b + at + 14);
        found = true;
    }
    if (found && frames > 0 && s->frequency > 0) {
        s->vbr = true;
        s->frames = frames;
        s->duration_ms = static_cast<uint32_t>(static_cast<uint64_t>(per_frame) * 1000 * frames /
                                               static_cast<uint32_t>(s->frequency));
        if (s->duration_ms > 0)
            s->bitrate = static_cast<int>(data_size / s->duration_ms * 8);
    }
    return 0;
}

bool mpeg_is_header_frame_tag(const uint8_t* b, int count)
{
    if (count < 4)
        return false;
    return memcmp(b, "Xing", 4) == 0 || memcmp(b, "Lame", 4) == 0 || memcmp(b, "Info", 4) == 0 ||
           memcmp(b, "VBRI", 4) == 0;
}

float mpeg_seek_table_fraction(const uint8_t* t, float x)
{
    if (x < 0.0f)
        x = 0.0f;
    if (x > 1.0f)
        x = 1.0f;
    if (t == nullptr)
        return x;
    const float scaled = x * 100.0f;
    int i = static_cast<int>(scaled);
    if (i > 99)
        i = 99;
    const float a = t[i];
    const float b = i < 99 ? t[i + 1] : 256.0f;
    return (a + (scaled - static_cast<float>(i)) * (b - a)) / 256.0f;
}
