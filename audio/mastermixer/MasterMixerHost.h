// What the master mixer needs of the main window beyond the decks: the
// equalizer values it keeps for each deck, its equalizer and monitor-gain
// refreshes, and its commands. The main dialog implements it; tests fill it
// with a host that writes its calls down.
#pragma once

#include <windows.h>

class Deck;

class MasterMixerHost
{
public:
    virtual ~MasterMixerHost() = default;

    // The deck object of a deck number (0-3), null when that deck does not
    // exist.
    virtual Deck* GetDeck(int deck) = 0;
    // The low, mid and high values (-50..50) the main window keeps for a
    // deck, and storing new ones.
    virtual void GetDeckEqValues(int deck, int* low, int* mid, int* high) = 0;
    virtual void SetDeckEqValues(int deck, int low, int mid, int high) = 0;
    // Applies the values to the deck's equalizer (MainDialog::SetDeckEq).
    virtual void SetDeckEq(int deck, int low, int mid, int high) = 0;
    // Refreshes the main window's equalizer controls of a deck.
    virtual void UpdateEqControls(int deck) = 0;
    // The main window's monitor gain of a deck (saved as DECKx/MonGain).
    virtual void SetDeckMonitorGain(int deck, int gain) = 0;
    // Runs one of the main window's commands (WM_COMMAND with that id): the
    // equalizer toggles and the deck effect commands.
    virtual void RunDeckCommand(UINT id) = 0;
};
