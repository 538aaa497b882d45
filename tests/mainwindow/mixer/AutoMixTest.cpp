// AutoMix, AutoMix random and random play driven tick by tick with fake
// decks and a fake clock: starting and stopping, the modes' exclusions, the
// load and mix points, the level rule, and the random picks.
#include "FakeMix.h"

#include <gtest/gtest.h>

using namespace mixtest;
using namespace mixer;

namespace
{

class AutoMixTest : public ::testing::Test
{
protected:
    AutoMixTest()
    {
        AutoMixSettings& s = rig.settings.autoMix;
        s.useTimer = true;
        s.mixDelay = 8;
        s.inputLevel = 20;
        s.checkFrom = 10;
        s.conseqHits = 2;
        s.mainTimer = 250;
        s.loadTime = 20;
        s.useFade = true;
    }
    void Queue(const std::vector<std::string>& paths, int length = 60)
    {
        for (const std::string& path : paths) {
            rig.queue.paths.push_back(path);
            for (FakeDeck& deck : rig.decks)
                deck.lengths[path] = length;
        }
    }
    void SetLengths(const std::string& path, int length)
    {
        for (FakeDeck& deck : rig.decks)
            deck.lengths[path] = length;
    }
    MixRig rig;
};

TEST_F(AutoMixTest, EmptyQueueShowsTheNoticeAndNothingStarts)
{
    rig.autoMix.ToggleAutoMix();
    EXPECT_EQ(std::vector<int>{MSG_AUTOQEMPTY}, rig.view.notices);
    EXPECT_FALSE(rig.autoMix.IsAutoMixRunning());
    EXPECT_TRUE(rig.clock.timers.empty());
}

TEST_F(AutoMixTest, StartsAndStopsWithItsTimerTextsLightAndLog)
{
    Queue({"1.mp3"});
    rig.autoMix.ToggleAutoMix();
    ASSERT_TRUE(rig.autoMix.IsAutoMixRunning());
    EXPECT_TRUE(rig.clock.Running(TimerAutoMix));
    EXPECT_EQ(250, rig.clock.timers[TimerAutoMix].period);
    EXPECT_EQ("TIMER AUTOMIX RUNNING", rig.view.texts["s-automix"]);
    EXPECT_TRUE(rig.view.lights["lt-mx-auto"]);
    EXPECT_EQ(1, rig.settings.autoMixReads);
    rig.autoMix.ToggleAutoMix();
    EXPECT_FALSE(rig.autoMix.IsAutoMixRunning());
    EXPECT_FALSE(rig.clock.Running(TimerAutoMix));
    EXPECT_EQ("<default>", rig.view.texts["s-automix"]);
    EXPECT_FALSE(rig.view.lights["lt-mx-auto"]);
    EXPECT_EQ((std::vector<std::string>{"AutoMix started", "AutoMix stopped"}), rig.view.log);

    rig.settings.autoMix.useTimer = false;
    rig.autoMix.ToggleAutoMix();
    EXPECT_EQ("LEVEL AUTOMIX RUNNING ", rig.view.texts["s-automix"]);
}

TEST_F(AutoMixTest, ModesExcludeEachOther)
{
    Queue({"1.mp3"});
    rig.autoMix.OnRandomPlay(DeckA);
    ASSERT_TRUE(rig.autoMix.IsRandomPlayOn(DeckA));
    rig.autoMix.ToggleAutoMix();
    EXPECT_FALSE(rig.autoMix.IsAutoMixRunning());
    rig.autoMix.OnAutoMixRandom();
    EXPECT_FALSE(rig.autoMix.IsAutoMixRandomRunning());
    ASSERT_EQ(2u, rig.view.messages.size());
    EXPECT_EQ("One or both decks are running in random play mode, or AutoMix Random is on -- turn "
              "off to use AutoMix", rig.view.messages[0]);
    EXPECT_EQ("One or both decks are running in random play mode, or standard AutoMix is running -- "
              "turn off to use AutoMix Random", rig.view.messages[1]);
    rig.autoMix.OnRandomPlay(DeckB);   // A and B may run together
    EXPECT_TRUE(rig.autoMix.IsRandomPlayOn(DeckB));
    rig.autoMix.OnRandomPlay(DeckA);
    rig.autoMix.OnRandomPlay(DeckB);
    rig.autoMix.ToggleAutoMix();
    ASSERT_TRUE(rig.autoMix.IsAutoMixRunning());
    rig.autoMix.OnRandomPlay(DeckA);
    EXPECT_FALSE(rig.autoMix.IsRandomPlayOn(DeckA));
    EXPECT_EQ("AutoMix is running, cannot Random play a single deck when AutoMix is on",
              rig.view.messages.back());
}

TEST_F(AutoMixTest, TimerModeLoadsAndMixesAtTheirTimes)
{
    Queue({"1.mp3", "2.mp3", "3.mp3"}, 60);
    rig.autoMix.ToggleAutoMix();
    rig.Run(250);   // first tick: neither plays, load A and start it
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_EQ("1.mp3", rig.decks[DeckA].path);
    EXPECT_TRUE(rig.clock.Running(TimerGlide));   // glide towards A
    EXPECT_EQ("TIMER AUTOMIX RUNNING ", rig.view.texts["s-automix"]);

    // B is loaded once A has 20 s left, not before.
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckB].hasTrack; }, 60000));
    EXPECT_EQ(40, rig.decks[DeckA].GetPosition());
    EXPECT_TRUE(rig.autoMix.IsNextLoaded(DeckB));
    EXPECT_EQ(MixStateStopped, rig.decks[DeckB].state);
    // B starts with 8 s left on A, and the crossfader glides to B.
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckB].state == MixStatePlaying; }, 60000));
    EXPECT_EQ(52, rig.decks[DeckA].GetPosition());
    EXPECT_FALSE(rig.autoMix.IsNextLoaded(DeckB));
    EXPECT_EQ(1, rig.mixer.GetGlideDirection());
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);   // A plays out
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckA].finished.size() == 1; }, 60000));
    EXPECT_TRUE(rig.decks[DeckA].cut.empty());
}

TEST_F(AutoMixTest, BothDecksPlayingMeansNothingThisTick)
{
    Queue({"1.mp3", "2.mp3"}, 60);
    rig.decks[DeckA].lengths["x.mp3"] = 60;
    rig.decks[DeckB].lengths["y.mp3"] = 60;
    rig.decks[DeckA].LoadTrack("x.mp3");
    rig.decks[DeckB].LoadTrack("y.mp3");
    rig.decks[DeckA].SeekTo(55);
    rig.decks[DeckA].Play();
    rig.decks[DeckB].Play();
    rig.autoMix.ToggleAutoMix();
    int loads = rig.decks[DeckA].loads + rig.decks[DeckB].loads;
    rig.Tick(TimerAutoMix);
    EXPECT_EQ(loads, rig.decks[DeckA].loads + rig.decks[DeckB].loads);
    EXPECT_EQ(2u, rig.queue.paths.size());
}

TEST_F(AutoMixTest, WaitsWhileADeckIsPaused)
{
    Queue({"1.mp3"}, 60);
    rig.decks[DeckB].lengths["y.mp3"] = 60;
    rig.decks[DeckB].LoadTrack("y.mp3");
    rig.decks[DeckB].Play();
    rig.decks[DeckB].Pause();
    rig.autoMix.ToggleAutoMix();
    rig.Tick(TimerAutoMix);
    rig.Tick(TimerAutoMix);
    EXPECT_EQ(0, rig.decks[DeckA].loads);
    EXPECT_EQ(1u, rig.queue.paths.size());
    EXPECT_TRUE(rig.autoMix.IsAutoMixRunning());
}

TEST_F(AutoMixTest, AFailedLoadIsDroppedAndTheNextQueuedTried)
{
    Queue({"missing.mp3", "gone.mp3", "good.mp3"}, 60);
    rig.decks[DeckA].failing = {"missing.mp3", "gone.mp3"};
    rig.autoMix.ToggleAutoMix();
    rig.Tick(TimerAutoMix);
    EXPECT_EQ("good.mp3", rig.decks[DeckA].path);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_TRUE(rig.queue.paths.empty());
    EXPECT_TRUE(rig.clock.Running(TimerAutoMix));
}

TEST_F(AutoMixTest, EndsWhenTheQueueIsEmptyAndNothingIsWaiting)
{
    Queue({"only.mp3"}, 30);
    rig.autoMix.ToggleAutoMix();
    rig.Tick(TimerAutoMix);
    ASSERT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    rig.Tick(TimerAutoMix);
    EXPECT_FALSE(rig.autoMix.IsAutoMixRunning());
    EXPECT_FALSE(rig.clock.Running(TimerAutoMix));
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);   // the last track plays out
}

TEST_F(AutoMixTest, ATrackWaitingOnDeckAIsStartedNotReplaced)
{
    Queue({"1.mp3", "2.mp3", "3.mp3"}, 60);
    rig.autoMix.ToggleAutoMix();
    rig.Tick(TimerAutoMix);   // A: 1
    rig.decks[DeckA].Stop();
    rig.decks[DeckB].lengths["b.mp3"] = 60;
    // B played with A's next loaded, then the operator stopped B.
    rig.decks[DeckB].LoadTrack("b.mp3");
    rig.decks[DeckB].Play();
    rig.decks[DeckB].SeekTo(45);
    rig.Tick(TimerAutoMix);   // only B, 15 s left: load 2 into A
    ASSERT_EQ("2.mp3", rig.decks[DeckA].path);
    ASSERT_TRUE(rig.autoMix.IsNextLoaded(DeckA));
    rig.decks[DeckB].Stop();
    rig.Tick(TimerAutoMix);   // neither: start 2, do not load 3 over it
    EXPECT_EQ("2.mp3", rig.decks[DeckA].path);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_EQ(std::vector<std::string>{"3.mp3"}, rig.queue.paths);
}

struct HitCase
{
    int conseqHits;
    std::vector<int> levels;   // the playing deck's level at each tick
    int mixTick;               // the tick (from 0) that mixes, -1 for none
};

TEST_F(AutoMixTest, LevelRuleCountsConsecutiveLowTicks)
{
    const HitCase cases[] = {
        {1, {50, 10}, 1},
        {2, {10, 10}, 1},
        {2, {10, 30, 10, 10}, 3},   // a loud tick restarts the count
        {2, {10, 20, 10, 50}, -1},  // at InputLevel counts as loud
        {3, {10, 10, 10}, 2},
        {3, {10, 10, 40, 10, 10, 10}, 5},
        {4, {0, 0, 0, 0, 0}, -1},   // other values never mix
        {0, {0, 0, 0}, -1},
    };
    for (const HitCase& c : cases) {
        MixRig rig;
        AutoMixSettings& s = rig.settings.autoMix;
        s.useTimer = false;
        s.inputLevel = 20;
        s.checkFrom = 10;
        s.conseqHits = c.conseqHits;
        s.mainTimer = 500;
        s.loadTime = 20;
        rig.queue.paths = {"next.mp3"};
        rig.decks[DeckA].lengths["now.mp3"] = 100;
        rig.decks[DeckA].LoadTrack("now.mp3");
        rig.decks[DeckA].Play();
        rig.decks[DeckA].SeekTo(95);   // 5 s left: inside CheckFrom
        size_t tick = 0;
        rig.decks[DeckA].level = [&](int) { return c.levels[tick]; };
        rig.autoMix.ToggleAutoMix();
        int mixed = -1;
        for (tick = 0; tick < c.levels.size(); ++tick) {
            rig.Tick(TimerAutoMix);
            if (mixed < 0 && rig.decks[DeckB].state == MixStatePlaying)
                mixed = int(tick);
        }
        EXPECT_EQ(c.mixTick, mixed) << "ConseqHits " << c.conseqHits << " case " << &c - cases;
        char expected[16];
        snprintf(expected, sizeof(expected), "LEVEL A: %03d ", c.levels.back());
        if (c.mixTick < 0) {
            EXPECT_EQ(expected, rig.view.texts["s-automix"]);
        }
    }
}

TEST_F(AutoMixTest, LevelModeStartsAWaitingDeckBWhenNothingPlays)
{
    rig.settings.autoMix.useTimer = false;
    Queue({"1.mp3", "2.mp3"}, 60);
    rig.autoMix.ToggleAutoMix();
    rig.Tick(TimerAutoMix);               // A: 1
    rig.decks[DeckA].SeekTo(45);
    rig.Tick(TimerAutoMix);               // 15 s left: B loaded
    ASSERT_TRUE(rig.autoMix.IsNextLoaded(DeckB));
    rig.decks[DeckA].Stop();
    rig.Tick(TimerAutoMix);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckB].state);
    EXPECT_FALSE(rig.autoMix.IsNextLoaded(DeckB));
    EXPECT_EQ(1, rig.mixer.GetGlideDirection());
}

TEST_F(AutoMixTest, AutoMixRandomMarksOnlyATrackThatLoaded)
{
    rig.random.answer.Mode = 41;
    rig.random.picks = {"bad.mp3", "good.mp3"};
    rig.decks[DeckA].failing = {"bad.mp3"};
    SetLengths("good.mp3", 60);
    rig.autoMix.OnAutoMixRandom();
    ASSERT_TRUE(rig.autoMix.IsAutoMixRandomRunning());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{2, -1}}), rig.random.asked);
    EXPECT_TRUE(rig.clock.Running(TimerAutoMixRandom));
    EXPECT_TRUE(rig.view.lights["lt-mx-autornd"]);
    EXPECT_EQ("TIMER AUTOMIX RUNNING ", rig.view.texts["s-automix"]);

    rig.Tick(TimerAutoMixRandom);   // the pick fails to load: nothing marked, nothing played
    EXPECT_FALSE(rig.autoMix.IsNextLoaded(DeckA));
    EXPECT_FALSE(rig.decks[DeckA].hasTrack);
    EXPECT_EQ(MixStateSetUp, rig.decks[DeckA].state);
    EXPECT_TRUE(rig.clock.Running(TimerAutoMixRandom));
    rig.Tick(TimerAutoMixRandom);   // the next pick loads and starts
    EXPECT_EQ("good.mp3", rig.decks[DeckA].path);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_EQ((std::vector<int>{41, 41}), rig.random.criteriaModes);
}

TEST_F(AutoMixTest, AutoMixRandomEndsWhenTheCriterionMatchesNothing)
{
    rig.autoMix.OnAutoMixRandom();
    rig.Tick(TimerAutoMixRandom);
    EXPECT_FALSE(rig.autoMix.IsAutoMixRandomRunning());
    EXPECT_FALSE(rig.clock.Running(TimerAutoMixRandom));
    ASSERT_FALSE(rig.view.messages.empty());
    EXPECT_EQ("No tracks that meet that random criteria. Try again using different criteria...",
              rig.view.messages[0]);
    EXPECT_FALSE(rig.view.lights["lt-mx-autornd"]);
    EXPECT_EQ("AutoMix random stopped", rig.view.log.back());
}

TEST_F(AutoMixTest, AutoMixRandomCancelledInTheDialogStaysOff)
{
    rig.random.answerOk = false;
    rig.autoMix.OnAutoMixRandom();
    EXPECT_FALSE(rig.autoMix.IsAutoMixRandomRunning());
    EXPECT_TRUE(rig.clock.timers.empty());
}

TEST_F(AutoMixTest, RandomPlayLetsTheTrackFinishThenPicksOnceAndStarts)
{
    rig.random.answer.Mode = 43;
    rig.random.picks = {"r1.mp3", "r2.mp3", "r3.mp3"};
    SetLengths("r1.mp3", 30);
    SetLengths("r2.mp3", 20);
    SetLengths("r3.mp3", 25);
    rig.autoMix.OnRandomPlay(DeckA);
    ASSERT_TRUE(rig.autoMix.IsRandomPlayOn(DeckA));
    EXPECT_TRUE(rig.view.lights["lt-a-random"]);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, DeckA}}), rig.random.asked);
    EXPECT_EQ(1000, rig.clock.timers[TimerRandomA].period);

    rig.Run(1000);   // a set-up deck gets its first pick and plays
    EXPECT_EQ("r1.mp3", rig.decks[DeckA].path);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    // It plays to the end: no pick, no load while it plays.
    rig.Run(29000);
    EXPECT_EQ(1, rig.decks[DeckA].loads);
    EXPECT_EQ(1u, rig.random.next);
    // The deck stops at the end; within one second the next pick starts.
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckA].finished.size() == 1; }, 2000));
    long stoppedAt = rig.clock.now;
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckA].state == MixStatePlaying; }, 2000));
    EXPECT_LE(rig.clock.now - stoppedAt, 1000);
    EXPECT_EQ("r2.mp3", rig.decks[DeckA].path);
    EXPECT_EQ(2u, rig.random.next);   // picked once
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckA].finished.size() == 2; }, 25000));
    EXPECT_EQ(0, rig.decks[DeckA].loadsWhilePlaying);
    EXPECT_TRUE(rig.decks[DeckA].cut.empty());
    EXPECT_EQ(0, rig.decks[DeckB].loads);   // never another deck
    EXPECT_EQ((std::vector<std::string>{"r1.mp3", "r2.mp3"}), rig.decks[DeckA].finished);
}

TEST_F(AutoMixTest, RandomPlayWaitsWhilePausedAndRetriesAFailedLoad)
{
    rig.random.picks = {"p.mp3", "broken.mp3", "ok.mp3"};
    rig.decks[DeckB].failing = {"broken.mp3"};
    SetLengths("p.mp3", 10);
    SetLengths("ok.mp3", 10);
    rig.autoMix.OnRandomPlay(DeckB);
    rig.Tick(TimerRandomB);
    ASSERT_EQ(MixStatePlaying, rig.decks[DeckB].state);
    rig.decks[DeckB].Pause();
    rig.Tick(TimerRandomB);
    rig.Tick(TimerRandomB);
    EXPECT_EQ(1u, rig.random.next);
    EXPECT_EQ(MixStatePaused, rig.decks[DeckB].state);
    rig.decks[DeckB].Play();
    rig.decks[DeckB].Stop();   // the operator stops it
    rig.Tick(TimerRandomB);    // broken pick: nothing plays
    EXPECT_EQ(MixStateStopped, rig.decks[DeckB].state);
    EXPECT_EQ("load broken.mp3", rig.decks[DeckB].calls.back());
    rig.Tick(TimerRandomB);    // next tick picks again
    EXPECT_EQ("ok.mp3", rig.decks[DeckB].path);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckB].state);
    EXPECT_TRUE(rig.autoMix.IsRandomPlayOn(DeckB));
}

TEST_F(AutoMixTest, RandomPlayEndsWhenNothingMatches)
{
    rig.autoMix.OnRandomPlay(DeckA);
    rig.Tick(TimerRandomA);
    EXPECT_FALSE(rig.autoMix.IsRandomPlayOn(DeckA));
    EXPECT_FALSE(rig.clock.Running(TimerRandomA));
    EXPECT_FALSE(rig.view.lights["lt-a-random"]);
    EXPECT_EQ("No tracks that meet that random criteria. Try again using different criteria...",
              rig.view.messages.at(0));
}

} // namespace

namespace
{

// Decks that report playing late, or lose a play: what AutoMix and random
// play do with a deck they started.
TEST_F(AutoMixTest, AStartedDeckIsWaitedForWhileItIsLateToReportPlaying)
{
    struct Case
    {
        const char* what;
        long playDelayMs;
        int lostPlays;
        long playingBy;   // deck A plays the first queued track by then (ms)
    };
    const Case cases[] = {
        {"reports at once", 0, 0, 250},
        {"reports after four ticks", 1000, 0, 1250},
        {"reports after eleven ticks", 2800, 0, 3250},
        // The play never arrives: after a second it is sent again, for the
        // same track; and once more.
        {"loses the first play", 0, 1, 1250},
        {"loses two plays", 0, 2, 2250},
        {"loses two plays and reports late", 600, 2, 2850},
        // Three lost plays: the track waits as the next one, and the
        // next tick starts it again.
        {"loses three plays", 0, 3, 3500},
    };
    for (const Case& c : cases) {
        MixRig local;
        local.settings.autoMix = rig.settings.autoMix;   // timer mode, MainTimer 250
        local.queue.paths = {"q1", "q2"};
        local.decks[DeckA].playDelayMs = c.playDelayMs;
        local.decks[DeckA].lostPlays = c.lostPlays;
        local.autoMix.ToggleAutoMix();
        ASSERT_TRUE(local.autoMix.IsAutoMixRunning()) << c.what;
        EXPECT_TRUE(local.RunUntil([&] { return local.decks[DeckA].state == MixStatePlaying; }, c.playingBy))
            << c.what;
        EXPECT_EQ("q1", local.decks[DeckA].path) << c.what;
        EXPECT_EQ(1, local.decks[DeckA].loads) << c.what << ": loaded again over the started deck";
        EXPECT_EQ((std::vector<std::string>{"q2"}), local.queue.paths) << c.what;
        EXPECT_EQ(0, local.decks[DeckB].loads) << c.what;
        local.Run(250);   // the next tick sees it play
        EXPECT_FALSE(local.autoMix.IsStarting(DeckA)) << c.what;
        EXPECT_EQ(c.lostPlays >= 3 ? 1 : 0, local.autoMix.GetStartFailures()) << c.what;
        EXPECT_EQ(1, local.decks[DeckA].loads) << c.what;
    }
}

TEST_F(AutoMixTest, ADeckThatPlaysButReportsItLateIsNotStartedAgain)
{
    // Deck B plays at once, but says so only 4 s later: AutoMix gives up
    // waiting, sees its position run and leaves it alone.
    AutoMixSettings& s = rig.settings.autoMix;
    s.loadTime = 20;
    s.mixDelay = 8;
    s.useFade = false;
    Queue({"q1", "q2"}, 30);
    rig.decks[DeckB].stateLagMs = 4000;
    rig.autoMix.ToggleAutoMix();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.decks[DeckB].started.size() == 1; }, 40000));
    ASSERT_TRUE(rig.RunUntil([&] { return rig.decks[DeckB].finished.size() == 1; }, 40000));
    rig.Run(5000);
    EXPECT_EQ((std::vector<std::string>{"q2"}), rig.decks[DeckB].started);   // once
    EXPECT_EQ(1u, rig.decks[DeckB].finished.size());
    EXPECT_EQ(0, rig.autoMix.GetStartFailures());
    EXPECT_FALSE(rig.autoMix.IsAutoMixRunning());
    EXPECT_TRUE(rig.decks[DeckA].cut.empty());
}

TEST_F(AutoMixTest, RandomPlayWaitsForAPickThatIsLateToPlay)
{
    rig.random.picks = {"r1.mp3", "r2.mp3"};
    SetLengths("r1.mp3", 10);
    SetLengths("r2.mp3", 10);
    rig.decks[DeckA].playDelayMs = 2500;   // more than two random-play ticks
    rig.autoMix.OnRandomPlay(DeckA);
    rig.Run(1000);
    EXPECT_EQ("r1.mp3", rig.decks[DeckA].path);
    EXPECT_TRUE(rig.autoMix.IsStarting(DeckA));
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckA].state == MixStatePlaying; }, 3000));
    EXPECT_EQ("r1.mp3", rig.decks[DeckA].path);
    EXPECT_EQ(1u, rig.random.next);   // picked once
    EXPECT_EQ(1, rig.decks[DeckA].loads);
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckA].finished.size() == 1; }, 11000));
    EXPECT_TRUE(rig.RunUntil([&] { return rig.decks[DeckA].state == MixStatePlaying; }, 5000));
    EXPECT_EQ("r2.mp3", rig.decks[DeckA].path);
    EXPECT_EQ(2u, rig.random.next);
    EXPECT_TRUE(rig.decks[DeckA].cut.empty());
}

} // namespace
