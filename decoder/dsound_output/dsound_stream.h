// The arithmetic of the DirectSound output, apart from DirectSound: device
// names, levels as DirectSound volume and pan, the pitch as a playback
// frequency, and the bookkeeping of a looping stream buffer (what was
// written, what the play cursor has passed, where the next bytes go).
#pragma once

#include <stdint.h>

enum
{
    DSOUND_VOLUME_MIN = -10000, // hundredths of a decibel
    DSOUND_PAN_LEFT = -10000,
    DSOUND_PAN_RIGHT = 10000,
    DSOUND_FREQUENCY_MIN = 100,
    DSOUND_FREQUENCY_MAX = 200000,
    DSOUND_PITCH_NORMAL = 1000, // thousandths of the normal speed
};

// N for "/dev/dsound/N" (decimal, 0 to 65535), -1 for any other name.
int dsound_device_number(const char* name);

// Volume in hundredths of a decibel for the PCM and master levels (0-100
// each): the gain is their product, 0 is silence.
int32_t dsound_volume_for_levels(int pcm_level, int master_level);
// Pan for a balance of 0-100 (50 centred): the far side is attenuated as
// the waveOut output does it, (1 - balance) x 2 of the level.
int32_t dsound_pan_for_balance(int balance);
// The playback frequency of a stream of that rate at that pitch
// (thousandths; 0 or less counts as normal), within DirectSound's limits.
uint32_t dsound_frequency_for_pitch(int sample_rate, int32_t pitch);

// A looping buffer of `size` bytes. written and played count bytes since
// the last reset; the unplayed bytes end at write_offset.
struct dsound_stream
{
    uint32_t size;
    uint32_t block_align;
    uint32_t write_offset;
    uint32_t last_cursor;
    uint64_t written;
    uint64_t played;
};

void dsound_stream_reset(dsound_stream* stream, uint32_t size, uint32_t block_align);
// Takes the play cursor's new place. Returns true when the cursor has
// passed everything written (the stream ran dry); played then equals
// written. The caller polls more often than the buffer takes to play.
bool dsound_stream_advance(dsound_stream* stream, uint32_t play_cursor);
uint32_t dsound_stream_queued(const dsound_stream* stream);
// Whole blocks that can be written, keeping `margin` bytes free.
uint32_t dsound_stream_free(const dsound_stream* stream, uint32_t margin);
// Where the unplayed bytes begin: the place to start the play cursor.
uint32_t dsound_stream_play_start(const dsound_stream* stream);
// Records count written bytes at write_offset.
void dsound_stream_wrote(dsound_stream* stream, uint32_t count);
// Milliseconds that the queued bytes take at that playback frequency.
int dsound_stream_delay_ms(const dsound_stream* stream, uint32_t frequency);
