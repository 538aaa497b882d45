// The mixer's arithmetic: a deck's volume from its gain slider and the
// crossfader, the pitch from the pitch slider, the equalizer's stored and
// applied values, and the single steps of the crossfader glide and of the
// deck fades. Plain functions of numbers, free of windows.
#pragma once

#include "framework/core/CString.h"

namespace mixer
{

// Decks by number.
enum { DeckA = 0, DeckB = 1, DeckC = 2, DeckD = 3, DeckCount = 4 };

// Gain slider: positions 0 (loudest) to 100 (silent).
enum { GainLoudest = 0, GainSilent = 100 };

// Pitch: 1000 is the normal speed; the pitch slider runs 0 to 100.
enum { PitchNormal = 1000, PitchSliderCentre = 50 };

// True when the crossfader at x attenuates the deck: decks A and C when x is
// on the right (x > 0), decks B and D when it is on the left (x < 0).
bool IsAttenuated(int deck, int x);

// The volume (0 to 100) of a deck with gain slider position `gainPosition`
// with the crossfader at x of maximum `maximum`. A maximum of 0 or less
// means the crossfader cannot attenuate: the volume is the gain.
int DeckVolume(int deck, int gainPosition, int x, int maximum);

// The pitch of a pitch slider position and the value shown for it
// (-25 to +25 over the slider's range).
struct PitchValue
{
    int pitch = PitchNormal;
    int shown = 0;
};
PitchValue PitchFromSlider(int position);

// The pitch text field's text: "+%d" when positive, else "%d".
CString PitchText(int shown);

// The value a deck's equalizer receives for a stored band value: half of
// it, truncated toward zero.
int EqApplied(int stored);
// An EQ knob's position for a stored value (knob positions 30 to 330).
int EqKnobPosition(int stored);
// The stored value of an EQ knob at `position`: trunc(position / 3 - 60).
int EqValueFromKnob(int position);

// One tick of the crossfader glide: direction 0 runs to the left end,
// 1 to the right end. The step moves at least one position (a step of 0 or
// less, as a missing setting reads, would never arrive), the result stays
// within the range, and the glide has ended when the crossfader already
// stood at the end it runs to.
struct GlideStep
{
    int x = 0;
    bool ended = false;
};
GlideStep GlideTick(int x, int minimum, int maximum, int direction, int step);

// The glide's step as the glide uses it: at least 1.
int GlideStepSize(int setting);

// The period of a timer as Windows runs it: at least 10 ms.
int TimerPeriod(int setting);

// One tick of a fade-in from the silent end towards `target`: two positions
// a tick, ending exactly on the target.
struct FadeStep
{
    int position = 0;
    bool ended = false;
};
FadeStep FadeInTick(int position, int target);
// One tick of a fade-out: two positions a tick towards silence; at the end
// the deck stops and the slider goes back to the target.
FadeStep FadeOutTick(int position, int target);

} // namespace mixer
