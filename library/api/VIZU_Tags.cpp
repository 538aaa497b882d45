// VIZU's entries of tag reading, WAV tags and file-name parsing
// (library/tags): the readers keep no state, so only the record update
// takes the library lock.
#include "library/api/VIZU.h"

#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"
#include "library/tags/TagReading.h"

CString VIZU::GetTitleFromFilename(CString path)
{
    return tags::GetTitleFromFilename(path);
}

CString VIZU::GetFilenameFromPath(CString path)
{
    return tags::GetFilenameFromPath(path);
}

CString VIZU::GetFieldFromFilename(CString text, int field, char delimiter, bool last)
{
    return tags::GetFieldFromFilename(text, field, delimiter, last);
}

bool VIZU::ParseFilename(TAG_INFO* info, CString path)
{
    return tags::ParseFilename(info, path);
}

bool VIZU::ParseFilenameEx(TAG_INFO* info, CString path)
{
    return tags::ParseFilenameEx(info, path);
}

bool VIZU::ParseFilenameEx42(TAG_INFO* info, CString path, char* mask, char* delimiter)
{
    return tags::ParseFilenameEx42(info, path, mask, delimiter);
}

bool VIZU::ParseFilenameWithMask(TAG_INFO* info, CString path)
{
    return tags::ParseFilenameWithMask(info, path);
}

bool VIZU::GetTagInfo(CString path, TAG_INFO* info)
{
    return tags::GetTagInfo(path, info);
}

bool VIZU::GetID3TagInfo(TAG_INFO* info, CString path)
{
    return tags::GetID3TagInfo(info, path);
}

bool VIZU::GetID3TagQuick(TAG_INFO* info, CString path)
{
    return tags::GetID3TagQuick(info, path);
}

int VIZU::GetDekodaMP3Info(TAG_INFO* info, int limit)
{
    return tags::GetDekodaMP3Info(info, limit);
}

bool VIZU::ReadDekodaTag(CTrackRecord* rec, CString path, int limit)
{
    return tags::ReadDekodaTag(rec, path, limit);
}

bool VIZU::ReadID3Tag(CTrackRecord* rec, CString path)
{
    return tags::ReadID3Tag(rec, path);
}

void VIZU::CheckTagInfo(TAG_INFO* info)
{
    tags::CheckTagInfo(info);
}

void VIZU::CheckTagFields(CTrackRecord* rec)
{
    tags::CheckTagFields(rec);
}

bool VIZU::CopyTagInfoToRecord(CTrackRecord* rec, TAG_INFO* info)
{
    return tags::CopyTagInfoToRecord(rec, info);
}

int VIZU::GetGenreNumFromString(CString name)
{
    return tags::GetGenreNumFromString(name);
}

bool VIZU::GetWavInfo(CString path, TAG_INFO* info)
{
    return tags::GetWavInfo(path, info);
}

bool VIZU::WAVHasKVID3Tag(CString path)
{
    return tags::WAVHasKVID3Tag(path);
}

bool VIZU::WAVHasAGID3Tag(CString path)
{
    return tags::WAVHasAGID3Tag(path);
}

int VIZU::CheckForWAVTags(CString path)
{
    return tags::CheckForWAVTags(path);
}

bool VIZU::ReadKVWAVTag(TAG_INFO* info, CString path)
{
    return tags::ReadKVWAVTag(info, path);
}

bool VIZU::ReadAGWAVTag(TAG_INFO* info, CString path)
{
    return tags::ReadAGWAVTag(info, path);
}

bool VIZU::WriteKVWAVTag(CString path, TAG_INFO* info)
{
    return tags::WriteKVWAVTag(path, info);
}

bool VIZU::WriteAGWAVTag(CString path, TAG_INFO* info)
{
    return tags::WriteAGWAVTag(path, info);
}

bool VIZU::SetBatchWAVTagInfo(tagBatchTag* batch)
{
    return tags::SetBatchWAVTagInfo(batch);
}

bool VIZU::ReadID3TAG1FromWAV(CTrackRecord* rec, CString path)
{
    return tags::ReadID3TAG1FromWAV(rec, path);
}

bool VIZU::UpdateRecordFromTag(CString path)
{
    {
        LibraryLock lock;
        if (lock.State().tracks.GetSize() == 0)
            return false;
    }
    // The file is read without the lock.
    TAG_INFO info;
    if (!tags::ReadTagForRecordUpdate(path, &info))
        return false;
    LibraryLock lock;
    return tags::UpdateRecordFromTag(lock.State(), path, &info);
}
