#include "mainwindow/parts/ProgramParts.h"

#include "mainwindow/audiowindows/AudioWindows.h"
#include "mainwindow/dialog/MainDialog.h"

ProgramParts::ProgramParts(MainDialog& dialog) : m_dialog(dialog)
{
}

ProgramParts::~ProgramParts() = default;

// ---- The players beside the decks (mainwindow/audiowindows).

AudioWindows& ProgramParts::Audio()
{
    if (!m_audioWindows)
        m_audioWindows = std::make_unique<AudioWindows>(m_dialog);
    return *m_audioWindows;
}

bool ProgramParts::CreateModeless(main_menus::ModelessWindow window)
{
    switch (window) {
    case main_menus::ModelessWindow::SoundEffects:
    case main_menus::ModelessWindow::AudioJukebox:
        return Audio().CreateModeless(window);
    default:
        return MainWindowParts::CreateModeless(window);
    }
}

void ProgramParts::ShowModeless(main_menus::ModelessWindow window)
{
    if (!Audio().ShowModeless(window))
        MainWindowParts::ShowModeless(window);
}

void ProgramParts::CreateJukeboxPlayer()
{
    Audio().CreateJukeboxPlayer();
}

int ProgramParts::DArederoState()
{
    DArederoPlayer* player = Audio().GetDArederoPlayer();
    return player ? player->GetState() : 0;
}
