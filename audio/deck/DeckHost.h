// What the decks need of the main window: its handle (for the deck time
// messages), the settings it loaded, the other decks, and the refreshes of
// the deck's texts, status, meters, bars, lights and waveform. The main
// dialog implements it; tests fill it with a recording host.
#pragma once

#include <windows.h>

class Deck;

// WM_USER + 9500: deck time, wParam the deck (0-3), lParam elapsed whole
// seconds. Posted by the decks and their players.
enum { WM_DECK_TIME = WM_USER + 9500 };

// The main window's stop commands of decks A to D.
enum { ID_DECK_STOP_A = 27102, ID_DECK_STOP_B = 27202, ID_DECK_STOP_C = 28302, ID_DECK_STOP_D = 28402 };

// Values the main window loaded from "TavrixVJ.INI" at start.
struct DeckHostSettings
{
    bool decode = false;       // MAIN/Decode
    bool bufferFile = false;   // MAIN/BufferFile
    int playerMode = 0;        // MAIN/AudioDeckPlayerMode
    bool logging = false;      // MAIN/Logging
    bool useFxFilter = false;  // MAIN/UseFXFilter
    int outputDevice[4] = {0, 0, 0, 0};  // DECKA/OutputDevice to DECKD/...
    int monitorDevice[4] = {0, 0, 0, 0}; // DECKA/MonitorDevice to DECKD/...
};

class DeckHost
{
public:
    virtual ~DeckHost() = default;

    // The main window's handle: deck time messages go there, and the
    // players hand it to DirectSound as their window.
    virtual HWND DeckWindow() const = 0;
    virtual const DeckHostSettings& DeckSettings() const = 0;
    // The deck object of a deck number, null when that deck does not exist.
    virtual Deck* GetDeck(int deck) = 0;

    // Refreshes of the main window.
    virtual void UpdateDeckDisplay(int deck) = 0;
    virtual void ShowDeckStatus(int deck) = 0;
    virtual void SetDeckVuLevels(int deck, int left, int right) = 0;
    virtual void InitDeckPositionBar(int deck, int length) = 0;
    // The loop light of deck A (0) or deck B (1); the other decks have none.
    virtual void SetDeckLoopLight(int deck, bool on) = 0;
    // Clears the waveform strip of deck A (0) or deck B (1).
    virtual void ResetDeckWaveform(int deck) = 0;
    // The main window's stop command of a deck (OnStopDeckA to D).
    virtual void RunDeckStopCommand(int deck) = 0;
    // Runs one of the main window's commands (WM_COMMAND with that id), as
    // the FX dialog does with the deck effect commands.
    virtual void RunDeckCommand(UINT id) = 0;
};
