// What the DirectSound output module plays is recorded from the null
// sink's monitor and measured. Runs alone: any other sound on the sink
// would mix into the recording.
#include <gtest/gtest.h>

#include <stdio.h>

#include <windows.h>

#include "DsoundTestSupport.h"

namespace {

struct Played
{
    std::vector<int16_t> mono;
    std::string problem;
};

// Plays a 1000 Hz tone at that level through the module; pitch_after, when
// not 0, is set once the first half has been handed over.
Played PlayTone(double seconds, int pcm_level, int32_t pitch_after)
{
    Played result;
    SinkRecorder recorder;
    if (!recorder.Problem().empty()) {
        result.problem = recorder.Problem();
        return result;
    }
    DsoundDecoder d;
    EXPECT_EQ(0, d.LoadResult());
    EXPECT_EQ(0, d.New("/dev/dsound/0"));
    EXPECT_EQ(0, d.Open());
    output_control control = {};
    control.pcm_level = pcm_level;
    EXPECT_EQ(0, d.Control(OUTPUT_CONTROL_PCM_LEVEL, control));
    const std::vector<int16_t> tone = Tone(1000, seconds, 16384, 44100, 2);
    const size_t half = tone.size() / 4 * 2;
    EXPECT_EQ(0, d.Write(std::vector<int16_t>(tone.begin(), tone.begin() + half), 2, 44100));
    if (pitch_after) {
        EXPECT_EQ(0, d.SetEnvironment("OUTPUT.DIRECTSOUND.PITCH", pitch_after));
    }
    EXPECT_EQ(0, d.Write(std::vector<int16_t>(tone.begin() + half, tone.end()), 2, 44100));
    EXPECT_TRUE(d.WaitEmpty(5000));
    Sleep(400); // the sound server's own latency; bounded
    EXPECT_EQ(0, d.Close());
    result.mono = recorder.Stop();
    return result;
}

bool NoSound() { return !HasDirectSound(); }

void Report(const char* what, const ToneMeasure& m)
{
    printf("%s: %.3f s heard, %.2f Hz, peak %d\n", what, m.seconds, m.frequency, m.peak);
}

} // namespace

TEST(DsoundSink, TheToneIsHeardAtItsFrequencyAndLevel)
{
    if (NoSound())
        GTEST_SKIP() << "no DirectSound device (no sound server)";
    const Played p = PlayTone(1.5, 100, 0);
    if (!p.problem.empty())
        GTEST_SKIP() << p.problem;
    const ToneMeasure m = MeasureTone(p.mono, 4000);
    Report("level 100", m);
    ASSERT_LT(m.first, m.last) << "nothing was heard; " << p.mono.size() << " frames recorded";
    // Every cycle arrives once; the span may hold short gaps where the
    // sound server was late.
    EXPECT_GE(m.seconds, 1.45);
    EXPECT_LE(m.seconds, 1.75);
    // Once the writes stop the buffer stops: no old sound loops after it.
    const double silence = static_cast<double>(p.mono.size() - m.last) / 44100.0;
    printf("silence after the tone: %.3f s\n", silence);
    EXPECT_GE(silence, 0.15);
    EXPECT_NEAR(1000.0, m.frequency, 3.0);
    EXPECT_NEAR(16384, m.peak, 1600);
}

TEST(DsoundSink, ThePcmLevelScalesTheTone)
{
    if (NoSound())
        GTEST_SKIP() << "no DirectSound device (no sound server)";
    const Played p = PlayTone(1.0, 50, 0);
    if (!p.problem.empty())
        GTEST_SKIP() << p.problem;
    const ToneMeasure m = MeasureTone(p.mono, 2000);
    Report("level 50", m);
    ASSERT_LT(m.first, m.last) << "nothing was heard";
    EXPECT_NEAR(8192, m.peak, 800) << "level 50 is half the amplitude";
    EXPECT_NEAR(1000.0, m.frequency, 3.0);
}

TEST(DsoundSink, APitchChangeWhilePlayingSpeedsTheToneUp)
{
    if (NoSound())
        GTEST_SKIP() << "no DirectSound device (no sound server)";
    const Played p = PlayTone(2.4, 100, 1010);
    if (!p.problem.empty())
        GTEST_SKIP() << p.problem;
    const ToneMeasure before = MeasureTone(p.mono, 4000, 0.0, 0.25);
    const ToneMeasure after = MeasureTone(p.mono, 4000, 0.7, 1.0);
    Report("before the pitch change", before);
    Report("after the pitch change", after);
    ASSERT_LT(before.first, before.last) << "nothing was heard";
    EXPECT_NEAR(1000.0, before.frequency, 3.0);
    EXPECT_NEAR(1010.0, after.frequency, 3.0);
    EXPECT_NEAR(1.01, after.frequency / before.frequency, 0.002);
    // Part of it played 1% faster: a little shorter than 2.4 s.
    EXPECT_LT(before.seconds, 2.4 + 0.5);
    EXPECT_GE(before.seconds, 2.3);
}
