// MixerInput: the main window's handlers of slider notifications, knob
// scrolls, controller values and controller wheel movements, applied to the
// mixer model. The controls themselves (the sliders' and knobs' positions,
// the video deck, the dAredero player) are reached through MixInputHost.
// Free of windows.
#pragma once

#include "mainwindow/mapping/ValueMapping.h"
#include "mainwindow/mixer/Mixer.h"

class MixInputHost
{
public:
    virtual ~MixInputHost() = default;
    // A slider's position by its control id.
    virtual int GetSliderPosition(int controlId) = 0;
    // A deck's EQ knob (band 0 low, 1 mid, 2 high): position, move and
    // repaint.
    virtual int GetEqKnobPosition(int deck, int band) = 0;
    virtual void SetEqKnobPosition(int deck, int band, int position) = 0;
    // The deck's skip flag for the next jog-knob update.
    virtual void SkipJogKnobUpdate(int /*deck*/) {}
    // The video deck's seek and volume sliders, the dAredero volume.
    virtual void SeekVideoDeck(int /*position*/) {}
    virtual void SetVideoVolume(int /*position*/) {}
    virtual void SetJukeboxVolume(int /*position*/) {}
};

class MixerInput
{
public:
    MixerInput(Mixer* mixer, MixInputHost* host) : m_mixer(mixer), m_host(host) {}

    // Flags of the main window the handlers read.
    void SetDecksSetUp(bool on) { m_decksSetUp = on; }
    void SetKeyLock(bool on) { m_keyLock = on; }             // deck A's key lock
    void SetPauseOnSeek(bool on) { m_pauseOnSeek = on; }     // MAIN/PauseOnSeek
    // The controller flags (the Denon feedback, the jog modes of decks A and
    // B): set by the controller feedback.
    void SetDenonFeedback(bool on) { m_denon = on; }
    void SetJogMode(int deck, bool on);
    bool IsJogModeOn(int deck) const { return (deck == 0 || deck == 1) && m_jogMode[deck]; }

    // WM_USER+9425 and WM_USER+9426.
    void OnSliderNotify(int controlId);
    // WM_VSCROLL of a knob: a deck's jog knob (band -1) or EQ knob.
    void OnKnobScroll(int code, int position, int deck, int band);
    // WM_USER+9507: a controller value with its map entry's command id and
    // range.
    void OnControllerValue(int commandId, const mapping::ControllerRange& range, int value);
    // WM_USER+9514: a wheel movement.
    void OnControllerWheel(int commandId, const mapping::ControllerRange& range, int value);

    // The stored values of a deck's three EQ knobs (0, 0, 0 for a deck
    // outside 0 to 3).
    void GetDeckEqFromKnobs(int deck, int& low, int& mid, int& high);
    // Seeks a deck as the seek sliders and jog knobs do.
    void SeekDeck(int deck, int seconds);
    bool IsSeeking(int deck) const { return deck >= 0 && deck < 4 && m_seeking[deck]; }

private:
    Mixer* m_mixer;
    MixInputHost* m_host;
    bool m_decksSetUp = false;
    bool m_keyLock = false;
    bool m_pauseOnSeek = false;
    bool m_denon = false;
    bool m_jogMode[2] = {false, false};
    bool m_seeking[4] = {false, false, false, false};
};
