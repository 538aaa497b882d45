// A codec chosen by id: it takes the stream without any probing, every
// decoder keeps its own choice, and -1 goes back to probing.
#include "tests/support/TestSupport.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/modules/wave_codec.h"
#include "decoder/mpeg/mpeg_codec.h"
#include "TestModules.h"

namespace {

const char kMpeg[] = "MPEG Audio Codec";
const char kWave[] = "WAVE Audio Codec";

// MPEG is codec 0 and WAVE codec 1.
enum { MPEG_ID = 0, WAVE_ID = 1 };

struct Opened
{
    int open = 0;         // decoder_input_open's result
    std::string codec;    // name of the codec that took the stream
    int blocks = 0;       // blocks decoded (at most 4)
    int rate = 0;
    int channels = 0;
};

std::string CodecName(decoder* dec)
{
    if (!dec->codec->ops)
        return "";
    module_info info;
    memset(&info, 0, sizeof(info));
    if (dec->codec->ops->query(&info, MODULE_QUERY_NAME) < 0)
        return "";
    info.name[sizeof(info.name) - 1] = '\0';
    return info.name;
}

// Opens the file under the decoder's current codec choice, decodes a few
// blocks and closes it again.
Opened OpenAndDecode(decoder* dec, const std::string& path)
{
    Opened o;
    if ((o.open = decoder_input_new(dec, path.c_str(), -1)) < 0)
        return o;
    if ((o.open = decoder_input_open(dec)) < 0)
        return o;
    o.codec = CodecName(dec);
    for (int tries = 0; tries < 50 && o.blocks < 4; ++tries) {
        const int r = decoder_decode(dec, nullptr);
        if (r == 0) {
            ++o.blocks;
            o.rate = dec->pcm->sample_rate;
            o.channels = dec->pcm->channels;
        } else if (r != DK_ERR_TIMEOUT && r != DK_ERR_INVALID_FRAME) {
            break;
        }
    }
    decoder_input_close(dec);
    return o;
}

class CodecChoice : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // An MP3 stream under a name that sends probing to the WAVE codec,
        // and a WAV stream under one that sends it to the MPEG codec.
        ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.mp3"), mp3AsWav));
        ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("tone440.wav"), wavAsMp3));
    }

    static decoder* NewDecoder()
    {
        // As the decks set up their own decoders: MPEG first, then WAVE.
        decoder* dec = nullptr;
        EXPECT_EQ(0, decoder_new(&dec));
        if (!dec)
            return nullptr;
        codec_module_ops codec;
        memset(&codec, 0, sizeof(codec));
        EXPECT_EQ(0, mpeg_codec_module_register(&codec));
        EXPECT_EQ(MPEG_ID, decoder_codec_module_register(dec, &codec));
        memset(&codec, 0, sizeof(codec));
        EXPECT_EQ(0, wave_codec_module_register(&codec));
        EXPECT_EQ(WAVE_ID, decoder_codec_module_register(dec, &codec));
        input_module_ops input;
        memset(&input, 0, sizeof(input));
        EXPECT_EQ(0, file_input_module_register(&input));
        EXPECT_EQ(0, decoder_input_module_register(dec, &input));
        return dec;
    }

    tavrix_test::TempDir temp;
    const std::string mp3 = tavrix_test::MediaPath("tone440.mp3");
    const std::string wav = tavrix_test::MediaPath("tone440.wav");
    const std::string mp3AsWav = temp.File("mp3.wav");
    const std::string wavAsMp3 = temp.File("wav.mp3");
};

} // namespace

TEST_F(CodecChoice, TheChosenCodecTakesTheStreamWhateverItsName)
{
    struct Case
    {
        const char* what;
        const std::string& path;
        int id;
        const char* codec; // "" when the open must fail
    };
    const Case cases[] = {
        {"mp3 probed", mp3, -1, kMpeg},
        {"wav probed", wav, -1, kWave},
        {"mp3 named .wav probed", mp3AsWav, -1, ""},
        {"mp3 named .wav, MPEG chosen", mp3AsWav, MPEG_ID, kMpeg},
        {"wav named .mp3, WAVE chosen", wavAsMp3, WAVE_ID, kWave},
        {"mp3 named .wav, back to probing", mp3AsWav, -1, ""},
    };
    decoder* dec = NewDecoder();
    ASSERT_NE(nullptr, dec);
    for (const Case& c : cases) {
        ASSERT_EQ(0, decoder_codec_set_module(dec, c.id)) << c.what;
        const Opened o = OpenAndDecode(dec, c.path);
        if (!*c.codec) {
            EXPECT_LT(o.open, 0) << c.what;
            continue;
        }
        ASSERT_EQ(0, o.open) << c.what;
        EXPECT_EQ(c.codec, o.codec) << c.what;
        EXPECT_EQ(4, o.blocks) << c.what;
        EXPECT_EQ(44100, o.rate) << c.what;
        EXPECT_EQ(2, o.channels) << c.what;
    }
    decoder_delete(dec);
}

TEST_F(CodecChoice, NoCodecIsProbedWhenOneIsChosen)
{
    // The test codec, registered last, is probed first and takes anything.
    decoder* dec = NewDecoder();
    ASSERT_NE(nullptr, dec);
    test_modules::reset();
    const codec_module_ops spy = test_modules::fallback_codec_ops();
    const int spyId = decoder_codec_module_register(dec, &spy);
    ASSERT_EQ(2, spyId);

    ASSERT_EQ(0, decoder_codec_set_module(dec, MPEG_ID));
    Opened o = OpenAndDecode(dec, mp3AsWav);
    ASSERT_EQ(0, o.open);
    EXPECT_EQ(kMpeg, o.codec);
    EXPECT_TRUE(test_modules::codec_probes().empty());

    ASSERT_EQ(0, decoder_codec_set_module(dec, -1));
    o = OpenAndDecode(dec, mp3AsWav);
    ASSERT_EQ(0, o.open);
    EXPECT_NE(kMpeg, o.codec);
    EXPECT_NE(kWave, o.codec);
    ASSERT_EQ(1u, test_modules::codec_probes().size());
    EXPECT_EQ(mp3AsWav, test_modules::codec_probes()[0]);
    decoder_delete(dec);
}

TEST_F(CodecChoice, BadIdsAreRefusedAndTheEarlierChoiceStays)
{
    decoder* dec = NewDecoder();
    ASSERT_NE(nullptr, dec);
    ASSERT_EQ(0, decoder_codec_set_module(dec, MPEG_ID));
    struct Case
    {
        decoder* dec;
        int id;
        int result;
    };
    const Case cases[] = {
        {dec, 2, DK_ERR_MODULE_NOT_FOUND},
        {dec, 1000, DK_ERR_MODULE_NOT_FOUND},
        {dec, -2, DK_ERR_INVALID_PARAMETERS},
        {nullptr, 0, DK_ERR_INVALID_PARAMETERS},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, decoder_codec_set_module(c.dec, c.id)) << c.id;
    const Opened o = OpenAndDecode(dec, mp3AsWav);
    ASSERT_EQ(0, o.open);
    EXPECT_EQ(kMpeg, o.codec);
    decoder_delete(dec);
}

TEST_F(CodecChoice, DecodersOnTwoThreadsKeepTheirOwnChoice)
{
    // Each round both threads start together: one decoder has a codec
    // chosen for streams that probing would give the other codec, the
    // other probes the same kinds of streams under their right names.
    const int rounds = 12;
    struct Job
    {
        int id;
        std::vector<std::pair<std::string, std::string>> work; // path, codec
        std::vector<Opened> results;
    };
    Job chosen{MPEG_ID, {{mp3AsWav, kMpeg}}, {}};
    Job probing{-1, {{wav, kWave}, {mp3, kMpeg}}, {}};
    Job chosenWave{WAVE_ID, {{wavAsMp3, kWave}}, {}};

    std::mutex lock;
    std::condition_variable wake;
    int round = 0;
    int ready = 0;
    auto run = [&](Job* job) {
        decoder* dec = NewDecoder();
        if (dec && decoder_codec_set_module(dec, job->id) < 0) {
            decoder_delete(dec);
            dec = nullptr;
        }
        for (int r = 0; r < rounds; ++r) {
            {
                std::unique_lock<std::mutex> hold(lock);
                ++ready;
                wake.notify_all();
                wake.wait_for(hold, std::chrono::seconds(30), [&] { return round > r; });
            }
            for (const auto& w : job->work)
                if (dec)
                    job->results.push_back(OpenAndDecode(dec, w.first));
        }
        if (dec)
            decoder_delete(dec);
    };

    std::vector<std::thread> threads;
    threads.emplace_back(run, &chosen);
    threads.emplace_back(run, &probing);
    threads.emplace_back(run, &chosenWave);
    for (int r = 0; r < rounds; ++r) {
        std::unique_lock<std::mutex> hold(lock);
        // every thread waits at the start line of round r
        wake.wait_for(hold, std::chrono::seconds(30),
                      [&] { return ready >= static_cast<int>(threads.size()) * (r + 1); });
        round = r + 1;
        wake.notify_all();
    }
    for (std::thread& t : threads)
        t.join();

    for (const Job* job : {&chosen, &probing, &chosenWave}) {
        ASSERT_EQ(job->work.size() * rounds, job->results.size()) << "codec id " << job->id;
        for (size_t i = 0; i < job->results.size(); ++i) {
            const Opened& o = job->results[i];
            const auto& w = job->work[i % job->work.size()];
            EXPECT_EQ(0, o.open) << w.first;
            EXPECT_EQ(w.second, o.codec) << w.first << " with codec id " << job->id;
            EXPECT_EQ(4, o.blocks) << w.first;
            EXPECT_EQ(44100, o.rate) << w.first;
        }
    }
}
