// Adding what a folder search collected into m_AddTracks: the add wizard's
// batch and the watch-folder scan's.
#include "library/import/TrackImport.h"

#include "framework/ui/CWnd.h"
#include "framework/win/CWaitCursor.h"
#include "library/state/LibraryLock.h"
#include "library/state/MessagePump.h"
#include "library/import/TrackImportNames.h"
#include "library/api/VIZU.h"

#include <windows.h>
#include <commctrl.h>

namespace {

struct BatchResult
{
    int added = 0;
    int refused = 0;
    bool aborted = false;
};

// Adds the collected files in order; after each file, skipped or not,
// stepped() runs.
template <class Stepped>
BatchResult AddCollected(bool onlyNew, bool mp3Only, Stepped stepped)
{
    // Handlers run while messages are let through; they may change
    // m_AddTracks, so the batch works on its own copy.
    CArray<CString, CString&> files;
    {
        LibraryLock lock;
        files.Copy(m_AddTracks);
    }
    BatchResult result;
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        if (EscapeAbortPrompt(nullptr)) {
            result.aborted = true;
            break;
        }
        VIZU::ProcessMessages();
        const CString& path = files[i];
        bool skip = (mp3Only && HasEnding(path, "wav")) || (onlyNew && VIZU::IsTrackInLib(path));
        if (!skip) {
            if (VIZU::AddATrack(path, false))
                ++result.added;
            else
                ++result.refused;
        }
        stepped();
    }
    return result;
}

} // namespace

int VIZU::WizAddFiles(CWnd* page, bool onlyNew, bool mp3Only)
{
    GetAddSettings();
    EmptyExceptionList();
    HWND hPage = page ? page->GetSafeHwnd() : nullptr;
    HWND progress = hPage ? GetDlgItem(hPage, IDC_WIZ_ADDPROGRESS) : nullptr;
    BatchResult result;
    INT_PTR count;
    {
        LibraryLock lock;
        count = m_AddTracks.GetSize();
    }
    if (count > 0) {
        // The full count: a 16-bit range would wrap beyond 65535 files.
        if (progress) {
            SendMessageA(progress, PBM_SETRANGE32, 0, static_cast<LPARAM>(count));
            SendMessageA(progress, PBM_SETSTEP, 1, 0);
        }
        CWaitCursor wait;
        if (hPage)
            SetDlgItemTextA(hPage, IDC_WIZ_ADDSTATUS,
                            onlyNew ? "Adding songs to library [only new]..."
                                    : "Adding songs to library [all]...");
        result = AddCollected(onlyNew, mp3Only, [progress] {
            if (progress)
                SendMessageA(progress, PBM_STEPIT, 0, 0);
        });
    }
    if (progress)
        SendMessageA(progress, PBM_SETPOS, 0, 0);
    if (hPage) {
        SetDlgItemTextA(hPage, IDC_WIZ_ADDSTATUS, "");
        CString done;
        if (result.aborted)
            done = "Adding aborted by user";
        else
            done.Format(" Added %d songs to DB, %d exceptions", result.added, result.refused);
        SetDlgItemTextA(hPage, IDC_WIZ_ADDSTATUS, done);
        if (result.refused > 0)
            EnableWindow(GetDlgItem(hPage, IDC_WIZ_EXCEPTIONS), TRUE);
    }
    return result.added;
}

int VIZU::WatchAddFiles(CWnd* window, bool mp3Only)
{
    (void)window;
    GetAddSettings();
    EmptyExceptionList();
    BatchResult result;
    {
        CWaitCursor wait;
        result = AddCollected(true, mp3Only, [] {});
    }
    EmptyAddTracks();
    return result.added;
}
