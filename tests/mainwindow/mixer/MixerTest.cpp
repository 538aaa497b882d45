// The mixer model with fake decks and a fake clock: crossfader, glides,
// fades, side assignment, EQ and monitor routing.
#include "FakeMix.h"

#include <gtest/gtest.h>

using namespace mixtest;
using namespace mixer;

namespace
{

class MixerTest : public ::testing::Test
{
protected:
    void Load(int deck, const char* path, int length = 60)
    {
        rig.decks[deck].lengths[path] = length;
        ASSERT_EQ(1, rig.decks[deck].LoadTrack(path));
    }
    MixRig rig;
};

TEST_F(MixerTest, CrossfaderChangeRecomputesTheAssignedDecks)
{
    rig.mixer.MoveCrossfader(50);
    rig.mixer.OnCrossfaderChanged();
    EXPECT_EQ(50, rig.decks[DeckA].mainsVolume);
    EXPECT_EQ(100, rig.decks[DeckB].mainsVolume);
    EXPECT_EQ(-1, rig.decks[DeckC].mainsVolume);   // not assigned
    EXPECT_EQ(1, rig.view.onAirRefreshes);

    rig.mixer.OnAssignLeft();
    EXPECT_EQ("C", rig.view.texts["txt_assignleft"]);
    EXPECT_EQ(DeckC, rig.mixer.GetLeftDeck());
    rig.mixer.OnFaderStep(+1);
    EXPECT_EQ(51, rig.mixer.GetCrossfader());
    EXPECT_EQ(49, rig.decks[DeckC].mainsVolume);
    EXPECT_EQ(50, rig.decks[DeckA].mainsVolume);   // no longer recomputed
    rig.mixer.OnAssignLeft();
    EXPECT_EQ("A", rig.view.texts["txt_assignleft"]);
    rig.mixer.OnAssignRight();
    EXPECT_EQ("D", rig.view.texts["txt_assignright"]);
    EXPECT_EQ(DeckD, rig.mixer.GetRightDeck());

    rig.mixer.OnCenterCrossfader();
    EXPECT_EQ(0, rig.mixer.GetCrossfader());
    EXPECT_EQ(0, rig.view.crossfaderShown);
    EXPECT_EQ(100, rig.decks[DeckA].mainsVolume);
}

TEST_F(MixerTest, CrossfaderStepsAreClampedByTheControl)
{
    rig.mixer.MoveCrossfader(100);
    rig.mixer.OnFaderStep(+1);
    EXPECT_EQ(100, rig.mixer.GetCrossfader());
    rig.mixer.MoveCrossfader(-100);
    rig.mixer.OnFaderStep(-1);
    EXPECT_EQ(-100, rig.mixer.GetCrossfader());
}

TEST_F(MixerTest, CrossfaderMaximumZeroAttenuatesNothing)
{
    rig.mixer.SetCrossfaderRange(0, 0);
    rig.mixer.SetGainPosition(DeckA, 20);
    rig.mixer.OnFaderStep(+1);
    EXPECT_EQ(0, rig.mixer.GetCrossfader());
    EXPECT_EQ(80, rig.decks[DeckA].mainsVolume);
    EXPECT_EQ(100, rig.decks[DeckB].mainsVolume);
}

TEST_F(MixerTest, DeckOnTheMonitorKeepsItsMonitorVolume)
{
    rig.mixer.SetMonitorGain(DeckA, 70);
    rig.mixer.OnMonitor(DeckA);
    EXPECT_TRUE(rig.decks[DeckA].onMonitor);
    EXPECT_EQ(70, rig.decks[DeckA].monitorVolume);
    EXPECT_FALSE(rig.mixer.IsOnMains(DeckA));
    EXPECT_TRUE(rig.view.lights["lt-mx-mona"]);

    rig.decks[DeckA].mainsVolume = -1;
    rig.mixer.SetGainPosition(DeckA, 30);
    rig.mixer.ApplyDeckVolume(DeckA);
    rig.mixer.MoveCrossfader(60);
    rig.mixer.OnCrossfaderChanged();
    EXPECT_EQ(-1, rig.decks[DeckA].mainsVolume);
    EXPECT_EQ(70, rig.decks[DeckA].monitorVolume);

    rig.mixer.OnMonitor(DeckA);
    EXPECT_FALSE(rig.decks[DeckA].onMonitor);
    EXPECT_TRUE(rig.mixer.IsOnMains(DeckA));
    EXPECT_FALSE(rig.view.lights["lt-mx-mona"]);
    EXPECT_EQ(70 - 42, rig.decks[DeckA].mainsVolume);   // g 70, r = trunc(0.6 * 70) = 42
    EXPECT_EQ(3, rig.view.onAirRefreshes);   // both switches and the crossfader
}

TEST_F(MixerTest, MonitorOnTheMainsDeviceOnlyExplains)
{
    rig.decks[DeckB].mainsEqualsMonitor = true;
    rig.mixer.OnMonitor(DeckB);
    ASSERT_EQ(1u, rig.view.messages.size());
    EXPECT_EQ(0u, rig.view.messages[0].find("Mains and Monitor are set to the same device.\n\n"));
    EXPECT_FALSE(rig.decks[DeckB].onMonitor);
    EXPECT_TRUE(rig.mixer.IsOnMains(DeckB));
    EXPECT_EQ(0, rig.view.onAirRefreshes);
}

TEST_F(MixerTest, PitchFollowsTheSliderWithTextAndCentreLight)
{
    rig.mixer.SetPitchSlider(DeckA, 48);
    rig.mixer.ApplyPitch(DeckA);
    EXPECT_EQ(1010, rig.decks[DeckA].pitch);
    EXPECT_EQ(1010, rig.mixer.GetPitch(DeckA));
    EXPECT_EQ("+1", rig.view.texts["a-pitch"]);
    EXPECT_FALSE(rig.view.lights["lt-a-pitchcenter"]);
    rig.mixer.SetPitchSlider(DeckA, 51);
    rig.mixer.ApplyPitch(DeckA);
    EXPECT_EQ(1000, rig.decks[DeckA].pitch);
    EXPECT_EQ("0", rig.view.texts["a-pitch"]);
    EXPECT_TRUE(rig.view.lights["lt-a-pitchcenter"]);
    // Deck C has no pitch text; a skin without "b-pitch" gets none either.
    rig.view.missing.insert("b-pitch");
    rig.mixer.SetPitchSlider(DeckB, 100);
    rig.mixer.ApplyPitch(DeckB);
    EXPECT_EQ(750, rig.decks[DeckB].pitch);
    EXPECT_EQ(0u, rig.view.texts.count("b-pitch"));
    rig.mixer.SetPitchSlider(DeckC, 0);
    rig.mixer.ApplyPitch(DeckC);
    EXPECT_EQ(1250, rig.decks[DeckC].pitch);
    EXPECT_FALSE(rig.view.lights["lt-c-pitchcenter"]);
}

TEST_F(MixerTest, EqIsStoredAlwaysAndAppliedHalvedWhenOn)
{
    rig.mixer.SetDeckEq(DeckA, -7, 10, 50);
    EXPECT_EQ(0, static_cast<int>(rig.decks[DeckA].calls.size()));
    int values[3];
    rig.mixer.GetEq(DeckA, values);
    EXPECT_EQ(-7, values[0]);
    EXPECT_EQ(50, values[2]);
    rig.decks[DeckA].eqOn = true;
    rig.mixer.SetDeckEq(DeckA, -7, 10, 50);
    EXPECT_EQ(-3, rig.decks[DeckA].eq[0]);
    EXPECT_EQ(5, rig.decks[DeckA].eq[1]);
    EXPECT_EQ(25, rig.decks[DeckA].eq[2]);
    rig.mixer.UpdateEqControls(DeckA);
    EXPECT_EQ(159, rig.view.eqKnobs[DeckA][0]);
    EXPECT_EQ(330, rig.view.eqKnobs[DeckA][2]);
    EXPECT_EQ(7, rig.view.eqSliders[DeckA][0]);
    EXPECT_EQ(-50, rig.view.eqSliders[DeckA][2]);
}

TEST_F(MixerTest, GlideRunsToTheEndOnItsTimerAndStops)
{
    rig.settings.glideStep = 10;
    rig.settings.glidePeriod = 50;
    rig.mixer.OnFadeRight();
    ASSERT_TRUE(rig.clock.Running(TimerGlide));
    EXPECT_EQ(50, rig.clock.timers[TimerGlide].period);
    rig.Run(1000);   // 10 steps of 10 then the ending tick: 550 ms
    EXPECT_EQ(100, rig.mixer.GetCrossfader());
    EXPECT_FALSE(rig.clock.Running(TimerGlide));
    EXPECT_FALSE(rig.mixer.IsGliding());
    EXPECT_EQ(0, rig.decks[DeckA].mainsVolume);
}

TEST_F(MixerTest, GlideWithSpeedZeroStillMovesAndEnds)
{
    rig.settings.glideStep = 0;
    rig.settings.glidePeriod = 0;   // a missing key
    rig.mixer.OnFadeLeft();
    ASSERT_TRUE(rig.clock.Running(TimerGlide));
    EXPECT_EQ(10, rig.clock.timers[TimerGlide].period);
    rig.Step(10);
    EXPECT_EQ(-1, rig.mixer.GetCrossfader());
    EXPECT_TRUE(rig.RunUntil([&] { return !rig.clock.Running(TimerGlide); }, 5000));
    EXPECT_EQ(-100, rig.mixer.GetCrossfader());
}

TEST_F(MixerTest, SecondGlideRestartsWithTheNewDirection)
{
    rig.mixer.OnFadeRight();
    rig.Run(200);
    int reached = rig.mixer.GetCrossfader();
    EXPECT_GT(reached, 0);
    rig.mixer.OnFadeLeft();
    EXPECT_EQ(0, rig.mixer.GetGlideDirection());
    rig.Run(60);
    EXPECT_LT(rig.mixer.GetCrossfader(), reached);
}

TEST_F(MixerTest, MixLeftStartsTheDeckGlidesAndStopsTheFarDeck)
{
    Load(DeckA, "a.mp3");
    Load(DeckB, "b.mp3");
    rig.decks[DeckB].Play();
    rig.mixer.MoveCrossfader(100);
    rig.mixer.OnMixLeft();
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_TRUE(rig.mixer.GetStopFarDeck());
    EXPECT_TRUE(rig.RunUntil([&] { return !rig.mixer.IsGliding(); }, 10000));
    EXPECT_EQ(-100, rig.mixer.GetCrossfader());
    EXPECT_EQ(MixStateStopped, rig.decks[DeckB].state);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_FALSE(rig.mixer.GetStopFarDeck());
}

TEST_F(MixerTest, MixWhileAutoMixRunsLetsTheFarDeckPlayOut)
{
    Load(DeckA, "a.mp3");
    Load(DeckB, "b.mp3");
    rig.decks[DeckA].Play();
    rig.mixer.SetAutoMixRunning(true);
    rig.mixer.OnMixRight();
    EXPECT_FALSE(rig.mixer.GetStopFarDeck());
    EXPECT_TRUE(rig.RunUntil([&] { return !rig.mixer.IsGliding(); }, 10000));
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckB].state);
}

TEST_F(MixerTest, MixLeftWithAnEmptyDeckDoesNothing)
{
    rig.mixer.OnMixLeft();
    EXPECT_FALSE(rig.clock.Running(TimerGlide));
    EXPECT_FALSE(rig.mixer.GetStopFarDeck());
    EXPECT_TRUE(rig.decks[DeckA].calls.empty());
}

TEST_F(MixerTest, MixNextPicksTheIdleSide)
{
    Load(DeckA, "a.mp3");
    Load(DeckB, "b.mp3");
    rig.mixer.OnMixNext();   // neither plays: left
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_EQ(0, rig.mixer.GetGlideDirection());
    rig.mixer.OnMixNext();   // only A: right
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckB].state);
    EXPECT_EQ(1, rig.mixer.GetGlideDirection());
    rig.clock.timers.clear();
    rig.mixer.OnMixNext();   // both: nothing
    EXPECT_FALSE(rig.clock.Running(TimerGlide));
}

TEST_F(MixerTest, MixOnDeckCPlaysItDirectly)
{
    Load(DeckC, "c.mp3");
    rig.mixer.OnAssignLeft();
    rig.mixer.OnMixLeft();
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckC].state);
    EXPECT_EQ(1, rig.view.onAirRefreshes);
    EXPECT_TRUE(rig.clock.Running(TimerGlide));
}

TEST_F(MixerTest, FadeInFromFortyStepsToFortyOnItsTimer)
{
    Load(DeckA, "a.mp3");
    rig.mixer.SetGainPosition(DeckA, 40);
    rig.settings.fadeIn = 30;
    rig.mixer.OnFadeIn(DeckA);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckA].state);
    EXPECT_EQ(100, rig.mixer.GetGainPosition(DeckA));
    ASSERT_TRUE(rig.clock.Running(TimerFadeInA));
    EXPECT_EQ(30, rig.clock.timers[TimerFadeInA].period);
    EXPECT_TRUE(rig.RunUntil([&] { return !rig.clock.Running(TimerFadeInA); }, 5000));
    const std::vector<int>& shown = rig.view.gainHistory[DeckA];
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(100, shown[0]);
    EXPECT_EQ(98, shown[1]);
    EXPECT_EQ(96, shown[2]);
    EXPECT_EQ(40, shown.back());
    EXPECT_EQ(40, rig.mixer.GetGainPosition(DeckA));
    EXPECT_EQ(60, rig.decks[DeckA].mainsVolume);
    // A playing deck does not fade in again.
    rig.mixer.OnFadeIn(DeckA);
    EXPECT_FALSE(rig.clock.Running(TimerFadeInA));
}

TEST_F(MixerTest, FadeOutStopsAtSilenceAndRestoresTheGain)
{
    Load(DeckB, "b.mp3", 600);
    rig.decks[DeckB].Play();
    rig.mixer.SetGainPosition(DeckB, 40);
    rig.mixer.OnFadeOut(DeckB);
    ASSERT_TRUE(rig.clock.Running(TimerFadeOutB));
    rig.Step(40);
    EXPECT_EQ(42, rig.mixer.GetGainPosition(DeckB));
    EXPECT_EQ(58, rig.decks[DeckB].mainsVolume);
    EXPECT_TRUE(rig.RunUntil([&] { return !rig.clock.Running(TimerFadeOutB); }, 5000));
    const std::vector<int>& shown = rig.view.gainHistory[DeckB];
    EXPECT_EQ(98, shown[shown.size() - 2]);
    EXPECT_EQ(40, shown.back());
    EXPECT_EQ(MixStateStopped, rig.decks[DeckB].state);
    EXPECT_EQ(40, rig.mixer.GetGainPosition(DeckB));
}

TEST_F(MixerTest, SecondFadeOutKeepsTheOriginalTarget)
{
    Load(DeckA, "a.mp3", 600);
    rig.decks[DeckA].Play();
    rig.mixer.SetGainPosition(DeckA, 20);
    rig.mixer.OnFadeOut(DeckA);
    rig.Run(400);   // ten steps: 40
    EXPECT_EQ(40, rig.mixer.GetGainPosition(DeckA));
    rig.mixer.OnFadeOut(DeckA);
    EXPECT_TRUE(rig.RunUntil([&] { return !rig.clock.Running(TimerFadeOutA); }, 5000));
    EXPECT_EQ(20, rig.mixer.GetGainPosition(DeckA));
    EXPECT_EQ(MixStateStopped, rig.decks[DeckA].state);
}

TEST_F(MixerTest, FadeOutDuringAFadeInReturnsToTheFadeInTarget)
{
    Load(DeckA, "a.mp3", 600);
    rig.mixer.SetGainPosition(DeckA, 10);
    rig.mixer.OnFadeIn(DeckA);
    rig.Run(400);
    ASSERT_TRUE(rig.mixer.IsFadingIn(DeckA));
    rig.mixer.OnFadeOut(DeckA);
    EXPECT_FALSE(rig.clock.Running(TimerFadeInA));
    EXPECT_TRUE(rig.RunUntil([&] { return !rig.clock.Running(TimerFadeOutA); }, 5000));
    EXPECT_EQ(10, rig.mixer.GetGainPosition(DeckA));
    EXPECT_EQ(MixStateStopped, rig.decks[DeckA].state);
}

TEST_F(MixerTest, FadesNeedATrackAndTheRightState)
{
    rig.mixer.OnFadeIn(DeckA);
    rig.mixer.OnFadeOut(DeckA);
    Load(DeckC, "c.mp3");
    rig.mixer.OnFadeOut(DeckC);   // not playing
    EXPECT_TRUE(rig.clock.timers.empty());
    rig.mixer.OnFadeIn(DeckC);
    EXPECT_TRUE(rig.clock.Running(TimerFadeInC));
    rig.mixer.OnFadeOut(DeckC);
    EXPECT_TRUE(rig.clock.Running(TimerFadeOutC));
    EXPECT_FALSE(rig.clock.Running(TimerFadeInC));
}

} // namespace
