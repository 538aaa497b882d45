// Tempo of real MP3 files through the decoder engine: click tracks and drum
// loops with a bass line, swing or noise, encoded at test time; silence,
// files that are no MP3 and a missing file; the limit on a real file.
#include "decoder/mpeg/mp3_scanner.h"
#include "library/tempo/DecoderBlocks.h"
#include "tests/library/tempo/TempoSignals.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace tempo;

namespace {

// The stream facts from the MP3 scanner (the library reads them the same
// way for its records); only ".mp3" names pass.
bool ScannerFacts(const char* path, int* channels, int* rate)
{
    const std::string name(path);
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".mp3") != 0)
        return false;
    mp3_scanner* scanner = nullptr;
    if (mp3_scanner_new(&scanner) != 0)
        return false;
    mp3_stream_info info = {};
    const bool ok = mp3_scanner_scan(scanner, path, nullptr, nullptr, &info, 0, 0, 5) == MP3_SCAN_OK;
    mp3_scanner_delete(scanner);
    *channels = info.channels;
    *rate = info.sample_rate;
    return ok;
}

// Counts what the decoder hands out.
class CountingSource : public BlockSource
{
public:
    explicit CountingSource(BlockSource& inner) : m_inner(inner) {}
    bool Open(const char* path, int* channels, int* rate) override
    {
        return m_inner.Open(path, channels, rate);
    }
    int Next(TempoBlock* block) override
    {
        const int result = m_inner.Next(block);
        if (result == 0) {
            frames += block->frames;
            ++blocks;
            lastFrames = block->frames;
        }
        return result;
    }
    long long frames = 0;
    int blocks = 0;
    int lastFrames = 0;

private:
    BlockSource& m_inner;
};

float FileTempo(const std::string& name, int limit = kWholeFile)
{
    DecoderBlocks source(ScannerFacts);
    TempoHooks hooks;
    return MeasureTempo(source, hooks, tavrix_test::MediaPath(name).c_str(), false, limit);
}

struct FileCase
{
    const char* name;
    double bpm;
    bool exact; // the detector finds the tempo itself, not a multiple
};

class TempoFiles : public ::testing::TestWithParam<FileCase>
{
};

} // namespace

TEST_P(TempoFiles, AreMeasuredWithinFourPercent)
{
    const FileCase c = GetParam();
    const float bpm = FileTempo(c.name);
    EXPECT_TEMPO(bpm, c.bpm, c.exact) << " in " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    ClicksAndLoops, TempoFiles,
    ::testing::Values(FileCase{"tempo_click_90.mp3", 90, true},
                      FileCase{"tempo_click_120.mp3", 120, true},
                      FileCase{"tempo_click_128.mp3", 128, true},
                      FileCase{"tempo_click_174.mp3", 174, false},
                      FileCase{"tempo_loop_90.mp3", 90, true},
                      FileCase{"tempo_loop_120.mp3", 120, true},
                      FileCase{"tempo_loop_128.mp3", 128, true},
                      FileCase{"tempo_loop_174.mp3", 174, false}));

TEST(TempoFile, SilenceOtherFilesAndMissingFilesHaveNoTempo)
{
    for (const char* name : {"tempo_silence.mp3", "tone440.wav", "mp2_stereo48.wav"})
        EXPECT_EQ(0.0f, FileTempo(name)) << name;
    tavrix_test::TempDir dir;
    DecoderBlocks source(ScannerFacts);
    TempoHooks hooks;
    EXPECT_EQ(0.0f, MeasureTempo(source, hooks, dir.File("missing.mp3").c_str(), false, kWholeFile));
    // Bytes that are no MPEG audio, under an MP3 name.
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File("text.mp3"), std::string(5000, 'x')));
    EXPECT_EQ(0.0f, MeasureTempo(source, hooks, dir.File("text.mp3").c_str(), false, kWholeFile));
}

TEST(TempoFile, TheLimitEndsDecodingAtTheBlockThatReachesIt)
{
    for (int limit : {661500 / 3, 441000}) {
        DecoderBlocks decoder(ScannerFacts);
        CountingSource source(decoder);
        TempoHooks hooks;
        const float bpm = MeasureTempo(source, hooks,
                                       tavrix_test::MediaPath("tempo_click_120.mp3").c_str(),
                                       false, limit);
        EXPECT_GE(source.frames, limit);
        EXPECT_LT(source.frames - source.lastFrames, limit);
        EXPECT_TRUE(Within4Percent(bpm, 120)) << limit << ": " << bpm;
    }
    // The whole file: 15 s and the encoder's padding.
    DecoderBlocks decoder(ScannerFacts);
    CountingSource source(decoder);
    TempoHooks hooks;
    MeasureTempo(source, hooks, tavrix_test::MediaPath("tempo_click_120.mp3").c_str(), false,
                 kWholeFile);
    EXPECT_GE(source.frames, 15 * 44100);
    EXPECT_LT(source.frames, 15 * 44100 + 4 * 1152);
}
