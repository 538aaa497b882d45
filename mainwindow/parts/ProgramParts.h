// ProgramParts: the program's own MainWindowParts, the object MainApp hands
// to the main window before it runs. Each area of the main window (the
// builders of the window from the skin, the decks, the library views and
// queues, the mixer and AutoMix, the jukebox and sampler windows) keeps its
// state in an object of its own, held here, and the overrides pass the
// window's calls on to it. An area adds its object and its overrides as one
// block of its own below.
#pragma once

#include "mainwindow/parts/MainWindowParts.h"

#include <memory>

class MainDialog;
class DeckArea;

class ProgramParts : public MainWindowParts
{
public:
    explicit ProgramParts(MainDialog& dialog);
    ~ProgramParts() override;
    ProgramParts(const ProgramParts&) = delete;
    ProgramParts& operator=(const ProgramParts&) = delete;

    MainDialog& Dialog() const { return m_dialog; }

private:
    MainDialog& m_dialog;

    // ---- The decks (mainwindow/decks): set-up, presets and cue points,
    // the deck commands, deck time and displays, reset and unload, the
    // deck sliders; made on first use. Other parts reach the decks through
    // Decks().Decks() (DeckSet: Get, LoadTrack) and the mixer model through
    // Decks().GetMixer().
public:
    DeckArea& Decks();
    bool RefreshPresetButtons() override;
    bool InitDecks() override;
    void ToggleDeckSpectrum(int deck) override;
    void OnDeckTime(int deck, int seconds) override;
    void OnPitchNudgeReleased(int deck) override;
    void OnShowDeckArt(int deck, const char* path) override;
    void OnSliderNotify(int controlId, LPARAM position) override;
    void RunCommand(command_areas::CommandArea area, unsigned id) override;
    // The deck, preset and unload areas' commands; false for another area.
    bool RunDeckAreaCommand(command_areas::CommandArea area, unsigned id);

private:
    std::unique_ptr<DeckArea> m_decks;
};
