#include "DsoundTestSupport.h"

#include <math.h>
#include <string.h>

#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <algorithm>

#include "decoder/engine/module_loader.h"

bool HasDirectSound()
{
    IDirectSound8* sound = nullptr;
    if (FAILED(DirectSoundCreate8(nullptr, &sound, nullptr)) || !sound)
        return false;
    sound->Release();
    return true;
}

DsoundDecoder::DsoundDecoder()
{
    memset(&m_ops, 0, sizeof(m_ops));
    if (decoder_new(&m_dec) != 0)
        return;
    m_load = module_table_load(MODULE_KIND_OUTPUT, "dk_dsound_output.dll", &m_ops, sizeof(m_ops));
    if (m_load == 0) {
        const int id = decoder_output_module_register(m_dec, &m_ops);
        if (id < 0)
            m_load = id;
    }
}

DsoundDecoder::~DsoundDecoder()
{
    if (m_dec)
        decoder_delete(m_dec);
}

int DsoundDecoder::Write(const std::vector<int16_t>& samples, int channels, int rate)
{
    const size_t block = 1152 * static_cast<size_t>(channels);
    for (size_t at = 0; at < samples.size(); at += block) {
        const size_t count = std::min(block, samples.size() - at);
        const int r = decoder_output_write(m_dec, const_cast<int16_t*>(samples.data() + at),
                                           static_cast<int>(count * 2), 2, channels, rate);
        if (r < 0)
            return r;
    }
    return 0;
}

int DsoundDecoder::Control(int mask, output_control control)
{
    return decoder_output_set_control(m_dec, &control, mask);
}

int DsoundDecoder::Delay()
{
    int delay = -1;
    if (m_ops.get_status(Instance(), &delay) < 0)
        return -1;
    return delay;
}

bool DsoundDecoder::WaitEmpty(unsigned timeout_ms)
{
    const DWORD start = GetTickCount();
    while (Delay() > 0) {
        if (GetTickCount() - start > timeout_ms)
            return false;
        Sleep(10);
    }
    return true;
}

std::vector<int16_t> Tone(double frequency, double seconds, int amplitude, int rate, int channels)
{
    const size_t frames = static_cast<size_t>(seconds * rate);
    std::vector<int16_t> out(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i) {
        const double v = amplitude * sin(2.0 * 3.14159265358979323846 * frequency * static_cast<double>(i) / rate);
        for (int c = 0; c < channels; ++c)
            out[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] = static_cast<int16_t>(lround(v));
    }
    return out;
}

// --- recording ------------------------------------------------------------------

struct SinkRecorder::Impl
{
    enum { kFrames = 4410 };   // 100 ms a buffer
    int buffers = 100;
    HWAVEIN in = nullptr;
    std::vector<int16_t> samples;
    std::vector<WAVEHDR> headers;
};

SinkRecorder::SinkRecorder(int seconds) : m_impl(new Impl)
{
    m_impl->buffers = seconds < 1 ? 10 : seconds * 10;
    if (waveInGetNumDevs() == 0) {
        m_problem = "no waveIn device to record the sink's monitor";
        return;
    }
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 44100 * 4;
    if (waveInOpen(&m_impl->in, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        m_impl->in = nullptr;
        m_problem = "the sink's monitor cannot be recorded";
        return;
    }
    m_impl->samples.resize(static_cast<size_t>(m_impl->buffers) * Impl::kFrames * 2);
    m_impl->headers.resize(static_cast<size_t>(m_impl->buffers));
    for (int i = 0; i < m_impl->buffers; ++i) {
        WAVEHDR& h = m_impl->headers[static_cast<size_t>(i)];
        h = WAVEHDR();
        h.lpData = reinterpret_cast<LPSTR>(m_impl->samples.data() + static_cast<size_t>(i) * Impl::kFrames * 2);
        h.dwBufferLength = Impl::kFrames * 4;
        waveInPrepareHeader(m_impl->in, &h, sizeof(h));
        waveInAddBuffer(m_impl->in, &h, sizeof(h));
    }
    waveInStart(m_impl->in);
    // The recorder's stream starts late: wait until it delivers.
    for (int polls = 0; polls < 300 && !(m_impl->headers[2].dwFlags & WHDR_DONE); ++polls)
        Sleep(10);
    if (!(m_impl->headers[2].dwFlags & WHDR_DONE))
        m_problem = "the recorder does not deliver";
}

std::vector<int16_t> SinkRecorder::Stop()
{
    std::vector<int16_t> mono;
    if (!m_impl->in)
        return mono;
    waveInReset(m_impl->in);
    for (WAVEHDR& h : m_impl->headers) {
        for (int polls = 0; polls < 100 && !(h.dwFlags & WHDR_DONE); ++polls)
            Sleep(10);
        const int16_t* data = reinterpret_cast<const int16_t*>(h.lpData);
        for (DWORD i = 0; i < h.dwBytesRecorded / 4; ++i)
            mono.push_back(data[2 * i]);
        waveInUnprepareHeader(m_impl->in, &h, sizeof(h));
    }
    waveInClose(m_impl->in);
    m_impl->in = nullptr;
    return mono;
}

SinkRecorder::~SinkRecorder()
{
    if (m_impl->in)
        Stop();
    delete m_impl;
}

// --- measuring -------------------------------------------------------------------

ToneMeasure MeasureTone(const std::vector<int16_t>& mono, int threshold, double from, double to)
{
    ToneMeasure m;
    const size_t n = mono.size();
    m.first = n;
    for (size_t i = 0; i < n; ++i)
        if (mono[i] > threshold || mono[i] < -threshold) {
            if (m.first == n)
                m.first = i;
            m.last = i;
        }
    if (m.first >= m.last)
        return m;
    m.seconds = static_cast<double>(m.last - m.first) / 44100.0;
    for (size_t i = m.first; i <= m.last; ++i)
        m.peak = std::max(m.peak, std::abs(static_cast<int>(mono[i])));

    // Rising zero crossings, placed between samples by interpolation; each
    // window's frequency from its first and last crossing.
    const size_t span = m.last - m.first;
    const size_t begin = m.first + static_cast<size_t>(span * from);
    const size_t end = m.first + static_cast<size_t>(span * to);
    const size_t window = 2205;
    std::vector<double> estimates;
    for (size_t w = begin; w + window <= end; w += window) {
        double first = -1, last = -1;
        int crossings = 0;
        int quiet = 0;
        bool gap = false;
        for (size_t i = w + 1; i < w + window; ++i) {
            quiet = std::abs(static_cast<int>(mono[i])) < 64 ? quiet + 1 : 0;
            if (quiet > 20)
                gap = true;
            if (mono[i - 1] < 0 && mono[i] >= 0) {
                const double t = static_cast<double>(i - 1) +
                                 static_cast<double>(-mono[i - 1]) / (static_cast<double>(mono[i]) - mono[i - 1]);
                if (first < 0)
                    first = t;
                last = t;
                ++crossings;
            }
        }
        if (!gap && crossings > 10 && last > first)
            estimates.push_back((crossings - 1) / (last - first) * 44100.0);
    }
    if (!estimates.empty()) {
        std::sort(estimates.begin(), estimates.end());
        m.frequency = estimates[estimates.size() / 2];
    }
    return m;
}

// The amplitude of one frequency in a span of a 44.1 kHz recording.
double ToneAmplitude(const std::vector<int16_t>& mono, size_t first, size_t last, double frequency)
{
    const double w = 2 * 3.14159265358979323846 * frequency / 44100.0;
    double re = 0, im = 0;
    for (size_t i = first; i < last; ++i) {
        re += mono[i] * cos(w * static_cast<double>(i));
        im += mono[i] * sin(w * static_cast<double>(i));
    }
    const double n = static_cast<double>(last - first);
    return 2 * sqrt(re * re + im * im) / n;
}

// The median amplitude of a frequency over the 100 ms windows of a span
// (whole cycles of 150 Hz and 5000 Hz): a window where the sound server
// was late and left a gap does not move it.
double MedianToneAmplitude(const std::vector<int16_t>& mono, size_t first, size_t last, double frequency)
{
    const size_t window = 4410;
    std::vector<double> values;
    for (size_t at = first; at + window <= last; at += window)
        values.push_back(ToneAmplitude(mono, at, at + window, frequency));
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
