// The decks' rules in the main window that need no window: which deck
// command a command id is, the deck texts (status, stream facts), the jog
// knob's position for a time, the list selector and effect-mode steps, and
// the stored EQ values' range. Built natively too.
#pragma once

#include "framework/core/CString.h"

namespace deck_rules
{

// What a deck command does (the handlers of DeckCommands).
enum class DeckAction
{
    None,          // not a deck command of this table, or one that does nothing
    Play, Pause, PlayPause, Stop, Restart, Eject, Mute,
    FastForward, Rewind, Cue1, Cue2, LoopIn, LoopOut, LoopStart,
    PitchZero, PitchMoveUp, PitchMoveDown, PitchUp, PitchDown, KeyLock,
    EqOnOff, EqFlat, KillLow, KillMid, KillHigh, GainUp, GainDown,
    FxRotate, FxEcho, FxFlange, GainPitch, Props,
    Preset1, Preset2, Preset3, Preset4, Unload,
};

struct DeckCommand
{
    int deck = -1;                 // 0 to 3 (A to D); -1 for None
    DeckAction action = DeckAction::None;
};

// The deck command of a command id; {-1, None} for any other id (the ids
// that are accepted and change nothing among them: 27246, 28346, 28446).
DeckCommand DeckCommandOf(unsigned id);

// The command id of a deck's action (0 when the deck has no such command):
// the inverse of DeckCommandOf.
unsigned CommandIdOf(int deck, DeckAction action);

// The action's name for the log and tests ("play", "eqlowkill" ...).
const char* ActionName(DeckAction action);

// Status text of a deck state: "Ready", "Playing", "Stopped", "Paused",
// "Finished"; "" for any other state.
const char* StatusText(int state);

// The jog knob's position (30 to 330) at `seconds` of a track of `length`
// seconds: trunc(seconds x 300 / length) + 30; -1 when the length is 0 or
// less (the knob stays).
int JogKnobPosition(int seconds, int length);

// Stream facts as the deck shows them: channels "%d", bitrate "%03d",
// sample rate "%05d".
CString ChannelsText(int channels);
CString BitrateText(int kbps);
CString FrequencyText(int hertz);

// The deck effect mode after its command (modes: 0 none, 1 rotate, 2 echo,
// 3 flange): the mode, unless it is on already, then 0.
int ToggledFxMode(int current, int mode);

// Stored EQ band values run -50 (cut) to +50 (full boost); a value read
// from the settings outside that range is held at its end.
enum { EqStoredMin = -50, EqStoredMax = 50 };
int ClampStoredEq(int value);

// The gain slider (0 to 100) position of a stored DECKx/Gain value.
int ClampGainPosition(int value);

// The canned notices the deck commands show.
enum { NoticeBadTrack = 4005, NoticeNotInLibrary = 4003 };

// The configuration dialog's pages the deck commands open.
enum { ConfigPageDecks = 2, ConfigPagePresets = 4 };

// The pitch-centre and other lights of a deck by name: "lt-a-" + name.
CString DeckLightName(int deck, const char* light);
// A deck's control by name: "a-" + name.
CString DeckControlName(int deck, const char* name);

} // namespace deck_rules
