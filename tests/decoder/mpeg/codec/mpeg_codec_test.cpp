// The codec module: its table and answers, stream description at open,
// seeking support, resynchronisation, parameters and equalizer.
#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include "decoder/mpeg/mpeg_codec.h"
#include "decoder/mpeg/mpeg_frame.h"
#include "tests/decoder/mpeg/codec/mpeg_test_streams.h"
#include "tests/support/TestSupport.h"

using mpeg_test::BigEndian32;
using mpeg_test::Decode;
using mpeg_test::DecodeOptions;
using mpeg_test::DecodeResult;
using mpeg_test::Frame;
using mpeg_test::HeaderWord;
using mpeg_test::Id3v2;
using mpeg_test::MemoryDecoder;
using mpeg_test::Repeat;

namespace {

class MpegCodec : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0, mpeg_codec_module_register(&m_ops)); }
    void TearDown() override
    {
        if (m_codec)
            m_ops.delete_instance(m_codec);
    }
    void Create(MemoryDecoder& input)
    {
        ASSERT_EQ(0, m_ops.new_instance(&m_codec, "audio/mpeg", "memory", nullptr, input.Get()));
        ASSERT_EQ(0, m_ops.open(m_codec, "audio/mpeg", "memory"));
    }
    codec_module_ops m_ops;
    void* m_codec = nullptr;
};

// A layer II stream: 48 kHz stereo 128 kbit/s frames of silence.
const uint32_t kLayer2 = HeaderWord(1, 2, 8, 1, 0, 0);

TEST_F(MpegCodec, TableAndQueries)
{
    EXPECT_EQ(static_cast<uintptr_t>(DECODER_MODULE_VERSION), m_ops.version);
    EXPECT_EQ(0, m_ops.probe("audio/whatever", "x.bin"));
    module_info info;
    memset(&info, 0, sizeof(info));
    EXPECT_EQ(0, m_ops.query(&info, MODULE_QUERY_NAME));
    EXPECT_STREQ("MPEG Audio Codec", info.name);
    EXPECT_STREQ("Version 1.2", info.description);
    memset(&info, 0, sizeof(info));
    EXPECT_EQ(0, m_ops.query(&info, MODULE_QUERY_DEVICE_COUNT));
    EXPECT_EQ(1, info.index);
    memset(&info, 0, sizeof(info));
    EXPECT_EQ(0, m_ops.query(&info, MODULE_QUERY_DEVICE));
    EXPECT_STREQ("MP1, MP2, MP3", info.name);
    EXPECT_STREQ("MPEG 1 or 2 audio", info.description);
    info.index = 1;
    EXPECT_EQ(-102, m_ops.query(&info, MODULE_QUERY_DEVICE));
    memset(&info, 0, sizeof(info));
    EXPECT_EQ(0, m_ops.query(&info, MODULE_QUERY_FRAME_SIZE | MODULE_QUERY_CAPABILITIES));
    EXPECT_EQ(4608, info.frame_size);
    EXPECT_EQ(3, info.flags);
}

TEST_F(MpegCodec, StreamInfoSkipsId3v2AndReadsXing)
{
    // ID3v2 tag, then an MPEG-1 layer III stereo frame carrying a Xing
    // header (frames, bytes, seek table), then more frames.
    const uint32_t l3 = HeaderWord(1, 1, 9, 0, 0, 1);
    std::string xing(32, '\0');
    xing += "Xing" + BigEndian32(7) + BigEndian32(1000) + BigEndian32(400000);
    for (int i = 0; i < 100; ++i)
        xing += static_cast<char>(2 * i);
    const std::string tag = Id3v2(990);
    const std::string bytes = tag + Frame(l3, xing) + Repeat(Frame(l3), 20);
    MemoryDecoder input(bytes);
    Create(input);
    stream_info info = {};
    ASSERT_EQ(0, m_ops.get_stream_info(m_codec, &info));
    EXPECT_STREQ("audio/mpeg", info.content_type);
    EXPECT_EQ(7, info.changed);
    const uint32_t data = static_cast<uint32_t>(bytes.size() - 1000);
    const int32_t duration = static_cast<int32_t>(1152ull * 1000 * 1000 / 44100);
    EXPECT_EQ(duration, info.duration_ms);
    EXPECT_EQ(static_cast<int32_t>(data / duration * 8), info.bitrate);
    EXPECT_EQ(44100, info.frequency);
    EXPECT_EQ(2, info.channels);
    EXPECT_EQ(1, input.properties["mpeg/level"]);
    EXPECT_EQ(3, input.properties["mpeg/layer"]);
    EXPECT_EQ(1, input.properties["mpeg/mode"]);
    // Decoding starts after the tag.
    EXPECT_EQ(1000u, input.Get()->input->position);

    // Byte fractions through the table: entry 50 at one half, entry 99 and
    // 256 beyond it near the end; then scaled into the whole input.
    const double a = 1000.0, b = data;
    auto whole = [&](double r) { return static_cast<float>((r * b + a) / (a + b)); };
    EXPECT_FLOAT_EQ(whole(100.0 / 256), m_ops.offset_fraction_of_position(m_codec, 0.5f));
    EXPECT_FLOAT_EQ(whole((198.0 + 0.5 * 58.0) / 256), m_ops.offset_fraction_of_position(m_codec, 0.995f));
    EXPECT_FLOAT_EQ(whole(1.0), m_ops.offset_fraction_of_position(m_codec, 1.0f));
    EXPECT_FLOAT_EQ(whole(0.0), m_ops.offset_fraction_of_position(m_codec, 0.0f));

    EXPECT_FLOAT_EQ(0.0f, m_ops.position_of_offset(m_codec, 500));
    EXPECT_NEAR(0.5, m_ops.position_of_offset(m_codec, 1000 + data / 2), 1e-3);

    // A stream with a VBR header keeps its duration and bitrate while it
    // plays.
    static int16_t samples[2304];
    pcm_buffer pcm = {};
    int frames = 0;
    for (;;) {
        pcm.samples = samples;
        info.changed = 0;
        const int r = m_ops.decode(m_codec, &pcm, &info);
        if (r < 0)
            break;
        ++frames;
        EXPECT_EQ(0, info.changed & STREAM_CHANGED_FORMAT);
    }
    EXPECT_EQ(20, frames); // the Xing frame is a header, not audio
    EXPECT_EQ(duration, info.duration_ms);
    EXPECT_EQ(static_cast<int32_t>(data / duration * 8), info.bitrate);
}

TEST_F(MpegCodec, SeekNoticeResynchronises)
{
    const std::string bytes = Repeat(Frame(kLayer2), 20);
    MemoryDecoder input(bytes);
    Create(input);
    static int16_t samples[2304];
    pcm_buffer pcm = {};
    pcm.samples = samples;
    stream_info info = {};
    ASSERT_EQ(0, m_ops.decode(m_codec, &pcm, &info));
    // Into the middle of frame 10: decoding resumes at frame 11.
    const uint32_t offset = 384 * 10 + 100;
    ASSERT_EQ(0, input.Get()->services.seek(input.Get(), offset));
    ASSERT_EQ(0, m_ops.seek_notice(m_codec, offset));
    int frames = 0;
    while (m_ops.decode(m_codec, &pcm, &info) == 0)
        ++frames;
    EXPECT_EQ(9, frames);
}

TEST_F(MpegCodec, StreamInfoForConstantBitrateAndVbri)
{
    {
        const std::string bytes = Repeat(Frame(kLayer2), 10);
        MemoryDecoder input(bytes);
        Create(input);
        stream_info info = {};
        ASSERT_EQ(0, m_ops.get_stream_info(m_codec, &info));
        EXPECT_EQ(128, info.bitrate);
        EXPECT_EQ(static_cast<int32_t>(bytes.size() * 8 / 128), info.duration_ms);
        EXPECT_EQ(2, input.properties["mpeg/layer"]);
        // Without a table the fraction is the input's own.
        EXPECT_FLOAT_EQ(0.25f, m_ops.offset_fraction_of_position(m_codec, 0.25f));
        m_ops.delete_instance(m_codec);
        m_codec = nullptr;
    }
    {
        // MPEG-2 layer III mono: VBRI sits after 9 bytes of side info.
        const uint32_t l3 = HeaderWord(0, 1, 8, 0, 0, 3);
        std::string vbri(9, '\0');
        vbri += "VBRI" + std::string(10, '\0') + BigEndian32(500);
        const std::string bytes = Frame(l3, vbri) + Repeat(Frame(l3), 5);
        MemoryDecoder input(bytes);
        Create(input);
        stream_info info = {};
        ASSERT_EQ(0, m_ops.get_stream_info(m_codec, &info));
        EXPECT_EQ(static_cast<int32_t>(576ull * 1000 * 500 / 22050), info.duration_ms);
        EXPECT_EQ(1, info.channels);
        EXPECT_EQ(2, input.properties["mpeg/level"]);
        m_ops.delete_instance(m_codec);
        m_codec = nullptr;
    }
    {
        // No frame header at the start: no description.
        MemoryDecoder input(std::string(200, 'x') + Frame(kLayer2));
        Create(input);
        stream_info info = {};
        EXPECT_EQ(-1, m_ops.get_stream_info(m_codec, &info));
        EXPECT_EQ(0, info.bitrate);
        EXPECT_TRUE(input.properties.empty());
    }
}

TEST(MpegCodecDecode, ResynchronisesOverGarbageAndFalseHeaders)
{
    // Garbage with a false layer I header before the stream, and garbage
    // between frames 5 and 6.
    const std::string garbage_front =
        std::string(50, '\x11') + BigEndian32(HeaderWord(1, 3, 1, 0, 0, 0)) + std::string(40, '\x22');
    const std::string bytes = garbage_front + Repeat(Frame(kLayer2), 5) + std::string(37, '\x33') +
                              Repeat(Frame(kLayer2), 5);
    DecodeOptions o;
    o.stream_info = false;
    const DecodeResult r = Decode(bytes, o);
    EXPECT_EQ(-514, r.last);
    EXPECT_EQ(10, r.frames);
    EXPECT_EQ(0, r.invalid); // the reader absorbs lost sync
    EXPECT_EQ(10u * 1152 * 2, r.pcm.size());
}

TEST(MpegCodecDecode, FirstFrameNeedsAValidSuccessorOrTheEnd)
{
    DecodeOptions o;
    o.stream_info = false;
    // A frame followed by garbage is not taken; a frame at the very end is.
    EXPECT_EQ(0, Decode(Frame(kLayer2) + std::string(400, '\x44'), o).frames);
    EXPECT_EQ(1, Decode(Frame(kLayer2), o).frames);
    // A free-format stream never yields a frame.
    EXPECT_EQ(0, Decode(Repeat(Frame(kLayer2).replace(2, 1, 1, '\x04'), 5), o).frames);
}

TEST(MpegCodecDecode, ResumesAfterNoDataYet)
{
    const std::string bytes = tavrix_test::MediaPath("mp2_stereo48.mp2");
    std::string stream;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(bytes, stream));
    const DecodeResult straight = Decode(stream);
    DecodeOptions o;
    o.stall_every = 3;
    const DecodeResult stalled = Decode(stream, o);
    EXPECT_EQ(straight.frames, stalled.frames);
    EXPECT_TRUE(straight.pcm == stalled.pcm);
    EXPECT_GT(straight.frames, 50);
}

TEST(MpegCodecDecode, TruncatedLastFrameAndEnd)
{
    std::string bytes = Repeat(Frame(kLayer2), 5);
    bytes.resize(bytes.size() - 10);
    DecodeOptions o;
    o.stream_info = false;
    const DecodeResult r = Decode(bytes, o);
    EXPECT_EQ(5, r.frames);
    EXPECT_EQ(-514, r.last);
}

TEST(MpegCodecDecode, PublishesFormatAndAveragesTheBitrate)
{
    const uint32_t low = HeaderWord(1, 2, 8, 1, 0, 0);   // 128k
    const uint32_t high = HeaderWord(1, 2, 12, 1, 0, 0); // 256k
    MemoryDecoder input(Repeat(Frame(low), 3) + Repeat(Frame(high), 200));
    codec_module_ops ops;
    mpeg_codec_module_register(&ops);
    void* codec = nullptr;
    ASSERT_EQ(0, ops.new_instance(&codec, "audio/mpeg", "m", nullptr, input.Get()));
    ops.open(codec, "audio/mpeg", "m");
    static int16_t samples[2304];
    pcm_buffer pcm = {};
    pcm.samples = samples;
    stream_info info = {};
    ASSERT_EQ(0, ops.decode(codec, &pcm, &info));
    EXPECT_EQ(STREAM_CHANGED_PROPERTIES | STREAM_CHANGED_FORMAT | STREAM_CHANGED_CONTENT_TYPE,
              info.changed);
    EXPECT_STREQ("audio/mpeg", info.content_type);
    EXPECT_EQ(128, info.bitrate);
    EXPECT_EQ(48000, info.frequency);
    EXPECT_EQ(2, info.channels);
    EXPECT_EQ(1152, pcm.sample_count);
    EXPECT_EQ(2, pcm.channels);
    EXPECT_EQ(48000, pcm.sample_rate);
    EXPECT_EQ(1, input.properties["mpeg/level"]);
    EXPECT_EQ(2, input.properties["mpeg/layer"]);
    EXPECT_EQ(0, input.properties["mpeg/mode"]);
    info.changed = 0;
    ASSERT_EQ(0, ops.decode(codec, &pcm, &info));
    EXPECT_EQ(0, info.changed);
    for (int i = 0; i < 150; ++i)
        ASSERT_EQ(0, ops.decode(codec, &pcm, &info));
    EXPECT_GT(info.bitrate, 240);
    EXPECT_LE(info.bitrate, 256);
    ops.delete_instance(codec);
}

TEST(MpegCodecDecode, DamagedFrameIsInvalidAndTheNextDecodes)
{
    // Layer I mono frames; the third has the forbidden allocation 15.
    const uint32_t l1 = HeaderWord(1, 3, 8, 1, 0, 3);
    const std::string bytes = Repeat(Frame(l1), 2) + Frame(l1, "\xF0") + Repeat(Frame(l1), 2);
    DecodeOptions o;
    o.stream_info = false;
    const DecodeResult r = Decode(bytes, o);
    EXPECT_EQ(1, r.invalid);
    EXPECT_EQ(4, r.frames);
    EXPECT_EQ(4u * 384, r.pcm.size());
    EXPECT_EQ(-514, r.last);
}

TEST(MpegCodecDecode, DurationIsEstimatedFromTheBitrate)
{
    // A stream that is not described at open gets its duration from the
    // first frame: decoded time plus the remaining bytes at its bitrate.
    const std::string bytes = Repeat(Frame(kLayer2), 50);
    MemoryDecoder input(bytes);
    codec_module_ops ops;
    mpeg_codec_module_register(&ops);
    void* codec = nullptr;
    ASSERT_EQ(0, ops.new_instance(&codec, "audio/mpeg", "m", nullptr, input.Get()));
    ops.open(codec, "audio/mpeg", "m");
    static int16_t samples[2304];
    pcm_buffer pcm = {};
    pcm.samples = samples;
    stream_info info = {};
    ASSERT_EQ(0, ops.decode(codec, &pcm, &info));
    const uint32_t position = input.Get()->input->position;
    EXPECT_EQ(static_cast<int32_t>(24 + (bytes.size() - position) * 8 / 128), info.duration_ms);
    EXPECT_NEAR(50 * 24, info.duration_ms, 30);
    ops.delete_instance(codec);
}

TEST_F(MpegCodec, EqualizerBytesBecomeGainsAndBack)
{
    MemoryDecoder input(Frame(kLayer2));
    Create(input);
    int8_t eq[64] = {};
    eq[0] = -32;
    eq[1] = 32;
    eq[2] = 64;
    eq[33] = -96;
    codec_parameters p = {3, 1, eq};
    ASSERT_EQ(0, m_ops.set_parameters(m_codec, &p, 7));
    int8_t back[64];
    memset(back, 0x55, sizeof(back));
    codec_parameters q = {0, 0, back};
    ASSERT_EQ(0, m_ops.get_parameters(m_codec, &q, 7));
    EXPECT_EQ(3, q.channels);
    EXPECT_EQ(1, q.quality);
    EXPECT_EQ(-32, back[0]);
    EXPECT_EQ(32, back[1]);
    EXPECT_EQ(64, back[2]);
    EXPECT_EQ(0, back[3]);
    EXPECT_EQ(-96, back[33]);
    // No equalizer: 32 zero bytes per channel.
    p.equalizer = nullptr;
    ASSERT_EQ(0, m_ops.set_parameters(m_codec, &p, 4));
    memset(back, 0x55, sizeof(back));
    ASSERT_EQ(0, m_ops.get_parameters(m_codec, &q, 4));
    for (int8_t v : back)
        EXPECT_EQ(0, v);
}

double Rms(const std::vector<int16_t>& pcm, size_t from)
{
    double sum = 0.0;
    for (size_t i = from; i < pcm.size(); ++i)
        sum += static_cast<double>(pcm[i]) * pcm[i];
    return sqrt(sum / static_cast<double>(pcm.size() - from));
}

TEST(MpegCodecOutput, EqualizerGainOnASineInOneSubband)
{
    // 3375 Hz at 48 kHz lies in the middle of subband 4.
    std::string stream;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("mp2_sine3375.mp2"), stream));
    const DecodeResult flat = Decode(stream);
    const double base = Rms(flat.pcm, 4096);
    ASSERT_GT(base, 1000.0);
    struct eq_case
    {
        int band;
        int8_t value;
        double ratio;
    };
    const eq_case cases[] = {{4, -32, 0.5}, {4, 32, 2.0}, {4, -96, 0.25}, {20, -128, 1.0}};
    for (const eq_case& c : cases) {
        for (int selection : {0, 3}) {
            int8_t eq[64] = {};
            eq[c.band] = c.value;
            DecodeOptions o;
            o.equalizer = eq;
            o.selection = selection;
            const DecodeResult r = Decode(stream, o);
            EXPECT_NEAR(c.ratio, Rms(r.pcm, 4096) / base, 0.02 * c.ratio)
                << "band " << c.band << " value " << int(c.value) << " selection " << selection;
        }
    }
    // The right channel's gains do not touch a single-channel stream.
    int8_t right_only[64] = {};
    right_only[32 + 4] = -32;
    DecodeOptions o;
    o.equalizer = right_only;
    EXPECT_TRUE(Decode(stream, o).pcm == flat.pcm);
}

TEST(MpegCodecOutput, ChannelSelectionAndMonoMixOfAStereoStream)
{
    std::string stream;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("mp2_stereo48.mp2"), stream));
    const DecodeResult both = Decode(stream);
    DecodeOptions o;
    o.selection = 1;
    const DecodeResult left = Decode(stream, o);
    o.selection = 2;
    const DecodeResult right = Decode(stream, o);
    o.selection = 3;
    const DecodeResult mix = Decode(stream, o);
    ASSERT_EQ(2, both.channels);
    ASSERT_EQ(1, left.channels);
    ASSERT_EQ(1, mix.channels);
    EXPECT_EQ(48000, mix.rate);
    ASSERT_EQ(both.pcm.size(), 2 * left.pcm.size());
    ASSERT_EQ(left.pcm.size(), mix.pcm.size());
    int worst = 0;
    for (size_t i = 0; i < left.pcm.size(); ++i) {
        ASSERT_EQ(both.pcm[2 * i], left.pcm[i]);
        ASSERT_EQ(both.pcm[2 * i + 1], right.pcm[i]);
        const int d = abs(2 * mix.pcm[i] - (left.pcm[i] + right.pcm[i]));
        worst = d > worst ? d : worst;
    }
    EXPECT_LE(worst, 2);

    // On a single-channel stream every selection gives the same output.
    std::string mono;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("mp2_mono24.mp2"), mono));
    const DecodeResult m0 = Decode(mono);
    for (int selection = 1; selection <= 3; ++selection) {
        DecodeOptions s;
        s.selection = selection;
        EXPECT_TRUE(Decode(mono, s).pcm == m0.pcm) << selection;
    }
}

TEST(MpegCodecOutput, ReducedRatesFollowTheFullRateOutput)
{
    // A tone in subband 4 leaves the upper subbands nearly empty, so half
    // and quarter rate track every 2nd and 4th full-rate sample (away from the
    // tone's onset and end).
    std::string stream;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath("mp2_sine3375.mp2"), stream));
    const DecodeResult full = Decode(stream);
    for (int quality = 1; quality <= 2; ++quality) {
        DecodeOptions o;
        o.quality = quality;
        const DecodeResult r = Decode(stream, o);
        EXPECT_EQ(48000 >> quality, r.rate);
        ASSERT_EQ(full.pcm.size() >> quality, r.pcm.size());
        double sum = 0.0;
        int worst = 0;
        const size_t from = 4096 >> quality;
        const size_t to = r.pcm.size() - (2304 >> quality);
        for (size_t i = from; i < to; ++i) {
            const int d = abs(r.pcm[i] - full.pcm[i << quality]);
            worst = d > worst ? d : worst;
            sum += static_cast<double>(d) * d;
        }
        EXPECT_LE(worst, 8) << quality;
        EXPECT_LE(sqrt(sum / static_cast<double>(to - from)), 2.0) << quality;
    }
}

} // namespace
