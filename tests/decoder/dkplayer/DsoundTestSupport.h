// Helpers of the DirectSound output tests: a decoder whose output is the
// module of "dk_dsound_output.dll" (loaded by name), generated tones, a
// recorder of the null sink's monitor (the default waveIn device) and the
// measurement of a recorded tone.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "decoder/engine/decoder.h"

// True when DirectSound has a device (a sound server is running).
bool HasDirectSound();

// A decoder with only the DirectSound module registered, its output made
// for a device name.
class DsoundDecoder
{
public:
    DsoundDecoder();
    ~DsoundDecoder();

    // 0 when the module loaded and registered.
    int LoadResult() const { return m_load; }
    decoder* Dec() const { return m_dec; }
    const output_module_ops& Ops() const { return m_ops; }
    void* Instance() const { return m_dec->output->instance; }

    int New(const char* name) { return decoder_output_new(m_dec, name, -1); }
    int Open() { return decoder_output_open(m_dec); }
    int Close() { return decoder_output_close(m_dec); }
    // Writes the samples in blocks of 1152 frames, as a codec delivers them.
    int Write(const std::vector<int16_t>& samples, int channels, int rate);
    int Control(int mask, output_control control = output_control());
    int Delay();
    // Polls the delay until it is 0; false when it stays above for timeout_ms.
    bool WaitEmpty(unsigned timeout_ms);
    int SetEnvironment(const char* name, int32_t value)
    {
        return m_dec->services.set_environment_integer(m_dec, name, value);
    }

private:
    decoder* m_dec = nullptr;
    output_module_ops m_ops;
    int m_load = -1;
};

// A sine of that frequency, amplitude and length, interleaved.
std::vector<int16_t> Tone(double frequency, double seconds, int amplitude, int rate, int channels);

// Records 44.1 kHz stereo from the default waveIn device, up to `seconds`
// (what comes later is not kept).
class SinkRecorder
{
public:
    explicit SinkRecorder(int seconds = 10);
    ~SinkRecorder();
    // "" when recording runs, else why it cannot.
    const std::string& Problem() const { return m_problem; }
    // Ends the recording; the first channel of what arrived.
    std::vector<int16_t> Stop();

private:
    struct Impl;
    Impl* m_impl;
    std::string m_problem;
};

struct ToneMeasure
{
    size_t first = 0, last = 0; // the span where the tone is heard (frames)
    double seconds = 0;         // its length
    double frequency = 0;       // median over 50 ms windows
    int peak = 0;
};

// Measures the tone in a 44.1 kHz recording; samples above threshold count
// as heard. Frequencies of the windows from..to (fractions of the span).
ToneMeasure MeasureTone(const std::vector<int16_t>& mono, int threshold, double from = 0.0, double to = 1.0);

// The amplitude of one frequency in the frames first..last of a 44.1 kHz
// recording, and its median over the 100 ms windows of the span (a window
// where the sound server was late and left a gap does not move it).
double ToneAmplitude(const std::vector<int16_t>& mono, size_t first, size_t last, double frequency);
double MedianToneAmplitude(const std::vector<int16_t>& mono, size_t first, size_t last, double frequency);
