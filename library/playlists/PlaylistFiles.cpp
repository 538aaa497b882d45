// Playlist files: written from track rows and arrays, appended to, emptied,
// deleted and read.
#include "library/playlists/PlaylistFiles.h"

#include "foundation/xml/XmlMarkup.h"
#include "framework/core/Exceptions.h"
#include "framework/win/CWaitCursor.h"
#include "library/file/LibraryDocument.h"
#include "library/file/LibraryFileFormat.h"
#include "library/file/LibraryLayoutReader.h"
#include "library/file/SafeFileWrite.h"
#include "library/playlists/PlaylistText.h"
#include "library/state/FileTexts.h"
#include "library/state/MessagePump.h"
#include "library/tags/TagReading.h"
#include "library/tags/TagWriting.h"
#include "library/tracklist/TrackListFill.h"
#include "library/tracklist/TrackListFillText.h"

#include <cstdlib>
#include <string>

namespace playlists {

namespace {

void PumpTick(void* context)
{
    static_cast<LoopPump*>(context)->Step();
}

// The whole text of the records as a playlist file, put in the file's
// place in one step.
bool WritePlaylist(const CString& path, const TrackArray& records, LoopPump* pacer)
{
    const std::string text = BuildLibraryText(records, kLibraryFileVersion, libfile::TodayText(),
                                              pacer ? PumpTick : nullptr, pacer);
    return WriteFileWhole(path, text.data(), text.size()) == SafeWriteResult::Written;
}

// The record a track row stands for, as the list writer stores it: the
// fields the row shows, the picture flag from the file's tag, and the
// defaults for what a row does not show.
CTrackRecord RecordOfRow(const TrackRowWriter& rows, int row)
{
    CTrackRecord r;
    r.m_FileName = rows.GetText(row, 8);
    r.m_Artist = rows.GetText(row, 1);
    r.m_Album = rows.GetText(row, 3);
    r.m_Title = rows.GetText(row, 0);
    r.m_Genre = rows.GetText(row, 4);
    r.m_FileType = HasTypeEnding(r.m_FileName.str(), "mp3") ? "MP3" : "WAV";
    r.m_BPMText = rows.GetText(row, 7);
    r.m_Year = rows.GetText(row, 6);
    r.m_Length = filetexts::StringToSeconds(rows.GetText(row, 5));
    r.m_PlayCount = std::atoi(rows.GetText(row, 10));
    r.m_HasPicture = tags::HasPicture(r.m_FileName) ? 1 : 0;
    return r;
}

} // namespace

int SavePlaylistFromList(const CString& path, HWND list)
{
    const CString target = PlaylistPath(path);
    TrackRowWriter rows(list);
    if (!rows.Alive())
        return -1;
    const int n = rows.Count();
    if (n == 0)
        return WriteEmptyPlaylist(target) ? 0 : -1;
    CWaitCursor wait;
    LoopPump pacer;
    TrackArray records;
    records.SetSize(n);
    for (int row = 0; row < n; ++row) {
        pacer.Step();
        // A handler run by the pump may have closed the list: nothing is
        // written from what is left.
        if (!rows.Alive())
            return -1;
        records[row] = RecordOfRow(rows, row);
    }
    return WritePlaylist(target, records, &pacer) ? n : -1;
}

bool SavePlaylistFromArray(const CString& path, const TrackArray& tracks)
{
    CWaitCursor wait;
    LoopPump pacer;
    return WritePlaylist(PlaylistPath(path), tracks, &pacer);
}

bool AppendFilesToPlaylist(const PathArray& files, const CString& path)
{
    const CString target = PlaylistPath(path);
    if (files.GetSize() == 0)
        return false;
    CString bytes;
    try {
        bytes = libfile::ReadWholeText(target);
    } catch (const CException&) {
        return false;
    }
    LoopPump pacer;
    TrackArray added;
    for (int i = 0; i < files.GetSize(); ++i) {
        pacer.Step();
        TAG_INFO info;
        if (!tags::GetTagInfo(files[i], &info))
            continue;
        CTrackRecord record;
        tags::CopyTagInfoToRecord(&record, &info);
        added.Add(record);
    }
    std::string text;
    if (!AppendRecordsToFileText(bytes, added, text))
        return false;
    return WriteFileWhole(target, text.data(), text.size()) == SafeWriteResult::Written;
}

bool WriteEmptyPlaylist(const CString& path)
{
    return WritePlaylist(path, TrackArray(), nullptr);
}

bool DeletePlaylistFile(const CString& path)
{
    return DeleteFileA(path) != FALSE;
}

int ReadPlaylistText(const CString& text, TrackArray& records)
{
    int count = 0;
    if (CheckLibraryLayout(text, count)) {
        ReadLibraryLayout(text, count, records, false);
        return count;
    }
    XmlMarkup xml;
    if (!xml.SetDocument(text))
        return 0;
    return ReadLibraryRecords(xml, records, false);
}

} // namespace playlists
