// Frame header fields, validity rules and frame sizes (ISO/IEC 11172-3 and
// 13818-3 tables).
#include "decoder/mpeg/mpeg_frame.h"

namespace {

// kbit/s by [MPEG-1 or lower rates][layer I, II, III][bitrate index].
const int16_t kBitrates[2][3][16] = {
    {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    },
    {
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    },
};

// Hz by [version id][sampling index].
const int32_t kRates[4][4] = {
    {22050, 24000, 16000, 0},
    {44100, 48000, 32000, 0},
    {11025, 12000, 8000, 0},
    {0, 0, 0, 0},
};

} // namespace

void mpeg_header_unpack(uint32_t word, mpeg_frame_header* h)
{
    h->emphasis = static_cast<int32_t>(word & 3);
    h->original = static_cast<int32_t>((word >> 2) & 1);
    h->copyright = static_cast<int32_t>((word >> 3) & 1);
    h->mode_extension = static_cast<int32_t>((word >> 4) & 3);
    h->mode = static_cast<int32_t>((word >> 6) & 3);
    h->private_bit = static_cast<int32_t>((word >> 8) & 1);
    h->padding = static_cast<int32_t>((word >> 9) & 1);
    h->sampling_index = static_cast<int32_t>((word >> 10) & 3);
    h->bitrate_index = static_cast<int32_t>((word >> 12) & 15);
    h->protection = static_cast<int32_t>((word >> 16) & 1);
    h->layer = static_cast<int32_t>((word >> 17) & 3);
    const int32_t bit19 = static_cast<int32_t>((word >> 19) & 1);
    h->version = ((word >> 20) & 1) ? bit19 : bit19 + 2;
}

uint32_t mpeg_read_u32_be(const uint8_t* b)
{
    return (static_cast<uint32_t>(b[0]) << 24) | (static_cast<uint32_t>(b[1]) << 16) |
           (static_cast<uint32_t>(b[2]) << 8) | static_cast<uint32_t>(b[3]);
}

int mpeg_header_check(const mpeg_frame_header* h)
{
    if (h->bitrate_index == 0 || h->bitrate_index == 15)
        return -1;
    if (h->layer == 0)
        return -1;
    if (h->padding && h->sampling_index != 0)
        return -1;
    if (h->sampling_index == 3)
        return -1;
    if (h->version == MPEG_VERSION_1 && h->layer == 2) {
        const int b = h->bitrate_index;
        const bool mono = h->mode == MPEG_MODE_SINGLE_CHANNEL;
        if ((b == 1 || b == 2 || b == 3 || b == 5) && !mono)
            return -1;
        if (b >= 11 && b <= 14 && mono)
            return -1;
    }
    if (h->version == MPEG_VERSION_RESERVED)
        return -1;
    if (h->version == MPEG_VERSION_2_5 && h->layer != 1)
        return -1;
    return 0;
}

int mpeg_level(const mpeg_frame_header& h) { return 2 - h.version; }
int mpeg_layer(const mpeg_frame_header& h) { return 4 - h.layer; }

int mpeg_bitrate_kbps(const mpeg_frame_header& h)
{
    if (h.layer < 1 || h.layer > 3 || h.version < 0 || h.version > 2)
        return 0;
    return kBitrates[h.version == MPEG_VERSION_1 ? 0 : 1][3 - h.layer][h.bitrate_index & 15];
}

int mpeg_sample_rate(const mpeg_frame_header& h)
{
    return kRates[h.version & 3][h.sampling_index & 3];
}

int mpeg_channels(const mpeg_frame_header& h)
{
    return h.mode == MPEG_MODE_SINGLE_CHANNEL ? 1 : 2;
}

int mpeg_frame_size(const mpeg_frame_header& h)
{
    const int b = mpeg_bitrate_kbps(h);
    const int f = mpeg_sample_rate(h);
    if (b == 0 || f == 0)
        return 0;
    // Padding counts only at 44.1, 22.05 and 11.025 kHz; elsewhere frames
    // are whole and the header check refuses the bit.
    const int pad = h.sampling_index == 0 ? h.padding : 0;
    switch (h.layer) {
    case 3:
        return (b * 12000 / f + pad) * 4;
    case 2:
        return b * 144000 / f + pad;
    case 1:
        return (h.version == MPEG_VERSION_1 ? b * 144000 / f : b * 72000 / f) + pad;
    default:
        return 0;
    }
}

int mpeg_samples_per_frame(const mpeg_frame_header& h)
{
    switch (h.layer) {
    case 3:
        return 384;
    case 2:
        return 1152;
    default:
        return h.version == MPEG_VERSION_1 ? 1152 : 576;
    }
}

int mpeg_side_info_size(const mpeg_frame_header& h)
{
    const bool mono = h.mode == MPEG_MODE_SINGLE_CHANNEL;
    if (h.version == MPEG_VERSION_1)
        return mono ? 17 : 32;
    return mono ? 9 : 17;
}

int mpeg_joint_bound(const mpeg_frame_header& h)
{
    return h.mode == MPEG_MODE_JOINT_STEREO ? 4 + 4 * h.mode_extension : 32;
}

bool mpeg_frame::main_data_reader(int main_data_begin, mpeg_bits* reader) const
{
    if (main_data_begin < 0 || main_data_begin > reservoir_before || main_data == nullptr) {
        reader->reset(nullptr, 0);
        return false;
    }
    reader->reset(main_data - main_data_begin,
                  static_cast<size_t>(main_data_begin) + static_cast<size_t>(main_data_size));
    return true;
}
