// The main window's timer ids and the arithmetic of its ticks that needs no
// window: the accelerating repeat periods of the held scroll buttons, the
// clock and uptime texts, and when the dAredero advances.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace main_timers {

// Timer ids of the main window. 8, 9, 13, 14, 28, 29 and 33 are not used;
// the shutdown kills every id from 0 to kLastTimerId.
enum TimerId : unsigned {
    kStartup = 1,
    kGlide = 2,
    kFadeInA = 3, kFadeInB = 4, kFadeOutA = 5, kFadeOutB = 6,
    kAutoMix = 7,
    kRandomPlayA = 10, kRandomPlayB = 11,
    kAutoMixRandom = 12,
    kHoldA = 15, kHoldB = 16,
    kJukeListUp = 18, kJukeListDown = 19,
    kClock = 20,
    kCpuMeter = 21,
    kThumbLeft = 22, kThumbRight = 23,
    kFadeInC = 24, kFadeInD = 25, kFadeOutC = 26, kFadeOutD = 27,
    kTrackListUp = 30, kTrackListDown = 31,
    kDAredero = 32,
    kFirstFocus = 34,
    kLastTimerId = 35,
};

// Periods in milliseconds of the timers that have a fixed one.
enum : unsigned {
    kStartupPeriod = 1,
    kClockPeriod = 1000,
    kCpuMeterPeriod = 100,
    kDArederoPeriod = 1000,
    kFirstFocusPeriod = 100,
};

// The timers whose ticks belong to the fades, glide, AutoMix and random
// play (2 to 7, 10 to 12, 24 to 27).
bool IsMixerTimer(unsigned id);

// A held scroll button's repeat: the first period, the step by which each
// tick shortens it, and the shortest period.
struct RepeatRule
{
    int start;
    int step;
    int floor;
};

extern const RepeatRule kJukeListRepeat;   // timers 18, 19: 140, -10, 20
extern const RepeatRule kThumbListRepeat;  // timers 22, 23: 60, -10, 2
extern const RepeatRule kTrackListRepeat;  // timers 30, 31: 140, -4, 20

// The period after one more tick.
int NextRepeatPeriod(int period, const RepeatRule& rule);

// The waits before each of the first count actions of a held button: the
// starting period, then each shortened period.
std::vector<int> RepeatWaits(const RepeatRule& rule, int count);

// The uptime text: whole hours and minutes of the run, "HH:MM"; the hours
// keep counting past 24 ("25:03"). A negative span (the clock was set
// back) shows "00:00".
std::string FormatUptime(int64_t seconds);

// The clock text: a 12-hour clock with minutes, "%I:%M" (hour 0 is 12).
std::string FormatClock(int hour24, int minute);

// The dAredero plays its next queued track when the queue holds a row and
// its player is set up (4000), stopped (4002) or at the end (4004).
bool DArederoAdvances(int queuedRows, int playerState);

} // namespace main_timers
