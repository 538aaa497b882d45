// The timers' arithmetic: the held buttons' accelerating periods, the
// clock and uptime texts, the dAredero advance and which ids the mixer owns.
#include "mainwindow/timers/TimerRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace main_timers;

TEST(RepeatPeriods, EachHeldButtonSpeedsUpToItsFloor)
{
    const struct { const RepeatRule* rule; int count; std::vector<int> waits; } cases[] = {
        {&kJukeListRepeat, 16, {140, 130, 120, 110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 20, 20, 20}},
        {&kThumbListRepeat, 9, {60, 50, 40, 30, 20, 10, 2, 2, 2}},
        {&kTrackListRepeat, 5, {140, 136, 132, 128, 124}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.waits, RepeatWaits(*c.rule, c.count)) << c.rule->start << "/" << c.rule->step;

    // The track list reaches 20 after 30 steps of 4 and stays there.
    const std::vector<int> track = RepeatWaits(kTrackListRepeat, 40);
    EXPECT_EQ(24, track[29]);
    EXPECT_EQ(20, track[30]);
    EXPECT_EQ(20, track[39]);
}

TEST(RepeatPeriods, APeriodNeverGoesBelowTheFloor)
{
    EXPECT_EQ(2, NextRepeatPeriod(10, kThumbListRepeat));
    EXPECT_EQ(2, NextRepeatPeriod(2, kThumbListRepeat));
    EXPECT_EQ(20, NextRepeatPeriod(22, kTrackListRepeat));
    EXPECT_EQ(20, NextRepeatPeriod(25, kJukeListRepeat));
    EXPECT_EQ(30, NextRepeatPeriod(40, kJukeListRepeat));
}

TEST(Uptime, HoursAndMinutesWithTheHoursCountingPast24)
{
    const struct { int64_t seconds; const char* text; } cases[] = {
        {0, "00:00"},          {59, "00:00"},        {60, "00:01"},     {3599, "00:59"},
        {3600, "01:00"},       {86399, "23:59"},     {86400, "24:00"},  {90180, "25:03"},
        {360000, "100:00"},    {-5, "00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, FormatUptime(c.seconds)) << c.seconds;
}

TEST(Clock, ATwelveHourClockWithMinutes)
{
    const struct { int hour, minute; const char* text; } cases[] = {
        {0, 0, "12:00"}, {9, 5, "09:05"}, {12, 30, "12:30"}, {13, 1, "01:01"}, {23, 59, "11:59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, FormatClock(c.hour, c.minute)) << c.hour << ":" << c.minute;
}

TEST(DAredero, AdvancesOnlyWhenSetUpStoppedOrEndedWithTracksQueued)
{
    for (int state = 3999; state <= 4005; ++state) {
        const bool idle = state == 4000 || state == 4002 || state == 4004;
        EXPECT_EQ(idle, DArederoAdvances(1, state)) << state;
        EXPECT_EQ(idle, DArederoAdvances(7, state)) << state;
        EXPECT_FALSE(DArederoAdvances(0, state)) << state;
    }
}

TEST(TimerIds, TheMixerOwnsTheFadesGlideAutoMixAndRandomPlay)
{
    const std::vector<unsigned> mixer = {2, 3, 4, 5, 6, 7, 10, 11, 12, 24, 25, 26, 27};
    for (unsigned id = 0; id <= kLastTimerId; ++id) {
        const bool expected = std::find(mixer.begin(), mixer.end(), id) != mixer.end();
        EXPECT_EQ(expected, IsMixerTimer(id)) << id;
    }
}
