// The visualisation feedback for four playing decks at the decks' feedback
// rate (100 blocks a second each): every block goes through the feedback
// module's event operation as the feedback server hands it over, with the
// VU levels, and the 512-point FFT of the deck scopes (scopes shown, the
// in-memory decode mode off). Prints the time per block, the FFT alone,
// and the share of one core for four decks. Goal: under 1%.
//   feedback_bench [SECONDS_OF_FEEDBACK]
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "audio/feedback/VisualFeedback.h"
#include "bench/BenchClock.h"
#include "decoder/fft/fft.h"

namespace {

struct PlayingDecks : FeedbackMainWindow
{
    HWND FeedbackWindowHandle() const override { return reinterpret_cast<HWND>(static_cast<intptr_t>(0x4242)); }
    bool IsDeckPlaying(int) const override { return true; }
    void SetDeckLevel(int deck, int level) override { levels[deck] = level; }
    void SetDeckVuLevels(int deck, int left, int right) override { vu[deck] = left + right; }
    bool IsDeckScopeShown(int) const override { return true; }
    bool DecodesInMemory() const override { return false; }
    void AppendDeckScopeValue(int deck, int value) override { scope[deck] += value; }
    void GetSpectrumColours(uint32_t* bar, uint32_t* peak) const override { *bar = *peak = 0; }
    int levels[4] = {}, vu[4] = {};
    long long scope[4] = {};
};

struct Variables
{
    int32_t window;
    int32_t player;
};

int GetInteger(feedback_server* server, const char* name, int32_t* value)
{
    const Variables* v = reinterpret_cast<const Variables*>(server);
    if (!strcmp(name, "CLIENT.FEEDBACK-WINDOW"))
        *value = v->window;
    else if (!strcmp(name, "CLIENT.PLAYER"))
        *value = v->player;
    else
        return -900;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? atoi(argv[1]) : 60;
    const int rate = 100, decks = 4, n = 512;
    PlayingDecks main;
    const int32_t key = FeedbackHandleValue(main.FeedbackWindowHandle());
    FeedbackRegisterMainWindow(key, &main);
    feedback_handler_module_ops ops;
    sample_feedback_module_register(&ops);
    const feedback_services services = {GetInteger, nullptr, nullptr, nullptr, nullptr};

    void* handlers[4] = {};
    for (int d = 0; d < decks; ++d) {
        Variables v = {key, d};
        ops.new_instance(&handlers[d], "sample-vu", nullptr, reinterpret_cast<feedback_server*>(&v), &services);
    }
    // Blocks of music-like signal: two tones and noise, a new block each time.
    const int blockCount = 64;
    std::vector<std::vector<int8_t>> samples(blockCount, std::vector<int8_t>(2 * n));
    srand(7);
    for (int b = 0; b < blockCount; ++b)
        for (int i = 0; i < 2 * n; ++i)
            samples[b][i] = static_cast<int8_t>(50 * sin(0.05 * (i + b * n)) + 30 * sin(0.31 * i) + rand() % 21 - 10);

    const int blocks = seconds * rate * decks;
    double t0 = bench::Now();
    for (int k = 0; k < blocks; ++k) {
        pcm_block block = {};
        block.sample_rate = 44100;
        block.channels = 2;
        block.samples_per_channel = n;
        block.samples = samples[k % blockCount].data();
        ops.event(handlers[k % decks], &block);
    }
    const double handlerTime = bench::Now() - t0;

    fft_context* fft = nullptr;
    fft_new(&fft);
    uint8_t bands[512];
    t0 = bench::Now();
    for (int k = 0; k < blocks; ++k) {
        fft_set_input(fft, samples[k % blockCount].data(), n);
        fft_get_spectrum(fft, bands, n);
    }
    const double fftTime = bench::Now() - t0;
    fft_delete(fft);

    for (void* h : handlers)
        ops.delete_instance(h);
    FeedbackRegisterMainWindow(key, nullptr);
    printf("feedback blocks: %d (%d decks x %d per second x %d s of feedback), 512 samples per channel\n", blocks,
           decks, rate, seconds);
    printf("handler per block: %.2f us (FFT alone %.2f us)\n", 1e6 * handlerTime / blocks, 1e6 * fftTime / blocks);
    printf("four decks at %d blocks/s: %.3f%% of one core (goal < 1%%)\n", rate, 100.0 * handlerTime / seconds);
    printf("check: scope sums %lld %lld %lld %lld\n", main.scope[0], main.scope[1], main.scope[2], main.scope[3]);
    return 0;
}
