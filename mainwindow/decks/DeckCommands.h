// DeckCommands: the main window's decks, free of windows. It sets the decks
// up (InitDecks: decks C and D only where the skin gives them a drop zone,
// the stored gain, EQ, pitch, monitor gain and feedback settings), runs
// every deck command (transport, seeking, cue points, loops, pitch, EQ,
// gain steps, mute, effects, mode toggles, presets, unload), answers the
// decks' notifications (deck time, status, levels, position bar, cue
// points) and writes the deck displays; ResetDeck replaces a deck object
// by a fresh one. Volumes, pitches and EQ values go through the mixer
// model (Mixer), which it owns and hands to the mixer's handlers.
#pragma once

#include "mainwindow/decks/DeckRules.h"
#include "mainwindow/decks/DeckSeams.h"
#include "mainwindow/mixer/Mixer.h"

class DeckCommands
{
public:
    DeckCommands(DeckSlots* slots, DeckView* view, MixTimers* timers, MixSettings* mixSettings);
    DeckCommands(const DeckCommands&) = delete;
    DeckCommands& operator=(const DeckCommands&) = delete;

    // Attributes
    Mixer& GetMixer() { return m_mixer; }
    bool AreDecksSetUp() const { return m_decksSetUp; }
    bool DeckExists(int deck) const;
    bool IsEqOn(int deck) const { return Valid(deck) && m_eqOn[deck]; }
    bool IsKillOn(int deck, int band) const;
    bool IsKeyLocked() const { return m_keyLock; }
    bool IsSeeking(int deck) const { return Valid(deck) && m_seeking[deck]; }
    bool IsPitchBendOnGain(int deck) const { return (deck == 0 || deck == 1) && m_pitchBendOnGain[deck]; }
    // The skip flag of the jog knob's next update (decks A and B).
    void SkipJogKnobUpdate(int deck);
    void SetDenonFeedback(bool on) { m_denonFeedback = on; }
    void SetSettings(const DeckAreaSettings& settings) { m_settings = settings; }
    const DeckAreaSettings& GetSettings() const { return m_settings; }

    // Set-up and presets.
    // hasDeckC/hasDeckD: the skin gives the deck a drop zone.
    void InitDecks(bool hasDeckC, bool hasDeckD);
    void RefreshPresetButtons();
    void LoadPreset(int deck, int n);
    void EditPresets();
    void RefreshCuePoints(int deck);

    // Commands: true when the id is a deck command (run, or one that
    // changes nothing).
    bool RunCommand(unsigned id);
    void PlayDecksAB();
    // WM_USER+9511: the pitch nudge button of a deck was released.
    void RestorePitch(int deck);
    void RefreshOnAirLights();
    // 1 neither of decks A and B plays, 2 both, 3 only A, 4 only B.
    int GetDecksPlaying() const;
    void UpdateFxButtons(int deck);

    // Notifications and displays.
    void OnDeckTime(int deck, int seconds);
    void ShowDeckTime(int deck, int seconds);
    void ShowDeckStatus(int deck);
    void SetDeckVuLevels(int deck, int left, int right);
    void InitDeckPositionBar(int deck, int length);
    void ShowCueName(int button, const CString& name);
    void UpdateDeckDisplay(int deck);
    // WM_USER+9502: the controller-map wheel of this command id (28014
    // deck A, 28015 deck B) at value (64 at rest) seeks the deck by
    // value - 64 seconds, kept within the track, when that deck's jog mode
    // (jogMode[deck]) is on.
    void OnJogWheel(int commandId, int value, const bool jogMode[2]);
    // The player context menu's "Extended Properties" of deck A (0) or B
    // (1): the dialog for a track in the library, else MSG_NOTINLIB; true
    // when the dialog was shown.
    bool EditDeckTrackProps(int deck);
    // Its "Set Cue 1/2": the cue-naming dialog with the deck's track and
    // its position now.
    void ShowSaveCuePoint(int deck, int cue);

    // Reset and unload.
    void ResetDeck(int deck);
    void UnloadDeck(int deck);

private:
    class MixViewBridge : public MixView
    {
    public:
        explicit MixViewBridge(DeckCommands& owner) : m_owner(owner) {}
        void ShowCrossfader(int x) override;
        void ShowGainSlider(int deck, int position) override;
        void ShowEqControls(int deck, const int* knobs, const int* sliders) override;
        void SetLight(const char* name, bool on) override;
        void SetText(const char* name, const CString& text) override;
        void RestoreText(const char* name) override;
        bool HasControl(const char* name) const override;
        void RefreshOnAirLights() override { m_owner.RefreshOnAirLights(); }
        void ShowMessage(const CString& text) override;
        void ShowNotice(int id) override;
        void WriteLog(const CString& text) override;

    private:
        DeckCommands& m_owner;
    };

    static bool Valid(int deck) { return deck >= 0 && deck < 4; }
    MixDeck* Mix(int deck) const;
    DeckOps* Ops(int deck) const;
    void Light(int deck, const char* light, bool on);
    void SetField(int deck, const char* field, const CString& text);
    bool IsPlaying(int deck) const;

    // The handlers of the command table.
    void Run(int deck, deck_rules::DeckAction action);
    void Play(int deck);
    void Stop(int deck);
    void PlayPause(int deck);
    void TransportLeds(int deck, bool playing);
    void Seek(int deck, bool forward);
    void Cue(int deck, int cue);
    void SetPitchSlider(int deck, int position);
    void PitchStep(int deck, int delta);
    void PitchNudge(int deck, int direction);
    void EqOnOff(int deck);
    void EqFlat(int deck);
    void Kill(int deck, int band);
    void GainStep(int deck, int delta);
    void Effect(int deck, int mode);
    // Steps 3, 5, 6, 7, 8 and 9 of a reset: the deck's controls at rest.
    void PutDeckAtRest(int deck);

    DeckSlots* m_slots;
    DeckView* m_view;
    MixViewBridge m_bridge;
    Mixer m_mixer;
    DeckAreaSettings m_settings;
    bool m_decksSetUp = false;
    bool m_hasDeck[4] = {false, false, false, false};
    bool m_eqOn[4] = {false, false, false, false};
    bool m_kill[2][3] = {{false, false, false}, {false, false, false}};
    bool m_seeking[4] = {false, false, false, false};
    bool m_skipJog[2] = {false, false};
    bool m_keyLock = false;
    bool m_pitchBendOnGain[2] = {false, false};
    bool m_denonFeedback = false;
};
