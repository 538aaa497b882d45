// Layer III decoding speed: decodes an MP3 file held in memory to PCM in
// memory, as the codec's frame driver does (frame reader, layer III,
// synthesis and PCM output), and compares it with mpg123 decoding the same
// file. Wine cannot start mpg123, so bench/mp3_decode_bench.sh runs the
// rounds side by side on the host, each program pinned to the same core:
//
//   mp3_decode_bench --time FILE [plain]
//       one round: decodes FILE once to warm up (tables, buffers), then
//       once timed by the program's own clock (Wine's start-up is not
//       counted), and prints the seconds; "plain" selects the plain C
//       filterbank kernels instead of the SSE2 ones
//   mp3_decode_bench --report OURS GENERIC DEFAULT [DECODER]
//       prints the medians of the rounds (files of seconds, one a line) and
//       our ratios to mpg123 --cpu generic and to mpg123's default decoder
//       (named DECODER, as mpg123 -v reports it)
//
//   bench/make-mp3-bench.sh DIR makes the input (5 minutes, 192 kbit/s).
#include <algorithm>
#include <chrono>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

#include "decoder/engine/decoder_errors.h"
#include "decoder/mpeg/mpeg_layers.h"
#include "decoder/mpeg/mpeg_reader.h"
#include "decoder/mpeg/mpeg_simd.h"
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
    size_t samples = 0;         // interleaved samples
    int invalid = 0;
};

// Decodes into pcm, or, when pcm is empty, every frame into one scratch
// block (to count the samples).
decode_run Decode(const std::vector<uint8_t>& bytes, std::vector<int16_t>& pcm)
{
    decode_run run;
    memory_source src = {&bytes, 0};
    mpeg_reader reader;
    mpeg_output out;
    mpeg_layer3_state* state = mpeg_layer3_new();
    mpeg_frame frame;
    int16_t scratch[2304];
    const bool keep = !pcm.empty();
    const auto start = std::chrono::steady_clock::now();
    while (reader.next_frame(ReadMemory, &src, &frame) == 0) {
        if (mpeg_layer(frame.header) != 3 || (keep && run.samples + 2304 > pcm.size()))
            continue;
        out.configure(frame.header, 0, 0);
        out.begin(keep ? pcm.data() + run.samples : scratch);
        if (mpeg_layer3_decode(state, frame, out) < 0) {
            ++run.invalid;
            continue;
        }
        run.samples += size_t(out.samples_written()) * size_t(out.pcm_channels());
        run.audio_seconds += double(out.samples_written()) / double(out.rate());
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    mpeg_layer3_delete(state);
    return run;
}

int TimeOneRound(const char* path, bool plain)
{
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes) || bytes.empty()) {
        fprintf(stderr, "mp3_decode_bench: cannot read %s (make it with bench/make-mp3-bench.sh)\n", path);
        return 1;
    }
    mpeg_simd_select(!plain);
    // A first pass counts the samples (and builds the tables); the timed
    // one writes them all to memory.
    std::vector<int16_t> pcm;
    const decode_run counted = Decode(bytes, pcm);
    pcm.assign(counted.samples + 2304, 0);
    const decode_run run = Decode(bytes, pcm);
    if (run.invalid > 0 || run.audio_seconds <= 0.0) {
        fprintf(stderr, "mp3_decode_bench: %d invalid frames, %.1f s of audio\n", run.invalid, run.audio_seconds);
        return 1;
    }
    printf("%.6f\n", run.seconds);
    return 0;
}

std::vector<double> ReadTimes(const char* path)
{
    std::vector<double> times;
    FILE* f = fopen(path, "r");
    if (!f)
        return times;
    double t;
    while (fscanf(f, "%lf", &t) == 1)
        times.push_back(t);
    fclose(f);
    return times;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

void PrintRounds(const char* name, const std::vector<double>& v)
{
    printf("%-26s median %.3f s  (rounds:", name, Median(v));
    for (double t : v)
        printf(" %.3f", t);
    printf(")\n");
}

int Report(const char* ours_path, const char* generic_path, const char* default_path, const char* decoder)
{
    const std::vector<double> ours = ReadTimes(ours_path);
    const std::vector<double> generic = ReadTimes(generic_path);
    const std::vector<double> peer = ReadTimes(default_path);
    if (ours.empty() || generic.empty() || peer.empty()) {
        fprintf(stderr, "mp3_decode_bench: no rounds in %s, %s or %s\n", ours_path, generic_path, default_path);
        return 1;
    }
    const std::string default_name = std::string("mpg123 default (") + decoder + ")";
    PrintRounds("ours", ours);
    PrintRounds("mpg123 --cpu generic", generic);
    PrintRounds(default_name.c_str(), peer);
    const double t = Median(ours);
    printf("ours / mpg123 --cpu generic: %.2f of its time (%.2fx as fast; goal at least 1.30x)\n",
           t / Median(generic), Median(generic) / t);
    printf("ours / %s: %.2f of its time (%.2fx as fast; goal at least 1.00x)\n", default_name.c_str(),
           t / Median(peer), Median(peer) / t);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], "--time") == 0)
        return TimeOneRound(argv[2], argc > 3 && strcmp(argv[3], "plain") == 0);
    if (argc >= 5 && strcmp(argv[1], "--report") == 0)
        return Report(argv[2], argv[3], argv[4], argc > 5 ? argv[5] : "default");
    fprintf(stderr, "usage: mp3_decode_bench --time FILE [plain]\n"
                    "       mp3_decode_bench --report OURS GENERIC DEFAULT [DECODER]\n"
                    "(bench/mp3_decode_bench.sh runs the rounds)\n");
    return 2;
}
