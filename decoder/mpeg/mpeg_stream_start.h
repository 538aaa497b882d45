// What the start of an MPEG audio stream tells before decoding: the ID3v2
// tag size, the first frame's description and a Xing, "Lame" or VBRI
// header with frame count and seek table. Pure functions over bytes.
#pragma once

#include <stdint.h>

#include "decoder/mpeg/mpeg_frame.h"

// Bytes examined at the stream start.
enum { MPEG_STREAM_START_SIZE = 152 };

// Size of an ID3v2 tag at bytes (10 + the syncsafe size), 0 when the bytes
// do not begin with "ID3" or fewer than 10 are given.
uint32_t mpeg_id3v2_size(const uint8_t* bytes, int count);

struct mpeg_stream_start
{
    mpeg_frame_header header;
    int level;            // 1, 2 or 0 (MPEG-2.5)
    int layer;            // 1 to 3
    int bitrate;          // kbit/s
    int frequency;        // Hz
    int mode;
    int channels;
    uint32_t duration_ms; // 0 when not known
    bool vbr;             // a VBR header gave the frame count
    uint32_t frames;      // from the VBR header
    bool has_seek_table;
    uint8_t seek_table[100];
};

// Reads the description from the first bytes after any tag; data_size is
// the stream's byte count after the tag (0 when unknown). -1 when the bytes
// do not begin with a valid frame header.
int mpeg_stream_start_parse(const uint8_t* bytes, int count, uint32_t data_size,
                            mpeg_stream_start* start);

// True when bytes (the first bytes after a layer III frame's side
// information) begin with the tag of an encoder's header frame: "Xing",
// "Lame", "Info" (lame's constant-bitrate header) or "VBRI". Such a frame
// carries no audio.
bool mpeg_is_header_frame_tag(const uint8_t* bytes, int count);

// Byte fraction (0..1) of a playing-time fraction through a Xing seek
// table (table may be nullptr: the fraction itself).
float mpeg_seek_table_fraction(const uint8_t* table, float fraction);
