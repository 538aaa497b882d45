// A deck plays generated MP3 files through its player, the DirectSound
// output module and the sound server's null sink, whose monitor is
// recorded and measured: the level, the pitch, an equalizer kill of a
// band, the FX filter in the output path. Runs alone (SERIAL): other sound
// on the sink would mix into the recording.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>

#include <algorithm>
#include <memory>

#include "../../decoder/dkplayer/DsoundTestSupport.h"
#include "DeckRecorders.h"
#include "audio/deck/DeckLogic.h"
#include "audio/fx/FxFilter.h"
#include "decoder/player/message_transport.h"
#include "tests/support/ProgramFolder.h"

namespace {

struct DeckSet
{
    std::function<void(Deck&)> before; // after the load, before Play
    bool fxFilter = false;
};

class DeckSound : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        if (!HasDirectSound())
            GTEST_SKIP() << "no DirectSound device (no sound server)";
        FxRestoreDefaults();
        m_host.stopDecks = true;
    }
    void TearDown() override { FxRestoreDefaults(); }

    // A deck of number 0 with a real player, ready, the file opened.
    std::unique_ptr<Deck> LoadDeck(const std::string& file, bool fxFilter)
    {
        m_host.settings.useFxFilter = fxFilter;
        std::unique_ptr<Deck> deck(new Deck(&m_host));
        m_host.decks[0] = deck.get();
        EXPECT_TRUE(deck->Init(m_host.DeckWindow(), 0));
        EXPECT_TRUE(tavrix_test::PumpUntil([&] { return deck->GetPlayer()->IsReady(); }, 10000))
            << "the player never said it was ready";
        deck->GetPlayer()->OpenInput(tavrix_test::MediaPath(file).c_str());
        EXPECT_TRUE(tavrix_test::PumpUntil([&] { return deck->GetTagInfo().Length > 0; }, 10000))
            << "no duration came for " << file;
        return deck;
    }

    // Plays the file on a deck set up by `set`, to its end; what the sink's
    // monitor heard (first channel).
    std::vector<int16_t> Play(const std::string& file, const DeckSet& set)
    {
        std::unique_ptr<Deck> deck = LoadDeck(file, set.fxFilter);
        if (set.before)
            set.before(*deck);
        SinkRecorder recorder;
        if (!recorder.Problem().empty()) {
            m_problem = recorder.Problem();
            return {};
        }
        m_host.Clear();
        deck->Play();
        const bool ended = tavrix_test::PumpUntil(
            [&] {
                for (const std::string& c : m_host.calls)
                    if (c == "RunDeckStopCommand(0)")
                        return true;
                return false;
            },
            20000);
        EXPECT_TRUE(ended) << "the end of the track never came";
        EXPECT_TRUE(tavrix_test::PumpUntil([&] { return deck->GetState() == DECK_STATE_STOPPED; }, 5000));
        tavrix_test::PumpUntil([] { return false; }, 400); // the sound server's own latency
        deck.reset();
        m_host.decks[0] = nullptr;
        return recorder.Stop();
    }

    RecordingHost m_host;
    std::string m_problem;
};

void Report(const char* what, const ToneMeasure& m)
{
    printf("%s: %.3f s heard, %.2f Hz, peak %d\n", what, m.seconds, m.frequency, m.peak);
}

} // namespace

// The player's state and time notifications reach the deck on the thread
// that made it (the window thread), through its hidden window: the deck's
// state, the status, the levels and the stop command are never touched
// from the player's own threads.
TEST_F(DeckSound, ThePlayersReportsReachTheDeckOnTheThreadThatMadeIt)
{
    const DWORD self = ::GetCurrentThreadId();
    Play("tone440.mp3", {});
    if (!m_problem.empty())
        GTEST_SKIP() << m_problem;
    ASSERT_EQ(m_host.calls.size(), m_host.threads.size());
    const std::vector<std::string> seen = m_host.calls;
    for (const char* expected : {"ShowDeckStatus(0)", "SetDeckVuLevels(0,0,0)", "RunDeckStopCommand(0)"})
        EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), std::string(expected))) << expected;
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(self, m_host.threads[i]) << seen[i] << " came on another thread";
}

TEST_F(DeckSound, TheDeckPlaysItsTrackAtItsLevelAndThroughItsFxFilter)
{
    const std::vector<int16_t> full = Play("tone440.mp3", {});
    if (!m_problem.empty())
        GTEST_SKIP() << m_problem;
    const std::vector<int16_t> half = Play("tone440.mp3", {[](Deck& d) { d.SetMainsVolume(50); }});
    // Rotate standing still at its start angle: both channels at sin(pi/4).
    const std::vector<int16_t> rotated = Play("tone440.mp3", {[](Deck&) {
                                                                 FxSetRotateSpeed(0.0f);
                                                                 FxSetMode(0, FX_ROTATE);
                                                             },
                                                             true});
    const ToneMeasure f = MeasureTone(full, 3000, 0.1, 0.9);
    const ToneMeasure h = MeasureTone(half, 1500, 0.1, 0.9);
    const ToneMeasure r = MeasureTone(rotated, 2000, 0.1, 0.9);
    Report("level 100", f);
    Report("level 50", h);
    Report("rotate at pi/4", r);
    ASSERT_LT(f.first, f.last) << "nothing was heard";
    EXPECT_GE(f.seconds, 2.7);
    EXPECT_LE(f.seconds, 3.4);
    EXPECT_NEAR(440.0, f.frequency, 3.0);
    EXPECT_NEAR(0.5, static_cast<double>(h.peak) / f.peak, 0.06);
    EXPECT_NEAR(440.0, h.frequency, 3.0);
    EXPECT_NEAR(0.7071, static_cast<double>(r.peak) / f.peak, 0.06);
    EXPECT_NEAR(440.0, r.frequency, 3.0);
}

TEST_F(DeckSound, PitchPlaysTheTrackFaster)
{
    const std::vector<int16_t> heard = Play("tone440.mp3", {[](Deck& d) { d.SetPitch(1100); }});
    if (!m_problem.empty())
        GTEST_SKIP() << m_problem;
    const ToneMeasure m = MeasureTone(heard, 3000, 0.1, 0.9);
    Report("pitch 1100", m);
    ASSERT_LT(m.first, m.last) << "nothing was heard";
    EXPECT_NEAR(484.0, m.frequency, 3.0);
    EXPECT_NEAR(3.0 / 1.1, m.seconds, 0.3);
}

TEST_F(DeckSound, AnEqualizerKillTakesItsBandOutAndLeavesTheOthers)
{
    const std::vector<int16_t> flat = Play("deck_low_high.mp3", {});
    if (!m_problem.empty())
        GTEST_SKIP() << m_problem;
    const std::vector<int16_t> killed = Play("deck_low_high.mp3", {[](Deck& d) { d.SetEqualizer(0, 0, -128); }});
    const ToneMeasure fm = MeasureTone(flat, 1500);
    const ToneMeasure km = MeasureTone(killed, 1500);
    ASSERT_LT(fm.first + 44100, fm.last) << "nothing was heard";
    ASSERT_LT(km.first + 44100, km.last) << "nothing was heard";
    // The heard span without its first and last half second.
    const double flatLow = MedianToneAmplitude(flat, fm.first + 22050, fm.last - 22050, 150);
    const double flatHigh = MedianToneAmplitude(flat, fm.first + 22050, fm.last - 22050, 5000);
    const double killLow = MedianToneAmplitude(killed, km.first + 22050, km.last - 22050, 150);
    const double killHigh = MedianToneAmplitude(killed, km.first + 22050, km.last - 22050, 5000);
    printf("flat: 150 Hz %.0f, 5000 Hz %.0f; high killed: 150 Hz %.0f, 5000 Hz %.0f\n", flatLow, flatHigh,
           killLow, killHigh);
    EXPECT_GT(flatHigh, 2500);
    EXPECT_NEAR(1.0, flatHigh / flatLow, 0.15);
    EXPECT_NEAR(1.0, killLow / flatLow, 0.1) << "the low band is untouched";
    EXPECT_LT(20 * log10(killHigh / flatHigh), -12.0) << "the high bands are killed";
}

TEST_F(DeckSound, DeletingAPlayingDeckEndsItsThreadsFirst)
{
    std::unique_ptr<Deck> deck = LoadDeck("tone440.mp3", true);
    FxSetMode(0, FX_ECHO);
    deck->Play();
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return deck->GetPosition() >= 1; }, 10000)) << "it never played";
    HANDLE server = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), deck->GetPlayer()->Player()->join_thread,
                                GetCurrentProcess(), &server, SYNCHRONIZE, FALSE, 0));
    deck.reset();
    m_host.decks[0] = nullptr;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(server, 0)) << "the player's thread still runs";
    CloseHandle(server);
    // What was posted before the end carries whole seconds only, for the
    // main window; nothing reaches the deleted deck.
    tavrix_test::PumpUntil([] { return false; }, 300);
    for (const auto& t : m_host.TakeTimes()) {
        EXPECT_EQ(0, t.first);
        EXPECT_LE(t.second, 3);
    }
}
