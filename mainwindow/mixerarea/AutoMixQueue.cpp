#include "mainwindow/mixerarea/AutoMixQueue.h"

bool AutoMixQueue::TakeFirst(CString& path)
{
    if (m_tracks.GetSize() == 0)
        return false;
    path = m_tracks[0].m_FileName;
    m_tracks.RemoveAt(0);
    if (m_refresh)
        m_refresh();
    return true;
}
