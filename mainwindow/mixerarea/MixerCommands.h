// MixerCommands: the command ids of the mixer and AutoMix areas and what
// each one runs in the mixer model (Mixer) and in AutoMix: the fades of
// the four decks, the crossfader and side commands, the mixes, monitor
// routing, AutoMix, AutoMix random and random play. Also the routing of the
// mixer's and AutoMix's timer ticks. Free of windows.
#pragma once

class AutoMix;
class Mixer;

namespace mixer_commands
{

enum class MixerAction
{
    None,
    FadeIn,          // "a-fadein" ... "d-fadein"
    FadeOut,         // "a-fadeout" ... "d-fadeout"
    Center,          // "mx-center"
    GlideLeft,       // "mx-fadeleft"
    GlideRight,      // "mx-faderight"
    MixLeft,         // "mx-mixleft"
    MixRight,        // "mx-mixright"
    MixNext,         // "mx-mixnext"
    StepLeft,        // "mx-faderleft"
    StepRight,       // "mx-faderright"
    Monitor,         // "mx-monitora" ... "mx-monitord"
    AssignLeft,      // "mx-assignleft"
    AssignRight,     // "mx-assignright"
    ToggleAutoMix,   // "mx-automixon", 27307
    AutoMixRandom,   // "mx-automixrandom"
    RandomPlay,      // "a-random", "b-random"
    AutoMixSettings, // "mx-automixprops"
};

struct MixerCommand
{
    MixerAction action = MixerAction::None;
    int deck = -1;   // the deck of the deck commands, else -1
};

// The action of a command id (None: not a mixer or AutoMix command).
MixerCommand MixerCommandOf(unsigned id);

// Runs a command in the mixer model and AutoMix; false when the id is not
// one of theirs, or is "mx-automixprops" (the configuration dialog's, which
// the caller opens). A null AutoMix leaves its commands undone.
bool RunMixerCommand(Mixer& mixer, AutoMix* autoMix, unsigned id);

// A timer tick of the fades, glide (Mixer) or AutoMix and random play;
// false when the id is neither's.
bool RunMixerTimer(Mixer& mixer, AutoMix* autoMix, unsigned id);

} // namespace mixer_commands
