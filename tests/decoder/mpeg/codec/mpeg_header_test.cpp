// Frame header fields, refusal rules, frame sizes and derived values.
#include <gtest/gtest.h>

#include "decoder/mpeg/mp3_scanner.h"
#include "decoder/mpeg/mpeg_frame.h"
#include "tests/decoder/mpeg/codec/mpeg_test_streams.h"

using mpeg_test::HeaderWord;

namespace {

mpeg_frame_header Unpack(uint32_t word)
{
    mpeg_frame_header h;
    mpeg_header_unpack(word, &h);
    return h;
}

TEST(MpegHeader, UnpacksEveryFieldInOrder)
{
    // MPEG-1 layer III, no CRC, 128 kbit/s, 44.1 kHz, joint stereo, mode
    // extension 2, original.
    const mpeg_frame_header h = Unpack(0xFFFB9064);
    EXPECT_EQ(1, h.version);
    EXPECT_EQ(1, h.layer);
    EXPECT_EQ(1, h.protection);
    EXPECT_EQ(9, h.bitrate_index);
    EXPECT_EQ(0, h.sampling_index);
    EXPECT_EQ(0, h.padding);
    EXPECT_EQ(0, h.private_bit);
    EXPECT_EQ(1, h.mode);
    EXPECT_EQ(2, h.mode_extension);
    EXPECT_EQ(0, h.copyright);
    EXPECT_EQ(1, h.original);
    EXPECT_EQ(0, h.emphasis);

    const mpeg_frame_header g = Unpack(0xFFE3FFFF); // every low bit set, MPEG-2.5
    EXPECT_EQ(2, g.version);
    EXPECT_EQ(1, g.layer);
    EXPECT_EQ(1, g.protection);
    EXPECT_EQ(15, g.bitrate_index);
    EXPECT_EQ(3, g.sampling_index);
    EXPECT_EQ(1, g.padding);
    EXPECT_EQ(1, g.private_bit);
    EXPECT_EQ(3, g.mode);
    EXPECT_EQ(3, g.mode_extension);
    EXPECT_EQ(1, g.copyright);
    EXPECT_EQ(1, g.original);
    EXPECT_EQ(3, g.emphasis);
    EXPECT_EQ(3, Unpack(0xFFEBFFFF).version); // bit 20 clear, bit 19 set: reserved
    EXPECT_EQ(0, Unpack(0xFFF3FFFF).version); // MPEG-2

    const uint8_t bytes[4] = {0xFF, 0xFB, 0x90, 0x64};
    EXPECT_EQ(0xFFFB9064u, mpeg_read_u32_be(bytes));
}

struct check_case
{
    const char* what;
    uint32_t word;
    int expected;
};

TEST(MpegHeader, AcceptanceAndRefusalRules)
{
    const check_case cases[] = {
        {"MPEG-1 layer III 128k 44.1", HeaderWord(1, 1, 9, 0, 0, 1), 0},
        {"free format", HeaderWord(1, 1, 0, 0, 0, 0), -1},
        {"bitrate index 15", HeaderWord(1, 1, 15, 0, 0, 0), -1},
        {"reserved layer", HeaderWord(1, 0, 9, 0, 0, 0), -1},
        {"padding at 44.1 kHz", HeaderWord(1, 1, 9, 0, 1, 0), 0},
        {"padding at 48 kHz", HeaderWord(1, 1, 9, 1, 1, 0), -1},
        {"padding at 32 kHz", HeaderWord(1, 2, 9, 2, 1, 0), -1},
        {"padding at 24 kHz", HeaderWord(0, 1, 9, 1, 1, 0), -1},
        {"padding at 22.05 kHz", HeaderWord(0, 1, 9, 0, 1, 0), 0},
        {"sampling index 3", HeaderWord(1, 1, 9, 3, 0, 0), -1},
        {"layer II 32k stereo", HeaderWord(1, 2, 1, 0, 0, 0), -1},
        {"layer II 48k joint", HeaderWord(1, 2, 2, 0, 0, 1), -1},
        {"layer II 56k dual", HeaderWord(1, 2, 3, 0, 0, 2), -1},
        {"layer II 80k stereo", HeaderWord(1, 2, 5, 0, 0, 0), -1},
        {"layer II 32k mono", HeaderWord(1, 2, 1, 0, 0, 3), 0},
        {"layer II 80k mono", HeaderWord(1, 2, 5, 0, 0, 3), 0},
        {"layer II 64k stereo", HeaderWord(1, 2, 4, 0, 0, 0), 0},
        {"layer II 224k mono", HeaderWord(1, 2, 11, 0, 0, 3), -1},
        {"layer II 384k mono", HeaderWord(1, 2, 14, 0, 0, 3), -1},
        {"layer II 384k stereo", HeaderWord(1, 2, 14, 0, 0, 0), 0},
        {"layer II 192k mono", HeaderWord(1, 2, 10, 0, 0, 3), 0},
        {"MPEG-2 layer II 8k stereo", HeaderWord(0, 2, 1, 0, 0, 0), 0},
        {"MPEG-2 layer II 160k mono", HeaderWord(0, 2, 14, 1, 0, 3), 0},
        {"layer I 32k stereo", HeaderWord(1, 3, 1, 0, 0, 0), 0},
        {"reserved version", HeaderWord(3, 1, 9, 0, 0, 0), -1},
        {"MPEG-2.5 layer III", HeaderWord(2, 1, 9, 2, 0, 0), 0},
        {"MPEG-2.5 layer II", HeaderWord(2, 2, 9, 2, 0, 0), -1},
        {"MPEG-2.5 layer I", HeaderWord(2, 3, 9, 2, 0, 0), -1},
    };
    for (const check_case& c : cases) {
        const mpeg_frame_header h = Unpack(c.word);
        EXPECT_EQ(c.expected, mpeg_header_check(&h)) << c.what;
        EXPECT_EQ(c.expected, mp3_header_check(&h)) << c.what; // the scanner's rules are the same
    }
}

struct size_case
{
    uint32_t word;
    int size;
};

TEST(MpegHeader, FrameSizesForEachLayerVersionAndPadding)
{
    const size_case cases[] = {
        {HeaderWord(1, 3, 1, 0, 0, 0), 32},    // layer I 32k 44.1: 8 slots
        {HeaderWord(1, 3, 12, 0, 0, 0), 416},  // layer I 384k 44.1: 104 slots
        {HeaderWord(1, 3, 12, 0, 1, 0), 420},  // with padding: one more slot
        {HeaderWord(1, 3, 14, 1, 0, 0), 448},  // layer I 448k 48
        {HeaderWord(1, 3, 14, 2, 0, 0), 672},  // layer I 448k 32
        {HeaderWord(0, 3, 14, 2, 0, 0), 768},  // MPEG-2 layer I 256k 16
        {HeaderWord(1, 2, 8, 1, 0, 0), 384},   // layer II 128k 48
        {HeaderWord(1, 2, 10, 0, 0, 0), 626},  // layer II 192k 44.1
        {HeaderWord(1, 2, 10, 0, 1, 0), 627},
        {HeaderWord(1, 2, 14, 2, 0, 0), 1728}, // layer II 384k 32
        {HeaderWord(0, 2, 14, 1, 0, 3), 960},  // MPEG-2 layer II 160k 24
        {HeaderWord(0, 2, 1, 0, 0, 0), 52},    // MPEG-2 layer II 8k 22.05
        {HeaderWord(1, 1, 9, 0, 0, 1), 417},   // layer III 128k 44.1
        {HeaderWord(1, 1, 9, 0, 1, 1), 418},
        {HeaderWord(1, 1, 14, 2, 0, 0), 1440}, // layer III 320k 32
        {HeaderWord(0, 1, 8, 0, 0, 0), 208},   // MPEG-2 layer III 64k 22.05: halved
        {HeaderWord(0, 1, 8, 0, 1, 0), 209},
        {HeaderWord(0, 1, 1, 2, 0, 0), 36},    // MPEG-2 layer III 8k 16
        {HeaderWord(2, 1, 1, 2, 0, 0), 72},    // MPEG-2.5 layer III 8k 8
        {HeaderWord(2, 1, 14, 0, 0, 0), 1044}, // MPEG-2.5 layer III 160k 11.025
    };
    for (const size_case& c : cases) {
        const mpeg_frame_header h = Unpack(c.word);
        ASSERT_EQ(0, mpeg_header_check(&h)) << std::hex << c.word;
        EXPECT_EQ(c.size, mpeg_frame_size(h)) << std::hex << c.word;
    }
}

TEST(MpegHeader, DerivedValues)
{
    struct derived
    {
        uint32_t word;
        int level, layer, kbps, rate, channels, side_info, samples;
    };
    const derived cases[] = {
        {HeaderWord(1, 1, 9, 0, 0, 1), 1, 3, 128, 44100, 2, 32, 1152},
        {HeaderWord(1, 1, 5, 1, 0, 3), 1, 3, 64, 48000, 1, 17, 1152},
        {HeaderWord(0, 1, 8, 0, 0, 0), 2, 3, 64, 22050, 2, 17, 576},
        {HeaderWord(0, 1, 8, 2, 0, 3), 2, 3, 64, 16000, 1, 9, 576},
        {HeaderWord(2, 1, 4, 1, 0, 2), 0, 3, 32, 12000, 2, 17, 576},
        {HeaderWord(2, 1, 4, 2, 0, 3), 0, 3, 32, 8000, 1, 9, 576},
        {HeaderWord(1, 2, 13, 2, 0, 0), 1, 2, 320, 32000, 2, 32, 1152},
        {HeaderWord(0, 2, 13, 1, 0, 0), 2, 2, 144, 24000, 2, 17, 1152},
        {HeaderWord(1, 3, 13, 0, 0, 2), 1, 1, 416, 44100, 2, 32, 384},
        {HeaderWord(0, 3, 13, 0, 0, 3), 2, 1, 224, 22050, 1, 9, 384},
    };
    for (const derived& c : cases) {
        const mpeg_frame_header h = Unpack(c.word);
        EXPECT_EQ(c.level, mpeg_level(h));
        EXPECT_EQ(c.layer, mpeg_layer(h));
        EXPECT_EQ(c.kbps, mpeg_bitrate_kbps(h));
        EXPECT_EQ(c.rate, mpeg_sample_rate(h));
        EXPECT_EQ(c.channels, mpeg_channels(h));
        EXPECT_EQ(c.side_info, mpeg_side_info_size(h));
        EXPECT_EQ(c.samples, mpeg_samples_per_frame(h));
    }
    EXPECT_EQ(8, mpeg_joint_bound(Unpack(HeaderWord(1, 2, 8, 1, 0, 1, 1))));
    EXPECT_EQ(16, mpeg_joint_bound(Unpack(HeaderWord(1, 2, 8, 1, 0, 1, 3))));
    EXPECT_EQ(32, mpeg_joint_bound(Unpack(HeaderWord(1, 2, 8, 1, 0, 0, 3))));
    EXPECT_TRUE(mpeg_has_crc(Unpack(HeaderWord(1, 2, 8, 1, 0, 0, 0, 0))));
    EXPECT_FALSE(mpeg_has_crc(Unpack(HeaderWord(1, 2, 8, 1, 0, 0, 0, 1))));
}

} // namespace
