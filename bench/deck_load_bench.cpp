// Loading a track into a deck: a real deck (DeckPlayer with its engine
// threads and the DirectSound output module), the library's tag reader, a
// real gradient progress bar and waveform strip in a window.
//
// 1. Whole-file decoding off: the time from Deck::LoadTrack until the
//    player reports its input open (the deck can play). Goal: under 100 ms.
//    Beside it the same with the pre-process on (10 s scanned, tempo).
// 2. Whole-file decoding on (the input opens only after the whole waveform
//    is built): the time until the waveform is complete (LoadTrack's
//    waveform step) and until the deck can play. Goal: both within 1 s.
//    The progress bar's repaints are timed on their own.
//
//   bench/make-deck-load-bench.sh DIR                        (on the host)
//   deck_load_bench DIR/deck_load_6min.mp3 [ROUNDS]
//
// Under Wine, run from the program folder image (dk_dsound_output.dll and
// the runtime DLLs), e.g.
//   cd build/x86_64/TavrixVJ && PULSE_SERVER=unix:... ../wine-run.sh
//       ../bin/deck_load_bench.exe Z:/tmp/b/deck_load_6min.mp3
#include "BenchClock.h"

#include <stdio.h>
#include <stdlib.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "audio/deck/Deck.h"
#include "audio/deck/DeckPlayer.h"
#include "audio/loading/DeckLoadHost.h"
#include "foundation/app/IniAccess.h"
#include "foundation/app/ProgramFolder.h"
#include "framework/ui/AfxWin.h"
#include "library/api/VIZU.h"
#include "widgets/progress/GradientProgressCtrl.h"
#include "widgets/scope/ScopeCtrl.h"

namespace {

class BenchHost : public DeckHost, public DeckLoadHost
{
public:
    BenchHost()
    {
        m_window.CreateEx(0, "STATIC", "deck load bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 120, nullptr, 0);
        progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 640, 20), &m_window, 1001);
        strip.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 640, 110), &m_window, 1002);
    }
    DeckHostSettings settings;
    CGradientProgressCtrl progress;
    CScopeCtrl strip;
    double repaintSeconds = 0;
    int repaints = 0;
    double waveformDone = 0;

    // DeckHost
    HWND DeckWindow() const override { return m_window.GetSafeHwnd(); }
    const DeckHostSettings& DeckSettings() const override { return settings; }
    Deck* GetDeck(int) override { return nullptr; }
    void UpdateDeckDisplay(int) override {}
    void ShowDeckStatus(int) override {}
    void SetDeckVuLevels(int, int, int) override {}
    void InitDeckPositionBar(int, int) override { waveformDone = bench::Now(); }
    void SetDeckLoopLight(int, bool) override {}
    void ResetDeckWaveform(int) override {}
    void RunDeckStopCommand(int) override {}
    void RunDeckCommand(UINT) override {}
    // DeckLoadHost
    bool HasAlbumArtView(int) override { return false; }
    bool SetDeckTitle(int, const CString&) override { return false; }
    void AddToHistory(const TAG_INFO&) override {}
    int IncrementPlayCounter(const CString&, bool) override { return 0; }
    bool GetTagInfo(const CString& path, TAG_INFO* tags) override { return VIZU::GetTagInfo(path, tags); }
    void ProcessMessages() override
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    void SetDeckProgressRange(int, int upper) override { progress.SetRangeAndRedraw(0, upper); }
    void SetDeckProgressPos(int, int pos) override
    {
        const double start = bench::Now();
        progress.SetPos(pos);
        progress.UpdateWindow();
        repaintSeconds += bench::Now() - start;
        ++repaints;
    }
    void SetDeckGainPercent(int, int) override {}
    CScopeCtrl* DeckWaveStrip(int) override { return &strip; }
    void SetDeckInfoText(const CString&) override {}
    void SwitchOffLoopLights(int) override {}
    void SetDeckPositionRange(int, int) override {}
    void ApplyDeckVolume(int) override {}
    void RefreshCuePoints(int) override {}

private:
    CWnd m_window;
};

struct Figures
{
    double loadReturned = 0, playable = 0, waveform = 0, repaint = 0;
    int repaints = 0;
};

// One load into a fresh deck; false when the deck never became playable.
bool LoadOnce(const char* path, bool decode, bool preProcess, Figures* figures)
{
    char ini[1024];
    snprintf(ini, sizeof ini, "[MAIN]\r\nPreProcess=%d\r\nSampleTime=10\r\nCheckBPM=1\r\nFindStart=1\r\nFindStartLevel=5\r\n",
             preProcess ? 1 : 0);
    const CString file = GetProgramFolder() + "TavrixVJ.INI";
    FILE* out = fopen(file, "wb");
    if (out) {
        fputs(ini, out);
        fclose(out);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
    BenchHost host;
    host.settings.decode = decode;
    Deck deck(&host);
    deck.Init(host.DeckWindow(), 0);
    deck.SetLoadHost(&host);
    // The player is set up when its engine reports ready.
    const double setupEnd = bench::Now() + 10;
    while (!deck.GetPlayer()->IsReady() && bench::Now() < setupEnd) {
        host.ProcessMessages();
        Sleep(1);
    }
    const double start = bench::Now();
    const int result = deck.LoadTrack(path);
    const double returned = bench::Now();
    bool open = false;
    while (result == 1 && bench::Now() < returned + 10) {
        host.ProcessMessages();
        if ((open = deck.GetPlayer()->GetInputOpen()))
            break;
        Sleep(0);
    }
    const double playable = bench::Now();
    figures->loadReturned = returned - start;
    figures->playable = playable - start;
    figures->waveform = decode ? host.waveformDone - start : 0;
    figures->repaint = host.repaintSeconds;
    figures->repaints = host.repaints;
    deck.SetLoadHost(nullptr);
    return open;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: deck_load_bench FILE.mp3 [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? atoi(argv[2]) : 5;
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    strcat(folder, "deck_load_bench\\");
    CreateDirectoryA(folder, nullptr);
    SetProgramFolder(folder);
    struct Mode
    {
        const char* name;
        bool decode, preProcess;
    } modes[] = {{"decode off", false, false}, {"decode off, pre-process 10 s", false, true}, {"decode on", true, false}};
    for (const Mode& mode : modes) {
        std::vector<double> returned, playable, waveform, repaint;
        int repaints = 0;
        for (int i = 0; i < rounds; ++i) {
            Figures f;
            if (!LoadOnce(argv[1], mode.decode, mode.preProcess, &f)) {
                fprintf(stderr, "%s: the deck did not become playable\n", mode.name);
                return 1;
            }
            returned.push_back(f.loadReturned * 1000);
            playable.push_back(f.playable * 1000);
            waveform.push_back(f.waveform * 1000);
            repaint.push_back(f.repaint * 1000);
            repaints = f.repaints;
        }
        printf("%-30s LoadTrack returned %8.1f ms, playable %8.1f ms", mode.name, Median(returned), Median(playable));
        if (mode.decode)
            printf(", waveform complete %8.1f ms", Median(waveform));
        printf(", progress repaints %d taking %6.1f ms (medians of %d)\n", repaints, Median(repaint), rounds);
    }
    return 0;
}
