// Archive playlists, the archive library and the older XML layout, over
// real files. Every new file content is made in memory and written whole,
// so a failed write leaves the old file.
#include "library/legacy/LegacyFiles.h"

#include "foundation/xml/XmlMarkup.h"
#include "framework/core/CMemFile.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/CListCtrl.h"
#include "framework/win/CFile.h"
#include "framework/win/CStdioFile.h"
#include "framework/win/CTime.h"
#include "framework/win/CWaitCursor.h"
#include "library/api/VIZU.h"
#include "library/file/SafeFileWrite.h"
#include "library/legacy/ArchiveFormats.h"
#include "library/legacy/OlderLayout.h"
#include "library/playlists/PlaylistText.h"
#include "library/tracklist/TrackListFill.h"

#include <exception>
#include <string>

namespace {

// Sub-item of a track row that holds the file path.
const int kPathColumn = 8;

const char* const kPlaylistExtension = ".txl";

std::string BytesOf(const CMemFile& memory)
{
    const std::vector<BYTE>& data = memory.GetData();
    return std::string(reinterpret_cast<const char*>(data.data()), data.size());
}

// The record of a music file's tags; an empty record when they cannot be
// read.
CTrackRecord RecordFromTags(const CString& music)
{
    CTrackRecord record;
    TAG_INFO info;
    info.Path = music;
    if (VIZU::GetTagInfo(music, &info))
        VIZU::CopyTagInfoToRecord(&record, &info);
    return record;
}

// Opens an existing, non-empty file for reading; false when it is missing,
// empty or cannot be opened.
bool OpenForReading(CFile& file, const CString& path)
{
    CFileStatus status;
    if (!CFile::GetStatus(path, status) || status.m_size == 0)
        return false;
    return file.Open(path, CFile::modeRead | CFile::shareDenyWrite) != FALSE;
}

} // namespace

CString legacy::WithPlaylistExtension(const CString& path)
{
    return playlists::PlaylistPath(path);
}

bool legacy::CreateArchivePlaylist(const CString& path)
{
    return WriteFileWhole(WithPlaylistExtension(path), "", 0) == SafeWriteResult::Written;
}

int legacy::WritePlaylistFromList(const CString& path, CListCtrl* list)
{
    const CString target = WithPlaylistExtension(path);
    CWaitCursor wait;
    CMemFile content;
    int count = 0;
    try {
        // The list may change while messages run: its count is asked anew
        // for every row.
        for (int row = 0; list && row < list->GetItemCount(); ++row) {
            VIZU::ProcessMessages();
            // Each row starts from a fresh tag record, so a file whose tags
            // cannot be read never takes the previous row's.
            const CTrackRecord record = RecordFromTags(list->GetItemText(row, kPathColumn));
            StorePlaylistRecord(content, record);
            ++count;
        }
    } catch (const CException&) {
        return -1;
    } catch (const std::exception&) {
        return -1;
    }
    const std::string bytes = BytesOf(content);
    switch (WriteFileWhole(target, bytes.data(), bytes.size())) {
    case SafeWriteResult::Written:
        return count;
    case SafeWriteResult::CannotCreate:
        return 0;
    case SafeWriteResult::CannotWrite:
        break;
    }
    return -1;
}

bool legacy::AppendTrackToPlaylist(const CString& playlist, const CString& music)
{
    const CString target = WithPlaylistExtension(playlist);
    CFileStatus status;
    if (!CFile::GetStatus(target, status) || (status.m_attribute & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    CMemFile content;
    try {
        StorePlaylistRecord(content, RecordFromTags(music));
    } catch (const CException&) {
        return false;
    } catch (const std::exception&) {
        return false;
    }
    FilePatch patch;
    patch.offset = status.m_size;
    patch.bytes = BytesOf(content);
    return PatchFile(target, {patch}) == SafeWriteResult::Written;
}

int legacy::LoadPlaylistToArray(const CString& path, TrackArray* tracks)
{
    CFile file;
    if (!tracks || !OpenForReading(file, path))
        return -1;
    return ReadArchivePlaylist(file, *tracks);
}

int legacy::DisplayPlaylist(CListCtrl* list, CImageList* images, const CString& path,
                            bool checkExists)
{
    if (!list)
        return -1;
    list->SetRedraw(FALSE);
    list->DeleteAllItems();
    list->SetImageList(images, LVSIL_SMALL);
    TrackArray tracks;
    int result = -1;
    CFile file;
    if (OpenForReading(file, path + kPlaylistExtension))
        result = ReadArchivePlaylist(file, tracks) < 0 ? -1 : 0;
    // The rows of the records read, also those before a damaged one.
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        tracks[i].m_Index = static_cast<int32_t>(i + 1);
        tracklist::InsertRecIntoList(list, &tracks[i], checkExists);
    }
    list->SetRedraw(TRUE);
    return result;
}

int legacy::LoadArchiveLibrary(const CString& path, TrackArray* tracks)
{
    CFile file;
    if (!tracks || !OpenForReading(file, path))
        return -1;
    return ReadArchiveLibrary(file, *tracks);
}

int legacy::SaveOlderLayout(const CString& path, const TrackArray& tracks)
{
    const CString today = CTime::GetCurrentTime().Format("%m/%d/%y");
    const std::string text = BuildOlderLayoutText(tracks, VIZU::GetDBVersion(), today);
    if (WriteFileWhole(path, text.data(), text.size()) != SafeWriteResult::Written)
        return -1;
    return static_cast<int>(tracks.GetSize());
}

int legacy::CountOlderLayout(const CString& path)
{
    try {
        CStdioFile file(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
        std::string joined;
        CString line;
        while (file.ReadString(line))
            joined.append(line.GetString(), static_cast<size_t>(line.GetLength()));
        file.Close();
        XmlMarkup xml;
        xml.SetDocument(CString(joined));
        return ReadOlderLayoutRecords(xml, nullptr);
    } catch (const CException&) {
        return -1;
    } catch (const std::exception&) {
        return -1;
    }
}
