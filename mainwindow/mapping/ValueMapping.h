// Value mapping: what the skin's sliders and knobs and the MIDI
// controllers' values mean for the mixer. Which control or controller
// command drives what (by control id and command id), and the arithmetic
// that turns a controller value, a knob position or a jog-wheel movement
// into a slider position, a knob position or a seek. Free of windows.
#pragma once

namespace mapping
{

// What a skin slider notification drives.
enum class SliderKind
{
    None,          // not a slider of the main window's mixer
    Crossfader,
    Gain,
    Pitch,
    Tempo,         // does nothing
    Eq,            // band 0 low, 1 mid, 2 high
    Seek,
    VideoSeek,
    VideoVolume,
    JukeboxVolume
};

struct SliderTarget
{
    SliderKind kind = SliderKind::None;
    int deck = -1;
    int band = -1;
};

// The slider of a (negative) skin control id.
SliderTarget ClassifySlider(int controlId);

// What a controller value drives.
enum class ControllerKind { None, Crossfader, Gain, Pitch, Eq, JogWheel };

struct ControllerTarget
{
    ControllerKind kind = ControllerKind::None;
    int deck = -1;
    int band = -1;
};

// The target of a controller-map entry's command id.
ControllerTarget ClassifyControllerCommand(int commandId);

// A controller-map entry's range: inverted when rhigh < rlow.
struct ControllerRange
{
    int rlow = 0;
    int rhigh = 127;
    bool Inverted() const { return rhigh < rlow; }
};

// The crossfader position of a controller value: trunc(v × 1.6 - 100),
// negated when the entry is inverted (the control clamps it).
int CrossfaderFromController(int value, const ControllerRange& range);

// The gain or pitch slider position (0 to 100, centre 50) of a controller
// value. A range of two steps or fewer has no step to scale by: its values
// map to the centre.
int SliderFromController(int value, const ControllerRange& range);

// The EQ knob position (30 to 330, centre 180) of a controller value; the
// same rule for short ranges.
int EqKnobFromController(int value, const ControllerRange& range);

// Knob positions.
enum { KnobMinimum = 30, KnobMaximum = 330, KnobCentre = 180 };

// The second a jog knob's position seeks to in a track of `length` seconds.
int JogKnobSeconds(int length, int position);

// A jog wheel's movement: the seek in seconds (negative backwards, 0 for
// none) of controller value v. `denon` is the Denon controllers' scheme.
int JogWheelSeek(int value, bool inverted, bool denon);

} // namespace mapping
