// The folder searches of the import: the add wizard's, the watch folders'
// and the classic add dialog's.
#include "library/import/TrackImport.h"

#include "framework/ui/CListCtrl.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"
#include "library/state/LibrarySettings.h"
#include "library/import/TrackImportNames.h"
#include "library/import/TrackImportWalk.h"
#include "library/api/VIZU.h"

namespace {

HWND HandleOf(const CWnd* wnd)
{
    return wnd ? wnd->GetSafeHwnd() : nullptr;
}

void ShowItemText(HWND window, int item, const char* text)
{
    if (window)
        SetDlgItemTextA(window, item, text);
}

// Into m_AddTracks, raising the wizard's found counters and showing the
// folder and the counts on its page.
class WizardSearch : public MusicFolderWalk
{
public:
    WizardSearch(HWND page, bool subfolders, bool* abort)
        : MusicFolderWalk(page, subfolders, abort), m_hPage(page)
    {
    }

protected:
    void OnFolder(const CString& path) override
    {
        ShowItemText(m_hPage, IDC_WIZ_SEARCHFOLDER, path);
    }
    void OnMusicFile(const CString& path, const CString& name, int) override
    {
        CString count;
        const bool mp3 = HasEnding(name, "mp3");
        {
            LibraryLock lock;
            LibrarySettings& settings = lock.State().settings;
            count.Format("%d", mp3 ? ++settings.foundMP3 : ++settings.foundWAV);
            CString copy(path);
            m_AddTracks.Add(copy);
            ++settings.foundFiles;
        }
        ShowItemText(m_hPage, mp3 ? IDC_WIZ_MP3COUNT : IDC_WIZ_WAVCOUNT, count);
    }

private:
    HWND m_hPage;
};

class WatchSearch : public MusicFolderWalk
{
public:
    using MusicFolderWalk::MusicFolderWalk;

protected:
    void OnMusicFile(const CString& path, const CString&, int) override
    {
        CString copy(path);
        LibraryLock lock;
        m_AddTracks.Add(copy);
    }
};

class ListSearch : public MusicFolderWalk
{
public:
    ListSearch(CListCtrl* list, HWND parent, bool subfolders, bool* abort)
        : MusicFolderWalk(parent, subfolders, abort), m_pList(list)
    {
    }

protected:
    void OnMusicFile(const CString& path, const CString& name, int before) override
    {
        int row = m_pList->InsertItem(LVIF_TEXT | LVIF_PARAM, before, name, 0, 0, 0, before);
        if (row >= 0)
            m_pList->SetItemText(row, 1, path);
    }

private:
    CListCtrl* m_pList;
};

} // namespace

int VIZU::SearchForMP3WAVFiles(CWnd* window, CString folder, bool subfolders, bool* abort)
{
    WizardSearch search(HandleOf(window), subfolders, abort);
    return search.Walk(folder).direct;
}

int VIZU::SearchWatchFolder(CWnd* window, CString folder, bool subfolders, bool* abort)
{
    WatchSearch search(HandleOf(window), subfolders, abort);
    return search.Walk(folder).total;
}

void SearchFolderForMusicFiles(CListCtrl* list, CString folder, bool subfolders, bool* abort)
{
    if (!list || !list->GetSafeHwnd())
        return;
    ListSearch search(list, ::GetParent(list->GetSafeHwnd()), subfolders, abort);
    search.Walk(folder);
}
