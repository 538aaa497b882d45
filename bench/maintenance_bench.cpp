// Maintenance benchmark: the three duplicate scans and the broken-link scan
// over 100,000 tracks of which 1,000 are second copies of a song and 1,000
// share their path with another record; 1,000 of the files are missing.
// Each scan is timed three ways: bare (no window, list or progress bar: the
// scan itself with its paced message pump), with the status text and the
// progress bar of a real window, and with the result list as well, so that
// the cost of the per-record status text and progress step, and of the list
// inserts, shows apart. The tag refresh reads 2,000 real files: its rate.
#include "framework/ui/AfxWin.h"
#include "library/api/VIZU.h"
#include "library/maintenance/DuplicateScan.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

const int kTracks = 100000;
const int kCopies = 1000;
const int kSharedPaths = 1000;
const int kMissing = 1000;
const int kStatusId = 500;

double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

std::string g_folder;

std::string FilePath(int i)
{
    char name[64];
    std::snprintf(name, sizeof name, "\\d%03d\\t%06d.mp3", i % 200, i);
    return g_folder + name;
}

// Every record's file exists except kMissing of them; the copies are made
// at spread positions.
void Generate(bool makeFiles)
{
    uint32_t seed = 777;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    m_Tracks.RemoveAll();
    m_Tracks.SetSize(0, kTracks);
    const int originals = kTracks - kCopies - kSharedPaths;
    for (int i = 0; i < originals; ++i) {
        CTrackRecord r;
        r.m_Artist.Format("Artist Name %u", next() % 5000);
        r.m_Title.Format("Track Title Number %d (Original Mix)", i);
        r.m_FileName = FilePath(i).c_str();
        r.m_Index = i + 1;
        m_Tracks.Add(r);
    }
    for (int c = 0; c < kCopies; ++c) {
        CTrackRecord r = m_Tracks[static_cast<INT_PTR>(next() % static_cast<unsigned>(originals))];
        r.m_FileName = FilePath(originals + c).c_str();
        r.m_Index = originals + c + 1;
        r.m_Title.MakeUpper();
        m_Tracks.InsertAt(static_cast<INT_PTR>(next() % static_cast<unsigned>(m_Tracks.GetSize())), r);
    }
    for (int s = 0; s < kSharedPaths; ++s) {
        CTrackRecord r;
        r.m_Artist = "Shared";
        r.m_Title.Format("Shared path %d", s);
        r.m_FileName = FilePath(static_cast<int>(next() % static_cast<unsigned>(originals))).c_str();
        r.m_Index = originals + kCopies + s + 1;
        m_Tracks.InsertAt(static_cast<INT_PTR>(next() % static_cast<unsigned>(m_Tracks.GetSize())), r);
    }
    if (!makeFiles)
        return;
    for (int d = 0; d < 200; ++d) {
        char dir[32];
        std::snprintf(dir, sizeof dir, "\\d%03d", d);
        CreateDirectoryA((g_folder + dir).c_str(), nullptr);
    }
    for (int i = kMissing; i < originals + kCopies; ++i) {
        HANDLE h = CreateFileA(FilePath(i).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
}

void RemoveFiles()
{
    for (int i = 0; i < kTracks; ++i)
        DeleteFileA(FilePath(i).c_str());
    for (int d = 0; d < 200; ++d) {
        char dir[32];
        std::snprintf(dir, sizeof dir, "\\d%03d", d);
        RemoveDirectoryA((g_folder + dir).c_str());
    }
    RemoveDirectoryA(g_folder.c_str());
}

using Scan = int (*)(CWnd*, CListCtrl*, int, CProgressCtrl*);

struct Frame
{
    CWnd window;
    CListCtrl list;
    CProgressCtrl progress;
};

void TimeScan(const char* name, Scan scan, Frame& frame)
{
    struct Way { const char* label; bool window; bool list; };
    for (const Way& way : {Way{"bare", false, false}, Way{"+ status, progress", true, false},
                           Way{"+ list rows", true, true}}) {
        frame.list.DeleteAllItems();
        const Clock::time_point t = Clock::now();
        const int answer = scan(way.window ? &frame.window : nullptr,
                                way.list ? &frame.list : nullptr, kStatusId,
                                way.window ? &frame.progress : nullptr);
        std::printf("  %-34s %-20s %7.3f s   answer %d, rows %d\n", name, way.label, Seconds(t),
                    answer, frame.list.GetItemCount());
    }
}

} // namespace

int main()
{
    std::printf("Maintenance benchmark (%d-bit): %d tracks, %d song copies, %d shared paths, "
                "%d missing files\n\n",
                static_cast<int>(sizeof(void*) * 8), kTracks, kCopies, kSharedPaths, kMissing);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char unique[32];
    std::snprintf(unique, sizeof unique, "maintenance_bench_%lu", GetCurrentProcessId());
    g_folder = std::string(temp) + unique;
    CreateDirectoryA(g_folder.c_str(), nullptr);

    VIZU vizu;
    Clock::time_point t = Clock::now();
    Generate(true);
    std::printf("  generate records and files          %7.3f s\n\n", Seconds(t));

    Frame frame;
    frame.window.CreateEx(0, nullptr, "Maintenance bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                          800, 500, nullptr, nullptr);
    CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 700, 20, frame.window.GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)), GetModuleHandleA(nullptr),
                  nullptr);
    frame.list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 30, 780, 400), &frame.window, 101);
    for (int column = 0; column < 3; ++column)
        frame.list.InsertColumn(column, "c", LVCFMT_LEFT, 200);
    frame.progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 410, 780, 430), &frame.window, 102);

    // The grouping alone, on the library as generated.
    t = Clock::now();
    const size_t groups = maintenance::GroupSongCopies(m_Tracks).size();
    std::printf("  %-34s %-20s %7.3f s   groups %zu\n", "grouping by song", "", Seconds(t), groups);
    t = Clock::now();
    const size_t shared = maintenance::FindSharedPathCopies(m_Tracks).size();
    std::printf("  %-34s %-20s %7.3f s   copies %zu\n\n", "grouping by path", "", Seconds(t), shared);

    TimeScan("CheckForDupesByTitleArtist", &VIZU::CheckForDupesByTitleArtist, frame);
    TimeScan("V5CheckForDupesByTitleArtist", &VIZU::V5CheckForDupesByTitleArtist, frame);
    TimeScan("CheckForDupesByFilename", &VIZU::CheckForDupesByFilename, frame);
    TimeScan("CheckForBrokenLinks", &VIZU::CheckForBrokenLinks, frame);
    t = Clock::now();
    const int bad = VIZU::GetBadLinkCount();
    std::printf("  %-34s %-20s %7.3f s   answer %d\n", "GetBadLinkCount", "", Seconds(t), bad);

    // The tag refresh: 2,000 real (empty) files; a rate only.
    const int refreshed = 2000;
    m_Tracks.SetSize(refreshed);
    t = Clock::now();
    const int updated = VIZU::UpdateLibraryFromTags(&frame.window, nullptr, kStatusId, &frame.progress);
    const double took = Seconds(t);
    std::printf("\n  %-34s %7.3f s for %d files: %.0f files/s (updated %d)\n",
                "UpdateLibraryFromTags", took, refreshed, refreshed / took, updated);

    m_Tracks.RemoveAll();
    frame.list.DestroyWindow();
    frame.progress.DestroyWindow();
    frame.window.DestroyWindow();
    RemoveFiles();
    return 0;
}
