// The decoder engine as a block source for the tempo measurement: a
// synchronous decoder with the built-in MPEG audio codec and file input,
// one per file. How the file's audio comes (channels, rate) is read by the
// caller's function, which also decides which files are taken.
#pragma once

#include "library/tempo/TempoMeasure.h"

struct decoder;

namespace tempo {

// Fills channels and rate; false refuses the file.
using StreamFacts = bool (*)(const char* path, int* channels, int* sampleRate);

class DecoderBlocks : public BlockSource
{
public:
    explicit DecoderBlocks(StreamFacts facts);
    ~DecoderBlocks() override;
    DecoderBlocks(const DecoderBlocks&) = delete;
    DecoderBlocks& operator=(const DecoderBlocks&) = delete;

    bool Open(const char* path, int* channels, int* sampleRate) override;
    int Next(TempoBlock* block) override;

private:
    StreamFacts m_facts;
    decoder* m_decoder = nullptr;

    void Release();
};

} // namespace tempo
