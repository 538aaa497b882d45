// DeckArea: the decks' part of the main window, held by ProgramParts. It
// is made when the start-up sequence sets the decks up (InitDecks, after
// the skin's controls exist) and keeps the deck set (DeckSet: the deck
// objects, the decks' host), the view over the skin's controls, the deck
// commands and displays (DeckCommands with the mixer model) and the
// slider handling (MixerInput). Before InitDecks every call does nothing.
#pragma once

#include <memory>

#include "mainwindow/decks/DeckCommands.h"
#include "mainwindow/decks/DeckSet.h"
#include "mainwindow/decks/DeckWindowView.h"
#include "mainwindow/mapping/MixerInput.h"
#include "mainwindow/mixer/IniMixSettings.h"
#include "mainwindow/settings/SettingsFile.h"

class MainDialog;
struct MainSettings;

class DeckArea : public MixTimers, public MixInputHost
{
public:
    explicit DeckArea(MainDialog& dialog);
    ~DeckArea() override;
    DeckArea(const DeckArea&) = delete;
    DeckArea& operator=(const DeckArea&) = delete;

    // Attributes: null before InitDecks.
    DeckSet* Decks() const { return m_set.get(); }
    DeckCommands* Commands() const { return m_commands.get(); }
    Mixer* GetMixer() const { return m_commands ? &m_commands->GetMixer() : nullptr; }
    MixerInput* Input() const { return m_input.get(); }
    DeckWindowView* View() const { return m_view.get(); }

    // The main window's calls (ProgramParts' deck block).
    bool InitDecks();
    bool RefreshPresetButtons();
    // A command of the deck, preset or unload areas.
    void RunCommand(unsigned id);
    void OnDeckTime(int deck, int seconds);
    void OnPitchNudgeReleased(int deck);
    void OnSliderNotify(int controlId);
    void OnShowDeckArt(int deck, const char* path);
    // WM_USER+9502, +9503 and +9520.
    void OnJogWheel(int commandId, int value);
    void OnArtFound(int deck);
    void OnTagArt(int deck, const char* path);
    void ToggleDeckSpectrum(int deck);
    // ResetDeck: "Reset Deck" of deck A (0) or B (1); the Tools menu's
    // "Reset Decks" runs it for A, then B.
    void ResetDeck(int deck);
    // The exit sequence: stops every deck; puts each existing deck's gain
    // position, stored EQ values, monitor gain and EQ switch into the
    // settings (deckExists[deck] set for it).
    void StopDecks();
    void StoreSettings(MainSettings& settings, bool deckExists[4]) const;

    // MixTimers
    void StartTimer(int id, int periodMs) override;
    void KillTimer(int id) override;
    // MixInputHost
    int GetSliderPosition(int controlId) override;
    int GetEqKnobPosition(int deck, int band) override;
    void SetEqKnobPosition(int deck, int band, int position) override;
    void SkipJogKnobUpdate(int deck) override;

private:
    // The view, the deck set (no deck yet), the commands and the input.
    void MakeParts();
    DeckAreaSettings ReadSettings() const;
    DeckHostSettings ReadHostSettings() const;

    MainDialog& m_dialog;
    SettingsFile m_ini;
    std::unique_ptr<IniMixSettings> m_mixSettings;
    std::unique_ptr<DeckWindowView> m_view;
    std::unique_ptr<DeckSet> m_set;
    std::unique_ptr<DeckCommands> m_commands;
    std::unique_ptr<MixerInput> m_input;
    bool m_spectrum[2] = {false, false};
};
