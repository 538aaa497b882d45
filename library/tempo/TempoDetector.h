// The tempo detector: SoundTouch's BPMDetect fed 16-bit interleaved PCM.
// Portable and free of the library's state, so that the decks can use it
// too. A detector that could not be made (a channel count or sample rate
// it cannot take) swallows its input and answers 0.
#pragma once

#include <memory>
#include <stdint.h>

namespace soundtouch {
class BPMDetect;
}

namespace tempo {

class TempoDetector
{
public:
    TempoDetector(int channels, int sampleRate);
    ~TempoDetector();
    TempoDetector(const TempoDetector&) = delete;
    TempoDetector& operator=(const TempoDetector&) = delete;

    // The detector was made: the channel count and rate were usable.
    bool Valid() const { return m_detector != nullptr; }
    int Channels() const { return m_channels; }

    // frames sample frames of Channels() interleaved samples each.
    void Feed(const int16_t* samples, int frames);
    // Beats per minute of what was fed so far; 0 when no beat was found.
    float Bpm();

private:
    std::unique_ptr<soundtouch::BPMDetect> m_detector;
    int m_channels = 0;
};

// The tempo of one block of samples alone (0 when none is found or the
// arguments make no sense).
float DetectTempo(int channels, int sampleRate, const int16_t* samples, int frames);

} // namespace tempo
