// The audio jukebox window with a queue and a track loaded, for the
// screenshot (docs/audio.md). Not a test. The argument is the program
// folder, where the LED meter pictures lie. Closes itself after 60 seconds.
#include "audio/jukebox/AudioJukebox.h"
#include "framework/ui/AfxWin.h"
#include "library/api/VIZU.h"
#include "tests/audio/players/WaveFiles.h"

#include <string>

namespace {

struct SheetHost : AudioJukeboxHost
{
    CArray<CTrackRecord, CTrackRecord&> queue;
    CArray<CTrackRecord, CTrackRecord&>& JukeboxQueue() override { return queue; }
    int UpdatePlayCounterSetting() override { return 0; }
    void RunQueueOperation(JukeboxQueueOperation, TXVTrackList&) override {}
};

// A WAVE file of silence (its title is its name).
std::string MakeTrack(const std::string& folder, const char* name, int seconds)
{
    const std::string path = folder + name;
    const std::string bytes = WaveFileBytes(StereoSilence(seconds));
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return path;
}

void Add(SheetHost& host, const char* title, const char* artist, const char* album, int length, int counter)
{
    CTrackRecord rec;
    rec.m_Title = title;
    rec.m_Artist = artist;
    rec.m_Album = album;
    rec.m_Genre = "House";
    rec.m_Length = length;
    rec.m_PlayCount = counter;
    rec.m_FileType = "MP3";
    rec.m_FileName.Format("C:\\Music\\%s.mp3", title);
    host.queue.Add(rec);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        ::SetCurrentDirectoryA(argv[1]);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string track = MakeTrack(temp, "Night Drive.wav", 200);

    SheetHost host;
    CTrackRecord first;
    first.m_FileName = track.c_str();
    host.queue.Add(first);
    Add(host, "Summer Lights", "The Harbour", "Coastline", 245, 3);
    Add(host, "Low Tide", "Marina Vale", "Undertow", 312, 0);
    Add(host, "Afterglow", "The Harbour", "Coastline", 198, 12);
    AudioJukebox jukebox(&host);
    if (!jukebox.CreateModeless())
        return 1;
    jukebox.PlayNext();
    jukebox.SetVULevels(72, 58);
    jukebox.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    jukebox.ShowWindow(SW_SHOW);
    ::SetTimer(nullptr, 0, 60000, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr)
            break;
        if (!::IsDialogMessageA(jukebox.GetSafeHwnd(), &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    jukebox.DestroyWindow();
    ::DeleteFileA(track.c_str());
    return 0;
}
