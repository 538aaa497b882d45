// Layer III through the codec module's operation table, as the decoder
// engine drives it: the frame driver hands frames to the layer III decoder
// and returns its PCM blocks.
#include <gtest/gtest.h>

#include <ostream>
#include <string.h>
#include <string>
#include <vector>

#include "decoder/engine/decoder.h"
#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_codec.h"
#include "decoder/mpeg/mpeg_frame.h"
#include "decoder/mpeg/mpeg_stream_start.h"
#include "tests/decoder/mpeg/layer3/layer3_test_support.h"
#include "tests/support/TestSupport.h"

namespace {

// A decoder record whose input is a byte string.
class MemoryInput
{
public:
    explicit MemoryInput(const std::string& bytes) : m_bytes(bytes)
    {
        memset(&m_dec, 0, sizeof(m_dec));
        memset(&m_input, 0, sizeof(m_input));
        m_input.state = DECODER_OPEN;
        m_input.capabilities = INPUT_CAN_SEEK;
        m_input.size = uint32_t(bytes.size());
        m_dec.input = &m_input;
        m_dec.client = this;
        m_dec.services.read = Read;
        m_dec.services.seek = Seek;
        m_dec.services.set_stream_integer = SetInteger;
    }
    decoder* Get() { return &m_dec; }
    void SeekTo(uint32_t offset) { m_input.position = offset; }

private:
    static int Read(decoder* dec, void* buffer, int count)
    {
        MemoryInput* self = static_cast<MemoryInput*>(dec->client);
        const uint32_t pos = self->m_input.position;
        if (pos >= self->m_bytes.size())
            return DK_ERR_END_OF_INPUT;
        size_t n = self->m_bytes.size() - pos;
        n = n < size_t(count) ? n : size_t(count);
        memcpy(buffer, self->m_bytes.data() + pos, n);
        self->m_input.position += uint32_t(n);
        return n == size_t(count) ? 0 : int(n);
    }
    static int Seek(decoder* dec, uint32_t offset)
    {
        MemoryInput* self = static_cast<MemoryInput*>(dec->client);
        if (offset > self->m_bytes.size())
            return -1;
        self->m_input.position = offset;
        return 0;
    }
    static int SetInteger(decoder*, const char*, int32_t) { return 0; }

    std::string m_bytes;
    decoder m_dec;
    decoder_input_state m_input;
};

struct codec_case
{
    const char* file;      // under the test media, or "" for conformance data
    const char* reference; // mpg123's or the conformance reference
    bool conformance;
};

void PrintTo(const codec_case& c, std::ostream* os)
{
    *os << c.file;
}

class Layer3Codec : public ::testing::TestWithParam<codec_case>
{
};

TEST_P(Layer3Codec, DecodesWithinFullAccuracy)
{
    const codec_case& c = GetParam();
    const std::string file = c.conformance ? tavrix_test::TestDataPath(c.file) : tavrix_test::MediaPath(c.file);
    const std::string ref = c.conformance ? tavrix_test::TestDataPath(c.reference) : tavrix_test::MediaPath(c.reference);
    if (c.conformance)
        TAVRIX_REQUIRE_TESTDATA(file);
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(file, bytes)) << file;
    const std::vector<int16_t> reference = layer3_test::ReadPcm(ref);
    ASSERT_FALSE(reference.empty());

    MemoryInput input(bytes);
    codec_module_ops ops;
    ASSERT_EQ(0, mpeg_codec_module_register(&ops));
    void* codec = nullptr;
    ASSERT_EQ(0, ops.new_instance(&codec, "audio/mpeg", "memory", nullptr, input.Get()));
    ops.open(codec, "audio/mpeg", "memory");
    stream_info info;
    memset(&info, 0, sizeof(info));
    ops.get_stream_info(codec, &info);
    std::vector<int16_t> pcm;
    static int16_t samples[2304];
    int invalid = 0;
    int last = 0;
    for (int guard = 0; guard < 100000; ++guard) {
        pcm_buffer block;
        memset(&block, 0, sizeof(block));
        block.samples = samples;
        last = ops.decode(codec, &block, &info);
        if (last == DK_ERR_INVALID_FRAME) {
            ++invalid;
            continue;
        }
        if (last < 0)
            break;
        pcm.insert(pcm.end(), samples, samples + block.sample_count * block.channels);
    }
    ops.delete_instance(codec);
    EXPECT_EQ(DK_ERR_END_OF_INPUT, last);
    EXPECT_EQ(0, invalid);
    ASSERT_GE(pcm.size(), reference.size());
    const layer3_test::Difference d = layer3_test::Compare(pcm, reference, reference.size());
    EXPECT_LE(d.max, 1);
    EXPECT_LE(d.rms, 0.29);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Layer3Codec,
    ::testing::Values(codec_case{"l3_m1_joint_vbr.mp3", "l3_m1_joint_vbr.pcm", false},
                      codec_case{"l3_m2_clicks.mp3", "l3_m2_clicks.pcm", false},
                      codec_case{"l3_m25_mono_12k.mp3", "l3_m25_mono_12k.pcm", false},
                      codec_case{"mpeg-conformance/l3-si_block.bit", "mpeg-conformance/l3-si_block.pcm", true}),
    [](const ::testing::TestParamInfo<codec_case>& info) {
        std::string n;
        for (const char* p = info.param.file; *p && *p != '.'; ++p)
            n += (*p == '/' || *p == '-') ? '_' : *p;
        return n;
    });

// The codec over a byte string, frame by frame.
class CodecSession
{
public:
    explicit CodecSession(const std::string& bytes) : m_input(bytes)
    {
        memset(&m_info, 0, sizeof(m_info));
        EXPECT_EQ(0, mpeg_codec_module_register(&m_ops));
        EXPECT_EQ(0, m_ops.new_instance(&m_codec, "audio/mpeg", "memory", nullptr, m_input.Get()));
        m_ops.open(m_codec, "audio/mpeg", "memory");
        m_ops.get_stream_info(m_codec, &m_info);
    }
    ~CodecSession() { m_ops.delete_instance(m_codec); }

    // Moves the input to a byte offset and tells the codec, as the
    // decoder's seek does.
    void Seek(uint32_t offset)
    {
        m_input.SeekTo(offset);
        m_ops.seek_notice(m_codec, offset);
    }
    // Decodes to the end: each frame's samples, interleaved. False when a
    // frame is refused or the end is not reached.
    bool DecodeFrames(std::vector<std::vector<int16_t>>& frames)
    {
        static int16_t samples[2304];
        for (int guard = 0; guard < 100000; ++guard) {
            pcm_buffer block;
            memset(&block, 0, sizeof(block));
            block.samples = samples;
            const int r = m_ops.decode(m_codec, &block, &m_info);
            if (r == DK_ERR_END_OF_INPUT)
                return true;
            if (r < 0)
                return false;
            frames.emplace_back(samples, samples + block.sample_count * block.channels);
        }
        return false;
    }

private:
    MemoryInput m_input;
    codec_module_ops m_ops;
    void* m_codec = nullptr;
    stream_info m_info;
};

std::vector<int16_t> Joined(const std::vector<std::vector<int16_t>>& frames, size_t first = 0)
{
    std::vector<int16_t> all;
    for (size_t i = first; i < frames.size(); ++i)
        all.insert(all.end(), frames[i].begin(), frames[i].end());
    return all;
}

// Byte offsets of the frames of a stream without tags, from its headers.
std::vector<uint32_t> FrameOffsets(const std::string& bytes)
{
    std::vector<uint32_t> offsets;
    size_t at = 0;
    while (at + 4 <= bytes.size()) {
        const uint32_t word = mpeg_read_u32_be(reinterpret_cast<const uint8_t*>(bytes.data() + at));
        mpeg_frame_header h;
        mpeg_header_unpack(word, &h);
        if (!mpeg_is_sync(word) || mpeg_header_check(&h) != 0)
            break;
        offsets.push_back(uint32_t(at));
        at += size_t(mpeg_frame_size(h));
    }
    return offsets;
}

class Layer3HeaderFrame : public ::testing::TestWithParam<const char*>
{
};

// lame writes a header frame ("Info" for constant, "Xing" for variable
// bitrate) before the audio: it is not decoded as silence, so the output is
// mpg123's (without gapless trimming) from the first sample on.
TEST_P(Layer3HeaderFrame, IsSkippedAndTheAudioMatchesMpg123)
{
    const std::string name = GetParam();
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath(name + ".mp3"), bytes));
    const std::vector<int16_t> reference = layer3_test::ReadPcm(tavrix_test::MediaPath(name + ".pcm"));
    ASSERT_FALSE(reference.empty());
    // The file does begin with a header frame.
    mpeg_frame_header h;
    mpeg_header_unpack(mpeg_read_u32_be(reinterpret_cast<const uint8_t*>(bytes.data())), &h);
    const int tag_at = 4 + mpeg_side_info_size(h);
    ASSERT_TRUE(mpeg_is_header_frame_tag(reinterpret_cast<const uint8_t*>(bytes.data()) + tag_at, 4));

    CodecSession session(bytes);
    std::vector<std::vector<int16_t>> frames;
    ASSERT_TRUE(session.DecodeFrames(frames));
    const std::vector<int16_t> pcm = Joined(frames);
    ASSERT_EQ(reference.size(), pcm.size());
    const layer3_test::Difference d = layer3_test::Compare(pcm, reference, reference.size());
    EXPECT_LE(d.max, 1);
    EXPECT_LE(d.rms, 0.29);
    EXPECT_EQ(FrameOffsets(bytes).size(), frames.size() + 1);
}

// A seek to the start lands on the header frame and skips it; a seek to the
// middle gives, once the reservoir and the filterbanks have filled, the
// samples of decoding straight through.
TEST_P(Layer3HeaderFrame, SeekingGivesTheSamplesOfDecodingStraightThrough)
{
    const std::string name = GetParam();
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath(name + ".mp3"), bytes));
    std::vector<std::vector<int16_t>> straight;
    {
        CodecSession session(bytes);
        ASSERT_TRUE(session.DecodeFrames(straight));
    }
    const std::vector<uint32_t> offsets = FrameOffsets(bytes);
    ASSERT_EQ(straight.size() + 1, offsets.size());

    {
        CodecSession session(bytes);
        std::vector<std::vector<int16_t>> frames;
        ASSERT_TRUE(session.DecodeFrames(frames));
        ASSERT_EQ(Joined(straight).size(), Joined(frames).size());
        session.Seek(0);
        frames.clear();
        ASSERT_TRUE(session.DecodeFrames(frames));
        EXPECT_TRUE(Joined(straight) == Joined(frames));
    }

    // Frame n of the file is output frame n - 1 (the header frame is not
    // output). The first frames after the seek lack their reservoir bytes.
    const size_t middle = offsets.size() / 2;
    const size_t settle = 10;
    CodecSession session(bytes);
    session.Seek(offsets[middle]);
    std::vector<std::vector<int16_t>> frames;
    ASSERT_TRUE(session.DecodeFrames(frames));
    ASSERT_EQ(offsets.size() - middle, frames.size());
    ASSERT_GT(frames.size(), settle + 20);
    const std::vector<int16_t> after_seek = Joined(frames, settle);
    const std::vector<int16_t> expected = Joined(straight, middle - 1 + settle);
    ASSERT_EQ(expected.size(), after_seek.size());
    EXPECT_TRUE(expected == after_seek);
}

INSTANTIATE_TEST_SUITE_P(LameFiles, Layer3HeaderFrame,
                         ::testing::Values("l3_info_cbr", "l3_info_vbr", "l3_info_mono_cbr", "l3_info_m2_vbr",
                                           "l3_info_m2_mono_cbr"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param + 8);
                         });

} // namespace
