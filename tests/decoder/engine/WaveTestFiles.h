// WAVE files for the tests: reading what sox made, building variants with
// extra chunks or other formats, and running a file through the decoder.
#pragma once

#include <stdint.h>
#include <string>
#include <utility>
#include <vector>

namespace wave_test {

struct WaveFile
{
    uint16_t format_tag = 0;
    uint16_t channels = 0;
    uint32_t sample_rate = 0;
    uint16_t bits = 0;
    uint32_t data_offset = 0;
    uint32_t data_size = 0; // as the chunk says
    std::string data;       // the bytes actually there
};

// Parses RIFF bytes (chunks padded to even sizes); false when not WAVE.
bool parse(const std::string& bytes, WaveFile& out);

// The 16-bit samples the codec must deliver for a file: 8-bit widened,
// whole frames only.
std::string expected_pcm16(const WaveFile& wave);

struct BuildOptions
{
    uint16_t format_tag = 1;
    uint16_t channels = 2;
    uint32_t sample_rate = 44100;
    uint16_t bits = 16;
    int fmt_size = 16;             // 16, 18 or 40 (40: EXTENSIBLE layout)
    uint16_t sub_format = 1;       // for fmt_size 40
    std::vector<std::pair<std::string, std::string>> before_data; // id, body
    std::vector<std::pair<std::string, std::string>> after_data;
};

std::string build(const BuildOptions& options, const std::string& data);

// Bytes counting through a pattern, n of them.
std::string pattern(size_t n, unsigned seed = 1);

struct DecodeResult
{
    int open_result = 0;
    int last_result = 0;
    std::vector<int> block_frames;
    std::string content_type;
    int duration_ms = -1;
    int frequency = 0;
    int bitrate = 0;
    int channels = 0;
    std::string written; // data chunk of the output WAV file
    int out_channels = 0;
    uint32_t out_rate = 0;
};

// Decodes input_path with the file input, the WAVE codec (registered after
// a catch-all codec, as after the MPEG codec) and the file output writing
// "wav:" + output_path; reads back the output's data chunk.
DecodeResult decode_to_wave_file(const std::string& input_path, const std::string& output_path);

} // namespace wave_test
