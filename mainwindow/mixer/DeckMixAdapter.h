// DeckMixAdapter: a real deck (`Deck`) as the mixer, AutoMix and random
// play see it (MixDeck). Transport, routing, volume, pitch and equalizer go
// straight to the deck; the play and stop commands go through the main
// window (DeckHost), as a button press would; the level is the one the
// deck's level feedback last reported to the main window. Loading a track
// goes through the loader the main window installs (the deck's track
// loading); without one a load fails.
#pragma once

#include <functional>

#include "audio/deck/Deck.h"
#include "mainwindow/mixer/MixSeams.h"

class DeckMixAdapter : public MixDeck
{
public:
    // Loads a file into a deck: 1 when loaded, -1 when not.
    using Loader = std::function<int(Deck& deck, const CString& path)>;

    DeckMixAdapter(Deck* deck, DeckHost* host) : m_deck(deck), m_host(host) {}

    void SetLoader(Loader loader) { m_loader = std::move(loader); }
    // The deck's level (average of left and right peak, 0 to 100).
    void SetLevel(int level) { m_level = level; }
    Deck* GetDeckObject() const { return m_deck; }

    // The main window's play command of a deck (27101, 27201, 28301, 28401).
    static UINT PlayCommandId(int deck);

    bool HasTrack() const override { return m_deck->IsLoaded(); }
    int GetState() const override { return m_deck->GetState(); }
    int GetPosition() const override { return m_deck->GetPosition(); }
    int GetLength() const override { return m_deck->GetTagInfo().Length; }
    bool IsOnMonitor() const override { return m_deck->IsOnMonitor(); }
    bool MainsEqualsMonitor() const override { return m_deck->MainsEqualsMonitor(); }
    bool IsEqualizerOn() const override { return m_deck->IsEqualizerOn(); }
    int GetLevel() const override { return m_level; }

    void Play() override { m_deck->Play(); }
    void Pause() override { m_deck->Pause(); }
    void Stop() override { m_deck->Stop(); }
    void SeekTo(int seconds) override { m_deck->SeekTo(seconds); }
    void SetMainsVolume(int volume) override { m_deck->SetMainsVolume(volume); }
    void SetMonitorVolume(int volume) override { m_deck->SetMonitorVolume(volume); }
    void RouteToMonitor() override { m_deck->RouteToMonitor(); }
    void RouteToMains() override { m_deck->RouteToMains(); }
    void SetPitch(int pitch) override { m_deck->SetPitch(pitch); }
    void SetEqualizer(int low, int mid, int high) override { m_deck->SetEqualizer(low, mid, high); }
    int LoadTrack(const CString& path) override;

    void RunPlayCommand() override { m_host->RunDeckCommand(PlayCommandId(m_deck->GetIndex())); }
    void RunStopCommand() override { m_host->RunDeckStopCommand(m_deck->GetIndex()); }

private:
    Deck* m_deck;
    DeckHost* m_host;
    Loader m_loader;
    int m_level = 0;
};
