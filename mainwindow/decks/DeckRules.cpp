#include "mainwindow/decks/DeckRules.h"

#include <cstdio>

namespace deck_rules
{

namespace
{

const unsigned kDeckBase[4] = {27100, 27200, 28300, 28400};
const char kLetters[4] = {'a', 'b', 'c', 'd'};

// Which decks have a command: all four, or A and B only, or A only.
enum DeckSet { AllDecks, DecksAB, DeckAOnly };

struct Row
{
    unsigned offset;   // the id less the deck's base
    DeckAction action;
    DeckSet decks;
    const char* name;
};

const Row kRows[] = {
    {1, DeckAction::Play, AllDecks, "play"},
    {2, DeckAction::Stop, AllDecks, "stop"},
    {3, DeckAction::Pause, AllDecks, "pause"},
    {4, DeckAction::Restart, AllDecks, "restart"},
    {7, DeckAction::Eject, AllDecks, "eject"},
    {10, DeckAction::Preset1, DecksAB, "preset1"},
    {11, DeckAction::Preset2, DecksAB, "preset2"},
    {12, DeckAction::Preset3, DecksAB, "preset3"},
    {13, DeckAction::Preset4, DecksAB, "preset4"},
    {14, DeckAction::Cue1, DecksAB, "cue1"},
    {15, DeckAction::Cue2, DecksAB, "cue2"},
    {16, DeckAction::LoopIn, DecksAB, "loopin"},
    {17, DeckAction::LoopOut, DecksAB, "loopout"},
    {18, DeckAction::LoopStart, DecksAB, "loopstart"},
    {19, DeckAction::EqOnOff, AllDecks, "eqonoff"},
    {20, DeckAction::Mute, AllDecks, "mute"},
    {21, DeckAction::FastForward, AllDecks, "ff"},
    {22, DeckAction::Rewind, AllDecks, "rw"},
    {24, DeckAction::PitchZero, AllDecks, "pitchzero"},
    {25, DeckAction::GainUp, DecksAB, "gainup"},
    {26, DeckAction::GainDown, DecksAB, "gaindown"},
    {28, DeckAction::EqFlat, AllDecks, "eqflat"},
    {29, DeckAction::PitchUp, AllDecks, "pitchup"},
    {30, DeckAction::PitchDown, AllDecks, "pitchdown"},
    {32, DeckAction::Props, DecksAB, "props"},
    {35, DeckAction::KillLow, DecksAB, "eqlowkill"},
    {36, DeckAction::KillMid, DecksAB, "eqmidkill"},
    {37, DeckAction::KillHigh, DecksAB, "eqhighkill"},
    {39, DeckAction::PlayPause, AllDecks, "playpause"},
    {40, DeckAction::PitchMoveUp, DecksAB, "pitchmoveup"},
    {41, DeckAction::PitchMoveDown, DecksAB, "pitchmovedown"},
    {46, DeckAction::KeyLock, DeckAOnly, "keylock"},
};

// Commands outside the decks' ranges.
struct Fixed
{
    unsigned id;
    int deck;
    DeckAction action;
    const char* name;
};

const Fixed kFixed[] = {
    {28122, 0, DeckAction::FxRotate, "fxrotate"}, {28123, 0, DeckAction::FxEcho, "fxecho"},
    {28124, 0, DeckAction::FxFlange, "fxflange"}, {28126, 1, DeckAction::FxRotate, "fxrotate"},
    {28127, 1, DeckAction::FxEcho, "fxecho"},     {28128, 1, DeckAction::FxFlange, "fxflange"},
    {28030, 0, DeckAction::GainPitch, "gainpitch"}, {28031, 1, DeckAction::GainPitch, "gainpitch"},
    {28509, 0, DeckAction::Unload, "unloaddeck"}, {28510, 1, DeckAction::Unload, "unloaddeck"},
};

bool DeckHas(DeckSet decks, int deck)
{
    switch (decks) {
    case AllDecks: return deck >= 0 && deck < 4;
    case DecksAB: return deck == 0 || deck == 1;
    case DeckAOnly: return deck == 0;
    }
    return false;
}

} // namespace

DeckCommand DeckCommandOf(unsigned id)
{
    for (const Fixed& f : kFixed)
        if (f.id == id)
            return {f.deck, f.action};
    for (int deck = 0; deck < 4; ++deck) {
        if (id <= kDeckBase[deck] || id > kDeckBase[deck] + 99)
            continue;
        const unsigned offset = id - kDeckBase[deck];
        for (const Row& row : kRows)
            if (row.offset == offset && DeckHas(row.decks, deck))
                return {deck, row.action};
    }
    return {};
}

unsigned CommandIdOf(int deck, DeckAction action)
{
    for (const Fixed& f : kFixed)
        if (f.deck == deck && f.action == action)
            return f.id;
    if (deck < 0 || deck > 3)
        return 0;
    for (const Row& row : kRows)
        if (row.action == action && DeckHas(row.decks, deck))
            return kDeckBase[deck] + row.offset;
    return 0;
}

const char* ActionName(DeckAction action)
{
    for (const Row& row : kRows)
        if (row.action == action)
            return row.name;
    for (const Fixed& f : kFixed)
        if (f.action == action)
            return f.name;
    return "none";
}

const char* StatusText(int state)
{
    switch (state) {
    case 4000: return "Ready";
    case 4001: return "Playing";
    case 4002: return "Stopped";
    case 4003: return "Paused";
    case 4004: return "Finished";
    }
    return "";
}

int JogKnobPosition(int seconds, int length)
{
    if (length <= 0)
        return -1;
    // In 64 bits: a time code far beyond the track cannot overflow.
    const long long position = static_cast<long long>(seconds) * 300 / length + 30;
    return static_cast<int>(position);
}

CString ChannelsText(int channels)
{
    CString text;
    text.Format("%d", channels);
    return text;
}

CString BitrateText(int kbps)
{
    CString text;
    text.Format("%03d", kbps);
    return text;
}

CString FrequencyText(int hertz)
{
    CString text;
    text.Format("%05d", hertz);
    return text;
}

int ToggledFxMode(int current, int mode)
{
    return current == mode ? 0 : mode;
}

int ClampStoredEq(int value)
{
    return value < EqStoredMin ? EqStoredMin : value > EqStoredMax ? EqStoredMax : value;
}

int ClampGainPosition(int value)
{
    return value < 0 ? 0 : value > 100 ? 100 : value;
}

CString DeckLightName(int deck, const char* light)
{
    CString name;
    name.Format("lt-%c-%s", deck >= 0 && deck < 4 ? kLetters[deck] : '?', light);
    return name;
}

CString DeckControlName(int deck, const char* control)
{
    CString name;
    name.Format("%c-%s", deck >= 0 && deck < 4 ? kLetters[deck] : '?', control);
    return name;
}

} // namespace deck_rules
