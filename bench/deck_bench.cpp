// Decks: what four decks cost and how quickly they answer.
//
// 1. Four decks with EQ and FX decoding at once, each on a thread of its
//    own as the players do: the decoder (file input, MPEG codec with the
//    deck's equalizer table) and the deck's FX filter (A rotate, B, C and D
//    echo), into an output that drops the samples. The thread's CPU time
//    per second of audio, as a share of one core; beside it the decoder
//    alone (no equalizer, no filter). Goal: under 2% per deck.
// 2. A real deck (DeckPlayer, the DirectSound output module, the FX filter
//    in its output path): the time from a play command, and from a cue
//    command (a seek to a cue point while playing), to the first samples
//    handed to DirectSound, seen by a probe filter just before the output
//    module. Goal: under 50 ms each with the default buffer. Also the same
//    at the null sink's monitor, which adds Wine's and the sound server's
//    buffering. Needs the sound server (PULSE_SERVER) and the module.
//
//   bench/make-deck-bench.sh DIR                        (on the host)
//   deck_bench DIR/deck_bench.mp3 DIR/deck_cue.mp3
//
// Under Wine, run from the program folder image (dk_dsound_output.dll and
// the runtime DLLs), e.g.
//   cd build/x86_64/TavrixVJ && PULSE_SERVER=unix:... ../wine-run.sh
//       ../bin/deck_bench.exe Z:/tmp/b/deck_bench.mp3 Z:/tmp/b/deck_cue.mp3
#include "BenchClock.h"
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "../tests/decoder/dkplayer/DsoundTestSupport.h"
#include "audio/deck/Deck.h"
#include "audio/deck/DeckLogic.h"
#include "audio/deck/DeckPlayer.h"
#include "audio/fx/FxFilter.h"
#include "decoder/engine/decoder.h"
#include "decoder/modules/file_input.h"
#include "decoder/mpeg/mpeg_codec.h"

namespace {

// --- 1. CPU share ------------------------------------------------------------

int NullProbe(const char* name) { return name && strcmp(name, "null") == 0 ? 0 : -1; }
int NullNew(void** instance, const char*, module_entry*, decoder*)
{
    *instance = malloc(1);
    return *instance ? 0 : DK_ERR_OUT_OF_MEMORY;
}
int NullDelete(void* instance)
{
    free(instance);
    return 0;
}
int NullOpenClose(void*) { return 0; }
int NullWrite(void*, void*, int byte_count, int, int, int) { return byte_count; }
int NullControl(void*, output_control*, int) { return 0; }

double ThreadSeconds()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

struct DeckRun
{
    int deck = 0;
    bool effects = true;
    double cpu = 0;    // seconds
    double wall = 0;   // seconds
    double audio = 0;  // seconds decoded
    int error = 0;
};

void DecodeDeck(const char* path, DeckRun* run)
{
    decoder* dec = nullptr;
    if (decoder_new(&dec) < 0) {
        run->error = -1;
        return;
    }
    input_module_ops in;
    memset(&in, 0, sizeof(in));
    file_input_module_register(&in);
    codec_module_ops codec;
    memset(&codec, 0, sizeof(codec));
    mpeg_codec_module_register(&codec);
    output_module_ops out;
    memset(&out, 0, sizeof(out));
    out.version = DECODER_MODULE_VERSION;
    out.probe = NullProbe;
    out.new_instance = NullNew;
    out.delete_instance = NullDelete;
    out.open = NullOpenClose;
    out.close = NullOpenClose;
    out.write = NullWrite;
    out.set_control = NullControl;
    out.get_control = NullControl;
    decoder_input_module_register(dec, &in);
    decoder_codec_module_register(dec, &codec);
    decoder_output_module_register(dec, &out);
    if (run->effects) {
        output_filter_module_ops fx;
        FxFilterModuleEntry(run->deck)(&fx);
        decoder_output_filter_register(dec, &fx, 0);
        int8_t table[64];
        DeckEqualizerTable(-20, 10, -128, table);
        decoder_codec_set_equalizer(dec, table);
    }
    if (decoder_output_new(dec, "null", -1) < 0 || decoder_output_open(dec) < 0 ||
        decoder_input_new(dec, path, -1) < 0 || decoder_input_open(dec) < 0) {
        run->error = -2;
        decoder_delete(dec);
        return;
    }
    const double start = ThreadSeconds();
    const ULONGLONG wallStart = GetTickCount64();
    double frames = 0;
    int rate = 44100;
    for (;;) {
        if (decoder_play(dec) < 0)
            break;
        frames += dec->pcm->sample_count;
        if (dec->pcm->sample_rate > 0)
            rate = dec->pcm->sample_rate;
    }
    run->cpu = ThreadSeconds() - start;
    run->wall = (GetTickCount64() - wallStart) / 1000.0;
    run->audio = frames / rate;
    decoder_delete(dec);
}

void CpuShare(const char* path)
{
    FxRestoreDefaults();
    FxSetMode(0, FX_ROTATE);
    FxSetMode(1, FX_ECHO); // decks C and D follow deck B
    DeckRun runs[4];
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        runs[i].deck = i;
        threads.emplace_back(DecodeDeck, path, &runs[i]);
    }
    for (std::thread& t : threads)
        t.join();
    printf("four decks with EQ and FX decoding at once (%s):\n", path);
    const char* const effect[4] = {"rotate", "echo", "echo", "echo"};
    for (const DeckRun& r : runs) {
        if (r.error || r.audio <= 0) {
            printf("  deck %c: failed (%d)\n", DeckLetter(r.deck), r.error);
            continue;
        }
        printf("  deck %c (%s): %.3f s of CPU (%.3f s wall) for %.1f s of audio = %.2f%% of one core\n",
               DeckLetter(r.deck), effect[r.deck], r.cpu, r.wall, r.audio, 100.0 * r.cpu / r.audio);
    }
    DeckRun plain;
    plain.effects = false;
    DecodeDeck(path, &plain);
    if (!plain.error && plain.audio > 0)
        printf("  the decoder alone (no EQ, no FX): %.2f%% of one core\n", 100.0 * plain.cpu / plain.audio);
}

// --- 2. latency ------------------------------------------------------------------

using bench::Now;

// The probe just before the output module: the time of the first block
// after it was armed (with loud set: the first block with a sample above
// 3000, the tone of the cue file).
std::atomic<bool> g_armed{false};
std::atomic<bool> g_loud{false};
std::atomic<double> g_seen{0};

int ProbeQuery(module_info* info, int flags)
{
    if (info && (flags & MODULE_QUERY_NAME))
        snprintf(info->name, sizeof(info->name), "%s", "Latency probe");
    return 0;
}

int ProbeWrite(output_filter_entry* entry, void* samples, int byte_count, int bytes_per_sample, int channels,
               int rate)
{
    if (g_armed.load()) {
        bool hit = !g_loud.load();
        const int16_t* s = static_cast<const int16_t*>(samples);
        for (int i = 0; !hit && i < byte_count / 2; ++i)
            hit = abs(s[i]) > 3000;
        if (hit) {
            g_seen.store(Now());
            g_armed.store(false);
        }
    }
    return entry->next->ops.write(entry->next, samples, byte_count, bytes_per_sample, channels, rate);
}

int ProbeModule(output_filter_module_ops* ops)
{
    memset(ops, 0, sizeof(*ops));
    ops->version = DECODER_MODULE_VERSION;
    ops->query = ProbeQuery;
    ops->write = ProbeWrite;
    return 0;
}

class BenchHost : public DeckHost
{
public:
    BenchHost()
    {
        m_window = CreateWindowExA(0, "STATIC", "deck bench", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        m_settings.useFxFilter = true;
    }
    ~BenchHost() override { DestroyWindow(m_window); }
    Deck* deck = nullptr;
    HWND DeckWindow() const override { return m_window; }
    const DeckHostSettings& DeckSettings() const override { return m_settings; }
    Deck* GetDeck(int index) override { return index == 0 ? deck : nullptr; }
    void UpdateDeckDisplay(int) override {}
    void ShowDeckStatus(int) override {}
    void SetDeckVuLevels(int, int, int) override {}
    void InitDeckPositionBar(int, int) override {}
    void SetDeckLoopLight(int, bool) override {}
    void ResetDeckWaveform(int) override {}
    void RunDeckStopCommand(int) override {}
    void RunDeckCommand(UINT) override {}

private:
    HWND m_window;
    DeckHostSettings m_settings;
};

// Dispatches messages until done() or the time-out (ms); false on time-out.
template <typename Done>
bool Pump(Done done, double timeoutMs)
{
    const double end = Now() + timeoutMs / 1000.0;
    while (!done()) {
        if (Now() > end)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    }
    return true;
}

void Idle(double ms)
{
    Pump([] { return false; }, ms);
}

// Waits for the probe; the latency in ms, or -1.
double Measure(double commandTime)
{
    if (!Pump([] { return !g_armed.load(); }, 3000))
        return -1;
    return (g_seen.load() - commandTime) * 1000.0;
}

void Arm(bool loud)
{
    g_loud.store(loud);
    g_armed.store(true);
}

struct Figures
{
    std::vector<double> values;
    void Add(double v)
    {
        if (v >= 0)
            values.push_back(v);
    }
    void Print(const char* what) const
    {
        if (values.empty()) {
            printf("  %s: no figure\n", what);
            return;
        }
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        printf("  %s: median %.1f ms, worst %.1f ms (%zu runs)\n", what, v[v.size() / 2], v.back(), v.size());
    }
};

// The first sample above the threshold at or after a time of the recording.
double HeardAfter(const std::vector<int16_t>& mono, double recordStart, double commandTime)
{
    size_t i = static_cast<size_t>(std::max(0.0, (commandTime - recordStart) * 44100.0));
    for (; i < mono.size(); ++i)
        if (abs(mono[i]) > 3000)
            return (recordStart + i / 44100.0 - commandTime) * 1000.0;
    return -1;
}

// A recording of the sink's monitor. The recorder returns once it has
// delivered three buffers (0.3 s): its first sample lies that long before.
// The monitor's own capture delay stays in the figures.
class Recording
{
public:
    Recording() : m_start(Now() - 0.3) {}
    void Collect(const std::vector<double>& commandTimes, Figures* out)
    {
        if (!m_recorder.Problem().empty()) {
            printf("  (no recording of the sink's monitor: %s)\n", m_recorder.Problem().c_str());
            return;
        }
        Idle(500);
        const std::vector<int16_t> mono = m_recorder.Stop();
        for (double t : commandTimes)
            out->Add(HeardAfter(mono, m_start, t));
    }

private:
    SinkRecorder m_recorder;
    double m_start;
};

void Latency(const char* cuePath)
{
    if (!HasDirectSound()) {
        printf("latency: no DirectSound device (start the sound server and set PULSE_SERVER)\n");
        return;
    }
    FxRestoreDefaults();
    BenchHost host;
    Deck deck(&host);
    host.deck = &deck;
    deck.Init(host.DeckWindow(), 0);
    if (!Pump([&] { return deck.GetPlayer()->IsReady(); }, 10000)) {
        printf("latency: the player never became ready\n");
        return;
    }
    char probe[40];
    snprintf(probe, sizeof(probe), "function@%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&ProbeModule)));
    deck.GetPlayer()->Command(CM_OUTPUT_FILTER_ADD, probe, 0);
    deck.GetPlayer()->OpenInput(cuePath);
    if (!Pump([&] { return deck.GetTagInfo().Length > 0; }, 10000)) {
        printf("latency: %s did not open\n", cuePath);
        return;
    }
    printf("latency of a deck (DirectSound buffer of 400 ms, FX filter in the path):\n");
    Figures play, cue, playSink, cueSink;
    // Each part has a recording of its own (a recorder holds 10 s).
    {
        Recording rec;
        std::vector<double> times;
        for (int round = 0; round < 5; ++round) {
            deck.Stop();
            Idle(500);
            deck.SeekTo(5);
            Idle(100);
            Arm(false);
            const double t = Now();
            deck.Play();
            play.Add(Measure(t));
            times.push_back(t);
            Idle(700);
        }
        rec.Collect(times, &playSink);
    }
    {
        Recording rec;
        std::vector<double> times;
        for (int round = 0; round < 5; ++round) {
            deck.SeekTo(1); // silence
            Idle(800);
            Arm(true);
            const double t = Now();
            deck.SeekTo(5); // the cue point
            cue.Add(Measure(t));
            times.push_back(t);
            Idle(700);
        }
        rec.Collect(times, &cueSink);
    }
    deck.Stop();
    Idle(300);
    play.Print("play command to the first samples handed to DirectSound");
    cue.Print("cue command to the cue's first samples handed to DirectSound");
    playSink.Print("play command to the sound at the null sink's monitor");
    cueSink.Print("cue command to the sound at the null sink's monitor");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: deck_bench MUSIC.mp3 CUE.mp3 (bench/make-deck-bench.sh makes them)\n");
        return 2;
    }
    CpuShare(argv[1]);
    Latency(argv[2]);
    return 0;
}
