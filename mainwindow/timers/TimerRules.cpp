#include "mainwindow/timers/TimerRules.h"

#include <cstdio>

namespace main_timers {

const RepeatRule kJukeListRepeat = {140, 10, 20};
const RepeatRule kThumbListRepeat = {60, 10, 2};
const RepeatRule kTrackListRepeat = {140, 4, 20};

bool IsMixerTimer(unsigned id)
{
    return (id >= kGlide && id <= kAutoMix) || (id >= kRandomPlayA && id <= kAutoMixRandom) ||
           (id >= kFadeInC && id <= kFadeOutD);
}

int NextRepeatPeriod(int period, const RepeatRule& rule)
{
    const int next = period - rule.step;
    return next < rule.floor ? rule.floor : next;
}

std::vector<int> RepeatWaits(const RepeatRule& rule, int count)
{
    std::vector<int> waits;
    int period = rule.start;
    for (int i = 0; i < count; ++i) {
        waits.push_back(period);
        period = NextRepeatPeriod(period, rule);
    }
    return waits;
}

std::string FormatUptime(int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    const long long hours = static_cast<long long>(seconds / 3600);
    const int minutes = static_cast<int>((seconds / 60) % 60);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02d", hours, minutes);
    return text;
}

std::string FormatClock(int hour24, int minute)
{
    int hour = hour24 % 12;
    if (hour == 0)
        hour = 12;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

bool DArederoAdvances(int queuedRows, int playerState)
{
    return queuedRows > 0 && (playerState == 4000 || playerState == 4002 || playerState == 4004);
}

} // namespace main_timers
