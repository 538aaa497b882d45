// Modules for driving the decoder in tests: an input over bytes in memory
// (with short reads, "no data yet" answers and no seeking on request), an
// output that keeps what it is given, and a codec that takes every stream
// as 16-bit stereo at 44100 Hz in blocks of 1152 frames, the way the MPEG
// codec takes every stream.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "decoder/engine/decoder.h"

namespace test_modules {

struct Stream
{
    std::string bytes;
    int max_read = 0;     // largest answer of one read; 0: as asked
    int timeouts = 0;     // reads answered -104 before the data comes
    bool seekable = true; // else no seek method result and capabilities 0
    const char* content_type = nullptr; // set on the decoder at open
};

struct Counters
{
    int input_new = 0, input_delete = 0, input_open = 0, input_close = 0;
    int codec_new = 0, codec_delete = 0, codec_open = 0, codec_close = 0;
    int codec_seek_notice = 0, codec_reset = 0;
    int output_open = 0, output_close = 0;
};

// Forgets streams, captures, counters and the codec's stream facts.
void reset();
void set_stream(const std::string& name, const Stream& stream);
Counters& counters();

struct Captured
{
    std::string bytes;
    std::vector<std::pair<int, output_control>> controls; // mask, block
    int channels = 0;
    int rate = 0;
};
Captured& captured(const std::string& output_name);

// Duration and bitrate the codec reports at open (0: not known).
void set_codec_stream_facts(int duration_ms, int bitrate);
// Names given to the codec's probe, in order.
std::vector<std::string>& codec_probes();

input_module_ops memory_input_ops();
output_module_ops capture_output_ops();
codec_module_ops fallback_codec_ops();

enum { FALLBACK_FRAMES = 1152, FALLBACK_BLOCK_BYTES = FALLBACK_FRAMES * 4 };

// A debug callback that keeps (message, detail) in a vector given as the
// client value.
typedef std::vector<std::pair<std::string, std::string>> DebugLog;
void record_debug(void* client, const void* source, int level, const char* message,
                  const char* detail);

} // namespace test_modules
