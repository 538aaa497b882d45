// Layer III decoding speed: decodes an MP3 file held in memory to PCM in
// memory, as the codec's frame driver does (frame reader, layer III,
// synthesis and PCM output), and prints the speed as a multiple of real
// time. With the timing file of bench/make-mp3-bench.sh (mpg123 --cpu
// generic decoding the same file on the host) it prints the ratio to that
// reference as well; the goal is at least 0.5.
//
//   bench/make-mp3-bench.sh DIR          (on the host)
//   mp3_decode_bench DIR/mp3_bench.mp3 DIR/mp3_bench_mpg123.txt [RUNS]
//
// Under Wine, give the program folder's runtime DLLs through WINEPATH, e.g.
//   WINEPATH='Z:\work\main\build\x86_64\TavrixVJ' BUILD/wine-run.sh
//       BUILD/bin/mp3_decode_bench.exe Z:/tmp/b/mp3_bench.mp3 Z:/tmp/b/mp3_bench_mpg123.txt
#include <chrono>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_layers.h"
#include "decoder/mpeg/mpeg_reader.h"
#include "decoder/mpeg/mpeg_synth.h"

namespace {

struct memory_source
{
    const std::vector<uint8_t>* bytes;
    size_t pos;
};

int ReadMemory(void* context, void* buffer, int count)
{
    memory_source* src = static_cast<memory_source*>(context);
    const size_t left = src->bytes->size() - src->pos;
    if (left == 0)
        return DK_ERR_END_OF_INPUT;
    const size_t n = left < size_t(count) ? left : size_t(count);
    memcpy(buffer, src->bytes->data() + src->pos, n);
    src->pos += n;
    return n == size_t(count) ? 0 : int(n);
}

bool ReadFile(const char* path, std::vector<uint8_t>& out)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return false;
    uint8_t buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    fclose(f);
    return true;
}

struct decode_run
{
    double seconds = 0.0;       // wall time of the decoding
    double audio_seconds = 0.0; // length of the decoded audio
    size_t samples = 0;
    int invalid = 0;
};

decode_run Decode(const std::vector<uint8_t>& bytes, std::vector<int16_t>& pcm)
{
    decode_run run;
    memory_source src = {&bytes, 0};
    mpeg_reader reader;
    mpeg_output out;
    mpeg_layer3_state* state = mpeg_layer3_new();
    mpeg_frame frame;
    size_t used = 0;
    const auto start = std::chrono::steady_clock::now();
    while (reader.next_frame(ReadMemory, &src, &frame) == 0) {
        if (mpeg_layer(frame.header) != 3)
            continue;
        if (pcm.size() < used + 2304)
            pcm.resize(pcm.size() * 2 + 2304);
        out.configure(frame.header, 0, 0);
        out.begin(pcm.data() + used);
        if (mpeg_layer3_decode(state, frame, out) < 0) {
            ++run.invalid;
            continue;
        }
        used += size_t(out.samples_written()) * size_t(out.pcm_channels());
        run.audio_seconds += double(out.samples_written()) / double(out.rate());
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.samples = used;
    mpeg_layer3_delete(state);
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "mp3_bench.mp3";
    const char* timing = argc > 2 ? argv[2] : nullptr;
    const int runs = argc > 3 ? atoi(argv[3]) : 3;
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes) || bytes.empty()) {
        fprintf(stderr, "mp3_decode_bench: cannot read %s (make it with bench/make-mp3-bench.sh)\n", path);
        return 1;
    }
    std::vector<int16_t> pcm(size_t(44100) * 2 * 310);
    decode_run best;
    for (int i = 0; i < (runs > 0 ? runs : 1); ++i) {
        const decode_run run = Decode(bytes, pcm);
        if (i == 0 || run.seconds < best.seconds)
            best = run;
    }
    const double speed = best.audio_seconds / best.seconds;
    printf("file: %s (%.1f MB, %.1f s of audio, %d invalid frames)\n", path, bytes.size() / 1e6,
           best.audio_seconds, best.invalid);
    printf("decoding to memory: %.3f s (best of %d), %.1f x real time\n", best.seconds, runs, speed);
    if (timing) {
        FILE* f = fopen(timing, "r");
        double reference = 0.0;
        if (f && fscanf(f, "%lf", &reference) == 1 && reference > 0.0) {
            const double reference_speed = best.audio_seconds / reference;
            printf("mpg123 --cpu generic on the host: %.3f s, %.1f x real time\n", reference, reference_speed);
            printf("ratio to mpg123: %.2f (goal: at least 0.50)\n", speed / reference_speed);
        } else {
            printf("no mpg123 timing in %s (make it with bench/make-mp3-bench.sh)\n", timing);
        }
        if (f)
            fclose(f);
    }
    return 0;
}
