// CTrackRecord: one track of the library, a playlist, a history list or a
// queue. Records are values: every copy copies all members.
// CTrackRecord40: the previous record class, registered only so that an
// archive naming it is recognised (and refused by readers of CTrackRecord).
#pragma once

#include "framework/core/CArchive.h"
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "library/api/KVLibApi.h"

#include <cstdint>

class KVLIB_API CTrackRecord : public CObject
{
    DECLARE_SERIAL(CTrackRecord)
public:
    CTrackRecord();
    CTrackRecord(const CTrackRecord& src);
    // A moved-from record keeps its numbers and has empty texts.
    CTrackRecord(CTrackRecord&& src) noexcept;
    ~CTrackRecord() override;
    CTrackRecord& operator=(const CTrackRecord& src);
    CTrackRecord& operator=(CTrackRecord&& src) noexcept;

    void ClearRecord();
    bool Copy(CTrackRecord src);
    void Duplicate(CTrackRecord* src);
    void Serialize(CArchive& ar) override;

    // Kept for callers of the old interface: they do nothing.
    int LoadDB(CString path);
    int SaveDB(CString path);

    CString m_Title;
    CString m_Artist;
    CString m_Album;
    CString m_FileName;
    CString m_Genre;
    CString m_BPMText;
    CString m_FileType;
    CString m_Cue1Name;
    CString m_Cue2Name;
    CString m_Year;
    int32_t m_Index;
    int32_t m_Length;
    int32_t m_PlayCount;
    int32_t m_BPM;
    int32_t m_Cue1;
    int32_t m_Cue2;
    int32_t m_Start;
    int32_t m_End;
    int32_t m_Volume;
    int32_t m_Reserved1;
    int32_t m_Reserved2;
    int32_t m_Played;
    int32_t m_HasPicture;
    int32_t m_Bitrate;
    int32_t m_SampleRate;
    int32_t m_Channels;

private:
    void CopyFrom(const CTrackRecord& src);
    void MoveFrom(CTrackRecord& src) noexcept;
    void CopyNumbers(const CTrackRecord& src) noexcept;
};

class KVLIB_API CTrackRecord40 : public CObject
{
    DECLARE_SERIAL(CTrackRecord40)
public:
    CTrackRecord40();
    ~CTrackRecord40() override;

    CString m_Strings[13];
    int32_t m_Unused[16] = {};
};
