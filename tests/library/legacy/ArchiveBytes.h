// Archive bytes written out by hand, field by field, for the archive
// format tests: little-endian integers, length-prefixed texts, class tags.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CMemFile.h"
#include "library/records/CTrackRecord.h"

#include <cstdint>
#include <string>

namespace legacy_test {

class Bytes
{
public:
    Bytes& U8(uint8_t v)
    {
        m_text += static_cast<char>(v);
        return *this;
    }
    Bytes& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    Bytes& I32(int32_t v)
    {
        const uint32_t u = static_cast<uint32_t>(v);
        return U16(u & 0xFFFF).U16(u >> 16);
    }
    Bytes& Raw(const std::string& s)
    {
        m_text += s;
        return *this;
    }
    // A text with its length prefix (one byte below 255, else 0xFF and 16 bits).
    Bytes& Text(const std::string& s)
    {
        if (s.size() < 0xFF)
            U8(static_cast<uint8_t>(s.size()));
        else
            U8(0xFF).U16(static_cast<uint16_t>(s.size()));
        return Raw(s);
    }
    // The introduction of the class CTrackRecord met the first time.
    Bytes& NewRecordClass() { return U16(0xFFFF).U16(3).U16(12).Raw("CTrackRecord"); }
    // The fields of one record, in the archive's order.
    Bytes& Fields(const CTrackRecord& r)
    {
        I32(r.m_Index);
        for (const CString* s : {&r.m_Title, &r.m_Artist, &r.m_Album, &r.m_FileName, &r.m_Genre,
                                 &r.m_BPMText, &r.m_FileType, &r.m_Cue1Name, &r.m_Cue2Name,
                                 &r.m_Year})
            Text(s->GetString());
        for (int32_t v : {r.m_Length, r.m_PlayCount, r.m_BPM, r.m_Cue1, r.m_Cue2, r.m_Start,
                          r.m_End, r.m_Volume, r.m_Reserved1, r.m_Reserved2, r.m_Played,
                          r.m_Bitrate, r.m_SampleRate, r.m_Channels, r.m_HasPicture})
            I32(v);
        return *this;
    }
    const std::string& Str() const { return m_text; }
    size_t Size() const { return m_text.size(); }

private:
    std::string m_text;
};

// A record with every member set to something of its own.
inline CTrackRecord FullRecord(int n)
{
    CTrackRecord r;
    const std::string tag = std::to_string(n);
    r.m_Title = ("Title " + tag).c_str();
    r.m_Artist = ("Artist " + tag).c_str();
    r.m_Album = ("Album " + tag).c_str();
    r.m_FileName = ("C:\\Music\\track" + tag + ".mp3").c_str();
    r.m_Genre = "Rock";
    r.m_BPMText = "120.00";
    r.m_FileType = "MP3";
    r.m_Cue1Name = "Drop";
    r.m_Cue2Name = "Break";
    r.m_Year = "1999";
    int32_t v = n * 100;
    for (int32_t* m : {&r.m_Index, &r.m_Length, &r.m_PlayCount, &r.m_BPM, &r.m_Cue1, &r.m_Cue2,
                       &r.m_Start, &r.m_End, &r.m_Volume, &r.m_Reserved1, &r.m_Reserved2,
                       &r.m_Played, &r.m_HasPicture, &r.m_Bitrate, &r.m_SampleRate,
                       &r.m_Channels})
        *m = ++v;
    return r;
}

inline bool SameRecord(const CTrackRecord& a, const CTrackRecord& b)
{
    return a.m_Title == b.m_Title && a.m_Artist == b.m_Artist && a.m_Album == b.m_Album &&
           a.m_FileName == b.m_FileName && a.m_Genre == b.m_Genre &&
           a.m_BPMText == b.m_BPMText && a.m_FileType == b.m_FileType &&
           a.m_Cue1Name == b.m_Cue1Name && a.m_Cue2Name == b.m_Cue2Name && a.m_Year == b.m_Year &&
           a.m_Index == b.m_Index && a.m_Length == b.m_Length && a.m_PlayCount == b.m_PlayCount &&
           a.m_BPM == b.m_BPM && a.m_Cue1 == b.m_Cue1 && a.m_Cue2 == b.m_Cue2 &&
           a.m_Start == b.m_Start && a.m_End == b.m_End && a.m_Volume == b.m_Volume &&
           a.m_Reserved1 == b.m_Reserved1 && a.m_Reserved2 == b.m_Reserved2 &&
           a.m_Played == b.m_Played && a.m_HasPicture == b.m_HasPicture &&
           a.m_Bitrate == b.m_Bitrate && a.m_SampleRate == b.m_SampleRate &&
           a.m_Channels == b.m_Channels;
}

inline std::string BytesOf(const CMemFile& f)
{
    return std::string(reinterpret_cast<const char*>(f.GetData().data()), f.GetData().size());
}

} // namespace legacy_test

namespace legacy_test {

inline void AddTo(CArray<CTrackRecord, CTrackRecord&>& tracks, CTrackRecord record)
{
    tracks.Add(record);
}

} // namespace legacy_test
