// The MP3 stream scanner over any file, as the library's import reads
// stream facts: a walk of the whole file and the short walks of its first
// frames that the tag readers make. Results must lie within physical
// bounds (no negative durations, bitrates within MPEG's, no more time than
// the bytes can hold at the lowest bitrate), and a short walk of a constant
// stream without a VBR header must not fall short of the whole walk.
//
// An input that starts with "ZPAD" and a 32-bit little-endian count stands
// for the bytes after those eight followed by that many zero bytes (at most
// 256 KiB): files far larger than the fuzzer's inputs, whose size feeds
// the scanner's arithmetic.
#include "decoder/mpeg/mp3_scanner.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>
#include <initializer_list>

namespace {

struct VirtualFile
{
    const uint8_t* head;
    int64_t headSize;
    int64_t size;
};

int64_t ReadVirtual(void* data, int64_t offset, void* buffer, size_t count)
{
    const VirtualFile* file = static_cast<const VirtualFile*>(data);
    if (offset < 0)
        return -1;
    if (offset >= file->size)
        return 0;
    int64_t n = file->size - offset;
    if (n > static_cast<int64_t>(count))
        n = static_cast<int64_t>(count);
    uint8_t* out = static_cast<uint8_t*>(buffer);
    int64_t fromHead = file->headSize - offset;
    if (fromHead < 0)
        fromHead = 0;
    if (fromHead > n)
        fromHead = n;
    if (fromHead > 0)
        std::memcpy(out, file->head + offset, static_cast<size_t>(fromHead));
    std::memset(out + fromHead, 0, static_cast<size_t>(n - fromHead));
    return n;
}

// MPEG-2.5 layer III at 8 kbit/s, 11.025 kHz: 52-byte frames (rounded
// down) of 52.2 ms, 7,962 bit/s.
constexpr int32_t kLowestBitrate = 7900;
constexpr int32_t kHighestBitrate = 448000; // MPEG-1 layer I

// The longest a file of `bytes` bytes can play: every byte a frame byte at
// the lowest bitrate (one byte a millisecond), plus one frame cut short at
// the end and an ID3v1 block's worth the walk may read as frames.
int64_t LongestMs(int64_t bytes)
{
    return bytes * 8 * 1000 / kLowestBitrate + 200;
}

void CheckBounds(const mp3_stream_info& info, int64_t size, const char* scan)
{
    FUZZ_CHECK(info.frames >= 0, "%s: %d frames", scan, info.frames);
    FUZZ_CHECK(info.duration_ms >= 0 && info.duration_ms <= LongestMs(size),
               "%s: duration %d ms for %lld bytes", scan, info.duration_ms,
               static_cast<long long>(size));
    FUZZ_CHECK(info.bitrate == -1 || (info.bitrate >= kLowestBitrate && info.bitrate <= kHighestBitrate),
               "%s: bitrate %d bit/s", scan, info.bitrate);
    FUZZ_CHECK(info.sample_rate == -1 || (info.sample_rate >= 8000 && info.sample_rate <= 48000),
               "%s: sample rate %d", scan, info.sample_rate);
    FUZZ_CHECK(info.channels == -1 || info.channels == 1 || info.channels == 2,
               "%s: %d channels", scan, info.channels);
}

mp3_scanner* TheScanner()
{
    static mp3_scanner* scanner = [] {
        mp3_scanner* s = nullptr;
        mp3_scanner_new(&s);
        return s;
    }();
    return scanner;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    TheScanner();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VirtualFile file{data, static_cast<int64_t>(size), static_cast<int64_t>(size)};
    if (size >= 8 && std::memcmp(data, "ZPAD", 4) == 0) {
        uint32_t pad = static_cast<uint32_t>(data[4]) | static_cast<uint32_t>(data[5]) << 8 |
                       static_cast<uint32_t>(data[6]) << 16 | static_cast<uint32_t>(data[7]) << 24;
        if (pad > (256u << 10))
            pad = 256u << 10;
        file.head = data + 8;
        file.headSize = static_cast<int64_t>(size) - 8;
        file.size = file.headSize + pad;
    }
    mp3_scan_source source;
    source.data = &file;
    source.size = file.size;
    source.read = ReadVirtual;

    mp3_scanner* scanner = TheScanner();
    mp3_stream_info whole;
    const int wholeResult = mp3_scanner_scan_source(scanner, &source, nullptr, nullptr, &whole, 0, 0, 0);
    if (wholeResult == MP3_SCAN_OK)
        CheckBounds(whole, file.size, "whole walk");
    for (int limit : {5, 3}) {
        mp3_stream_info brief;
        if (mp3_scanner_scan_source(scanner, &source, nullptr, nullptr, &brief, 0, 0, limit) !=
            MP3_SCAN_OK)
            continue;
        CheckBounds(brief, file.size, limit == 5 ? "walk of 5 frames" : "walk of 3 frames");
        const bool vbrHeader = scanner->vbr_bitrate > 0;
        const int changes = MP3_FLAG_VERSION_CHANGED | MP3_FLAG_LAYER_CHANGED |
                            MP3_FLAG_BITRATE_CHANGED | MP3_FLAG_RATE_CHANGED | MP3_FLAG_MODE_CHANGED;
        if (wholeResult != MP3_SCAN_OK || vbrHeader || (whole.flags & changes) || whole.frames == 0)
            continue;
        // The estimate from the size counts every byte as audio; the frames
        // walked can only hold less (a tenth more for frame sizes rounded
        // down, one frame cut short at the end).
        const int64_t floor = static_cast<int64_t>(whole.duration_ms) * 9 / 10 - 300;
        FUZZ_CHECK(brief.duration_ms >= floor, "walk of %d frames: %d ms, whole walk: %d ms", limit,
                   brief.duration_ms, whole.duration_ms);
    }
    return 0;
}
