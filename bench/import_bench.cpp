// Track import speed: a generated tree of small MP3 files with ID3v2 tags
// (100 folders of 100 files by default) is searched and added into an empty
// library the way the add wizard does it, after one read of every file so
// that they are in the OS cache; then the library is saved.
//   import_bench [files]
// Prints files per second for the search and the add, and the save time;
// then the time of one tag read of a file whose ID3v2.3 or ID3v2.4 tag holds
// a text frame that inflates to 256 MB, beside the time to read its bytes.
#include "BenchClock.h"
#include "library/file/LibraryFileFormat.h"
#include "library/api/VIZU.h"
#include "tests/support/Id3v2Writer.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::Now;

void PutFrame(std::string& out, const char* id, const std::string& text)
{
    uint32_t size = static_cast<uint32_t>(text.size() + 1);
    out += id;
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((size >> shift) & 0xFF);
    out += std::string(2, '\0');   // flags
    out += '\0';                   // ISO-8859-1
    out += text;
}

// An ID3v2.3 tag and 40 silent MPEG-1 layer III frames (32 kbit/s, mono,
// 44.1 kHz: about one second).
std::string MakeFile(int n)
{
    std::string frames;
    PutFrame(frames, "TIT2", "Bench title " + std::to_string(n));
    PutFrame(frames, "TPE1", "Bench artist " + std::to_string(n % 97));
    PutFrame(frames, "TALB", "Bench album " + std::to_string(n % 31));
    PutFrame(frames, "TCON", "(17)");
    PutFrame(frames, "TYER", "2020");
    PutFrame(frames, "TBPM", "128");
    std::string file = "ID3";
    file += '\x03';
    file += '\0';
    file += '\0';
    uint32_t size = static_cast<uint32_t>(frames.size());
    for (int shift = 21; shift >= 0; shift -= 7)
        file += static_cast<char>((size >> shift) & 0x7F);
    file += frames;
    std::string frame(104, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';
    frame[2] = '\x10';
    frame[3] = '\xC0';
    for (int i = 0; i < 40; ++i)
        file += frame;
    return file;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

void ReadWhole(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    char buffer[8192];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    }
    CloseHandle(h);
}

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

// Milliseconds of the fastest of a few runs of work.
template <class Work>
double BestMs(Work work)
{
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const double t0 = Now();
        work();
        best = std::min(best, (Now() - t0) * 1000);
    }
    return best;
}

// Tag reads of files with a hostile tag, against reading their bytes.
void HostileTags(const std::string& root)
{
    for (int major : {3, 4}) {
        const std::string tag = tavrix_test::Id3v2Writer(major)
                                    .InflatingFrame("TIT2", std::string(1, '\0'), 'A',
                                                    tavrix_test::kLargestSynchsafe)
                                    .Text("TPE1", "Artist")
                                    .Bytes();
        const std::string path = root + "\\bomb" + std::to_string(major) + ".mp3";
        const std::string file = tag + MakeFile(0);
        WriteBytes(path, file);
        ReadWhole(path);
        const double bytes = BestMs([&] { ReadWhole(path); });
        const double read = BestMs([&] {
            TAG_INFO info;
            VIZU::GetTagInfo(path.c_str(), &info);
        });
        std::printf("ID3v2.%d tag with a 256 MB text frame (%zu KB file): tag read %.2f ms, "
                    "its bytes %.2f ms\n",
                    major, file.size() / 1024, read, bytes);
        DeleteFileA(path.c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int total = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int perFolder = 100;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "tavrix-import-bench-" +
                             std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string music = root + "\\music";
    CreateDirectoryA(music.c_str(), nullptr);

    std::vector<std::string> files;
    double t0 = Now();
    for (int n = 0; n < total; ++n) {
        std::string folder = music + "\\folder" + std::to_string(n / perFolder);
        if (n % perFolder == 0)
            CreateDirectoryA(folder.c_str(), nullptr);
        std::string path = folder + "\\track" + std::to_string(n) + ".mp3";
        if (!WriteBytes(path, MakeFile(n))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        files.push_back(path);
    }
    std::printf("made %d files in %.2f s\n", total, Now() - t0);
    for (const std::string& f : files)
        ReadWhole(f);   // into the OS cache

    int result = 0;
    {
        VIZU vizu;
        SetLibraryFileFormat(DefaultLibraryFileFormat());
        const std::string library = root + "\\bench.txd";
        VIZU::Create(library.c_str());
        VIZU::Open(library.c_str());

        // The share of the tag reading alone, for comparison.
        double r0 = Now();
        for (const std::string& f : files) {
            TAG_INFO info;
            VIZU::GetTagInfo(f.c_str(), &info);
        }
        double r1 = Now();
        std::printf("tag reading alone: %.0f files/s\n", total / (r1 - r0));

        bool abort = false;
        m_AddTracks.RemoveAll();
        double s0 = Now();
        int found = VIZU::SearchWatchFolder(nullptr, music.c_str(), true, &abort);
        double s1 = Now();
        int added = VIZU::WizAddFiles(nullptr, false, false);
        double s2 = Now();
        int saved = VIZU::Save(library.c_str());
        double s3 = Now();

        std::printf("search: %d files in %.3f s = %.0f files/s\n", found, s1 - s0,
                    found / (s1 - s0));
        std::printf("add:    %d files in %.3f s = %.0f files/s (goal 2000)\n", added, s2 - s1,
                    added / (s2 - s1));
        std::printf("search and add: %.0f files/s\n", added / (s2 - s0));
        std::printf("save:   %d records in %.3f s (%s)\n", VIZU::GetRecordCount(), s3 - s2,
                    saved == 0 ? "written" : "FAILED");
        if (added != total || saved != 0)
            result = 1;
        VIZU::Close();
    }
    HostileTags(root);
    RemoveTree(root);
    return result;
}
