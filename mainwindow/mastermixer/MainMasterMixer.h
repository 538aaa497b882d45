// MainMasterMixer: the main window's side of the master mixer. It creates
// the "Master Mixer" dialog once, modeless and hidden, as the start-up's
// modeless-window step asks, shows it on demand, and serves it as its
// MasterMixerHost: the decks, the equalizer values and monitor gains the
// main window keeps (in its mixer model), the main window's equalizer
// refresh and its commands (through the window's own dispatch).
//
// The decks and the mixer model are handed in by the areas that build them
// (SetDecks, SetMixer). Until the mixer model is there the values are kept
// here, so the dialog still works on its own.
#pragma once

#include <memory>

#include "audio/mastermixer/MasterMixerHost.h"

class DeckHost;
class MainDialog;
class Mixer;
class ProgramParts;
class TXVMixer2;

class MainMasterMixer : public MasterMixerHost
{
public:
    explicit MainMasterMixer(MainDialog& dialog);
    // Destroys the dialog when it still exists.
    ~MainMasterMixer() override;
    MainMasterMixer(const MainMasterMixer&) = delete;
    MainMasterMixer& operator=(const MainMasterMixer&) = delete;

    // Attributes
    // The main window's decks (DeckHost::GetDeck) and its mixer model; null:
    // none yet.
    void SetDecks(DeckHost* decks) { m_decks = decks; }
    void SetMixer(Mixer* mixer) { m_mixer = mixer; }
    // The dialog, null until it was created.
    TXVMixer2* Window() const { return m_window.get(); }

    // Operations
    // Creates the dialog, owned by the main window and hidden; a second call
    // keeps the first dialog. True when the dialog exists.
    bool Create();
    // Shows the dialog (created first when needed) in front of the main
    // window; it opens on deck A.
    void Show();

    // MasterMixerHost
    Deck* GetDeck(int deck) override;
    void GetDeckEqValues(int deck, int* low, int* mid, int* high) override;
    void SetDeckEqValues(int deck, int low, int mid, int high) override;
    void SetDeckEq(int deck, int low, int mid, int high) override;
    void UpdateEqControls(int deck) override;
    void SetDeckMonitorGain(int deck, int gain) override;
    void RunDeckCommand(UINT id) override;

    // The monitor gain last set for a deck (the main window saves it as
    // DECKx/MonGain).
    int GetDeckMonitorGain(int deck) const;

private:
    MainDialog& m_dialog;
    DeckHost* m_decks = nullptr;
    Mixer* m_mixer = nullptr;
    std::unique_ptr<TXVMixer2> m_window;
    // The values kept while there is no mixer model.
    int m_eq[4][3] = {};
    int m_monitorGain[4] = {100, 100, 100, 100};
};

// The start-up's modeless-window step for the master mixer (ProgramParts'
// CreateModeless with ModelessWindow::MasterMixer): true when the dialog
// exists. ShowMasterMixerWindow is its ShowModeless.
bool CreateMasterMixerWindow(ProgramParts& parts);
void ShowMasterMixerWindow(ProgramParts& parts);
