// Tempo detection over a set of loops of known tempo: each file measured
// whole by the library's tempo measurement (decoding with the decoder
// engine, SoundTouch's detector), with the share within 4% of the true
// tempo (Accuracy1) and within 4% of it or of x2, x3, 1/2, 1/3 (Accuracy2),
// and the speed in multiples of real time.
//   tempo_bench LIST [LIMIT]
// LIST: lines "FILE BPM" (bench/tempo_bench.sh makes the loops and the
// list); LIMIT: sample frames per file (default -1, the whole file).
// Under Windows the file goes through VIZU::DecodeBPM, the library's entry;
// the host build runs the same measuring loop with the MP3 scanner's facts.
#include "decoder/mpeg/mp3_scanner.h"
#include "library/tempo/DecoderBlocks.h"
#include "library/tempo/TempoMeasure.h"

#ifdef _WIN32
#include "library/api/VIZU.h"
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool ScannerFacts(const char* path, int* channels, int* rate, double* seconds)
{
    mp3_scanner* scanner = nullptr;
    if (mp3_scanner_new(&scanner) != 0)
        return false;
    mp3_stream_info info = {};
    const bool ok = mp3_scanner_scan(scanner, path, nullptr, nullptr, &info, 0, 0, 0) == MP3_SCAN_OK;
    mp3_scanner_delete(scanner);
    *channels = info.channels;
    *rate = info.sample_rate;
    if (seconds)
        *seconds = info.duration_ms / 1000.0;
    return ok;
}

bool Facts(const char* path, int* channels, int* rate)
{
    return ScannerFacts(path, channels, rate, nullptr);
}

float Measure(const std::string& path, int limit)
{
#ifdef _WIN32
    return VIZU::DecodeBPM(path.c_str(), nullptr, 0, false, false, limit);
#else
    tempo::DecoderBlocks source(Facts);
    tempo::TempoHooks hooks;
    return tempo::MeasureTempo(source, hooks, path.c_str(), false, limit);
#endif
}

bool Near(double measured, double truth)
{
    return std::fabs(measured - truth) <= 0.04 * truth;
}

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tempo_bench LIST [LIMIT]\n");
        return 2;
    }
    const int limit = argc > 2 ? std::atoi(argv[2]) : -1;
    std::ifstream list(argv[1]);
    std::string line;
    int files = 0, within = 0, related = 0;
    double audioSeconds = 0, spent = 0;
    std::vector<double> speeds;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string path;
        double truth = 0;
        if (!(fields >> path >> truth))
            continue;
        int channels = 0, rate = 0;
        double seconds = 0;
        if (!ScannerFacts(path.c_str(), &channels, &rate, &seconds)) {
            std::printf("%s: not readable\n", path.c_str());
            continue;
        }
        if (limit > 0)
            seconds = std::min(seconds, static_cast<double>(limit) / rate);
        const double start = Now();
        const float bpm = Measure(path, limit);
        const double took = Now() - start;
        const bool one = Near(bpm, truth);
        bool two = one;
        for (double ratio : {2.0, 3.0, 0.5, 1.0 / 3.0})
            two = two || Near(bpm, truth * ratio);
        ++files;
        within += one;
        related += two;
        audioSeconds += seconds;
        spent += took;
        speeds.push_back(seconds / took);
        const size_t slash = path.find_last_of("/\\");
        std::printf("%-34s true %6.2f measured %7.2f %s  %6.0fx real time\n",
                    path.substr(slash == std::string::npos ? 0 : slash + 1).c_str(), truth, bpm,
                    one ? "ok  " : (two ? "x/÷ " : "miss"), seconds / took);
    }
    if (files == 0) {
        std::printf("no files\n");
        return 1;
    }
    std::sort(speeds.begin(), speeds.end());
    std::printf("\nfiles %d, limit %d frames\n", files, limit);
    std::printf("Accuracy1 (within 4%%): %d/%d = %.0f%%\n", within, files, 100.0 * within / files);
    std::printf("Accuracy2 (within 4%% of x1, x2, x3, 1/2, 1/3): %d/%d = %.0f%%\n", related, files,
                100.0 * related / files);
    std::printf("speed: %.0fx real time over all (%.1f s of audio in %.2f s), median per file "
                "%.0fx, slowest %.0fx\n",
                audioSeconds / spent, audioSeconds, spent, speeds[speeds.size() / 2], speeds[0]);
    return 0;
}
