// MPEG audio frame headers and the frame record handed to the layer
// decoders.
//
// How a layer decoder works with the rest of the codec:
// - The frame reader (mpeg_reader.h) finds a frame whose header is valid
//   and fills an mpeg_frame: the parsed header, the frame body after the
//   4-byte header (CRC already skipped) and, for layer III, the main data
//   in the bit reservoir. Read the body with an mpeg_bits bounded to it;
//   for layer III use mpeg_frame::main_data_reader().
// - The frame driver configures an mpeg_output (mpeg_synth.h) for the
//   frame before calling the layer decoder: channel layout, rate-reduction
//   shift and the PCM buffer. The layer decoder asks it which channels it
//   needs (needs_channel), how many subbands count (subband_limit; the
//   rest are zero) and hands it subband samples as 32-bit floats at full
//   scale 1.0:
//     - block(left, right): one time slot, 32 subband samples per channel;
//     - granule(left, right): 18 time slots of a layer III granule, as
//       float[32][18] per channel (subband-major, as the hybrid stage
//       leaves them);
//     - silent_block()/silent_granule() for what cannot be decoded.
//   Pass right = nullptr for single-channel streams, and nullptr for a
//   channel that needs_channel() says is not used. The output stage does
//   the channel selection (both, left, right, or the (L+R)/2 mix), the
//   equalizer, the synthesis filterbank, rounding and clipping.
// - A layer decoder returns 0, or DK_ERR_INVALID_FRAME (-700) to abandon a
//   damaged frame; the reader then goes on with the next one.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "decoder/mpeg/mpeg_bits.h"

// The unpacked frame header: twelve signed 32-bit fields in this order.
struct mpeg_frame_header
{
    int32_t version;        // 1 MPEG-1, 0 MPEG-2, 2 MPEG-2.5, 3 reserved
    int32_t layer;          // layer field: 3 layer I, 2 layer II, 1 layer III, 0 reserved
    int32_t protection;     // 0: a 16-bit CRC follows the header
    int32_t bitrate_index;  // 0 to 15
    int32_t sampling_index; // 0 to 3
    int32_t padding;
    int32_t private_bit;
    int32_t mode;           // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    int32_t mode_extension;
    int32_t copyright;      // header bit 3
    int32_t original;       // header bit 2
    int32_t emphasis;       // header bits 1 and 0
};

enum mpeg_version
{
    MPEG_VERSION_2 = 0,
    MPEG_VERSION_1 = 1,
    MPEG_VERSION_2_5 = 2,
    MPEG_VERSION_RESERVED = 3,
};

enum mpeg_mode
{
    MPEG_MODE_STEREO = 0,
    MPEG_MODE_JOINT_STEREO = 1,
    MPEG_MODE_DUAL_CHANNEL = 2,
    MPEG_MODE_SINGLE_CHANNEL = 3,
};

// Stores the fields of a header word (first byte most significant). Does not
// test the sync bits or the validity.
void mpeg_header_unpack(uint32_t word, mpeg_frame_header* header);
// Four bytes, first byte most significant.
uint32_t mpeg_read_u32_be(const uint8_t* bytes);
// True when the top 11 bits are set.
inline bool mpeg_is_sync(uint32_t word) { return (word & 0xFFE00000u) == 0xFFE00000u; }
// 0 when the header may be decoded, -1 when it is refused (free format,
// reserved fields, padding at a rate whose frames are whole, layer II
// bitrate and mode combinations, MPEG-2.5 other than layer III).
int mpeg_header_check(const mpeg_frame_header* header);

// Named accessors over a header that passed mpeg_header_check.
int mpeg_level(const mpeg_frame_header& h);         // 1 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
int mpeg_layer(const mpeg_frame_header& h);         // 1, 2 or 3
int mpeg_bitrate_kbps(const mpeg_frame_header& h);  // 0 for index 0 or 15
int mpeg_sample_rate(const mpeg_frame_header& h);   // Hz, 0 for index 3
int mpeg_channels(const mpeg_frame_header& h);      // 1 for single channel, else 2
int mpeg_frame_size(const mpeg_frame_header& h);    // bytes, header included
int mpeg_samples_per_frame(const mpeg_frame_header& h); // 384, 1152 or 576
// Layer III side information in bytes (without the CRC).
int mpeg_side_info_size(const mpeg_frame_header& h);
inline bool mpeg_has_crc(const mpeg_frame_header& h) { return h.protection == 0; }
inline bool mpeg_is_lsf(const mpeg_frame_header& h) { return h.version != MPEG_VERSION_1; }
// Joint-stereo bound of layers I and II: 4 + 4 x mode extension for joint
// stereo, 32 otherwise.
int mpeg_joint_bound(const mpeg_frame_header& h);

// One frame as the reader hands it to a layer decoder.
struct mpeg_frame
{
    mpeg_frame_header header;
    uint32_t header_word;
    // The frame after its header and CRC: layers I and II the whole rest of
    // the frame, layer III its side information.
    const uint8_t* body;
    int32_t body_size;
    // Layer III: this frame's main data inside the reservoir, and how many
    // bytes of earlier frames lie directly before it.
    const uint8_t* main_data;
    int32_t main_data_size;
    int32_t reservoir_before;

    // Layer III: a reader over the main data that begins main_data_begin
    // bytes before this frame's own part; false when the reservoir does
    // not hold that many bytes (the frame cannot be decoded).
    bool main_data_reader(int main_data_begin, mpeg_bits* reader) const;
};
