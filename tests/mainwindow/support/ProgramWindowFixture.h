// The real main window under Wine for the tests of the decks, the mixer and
// AutoMix: a program folder of the test's own with a copy of the shipped
// skins and a program INI on the Default skin, a MainDialog with the
// program's parts (or a test's subclass of them), made and set up as the
// start-up sequence does, and the ways to reach its skin controls.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/support/ProgramFolder.h"

class CBitmapSlider;
class DeckSet;
class MainDialog;
class ProgramParts;

namespace tavrix_test
{

class ProgramWindowFixture : public ::testing::Test
{
protected:
    using PartsFactory = std::function<std::unique_ptr<ProgramParts>(MainDialog&)>;

    // The [MAIN] keys every window here has: the Default skin from the
    // copied skins folder, the log, deck times ten a second and level
    // feedback twenty times a second.
    static std::string MainKeys();
    // Decks A and B at full gain with EQ off (gain position 0).
    static std::string FullGainDecks();

    // Writes TavrixVJ.INI (the text as it is: "[MAIN]\r\n" + MainKeys()
    // + ... is the usual start), makes the main window with the parts the
    // factory makes (the program's own when none) and waits until the
    // decks are set up and the players of the first readyDecks decks have
    // said they are ready. Fails the test when any step fails.
    void OpenWindow(const std::string& ini, int readyDecks, const PartsFactory& factory = PartsFactory());
    void TearDown() override;

    DeckSet& Decks();
    HWND Window() const;
    // WM_COMMAND with the id, sent.
    void Command(UINT id);
    // A skin text or status field's text ("<none>" when the skin has no
    // such field), an indicator light (1 on, 0 off, -1 none), a slider.
    std::string Text(const char* name);
    int Light(const char* name);
    CBitmapSlider* Slider(const char* name);
    // Handles the window's messages for ms milliseconds.
    void Pump(unsigned long ms);
    // Loads a test media file into a deck and waits until the deck's
    // player has opened it (a play sent before then may come before the
    // decoder is ready for it).
    void Load(int deck, const char* media);

    ProgramFolderScope m_folder;
    MainDialog* m_dialog = nullptr;
    std::unique_ptr<ProgramParts> m_parts;
};

} // namespace tavrix_test
