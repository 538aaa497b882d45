#include "audio/jukebox/JukeboxQueue.h"

#include "decoder/player/control_messages.h"

bool JukeboxQueue::LoadFile(const CString& path)
{
    if (path.IsEmpty())
        return false;
    TAG_INFO tags;
    const bool read = m_reader && m_reader(path, &tags);
    if (read) {
        m_tags = tags;
        if (m_player) {
            m_player->Command(CM_INPUT_OPEN, static_cast<const char*>(path));
            m_player->Command(CM_SET_POSITION_RANGE, static_cast<int>(m_tags.Length));
        }
        if (m_display)
            m_display->TrackLoaded(m_tags);
    }
    if (m_display)
        m_display->TrackTried(path, read ? m_tags : tags);
    return read;
}

bool JukeboxQueue::PlayNext()
{
    while (!m_source->IsEmpty()) {
        const CString path = m_source->FirstPath();
        m_source->RemoveFirst();
        if (m_display)
            m_display->QueueRecordTaken(path);
        if (LoadFile(path))
            return true;
    }
    return false;
}
