#include "library/api/VIZU.h"

#include "framework/ui/CImageList.h"
#include "framework/win/AppState.h"
#include "foundation/app/ProgramFolder.h"
#include "library/file/LibraryDocument.h"
#include "library/file/LibraryFileFormat.h"
#include "library/import/AddLog.h"
#include "library/state/FileTexts.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibrarySettings.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/state/Waiting.h"
#include "library/tracklist/TrackListColumns.h"
#include "library/tracklist/TrackListFill.h"
#include "library/res/KVLibRes.h"

#include <windows.h>

#include <exception>

namespace {

// The open library's state lives in KVLib, never in the program.
void SetUp(LibraryState& state, bool withSearchTracks)
{
    state.thumbnailsArtist = false;
    state.thumbnailsAlbum = false;
    state.tracks.RemoveAll();
    state.addTracks.RemoveAll();
    state.exceptions.RemoveAll();
    state.filteredTracks.RemoveAll();
    state.ex.RemoveAll();
    state.jukeTracks.RemoveAll();
    if (withSearchTracks)
        state.searchTracks.RemoveAll();
    state.title.Empty();
    state.fullPath.Empty();
    state.startFolder.Empty();
    state.open = false;
    state.changed = false;
    state.settings.trackListColNum = 0;
    const AddSettings add = trackimport::ReadAddSettings();
    state.settings.logAdds = add.logAdds;
    state.settings.wavLookForID3V1 = add.wavLookForID3V1;
    state.settings.foundFiles = state.settings.foundMP3 = state.settings.foundWAV = 0;

    state.trackIcons = new CImageList;
    if (state.trackIcons->Create(16, 17, ILC_COLOR32 | ILC_MASK, 1, 20)) {
        HBITMAP strip = static_cast<HBITMAP>(LoadImageA(
            AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_TRACKICONS), IMAGE_BITMAP, 0, 0,
            LR_CREATEDIBSECTION));
        if (strip) {
            ImageList_AddMasked(state.trackIcons->GetSafeHandle(), strip, RGB(0, 255, 0));
            DeleteObject(strip);
        }
    }
    tracklist::InitTrackListColumnOrder(state.settings);
    state.switched = false;

    state.waiting = new Waiting;
    state.waiting->CreateModeless();
}

// The records kept aside while a load runs, put back when it fails, so a
// failed open never leaves an emptied array that a later save would write.
class TracksBackup
{
public:
    explicit TracksBackup(TrackArray& tracks) : m_tracks(tracks) { m_saved.Append(tracks); }
    void Restore()
    {
        m_tracks.RemoveAll();
        m_tracks.Append(m_saved);
    }

private:
    TrackArray& m_tracks;
    TrackArray m_saved;
};

// Reads path into the records: the loader's answer (0, 1 or 2), or 1 when
// no file format is there to read it or the records are in use. The
// records are back as they were unless they were loaded.
int LoadTracks(LibraryState& state, const CString& path)
{
    if (!state.format || state.tracksInUse > 0)
        return 1;
    TracksBackup backup(state.tracks);
    int result;
    try {
        result = state.format->LoadLib(path, state.tracks);
    } catch (...) {
        backup.Restore();
        throw;
    }
    if (result != 0 && result != 2) {
        backup.Restore();
        return 1;
    }
    return result;
}

int SaveLocked(LibraryState& state, const CString& path)
{
    if (state.waiting)
        state.waiting->ShowText("Saving Library...");
    ProcessMessages();
    int written = -1;
    try {
        written = state.format ? state.format->SaveLib(path, state.tracks) : -1;
    } catch (...) {
        if (state.waiting)
            state.waiting->Hide();
        throw;
    }
    if (state.waiting)
        state.waiting->Hide();
    if (written < 0)
        return -1;
    state.changed = false;
    return 0;
}

// False, with everything kept, when a changed library cannot be saved.
bool CloseLocked(LibraryState& state)
{
    if (!state.open)
        return false;
    if (state.changed && SaveLocked(state, state.fullPath) != 0)
        return false;
    state.changed = false;
    state.fullPath.Empty();
    state.title.Empty();
    state.startFolder.Empty();
    state.open = false;
    state.tracks.RemoveAll();
    return true;
}

// The record whose file path is path (exact comparison), or null.
CTrackRecord* FindByPath(TrackArray& tracks, const CString& path)
{
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        if (tracks[i].m_FileName == path)
            return &tracks[i];
    return nullptr;
}

void CopyExtendedProps(CTrackRecord& to, const CTrackRecord& from)
{
    to.m_Cue1 = from.m_Cue1;
    to.m_Cue2 = from.m_Cue2;
    to.m_Start = from.m_Start;
    to.m_Volume = from.m_Volume;
    to.m_Reserved1 = from.m_Reserved1;
    to.m_Cue1Name = from.m_Cue1Name;
    to.m_Cue2Name = from.m_Cue2Name;
}

} // namespace

LibraryFileFormat* SetLibraryFileFormat(LibraryFileFormat* format)
{
    return ExchangeLibraryState(&LibraryState::format, format);
}

LibraryFileFormat* GetLibraryFileFormat()
{
    LibraryLock lock;
    return lock.State().format;
}

CImageList* LibraryTrackIcons()
{
    LibraryLock lock;
    return lock.State().trackIcons;
}

Waiting* LibraryWaitingWindow()
{
    LibraryLock lock;
    return lock.State().waiting;
}

void MarkLibraryChanged()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    state.changed = true;
}

void SetLibSwitched(bool switched)
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    state.switched = switched;
}

VIZU::VIZU()
{
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (state.objects++ == 0) {
        SetUp(state, false);
        tracklist::OpenFillMailbox();
    }
}

VIZU::VIZU(CString path)
{
    {
        LibraryLock lock(true);
        LibraryState& state = lock.State();
        if (state.objects++ != 0)
            return;
        SetUp(state, true);
        tracklist::OpenFillMailbox();
    }
    Open(path);
    SetLibSwitched(false);
}

VIZU::~VIZU()
{
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (--state.objects != 0)
        return;
    tracklist::CloseFillMailbox();
    try {
        CloseLocked(state);
    } catch (const std::exception&) {
    } catch (...) {
    }
    // A library whose save failed is given up here, never written later.
    state.open = false;
    state.changed = false;
    state.fullPath.Empty();
    state.title.Empty();
    state.addTracks.RemoveAll();
    state.exceptions.RemoveAll();
    state.filteredTracks.RemoveAll();
    state.searchTracks.RemoveAll();
    state.amazon.RemoveAll();
    state.tracks.RemoveAll();
    state.jukeTracks.RemoveAll();
    state.albums.RemoveAll();
    state.artists.RemoveAll();
    if (state.waiting) {
        state.waiting->DestroyWindow();
        delete state.waiting;
        state.waiting = nullptr;
    }
    delete state.trackIcons;
    state.trackIcons = nullptr;
}

int VIZU::Open(CString path)
{
    if (!filetexts::Exists(path))
        return -1;
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (lock.Refused())
        return -1;
    int result = LoadTracks(state, path);
    if (result != 0 && result != 2)
        return -1;
    state.fullPath = path;
    int slash = path.ReverseFind('\\');
    state.title = slash < 0 ? path : path.Mid(slash + 1);
    // Restored from the backup copy: the next save writes it over the damage.
    state.changed = result == 2;
    state.open = true;
    return 0;
}

int VIZU::Load(CString path)
{
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (lock.Refused())
        return -1;
    int result = LoadTracks(state, path);
    return result == 0 || result == 2 ? 0 : -1;
}

bool VIZU::Create(CString path)
{
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (lock.Refused() || !state.format)
        return false;
    state.format->CreateLib(path);
    return true;
}

int VIZU::Save(CString path)
{
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (lock.Refused())
        return -1;
    return SaveLocked(state, path);
}

bool VIZU::Close()
{
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (lock.Refused())
        return false;
    return CloseLocked(state);
}

bool VIZU::DeleteAllRecords()
{
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (lock.Refused())
        return false;
    state.tracks.RemoveAll();
    SaveLocked(state, state.fullPath);
    return true;
}

bool VIZU::IsOpen()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    return state.open;
}

bool VIZU::IsDirty()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    return state.changed;
}

bool VIZU::HasLibSwitched()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    return state.switched;
}

CString VIZU::GetFullDBPath()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    return state.fullPath;
}

CString VIZU::GetLibTitle()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    return state.title;
}

CString VIZU::GetActiveLibrary()
{
    return GetLibTitle();
}

void VIZU::SetInitialLibPath(CString folder)
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    state.startFolder = folder;
}

CString VIZU::GetDBVersion()
{
    return kLibraryFileVersion;
}

// The running program's folder, not KVLib's: every settings and data file
// of the library lies there.
CString VIZU::GetLibDLLPath()
{
    return GetProgramFolder();
}

CString VIZU::GetLibINIFilePath()
{
    return filetexts::LibraryIniPath();
}

int VIZU::JustDumb()
{
    return 0;
}

int VIZU::FindGenre(CString text)
{
    (void)text;
    return 0;
}

bool VIZU::GetTrackPropsEx(CString path, CTrackRecord* out)
{
    LibraryLock lock;
    const CTrackRecord* found = out ? FindByPath(lock.State().tracks, path) : nullptr;
    if (!found)
        return false;
    CopyExtendedProps(*out, *found);
    return true;
}

bool VIZU::SetTrackPropsEx(CString path, CTrackRecord* in)
{
    LibraryLock lock(true);
    LibraryState& state = lock.State();
    if (lock.Refused() || !in)
        return false;
    CTrackRecord* found = FindByPath(state.tracks, path);
    if (!found)
        return false;
    CopyExtendedProps(*found, *in);
    state.changed = true;
    return true;
}

CString VIZU::SecondsToString(int seconds)
{
    return filetexts::SecondsToString(seconds);
}

CString VIZU::SecondsToHHMMSS(int seconds)
{
    return filetexts::SecondsToHHMMSS(seconds);
}

int VIZU::StringToSeconds(CString text)
{
    return filetexts::StringToSeconds(text);
}

bool VIZU::Exists(CString path)
{
    return filetexts::Exists(path);
}

bool VIZU::IsReadOnly(CString path)
{
    return filetexts::IsReadOnly(path);
}

int VIZU::GetFileSize(CString path)
{
    return filetexts::GetFileSize(path);
}

bool VIZU::CopyOurFile(CString source, CString target)
{
    return filetexts::CopyOurFile(source, target);
}

void VIZU::ProcessMessages()
{
    ::ProcessMessages();
}

int VIZU::BPMFormat(CString* text)
{
    if (text)
        FormatBpmText(*text);
    return 0;
}
