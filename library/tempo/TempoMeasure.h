// Measuring the tempo of one file: decode it block by block and feed every
// block to the tempo detector, with a limit on the sample frames decoded,
// progress every 100 blocks and a way for the user to stop. The decoder is
// a BlockSource (the decoder engine's, or a test's); what the loop shows
// and asks goes through TempoHooks. Portable: no window code.
#pragma once

#include "framework/core/CString.h"

#include <stdint.h>

namespace tempo {

// A decoded block, valid until the next call of Next.
struct TempoBlock
{
    const int16_t* samples = nullptr; // interleaved
    int frames = 0;
    int channels = 0;
};

class BlockSource
{
public:
    virtual ~BlockSource() = default;
    // Opens the file and says how its audio comes: false when it cannot be
    // decoded (not MP3, missing, not audio).
    virtual bool Open(const char* path, int* channels, int* sampleRate) = 0;
    // 0 with the next block, or the decoder's negative code.
    virtual int Next(TempoBlock* block) = 0;
};

class TempoHooks
{
public:
    virtual ~TempoHooks() = default;
    // True when the user asked to stop and confirmed it.
    virtual bool AbortRequested() { return false; }
    // Lets waiting messages run.
    virtual void Pump() {}
    // Progress: the sample frames decoded so far.
    virtual void Progress(int64_t frames) { (void)frames; }
};

enum : int {
    kWholeFile = -1,   // a limit: decode to the end
    kBlocksPerPump = 100,
    // Decoder codes for a block to skip: no data yet, and a frame the
    // codec could not decode.
    kSkipNoData = -104,
    kSkipBadFrame = -700,
};

// The tempo of the file; 0 when it cannot be decoded or no tempo is found;
// -1 when the user stopped. limit counts sample frames (kWholeFile: all);
// decoding stops at the first block that brings the total to it.
float MeasureTempo(BlockSource& source, TempoHooks& hooks, const char* path, bool progress,
                   int limit);

// The tempo as the library writes it: two decimals, the whole part padded
// with zeros to three digits (98.5 gives "098.50").
CString FormatTempoText(float bpm);

// The progress text of the measurement: " %d k" of the frames in thousands.
CString ProgressText(int64_t frames);

} // namespace tempo
