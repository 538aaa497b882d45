// DeckSet: the main window's four deck objects (Deck) with the faces the
// mixer (DeckMixAdapter) and the deck commands (DeckOps) see, and the main
// window's side of every deck: the DeckHost the decks and their players
// report to, and the DeckLoadHost a track load uses. Other parts of the
// main window reach the decks here: Get(deck) for the deck object,
// LoadTrack for a load with its refreshes (docs/mainwindow.md).
//
// The players' level handlers run on their feedback threads: the levels
// are kept in atomic words and handed to the user-interface thread by a
// message to the set's own hidden window, once per batch.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "audio/deck/Deck.h"
#include "audio/loading/DeckLoadHost.h"
#include "mainwindow/decks/DeckSeams.h"
#include "mainwindow/mixer/DeckMixAdapter.h"

class DeckCommands;
class DeckWindowView;

class DeckSet : public DeckSlots, public DeckHost, public DeckLoadHost
{
public:
    // Makes deck objects of this kind (tests give decks whose players
    // record); the default makes real decks.
    using DeckFactory = std::function<Deck*(DeckHost* host)>;

    DeckSet(HWND mainWindow, const DeckHostSettings& settings);
    ~DeckSet() override;
    DeckSet(const DeckSet&) = delete;
    DeckSet& operator=(const DeckSet&) = delete;

    // The parts the decks report to: set before the first deck is made.
    void SetCommands(DeckCommands* commands) { m_commands = commands; }
    void SetView(DeckWindowView* view) { m_view = view; }
    void SetFactory(DeckFactory factory) { m_factory = std::move(factory); }
    // Runs a main-window command (WM_COMMAND through its message map); the
    // default sends WM_COMMAND to the main window.
    void SetCommandRunner(std::function<void(UINT)> runner) { m_runCommand = std::move(runner); }
    // Where a replaced track goes into the history (the lists' part).
    void SetHistorySink(std::function<void(const TAG_INFO&)> sink) { m_history = std::move(sink); }

    // Attributes
    // The deck object of deck 0 to 3, null while that deck does not exist.
    Deck* Get(int deck) const;
    DeckMixAdapter* GetMixDeck(int deck) const;
    // The last level a deck's feedback reported (0 to 100).
    int GetLevel(int deck) const;

    // Operations
    // Loads a track into a deck as the main window does (tags, display,
    // volume, cue points, position bar): 1 loaded, -1 not (the load says
    // why), -1 also for a deck that does not exist.
    int LoadTrack(int deck, const CString& path);
    // Takes every deck time (WM_DECK_TIME) still waiting in the main
    // window's queue: the last one of each deck goes to latest[deck], with
    // found[deck] set. The handler of one deck time shows the newest of
    // each deck at once, so the displays never fall behind the players.
    void TakeWaitingDeckTimes(int latest[4], bool found[4]);

    // DeckSlots
    MixDeck* Mix(int deck) override;
    DeckOps* Ops(int deck) override;
    void Create(int deck) override;
    void Destroy(int deck) override;

    // DeckHost
    HWND DeckWindow() const override { return m_mainWindow; }
    const DeckHostSettings& DeckSettings() const override { return m_settings; }
    Deck* GetDeck(int deck) override { return Get(deck); }
    void UpdateDeckDisplay(int deck) override;
    void ShowDeckStatus(int deck) override;
    void SetDeckVuLevels(int deck, int left, int right) override;
    void InitDeckPositionBar(int deck, int length) override;
    void SetDeckLoopLight(int deck, bool on) override;
    void ResetDeckWaveform(int deck) override;
    void RunDeckStopCommand(int deck) override;
    void RunDeckCommand(UINT id) override;

    // DeckLoadHost
    bool GetTagInfo(const CString& path, TAG_INFO* tags) override;
    void ProcessMessages() override;
    void SetDeckProgressRange(int deck, int upper) override;
    void SetDeckProgressPos(int deck, int pos) override;
    void SetDeckGainPercent(int deck, int percent) override;
    CScopeCtrl* DeckWaveStrip(int deck) override;
    void SetDeckInfoText(const CString& text) override;
    void SwitchOffLoopLights(int deck) override;
    void SetDeckPositionRange(int deck, int length) override;
    void ApplyDeckVolume(int deck) override;
    void RefreshCuePoints(int deck) override;
    // DeckJobHost
    bool HasAlbumArtView(int deck) override;
    bool SetDeckTitle(int deck, const CString& path) override;
    void AddToHistory(const TAG_INFO& replaced) override;
    int IncrementPlayCounter(const CString& path, bool inLibrary) override;

private:
    struct Slot;
    static LRESULT CALLBACK LevelWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void DeliverLevels();
    // Takes the deck's time messages still waiting for the main window out
    // of its queue; the newest of each other deck is posted again.
    void DrainDeckTimes(int deck);
    static bool Valid(int deck) { return deck >= 0 && deck < 4; }

    HWND m_mainWindow;
    DeckHostSettings m_settings;
    DeckCommands* m_commands = nullptr;
    DeckWindowView* m_view = nullptr;
    DeckFactory m_factory;
    std::function<void(UINT)> m_runCommand;
    std::function<void(const TAG_INFO&)> m_history;
    std::unique_ptr<Slot> m_slots[4];
    HWND m_levelWindow = nullptr;
    std::atomic<int> m_levels[4][2];
    std::atomic<bool> m_levelsPosted{false};
};
