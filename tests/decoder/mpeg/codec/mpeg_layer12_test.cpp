// Layers I and II on frames built in memory: the checks that make a frame
// invalid, the joint-stereo bound, damaged bodies, rate reduction.
#include <gtest/gtest.h>

#include <string.h>
#include <vector>

#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_layers.h"
#include "tests/decoder/mpeg/codec/mpeg_test_streams.h"

using mpeg_test::Frame;
using mpeg_test::HeaderWord;

namespace {

// Runs one frame (header word plus body) through a layer decoder.
int DecodeOne(uint32_t word, const std::string& body, std::vector<int16_t>* pcm = nullptr,
              int quality = 0, int* written = nullptr)
{
    const std::string bytes = Frame(word, body);
    mpeg_frame frame;
    memset(&frame, 0, sizeof(frame));
    mpeg_header_unpack(word, &frame.header);
    frame.body = reinterpret_cast<const uint8_t*>(bytes.data()) + 4;
    frame.body_size = static_cast<int32_t>(bytes.size() - 4);
    mpeg_output out;
    out.configure(frame.header, 0, quality);
    static int16_t buffer[2304];
    out.begin(buffer);
    const int r = frame.header.layer == 3 ? mpeg_layer1_decode(frame, out)
                                          : mpeg_layer2_decode(frame, out);
    if (written)
        *written = out.samples_written();
    if (pcm)
        pcm->assign(buffer, buffer + out.samples_written() * out.pcm_channels());
    return r;
}

// Body bytes from a string of '0'/'1' bits.
std::string Bits(const std::string& bits)
{
    std::string bytes((bits.size() + 7) / 8, '\0');
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1')
            bytes[i / 8] = static_cast<char>(bytes[i / 8] | (0x80 >> (i % 8)));
    return bytes;
}

TEST(MpegLayer1, ForbiddenAllocationAndScaleFactorAbandonTheFrame)
{
    const uint32_t mono = HeaderWord(1, 3, 8, 1, 0, 3); // layer I 256k 48 kHz mono
    EXPECT_EQ(0, DecodeOne(mono, ""));
    // Allocation 15 in subband 0.
    EXPECT_EQ(DK_ERR_INVALID_FRAME, DecodeOne(mono, Bits("1111")));
    // Allocation 15 in the last subband.
    EXPECT_EQ(DK_ERR_INVALID_FRAME, DecodeOne(mono, Bits(std::string(31 * 4, '0') + "1111")));
    // Allocation 1 in subband 0, all others 0, then scale factor 63.
    EXPECT_EQ(DK_ERR_INVALID_FRAME,
              DecodeOne(mono, Bits("0001" + std::string(31 * 4, '0') + "111111")));
    // Scale factor 0 is fine, and the frame makes sound.
    std::string samples;
    for (int i = 0; i < 12; ++i)
        samples += "11";
    std::vector<int16_t> pcm;
    EXPECT_EQ(0, DecodeOne(mono, Bits("0001" + std::string(31 * 4, '0') + "000000" + samples),
                           &pcm));
    ASSERT_EQ(384u, pcm.size());
    int loudest = 0;
    for (int16_t s : pcm)
        loudest = s > loudest ? s : loudest;
    EXPECT_GT(loudest, 1000);
}

TEST(MpegLayer2, JointStereoBoundAboveTheSubbandLimitIsClipped)
{
    // 64 kbit/s stereo at 48 kHz uses the 8-subband table; mode extension 3
    // asks for a bound of 16.
    const uint32_t joint = HeaderWord(1, 2, 4, 1, 0, 1, 3);
    // Allocation of subband 0 (4 bits per channel): class 3 levels for
    // both; the rest zero; then scfsi 2 for both, one scale factor each.
    std::string bits = "0001" "0001" + std::string(2 * 4 + 6 * 2 * 3, '0') + "10" "10" +
                       "000000" "000011";
    for (int round = 0; round < 12; ++round)
        bits += "11010" "11010"; // grouped triples: codes of value 26 = (2,2,2)
    std::vector<int16_t> pcm;
    EXPECT_EQ(0, DecodeOne(joint, Bits(bits), &pcm));
    ASSERT_EQ(2304u, pcm.size());
    int loudest = 0;
    for (int16_t s : pcm)
        loudest = s > loudest ? s : loudest;
    EXPECT_GT(loudest, 1000);
    // Mode extension 0 (bound 4) decodes the same frame too.
    EXPECT_EQ(0, DecodeOne(HeaderWord(1, 2, 4, 1, 0, 1, 0), ""));
}

TEST(MpegLayer2, QuarterRateAt48kHzGivesTwelveKilohertzBlocks)
{
    int written = 0;
    std::vector<int16_t> pcm;
    EXPECT_EQ(0, DecodeOne(HeaderWord(1, 2, 8, 1, 0, 0), "", &pcm, 2, &written));
    EXPECT_EQ(288, written);
    EXPECT_EQ(576u, pcm.size());
}

TEST(MpegLayers, DamagedBodiesNeverFailOtherThanInvalid)
{
    // Random bodies for every layer I and II header kind, whole and cut
    // short: results are 0 or -700, and sample counts stay whole.
    const uint32_t words[] = {
        HeaderWord(1, 3, 14, 1, 0, 0), HeaderWord(1, 3, 1, 0, 0, 3), HeaderWord(1, 3, 6, 2, 0, 1, 2),
        HeaderWord(0, 3, 14, 2, 0, 1, 3), HeaderWord(1, 2, 14, 2, 0, 1, 3),
        HeaderWord(1, 2, 4, 0, 0, 1, 3), HeaderWord(1, 2, 1, 2, 0, 3), HeaderWord(1, 2, 10, 1, 0, 2),
        HeaderWord(0, 2, 14, 0, 0, 1, 3), HeaderWord(0, 2, 1, 2, 0, 3),
    };
    unsigned seed = 12345;
    for (uint32_t word : words) {
        for (int trial = 0; trial < 40; ++trial) {
            std::string body(2000, '\0');
            for (char& c : body) {
                seed = seed * 1664525u + 1013904223u;
                c = static_cast<char>(seed >> 24);
            }
            const std::string bytes = Frame(word, body);
            mpeg_frame frame;
            memset(&frame, 0, sizeof(frame));
            mpeg_header_unpack(word, &frame.header);
            // Whole frames and frames whose body stops early.
            const size_t size = trial % 2 ? bytes.size() - 4 : (seed >> 8) % (bytes.size() - 4);
            const std::string exact = bytes.substr(4, size);
            frame.body = exact.empty() ? nullptr : reinterpret_cast<const uint8_t*>(exact.data());
            frame.body_size = static_cast<int32_t>(size);
            mpeg_output out;
            out.configure(frame.header, trial % 4, trial % 3);
            static int16_t buffer[2304];
            out.begin(buffer);
            const int r = frame.header.layer == 3 ? mpeg_layer1_decode(frame, out)
                                                  : mpeg_layer2_decode(frame, out);
            EXPECT_TRUE(r == 0 || r == DK_ERR_INVALID_FRAME) << r;
            if (r == 0) {
                EXPECT_EQ(mpeg_samples_per_frame(frame.header) >> out.shift(), out.samples_written());
            }
        }
    }
}

} // namespace
