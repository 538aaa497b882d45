// What the waveOut output plays is recorded from the null sink's monitor.
// Runs alone: any other sound on the sink would mix into the recording.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "decoder/player/player_server.h"
#include "tests/support/TestSupport.h"

namespace {

// Plays the file through a decoder into the mapper and waits until the
// device has played everything.
void PlayThroughWaveOut(const std::string& path)
{
    decoder* dec = nullptr;
    ASSERT_EQ(0, decoder_new(&dec));
    builtin_modules_register(nullptr, nullptr, dec);
    ASSERT_EQ(0, decoder_input_new(dec, path.c_str(), -1));
    ASSERT_EQ(0, decoder_input_open(dec));
    ASSERT_EQ(0, decoder_output_new(dec, "/dev/wave/0", -1));
    ASSERT_EQ(0, decoder_output_open(dec));
    for (int frames = 0; frames < 100000 && decoder_play(dec) >= 0; ++frames) {
    }
    int delay = 1;
    for (int polls = 0; polls < 1000 && delay > 0; ++polls) {
        dec->output->ops->get_status(dec->output->instance, &delay);
        if (delay > 0)
            Sleep(10);
    }
    decoder_output_close(dec);
    decoder_delete(dec);
}

} // namespace

TEST(WaveOutSink, WhatIsPlayedReachesTheSinkMonitor)
{
    if (waveOutGetNumDevs() == 0)
        GTEST_SKIP() << "no waveOut device (no sound server)";
    if (waveInGetNumDevs() == 0)
        GTEST_SKIP() << "no waveIn device to record the sink's monitor";
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 44100 * 4;
    HWAVEIN in = nullptr;
    if (waveInOpen(&in, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
        GTEST_SKIP() << "the sink's monitor cannot be recorded";
    // Many short buffers, as a recorder keeps them queued.
    enum { kBuffers = 80, kFrames = 4410 };
    std::vector<int16_t> recorded(static_cast<size_t>(kBuffers) * kFrames * 2);
    std::vector<WAVEHDR> headers(kBuffers);
    for (int i = 0; i < kBuffers; ++i) {
        WAVEHDR& h = headers[i];
        h = WAVEHDR();
        h.lpData = reinterpret_cast<LPSTR>(recorded.data() + static_cast<size_t>(i) * kFrames * 2);
        h.dwBufferLength = kFrames * 4;
        ASSERT_EQ(MMSYSERR_NOERROR, waveInPrepareHeader(in, &h, sizeof(h)));
        ASSERT_EQ(MMSYSERR_NOERROR, waveInAddBuffer(in, &h, sizeof(h)));
    }
    ASSERT_EQ(MMSYSERR_NOERROR, waveInStart(in));
    // Play only once the recorder delivers: its stream starts late.
    for (int polls = 0; polls < 300 && !(headers[2].dwFlags & WHDR_DONE); ++polls)
        Sleep(10);
    ASSERT_TRUE(headers[2].dwFlags & WHDR_DONE) << "the recorder does not deliver";

    PlayThroughWaveOut(tavrix_test::MediaPath("tone440.wav"));
    Sleep(300); // let the monitor catch the tail; bounded
    waveInReset(in);
    size_t frames = 0;
    for (WAVEHDR& h : headers) {
        for (int polls = 0; polls < 100 && !(h.dwFlags & WHDR_DONE); ++polls)
            Sleep(10);
        frames += h.dwBytesRecorded / 4;
        waveInUnprepareHeader(in, &h, sizeof(h));
    }
    waveInClose(in);

    // Where the tone is, it is 440 Hz at the file's level (-6 dB).
    size_t first = frames, last = 0;
    for (size_t i = 0; i < frames; ++i)
        if (recorded[2 * i] > 4000 || recorded[2 * i] < -4000) {
            if (first == frames)
                first = i;
            last = i;
        }
    ASSERT_LT(first, last) << "nothing was heard; " << frames << " frames recorded";
    // Every cycle of the 3 s tone arrives once; the span may hold short
    // gaps where the sound server was late.
    const double seconds = static_cast<double>(last - first) / 44100.0;
    EXPECT_GE(seconds, 2.95);
    EXPECT_LE(seconds, 3.6);
    int crossings = 0;
    int16_t peak = 0;
    for (size_t i = first + 1; i <= last; ++i) {
        if ((recorded[2 * (i - 1)] < 0) != (recorded[2 * i] < 0))
            ++crossings;
        if (recorded[2 * i] > peak)
            peak = recorded[2 * i];
    }
    EXPECT_NEAR(2640.0, crossings, 2640.0 * 0.02);
    EXPECT_NEAR(16384, peak, 2500);
}

