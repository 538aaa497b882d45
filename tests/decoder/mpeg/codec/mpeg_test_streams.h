// Helpers of the MPEG tests: header words and frames built in memory, a
// decoder record whose input is a byte string, and PCM comparison.
#pragma once

#include <map>
#include <stdint.h>
#include <string>
#include <vector>

#include "decoder/engine/decoder.h"

namespace mpeg_test {

// A header word from its fields (version id 1 MPEG-1, 0 MPEG-2, 2 MPEG-2.5,
// 3 reserved; layer code 3 layer I, 2 layer II, 1 layer III).
uint32_t HeaderWord(int version, int layer, int bitrate_index, int sampling_index, int padding,
                    int mode, int mode_extension = 0, int protection = 1);
// A whole frame: the header and a body of zero bytes (silence for every
// layer), or the given body bytes repeated/cut to the frame size.
std::string Frame(uint32_t word, const std::string& body = std::string());
std::string Repeat(const std::string& s, int times);
std::string BigEndian32(uint32_t v);
// An ID3v2 tag of total size 10 + body_size.
std::string Id3v2(uint32_t body_size);
// An ID3v1 tag.
std::string Id3v1(const std::string& title, const std::string& artist, const std::string& album,
                  const std::string& year, const std::string& comment, uint8_t genre);

// A decoder record as the codec module sees it, reading from memory. The
// input may answer -104 ("no data yet") on every n-th read.
class MemoryDecoder
{
public:
    explicit MemoryDecoder(const std::string& bytes, bool random_access = true);
    decoder* Get() { return &m_dec; }
    void SetStall(int every) { m_stall_every = every; }
    std::map<std::string, int32_t> properties;
    int reads = 0;

private:
    static int Read(decoder* dec, void* buffer, int count);
    static int Seek(decoder* dec, uint32_t offset);
    static int SetInteger(decoder* dec, const char* name, int32_t value);

    std::string m_bytes;
    int m_stall_every = 0;
    decoder m_dec;
    decoder_input_state m_input;
};

// Runs the MPEG codec over bytes: open, stream info (random access),
// decode until the end. Collects interleaved PCM.
struct DecodeResult
{
    std::vector<int16_t> pcm;
    int frames = 0;
    int invalid = 0; // -700 results
    int channels = 0;
    int rate = 0;
    int last = 0;    // the result that ended decoding
    stream_info info = {};
};
struct DecodeOptions
{
    int selection = 0;
    int quality = 0;
    const int8_t* equalizer = nullptr;
    int stall_every = 0;
    bool stream_info = true;
};
DecodeResult Decode(const std::string& bytes, const DecodeOptions& options = DecodeOptions());

std::vector<int16_t> ReadPcm(const std::string& path);

struct Difference
{
    int max = 0;
    double rms = 0.0;
    size_t compared = 0;
};
Difference Compare(const std::vector<int16_t>& a, const std::vector<int16_t>& b, size_t count);

} // namespace mpeg_test
