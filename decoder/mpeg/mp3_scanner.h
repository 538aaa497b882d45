// The MP3 stream scanner: reads an MPEG audio file's stream facts (version,
// layer, bitrate, sample rate, channel mode, frame count, duration) and its
// ID3v1 fields without decoding, by walking the chain of frame headers;
// a Xing, "Lame" or VBRI header fills in when the walk stops early.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include "decoder/mpeg/mpeg_frame.h"

// Result codes.
enum mp3_scanner_result
{
    MP3_SCAN_OK = 0,
    MP3_SCAN_READ_FAILED = -1,
    MP3_SCAN_OUT_OF_MEMORY = -3,
    MP3_SCAN_NO_FILE = -4,
    MP3_SCAN_OPEN_FAILED = -5,
    MP3_SCAN_NO_HEADER = -6, // internal: the walk searches again
    MP3_SCAN_END = -7,       // internal: end of file or stop asked
    MP3_SCAN_STOPPED = -8,   // a frame changed a parameter of the stop mask
    MP3_SCAN_NO_SYNC = -9,   // no sync within the resync limit
};

// Flags of the scan.
enum mp3_scan_flags
{
    MP3_FLAG_VERSION_CHANGED = 1,
    MP3_FLAG_LAYER_CHANGED = 2,
    MP3_FLAG_BITRATE_CHANGED = 4,
    MP3_FLAG_RATE_CHANGED = 8,
    MP3_FLAG_MODE_CHANGED = 16,
    MP3_FLAG_ID3V1 = 64 | 128,
    MP3_FLAG_ID3V2 = 256,
};

struct mp3_stream_info
{
    int32_t version;     // 1 MPEG-1, 2 MPEG-2, 0 MPEG-2.5; -1 until a frame is seen
    int32_t layer;       // 1 to 3
    int32_t bitrate;     // bits per second
    int32_t sample_rate; // Hz
    int32_t mode;        // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
    int32_t channels;
    // ID3v1 texts inside the scanner, valid until the next scan or delete;
    // null without an ID3v1 tag.
    const char* title;
    const char* artist;
    const char* album;
    const char* year;
    const char* comment;
    int32_t genre;
    int32_t frames;
    int32_t duration_ms;
    int32_t flags;
};

struct mp3_frame_info
{
    int32_t frame; // 0 for the first
    int32_t version;
    int32_t layer;
    int32_t bitrate; // bits per second
    int32_t sample_rate;
    int32_t mode;
    int32_t channels;
    int32_t offset; // file offset the walk has reached
    int32_t samples; // per frame
};

// Non-zero stops the walk, which then ends as if the file ended.
typedef int (*mp3_frame_callback)(void* data, const mp3_frame_info* info);

// The bytes of an open file for a scan that does not open one itself.
struct mp3_scan_source
{
    void* data;
    int64_t size; // bytes in the file
    // Up to count bytes at offset into buffer: the number read, 0 at the
    // end, -1 when the read failed.
    int64_t (*read)(void* data, int64_t offset, void* buffer, size_t count);
};

struct mp3_file_window;

struct mp3_scanner
{
    FILE* file;
    mp3_file_window* window; // reads of the walk, over file
    int32_t state; // 0 look for a frame, 1 frame in hand, 4 read the next header
    bool in_sync;
    bool pending;
    mpeg_frame_header pending_header;
    mpeg_frame_header frame; // the frame in hand
    int64_t audio_bytes;
    int64_t frame_bytes; // the frames walked add up to this
    mpeg_frame_header first;
    bool have_first;
    int32_t frames;
    double seconds;
    int32_t flags;
    int32_t vbr_bitrate;
    int32_t vbr_duration_ms;
    int32_t resync_limit;
    char title[31];
    char artist[31];
    char album[31];
    char year[5];
    char comment[31];
    int32_t genre;
};

// 0 for a header the walk may take, -1 for a refused one (the codec's rules).
int mp3_header_check(const mpeg_frame_header* header);

int mp3_scanner_new(mp3_scanner** scanner);
int mp3_scanner_delete(mp3_scanner* scanner);
// Scans path into info. callback may be null; stop_mask names flags that
// end the scan with -8; resync_limit 0 and frame_limit 0 mean no limit.
int mp3_scanner_scan(mp3_scanner* scanner, const char* path, mp3_frame_callback callback,
                     void* callback_data, mp3_stream_info* info, int stop_mask,
                     int resync_limit, int frame_limit);
// The same over a source the caller holds open; the scan reads it only
// during the call.
int mp3_scanner_scan_source(mp3_scanner* scanner, const mp3_scan_source* source,
                            mp3_frame_callback callback, void* callback_data,
                            mp3_stream_info* info, int stop_mask, int resync_limit,
                            int frame_limit);
