#include "decoder/dsound_output/dsound_stream.h"

#include <math.h>
#include <string.h>

namespace {

const char device_prefix[] = "/dev/dsound/";

int32_t decibels_for_gain(double gain)
{
    if (gain <= 0.0)
        return DSOUND_VOLUME_MIN;
    if (gain >= 1.0)
        return 0;
    const double hundredths = 2000.0 * log10(gain);
    return hundredths < DSOUND_VOLUME_MIN ? DSOUND_VOLUME_MIN : static_cast<int32_t>(lround(hundredths));
}

int clamp_level(int level) { return level < 0 ? 0 : level > 100 ? 100 : level; }

} // namespace

int dsound_device_number(const char* name)
{
    const size_t prefix = sizeof(device_prefix) - 1;
    if (!name || strncmp(name, device_prefix, prefix) != 0)
        return -1;
    const char* digits = name + prefix;
    if (!*digits)
        return -1;
    int number = 0;
    for (const char* c = digits; *c; ++c) {
        if (*c < '0' || *c > '9')
            return -1;
        number = number * 10 + (*c - '0');
        if (number > 65535)
            return -1;
    }
    return number;
}

int32_t dsound_volume_for_levels(int pcm_level, int master_level)
{
    return decibels_for_gain(clamp_level(pcm_level) / 100.0 * (clamp_level(master_level) / 100.0));
}

int32_t dsound_pan_for_balance(int balance)
{
    balance = clamp_level(balance);
    if (balance > 50)
        return -decibels_for_gain((100 - balance) * 2 / 100.0);
    if (balance < 50)
        return decibels_for_gain(balance * 2 / 100.0);
    return 0;
}

uint32_t dsound_frequency_for_pitch(int sample_rate, int32_t pitch)
{
    if (pitch <= 0)
        pitch = DSOUND_PITCH_NORMAL;
    const int64_t frequency = (static_cast<int64_t>(sample_rate > 0 ? sample_rate : 0) * pitch + 500) / 1000;
    if (frequency < DSOUND_FREQUENCY_MIN)
        return DSOUND_FREQUENCY_MIN;
    if (frequency > DSOUND_FREQUENCY_MAX)
        return DSOUND_FREQUENCY_MAX;
    return static_cast<uint32_t>(frequency);
}

void dsound_stream_reset(dsound_stream* stream, uint32_t size, uint32_t block_align)
{
    memset(stream, 0, sizeof(*stream));
    stream->size = size;
    stream->block_align = block_align ? block_align : 1;
}

bool dsound_stream_advance(dsound_stream* stream, uint32_t play_cursor)
{
    if (stream->size == 0)
        return false;
    play_cursor %= stream->size;
    const uint32_t moved = (play_cursor + stream->size - stream->last_cursor) % stream->size;
    stream->last_cursor = play_cursor;
    stream->played += moved;
    if (stream->played >= stream->written) {
        const bool dry = stream->played > stream->written || moved > 0;
        stream->played = stream->written;
        return dry;
    }
    return false;
}

uint32_t dsound_stream_queued(const dsound_stream* stream)
{
    return static_cast<uint32_t>(stream->written - stream->played);
}

uint32_t dsound_stream_free(const dsound_stream* stream, uint32_t margin)
{
    const uint64_t used = static_cast<uint64_t>(dsound_stream_queued(stream)) + margin;
    if (used >= stream->size)
        return 0;
    const uint32_t room = static_cast<uint32_t>(stream->size - used);
    return room - room % stream->block_align;
}

uint32_t dsound_stream_play_start(const dsound_stream* stream)
{
    if (stream->size == 0)
        return 0;
    const uint32_t queued = dsound_stream_queued(stream) % stream->size;
    return (stream->write_offset + stream->size - queued) % stream->size;
}

void dsound_stream_wrote(dsound_stream* stream, uint32_t count)
{
    if (stream->size == 0)
        return;
    stream->write_offset = static_cast<uint32_t>((static_cast<uint64_t>(stream->write_offset) + count) % stream->size);
    stream->written += count;
}

int dsound_stream_delay_ms(const dsound_stream* stream, uint32_t frequency)
{
    if (frequency == 0 || stream->block_align == 0)
        return 0;
    const uint64_t frames = dsound_stream_queued(stream) / stream->block_align;
    return static_cast<int>(frames * 1000 / frequency);
}
