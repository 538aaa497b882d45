// Whole AutoMix sessions in fake time: twenty tracks of different lengths
// through timer mode, level mode and AutoMix random. Every track plays to
// its end, in order, and the music never stops for longer than the
// crossfader glide.
#include "FakeMix.h"

#include <gtest/gtest.h>

using namespace mixtest;
using namespace mixer;

namespace
{

struct SessionCase
{
    const char* name;
    bool useTimer;
    bool random;
    int mainTimer;
    long playDelayMs;   // how late the decks report that they play
    int lostPlays;      // play commands each deck loses at first
};

class AutoMixSession : public ::testing::TestWithParam<SessionCase>
{
};

std::string TrackName(int n)
{
    return "track" + std::to_string(n) + ".mp3";
}

TEST_P(AutoMixSession, TwentyTracksWithoutGapsOrCuts)
{
    const SessionCase& c = GetParam();
    MixRig rig;
    AutoMixSettings& s = rig.settings.autoMix;
    s.useTimer = c.useTimer;
    s.mixDelay = 8;
    s.inputLevel = 20;
    s.checkFrom = 12;
    s.conseqHits = 2;
    s.mainTimer = c.mainTimer;
    s.loadTime = 20;
    s.useFade = true;
    rig.settings.glideStep = 4;
    rig.settings.glidePeriod = 50;
    const long glideMs = (200 / 4 + 1) * 50;   // one end to the other

    std::vector<std::string> tracks;
    for (int n = 0; n < 20; ++n) {
        std::string name = TrackName(n);
        tracks.push_back(name);
        int length = 35 + (n * 17) % 56;   // 35 to 90 s
        for (FakeDeck& deck : rig.decks) {
            deck.lengths[name] = length;
            // Loud, with a quiet last 5 seconds (level mode mixes there).
            deck.level = [](int remaining) { return remaining <= 5 ? 4 : 70; };
        }
    }
    for (int deck = DeckA; deck <= DeckB; ++deck) {
        rig.decks[deck].playDelayMs = c.playDelayMs;
        rig.decks[deck].lostPlays = c.lostPlays;
    }
    if (c.random) {
        // Every fourth pick is a file that no longer loads.
        for (size_t n = 0; n < tracks.size(); ++n) {
            if (n % 4 == 1) {
                std::string broken = "broken" + std::to_string(n) + ".mp3";
                rig.random.picks.push_back(broken);
                for (FakeDeck& deck : rig.decks)
                    deck.failing.insert(broken);
            }
            rig.random.picks.push_back(tracks[n]);
        }
        rig.autoMix.OnAutoMixRandom();
        ASSERT_TRUE(rig.autoMix.IsAutoMixRandomRunning());
    } else {
        rig.queue.paths = tracks;
        rig.autoMix.ToggleAutoMix();
        ASSERT_TRUE(rig.autoMix.IsAutoMixRunning());
    }

    auto finishedCount = [&] {
        return rig.decks[DeckA].finished.size() + rig.decks[DeckB].finished.size();
    };
    ASSERT_TRUE(rig.RunUntil([&] { return finishedCount() == tracks.size(); }, 40L * 60 * 1000))
        << c.name << ": " << finishedCount() << " tracks finished";

    // Alternating decks, in order, each played once and to its end.
    std::vector<std::string> onA, onB;
    for (size_t n = 0; n < tracks.size(); ++n)
        (n % 2 == 0 ? onA : onB).push_back(tracks[n]);
    EXPECT_EQ(onA, rig.decks[DeckA].finished) << c.name;
    EXPECT_EQ(onB, rig.decks[DeckB].finished) << c.name;
    EXPECT_EQ(onA, rig.decks[DeckA].started) << c.name;
    EXPECT_EQ(onB, rig.decks[DeckB].started) << c.name;
    for (int deck = DeckA; deck <= DeckB; ++deck) {
        EXPECT_TRUE(rig.decks[deck].cut.empty()) << c.name << " deck " << deck;
        EXPECT_EQ(0, rig.decks[deck].loadsWhilePlaying) << c.name << " deck " << deck;
    }
    EXPECT_LE(rig.longestGap, glideMs) << c.name;
    // The mode has ended by itself, with nothing left over.
    rig.Run(2000);
    EXPECT_FALSE(rig.autoMix.IsAutoMixRunning()) << c.name;
    EXPECT_FALSE(rig.autoMix.IsAutoMixRandomRunning()) << c.name;
    EXPECT_FALSE(rig.clock.Running(TimerAutoMix)) << c.name;
    EXPECT_FALSE(rig.clock.Running(TimerAutoMixRandom)) << c.name;
    EXPECT_TRUE(rig.queue.paths.empty()) << c.name;
}

const SessionCase kSessions[] = {
    {"timer", true, false, 250, 0, 0},
    {"timer_slow_ticks", true, false, 1000, 0, 0},
    {"level", false, false, 500, 0, 0},
    {"random_timer", true, true, 250, 0, 0},
    {"random_level", false, true, 500, 0, 0},
    // Decks that report playing only 0.7 s after the play command (more
    // than two AutoMix ticks), and decks that lose their first play.
    {"timer_late_decks", true, false, 250, 700, 0},
    {"timer_late_decks_slow_ticks", true, false, 1000, 1700, 0},
    {"level_late_decks", false, false, 500, 1200, 0},
    {"random_late_decks", true, true, 250, 700, 0},
    {"timer_lost_plays", true, false, 250, 0, 2},
    {"level_lost_plays", false, false, 500, 300, 2},
};

INSTANTIATE_TEST_SUITE_P(Modes, AutoMixSession, ::testing::ValuesIn(kSessions),
                         [](const ::testing::TestParamInfo<SessionCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
