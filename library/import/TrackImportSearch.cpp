// The folder searches of the import: the add wizard's, the watch folders'
// and the classic add dialog's.
#include "library/import/TrackImport.h"

#include "framework/ui/CListCtrl.h"
#include "library/state/LibraryState.h"
#include "library/state/LibrarySettings.h"
#include "library/import/TrackImportNames.h"
#include "library/import/TrackImportWalk.h"

namespace {

void ShowItemText(HWND window, int item, const char* text)
{
    if (window)
        SetDlgItemTextA(window, item, text);
}

// Into the add tracks, raising the wizard's found counters and showing the
// folder and the counts on its page.
class WizardSearch : public MusicFolderWalk
{
public:
    using Collect = std::function<int(const CString& path, bool mp3)>;
    WizardSearch(HWND page, bool subfolders, bool* abort, const Collect& collect)
        : MusicFolderWalk(page, subfolders, abort), m_hPage(page), m_collect(collect)
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
        count.Format("%d", m_collect(path, mp3));
        ShowItemText(m_hPage, mp3 ? IDC_WIZ_MP3COUNT : IDC_WIZ_WAVCOUNT, count);
    }

private:
    HWND m_hPage;
    const Collect& m_collect;
};

class WatchSearch : public MusicFolderWalk
{
public:
    using Collect = std::function<void(const CString& path)>;
    WatchSearch(HWND window, bool subfolders, bool* abort, const Collect& collect)
        : MusicFolderWalk(window, subfolders, abort), m_collect(collect)
    {
    }

protected:
    void OnMusicFile(const CString& path, const CString&, int) override { m_collect(path); }

private:
    const Collect& m_collect;
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

int trackimport::CollectWizardFile(LibraryState& state, const CString& path, bool mp3)
{
    LibrarySettings& settings = state.settings;
    const int count = mp3 ? ++settings.foundMP3 : ++settings.foundWAV;
    CString copy(path);
    state.addTracks.Add(copy);
    ++settings.foundFiles;
    return count;
}

void trackimport::CollectWatchFile(LibraryState& state, const CString& path)
{
    CString copy(path);
    state.addTracks.Add(copy);
}

int trackimport::SearchForMusicFiles(HWND page, const CString& folder, bool subfolders,
                                     bool* abort,
                                     const std::function<int(const CString& path, bool mp3)>& collect)
{
    WizardSearch search(page, subfolders, abort, collect);
    return search.Walk(folder).direct;
}

int trackimport::SearchWatchFolder(HWND window, const CString& folder, bool subfolders,
                                   bool* abort,
                                   const std::function<void(const CString& path)>& collect)
{
    WatchSearch search(window, subfolders, abort, collect);
    return search.Walk(folder).total;
}

void SearchFolderForMusicFiles(CListCtrl* list, CString folder, bool subfolders, bool* abort)
{
    if (!list || !list->GetSafeHwnd())
        return;
    ListSearch search(list, ::GetParent(list->GetSafeHwnd()), subfolders, abort);
    search.Walk(folder);
}
