// Helpers of the layer III tests: decoding a byte string frame by frame as
// the codec's frame driver does, PCM comparison, and a bit writer for
// streams built bit by bit.
#pragma once

#include <stdint.h>
#include <string>
#include <vector>

#include "decoder/mpeg/layer3_internal.h"
#include "decoder/mpeg/mpeg_frame.h"

namespace layer3_test {

struct DecodeResult
{
    std::vector<int16_t> pcm; // interleaved
    int frames = 0;
    int invalid = 0;          // frames refused with -700
    int channels = 0;
    int rate = 0;
};

// Reads every frame with the frame reader and decodes the layer III ones.
DecodeResult Decode(const std::string& bytes, int selection = 0, int quality = 0);

// Signed 16-bit little-endian samples of a file; empty when unreadable.
std::vector<int16_t> ReadPcm(const std::string& path);

struct Difference
{
    int max = 0;
    double rms = 0.0;
};
// Over the first count samples of both.
Difference Compare(const std::vector<int16_t>& a, const std::vector<int16_t>& b, size_t count);

class BitWriter
{
public:
    void Put(uint32_t value, int bits);
    void Append(const BitWriter& other);
    size_t Bits() const { return m_bits.size(); }
    // Padded with zero bits to whole bytes.
    std::string Bytes() const;

private:
    std::vector<bool> m_bits;
};

// Writes layer III side information (without header) for the given frame.
std::string SideInfo(const mpeg_frame_header& h, const layer3_side_info& si);

// A header record from a header word.
mpeg_frame_header Header(uint32_t word);

// Fills a frame record for decoding side information and main data kept in
// the caller's strings; reservoir is the main data of earlier frames that
// directly precedes this frame's own (it must be at the start of main).
mpeg_frame MakeFrame(uint32_t word, const std::string& side_info, const std::string& main,
                     int reservoir);

} // namespace layer3_test
