// Mixer: the main window's mixer model. It keeps the crossfader, the decks'
// gain and pitch sliders, pitch values, stored EQ values, fade targets and
// routing, the side assignment and the glide, and turns them into deck
// volumes, pitches and equalizer settings. It runs the crossfader and side
// commands, the timed glide and deck fades (their ticks come from the main
// window's timer handler through OnTimer) and the monitor routing. Free of
// windows: the decks, timers, controls and settings are the interfaces of
// MixSeams.h.
#pragma once

#include "mainwindow/mixer/MixSeams.h"
#include "mainwindow/mixer/MixerMath.h"

class Mixer
{
public:
    // Construction: decks A and B must be given before use; C and D may be
    // null (the skin has no area for them).
    Mixer(MixTimers* timers, MixView* view, MixSettings* settings);
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    void SetDeck(int deck, MixDeck* object) { m_decks[deck] = object; }
    MixDeck* GetDeck(int deck) const;
    // The crossfader control's range (the skin builder's).
    void SetCrossfaderRange(int minimum, int maximum);
    // The AutoMix state the mix commands consult.
    void SetAutoMixRunning(bool running) { m_autoMixRunning = running; }

    // Attributes
    int GetCrossfader() const { return m_x; }
    int GetCrossfaderMinimum() const { return m_xMin; }
    int GetCrossfaderMaximum() const { return m_xMax; }
    int GetGainPosition(int deck) const { return m_state[deck].gainPosition; }
    int GetPitchSlider(int deck) const { return m_state[deck].pitchSlider; }
    int GetPitch(int deck) const { return m_state[deck].pitch; }
    void GetEq(int deck, int values[3]) const;
    bool IsOnMains(int deck) const { return m_state[deck].onMains; }
    int GetLeftDeck() const { return m_left; }
    int GetRightDeck() const { return m_right; }
    bool IsGliding() const { return m_gliding; }
    int GetGlideDirection() const { return m_glideDirection; }
    bool IsFadingIn(int deck) const { return m_state[deck].fadingIn; }
    bool IsFadingOut(int deck) const { return m_state[deck].fadingOut; }
    bool GetStopFarDeck() const { return m_stopFarDeck; }
    // The volume the formula gives a deck now.
    int ComputeVolume(int deck) const;

    // Values from the controls (slider notifications, knobs, controllers).
    // Positions are clamped to the controls' ranges.
    void SetGainPosition(int deck, int position);
    void SetPitchSlider(int deck, int position);
    void SetMonitorGain(int deck, int gain) { m_state[deck].monitorGain = gain; }
    int GetMonitorGain(int deck) const { return m_state[deck].monitorGain; }
    // Moves the crossfader (clamped) without recomputing anything.
    void MoveCrossfader(int x);

    // Operations of the mixer model.
    void ApplyDeckVolume(int deck);
    void ApplyPitch(int deck);
    void SetDeckEq(int deck, int low, int mid, int high);
    // Stores EQ values without applying them.
    void StoreDeckEq(int deck, int low, int mid, int high);
    void UpdateEqControls(int deck);
    // The crossfader has moved: the assigned decks' volumes, then the
    // on-air lights.
    void OnCrossfaderChanged();
    void RefreshOnAirLights() { m_view->RefreshOnAirLights(); }

    // Commands.
    void OnCenterCrossfader();        // "mx-center"
    void OnFaderStep(int delta);      // "mx-faderleft" (-1), "mx-faderright" (+1)
    void OnFadeLeft();                // "mx-fadeleft"
    void OnFadeRight();               // "mx-faderight"
    void OnMixLeft();                 // "mx-mixleft"
    void OnMixRight();                // "mx-mixright"
    void OnMixNext();                 // "mx-mixnext"
    void OnAssignLeft();              // "mx-assignleft"
    void OnAssignRight();             // "mx-assignright"
    void OnFadeIn(int deck);          // "a-fadein" ...
    void OnFadeOut(int deck);         // "a-fadeout" ...
    void OnMonitor(int deck);         // "mx-monitora" ...

    // A timer tick; false when the timer is not one of the mixer's.
    bool OnTimer(int id);

    // Timer ids of a deck's fades.
    static int FadeInTimer(int deck);
    static int FadeOutTimer(int deck);

private:
    struct DeckState
    {
        int gainPosition = 0;
        int pitchSlider = PitchSliderCentreValue;
        int pitch = mixer::PitchNormal;
        int eq[3] = {0, 0, 0};
        int fadeTarget = 0;
        bool fadingIn = false;
        bool fadingOut = false;
        bool onMains = true;
        int monitorGain = 0;
    };
    enum { PitchSliderCentreValue = 50 };

    void StartGlide(int direction);
    void GlideTick();
    void EndGlide();
    // One tick of a deck's fade-in (`in`) or fade-out.
    void FadeTick(int deck, bool in);
    void MixTo(int deck, int direction);
    bool IsPlaying(int deck) const;

    MixTimers* m_timers;
    MixView* m_view;
    MixSettings* m_settings;
    MixDeck* m_decks[mixer::DeckCount] = {nullptr, nullptr, nullptr, nullptr};
    DeckState m_state[mixer::DeckCount];
    int m_x = 0;
    int m_xMin = -100;
    int m_xMax = 100;
    int m_left = mixer::DeckA;
    int m_right = mixer::DeckB;
    bool m_gliding = false;
    int m_glideDirection = 0;
    int m_glideStep = 1;
    bool m_stopFarDeck = false;
    bool m_autoMixRunning = false;
};
