#include "library/records/CTrackRecord.h"

#include <utility>

IMPLEMENT_SERIAL(CTrackRecord, CObject, VERSIONABLE_SCHEMA | 3)
IMPLEMENT_SERIAL(CTrackRecord40, CObject, VERSIONABLE_SCHEMA | 1)

CTrackRecord::CTrackRecord()
{
    ClearRecord();
}

CTrackRecord::CTrackRecord(const CTrackRecord& src) : CObject()
{
    CopyFrom(src);
}

// Moves let arrays of records grow and sort without copying every text.
CTrackRecord::CTrackRecord(CTrackRecord&& src) noexcept : CObject()
{
    MoveFrom(src);
}

CTrackRecord::~CTrackRecord() = default;

CTrackRecord& CTrackRecord::operator=(const CTrackRecord& src)
{
    if (this != &src)
        CopyFrom(src);
    return *this;
}

CTrackRecord& CTrackRecord::operator=(CTrackRecord&& src) noexcept
{
    if (this != &src)
        MoveFrom(src);
    return *this;
}

void CTrackRecord::MoveFrom(CTrackRecord& src) noexcept
{
    m_Title = std::move(src.m_Title);
    m_Artist = std::move(src.m_Artist);
    m_Album = std::move(src.m_Album);
    m_FileName = std::move(src.m_FileName);
    m_Genre = std::move(src.m_Genre);
    m_BPMText = std::move(src.m_BPMText);
    m_FileType = std::move(src.m_FileType);
    m_Cue1Name = std::move(src.m_Cue1Name);
    m_Cue2Name = std::move(src.m_Cue2Name);
    m_Year = std::move(src.m_Year);
    CopyNumbers(src);
}

void CTrackRecord::CopyFrom(const CTrackRecord& src)
{
    m_Title = src.m_Title;
    m_Artist = src.m_Artist;
    m_Album = src.m_Album;
    m_FileName = src.m_FileName;
    m_Genre = src.m_Genre;
    m_BPMText = src.m_BPMText;
    m_FileType = src.m_FileType;
    m_Cue1Name = src.m_Cue1Name;
    m_Cue2Name = src.m_Cue2Name;
    m_Year = src.m_Year;
    CopyNumbers(src);
}

void CTrackRecord::CopyNumbers(const CTrackRecord& src) noexcept
{
    m_Index = src.m_Index;
    m_Length = src.m_Length;
    m_PlayCount = src.m_PlayCount;
    m_BPM = src.m_BPM;
    m_Cue1 = src.m_Cue1;
    m_Cue2 = src.m_Cue2;
    m_Start = src.m_Start;
    m_End = src.m_End;
    m_Volume = src.m_Volume;
    m_Reserved1 = src.m_Reserved1;
    m_Reserved2 = src.m_Reserved2;
    m_Played = src.m_Played;
    m_HasPicture = src.m_HasPicture;
    m_Bitrate = src.m_Bitrate;
    m_SampleRate = src.m_SampleRate;
    m_Channels = src.m_Channels;
}

void CTrackRecord::ClearRecord()
{
    for (CString* s : {&m_Title, &m_Artist, &m_Album, &m_FileName, &m_Genre, &m_BPMText,
                       &m_FileType, &m_Cue1Name, &m_Cue2Name, &m_Year})
        s->Empty();
    m_Index = m_Length = m_PlayCount = m_BPM = m_Cue1 = m_Cue2 = 0;
    m_Start = m_End = m_Reserved1 = m_Reserved2 = m_Played = 0;
    m_HasPicture = m_Bitrate = m_SampleRate = m_Channels = 0;
    m_Volume = 100;
}

bool CTrackRecord::Copy(CTrackRecord src)
{
    CopyFrom(src);
    return true;
}

void CTrackRecord::Duplicate(CTrackRecord* src)
{
    if (src != this)
        CopyFrom(*src);
}

// The layout does not depend on the schema the archive recorded: older
// archives of this class are read field by field in the same order.
void CTrackRecord::Serialize(CArchive& ar)
{
    CString* strings[] = {&m_Title, &m_Artist, &m_Album, &m_FileName, &m_Genre,
                          &m_BPMText, &m_FileType, &m_Cue1Name, &m_Cue2Name, &m_Year};
    int32_t* middle[] = {&m_Length, &m_PlayCount, &m_BPM, &m_Cue1, &m_Cue2, &m_Start, &m_End,
                         &m_Volume, &m_Reserved1, &m_Reserved2, &m_Played,
                         &m_Bitrate, &m_SampleRate, &m_Channels,
                         &m_HasPicture};
    if (ar.IsStoring()) {
        ar << static_cast<int>(m_Index);
        for (CString* s : strings)
            ar.WriteCString(*s);
        for (int32_t* v : middle)
            ar << static_cast<int>(*v);
    } else {
        int v = 0;
        ar >> v;
        m_Index = v;
        for (CString* s : strings)
            *s = ar.ReadCString();
        for (int32_t* p : middle) {
            ar >> v;
            *p = v;
        }
    }
}

// One shared empty body in the old interface; nothing is read or written.
int CTrackRecord::LoadDB(CString path)
{
    (void)path;
    return 0;
}

int CTrackRecord::SaveDB(CString path)
{
    (void)path;
    return 0;
}

CTrackRecord40::CTrackRecord40() = default;
CTrackRecord40::~CTrackRecord40() = default;
