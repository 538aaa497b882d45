// Library benchmark: a generated library of 100,000 tracks is saved to the
// library file, opened again (parse and fill m_Tracks), sorted by artist,
// and picked from at random in every mode. Prints the time of each step
// and the process's memory (current and peak) after it.
#include "library/api/VIZU.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

const int kTracks = 100000;

double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

double Mb(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// CPU seconds of the process so far: on a busy machine the wall time of a
// step says more about the other programs than about the step.
double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& ft) {
        return (static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

double g_cpu = 0.0;

void Report(const char* step, double seconds)
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    const double cpu = CpuSeconds();
    std::printf("  %-28s %7.3f s (cpu %7.3f s)   working set %7.1f MB (peak %7.1f MB)   committed %7.1f MB (peak %7.1f MB)\n",
                step, seconds, cpu - g_cpu, Mb(pmc.WorkingSetSize), Mb(pmc.PeakWorkingSetSize),
                Mb(pmc.PagefileUsage), Mb(pmc.PeakPagefileUsage));
    g_cpu = CpuSeconds();
}

// Tracks with the lengths and spread of a DJ's collection: 5,000 artists,
// album and genre texts, tempos and years, and full file paths.
void Generate()
{
    static const char* const kGenres[] = {"House", "Techno", "Trance", "Hip-Hop", "Drum & Bass",
                                          "Pop", "Rock", "Electronic"};
    uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    m_Tracks.RemoveAll();
    for (int i = 0; i < kTracks; ++i) {
        CTrackRecord r;
        const unsigned artist = next() % 5000;
        const unsigned album = next() % 8;
        r.m_Artist.Format("Artist Name %u", artist);
        r.m_Album.Format("Album Title %u-%u", artist, album);
        r.m_Title.Format("Track Title Number %u (Original Mix)", next() % 100000);
        r.m_FileName.Format("D:\\Music\\%s\\%s\\%02d - %s.mp3", r.m_Artist.GetString(),
                            r.m_Album.GetString(), i % 20 + 1, r.m_Title.GetString());
        r.m_Genre = kGenres[next() % 8];
        r.m_FileType = "MP3";
        r.m_BPMText.Format("%03u.%02u", 80 + next() % 90, next() % 100);
        r.m_Year.Format("%u", 1970 + next() % 55);
        r.m_Index = i + 1;
        r.m_Length = static_cast<int32_t>(120 + next() % 480);
        r.m_PlayCount = static_cast<int32_t>(next() % 50);
        r.m_HasPicture = static_cast<int32_t>(next() % 2);
        r.m_Cue1 = static_cast<int32_t>(next() % 60);
        if (i % 10 == 0)
            r.m_Cue1Name = "Drop";
        m_Tracks.Add(r);
    }
}

} // namespace

int main()
{
    std::printf("Library benchmark (%d-bit), %d tracks\n\n", static_cast<int>(sizeof(void*) * 8),
                kTracks);
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "library_bench.txd";

    Report("start", 0.0);
    Clock::time_point t = Clock::now();
    Generate();
    Report("generate records", Seconds(t));

    t = Clock::now();
    const int saved = VIZU::XML_SaveLib(path.c_str());
    Report("save", Seconds(t));
    const double fileMb = Mb(static_cast<SIZE_T>(VIZU::GetFileSize(path.c_str())));
    std::printf("      %d records written, file %.1f MB\n", saved, fileMb);

    m_Tracks.RemoveAll();
    Report("records freed", 0.0);

    t = Clock::now();
    const int loaded = VIZU::XML_LoadLib(path.c_str());
    Report("open (parse, fill m_Tracks)", Seconds(t));
    std::printf("      result %d, %d records\n", loaded, VIZU::GetRecordCount());

    t = Clock::now();
    VIZU::SortTrackListA(2);
    Report("sort by artist", Seconds(t));
    t = Clock::now();
    VIZU::SortTrackList(2);
    Report("sort by artist, descending", Seconds(t));
    t = Clock::now();
    VIZU::SortTrackListA(7);
    Report("sort by title", Seconds(t));

    tagRandomInfo info;
    info.Value = "Artist Name 42";
    info.YearLow = "1990";
    info.YearHigh = "1999";
    info.BPMLow = "120";
    info.BPMHigh = "130";
    t = Clock::now();
    for (int mode = 40; mode <= 45; ++mode) {
        info.Mode = mode;
        VIZU::GetRandomTrack(&info);
    }
    Report("random pick, modes 40 to 45", Seconds(t));

    t = Clock::now();
    VIZU::XML_SaveLib(path.c_str());
    Report("save again (sorted)", Seconds(t));

    DeleteFileA(path.c_str());
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("\nPeak committed memory %.1f MB = %.1f times the file's size\n",
                Mb(pmc.PeakPagefileUsage), Mb(pmc.PeakPagefileUsage) / fileMb);
    return 0;
}
