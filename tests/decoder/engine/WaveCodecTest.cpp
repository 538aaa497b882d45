// The WAVE codec on real files: sox-made PCM in each layout decoded through
// the file input and the file output and compared sample for sample; files
// it must refuse; header variants; probing; stream facts; seeking.
#include "tests/support/TestSupport.h"

#include <cstring>

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/modules/wave_codec.h"
#include "TestModules.h"
#include "WaveTestFiles.h"

using tavrix_test::MediaPath;
using tavrix_test::ReadFileBytes;
using tavrix_test::TempDir;
using tavrix_test::WriteFileBytes;
using wave_test::BuildOptions;
using wave_test::DecodeResult;
using wave_test::WaveFile;

namespace {

struct MediaCase
{
    const char* file;
    int channels;
    int rate;
    int bits;
    int block_frames; // frames of every full block
};

const MediaCase media_cases[] = {
    { "wave_s16_stereo_44k.wav", 2, 44100, 16, 1024 },
    { "wave_s16_mono_22k.wav", 1, 22050, 16, 1024 },
    { "wave_s16_mono_11k.wav", 1, 11025, 16, 512 },
    { "wave_u8_mono_8k.wav", 1, 8000, 8, 512 },
    { "wave_u8_stereo_32k.wav", 2, 32000, 8, 1024 },
    { "tone440.wav", 2, 44100, 16, 1024 },
};

// Checks that the output holds exactly the source's samples, in blocks of
// the expected size with the short last block delivered too.
void expect_decoded_like_source(const std::string& source_path, const DecodeResult& r, int block_frames)
{
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(source_path, bytes)) << source_path;
    WaveFile source;
    ASSERT_TRUE(wave_test::parse(bytes, source)) << source_path;
    const std::string expected = wave_test::expected_pcm16(source);
    EXPECT_EQ(0, r.open_result);
    EXPECT_EQ(DK_ERR_END_OF_INPUT, r.last_result);
    EXPECT_EQ("audio/pcm", r.content_type);
    EXPECT_EQ(source.channels, r.out_channels);
    EXPECT_EQ(source.sample_rate, r.out_rate);
    ASSERT_EQ(expected.size(), r.written.size()) << source_path;
    EXPECT_TRUE(expected == r.written) << source_path << ": samples differ";

    const size_t total_frames = expected.size() / (2u * source.channels);
    ASSERT_FALSE(r.block_frames.empty());
    size_t sum = 0;
    for (size_t i = 0; i < r.block_frames.size(); ++i) {
        if (i + 1 < r.block_frames.size()) {
            EXPECT_EQ(block_frames, r.block_frames[i]) << "block " << i;
        }
        sum += static_cast<size_t>(r.block_frames[i]);
    }
    EXPECT_EQ(total_frames, sum);
    EXPECT_EQ(total_frames % block_frames ? total_frames % block_frames : static_cast<size_t>(block_frames),
              static_cast<size_t>(r.block_frames.back()));
}

} // namespace

TEST(WaveCodec, DecodesEveryLayoutSampleForSample)
{
    TempDir dir;
    for (const MediaCase& c : media_cases) {
        SCOPED_TRACE(c.file);
        const std::string source = MediaPath(c.file);
        const DecodeResult r = wave_test::decode_to_wave_file(source, dir.File(std::string(c.file) + ".out.wav"));
        EXPECT_EQ(c.channels, r.channels);
        EXPECT_EQ(c.rate, r.frequency);
        EXPECT_EQ(c.rate * c.channels * c.bits / 8 / 125, r.bitrate);
        expect_decoded_like_source(source, r, c.block_frames);
    }
}

TEST(WaveCodec, ATruncatedFileDeliversWhatIsThere)
{
    TempDir dir;
    const std::string source = MediaPath("wave_truncated.wav");
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(source, bytes));
    WaveFile wave;
    ASSERT_TRUE(wave_test::parse(bytes, wave));
    ASSERT_GT(wave.data_size, wave.data.size()); // the header promises more
    const DecodeResult r = wave_test::decode_to_wave_file(source, dir.File("out.wav"));
    expect_decoded_like_source(source, r, 1024);
    EXPECT_EQ((bytes.size() - 44) / 4 * 4, r.written.size()); // the torn last frame dropped
}

TEST(WaveCodec, DurationIsInWholeSeconds)
{
    TempDir dir;
    const DecodeResult r = wave_test::decode_to_wave_file(MediaPath("wave_2900ms.wav"), dir.File("out.wav"));
    EXPECT_EQ(2000, r.duration_ms);
    EXPECT_EQ(44100, r.frequency);
    EXPECT_EQ(1411, r.bitrate);
    EXPECT_EQ(2, r.channels);
}

TEST(WaveCodec, RefusesFormatsItCannotPlay)
{
    TempDir dir;
    const std::string data = wave_test::pattern(4000);
    struct Case
    {
        const char* name;
        std::string bytes;
        int result = DK_ERR_UNSUPPORTED_FORMAT;
    };
    BuildOptions adpcm;
    adpcm.format_tag = 2;
    adpcm.bits = 4;
    BuildOptions alaw16;
    alaw16.format_tag = 6; // a-law claiming 16 bits: still not PCM
    BuildOptions extensible_float;
    extensible_float.format_tag = 0xfffe;
    extensible_float.fmt_size = 40;
    extensible_float.sub_format = 3;
    BuildOptions twelve_bits;
    twelve_bits.bits = 12;
    BuildOptions thirty_two_bits;
    thirty_two_bits.bits = 32;
    BuildOptions no_channels;
    no_channels.channels = 0;
    BuildOptions six_channels;
    six_channels.channels = 6;
    BuildOptions late_data; // data beyond the first 8 KB
    late_data.before_data.push_back({ "junk", std::string(9000, 'j') });
    std::string bad_riff = wave_test::build(BuildOptions(), data);
    bad_riff.replace(8, 4, "AVI ");
    std::string no_format = "RIFF";
    no_format += std::string("\x10\x00\x00\x00WAVEdata\x04\x00\x00\x00\x01\x02\x03\x04", 20);

    const Case cases[] = {
        { "adpcm.wav", wave_test::build(adpcm, data) },
        { "alaw.wav", wave_test::build(alaw16, data) },
        { "extfloat.wav", wave_test::build(extensible_float, data) },
        { "twelve.wav", wave_test::build(twelve_bits, data) },
        { "thirtytwo.wav", wave_test::build(thirty_two_bits, data) },
        { "nochannels.wav", wave_test::build(no_channels, data) },
        { "sixchannels.wav", wave_test::build(six_channels, data) },
        { "late.wav", wave_test::build(late_data, data) },
        { "notwave.wav", bad_riff },
        { "noformat.wav", no_format },
        { "tiny.wav", "RIFF" },
        { "empty.wav", "", DK_ERR_END_OF_INPUT }, // nothing to read at all
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const DecodeResult r = wave_test::decode_to_wave_file(path, dir.File(std::string(c.name) + ".out"));
        EXPECT_EQ(c.result, r.open_result) << c.name;
        EXPECT_TRUE(r.written.empty()) << c.name;
    }
    // And the non-PCM files sox made.
    for (const char* name : { "wave_float32.wav", "wave_s24.wav" }) {
        const DecodeResult r = wave_test::decode_to_wave_file(MediaPath(name), dir.File("sox.out"));
        EXPECT_EQ(DK_ERR_UNSUPPORTED_FORMAT, r.open_result) << name;
        EXPECT_TRUE(r.written.empty()) << name;
    }
}

TEST(WaveCodec, ReadsHeaderVariantsAndStopsAtTheDataChunksEnd)
{
    TempDir dir;
    const std::string data = wave_test::pattern(10001 * 4, 7);
    struct Case
    {
        const char* name;
        BuildOptions options;
    };
    std::vector<Case> cases;
    { Case c{ "plain.wav", BuildOptions() }; cases.push_back(c); }
    { Case c{ "fmt18.wav", BuildOptions() }; c.options.fmt_size = 18; cases.push_back(c); }
    { Case c{ "extensible.wav", BuildOptions() }; c.options.format_tag = 0xfffe; c.options.fmt_size = 40; cases.push_back(c); }
    {
        Case c{ "chunks.wav", BuildOptions() };
        c.options.before_data.push_back({ "LIST", std::string("INFOISFT\x05\x00\x00\x00sox!\x00", 17) }); // odd size, padded
        c.options.before_data.push_back({ "fact", std::string("\x11\x27\x00\x00", 4) });
        cases.push_back(c);
    }
    {
        Case c{ "trailing.wav", BuildOptions() };
        c.options.after_data.push_back({ "LIST", std::string(300, 'T') }); // no samples in it
        cases.push_back(c);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.name);
        ASSERT_TRUE(WriteFileBytes(path, wave_test::build(c.options, data)));
        const DecodeResult r = wave_test::decode_to_wave_file(path, dir.File(std::string(c.name) + ".out"));
        ASSERT_EQ(0, r.open_result);
        EXPECT_EQ(DK_ERR_END_OF_INPUT, r.last_result);
        ASSERT_EQ(data.size(), r.written.size());
        EXPECT_TRUE(data == r.written);
    }
}

TEST(WaveCodec, ProbeTakesWaveTypesAndWavNamesInAnyCase)
{
    codec_module_ops ops;
    std::memset(&ops, 0, sizeof(ops));
    ASSERT_EQ(0, wave_codec_module_register(&ops));
    struct Case
    {
        const char* type;
        const char* name;
        bool accepted;
    };
    const Case cases[] = {
        { "audio/wave", "stream", true }, { "audio/x-wav", "", true }, { "audio/x-wave", nullptr, true },
        { "unknown", "C:\\music\\track.wav", true }, { "audio/unknown", "track.WAV", true },
        { "audio", "track.Wav", true }, { "unknown", "my.wav.mp3", false },
        { "unknown", "track.wave", false }, { "unknown", "wav", false }, { "unknown", "track.", false },
        { "unknown", nullptr, false }, { "audio/mpeg", "track.wav", false }, { "audio/WAVE", "x", false },
        { nullptr, "track.wav", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.accepted, ops.probe(c.type, c.name) == 0)
            << (c.type ? c.type : "(null)") << " " << (c.name ? c.name : "(null)");
}

TEST(WaveCodec, UpperCaseWavFilesReachTheWaveCodec)
{
    TempDir dir;
    for (const char* name : { "LOUD.WAV", "Mixed.Wav", "lower.wav" }) {
        const std::string path = dir.File(name);
        ASSERT_TRUE(tavrix_test::CopyFileTo(MediaPath("wave_s16_mono_22k.wav"), path));
        const DecodeResult r = wave_test::decode_to_wave_file(path, dir.File(std::string(name) + ".out"));
        EXPECT_EQ("audio/pcm", r.content_type) << name;
        expect_decoded_like_source(path, r, 1024);
    }
    // Any other name goes to the catch-all codec registered before it.
    const std::string other = dir.File("tone.bin");
    ASSERT_TRUE(tavrix_test::CopyFileTo(MediaPath("wave_s16_mono_22k.wav"), other));
    const DecodeResult r = wave_test::decode_to_wave_file(other, dir.File("bin.out"));
    EXPECT_EQ("audio/test", r.content_type);
}

namespace {

class WaveSeekTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test_modules::reset();
        ASSERT_TRUE(ReadFileBytes(MediaPath("wave_s16_stereo_44k.wav"), bytes));
        ASSERT_TRUE(wave_test::parse(bytes, wave));
        ASSERT_EQ(0, decoder_new(&dec));
        input_module_ops input;
        codec_module_ops codec;
        std::memset(&input, 0, sizeof(input));
        std::memset(&codec, 0, sizeof(codec));
        file_input_module_register(&input);
        wave_codec_module_register(&codec);
        ASSERT_EQ(0, decoder_input_module_register(dec, &input));
        ASSERT_EQ(0, decoder_codec_module_register(dec, &codec));
        ASSERT_EQ(0, decoder_input_new(dec, MediaPath("wave_s16_stereo_44k.wav").c_str(), -1));
        ASSERT_EQ(0, decoder_input_open(dec));
    }
    void TearDown() override { decoder_delete(dec); }

    // The next block starts at this byte of the data chunk.
    void expect_next_block_at(size_t data_byte)
    {
        ASSERT_EQ(0, decoder_decode(dec, nullptr));
        const size_t n = static_cast<size_t>(dec->pcm->sample_count) * 4;
        ASSERT_GT(n, 0u);
        ASSERT_LE(data_byte + n, wave.data.size());
        EXPECT_EQ(0, std::memcmp(dec->pcm->samples, wave.data.data() + data_byte, n)) << "at " << data_byte;
    }

    std::string bytes;
    WaveFile wave;
    decoder* dec = nullptr;
};

} // namespace

TEST_F(WaveSeekTest, SeekingLandsOnFrameBoundaries)
{
    ASSERT_EQ(44u, wave.data_offset);
    struct Case
    {
        uint32_t offset;
        size_t data_byte;
    };
    const Case cases[] = {
        { 44 + 4000, 4000 },      // on a frame
        { 44 + 4001, 4004 },      // inside a frame: on to the next
        { 44 + 4003, 4004 },
        { 44 + 80002, 80004 },
        { 0, 0 },                 // the start: the header is read over again
        { 20, 0 },                // inside the header
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, decoder_input_seek_to_offset(dec, c.offset));
        expect_next_block_at(c.data_byte);
    }
}

TEST_F(WaveSeekTest, SeekingToTheMiddleAndByTime)
{
    // Fractions map linearly over the whole file.
    ASSERT_EQ(0, decoder_input_seek_to_position(dec, 0.5f));
    const size_t middle = bytes.size() / 2 - 44;
    expect_next_block_at((middle + 3) / 4 * 4);

    // 1 s: the file's duration is reported as 1000 ms (whole seconds).
    ASSERT_EQ(1000, dec->status->info.duration_ms);
    ASSERT_EQ(0, decoder_input_seek_to_time(dec, 0.25f));
    const size_t quarter = bytes.size() / 4 - 44;
    expect_next_block_at((quarter + 3) / 4 * 4);
    EXPECT_EQ(0, dec->status->timecode.seconds);

    // Decoding on to the end after a seek ends cleanly.
    int r = 0;
    while ((r = decoder_decode(dec, nullptr)) == 0) {
    }
    EXPECT_EQ(DK_ERR_END_OF_INPUT, r);
}

TEST(WaveCodec, WaitsForAHeaderThatIsSlowToCome)
{
    const std::string data = wave_test::pattern(4096 * 2 + 100, 3);
    const std::string bytes = wave_test::build(BuildOptions(), data);
    struct Case
    {
        int timeouts;
        int result;
    };
    // The first read and 100 more may answer "no data yet".
    const Case cases[] = { { 0, 0 }, { 5, 0 }, { 100, 0 }, { 101, DK_ERR_TIMEOUT } };
    for (const Case& c : cases) {
        test_modules::reset();
        test_modules::Stream stream;
        stream.bytes = bytes;
        stream.timeouts = c.timeouts;
        stream.seekable = false;
        stream.content_type = "audio/x-wav";
        test_modules::set_stream("mem:stream", stream);
        decoder* dec = nullptr;
        ASSERT_EQ(0, decoder_new(&dec));
        const input_module_ops input = test_modules::memory_input_ops();
        codec_module_ops codec;
        std::memset(&codec, 0, sizeof(codec));
        wave_codec_module_register(&codec);
        ASSERT_EQ(0, decoder_input_module_register(dec, &input));
        ASSERT_EQ(0, decoder_codec_module_register(dec, &codec));
        ASSERT_EQ(0, decoder_input_new(dec, "mem:stream", -1));
        EXPECT_EQ(c.result, decoder_input_open(dec)) << c.timeouts;
        if (c.result == 0) {
            EXPECT_EQ(0, dec->status->info.duration_ms); // not known without random access
            std::string got;
            int r = 0;
            while ((r = decoder_decode(dec, nullptr)) == 0)
                got.append(static_cast<const char*>(dec->pcm->samples), dec->pcm->sample_count * 4u);
            EXPECT_EQ(DK_ERR_END_OF_INPUT, r);
            EXPECT_TRUE(data == got) << c.timeouts;
        }
        decoder_delete(dec);
    }
}
