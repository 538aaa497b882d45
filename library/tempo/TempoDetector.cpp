#include "library/tempo/TempoDetector.h"

#include <BPMDetect.h>

#include <exception>

namespace tempo {

namespace {

// SoundTouch decimates to about 1 kHz and refuses (throws) lower rates;
// more than eight channels is no audio this program meets.
constexpr int kMinRate = 8000;
constexpr int kMaxRate = 384000;
constexpr int kMaxChannels = 8;

} // namespace

TempoDetector::TempoDetector(int channels, int sampleRate)
{
    if (channels < 1 || channels > kMaxChannels || sampleRate < kMinRate || sampleRate > kMaxRate)
        return;
    try {
        m_detector = std::make_unique<soundtouch::BPMDetect>(channels, sampleRate);
        m_channels = channels;
    } catch (const std::exception&) {
        m_detector.reset();
    }
}

TempoDetector::~TempoDetector() = default;

void TempoDetector::Feed(const int16_t* samples, int frames)
{
    if (!m_detector || !samples || frames <= 0)
        return;
    m_detector->inputSamples(samples, frames);
}

float TempoDetector::Bpm()
{
    if (!m_detector)
        return 0.0f;
    const float bpm = m_detector->getBpm();
    return bpm > 0.0f ? bpm : 0.0f;
}

float DetectTempo(int channels, int sampleRate, const int16_t* samples, int frames)
{
    TempoDetector detector(channels, sampleRate);
    detector.Feed(samples, frames);
    return detector.Bpm();
}

} // namespace tempo
