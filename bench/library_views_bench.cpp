// The library views of the main window with 100,000 tracks: a selection in
// the library tree (My Library, an artist, a genre) until the main track
// list shows its first screen of rows, and a search from Enter to its
// result in the search list. Beside each the list control's own cost of
// the rows' inserts (the same rows' texts put into a scratch list, drawing
// off) is timed apart, and the full fill time is given too. My Library is
// timed on both paths: the window thread's (drawing off until the end) and
// the display worker's (rows appear as they come).
#include "BenchClock.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <commctrl.h>

#include "foundation/app/WorkerThread.h"
#include "framework/ui/AfxWin.h"
#include "framework/ui/Prompts.h"
#include "library/api/LibraryArrays.h"
#include "library/api/VIZU.h"
#include "mainwindow/library/LibraryViews.h"
#include "mainwindow/lists/QueueArrays.h"
#include "mainwindow/parts/MainWindowParts.h"
#include "skin/create/FindSkinControl.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/file/Skin.h"
#include "skin/tracklist/TXVTrackList.h"
#include "skin/tree/TXVTreeCtrl.h"

namespace {

using bench::Now;

const int kArtists = 500;
const int kGenres = 20;

void MakeLibrary(int count)
{
    m_Tracks.RemoveAll();
    m_Tracks.SetSize(0, count);
    for (int i = 0; i < count; ++i) {
        CTrackRecord r;
        r.m_Title.Format("Track title number %d", (i * 7919) % count);
        r.m_Artist.Format("Artist %03d", i % kArtists);
        r.m_Album.Format("Album %d", i / 12);
        r.m_Genre.Format("Genre %02d", i % kGenres);
        r.m_Year.Format("%d", 1970 + i % 50);
        r.m_FileName.Format("C:\\Music\\Artist %03d\\Album %d\\%06d.mp3", i % kArtists, i / 12, i);
        r.m_BPMText.Format("%05d", 9000 + (i * 37) % 6000);
        r.m_Length = 60 + i % 400;
        r.m_Index = i + 1;
        r.m_PlayCount = i % 7;
        m_Tracks.Add(r);
    }
}

UINT Id(const char* name)
{
    return SkinWindowId(TheSkin().LookupControlName(name));
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class Parts : public MainWindowParts
{
public:
    std::atomic<int> busy{0};
    void SetBusyIndicator(bool on) override { busy += on ? 1 : -1; }
};

struct Window
{
    CWnd main;
    TXVTreeCtrl tree;
    TXVTrackList list;
    TXVTrackList search;
    CListCtrl scratch;
    TXVStatusField status;
    CWnd edit;

    bool Create()
    {
        if (!main.CreateEx(0, nullptr, "library views bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 1000, 700,
                           nullptr, nullptr))
            return false;
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS, CRect(0, 0, 200, 600), &main,
                    Id("mylibrary"));
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(200, 0, 990, 400), &main, Id("tracklist"));
        VIZU::DisplayListHeader(&list, false);
        search.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(200, 400, 990, 600), &main, Id("searchlist"));
        VIZU::DisplayListHeader(&search, false);
        scratch.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 400, 300), &main, 100);
        VIZU::DisplayListHeader(&scratch, false);
        status.Create("", WS_CHILD | WS_VISIBLE, CRect(200, 600, 990, 620), &main, Id("s-tracklist"));
        status.SetTimeFlag(false);
        return edit.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 620, 200, 20, main.GetSafeHwnd(),
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(Id("editsearch")))) != FALSE;
    }
};

// The list control's own cost: the rows' texts of the list put into the
// scratch list with drawing off, seconds.
double ControlInserts(CListCtrl& from, CListCtrl& scratch)
{
    const int rows = from.GetItemCount();
    std::vector<std::vector<CString>> texts(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 11; ++c)
            texts[static_cast<size_t>(r)].push_back(from.GetItemText(r, c));
    scratch.SetRedraw(FALSE);
    scratch.DeleteAllItems();
    const double start = Now();
    for (int r = 0; r < rows; ++r) {
        const std::vector<CString>& row = texts[static_cast<size_t>(r)];
        const int at = scratch.InsertItem(r, row[0]);
        for (int c = 1; c < 11; ++c)
            scratch.SetItemText(at, c, row[static_cast<size_t>(c)]);
    }
    const double seconds = Now() - start;
    scratch.DeleteAllItems();
    scratch.SetRedraw(TRUE);
    return seconds;
}

HTREEITEM Child(CTreeCtrl& tree, HTREEITEM parent, const char* text)
{
    for (HTREEITEM c = parent ? tree.GetChildItem(parent) : tree.GetRootItem(); c; c = tree.GetNextSiblingItem(c))
        if (tree.GetItemText(c) == text)
            return c;
    return nullptr;
}

void Report(const char* what, int rows, double total, double inserts)
{
    std::printf("%-44s %6d rows: %8.1f ms, of which the list control's inserts %8.1f ms; without them %7.1f ms "
                "(goal 150 ms)\n",
                what, rows, total * 1000.0, inserts * 1000.0, (total - inserts) * 1000.0);
}

// Selects the node (on the window thread) and times it, the views showing
// it through the selection itself.
void TimeSelection(const char* what, Window& w, LibraryViews& views, HTREEITEM item)
{
    w.tree.SelectItem(nullptr);
    // The list control's deletion of the rows shown before, timed apart
    // (every fill begins with it).
    const int before = w.list.GetItemCount();
    double start = Now();
    w.list.DeleteAllItems();
    const double deletion = Now() - start;
    start = Now();
    w.tree.SelectItem(item);
    views.DisplayTreeSelection();
    const double total = Now() - start;
    std::printf("  (deleting the %d rows shown before: %.1f ms)\n", before, deletion * 1000.0);
    Report(what, w.list.GetItemCount(), total, ControlInserts(w.list, w.scratch));
}

} // namespace

int main(int argc, char** argv)
{
    AfxSetUnattendedPrompts(TRUE);
    VIZU vizu;
    const int count = argc >= 2 ? std::atoi(argv[1]) : 100000;
    MakeLibrary(count);
    std::printf("library: %d tracks, %d artists, %d genres\n", count, kArtists, kGenres);

    Window w;
    if (!w.Create())
        return 1;
    Parts parts;
    QueueArrays queues;
    LibraryViewSettings settings;
    LibraryViews views(parts);
    views.Attach(w.main.GetSafeHwnd(), settings, nullptr, &queues);
    views.BuildLibraryTree();
    Pump();

    HTREEITEM library = Child(w.tree, nullptr, "My Library");
    TimeSelection("My Library, window thread (first screen = all)", w, views, library);
    // The artist and genre nodes under their categories.
    w.tree.SelectItem(Child(w.tree, library, "Artists"));
    views.DisplayTreeSelection();
    TimeSelection("an artist (Artist 123)", w, views, Child(w.tree, Child(w.tree, library, "Artists"), "Artist 123"));
    w.tree.SelectItem(Child(w.tree, library, "Genres"));
    views.DisplayTreeSelection();
    TimeSelection("a genre (Genre 07)", w, views, Child(w.tree, Child(w.tree, library, "Genres"), "Genre 07"));

    // My Library through the display worker: the first screen of rows as
    // it appears, then the whole fill.
    {
        LibraryViewSettings threaded;
        threaded.useDisplayThread = true;
        views.Attach(w.main.GetSafeHwnd(), threaded, nullptr, &queues);
        HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
        WorkerThread thread;
        thread.AddHandler(event, [](void* data) { static_cast<LibraryViews*>(data)->RunDisplayJob(); }, &views);
        thread.Start(THREAD_PRIORITY_NORMAL);
        views.SetDisplayJobStarter([event] { return ::SetEvent(event) != FALSE; });
        w.list.DeleteAllItems();
        const int screen = w.list.GetCountPerPage() > 0 ? w.list.GetCountPerPage() : 20;
        w.tree.SelectItem(nullptr);
        const double start = Now();
        w.tree.SelectItem(library);
        views.DisplayTreeSelection();
        double first = -1.0;
        // The worker's rows reach the list in batches, each inserted by
        // this thread when it answers the worker's message (inside the
        // pump): the first screen is looked for after every message. The
        // whole fill is timed for at most 60 s and carried over to all rows
        // when it takes longer.
        auto seen = [&] {
            if (first < 0.0 && w.list.GetItemCount() >= screen)
                first = Now() - start;
        };
        while (parts.busy.load() != 0 && Now() - start < 60.0) {
            seen();
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                seen();
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            seen();
        }
        const double total = Now() - start;
        const int rows = w.list.GetItemCount();
        const bool whole = parts.busy.load() == 0;
        views.CancelDisplayFill();
        const double cancelled = Now() - start - total;
        std::printf("%-44s first screen (%d rows) %7.2f ms (goal 150 ms); %s %d rows in %.1f s "
                    "(%.3f ms a row; %d rows at this rate: %.0f s); stopping it took %.1f ms\n",
                    "My Library, display worker", screen, first * 1000.0, whole ? "whole fill" : "fill so far",
                    rows, total, rows ? total * 1000.0 / rows : 0.0, count, rows ? total / rows * count : 0.0,
                    cancelled * 1000.0);
        thread.Stop();
        ::CloseHandle(event);
        views.Attach(w.main.GetSafeHwnd(), settings, nullptr, &queues);
    }

    const char* const searches[] = {"number 4242", "artist 123", "genre 07", "zzz"};
    for (const char* text : searches) {
        ::SetWindowTextA(w.edit.GetSafeHwnd(), text);
        const double start = Now();
        views.OnSearchGo();
        const double total = Now() - start;
        std::string what = std::string("search \"") + text + "\", Enter to result";
        Report(what.c_str(), w.search.GetItemCount(), total, ControlInserts(w.search, w.scratch));
    }
    return 0;
}
