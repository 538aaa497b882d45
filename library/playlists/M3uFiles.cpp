// M3U export of a playlist and import of an M3U file as a playlist.
#include "library/playlists/PlaylistFiles.h"

#include "framework/core/Exceptions.h"
#include "library/file/LibraryDocument.h"
#include "library/file/LibraryFileFormat.h"
#include "library/file/SafeFileWrite.h"
#include "library/playlists/PlaylistText.h"
#include "library/state/FileTexts.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/state/Waiting.h"
#include "library/tags/TagReading.h"

#include <string>
#include <vector>

namespace playlists {

namespace {

// The library's waiting window with a text while it lives, hidden when it
// goes, whichever way the import ends.
class WaitingShown
{
public:
    explicit WaitingShown(const char* text) : m_window(LibraryWaitingWindow())
    {
        if (m_window)
            m_window->ShowText(text);
    }
    ~WaitingShown()
    {
        if (m_window)
            m_window->Hide();
    }
    WaitingShown(const WaitingShown&) = delete;
    WaitingShown& operator=(const WaitingShown&) = delete;

private:
    Waiting* m_window;
};

} // namespace

int ExportPlaylistToM3u(const CString& path)
{
    const CString m3uPath = path + ".m3u";
    TrackArray records;
    if (!ReadPlaylistFile(path, records))
        return -1;
    const std::string text = BuildM3uText(records);
    if (WriteFileWhole(m3uPath, text.data(), text.size()) != SafeWriteResult::Written)
        return -1;
    return static_cast<int>(records.GetSize());
}

int ImportM3uToPlaylist(const CString& m3uPath, const CString& playlistPath)
{
    if (!filetexts::Exists(m3uPath)) {
        ReportMissingFile(m3uPath);
        return -1;
    }
    WaitingShown waiting("Importing M3U Playlist...");
    ProcessMessages();
    CString bytes;
    try {
        bytes = libfile::ReadWholeText(m3uPath);
    } catch (const CException&) {
        // The playlist is untouched: nothing was read to replace it with.
        return -1;
    }
    // A file too large to read comes back empty: no list to replace it with.
    if (bytes.IsEmpty() && filetexts::GetFileSize(m3uPath) != 0)
        return -1;
    const std::vector<CString> entries = ReadM3uEntries(bytes.str(), M3uFolder(m3uPath));
    LoopPump pacer;
    TrackArray records;
    for (const CString& entry : entries) {
        pacer.Step();
        TAG_INFO info;
        if (!tags::GetTagInfo(entry, &info))
            continue;
        CTrackRecord record;
        tags::CopyTagInfoToRecord(&record, &info);
        record.m_Index = 0;
        records.Add(record);
    }
    const std::string text =
        BuildLibraryText(records, kLibraryFileVersion, libfile::TodayText());
    if (WriteFileWhole(playlistPath, text.data(), text.size()) != SafeWriteResult::Written)
        return -1;
    return static_cast<int>(records.GetSize());
}

} // namespace playlists
