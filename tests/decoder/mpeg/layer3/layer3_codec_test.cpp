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

} // namespace
