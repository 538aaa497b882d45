// Playlist views: a playlist's tracks as the rows of a list control.
#include "library/playlists/PlaylistFiles.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/Prompts.h"
#include "library/file/LibraryFileFormat.h"
#include "library/playlists/PlaylistText.h"
#include "library/state/FileTexts.h"
#include "library/tracklist/TrackListFill.h"
#include "library/tracklist/TrackListFillText.h"

namespace playlists {

void ReportMissingFile(const CString& path)
{
    CString text;
    text.Format("[I/O ERROR] Unable to open file\n%s", path.GetString());
    AfxPromptMessageBox(nullptr, text, "Kelvane Library Manager", MB_OK);
}

bool ReadPlaylistFile(const CString& path, TrackArray& records)
{
    const CString source = HasPlaylistExtension(path) ? path : path + ".txl";
    if (!filetexts::Exists(source)) {
        ReportMissingFile(source);
        return false;
    }
    try {
        ReadPlaylistText(libfile::ReadWholeText(source), records);
    } catch (const CException&) {
        // There but not readable (in use, no rights): as a missing file.
        ReportMissingFile(source);
        return false;
    }
    return true;
}

int DisplayPlaylist(HWND list, const CString& path, bool checkExists, bool iconRows)
{
    TrackArray records;
    if (!ReadPlaylistFile(path, records))
        return -1;
    TrackRowWriter writer(list);
    writer.SetRedraw(false);
    writer.DeleteAll();
    int rows = 0;
    for (int i = 0; i < records.GetSize(); ++i) {
        const CTrackRecord& r = records[i];
        const int image = iconRows ? track_image::kPlain : TrackTypeImage(r.m_FileName, checkExists);
        const LPARAM data = iconRows ? rows : r.m_Index;
        if (writer.Insert(rows, MakeTrackRow(r), image, data) >= 0)
            ++rows;
    }
    writer.SetRedraw(true);
    if (iconRows)
        writer.RepaintNow();
    return rows;
}

} // namespace playlists
