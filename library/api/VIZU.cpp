#include "library/api/VIZU.h"

#include "framework/ui/CImageList.h"
#include "framework/win/AppState.h"
#include "foundation/app/ProgramFolder.h"
#include "library/file/LibraryFileFormat.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibrarySettings.h"
#include "library/state/LibraryState.h"
#include "library/state/Waiting.h"
#include "library/res/KVLibRes.h"

#include <windows.h>

#include <exception>

CArray<CTrackRecord, CTrackRecord&> m_Tracks;
CArray<CTrackRecord, CTrackRecord&> m_SearchTracks;
CArray<CTrackRecord, CTrackRecord&> m_FilteredTracks;
CArray<CTrackRecord, CTrackRecord&> m_iJukeTracks;
CArray<tagAlbumDescriptor, tagAlbumDescriptor&> m_AlbumArray;
CArray<tagAlbumDescriptor, tagAlbumDescriptor&> m_ArtistArray;
CArray<tagAmazonRecord, tagAmazonRecord&> m_AmazonArray;
CArray<tagEXArray, tagEXArray&> m_EXArray;
CArray<CString, CString&> m_AddTracks;
CArray<CString, CString&> m_ExceptionArray;
CArray<CString, CString&> VIZU_ExceptionArray;

bool g_bThumbnailsArtist = false;
bool g_bThumbnailsAlbum = false;

namespace {

// The open library's state lives in KVLib, never in the program.
bool g_bOpen = false;
bool g_bDirty = false;
bool g_bLibSwitched = false;
CString g_strTitle;
CString g_strFullPath;
CString g_strStartFolder;
CImageList* g_pTrackIcons = nullptr;
Waiting* g_pWaiting = nullptr;
int g_nObjects = 0;   // VIZU objects alive; only the first owns the state

LibraryFileFormat* g_pFormat = DefaultLibraryFileFormat();

void SetUp(VIZU& vizu, bool withSearchTracks)
{
    g_bThumbnailsArtist = false;
    g_bThumbnailsAlbum = false;
    m_Tracks.RemoveAll();
    m_AddTracks.RemoveAll();
    m_ExceptionArray.RemoveAll();
    m_FilteredTracks.RemoveAll();
    m_EXArray.RemoveAll();
    m_iJukeTracks.RemoveAll();
    if (withSearchTracks)
        m_SearchTracks.RemoveAll();
    g_strTitle.Empty();
    g_strFullPath.Empty();
    g_strStartFolder.Empty();
    g_bOpen = false;
    g_bDirty = false;
    g_nTrackListColNum = 0;
    VIZU::GetAddSettings();
    g_nFoundFiles = g_nFoundMP3 = g_nFoundWAV = 0;

    g_pTrackIcons = new CImageList;
    if (g_pTrackIcons->Create(16, 17, ILC_COLOR32 | ILC_MASK, 1, 20)) {
        HBITMAP strip = static_cast<HBITMAP>(LoadImageA(
            AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_TRACKICONS), IMAGE_BITMAP, 0, 0,
            LR_CREATEDIBSECTION));
        if (strip) {
            ImageList_AddMasked(g_pTrackIcons->GetSafeHandle(), strip, RGB(0, 255, 0));
            DeleteObject(strip);
        }
    }
    vizu.InitTrackListColumnOrder();
    g_bLibSwitched = false;

    g_pWaiting = new Waiting;
    g_pWaiting->CreateModeless();
}

// The records kept aside while a load runs, put back when it fails, so a
// failed open never leaves an emptied array that a later save would write.
class TracksBackup
{
public:
    TracksBackup() { m_saved.Append(m_Tracks); }
    void Restore()
    {
        m_Tracks.RemoveAll();
        m_Tracks.Append(m_saved);
    }

private:
    CArray<CTrackRecord, CTrackRecord&> m_saved;
};

// Reads path into m_Tracks: the loader's answer (0, 1 or 2), or 1 when no
// file format is there to read it. m_Tracks is back as it was unless the
// records were loaded.
int LoadTracks(const CString& path)
{
    if (!g_pFormat)
        return 1;
    TracksBackup backup;
    int result;
    try {
        result = g_pFormat->LoadLib(path);
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

int SaveLocked(const CString& path)
{
    if (g_pWaiting)
        g_pWaiting->ShowText("Saving Library...");
    VIZU::ProcessMessages();
    int written = -1;
    try {
        written = g_pFormat ? g_pFormat->SaveLib(path) : -1;
    } catch (...) {
        if (g_pWaiting)
            g_pWaiting->Hide();
        throw;
    }
    if (g_pWaiting)
        g_pWaiting->Hide();
    if (written < 0)
        return -1;
    g_bDirty = false;
    return 0;
}

// False, with everything kept, when a changed library cannot be saved.
bool CloseLocked()
{
    if (!g_bOpen)
        return false;
    if (g_bDirty && SaveLocked(g_strFullPath) != 0)
        return false;
    g_bDirty = false;
    g_strFullPath.Empty();
    g_strTitle.Empty();
    g_strStartFolder.Empty();
    g_bOpen = false;
    m_Tracks.RemoveAll();
    return true;
}

// The record whose file path is path (exact comparison), or null.
CTrackRecord* FindByPath(const CString& path)
{
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
        if (m_Tracks[i].m_FileName == path)
            return &m_Tracks[i];
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
    LibraryLock lock;
    LibraryFileFormat* previous = g_pFormat;
    g_pFormat = format;
    return previous;
}

LibraryFileFormat* GetLibraryFileFormat()
{
    return g_pFormat;
}

CImageList* LibraryTrackIcons()
{
    return g_pTrackIcons;
}

Waiting* LibraryWaitingWindow()
{
    return g_pWaiting;
}

void MarkLibraryChanged()
{
    LibraryLock lock;
    g_bDirty = true;
}

void SetLibSwitched(bool switched)
{
    LibraryLock lock;
    g_bLibSwitched = switched;
}

VIZU::VIZU()
{
    LibraryLock lock(true);
    if (g_nObjects++ == 0)
        SetUp(*this, false);
}

VIZU::VIZU(CString path)
{
    {
        LibraryLock lock(true);
        if (g_nObjects++ != 0)
            return;
        SetUp(*this, true);
    }
    Open(path);
    SetLibSwitched(false);
}

VIZU::~VIZU()
{
    LibraryLock lock(true);
    if (--g_nObjects != 0)
        return;
    try {
        CloseLocked();
    } catch (const std::exception&) {
    } catch (...) {
    }
    // A library whose save failed is given up here, never written later.
    g_bOpen = false;
    g_bDirty = false;
    g_strFullPath.Empty();
    g_strTitle.Empty();
    m_AddTracks.RemoveAll();
    m_ExceptionArray.RemoveAll();
    m_FilteredTracks.RemoveAll();
    m_SearchTracks.RemoveAll();
    m_AmazonArray.RemoveAll();
    m_Tracks.RemoveAll();
    m_iJukeTracks.RemoveAll();
    m_AlbumArray.RemoveAll();
    m_ArtistArray.RemoveAll();
    if (g_pWaiting) {
        g_pWaiting->DestroyWindow();
        delete g_pWaiting;
        g_pWaiting = nullptr;
    }
    delete g_pTrackIcons;
    g_pTrackIcons = nullptr;
}

int VIZU::Open(CString path)
{
    if (!Exists(path))
        return -1;
    LibraryLock lock(true);
    if (lock.Refused())
        return -1;
    int result = LoadTracks(path);
    if (result != 0 && result != 2)
        return -1;
    g_strFullPath = path;
    int slash = path.ReverseFind('\\');
    g_strTitle = slash < 0 ? path : path.Mid(slash + 1);
    // Restored from the backup copy: the next save writes it over the damage.
    g_bDirty = result == 2;
    g_bOpen = true;
    return 0;
}

int VIZU::Load(CString path)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return -1;
    int result = LoadTracks(path);
    return result == 0 || result == 2 ? 0 : -1;
}

bool VIZU::Create(CString path)
{
    LibraryLock lock(true);
    if (lock.Refused() || !g_pFormat)
        return false;
    g_pFormat->CreateLib(path);
    return true;
}

int VIZU::Save(CString path)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return -1;
    return SaveLocked(path);
}

bool VIZU::Close()
{
    LibraryLock lock(true);
    if (lock.Refused())
        return false;
    return CloseLocked();
}

bool VIZU::DeleteAllRecords()
{
    LibraryLock lock(true);
    if (lock.Refused())
        return false;
    m_Tracks.RemoveAll();
    SaveLocked(g_strFullPath);
    return true;
}

bool VIZU::IsOpen()
{
    LibraryLock lock;
    return g_bOpen;
}

bool VIZU::IsDirty()
{
    LibraryLock lock;
    return g_bDirty;
}

bool VIZU::HasLibSwitched()
{
    LibraryLock lock;
    return g_bLibSwitched;
}

CString VIZU::GetFullDBPath()
{
    LibraryLock lock;
    return g_strFullPath;
}

CString VIZU::GetLibTitle()
{
    LibraryLock lock;
    return g_strTitle;
}

CString VIZU::GetActiveLibrary()
{
    return GetLibTitle();
}

void VIZU::SetInitialLibPath(CString folder)
{
    LibraryLock lock;
    g_strStartFolder = folder;
}

CString VIZU::GetDBVersion()
{
    return "5.00";
}

// The running program's folder, not KVLib's: every settings and data file
// of the library lies there.
CString VIZU::GetLibDLLPath()
{
    return GetProgramFolder();
}

CString VIZU::GetLibINIFilePath()
{
    return GetLibDLLPath() + "KVLib.ini";
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
    const CTrackRecord* found = out ? FindByPath(path) : nullptr;
    if (!found)
        return false;
    CopyExtendedProps(*out, *found);
    return true;
}

bool VIZU::SetTrackPropsEx(CString path, CTrackRecord* in)
{
    LibraryLock lock(true);
    if (lock.Refused() || !in)
        return false;
    CTrackRecord* found = FindByPath(path);
    if (!found)
        return false;
    CopyExtendedProps(*found, *in);
    g_bDirty = true;
    return true;
}
