// TavrixVJ.exe itself under Wine with the Default skin: two generated MP3s
// loaded into decks A and B by their preset buttons' commands and played by
// the play commands, as the skin's buttons send them, into the sound
// server's null sink; the recording holds both tones at the decks' gains.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../../decoder/dkplayer/DsoundTestSupport.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestSupport.h"

using namespace tavrix_test;

namespace
{

size_t CountLines(const std::vector<std::string>& lines, const std::string& start)
{
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.compare(0, start.size(), start) == 0;
    }));
}

} // namespace

TEST(DeckProgram, TwoTracksLoadedByPresetsPlayOnDecksAAndBAtTheirGains)
{
    if (!HasDirectSound())
        GTEST_SKIP() << "no DirectSound device (no sound server)";
    ProgramRun run;
    ASSERT_TRUE(run.Ready()) << "cannot copy " << ImageDir();
    const std::string decks = "[DECKA]\r\nPreset1=" + MediaPath("decks_a330.mp3") +
                              "\r\nGain=0\r\nEQOn=0\r\nMonGain=100\r\n"
                              "[DECKB]\r\nPreset1=" + MediaPath("decks_b880.mp3") +
                              "\r\nGain=50\r\nEQOn=0\r\nMonGain=100\r\n";
    ASSERT_TRUE(run.WriteSettings(TestSettings("TimeGran=10\r\nFeedbackRate=20\r\n", decks)));
    ASSERT_TRUE(run.Start());
    HWND hWnd = run.WaitForMainWindow();
    ASSERT_NE(nullptr, hWnd) << "no main window appeared";

    // "a-preset1" and "b-preset1": each deck loads its preset.
    ASSERT_TRUE(::PostMessageA(hWnd, WM_COMMAND, 27110, 0));
    ASSERT_TRUE(::PostMessageA(hWnd, WM_COMMAND, 27210, 0));
    ASSERT_TRUE(PumpUntil([&] { return CountLines(run.LogLines(), "Input opened") >= 2; }, 30000))
        << "the decks did not load their presets";
    const std::vector<std::string> loaded = run.LogLines();
    EXPECT_EQ(1u, CountLines(loaded, "Deck 0 loading track: "));
    EXPECT_EQ(1u, CountLines(loaded, "Deck 1 loading track: "));

    SinkRecorder recorder;
    if (!recorder.Problem().empty())
        GTEST_SKIP() << recorder.Problem();
    // "a-play" and "b-play"; the tracks last five seconds.
    ASSERT_TRUE(::PostMessageA(hWnd, WM_COMMAND, 27101, 0));
    ASSERT_TRUE(::PostMessageA(hWnd, WM_COMMAND, 27201, 0));
    PumpUntil([] { return false; }, 4500);
    const std::vector<int16_t> heard = recorder.Stop();

    ASSERT_TRUE(::PostMessageA(hWnd, WM_COMMAND, 27005, 0));   // close
    EXPECT_EQ(0, run.WaitForExit());

    const ToneMeasure span = MeasureTone(heard, 2000);
    ASSERT_LT(span.first + 44100, span.last) << "nothing was heard";
    const size_t from = span.first + 11025, to = span.last - 11025;
    const double a = MedianToneAmplitude(heard, from, to, 330);
    const double b = MedianToneAmplitude(heard, from, to, 880);
    printf("heard %.2f s: deck A 330 Hz %.0f, deck B 880 Hz %.0f (ratio %.3f)\n", span.seconds, a, b, b / a);
    // Both tones are -6 dB (16384) in their files; deck A plays at volume
    // 100, deck B at 50 (gain position 50).
    EXPECT_NEAR(16384, a, 16384 * 0.15);
    EXPECT_NEAR(0.5, b / a, 0.06);
    // The exit wrote the decks' gains back.
    EXPECT_EQ("0", run.Setting("DECKA", "Gain"));
    EXPECT_EQ("50", run.Setting("DECKB", "Gain"));
}
