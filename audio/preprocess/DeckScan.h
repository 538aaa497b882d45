// What a deck learns by decoding a track before it plays it: the level of
// each decoded frame, the scan of the first seconds (tempo, start point,
// peak), the automatic gain from that peak, and the waveform columns of a
// whole file held in memory. No window code: the caller pumps its messages
// and moves its progress bar from the per-frame callback.
#pragma once

#include <stdint.h>

#include "framework/core/CString.h"

struct decoder;

namespace deckscan {

// A deck counts 38 decoded frames to a second.
enum { kFramesPerSecond = 38, kDefaultWavScale = 400 };

// A decoder of a deck's own with the MPEG and WAVE codecs and the memory
// input (memory true) or the file input, no output; null when it could not
// be made or a module did not register.
decoder* NewDeckDecoder(bool memory);

// The level (0-100) of one block of 16-bit samples, `perChannel` samples
// per channel: stereo takes the peaks of the block's first and second
// halves, mono the peak of the block; (a + b) / 2 / scale, limited to 100.
// Negative samples never count. A scale of 0 or less is the default 400.
int FrameLevel(const int16_t* samples, int perChannel, int channels, int wavScale);

// The deck's gain (0-100) for a scanned peak level and a target level;
// false, and *gain untouched, when the target is not above 0.
bool AutoGain(int peak, int agcLevel, int* gain);

// The width in columns of the waveform strip of a track of that length.
int WaveStripWidth(int lengthSeconds);

// The tempo as the deck's BPM text: "%.2f".
CString BpmText(float bpm);

struct ScanSettings
{
    int sampleTime = 0;      // seconds scanned
    bool checkBpm = false;
    int findStartLevel = 0;
    int wavScale = kDefaultWavScale;
    int channels = 0;        // of the track's tags
    int sampleRate = 0;
};

struct ScanResult
{
    int frames = 0;
    bool startFound = false;
    int foundStart = 0;      // whole seconds of sound before the loud frame ended
    int peak = 0;
    float bpm = 0.0f;        // with checkBpm
};

enum class ScanStatus
{
    Done,
    DecoderFailed,   // no decoder could be made
    InputFailed,     // the file could not be opened
    NoStreamFacts    // the tags give no channels or no sample rate
};

// Called after each decoded frame with the count so far (the caller pumps
// its messages and moves its progress bar).
class ScanProgress
{
public:
    virtual ~ScanProgress() = default;
    virtual void Frame(int count) = 0;
};

// Scans the first sampleTime x 38 frames of an MP3 or WAV file. The decoder
// is deleted on every return.
ScanStatus ScanTrackStart(const char* path, const ScanSettings& settings, ScanProgress* progress,
                          ScanResult* result);

// Receives the waveform's columns in order.
class WaveSink
{
public:
    virtual ~WaveSink() = default;
    virtual void Column(int index, int level) = 0;
};

// Decodes a whole file held in memory (wav: the bytes are a WAV file) and
// hands the sink one column for every 1/38 s of sound (the level of the
// loudest frame reaching into it), at most maxColumns (negative: no limit);
// the number of columns, or -1 when the image could not be opened as audio.
int DecodeWaveColumns(const uint8_t* data, uint32_t size, bool wav, int wavScale, int maxColumns,
                      WaveSink* sink);

// "%x@%llx": the memory input's name for a static buffer.
CString MemoryInputName(const void* data, uint32_t size);

// A path ending in "wav", in any letter case.
bool EndsInWav(const char* path);

} // namespace deckscan
