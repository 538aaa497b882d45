// Tag reading (MP3 tags through id3lib, the stream facts), WAV format
// facts and tag trailers, and file-name parsing: free functions with no
// state of their own. VIZU's tag entries (library/api) call them; reading
// runs without the library lock, and the failures it reports go into the
// exception list and the add log through VIZU's entries, which take it.
#pragma once

#include "framework/core/CString.h"
#include "library/api/TagInfo.h"
#include "library/records/CTrackRecord.h"

struct LibraryState;

namespace tags {

// Tags and stream facts of MP3 files; field defaults; the genre list (TagReading.cpp)
bool GetTagInfo(CString path, TAG_INFO* info);
bool GetID3TagInfo(TAG_INFO* info, CString path);
bool GetID3TagQuick(TAG_INFO* info, CString path);
int GetDekodaMP3Info(TAG_INFO* info, int limit);
bool ReadDekodaTag(CTrackRecord* rec, CString path, int limit);
bool ReadID3Tag(CTrackRecord* rec, CString path);
void CheckTagInfo(TAG_INFO* info);
void CheckTagFields(CTrackRecord* rec);
bool CopyTagInfoToRecord(CTrackRecord* rec, TAG_INFO* info);
int GetGenreNumFromString(CString name);

// WAV format facts and the KV and AG tag trailers (WavInfo.cpp)
bool GetWavInfo(CString path, TAG_INFO* info);
bool WAVHasKVID3Tag(CString path);
bool WAVHasAGID3Tag(CString path);
int CheckForWAVTags(CString path);
bool ReadKVWAVTag(TAG_INFO* info, CString path);
bool ReadAGWAVTag(TAG_INFO* info, CString path);
bool WriteKVWAVTag(CString path, TAG_INFO* info);
bool WriteAGWAVTag(CString path, TAG_INFO* info);
bool SetBatchWAVTagInfo(tagBatchTag* batch);
bool ReadID3TAG1FromWAV(CTrackRecord* rec, CString path);

// Title, artist, album, year and genre from a file name (FileNameParse.cpp)
CString GetTitleFromFilename(CString path);
CString GetFilenameFromPath(CString path);
CString GetFieldFromFilename(CString text, int field, char delimiter, bool last);
bool ParseFilename(TAG_INFO* info, CString path);
bool ParseFilenameEx(TAG_INFO* info, CString path);
bool ParseFilenameEx42(TAG_INFO* info, CString path, char* mask, char* delimiter);
bool ParseFilenameWithMask(TAG_INFO* info, CString path);

// A record update's read of a file's tags (the AG trailer of a WAV file
// too when the settings ask for it); false when unreadable.
bool ReadTagForRecordUpdate(CString path, TAG_INFO* info);
// The tags into the record of path (the lock held): false when none has it.
bool UpdateRecordFromTag(LibraryState& state, CString path, TAG_INFO* info);

} // namespace tags
