// Playlists: a playlist of 10,000 tracks saved from an array, appended to
// (one music file added, the whole file rewritten), and read back (parsed
// into records, and shown as list rows), each the best of five rounds
// (goal: each under 100 ms). The steps the files ask for that are not the
// playlist's own are timed apart: the list writer's per-row picture test
// and row reads, the append's tag read of the file added, the list
// control's inserts, and the read-back of a file after an append (its old
// lines end in LF, so it is parsed by the XML reader, not the quick one).
// Also: the M3U export of the 10,000 tracks.
#include "BenchClock.h"
#include "framework/ui/AfxWin.h"
#include "library/api/VIZU.h"
#include "library/file/LibraryFileFormat.h"
#include "library/playlists/PlaylistFiles.h"
#include "library/tags/TagWriting.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace {

using bench::Now;
using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

constexpr int kTracks = 10000;
constexpr int kRounds = 5;

const char* const kArtists[] = {"Blue Moon", "The Stones", "Solo Artist", "DJ Tavrix", "Nights"};

void MakeTracks(const std::string& folder, TrackArray& tracks)
{
    tracks.SetSize(0, kTracks);
    for (int i = 0; i < kTracks; ++i) {
        CTrackRecord r;
        r.m_Title.Format("Track title number %d", i);
        r.m_Artist = kArtists[i % 5];
        r.m_Album.Format("Album %d", i / 12);
        r.m_Genre = "House";
        r.m_Year.Format("%d", 1970 + i % 50);
        // Files that are not there: the list writer's picture test of each
        // row then costs one failed open.
        r.m_FileName.Format("%s\\music\\%05d.%s", folder.c_str(), i, i % 4 ? "mp3" : "wav");
        r.m_FileType = i % 4 ? "MP3" : "WAV";
        r.m_BPMText.Format("%05d", 9000 + (i * 37) % 6000);
        r.m_Length = 60 + i % 400;
        r.m_Index = i + 1;
        r.m_PlayCount = i % 7;
        r.m_Cue1 = i % 30;
        r.m_Cue1Name = "drop";
        tracks.Add(r);
    }
}

// A short WAV file of silence, for the append.
bool MakeWav(const std::string& path)
{
    const DWORD data = 44100 * 4;
    std::string bytes(44 + data, '\0');
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    std::memcpy(&bytes[0], "RIFF", 4);
    put32(4, 36 + data);
    std::memcpy(&bytes[8], "WAVEfmt ", 8);
    put32(16, 16);
    put32(20, 1 | (2 << 16));
    put32(24, 44100);
    put32(28, 44100 * 4);
    put32(32, 4 | (16 << 16));
    std::memcpy(&bytes[36], "data", 4);
    put32(40, data);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return written == bytes.size();
}

// The process's processor time (user and kernel), in seconds: on a busy
// machine the wall time of a round also counts the time other programs had
// the processor.
double ProcessorTime()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Figure
{
    double wall = 1e9; // milliseconds, the best round
    double cpu = 0;    // the processor time of that round
};

// The best of the rounds; set runs before each round without being timed.
Figure Best(const std::function<void()>& step, const std::function<void()>& set = nullptr)
{
    Figure best;
    for (int round = 0; round < kRounds; ++round) {
        if (set)
            set();
        const double cpu = ProcessorTime();
        const double start = Now();
        step();
        const double wall = (Now() - start) * 1000.0;
        if (wall < best.wall) {
            best.wall = wall;
            best.cpu = (ProcessorTime() - cpu) * 1000.0;
        }
    }
    return best;
}

void Report(const char* what, const Figure& f, const char* goal = nullptr)
{
    std::printf("  %-56s %7.1f ms (cpu %6.1f ms)%s%s\n", what, f.wall, f.cpu, goal ? "   " : "",
                goal ? goal : "");
}

Figure Minus(Figure a, const Figure& b)
{
    a.wall -= b.wall;
    a.cpu -= b.cpu;
    return a;
}

} // namespace

int main()
{
    std::printf("Playlist benchmark (%d-bit), %d tracks, best of %d rounds\n\n",
                static_cast<int>(sizeof(void*) * 8), kTracks, kRounds);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char unique[32];
    std::snprintf(unique, sizeof unique, "playlist_bench_%lu", GetCurrentProcessId());
    const std::string folder = std::string(temp) + unique;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\bench.txl";
    const std::string wav = folder + "\\added.wav";
    if (!MakeWav(wav)) {
        std::printf("cannot write %s\n", wav.c_str());
        return 1;
    }
    VIZU vizu;
    TrackArray tracks;
    MakeTracks(folder, tracks);

    // Save from an array.
    bool ok = true;
    const Figure save = Best([&] { ok = VIZU::XML_SavePLFromArray(path.c_str(), &tracks) && ok; });
    Report("save from an array", save, "goal < 100 ms");
    std::printf("      file %d KB, written %s\n", VIZU::GetFileSize(path.c_str()) / 1024,
                ok ? "yes" : "NO");

    // Read back.
    TrackArray back;
    const Figure read = Best([&] { VIZU::XML_LoadLibToArray(path.c_str(), &back); });
    Report("read back into an array (text-mode read, XML reader)", read);
    const Figure quick = Best([&] {
        back.RemoveAll();
        playlists::ReadPlaylistText(libfile::ReadWholeText(path.c_str()), back);
    });
    Report("read back as the views read (one read, quick reader)", quick, "goal < 100 ms");
    std::printf("      %d records\n", static_cast<int>(back.GetSize()));

    // The append's rewrite: the playlist as saved, one WAV file added.
    CArray<CString, CString&> files;
    CString added(wav.c_str());
    files.Add(added);
    const std::string original = libfile::ReadWholeText(path.c_str()).str();
    auto restore = [&] {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, original.data(), static_cast<DWORD>(original.size()), &written, nullptr);
        CloseHandle(file);
    };
    const Figure append = Best([&] { ok = VIZU::XML_AppendToPlaylist(&files, path.c_str()) && ok; },
                               restore);
    TAG_INFO info;
    const Figure tag = Best([&] { VIZU::GetTagInfo(added, &info); });
    Report("append one file (read, parse, add, rewrite)", append);
    Report("  of which the file's tag read", tag);
    Report("append without the tag read", Minus(append, tag), "goal < 100 ms");
    std::printf("      appended %s\n", ok ? "yes" : "NO");
    const Figure readAppended = Best([&] {
        back.RemoveAll();
        playlists::ReadPlaylistText(libfile::ReadWholeText(path.c_str()), back);
    });
    Report("read back after an append (LF lines: XML reader)", readAppended);
    std::printf("      %d records\n", static_cast<int>(back.GetSize()));
    restore();

    // Views: list rows through the list control.
    CWnd frame;
    CListCtrl list;
    frame.CreateEx(0, nullptr, "Playlist bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 900, 500,
                   nullptr, nullptr);
    CRect client;
    GetClientRect(frame.GetSafeHwnd(), &client);
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, client, &frame, 100);
    VIZU::DisplayListHeader(&list, false);
    int rows = 0;
    const Figure display = Best([&] { rows = VIZU::XML_DisplayPL(&list, nullptr, path.c_str(), false); });
    Report("show as track rows (read, parse, 10,000 list inserts)", display);
    const Figure icons = Best([&] { VIZU::XML_DisplayPLIcons(&list, nullptr, path.c_str(), false); });
    Report("show as icon rows", icons);
    std::printf("      %d rows (all but the read back above is the list control's inserts)\n", rows);

    // Save from the list's rows: the row reads (messages to the control)
    // and the per-row picture test are the steps the list writer asks for.
    const std::string fromList = folder + "\\rows.txl";
    int written = 0;
    const Figure saveList = Best([&] { written = VIZU::XML_SavePLFromList(fromList.c_str(), &list); });
    const Figure pictures = Best([&] {
        for (int i = 0; i < kTracks; ++i)
            tags::HasPicture(tracks[i].m_FileName);
    });
    const Figure rowReads = Best([&] {
        for (int row = 0; row < kTracks; ++row)
            for (int sub : {0, 1, 3, 4, 5, 6, 7, 8, 10})
                list.GetItemText(row, sub);
    });
    Report("save from list rows", saveList);
    Report("  of which the picture tests (one open per row)", pictures);
    Report("  of which the row reads (9 messages per row)", rowReads);
    Report("save from list rows without them", Minus(Minus(saveList, pictures), rowReads), "goal < 100 ms");
    std::printf("      %d rows written\n", written);

    // M3U export.
    const std::string m3uBase = folder + "\\bench";
    int exported = 0;
    const Figure m3u = Best([&] { exported = VIZU::XML_SavePLToM3U(m3uBase.c_str()); });
    Report("M3U export", m3u);
    std::printf("      %d tracks\n", exported);

    list.DestroyWindow();
    frame.DestroyWindow();
    for (const char* name : {"bench.txl", "rows.txl", "bench.m3u", "added.wav"})
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
