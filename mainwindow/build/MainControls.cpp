#include "mainwindow/build/MainControls.h"

MainControls::MainControls() = default;

MainControls::~MainControls()
{
    // The info window is a top-level window: it goes first, while the main
    // window (its owner) still exists.
    m_info.reset();
}

CFlatButton* MainControls::FindButton(const char* action)
{
    const int index = main_build::ButtonIndex(action);
    return index >= 0 && m_buttons[index].m_hWnd ? &m_buttons[index] : nullptr;
}

TXVTextField* MainControls::FindTextField(const char* name)
{
    const int index = main_build::TextFieldIndex(name);
    return index >= 0 && m_textFields[index].m_hWnd ? &m_textFields[index] : nullptr;
}

TXVStatusField* MainControls::FindStatusField(const char* name)
{
    const int index = main_build::StatusFieldIndex(name);
    return index >= 0 && m_statusFields[index].m_hWnd ? &m_statusFields[index] : nullptr;
}

TXVIndLight* MainControls::FindLight(const char* name)
{
    const int index = main_build::LightIndex(name);
    return index >= 0 && m_lights[index].m_hWnd ? &m_lights[index] : nullptr;
}

TXVTrackList* MainControls::FindTrackList(const char* name)
{
    const int index = main_build::TrackListIndex(name);
    return index >= 0 && m_trackLists[index].m_hWnd ? &m_trackLists[index] : nullptr;
}

void MainControls::SetJukePane(int index, std::unique_ptr<SkinJukePane> pane)
{
    if (index >= 0 && index < main_build::kJukePaneCount)
        m_jukePanes[index] = std::move(pane);
}

SkinJukePane* MainControls::JukePane(int index) const
{
    return index >= 0 && index < main_build::kJukePaneCount ? m_jukePanes[index].get() : nullptr;
}

void MainControls::SetAlbumArt(int index, std::unique_ptr<SkinAlbumArt> view)
{
    if (index >= 0 && index < main_build::kArtCount)
        m_arts[index] = std::move(view);
}

SkinAlbumArt* MainControls::AlbumArt(int index) const
{
    return index >= 0 && index < main_build::kArtCount ? m_arts[index].get() : nullptr;
}
