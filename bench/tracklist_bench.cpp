// Track lists: fills a report list with 100,000 library rows through the
// library-display worker's path (no pumping, drawing left on), through the
// window thread's pumped path, and from a real worker thread; times a
// "contains" search over all fields of 100,000 tracks, the matching loop
// apart, and VIZU::DoSearch with its pumping (goal: under 100 ms).
// Beside the fills it times bare LVM_INSERTITEM calls on the same list with
// drawing on and off, so the list control's own cost of an insert can be
// told from ours, and the worker thread's fill with drawing switched off by
// the benchmark (what is left is the cost of its messages crossing threads).
// With "--show MS" it instead shows a window with a filled track list for
// MS milliseconds (for a screenshot).
#include "BenchClock.h"
#include "framework/ui/AfxWin.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/tracklist/SearchFilter.h"
#include "library/api/VIZU.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using bench::Now;

const char* const kArtists[] = {"Blue Moon", "The Stones", "Solo Artist", "DJ Tavrix", "Nights"};
const char* const kGenres[] = {"Rock", "Pop", "Jazz", "House", "Techno"};

void MakeLibrary(int count)
{
    m_Tracks.RemoveAll();
    m_Tracks.SetSize(0, count);
    for (int i = 0; i < count; ++i) {
        CTrackRecord r;
        r.m_Title.Format("Track title number %d", i);
        r.m_Artist = kArtists[i % 5];
        r.m_Album.Format("Album %d", i / 12);
        r.m_Genre = kGenres[i % 5];
        r.m_Year.Format("%d", 1970 + i % 50);
        r.m_FileName.Format("C:\\Music\\%s\\Album %d\\%05d.%s", kArtists[i % 5], i / 12, i,
                            i % 4 ? "mp3" : "wav");
        r.m_BPMText.Format("%05d", 9000 + (i * 37) % 6000);
        r.m_Length = 60 + i % 400;
        r.m_Index = i + 1;
        r.m_PlayCount = i % 7;
        r.m_HasPicture = i % 3 == 0;
        m_Tracks.Add(r);
    }
}

struct Window
{
    CWnd frame;
    CListCtrl list;
    bool Create(const char* title, int width, int height, bool trackHeader)
    {
        if (!frame.CreateEx(0, nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, width, height,
                            nullptr, nullptr))
            return false;
        CRect client;
        GetClientRect(frame.GetSafeHwnd(), &client);
        if (!list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, client, &frame, 100))
            return false;
        if (trackHeader)
            VIZU::DisplayTrackListHeader(&list, false);
        else
            VIZU::DisplayListHeader(&list, false);
        return true;
    }
};

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

int Show(DWORD ms)
{
    MakeLibrary(60);
    Window w;
    if (!w.Create("TavrixVJ track list", 1000, 600, true))
        return 1;
    VIZU::DisplayTracks(&w.list, true, LibraryTrackIcons(), false, false);
    w.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    PumpFor(ms);
    return 0;
}

// Inserts rows holding only a title, nothing else: the list control's own
// cost of an insert. The seconds for all rows.
double BareInserts(CListCtrl& list, int rows)
{
    HWND hwnd = list.GetSafeHwnd();
    double start = Now();
    for (int i = 0; i < rows; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>("Track title");
        SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    double seconds = Now() - start;
    list.DeleteAllItems();
    return seconds;
}

void PrintRate(const char* what, int rows, double seconds)
{
    double perRow = rows ? seconds / rows : 0.0;
    std::printf("%s: %d rows in %.3f s (%.3f ms a row; 100,000 rows at this rate: %.0f s)\n", what,
                rows, seconds, perRow * 1000.0, perRow * 100000.0);
}

// A worker thread fills while this thread waits for it answering messages,
// as the window thread's message loop does.
double FillFromThread(Window& w, int* rows)
{
    std::atomic<int> result{-1};
    CListCtrl* list = &w.list;
    double start = Now();
    std::thread worker([&] { result = VIZU::DisplayTracks(list, false, LibraryTrackIcons(), false, true); });
    while (result.load() < 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    double seconds = Now() - start;
    worker.join();
    *rows = result.load();
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    AfxSetUnattendedPrompts(TRUE);
    VIZU vizu;
    if (argc >= 3 && std::strcmp(argv[1], "--show") == 0)
        return Show(static_cast<DWORD>(std::atoi(argv[2])));

    const int count = argc >= 2 ? std::atoi(argv[1]) : 100000;
    const int threadCount = argc >= 3 ? std::atoi(argv[2]) : 200;
    MakeLibrary(count);
    std::printf("library: %d tracks\n", count);

    Window w;
    if (!w.Create("bench", 900, 500, false))
        return 1;

    double t = Now();
    int rows = VIZU::DisplayTracks(&w.list, true, LibraryTrackIcons(), false, false);
    PrintRate("fill, pumped path (drawing off, existence checked)", rows, Now() - t);
    t = Now();
    rows = VIZU::DisplayTracks(&w.list, false, LibraryTrackIcons(), false, false);
    PrintRate("fill, pumped path (drawing off, existence not checked)", rows, Now() - t);
    w.list.DeleteAllItems();
    w.list.SetRedraw(FALSE);
    PrintRate("bare LVM_INSERTITEM, drawing off", count, BareInserts(w.list, count));
    w.list.SetRedraw(TRUE);

    // With drawing on every insert costs the list control milliseconds
    // (it updates and repaints its scroll bars and header at once), so the
    // paths that leave drawing on are measured on a smaller library (second
    // argument) and the rate is carried over to 100,000 rows.
    PumpFor(200);
    PrintRate("bare LVM_INSERTITEM, drawing on", threadCount, BareInserts(w.list, threadCount));
    MakeLibrary(threadCount);
    PumpFor(200);
    t = Now();
    rows = VIZU::DisplayTracks(&w.list, false, LibraryTrackIcons(), false, true);
    PrintRate("fill, worker's path (no pump, drawing on) on the window thread", rows, Now() - t);
    PumpFor(200);
    double seconds = FillFromThread(w, &rows);
    PrintRate("fill, worker's path from a worker thread", rows, seconds);
    w.list.SetRedraw(FALSE);
    seconds = FillFromThread(w, &rows);
    w.list.SetRedraw(TRUE);
    PrintRate("fill, worker's path from a worker thread, drawing switched off by the benchmark", rows,
              seconds);
    MakeLibrary(count);

    const char* const wanted[] = {"zzz", "title number 99999", "blue", "C:\\music\\dj"};
    for (const char* text : wanted) {
        TrackMatcher matcher(LibraryCaseFold(), text);
        t = Now();
        int matches = 0;
        for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
            matches += matcher.SearchMatches(MatchFieldsOf(m_Tracks[i]), 35);
        double match = Now() - t;
        t = Now();
        const long runs = PumpRuns();
        int found = VIZU::DoSearch(text, 35);
        double search = Now() - t;
        std::printf("search \"%s\", code 35: matching loop %.1f ms (%d matches); DoSearch with its "
                    "pumping and copies %.1f ms (%d; goal 100 ms), the pump ran %ld times\n",
                    text, match * 1000.0, matches, search * 1000.0, found, PumpRuns() - runs);
    }
    return 0;
}
