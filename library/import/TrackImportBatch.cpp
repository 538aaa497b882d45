// Adding what a folder search collected (the add tracks): the add wizard's
// batch and the watch-folder scan's.
#include "library/import/TrackImport.h"

#include "framework/ui/CWnd.h"
#include "framework/win/CWaitCursor.h"
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
// stepped() runs. Handlers run while messages are let through; they may
// change the add tracks, so the batch works on a copy of its own (files).
template <class Stepped>
BatchResult AddCollected(const CArray<CString, CString&>& files, bool onlyNew, bool mp3Only,
                         Stepped stepped)
{
    BatchResult result;
    LoopPump pacer;
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        if (pacer.StepOrAbort(nullptr)) {
            result.aborted = true;
            break;
        }
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

int trackimport::WizAddFiles(const CArray<CString, CString&>& files, CWnd* page, bool onlyNew,
                             bool mp3Only)
{
    HWND hPage = page ? page->GetSafeHwnd() : nullptr;
    HWND progress = hPage ? GetDlgItem(hPage, IDC_WIZ_ADDPROGRESS) : nullptr;
    BatchResult result;
    const INT_PTR count = files.GetSize();
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
        result = AddCollected(files, onlyNew, mp3Only, [progress] {
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

int trackimport::WatchAddFiles(const CArray<CString, CString&>& files, bool mp3Only)
{
    BatchResult result;
    {
        CWaitCursor wait;
        result = AddCollected(files, true, mp3Only, [] {});
    }
    return result.added;
}
