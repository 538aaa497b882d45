// A deck player that writes down every command it would send (as text:
// "seek 10 240"), with no engine behind it, and a main window that writes
// down every call a deck makes and keeps the deck time messages posted to
// its real (hidden) window.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "audio/deck/Deck.h"
#include "audio/deck/DeckPlayer.h"

// The text of a packed command: its name and its arguments.
std::string DescribeCommand(const control_message& message);

class RecordingDeckPlayer : public DeckPlayer
{
public:
    RecordingDeckPlayer();
    const std::vector<std::string>& Sent() const { return m_sent; }
    void ClearSent() { m_sent.clear(); }
    // Hands a notification to the player as its window would.
    void Notify(int code, ...);
    // Commands of this code are written down but fail to reach the player,
    // as a post to a player whose queue refuses it does (0: none fail).
    void FailCommand(int code) { m_failing = code; }

protected:
    int PostCommand(const control_message& message) override;

private:
    std::vector<std::string> m_sent;
    int m_failing = 0;
};

// A deck whose player is a RecordingDeckPlayer.
class RecordingDeck : public Deck
{
public:
    explicit RecordingDeck(DeckHost* host) : Deck(host) {}
    RecordingDeckPlayer* Recorder() const { return static_cast<RecordingDeckPlayer*>(GetPlayer()); }

protected:
    DeckPlayer* CreatePlayer(HINSTANCE) override { return new RecordingDeckPlayer(); }
};

class RecordingHost : public DeckHost
{
public:
    RecordingHost();
    ~RecordingHost() override;

    DeckHostSettings settings;
    Deck* decks[4] = {nullptr, nullptr, nullptr, nullptr};
    std::vector<std::string> calls;
    // The thread each call came on, beside calls.
    std::vector<DWORD> threads;
    void Clear() { calls.clear(); threads.clear(); }
    // The stop command stops the deck, as the main window's does.
    bool stopDecks = false;

    // The deck time messages waiting in the window's queue, taken out:
    // (wParam, lParam) pairs.
    std::vector<std::pair<int, long long>> TakeTimes();

    HWND DeckWindow() const override { return m_window; }
    const DeckHostSettings& DeckSettings() const override { return settings; }
    Deck* GetDeck(int deck) override { return deck >= 0 && deck < 4 ? decks[deck] : nullptr; }
    void UpdateDeckDisplay(int deck) override;
    void ShowDeckStatus(int deck) override;
    void SetDeckVuLevels(int deck, int left, int right) override;
    void InitDeckPositionBar(int deck, int length) override;
    void SetDeckLoopLight(int deck, bool on) override;
    void ResetDeckWaveform(int deck) override;
    void RunDeckStopCommand(int deck) override;
    // Writes the command down; the deck effect commands toggle the deck's
    // effect as the main window's do.
    void RunDeckCommand(UINT id) override;

private:
    void Add(const char* format, ...);
    HWND m_window = nullptr;
};
