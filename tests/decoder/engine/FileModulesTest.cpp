// "Input From File" and "Output To File" on real files in a temporary
// folder.
#include "tests/support/TestSupport.h"

#include <cstring>

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/modules/file_output.h"
#include "TestModules.h"
#include "WaveTestFiles.h"

using tavrix_test::ReadFileBytes;
using tavrix_test::TempDir;
using tavrix_test::WriteFileBytes;

namespace {

std::string tag_field(const std::string& text, size_t size, char fill = ' ')
{
    std::string s = text.substr(0, size);
    s.resize(size, fill);
    return s;
}

std::string id3v1_tag(int genre)
{
    return "TAG" + tag_field("Hello", 30) + tag_field("The Artist", 30, '\0') +
           tag_field("An Album  ", 30) + "2001" + tag_field("thirty characters of comment!!", 30) +
           std::string(1, static_cast<char>(genre));
}

class FileModulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test_modules::reset();
        ASSERT_EQ(0, decoder_new(&dec));
        dec->client = &log;
        dec->debug_callback = test_modules::record_debug;
        input_module_ops input;
        output_module_ops output;
        std::memset(&input, 0, sizeof(input));
        std::memset(&output, 0, sizeof(output));
        ASSERT_EQ(0, file_input_module_register(&input));
        ASSERT_EQ(0, file_output_module_register(&output));
        ASSERT_EQ(0, decoder_input_module_register(dec, &input));
        ASSERT_EQ(0, decoder_output_module_register(dec, &output));
        const codec_module_ops codec = test_modules::fallback_codec_ops();
        ASSERT_EQ(0, decoder_codec_module_register(dec, &codec));
    }
    void TearDown() override { decoder_delete(dec); }

    std::string property(const char* name)
    {
        char text[ENVIRONMENT_STRING_BUFFER_SIZE];
        if (dec->services.get_stream_string(dec, name, text) != 0)
            return "(none)";
        return text;
    }

    decoder* dec = nullptr;
    test_modules::DebugLog log;
    TempDir dir;
};

} // namespace

TEST_F(FileModulesTest, InputReadsAFileWithItsSizeAndSeeks)
{
    const std::string bytes = wave_test::pattern(10007);
    const std::string path = dir.File("stream.bin");
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    ASSERT_EQ(0, decoder_input_new(dec, path.c_str(), -1));
    ASSERT_EQ(0, decoder_input_open(dec));
    EXPECT_EQ(10007u, dec->input->size);
    EXPECT_EQ(INPUT_CAN_SEEK, dec->input->capabilities);

    std::string got(4000, '\0');
    ASSERT_EQ(0, decoder_input_read(dec, &got[0], 4000));
    EXPECT_EQ(bytes.substr(0, 4000), got);
    ASSERT_EQ(0, decoder_input_seek_to_offset(dec, 9000));
    EXPECT_EQ(1007, decoder_input_read(dec, &got[0], 4000)); // the last partial piece comes
    EXPECT_EQ(bytes.substr(9000), got.substr(0, 1007));
    EXPECT_EQ(DK_ERR_END_OF_INPUT, decoder_input_read(dec, &got[0], 4000));
    ASSERT_EQ(0, decoder_input_seek_to_offset(dec, 3));
    ASSERT_EQ(0, decoder_input_read(dec, &got[0], 10));
    EXPECT_EQ(bytes.substr(3, 10), got.substr(0, 10));
    EXPECT_EQ(0, decoder_input_close(dec));
    EXPECT_STREQ("unknown", dec->input->content_type);
}

TEST_F(FileModulesTest, InputOpenFailures)
{
    ASSERT_EQ(0, decoder_input_new(dec, dir.File("missing.wav").c_str(), -1));
    EXPECT_EQ(DK_ERR_NO_SUCH_FILE, decoder_input_open(dec));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("cannot open input file", log.back().first);
    EXPECT_EQ("file not found", log.back().second);
    EXPECT_EQ(DECODER_CLOSED, dec->input->state);

    log.clear();
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_input_new(dec, "", -1));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("internal error", log[0].first);
    EXPECT_EQ("null params or null/empty input name", log[0].second);
    EXPECT_EQ(nullptr, dec->input->instance);
}

TEST_F(FileModulesTest, TheTagOfAnMp3FileBecomesStreamProperties)
{
    const std::string audio = wave_test::pattern(5000);
    const std::string path = dir.File("song.mp3");
    ASSERT_TRUE(WriteFileBytes(path, audio + id3v1_tag(17)));
    ASSERT_EQ(0, decoder_input_new(dec, path.c_str(), -1));
    ASSERT_EQ(0, decoder_input_open(dec));
    EXPECT_EQ("Hello", property("id3/title"));
    EXPECT_EQ("The Artist", property("id3/artist"));
    EXPECT_EQ("An Album", property("id3/album"));
    EXPECT_EQ("2001", property("id3/year"));
    EXPECT_EQ("thirty characters of comment!!", property("id3/comment"));
    EXPECT_EQ("Rock", property("id3/genre"));
    EXPECT_TRUE(dec->status->info.changed & STREAM_CHANGED_PROPERTIES);
    // The file is read from its start afterwards.
    ASSERT_EQ(0, decoder_decode(dec, nullptr));
    EXPECT_EQ(0, std::memcmp(dec->pcm->samples, audio.data(), 64));
}

TEST_F(FileModulesTest, TagsAreReadOnlyForLowerCaseMp3AndKnownGenres)
{
    struct Case
    {
        const char* name;
        int genre;
        const char* title;
        const char* genre_name;
    };
    const Case cases[] = {
        { "upper.MP3", 17, "(none)", "(none)" },
        { "other.wav", 17, "(none)", "(none)" },
        { "unknown_genre.mp3", 255, "Hello", "(none)" },
        { "first_genre.mp3", 0, "Hello", "Blues" },
        { "last_genre.mp3", 79, "Hello", "Hard Rock" },
        { "beyond.mp3", 80, "Hello", "(none)" },
        { "library_last.mp3", 125, "Hello", "(none)" },
        { "library_beyond.mp3", 126, "Hello", "(none)" },
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        ASSERT_TRUE(WriteFileBytes(path, wave_test::pattern(300) + id3v1_tag(c.genre)));
        ASSERT_EQ(0, decoder_input_new(dec, path.c_str(), -1));
        ASSERT_EQ(0, decoder_input_open(dec)) << c.name;
        EXPECT_EQ(c.title, property("id3/title")) << c.name;
        EXPECT_EQ(c.genre_name, property("id3/genre")) << c.name;
        ASSERT_EQ(0, decoder_input_close(dec));
    }
    // A file shorter than a tag has none.
    const std::string path = dir.File("short.mp3");
    ASSERT_TRUE(WriteFileBytes(path, "TAG"));
    ASSERT_EQ(0, decoder_input_new(dec, path.c_str(), -1));
    ASSERT_EQ(0, decoder_input_open(dec));
    EXPECT_EQ("(none)", property("id3/title"));
}

TEST_F(FileModulesTest, OutputWritesWaveHeaderOrRawPcm)
{
    const std::string pcm = wave_test::pattern(6000);
    struct Case
    {
        std::string name; // the output name
        std::string file; // the file it writes
        bool wave;
    };
    const Case cases[] = {
        { "wav:" + dir.File("a.wav"), dir.File("a.wav"), true },
        { "raw:" + dir.File("b.raw"), dir.File("b.raw"), false },
        { "sun:" + dir.File("c.au"), dir.File("c.au"), false },
        { "aiff:" + dir.File("d.aiff"), dir.File("d.aiff"), false },
        { dir.File("e.pcm"), dir.File("e.pcm"), false },
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, decoder_output_new(dec, c.name.c_str(), -1));
        ASSERT_EQ(0, decoder_output_open(dec)) << c.name;
        char* data = const_cast<char*>(pcm.data());
        ASSERT_EQ(0, decoder_output_write(dec, data, 4000, 2, 1, 22050));
        ASSERT_EQ(0, decoder_output_write(dec, data + 4000, 2000, 2, 1, 22050));
        ASSERT_EQ(0, decoder_output_close(dec));

        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(c.file, bytes)) << c.file;
        if (!c.wave) {
            EXPECT_TRUE(bytes == pcm) << c.name;
            continue;
        }
        ASSERT_EQ(44u + pcm.size(), bytes.size());
        wave_test::WaveFile w;
        ASSERT_TRUE(wave_test::parse(bytes, w));
        EXPECT_EQ(1, w.format_tag);
        EXPECT_EQ(1, w.channels);
        EXPECT_EQ(22050u, w.sample_rate);
        EXPECT_EQ(16, w.bits);
        EXPECT_EQ(6000u, w.data_size);
        EXPECT_TRUE(w.data == pcm);
        const unsigned char* h = reinterpret_cast<const unsigned char*>(bytes.data());
        EXPECT_EQ(6036u, h[4] | h[5] << 8 | h[6] << 16 | static_cast<uint32_t>(h[7]) << 24);
        EXPECT_EQ(44100u, h[28] | h[29] << 8 | h[30] << 16 | static_cast<uint32_t>(h[31]) << 24);
        EXPECT_EQ(2, h[32] | h[33] << 8);
    }
}

TEST_F(FileModulesTest, OutputOpenFailures)
{
    // "/" separates folders on Windows and natively alike.
    const std::string name = "wav:" + dir.File("no_such_folder/out.wav");
    ASSERT_EQ(0, decoder_output_new(dec, name.c_str(), -1));
    EXPECT_EQ(DK_ERR_OPEN_FAILED, decoder_output_open(dec));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("cannot open output file", log.back().first);
    EXPECT_EQ(DECODER_CLOSED, dec->output->state);
    log.clear();
    EXPECT_EQ(DK_ERR_INVALID_PARAMETERS, decoder_output_new(dec, nullptr, -1));
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ("null params or null/empty output name", log[0].second);
}
