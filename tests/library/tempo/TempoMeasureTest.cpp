// The measuring loop against a scripted decoder: the limit, the blocks it
// skips, the end of the input, progress and pumping every 100 blocks, the
// user's abort, and the tempo text.
#include "library/tempo/TempoMeasure.h"
#include "tests/library/tempo/TempoSignals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tempo;

namespace {

constexpr int kFrames = 1152; // one MPEG-1 layer III frame
constexpr int kEnd = -514;    // the decoder's end of input

// Hands out a 120 BPM click track (44.1 kHz stereo) in blocks of kFrames,
// with the codes of the script put in before the given blocks.
class ScriptedSource : public BlockSource
{
public:
    explicit ScriptedSource(int blocks, int channels = 2)
        : m_blocks(blocks), m_channels(channels),
          m_pcm(ClickTrack(120, 44100, channels, blocks * double(kFrames) / 44100 + 1))
    {
    }
    // Before block `before` (0-based) the decoder answers `code` once.
    void Insert(int before, int code) { m_codes.push_back({before, code}); }
    // From block `from` on, blocks come with this channel count.
    void ChangeChannels(int from, int channels) { m_changeAt = from, m_changedTo = channels; }
    void FailOpen() { m_openOk = false; }

    bool Open(const char*, int* channels, int* rate) override
    {
        ++opens;
        *channels = m_channels;
        *rate = 44100;
        return m_openOk;
    }
    int Next(TempoBlock* block) override
    {
        ++calls;
        for (auto& code : m_codes) {
            if (code.first == m_next) {
                const int result = code.second;
                code.first = -1;
                return result;
            }
        }
        if (m_next >= m_blocks)
            return kEnd;
        const int channels = m_next >= m_changeAt ? m_changedTo : m_channels;
        if (channels != m_channels) {
            // A block as long as its own layout says, and no longer.
            m_other.assign(static_cast<size_t>(kFrames) * channels, 0);
            block->samples = m_other.data();
        } else {
            block->samples = m_pcm.data() + static_cast<size_t>(m_next) * kFrames * m_channels;
        }
        block->frames = kFrames;
        block->channels = channels;
        ++m_next;
        ++blocks;
        return 0;
    }

    int opens = 0;
    int calls = 0;  // Next calls
    int blocks = 0; // blocks handed out

private:
    int m_blocks;
    int m_channels;
    std::vector<int16_t> m_pcm;
    std::vector<int16_t> m_other;
    std::vector<std::pair<int, int>> m_codes;
    int m_next = 0;
    int m_changeAt = 1 << 30;
    int m_changedTo = 0;
    bool m_openOk = true;
};

class RecordingHooks : public TempoHooks
{
public:
    explicit RecordingHooks(ScriptedSource& source, int abortAtCheck = 0)
        : m_source(source), m_abortAtCheck(abortAtCheck)
    {
    }
    bool AbortRequested() override
    {
        checkedAtBlock.push_back(m_source.blocks);
        return m_abortAtCheck != 0 && static_cast<int>(checkedAtBlock.size()) == m_abortAtCheck;
    }
    void Pump() override { ++pumps; }
    void Progress(int64_t frames) override
    {
        progress.push_back(frames);
        progressAtBlock.push_back(m_source.blocks);
    }

    std::vector<int> checkedAtBlock;
    int pumps = 0;
    std::vector<int64_t> progress;
    std::vector<int> progressAtBlock;

private:
    ScriptedSource& m_source;
    int m_abortAtCheck;
};

} // namespace

struct LimitCase
{
    int limit;
    int blocksInFile;
    int expectedBlocks;
};

class MeasureLimit : public ::testing::TestWithParam<LimitCase>
{
};

TEST_P(MeasureLimit, StopsAtTheFirstBlockThatReachesIt)
{
    const LimitCase c = GetParam();
    ScriptedSource source(c.blocksInFile);
    RecordingHooks hooks(source);
    MeasureTempo(source, hooks, "a.mp3", false, c.limit);
    EXPECT_EQ(c.expectedBlocks, source.blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, MeasureLimit,
    ::testing::Values(
        // 661500 frames (15 s at 44.1 kHz) is 574.2 blocks: the 575th reaches it.
        LimitCase{661500, 2000, 575},
        // exactly on a block boundary
        LimitCase{100 * kFrames, 2000, 100},
        // the whole file, and a limit longer than the file
        LimitCase{kWholeFile, 700, 700}, LimitCase{1323000, 700, 700},
        // a limit of nothing still takes the first block
        LimitCase{0, 50, 1}));

TEST(MeasureTempo, SkippedBlocksCountNeitherTowardsTheLimitNorThePump)
{
    ScriptedSource source(400);
    for (int before : {0, 5, 99, 100, 150, 199})
        source.Insert(before, before % 2 ? kSkipNoData : kSkipBadFrame);
    RecordingHooks hooks(source);
    MeasureTempo(source, hooks, "a.mp3", true, 250 * kFrames);
    EXPECT_EQ(250, source.blocks);
    EXPECT_EQ(256, source.calls);
    EXPECT_EQ((std::vector<int>{101, 201}), hooks.checkedAtBlock);
}

TEST(MeasureTempo, AnyOtherCodeEndsTheInputAndTheTempoIsJudgedOnWhatCame)
{
    for (int code : {kEnd, -513, -102, -100, -103, 1}) {
        ScriptedSource source(2000);
        source.Insert(900, code);
        RecordingHooks hooks(source);
        const float bpm = MeasureTempo(source, hooks, "a.mp3", false, kWholeFile);
        EXPECT_EQ(900, source.blocks) << code;
        EXPECT_EQ(901, source.calls) << code;
        EXPECT_TRUE(Within4Percent(bpm, 120)) << code << ": " << bpm;
    }
}

TEST(MeasureTempo, ProgressPumpAndEscapeComeEveryHundredBlocksFromThe101st)
{
    for (bool progress : {true, false}) {
        ScriptedSource source(350);
        RecordingHooks hooks(source);
        MeasureTempo(source, hooks, "a.mp3", progress, kWholeFile);
        EXPECT_EQ((std::vector<int>{101, 201, 301}), hooks.checkedAtBlock);
        EXPECT_EQ(3, hooks.pumps);
        if (progress) {
            EXPECT_EQ((std::vector<int64_t>{101 * kFrames, 201 * kFrames, 301 * kFrames}),
                      hooks.progress);
        } else {
            EXPECT_TRUE(hooks.progress.empty());
        }
    }
    EXPECT_EQ(" 116 k", ProgressText(101 * kFrames).str());
    EXPECT_EQ(" 0 k", ProgressText(999).str());
}

TEST(MeasureTempo, AConfirmedAbortAnswersMinusOneAtOnce)
{
    for (int check : {1, 3}) {
        ScriptedSource source(2000);
        RecordingHooks hooks(source, check);
        EXPECT_EQ(-1.0f, MeasureTempo(source, hooks, "a.mp3", true, kWholeFile));
        EXPECT_EQ(1 + 100 * check, source.blocks);
        EXPECT_EQ(check - 1, hooks.pumps);
        EXPECT_EQ(static_cast<size_t>(check - 1), hooks.progress.size());
    }
}

TEST(MeasureTempo, AFileThatDoesNotOpenHasNoTempoAndIsNotDecoded)
{
    ScriptedSource source(100);
    source.FailOpen();
    RecordingHooks hooks(source);
    EXPECT_EQ(0.0f, MeasureTempo(source, hooks, "a.mp3", true, kWholeFile));
    EXPECT_EQ(1, source.opens);
    EXPECT_EQ(0, source.calls);
    EXPECT_EQ(0.0f, MeasureTempo(source, hooks, nullptr, true, kWholeFile));
}

TEST(MeasureTempo, BlocksOfAnotherChannelCountAreNotFedButStillPaceThePump)
{
    // Stereo at first, then mono blocks of half the samples: fed as stereo
    // they would be read past their end.
    ScriptedSource source(900);
    source.ChangeChannels(400, 1);
    RecordingHooks hooks(source);
    const float bpm = MeasureTempo(source, hooks, "a.mp3", true, kWholeFile);
    EXPECT_TRUE(Within4Percent(bpm, 120)) << bpm;
    EXPECT_EQ(8u, hooks.checkedAtBlock.size());
    EXPECT_EQ(400 * kFrames, hooks.progress.back()); // frames fed
}

TEST(MeasureTempo, TheTempoOfTheWholeInput)
{
    ScriptedSource source(20 * 44100 / kFrames);
    RecordingHooks hooks(source);
    const float bpm = MeasureTempo(source, hooks, "a.mp3", false, kWholeFile);
    EXPECT_TRUE(Within4Percent(bpm, 120)) << bpm;
}

TEST(TempoText, TwoDecimalsAndAWholePartOfAtLeastThreeDigits)
{
    const struct
    {
        float bpm;
        const char* text;
    } cases[] = {
        {98.5f, "098.50"},  {128.456f, "128.46"}, {174.0f, "174.00"}, {5.0f, "005.00"},
        {70.004f, "070.00"}, {99.999f, "100.00"}, {0.5f, "000.50"},  {1234.5f, "1234.50"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, FormatTempoText(c.bpm).str()) << c.bpm;
}
