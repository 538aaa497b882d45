// The mixer's arithmetic as tables: volumes, pitch, EQ values, glide and
// fade steps.
#include "mainwindow/mixer/MixerMath.h"

#include <gtest/gtest.h>

#include <vector>

using namespace mixer;

namespace
{

struct VolumeCase
{
    int deck;
    int gain;
    int x;
    int maximum;
    int volume;
};

TEST(MixerMath, DeckVolumeFollowsGainAndCrossfader)
{
    const VolumeCase cases[] = {
        {DeckA, 0, 50, 100, 50},     // +50 of 100 halves deck A
        {DeckB, 0, 50, 100, 100},    // deck B on the favoured side
        {DeckC, 0, 50, 100, 50},     // C follows A's side
        {DeckD, 0, -50, 100, 50},    // D follows B's side
        {DeckA, 0, 0, 100, 100},     // centre: nobody attenuated
        {DeckB, 0, 0, 100, 100},
        {DeckA, 40, 0, 100, 60},     // volume = 100 - gain position
        {DeckA, 40, 100, 100, 0},    // far end silences the far deck
        {DeckB, 40, -100, 100, 0},
        {DeckA, 40, 25, 100, 45},    // r = trunc(0.25 * 100 * 0.6) = 15
        {DeckA, 30, 33, 100, 47},    // r = trunc(0.33 * 100 * 0.7) = 23.1 -> 23
        {DeckB, 0, -1, 100, 99},
        {DeckA, 100, 50, 100, 0},    // silent gain stays silent
        {DeckA, 0, 50, 200, 75},     // the control's own maximum
        {DeckA, 0, 50, 0, 100},      // maximum 0: no attenuation, no division
        {DeckB, 20, -50, 0, 80},
        {DeckA, 0, 50, -10, 100},    // a nonsense range attenuates nothing
    };
    for (const VolumeCase& c : cases) {
        EXPECT_EQ(c.volume, DeckVolume(c.deck, c.gain, c.x, c.maximum))
            << "deck " << c.deck << " gain " << c.gain << " x " << c.x << " max " << c.maximum;
    }
}

struct PitchCase
{
    int position;
    int pitch;
    int shown;
    const char* text;
};

TEST(MixerMath, PitchFromSliderInStepsOfTwoPositions)
{
    const PitchCase cases[] = {
        {50, 1000, 0, "0"},   {49, 1000, 0, "0"},    {51, 1000, 0, "0"},
        {48, 1010, 1, "+1"},  {52, 990, -1, "-1"},   {53, 990, -1, "-1"},
        {0, 1250, 25, "+25"}, {100, 750, -25, "-25"}, {47, 1010, 1, "+1"},
        {46, 1020, 2, "+2"},
    };
    for (const PitchCase& c : cases) {
        PitchValue value = PitchFromSlider(c.position);
        EXPECT_EQ(c.pitch, value.pitch) << "position " << c.position;
        EXPECT_EQ(c.shown, value.shown) << "position " << c.position;
        EXPECT_STREQ(c.text, PitchText(value.shown).GetString()) << "position " << c.position;
    }
}

TEST(MixerMath, EqValuesHalveTowardZeroAndMapToKnobs)
{
    const int applied[][2] = {{0, 0}, {7, 3}, {-7, -3}, {50, 25}, {-50, -25}, {1, 0}, {-1, 0}};
    for (const auto& row : applied)
        EXPECT_EQ(row[1], EqApplied(row[0])) << row[0];
    const int knobs[][2] = {{0, 180}, {-50, 30}, {50, 330}, {10, 210}, {-1, 177}};
    for (const auto& row : knobs) {
        EXPECT_EQ(row[1], EqKnobPosition(row[0])) << row[0];
        EXPECT_EQ(row[0], EqValueFromKnob(row[1])) << row[1];
    }
    // Positions between the steps truncate toward zero.
    const int between[][2] = {{31, -49}, {32, -49}, {179, 0}, {181, 0}, {329, 49}};
    for (const auto& row : between)
        EXPECT_EQ(row[1], EqValueFromKnob(row[0])) << row[0];
}

TEST(MixerMath, GlideStepsToTheEndAndEndsThere)
{
    // Right, step 30 from 20 of -100..100: 50, 80, 100 (clamped), then ends.
    std::vector<int> seen;
    int x = 20;
    for (int tick = 0; tick < 10; ++tick) {
        GlideStep step = GlideTick(x, -100, 100, 1, 30);
        if (step.ended)
            break;
        x = step.x;
        seen.push_back(x);
    }
    EXPECT_EQ((std::vector<int>{50, 80, 100}), seen);
    EXPECT_TRUE(GlideTick(-100, -100, 100, 0, 5).ended);
    EXPECT_FALSE(GlideTick(-99, -100, 100, 0, 5).ended);
    EXPECT_EQ(-100, GlideTick(-99, -100, 100, 0, 5).x);
}

TEST(MixerMath, GlideWithStepZeroOrMissingStillMovesAndEnds)
{
    for (int setting : {0, -3}) {
        EXPECT_EQ(1, GlideStepSize(setting));
        int x = 0;
        int ticks = 0;
        while (!GlideTick(x, -100, 100, 0, setting).ended && ticks < 1000) {
            int next = GlideTick(x, -100, 100, 0, setting).x;
            ASSERT_EQ(x - 1, next);
            x = next;
            ++ticks;
        }
        EXPECT_EQ(100, ticks) << "setting " << setting;
        EXPECT_EQ(-100, x);
    }
    EXPECT_EQ(10, TimerPeriod(0));
    EXPECT_EQ(10, TimerPeriod(-5));
    EXPECT_EQ(50, TimerPeriod(50));
}

TEST(MixerMath, FadeInFromFortyEndsExactlyOnForty)
{
    std::vector<int> seen;
    int position = GainSilent;
    for (;;) {
        FadeStep step = FadeInTick(position, 40);
        seen.push_back(step.position);
        position = step.position;
        if (step.ended)
            break;
    }
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(98, seen[0]);
    EXPECT_EQ(96, seen[1]);
    EXPECT_EQ(40, seen.back());
    EXPECT_EQ(30u, seen.size());   // 98 .. 42 is 29 ticks, then 40
    // An odd distance ends on the target too.
    EXPECT_EQ(41, FadeInTick(42, 41).position);
    EXPECT_TRUE(FadeInTick(42, 41).ended);
}

TEST(MixerMath, FadeOutFromFortyStopsAtNinetyEightAndReturns)
{
    std::vector<int> seen;
    int position = 40;
    FadeStep step;
    do {
        step = FadeOutTick(position, 40);
        seen.push_back(step.position);
        position = step.position;
    } while (!step.ended && seen.size() < 100);
    ASSERT_TRUE(step.ended);
    EXPECT_EQ(42, seen[0]);
    EXPECT_EQ(98, seen[seen.size() - 2]);   // the last step before silence
    EXPECT_EQ(40, seen.back());             // back to the old gain at the end
}

TEST(MixerMath, AttenuatedSides)
{
    EXPECT_TRUE(IsAttenuated(DeckA, 1));
    EXPECT_FALSE(IsAttenuated(DeckA, -1));
    EXPECT_FALSE(IsAttenuated(DeckA, 0));
    EXPECT_TRUE(IsAttenuated(DeckB, -1));
    EXPECT_FALSE(IsAttenuated(DeckB, 0));
    EXPECT_TRUE(IsAttenuated(DeckC, 5));
    EXPECT_TRUE(IsAttenuated(DeckD, -5));
}

} // namespace
