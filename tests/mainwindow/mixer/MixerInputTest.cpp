// Slider notifications, knob scrolls, controller values and wheel
// movements applied to the mixer with fake decks and controls.
#include "FakeMix.h"
#include "mainwindow/mapping/MixerInput.h"

#include <gtest/gtest.h>

using namespace mixtest;
using namespace mixer;
using mapping::ControllerRange;

namespace
{

class FakeControls : public MixInputHost
{
public:
    std::map<int, int> sliders;
    int knobs[4][3] = {{180, 180, 180}, {180, 180, 180}, {180, 180, 180}, {180, 180, 180}};
    int skips[4] = {0, 0, 0, 0};
    int videoSeek = -1;
    int videoVolume = -1;
    int jukeboxVolume = -1;

    int GetSliderPosition(int id) override { return sliders[id]; }
    int GetEqKnobPosition(int deck, int band) override { return knobs[deck][band]; }
    void SetEqKnobPosition(int deck, int band, int position) override { knobs[deck][band] = position; }
    void SkipJogKnobUpdate(int deck) override { ++skips[deck]; }
    void SeekVideoDeck(int position) override { videoSeek = position; }
    void SetVideoVolume(int position) override { videoVolume = position; }
    void SetJukeboxVolume(int position) override { jukeboxVolume = position; }
};

class MixerInputTest : public ::testing::Test
{
protected:
    MixerInputTest()
    {
        input.SetDecksSetUp(true);
        for (int deck = 0; deck < 4; ++deck)
            rig.decks[deck].lengths["t.mp3"] = 300;
    }
    MixRig rig;
    FakeControls controls;
    MixerInput input{&rig.mixer, &controls};
};

TEST_F(MixerInputTest, CrossfaderAndGainSliders)
{
    controls.sliders[-101] = 50;
    input.OnSliderNotify(-101);
    EXPECT_EQ(50, rig.mixer.GetCrossfader());
    EXPECT_EQ(50, rig.decks[DeckA].mainsVolume);
    EXPECT_EQ(100, rig.decks[DeckB].mainsVolume);
    EXPECT_EQ(1, rig.view.onAirRefreshes);
    controls.sliders[-116] = 30;   // c-sldgain
    input.OnSliderNotify(-116);
    EXPECT_EQ(30, rig.mixer.GetGainPosition(DeckC));
    EXPECT_EQ(35, rig.decks[DeckC].mainsVolume);   // g 70, r = trunc(0.5 * 70) = 35
    controls.sliders[-104] = 77;   // tempo: nothing
    input.OnSliderNotify(-104);
    EXPECT_EQ(1, rig.view.onAirRefreshes);
}

TEST_F(MixerInputTest, PitchSliderHonoursDeckAKeyLockButTheControllerDoesNot)
{
    controls.sliders[-103] = 48;
    input.SetKeyLock(true);
    input.OnSliderNotify(-103);
    EXPECT_EQ(1000, rig.decks[DeckA].pitch);
    EXPECT_EQ(0u, rig.view.texts.count("a-pitch"));
    controls.sliders[-106] = 48;   // deck B has no key lock
    input.OnSliderNotify(-106);
    EXPECT_EQ(1010, rig.decks[DeckB].pitch);
    input.OnControllerValue(28002, ControllerRange{0, 127}, 0);   // a-pitch, slider to 100
    EXPECT_EQ(100, rig.mixer.GetPitchSlider(DeckA));
    EXPECT_EQ(750, rig.decks[DeckA].pitch);
    EXPECT_EQ("-25", rig.view.texts["a-pitch"]);
    input.SetKeyLock(false);
    input.OnSliderNotify(-103);
    EXPECT_EQ(1010, rig.decks[DeckA].pitch);
}

TEST_F(MixerInputTest, EqSlidersStoreNothingWhileTheEqIsOff)
{
    controls.sliders[-111] = 10;
    controls.sliders[-112] = -20;
    controls.sliders[-113] = 5;
    input.OnSliderNotify(-112);
    int values[3];
    rig.mixer.GetEq(DeckB, values);
    EXPECT_EQ(0, values[1]);
    rig.decks[DeckB].eqOn = true;
    input.OnSliderNotify(-112);
    rig.mixer.GetEq(DeckB, values);
    EXPECT_EQ(-10, values[0]);
    EXPECT_EQ(20, values[1]);
    EXPECT_EQ(-5, values[2]);
    EXPECT_EQ(-5, rig.decks[DeckB].eq[0]);
    EXPECT_EQ(10, rig.decks[DeckB].eq[1]);
    EXPECT_EQ(-2, rig.decks[DeckB].eq[2]);
}

TEST_F(MixerInputTest, SeekSliderSeeksWithOrWithoutPause)
{
    rig.decks[DeckD].LoadTrack("t.mp3");
    controls.sliders[-127] = 42;
    input.OnSliderNotify(-127);
    EXPECT_EQ(std::vector<std::string>({"load t.mp3", "seek 42"}), rig.decks[DeckD].calls);
    input.SetPauseOnSeek(true);
    input.OnSliderNotify(-127);
    std::vector<std::string> tail(rig.decks[DeckD].calls.end() - 3, rig.decks[DeckD].calls.end());
    EXPECT_EQ(std::vector<std::string>({"pause", "seek 42", "play"}), tail);
    EXPECT_EQ(MixStatePlaying, rig.decks[DeckD].state);   // plays afterwards
    EXPECT_FALSE(input.IsSeeking(DeckD));
}

TEST_F(MixerInputTest, VideoAndJukeboxSliders)
{
    controls.sliders[-3108] = 12;
    controls.sliders[-3107] = 34;
    controls.sliders[-5018] = 56;
    input.OnSliderNotify(-3108);
    input.OnSliderNotify(-3107);
    input.OnSliderNotify(-5018);
    EXPECT_EQ(12, controls.videoSeek);
    EXPECT_EQ(34, controls.videoVolume);
    EXPECT_EQ(56, controls.jukeboxVolume);
}

TEST_F(MixerInputTest, JogKnobReleaseSeeksIntoTheTrack)
{
    rig.decks[DeckA].LoadTrack("t.mp3");
    input.OnKnobScroll(5, 180, DeckA, -1);   // only SB_THUMBPOSITION
    EXPECT_EQ(0, rig.decks[DeckA].seekCount);
    input.OnKnobScroll(4, 180, DeckA, -1);
    EXPECT_EQ(150, rig.decks[DeckA].lastSeek);
    EXPECT_EQ(1, controls.skips[DeckA]);
    input.OnKnobScroll(4, 180, DeckB, -1);   // no track on B
    EXPECT_EQ(0, rig.decks[DeckB].seekCount);
}

TEST_F(MixerInputTest, KnobsBeforeTheDecksAreSetUpDoNothing)
{
    input.SetDecksSetUp(false);
    rig.decks[DeckA].LoadTrack("t.mp3");
    controls.knobs[DeckA][0] = 30;
    input.OnKnobScroll(4, 180, DeckA, -1);
    input.OnKnobScroll(4, 30, DeckA, 0);
    EXPECT_EQ(0, rig.decks[DeckA].seekCount);
    int values[3];
    rig.mixer.GetEq(DeckA, values);
    EXPECT_EQ(0, values[0]);
}

TEST_F(MixerInputTest, EqKnobsStoreAlsoWhileTheEqIsOff)
{
    controls.knobs[DeckC][0] = 30;
    controls.knobs[DeckC][1] = 211;
    controls.knobs[DeckC][2] = 330;
    input.OnKnobScroll(4, 211, DeckC, 1);
    int values[3];
    rig.mixer.GetEq(DeckC, values);
    EXPECT_EQ(-50, values[0]);
    EXPECT_EQ(10, values[1]);
    EXPECT_EQ(50, values[2]);
    EXPECT_TRUE(rig.decks[DeckC].calls.empty());
    rig.decks[DeckC].eqOn = true;
    input.OnKnobScroll(4, 211, DeckC, 1);
    EXPECT_EQ(-25, rig.decks[DeckC].eq[0]);
    EXPECT_EQ(5, rig.decks[DeckC].eq[1]);
    int low, mid, high;
    input.GetDeckEqFromKnobs(7, low, mid, high);
    EXPECT_EQ(0, low + mid + high);
    EXPECT_EQ(0, low);
}

TEST_F(MixerInputTest, ControllerValuesAtTheMiddleCentreEverything)
{
    const ControllerRange range{0, 128};
    rig.mixer.SetGainPosition(DeckA, 10);
    input.OnControllerValue(28001, range, 64);
    EXPECT_EQ(50, rig.mixer.GetGainPosition(DeckA));
    EXPECT_EQ(50, rig.decks[DeckA].mainsVolume);
    input.OnControllerValue(28008, range, 64);
    EXPECT_EQ(50, rig.mixer.GetPitchSlider(DeckB));
    EXPECT_EQ(1000, rig.decks[DeckB].pitch);
    controls.knobs[DeckB][2] = 300;
    input.OnControllerValue(28011, range, 64);
    EXPECT_EQ(180, controls.knobs[DeckB][2]);
    // A two-step entry lands on the centre as well, whatever the value.
    input.OnControllerValue(28007, ControllerRange{0, 2}, 0);
    EXPECT_EQ(50, rig.mixer.GetGainPosition(DeckB));
    input.OnControllerValue(28003, ControllerRange{2, 0}, 2);
    EXPECT_EQ(180, controls.knobs[DeckA][0]);
}

TEST_F(MixerInputTest, ControllerEqMovesTheKnobAndAppliesAllThreeBands)
{
    rig.decks[DeckA].eqOn = true;
    controls.knobs[DeckA][1] = 240;   // mid at +20
    input.OnControllerValue(28003, ControllerRange{0, 127}, 0);   // low knob to 30
    EXPECT_EQ(30, controls.knobs[DeckA][0]);
    int values[3];
    rig.mixer.GetEq(DeckA, values);
    EXPECT_EQ(-50, values[0]);
    EXPECT_EQ(20, values[1]);
    EXPECT_EQ(-25, rig.decks[DeckA].eq[0]);
    EXPECT_EQ(10, rig.decks[DeckA].eq[1]);
}

TEST_F(MixerInputTest, ControllerCrossfaderAlwaysRecomputesDecksAAndB)
{
    rig.mixer.OnAssignLeft();   // C on the left
    input.OnControllerValue(27318, ControllerRange{0, 127}, 94);   // trunc(150.4 - 100) = 50
    EXPECT_EQ(50, rig.mixer.GetCrossfader());
    EXPECT_EQ(50, rig.decks[DeckA].mainsVolume);
    EXPECT_EQ(100, rig.decks[DeckB].mainsVolume);
    EXPECT_EQ(-1, rig.decks[DeckC].mainsVolume);
    EXPECT_EQ(1, rig.view.onAirRefreshes);
    input.OnControllerValue(27318, ControllerRange{127, 0}, 127);   // -103 clamped
    EXPECT_EQ(-100, rig.mixer.GetCrossfader());
    EXPECT_EQ(0, rig.decks[DeckB].mainsVolume);
}

TEST_F(MixerInputTest, WheelSeeksOnlyInJogModeWithATrack)
{
    rig.decks[DeckB].LoadTrack("t.mp3");
    rig.decks[DeckB].SeekTo(100);
    input.OnControllerWheel(28015, ControllerRange{0, 127}, 120);
    EXPECT_EQ(100, rig.decks[DeckB].lastSeek);   // jog mode off
    input.SetJogMode(DeckB, true);
    input.OnControllerWheel(28015, ControllerRange{0, 127}, 120);   // forward 127 - 120 = 7 -> 3
    EXPECT_EQ(103, rig.decks[DeckB].lastSeek);
    input.OnControllerWheel(28015, ControllerRange{0, 127}, 2);     // back 2
    EXPECT_EQ(101, rig.decks[DeckB].lastSeek);
    int seeks = rig.decks[DeckB].seekCount;
    input.OnControllerWheel(28015, ControllerRange{0, 127}, 64);    // in between
    EXPECT_EQ(seeks, rig.decks[DeckB].seekCount);
    EXPECT_EQ(3, controls.skips[DeckB]);
    input.SetDenonFeedback(true);
    input.OnControllerWheel(28015, ControllerRange{0, 127}, 70);    // Denon forward: 3
    EXPECT_EQ(104, rig.decks[DeckB].lastSeek);
    input.OnControllerWheel(28015, ControllerRange{0, 127}, 62);    // Denon back: 64 - 62
    EXPECT_EQ(102, rig.decks[DeckB].lastSeek);
    // No PauseOnSeek handling for the wheel.
    input.SetPauseOnSeek(true);
    input.OnControllerWheel(28015, ControllerRange{0, 127}, 70);
    EXPECT_EQ("seek 105", rig.decks[DeckB].calls.back());
    input.SetJogMode(DeckA, true);
    input.OnControllerWheel(28014, ControllerRange{0, 127}, 70);   // deck A empty
    EXPECT_EQ(0, rig.decks[DeckA].seekCount);
}

} // namespace
