#include "mainwindow/mixer/MixerMath.h"

#include <cmath>
#include <cstdlib>

namespace mixer
{

bool IsAttenuated(int deck, int x)
{
    bool left = deck == DeckA || deck == DeckC;
    return left ? x > 0 : x < 0;
}

int DeckVolume(int deck, int gainPosition, int x, int maximum)
{
    int g = GainSilent - gainPosition;
    if (maximum <= 0 || !IsAttenuated(deck, x))
        return g;
    double r = std::trunc(std::abs(x) / double(maximum) * 100.0 * (g * 0.01));
    return g - int(r);
}

PitchValue PitchFromSlider(int position)
{
    int a = position - PitchSliderCentre;
    int h = a / 2;   // C++ division truncates toward zero
    PitchValue value;
    if (h == 0)
        return value;
    value.pitch = PitchNormal - 10 * h;
    value.shown = value.pitch / 10 - 100;
    return value;
}

CString PitchText(int shown)
{
    CString text;
    text.Format(shown > 0 ? "+%d" : "%d", shown);
    return text;
}

int EqApplied(int stored)
{
    return stored / 2;
}

int EqKnobPosition(int stored)
{
    return stored * 3 + 180;
}

int EqValueFromKnob(int position)
{
    return int(std::trunc(position / 3.0 - 60.0));
}

int GlideStepSize(int setting)
{
    return setting < 1 ? 1 : setting;
}

int TimerPeriod(int setting)
{
    return setting < 10 ? 10 : setting;
}

GlideStep GlideTick(int x, int minimum, int maximum, int direction, int step)
{
    GlideStep result;
    result.x = x;
    int size = GlideStepSize(step);
    if (direction == 1) {
        if (x >= maximum) {
            result.ended = true;
            return result;
        }
        result.x = x > maximum - size ? maximum : x + size;
    } else {
        if (x <= minimum) {
            result.ended = true;
            return result;
        }
        result.x = x < minimum + size ? minimum : x - size;
    }
    return result;
}

FadeStep FadeInTick(int position, int target)
{
    FadeStep step;
    if (position - 2 <= target) {
        step.position = target;
        step.ended = true;
    } else {
        step.position = position - 2;
    }
    return step;
}

FadeStep FadeOutTick(int position, int target)
{
    FadeStep step;
    if (position + 2 >= GainSilent) {
        step.position = target;
        step.ended = true;
    } else {
        step.position = position + 2;
    }
    return step;
}

} // namespace mixer
