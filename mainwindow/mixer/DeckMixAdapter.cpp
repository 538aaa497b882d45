#include "mainwindow/mixer/DeckMixAdapter.h"

UINT DeckMixAdapter::PlayCommandId(int deck)
{
    static const UINT ids[4] = {27101, 27201, 28301, 28401};
    return deck >= 0 && deck < 4 ? ids[deck] : 0;
}

int DeckMixAdapter::LoadTrack(const CString& path)
{
    if (!m_loader || path.IsEmpty())
        return -1;
    return m_loader(*m_deck, path) == 1 ? 1 : -1;
}
