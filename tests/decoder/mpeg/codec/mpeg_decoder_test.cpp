// The MPEG codec registered on a real decoder with the file input, as the
// library's tempo scan and the players use it.
#include <gtest/gtest.h>

#include <vector>

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/mpeg/mpeg_codec.h"
#include "decoder/modules/wave_codec.h"
#include "tests/decoder/mpeg/codec/mpeg_test_streams.h"
#include "tests/support/TestSupport.h"

namespace {

struct decoded
{
    std::vector<int16_t> pcm;
    int blocks = 0;
    int last = 0;
    int channels = 0;
    int rate = 0;
    stream_info info = {};
    int32_t layer = -1;
};

decoded DecodeFile(const std::string& path, int quality = 0)
{
    decoded d;
    decoder* dec = nullptr;
    EXPECT_EQ(0, decoder_new(&dec));
    if (dec == nullptr)
        return d;
    input_module_ops file;
    file_input_module_register(&file);
    EXPECT_LE(0, decoder_input_module_register(dec, &file));
    codec_module_ops mpeg, wave;
    mpeg_codec_module_register(&mpeg);
    wave_codec_module_register(&wave);
    EXPECT_LE(0, decoder_codec_module_register(dec, &mpeg));
    EXPECT_LE(0, decoder_codec_module_register(dec, &wave));
    EXPECT_EQ(0, decoder_input_new(dec, path.c_str(), -1));
    EXPECT_EQ(0, decoder_codec_set_quality(dec, quality));
    EXPECT_EQ(0, decoder_input_open(dec));
    d.info = dec->status->info;
    environment_get_integer(dec->status->info.properties, "mpeg/layer", &d.layer);
    for (int guard = 0; guard < 100000; ++guard) {
        const int r = decoder_decode(dec, nullptr);
        if (r == DK_ERR_TIMEOUT || r == DK_ERR_INVALID_FRAME)
            continue;
        if (r < 0) {
            d.last = r;
            break;
        }
        ++d.blocks;
        d.channels = dec->pcm->channels;
        d.rate = dec->pcm->sample_rate;
        const int16_t* s = static_cast<const int16_t*>(dec->pcm->samples);
        d.pcm.insert(d.pcm.end(), s, s + dec->pcm->sample_count * dec->pcm->channels);
    }
    decoder_delete(dec);
    return d;
}

TEST(MpegOnDecoder, DecodesAFileLikeTheReferenceDecoder)
{
    const std::string path = tavrix_test::MediaPath("mp2_stereo48.mp2");
    const decoded d = DecodeFile(path);
    EXPECT_EQ(DK_ERR_END_OF_INPUT, d.last);
    EXPECT_EQ(2, d.channels);
    EXPECT_EQ(48000, d.rate);
    // Described at open: a random-access input.
    EXPECT_EQ(192, d.info.bitrate);
    EXPECT_EQ(48000, d.info.frequency);
    EXPECT_NEAR(2000, d.info.duration_ms, 30);
    EXPECT_EQ(2, d.layer);

    const std::vector<int16_t> reference =
        mpeg_test::ReadPcm(tavrix_test::MediaPath("mp2_stereo48.pcm"));
    ASSERT_EQ(reference.size(), d.pcm.size());
    const mpeg_test::Difference diff = mpeg_test::Compare(d.pcm, reference, d.pcm.size());
    EXPECT_LE(diff.max, 1);
    EXPECT_LE(diff.rms, 0.29);
}

TEST(MpegOnDecoder, ConformanceStreamAtHalfRate)
{
    const std::string path = tavrix_test::TestDataPath("mpeg-conformance/l2-test32.bit");
    TAVRIX_REQUIRE_TESTDATA(path);
    const decoded d = DecodeFile(path, 1);
    EXPECT_EQ(DK_ERR_END_OF_INPUT, d.last);
    EXPECT_EQ(63, d.blocks);
    // MPEG-2 at 24 kHz or less keeps its rate at quality 1.
    EXPECT_EQ(d.info.frequency, d.rate);
    EXPECT_EQ(63u * 1152 * 2, d.pcm.size());
}

} // namespace
