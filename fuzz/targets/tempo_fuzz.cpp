// The tempo measurement over any run of decoded blocks, as the decoder
// hands them out: blocks of any length, blocks with another channel count
// than the stream began with, skipped blocks and the end, at any sample
// rate the stream header may claim. Each block is held in memory of its own
// exact size, so a read past it is caught. The tempo must be 0 or one the
// detector can answer (45 to 190), never the abort's -1, and with a limit
// no block may be asked for after the limit was reached.
//
// Input: byte 0 the channel count (bit 0) and the rate (bits 1 to 3);
// byte 1 the limit (0: the whole input, else that many times 500 frames);
// then blocks, each a kind byte (bits 0-1: block, block of the other
// channel count, skipped block, end), a length byte (times 8 frames) and
// the samples, taken from the input as it goes on.
#include "fuzz/FuzzCheck.h"
#include "library/tempo/TempoMeasure.h"

#include <cstring>
#include <vector>

namespace {

const int kRates[8] = {8000, 11025, 16000, 22050, 32000, 44100, 48000, 7999};

class FuzzSource : public tempo::BlockSource
{
public:
    FuzzSource(const uint8_t* data, size_t size, int channels, int rate, int limit)
        : m_data(data), m_size(size), m_channels(channels), m_rate(rate), m_limit(limit)
    {
    }
    bool Open(const char*, int* channels, int* rate) override
    {
        *channels = m_channels;
        *rate = m_rate;
        return true;
    }
    int Next(tempo::TempoBlock* block) override
    {
        FUZZ_CHECK(m_limit == tempo::kWholeFile || m_fed < m_limit,
                   "a block was asked for after the limit was reached");
        if (m_at + 2 > m_size)
            return -514;
        const int kind = m_data[m_at] & 3;
        const int frames = m_data[m_at + 1] * 8;
        m_at += 2;
        if (kind == 2)
            return (m_data[m_at - 1] & 1) ? tempo::kSkipNoData : tempo::kSkipBadFrame;
        if (kind == 3)
            return -514;
        const int channels = kind == 0 ? m_channels : 3 - m_channels;
        m_block.assign(static_cast<size_t>(frames) * channels, 0);
        const size_t bytes = std::min(m_size - m_at, m_block.size() * 2);
        if (bytes > 0)
            std::memcpy(m_block.data(), m_data + m_at, bytes);
        m_at += bytes;
        // Exactly the block's size: the buffer is moved into storage of
        // that size, so reading past it is a read past an allocation.
        m_held = std::vector<int16_t>(m_block.begin(), m_block.end());
        block->samples = m_held.empty() ? nullptr : m_held.data();
        block->frames = frames;
        block->channels = channels;
        if (channels == m_channels && frames > 0)
            m_fed += frames;
        return 0;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
    int m_channels;
    int m_rate;
    int m_limit;
    long long m_fed = 0;
    std::vector<int16_t> m_block;
    std::vector<int16_t> m_held;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int channels = 1 + (data[0] & 1);
    const int rate = kRates[(data[0] >> 1) & 7];
    const int limit = data[1] == 0 ? tempo::kWholeFile : data[1] * 500;
    FuzzSource source(data + 2, size - 2, channels, rate, limit);
    tempo::TempoHooks hooks;
    const float bpm = tempo::MeasureTempo(source, hooks, "fuzz.mp3", true, limit);
    FUZZ_CHECK(bpm == 0.0f || (bpm >= 45.0f && bpm <= 190.0f), "tempo out of the detector's range");
    return 0;
}
