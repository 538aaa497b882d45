// The decoder object with test modules: selection, opening, state faults,
// reading, decoding, position and time, seeking, parameters and services.
#include "tests/support/TestSupport.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "decoder/engine/decoder.h"
#include "decoder/engine/decoder_private.h"
#include "TestModules.h"

namespace {

using test_modules::Stream;

std::string counting_bytes(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 31 + 7) & 0xff);
    return s;
}

class DecoderCoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test_modules::reset();
        ASSERT_EQ(0, decoder_new(&dec));
        dec->client = &log;
        dec->debug_callback = test_modules::record_debug;
        const input_module_ops input = test_modules::memory_input_ops();
        const output_module_ops output = test_modules::capture_output_ops();
        const codec_module_ops codec = test_modules::fallback_codec_ops();
        ASSERT_EQ(0, decoder_input_module_register(dec, &input));
        ASSERT_EQ(0, decoder_output_module_register(dec, &output));
        ASSERT_EQ(0, decoder_codec_module_register(dec, &codec));
    }
    void TearDown() override { decoder_delete(dec); }

    void open_stream(const std::string& name, const Stream& stream)
    {
        test_modules::set_stream(name, stream);
        ASSERT_EQ(0, decoder_input_new(dec, name.c_str(), -1));
        ASSERT_EQ(0, decoder_input_open(dec));
    }

    std::string last_detail() const { return log.empty() ? "" : log.back().second; }

    decoder* dec = nullptr;
    test_modules::DebugLog log;
};

} // namespace

TEST_F(DecoderCoreTest, SameInputNameKeepsTheInstanceAnotherReplacesIt)
{
    test_modules::set_stream("mem:a", Stream{ "abc" });
    test_modules::set_stream("mem:b", Stream{ "def" });
    ASSERT_EQ(0, decoder_input_new(dec, "mem:a", -1));
    void* first = dec->input->instance;
    ASSERT_EQ(0, decoder_input_new(dec, "mem:a", -1));
    EXPECT_EQ(first, dec->input->instance);
    EXPECT_EQ(1, test_modules::counters().input_new);

    ASSERT_EQ(0, decoder_input_open(dec));
    ASSERT_EQ(0, decoder_input_new(dec, "mem:b", 0)); // by id
    EXPECT_EQ(1, test_modules::counters().input_close); // closed before it was replaced
    EXPECT_EQ(1, test_modules::counters().input_delete);
    EXPECT_EQ(DECODER_CLOSED, dec->input->state);
    EXPECT_STREQ("mem:b", dec->input->name);
}

TEST_F(DecoderCoreTest, SelectionFailures)
{
    EXPECT_EQ(DK_ERR_UNSUPPORTED_INPUT, decoder_input_new(dec, "file.wav", -1));
    EXPECT_EQ(DK_ERR_UNSUPPORTED_INPUT, decoder_input_new(dec, nullptr, -1));
    EXPECT_EQ(DK_ERR_MODULE_NOT_FOUND, decoder_input_new(dec, "mem:a", 1));
    EXPECT_EQ(DK_ERR_NO_SUCH_FILE, decoder_input_new(dec, "mem:none", -1)); // the module's result
    EXPECT_EQ(nullptr, dec->input->instance);
    EXPECT_EQ(DK_ERR_UNSUPPORTED_OUTPUT, decoder_output_new(dec, "speakers", -1));
    EXPECT_EQ(DK_ERR_MODULE_NOT_FOUND, decoder_output_new(dec, "cap:x", 3));
}

TEST_F(DecoderCoreTest, StateFaultsAreReportedAndRefused)
{
    decoder* fresh = nullptr;
    ASSERT_EQ(0, decoder_new(&fresh));
    fresh->client = &log;
    fresh->debug_callback = test_modules::record_debug;
    struct Case
    {
        int (*call)(decoder*);
        const char* detail;
    };
    const Case cases[] = {
        { decoder_input_open, "null input module" },
        { decoder_input_close, "input not open" },
        { [](decoder* d) { return decoder_decode(d, nullptr); }, "input not open" },
        { [](decoder* d) { char b[4]; return decoder_input_read(d, b, 4); }, "input not open" },
        { [](decoder* d) { return decoder_input_seek_to_offset(d, 0); }, "input not open" },
        { [](decoder* d) { return decoder_input_send_message(d, 1, nullptr, 0); }, "null input module" },
        { decoder_output_open, "null output module" },
        { decoder_output_close, "null output module" },
        { decoder_play, "output not open" },
        { [](decoder* d) { char b[4] = {}; return decoder_output_write(d, b, 4, 2, 2, 44100); }, "output not open" },
        { [](decoder* d) { output_control c; return decoder_output_set_control(d, &c, 1); }, "null output module" },
        { [](decoder* d) { return decoder_output_send_message(d, 1, nullptr, 0); }, "null output module" },
    };
    for (const Case& c : cases) {
        log.clear();
        EXPECT_EQ(DK_ERR_INTERNAL, c.call(fresh)) << c.detail;
        ASSERT_EQ(1u, log.size()) << c.detail;
        EXPECT_EQ("internal error", log[0].first);
        EXPECT_EQ(c.detail, log[0].second);
    }
    decoder_delete(fresh);

    // With modules: opening twice, and controls without a block.
    open_stream("mem:a", Stream{ counting_bytes(100) });
    EXPECT_EQ(DK_ERR_INTERNAL, decoder_input_open(dec));
    EXPECT_EQ("input not closed", last_detail());
    ASSERT_EQ(0, decoder_output_new(dec, "cap:o", -1));
    ASSERT_EQ(0, decoder_output_open(dec));
    EXPECT_EQ(DK_ERR_INTERNAL, decoder_output_open(dec));
    EXPECT_EQ("output not closed", last_detail());
    EXPECT_EQ(DK_ERR_INTERNAL, decoder_output_get_control(dec, nullptr, 1));
    EXPECT_EQ("null control block", last_detail());
    EXPECT_EQ(-1, decoder_input_send_message(dec, 4099, "x", 1)); // no message method
}

TEST_F(DecoderCoreTest, NoCodecLeavesTheInputClosed)
{
    decoder* bare = nullptr;
    ASSERT_EQ(0, decoder_new(&bare));
    const input_module_ops input = test_modules::memory_input_ops();
    ASSERT_EQ(0, decoder_input_module_register(bare, &input));
    test_modules::set_stream("mem:a", Stream{ "abc" });
    ASSERT_EQ(0, decoder_input_new(bare, "mem:a", -1));
    EXPECT_EQ(DK_ERR_NO_CODEC, decoder_input_open(bare));
    EXPECT_EQ(DECODER_CLOSED, bare->input->state);
    EXPECT_NE(nullptr, bare->input->instance); // kept
    EXPECT_EQ(1, test_modules::counters().input_close);
    decoder_delete(bare);
    EXPECT_EQ(1, test_modules::counters().input_delete);
}

TEST_F(DecoderCoreTest, TheCodecIsKeptWhileInputsProbeToTheSameModule)
{
    test_modules::set_stream("mem:a", Stream{ "abcd" });
    test_modules::set_stream("mem:b", Stream{ "efgh" });
    ASSERT_EQ(0, decoder_input_new(dec, "mem:a", -1));
    ASSERT_EQ(0, decoder_input_open(dec));
    ASSERT_EQ(0, decoder_input_close(dec));
    EXPECT_EQ(1, test_modules::counters().codec_close);
    ASSERT_EQ(0, decoder_input_new(dec, "mem:b", -1));
    ASSERT_EQ(0, decoder_input_open(dec));
    EXPECT_EQ(1, test_modules::counters().codec_new);
    EXPECT_EQ(2, test_modules::counters().codec_open);
    EXPECT_EQ((std::vector<std::string>{ "mem:a", "mem:b" }), test_modules::codec_probes());
    EXPECT_EQ(4608, dec->codec->frame_size);
    EXPECT_EQ(3, dec->codec->capabilities);
    EXPECT_EQ(4u, dec->input->size);
    EXPECT_EQ(INPUT_CAN_SEEK, dec->input->capabilities);
}

TEST_F(DecoderCoreTest, ShortReadsAreFilledAndAShortEndIsReportedAsShort)
{
    Stream s{ counting_bytes(1000) };
    s.max_read = 64; // the module answers in small pieces
    open_stream("mem:a", s);
    std::string got(300, '\0');
    EXPECT_EQ(0, decoder_input_read(dec, &got[0], 300)); // all 300 came
    EXPECT_EQ(s.bytes.substr(0, 300), got);
    EXPECT_EQ(300u, dec->input->position);
    EXPECT_EQ(0, decoder_input_read(dec, &got[0], 300));
    EXPECT_EQ(0, decoder_input_read(dec, &got[0], 300));
    EXPECT_EQ(100, decoder_input_read(dec, &got[0], 300)); // only 100 were left
    EXPECT_EQ(s.bytes.substr(900, 100), got.substr(0, 100));
    EXPECT_EQ(1000u, dec->input->position);
    EXPECT_EQ(DK_ERR_END_OF_INPUT, decoder_input_read(dec, &got[0], 300));
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_input_read(dec, nullptr, 10));
}

TEST_F(DecoderCoreTest, NoDataYetIsPassedOnUntilDataComes)
{
    Stream s{ counting_bytes(8) };
    s.timeouts = 2;
    open_stream("mem:a", s);
    char b[8];
    EXPECT_EQ(DK_ERR_TIMEOUT, decoder_input_read(dec, b, 8));
    EXPECT_EQ(DK_ERR_TIMEOUT, decoder_input_read(dec, b, 8));
    EXPECT_EQ(0, decoder_input_read(dec, b, 8));
    EXPECT_EQ(0, std::memcmp(b, s.bytes.data(), 8));
}

TEST_F(DecoderCoreTest, PositionAndTimecodeAdvanceBlockByBlock)
{
    // 40 blocks of 1152 frames at 44100 Hz: each advances 26122 us.
    open_stream("mem:a", Stream{ counting_bytes(40 * test_modules::FALLBACK_BLOCK_BYTES) });
    for (int i = 0; i < 39; ++i)
        ASSERT_EQ(0, decoder_decode(dec, nullptr)) << "block " << i;
    EXPECT_EQ(1152, dec->pcm->sample_count);
    const decoder_timecode& t = dec->status->timecode;
    EXPECT_EQ(0, t.hours);
    EXPECT_EQ(0, t.minutes);
    EXPECT_EQ(1, t.seconds);
    EXPECT_EQ(1, t.hundredths); // 1 s 18758 us
    EXPECT_FLOAT_EQ(39.0f / 40.0f, dec->status->position);
    ASSERT_EQ(0, decoder_decode(dec, nullptr));
    EXPECT_FLOAT_EQ(1.0f, dec->status->position);
    EXPECT_EQ(4, t.hundredths); // 1 s 44880 us
    // At the end the failure leaves position, time and block as they were.
    EXPECT_EQ(DK_ERR_END_OF_INPUT, decoder_decode(dec, nullptr));
    EXPECT_EQ(1152, dec->pcm->sample_count);
    EXPECT_EQ(4, t.hundredths);
    EXPECT_EQ(1, t.seconds);
}

TEST(DecoderBlockTime, StaysRightForLongBlocks)
{
    // n x 1000000 no longer fits 32 bits above 4294 frames.
    struct Case
    {
        uint32_t frames, rate, microseconds;
    };
    const Case cases[] = {
        { 1152, 44100, 26122 }, { 2048, 44100, 46439 }, { 4608, 44100, 104487 },
        { 100000, 8000, 12500000 }, { 441000, 44100, 9999804 }, { 1152, 0, 0 }, { 0, 44100, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.microseconds, decoder_block_microseconds(c.frames, c.rate)) << c.frames << " at " << c.rate;
}

TEST_F(DecoderCoreTest, PlayTellsTheOutputItsFormatOnceAndWritesEachBlock)
{
    open_stream("mem:a", Stream{ counting_bytes(2 * test_modules::FALLBACK_BLOCK_BYTES + 400) });
    ASSERT_EQ(0, decoder_output_new(dec, "cap:o", -1));
    ASSERT_EQ(0, decoder_output_open(dec));
    EXPECT_EQ(OUTPUT_DEFAULT_CAPABILITIES, dec->output->capabilities); // no method: the default
    ASSERT_EQ(0, decoder_play(dec));
    ASSERT_EQ(0, decoder_play(dec));
    ASSERT_EQ(0, decoder_play(dec)); // the short last block: 100 frames
    EXPECT_EQ(100, dec->pcm->sample_count);
    EXPECT_EQ(DK_ERR_END_OF_INPUT, decoder_play(dec));
    const test_modules::Captured& c = test_modules::captured("cap:o");
    EXPECT_EQ(counting_bytes(2 * test_modules::FALLBACK_BLOCK_BYTES + 400), c.bytes);
    ASSERT_EQ(1u, c.controls.size());
    EXPECT_EQ(PCM_CHANGED_CHANNELS | PCM_CHANGED_RATE, c.controls[0].first);
    EXPECT_EQ(2, c.controls[0].second.bytes_per_sample);
    EXPECT_EQ(44100, c.controls[0].second.sample_rate);
    EXPECT_EQ(2, c.controls[0].second.channels);
    EXPECT_EQ(0, dec->pcm->delay_ms);
}

TEST_F(DecoderCoreTest, OutputWithoutControlMethodsGetsTheDefaults)
{
    ASSERT_EQ(0, decoder_output_new(dec, "cap:o", -1));
    void* first = dec->output->instance;
    ASSERT_EQ(0, decoder_output_new(dec, "cap:o", -1));
    EXPECT_EQ(first, dec->output->instance);
    output_control control;
    std::memset(&control, 0x11, sizeof(control));
    EXPECT_EQ(0, decoder_output_get_control(dec, &control, 0xff));
    EXPECT_EQ(2, control.channels);
    EXPECT_EQ(100, control.master_level);
    EXPECT_EQ(100, control.pcm_level);
    EXPECT_EQ(50, control.balance);
    EXPECT_EQ(1, control.ports);
    EXPECT_EQ(0x11111111, control.sample_rate); // the other fields stay
    EXPECT_EQ(-1, decoder_output_send_message(dec, 1, nullptr, 0));
}

TEST_F(DecoderCoreTest, SeekingByOffsetPositionTimeAndTimecode)
{
    const size_t size = 10 * test_modules::FALLBACK_BLOCK_BYTES;
    test_modules::set_codec_stream_facts(10000, 0); // 10 s
    open_stream("mem:a", Stream{ counting_bytes(size) });
    EXPECT_EQ(10000, dec->status->info.duration_ms);

    ASSERT_EQ(0, decoder_input_seek_to_offset(dec, static_cast<uint32_t>(size / 2)));
    EXPECT_EQ(size / 2, dec->input->position);
    EXPECT_EQ(1, test_modules::counters().codec_seek_notice);
    EXPECT_FLOAT_EQ(0.5f, dec->status->position);
    EXPECT_EQ(5, dec->status->timecode.seconds);

    ASSERT_EQ(0, decoder_input_seek_to_offset(dec, 0xffffffffu)); // clamped to the size
    EXPECT_EQ(size, dec->input->position);
    EXPECT_EQ(10, dec->status->timecode.seconds);

    ASSERT_EQ(0, decoder_input_seek_to_time(dec, 2.5f));
    EXPECT_EQ(size / 4, dec->input->position);
    EXPECT_EQ(2, dec->status->timecode.seconds);
    EXPECT_EQ(50, dec->status->timecode.hundredths);

    const decoder_timecode tc = { 0, 0, 7, 50 };
    ASSERT_EQ(0, decoder_input_seek_to_timecode(dec, &tc));
    EXPECT_EQ(size * 3 / 4, dec->input->position);
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_input_seek_to_timecode(dec, nullptr));

    struct Case
    {
        float fraction;
        uint32_t offset;
    };
    const Case cases[] = {
        { 0.25f, static_cast<uint32_t>(size / 4) }, { -1.0f, 0 }, { 3.0f, static_cast<uint32_t>(size) },
        { std::numeric_limits<float>::quiet_NaN(), 0 },
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, decoder_input_seek_to_position(dec, c.fraction)) << c.fraction;
        EXPECT_EQ(c.offset, dec->input->position) << c.fraction;
    }
    ASSERT_EQ(0, decoder_input_seek_to_time(dec, -4.0f));
    EXPECT_EQ(0u, dec->input->position);

    // Decoding after a seek reads from there.
    ASSERT_EQ(0, decoder_input_seek_to_offset(dec, 4));
    ASSERT_EQ(0, decoder_decode(dec, nullptr));
    EXPECT_EQ(0, std::memcmp(dec->pcm->samples, counting_bytes(size).data() + 4, 64));
}

TEST_F(DecoderCoreTest, SeekingWithoutDurationUsesTheBitrateOrTheStart)
{
    test_modules::set_codec_stream_facts(0, 128); // 16000 bytes a second
    open_stream("mem:a", Stream{ counting_bytes(64000) });
    ASSERT_EQ(0, decoder_input_seek_to_offset(dec, 40000));
    EXPECT_EQ(2, dec->status->timecode.seconds);
    EXPECT_EQ(50, dec->status->timecode.hundredths);
    ASSERT_EQ(0, decoder_input_seek_to_time(dec, 3.0f)); // duration not known: the start
    EXPECT_EQ(0u, dec->input->position);
    EXPECT_EQ(0, dec->status->timecode.seconds);
}

TEST_F(DecoderCoreTest, AnInputOfUnknownSizeSeeksOnlyToTheStart)
{
    Stream s{ counting_bytes(5000) };
    s.seekable = false;
    open_stream("mem:a", s);
    EXPECT_EQ(0u, dec->input->size);
    EXPECT_EQ(-1, decoder_input_seek_to_offset(dec, 100)); // clamped to 0, and the module cannot seek
    char b[10];
    ASSERT_EQ(0, decoder_input_read(dec, b, 10));
    EXPECT_EQ(10u, dec->input->position);
    EXPECT_FLOAT_EQ(0.0f, dec->status->position);
}

TEST_F(DecoderCoreTest, CodecParametersAreKept)
{
    EXPECT_EQ(0, decoder_codec_set_channels(dec, CODEC_CHANNELS_MIXED));
    EXPECT_EQ(CODEC_CHANNELS_MIXED, decoder_codec_get_channels(dec));
    EXPECT_EQ(0, decoder_codec_set_quality(dec, 2));
    EXPECT_EQ(2, decoder_codec_get_quality(dec));
    int8_t eq[CODEC_EQUALIZER_SIZE];
    for (int i = 0; i < CODEC_EQUALIZER_SIZE; ++i)
        eq[i] = static_cast<int8_t>(i - 32);
    int8_t back[CODEC_EQUALIZER_SIZE];
    EXPECT_EQ(0, decoder_codec_set_equalizer(dec, eq));
    EXPECT_EQ(0, decoder_codec_get_equalizer(dec, back));
    EXPECT_EQ(0, std::memcmp(eq, back, sizeof(eq)));
    EXPECT_EQ(0, decoder_codec_set_equalizer(dec, nullptr));
    EXPECT_EQ(0, decoder_codec_get_equalizer(dec, back));
    for (int8_t b : back)
        EXPECT_EQ(0, b);
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_codec_set_channels(nullptr, 1));
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_codec_get_quality(nullptr));
}

TEST_F(DecoderCoreTest, ServicesForModules)
{
    // Stream properties mark the stream as changed; an open empties them.
    open_stream("mem:a", Stream{ counting_bytes(100) });
    decoder_services& s = dec->services;
    dec->status->info.changed = 0;
    EXPECT_EQ(0, s.set_stream_integer(dec, "mpeg/layer", 3));
    EXPECT_EQ(STREAM_CHANGED_PROPERTIES, dec->status->info.changed);
    EXPECT_EQ(0, s.set_stream_string(dec, "id3/title", "Hello"));
    int32_t value = 0;
    char text[ENVIRONMENT_STRING_BUFFER_SIZE];
    EXPECT_EQ(0, s.get_stream_integer(dec, "mpeg/layer", &value));
    EXPECT_EQ(3, value);
    EXPECT_EQ(0, s.get_stream_string(dec, "id3/title", text));
    EXPECT_STREQ("Hello", text);
    dec->status->info.changed = 0;
    EXPECT_EQ(0, s.remove_stream_property(dec, "mpeg/layer"));
    EXPECT_EQ(STREAM_CHANGED_PROPERTIES, dec->status->info.changed);
    EXPECT_EQ(DK_ERR_NO_SUCH_VARIABLE, s.get_stream_integer(dec, "mpeg/layer", &value));

    // The environment is a store of its own and outlives inputs.
    EXPECT_EQ(0, s.set_environment_integer(dec, "OUTPUT.DIRECTSOUND.PITCH", 1000));
    EXPECT_EQ(0, s.set_environment_string(dec, "OUTPUT.NAME", "x"));
    EXPECT_EQ(DK_ERR_NO_SUCH_VARIABLE, s.get_stream_integer(dec, "OUTPUT.DIRECTSOUND.PITCH", &value));
    int calls = 0;
    environment_watcher* w = nullptr;
    ASSERT_EQ(0, s.add_environment_watcher(dec, "OUTPUT.DIRECTSOUND.PITCH", &calls,
                                           [](void* user, const char*, void*) { ++*static_cast<int*>(user); },
                                           &w));
    EXPECT_EQ(0, s.set_environment_integer(dec, "OUTPUT.DIRECTSOUND.PITCH", 990));
    EXPECT_EQ(0, s.remove_environment_variable(dec, "OUTPUT.DIRECTSOUND.PITCH"));
    EXPECT_EQ(2, calls);
    EXPECT_EQ(0, s.remove_environment_watcher(dec, w));

    ASSERT_EQ(0, decoder_input_close(dec));
    ASSERT_EQ(0, decoder_input_open(dec));
    EXPECT_EQ(DK_ERR_NO_SUCH_VARIABLE, s.get_stream_string(dec, "id3/title", text));
    EXPECT_EQ(0, s.get_environment_string(dec, "OUTPUT.NAME", text));

    // Resync resets the codec, and only while the input is open.
    EXPECT_EQ(0, s.codec_resync(dec));
    EXPECT_EQ(1, test_modules::counters().codec_reset);
    ASSERT_EQ(0, decoder_input_close(dec));
    EXPECT_EQ(DK_ERR_INTERNAL, s.codec_resync(dec));

    // Read and seek services are the decoder's own input calls.
    ASSERT_EQ(0, decoder_input_open(dec));
    char b[4];
    EXPECT_EQ(0, s.seek(dec, 10));
    EXPECT_EQ(0, s.read(dec, b, 4));
    EXPECT_EQ(0, std::memcmp(b, counting_bytes(100).data() + 10, 4));
}

TEST_F(DecoderCoreTest, DeletingCleansUpOpenInputAndOutput)
{
    open_stream("mem:a", Stream{ counting_bytes(100) });
    ASSERT_EQ(0, decoder_output_new(dec, "cap:o", -1));
    ASSERT_EQ(0, decoder_output_open(dec));
    EXPECT_EQ(0, decoder_delete(dec));
    dec = nullptr;
    EXPECT_EQ(1, test_modules::counters().input_close);
    EXPECT_EQ(1, test_modules::counters().input_delete);
    EXPECT_EQ(1, test_modules::counters().output_close);
    EXPECT_EQ(1, test_modules::counters().codec_delete);
}
