// Batch tag writing speed: SetBatchID3TagInfo over generated MP3 files of
// 5 MB each (ID3v2.3 tag, then MPEG frames), read once beforehand so that
// they come from the OS cache.
//   tagwrite_bench [files-that-fit] [files-that-grow] [folder]
// The first set (1,000 by default) has 4 KB of padding, so the new tag fits
// the old tag's space and is written in place; the second (100 by default)
// has none, so every file is written anew beside the old one. Prints files
// per second for each. The folder (default: a new one under %TEMP%) is
// emptied afterwards.
#include "BenchClock.h"
#include "library/api/VIZU.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const size_t kFileBytes = 5 * 1024 * 1024;

using bench::Now;

void PutFrame(std::string& out, const char* id, const std::string& text)
{
    const uint32_t size = static_cast<uint32_t>(text.size() + 1);
    out += id;
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((size >> shift) & 0xFF);
    out += std::string(2, '\0');
    out += '\0';
    out += text;
}

std::string MakeTag(int n, size_t padding)
{
    std::string frames;
    PutFrame(frames, "TIT2", "Bench title " + std::to_string(n));
    PutFrame(frames, "TPE1", "Bench artist " + std::to_string(n % 97));
    PutFrame(frames, "TALB", "Bench album");
    PutFrame(frames, "TCON", "(17)");
    PutFrame(frames, "TBPM", "128");
    frames += std::string(padding, '\0');
    std::string tag = "ID3";
    tag += '\x03';
    tag += std::string(2, '\0');
    const uint32_t size = static_cast<uint32_t>(frames.size());
    for (int shift = 21; shift >= 0; shift -= 7)
        tag += static_cast<char>((size >> shift) & 0x7F);
    return tag + frames;
}

// MPEG-1 layer III frames of 128 kbit/s at 44.1 kHz (417 bytes each).
const std::string& Audio()
{
    static const std::string audio = [] {
        std::string frame(417, '\0');
        frame[0] = '\xFF';
        frame[1] = '\xFB';
        frame[2] = '\x90';
        frame[3] = '\x64';
        std::string out;
        out.reserve(kFileBytes + frame.size());
        while (out.size() < kFileBytes)
            out += frame;
        out.resize(kFileBytes);
        return out;
    }();
    return audio;
}

bool WriteWhole(const std::string& path, const std::string& a, const std::string& b)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = fwrite(a.data(), 1, a.size(), f) == a.size() &&
                    fwrite(b.data(), 1, b.size(), f) == b.size();
    return fclose(f) == 0 && ok;
}

void ReadWhole(const std::string& path)
{
    static std::vector<char> buffer(1 << 20);
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return;
    while (fread(buffer.data(), 1, buffer.size(), f) > 0) {
    }
    fclose(f);
}

// Makes count files, reads them once, runs the batch over them; files per
// second, or -1 when a write failed.
double Run(const std::string& folder, const char* name, int count, size_t padding)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const std::string path = folder + "\\" + name + std::to_string(i) + ".mp3";
        if (!WriteWhole(path, MakeTag(i, padding), Audio())) {
            printf("cannot write %s\n", path.c_str());
            return -1;
        }
        paths.push_back(path);
    }
    for (const std::string& path : paths)
        ReadWhole(path);
    int failed = 0;
    const double start = Now();
    for (const std::string& path : paths) {
        tagBatchTag batch;
        batch.FolderMode = true;
        batch.Tag.Path = path.c_str();
        batch.SetArtist = batch.SetAlbum = batch.SetGenre = batch.SetComment = batch.SetBPM = true;
        batch.Tag.Artist = "New batch artist";
        batch.Tag.Album = "New batch album name";
        batch.Tag.Genre = "Trance";
        batch.Tag.Comment = "Tagged by the batch tagger";
        batch.Tag.BPMText = "128.00";
        if (!VIZU::SetBatchID3TagInfo(&batch))
            ++failed;
    }
    const double seconds = Now() - start;
    for (const std::string& path : paths)
        DeleteFileA(path.c_str());
    if (failed > 0) {
        printf("%s: %d writes failed\n", name, failed);
        return -1;
    }
    return count / seconds;
}

} // namespace

int main(int argc, char** argv)
{
    const int fit = argc > 1 ? atoi(argv[1]) : 1000;
    const int grow = argc > 2 ? atoi(argv[2]) : 100;
    std::string folder;
    if (argc > 3) {
        folder = argv[3];
    } else {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tagwrite_bench_" + std::to_string(GetCurrentProcessId());
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    printf("SetBatchID3TagInfo on files of %u bytes (artist, album, genre, comment, tempo)\n",
           static_cast<unsigned>(kFileBytes));
    if (fit > 0)
        printf("  new tag fits the old tag's padding: %d files, %.0f files/s\n", fit,
               Run(folder, "fit", fit, 4096));
    if (grow > 0)
        printf("  new tag larger (file written anew): %d files, %.1f files/s\n", grow,
               Run(folder, "grow", grow, 0));
    RemoveDirectoryA(folder.c_str());
    return 0;
}
