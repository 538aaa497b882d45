#include "mainwindow/parts/ProgramParts.h"

#include "mainwindow/decks/DeckArea.h"
#include "mainwindow/dialog/MainDialog.h"

ProgramParts::ProgramParts(MainDialog& dialog) : m_dialog(dialog)
{
}

ProgramParts::~ProgramParts() = default;

// ---- The decks (mainwindow/decks).

DeckArea& ProgramParts::Decks()
{
    if (!m_decks)
        m_decks = std::make_unique<DeckArea>(m_dialog);
    return *m_decks;
}

bool ProgramParts::RefreshPresetButtons() { return Decks().RefreshPresetButtons(); }
bool ProgramParts::InitDecks() { return Decks().InitDecks(); }
void ProgramParts::ToggleDeckSpectrum(int deck) { Decks().ToggleDeckSpectrum(deck); }
void ProgramParts::OnDeckTime(int deck, int seconds) { Decks().OnDeckTime(deck, seconds); }
void ProgramParts::OnPitchNudgeReleased(int deck) { Decks().OnPitchNudgeReleased(deck); }
void ProgramParts::OnShowDeckArt(int deck, const char* path) { Decks().OnShowDeckArt(deck, path); }

void ProgramParts::OnSliderNotify(int controlId, LPARAM)
{
    // The handler reads the position from the slider itself.
    Decks().OnSliderNotify(controlId);
}

void ProgramParts::RunCommand(command_areas::CommandArea area, unsigned id)
{
    RunDeckAreaCommand(area, id);
}

bool ProgramParts::RunDeckAreaCommand(command_areas::CommandArea area, unsigned id)
{
    using command_areas::CommandArea;
    if (area != CommandArea::Deck && area != CommandArea::Preset && area != CommandArea::UnloadDeck)
        return false;
    Decks().RunCommand(id);
    return true;
}
