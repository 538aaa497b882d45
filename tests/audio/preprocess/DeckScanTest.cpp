// A deck's scan of a track: frame levels, the automatic gain, and the scan
// and waveform of real files (generated loops and WAV files written here).
#include "audio/preprocess/DeckScan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

using namespace deckscan;

namespace {

// A 16-bit PCM WAV file: `silence` seconds of nothing, then clicks at
// `bpm` (a 20 ms burst on every beat) for `seconds` seconds.
std::string ClickWav(int rate, int channels, double silence, double seconds, double bpm, int amplitude)
{
    const int frames = static_cast<int>((silence + seconds) * rate);
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * channels, 0);
    const int start = static_cast<int>(silence * rate);
    const double beat = 60.0 / bpm * rate;
    for (int f = start; f < frames; ++f) {
        const double into = std::fmod(f - start, beat);
        if (into < 0.02 * rate) {
            const double value = amplitude * std::sin(2 * 3.14159265 * 1000.0 * f / rate) * (1.0 - into / (0.02 * rate));
            for (int c = 0; c < channels; ++c)
                pcm[static_cast<size_t>(f) * channels + c] = static_cast<int16_t>(value);
        }
    }
    const uint32_t data = static_cast<uint32_t>(pcm.size() * 2);
    std::string out;
    auto put32 = [&out](uint32_t v) { for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF); };
    auto put16 = [&out](uint16_t v) { out += static_cast<char>(v & 0xFF); out += static_cast<char>(v >> 8); };
    out += "RIFF";
    put32(36 + data);
    out += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(static_cast<uint16_t>(channels));
    put32(static_cast<uint32_t>(rate));
    put32(static_cast<uint32_t>(rate * channels * 2));
    put16(static_cast<uint16_t>(channels * 2));
    put16(16);
    out += "data";
    put32(data);
    out.append(reinterpret_cast<const char*>(pcm.data()), data);
    return out;
}

class Counter : public ScanProgress
{
public:
    void Frame(int count) override { last = count; ++calls; }
    int last = 0;
    int calls = 0;
};

class Columns : public WaveSink
{
public:
    void Column(int index, int level) override
    {
        EXPECT_EQ(static_cast<int>(levels.size()), index);
        levels.push_back(level);
    }
    std::vector<int> levels;
};

} // namespace

TEST(DeckScanLevels, FrameLevel)
{
    std::vector<int16_t> stereo(2 * 100, 0);
    stereo[10] = 16000;   // first half
    stereo[150] = 8000;   // second half
    stereo[151] = -32768; // never counts
    EXPECT_EQ(30, FrameLevel(stereo.data(), 100, 2, 400));
    std::vector<int16_t> mono(100, 0);
    mono[50] = 16000;
    EXPECT_EQ(20, FrameLevel(mono.data(), 100, 1, 400));
    std::vector<int16_t> loud(200, 32767);
    EXPECT_EQ(81, FrameLevel(loud.data(), 100, 2, 400));
    EXPECT_EQ(100, FrameLevel(loud.data(), 100, 2, 100));
    // A scale of 0 (or less) is the default 400, never a division by zero.
    EXPECT_EQ(81, FrameLevel(loud.data(), 100, 2, 0));
    EXPECT_EQ(81, FrameLevel(loud.data(), 100, 2, -5));
    EXPECT_EQ(0, FrameLevel(nullptr, 100, 2, 400));
}

TEST(DeckScanLevels, AutoGain)
{
    struct Case
    {
        int peak, agc, gain;
    } cases[] = {{25, 50, 75}, {100, 50, 0}, {50, 50, 50}, {0, 50, 100}, {30, 60, 90}, {90, 60, 30}};
    for (const Case& c : cases) {
        int gain = -1;
        EXPECT_TRUE(AutoGain(c.peak, c.agc, &gain));
        EXPECT_EQ(c.gain, gain) << c.peak << " " << c.agc;
    }
    // Without a target level the gain is left alone.
    int gain = 42;
    EXPECT_FALSE(AutoGain(30, 0, &gain));
    EXPECT_FALSE(AutoGain(30, -1, &gain));
    EXPECT_EQ(42, gain);
}

TEST(DeckScanLevels, WidthsAndTexts)
{
    EXPECT_EQ(300 * 38, WaveStripWidth(300));
    EXPECT_EQ(0, WaveStripWidth(0));
    EXPECT_STREQ("128.00", BpmText(128.0f).GetString());
    EXPECT_STREQ("120.03", BpmText(120.03f).GetString());
    EXPECT_TRUE(EndsInWav("C:\\a\\b.WAV"));
    EXPECT_TRUE(EndsInWav("x.wav"));
    EXPECT_FALSE(EndsInWav("x.mp3"));
    EXPECT_FALSE(EndsInWav("av"));
    int probe = 0;
    const CString name = MemoryInputName(&probe, 0x1234);
    EXPECT_EQ(0, name.Find("1234@"));
}

TEST(DeckScanFiles, TempoOfGeneratedLoops)
{
    struct Case
    {
        const char* file;
        float bpm;
    } cases[] = {{"tempo_loop_128.mp3", 128.0f}, {"tempo_click_120.mp3", 120.0f}};
    for (const Case& c : cases) {
        const std::string path = tavrix_test::MediaPath(c.file);
        ScanSettings settings;
        settings.sampleTime = 15;
        settings.checkBpm = true;
        settings.findStartLevel = 5;
        settings.channels = c.file[6] == 'l' ? 1 : 2;
        settings.sampleRate = 44100;
        Counter progress;
        ScanResult result;
        ASSERT_EQ(ScanStatus::Done, ScanTrackStart(path.c_str(), settings, &progress, &result)) << path;
        EXPECT_NEAR(c.bpm, result.bpm, 1.0f) << c.file;
        EXPECT_EQ(c.bpm, std::round(result.bpm)) << c.file;
        EXPECT_GT(result.frames, 15 * 38 - 40) << c.file; // the loops last 15 s
        EXPECT_LE(result.frames, 15 * 38);
        EXPECT_EQ(result.frames, progress.last);
        EXPECT_TRUE(result.startFound);
        EXPECT_EQ(0, result.foundStart);
        EXPECT_GT(result.peak, 0);
    }
}

TEST(DeckScanFiles, StartPointAfterSilenceAndTheScanLength)
{
    tavrix_test::TempDir dir;
    struct Case
    {
        int rate, channels;
        double silence;
        int sampleTime, found, frames;
    } cases[] = {
        {44100, 2, 2.5, 5, 2, 5 * 38},  // 43 blocks of 1024 frames a second
        {22050, 1, 5.5, 10, 5, 248},    // 21.5 blocks a second: the file ends first
        {48000, 2, 7.2, 6, -1, 6 * 38}, // the start lies past the scan
    };
    for (const Case& c : cases) {
        const std::string path = dir.File("start" + std::to_string(c.rate) + ".wav");
        ASSERT_TRUE(tavrix_test::WriteFileBytes(path, ClickWav(c.rate, c.channels, c.silence, 6.0, 120.0, 20000)));
        ScanSettings settings;
        settings.sampleTime = c.sampleTime;
        settings.findStartLevel = 10;
        settings.channels = c.channels;
        settings.sampleRate = c.rate;
        ScanResult result;
        ASSERT_EQ(ScanStatus::Done, ScanTrackStart(path.c_str(), settings, nullptr, &result));
        EXPECT_EQ(c.found >= 0, result.startFound) << path;
        if (c.found >= 0) {
            EXPECT_EQ(c.found, result.foundStart) << path;
        }
        // Never more than SampleTime x 38 frames.
        EXPECT_EQ(c.frames, result.frames) << path;
        EXPECT_GE(result.peak, c.found >= 0 ? 20 : 0) << path;
        EXPECT_LE(result.peak, 20000 / 400) << path;
    }
}

TEST(DeckScanFiles, ShortFileEndsTheScanAtItsLastFrame)
{
    ScanSettings settings;
    settings.sampleTime = 60;
    settings.channels = 2;
    settings.sampleRate = 44100;
    ScanResult result;
    ASSERT_EQ(ScanStatus::Done, ScanTrackStart(tavrix_test::MediaPath("tone440.mp3").c_str(), settings, nullptr, &result));
    EXPECT_NEAR(3 * 38, result.frames, 3);
}

TEST(DeckScanFiles, Failures)
{
    tavrix_test::TempDir dir;
    ScanSettings settings;
    settings.sampleTime = 5;
    settings.channels = 2;
    settings.sampleRate = 44100;
    ScanResult result;
    EXPECT_EQ(ScanStatus::InputFailed, ScanTrackStart(dir.File("missing.mp3").c_str(), settings, nullptr, &result));
    const std::string junk = dir.File("junk.mp3");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(junk, std::string(5000, 'x')));
    // Bytes with no frame in them: the scan ends at once, with nothing found.
    result.frames = -1;
    EXPECT_EQ(ScanStatus::Done, ScanTrackStart(junk.c_str(), settings, nullptr, &result));
    EXPECT_EQ(0, result.frames);
    EXPECT_FALSE(result.startFound);
    settings.channels = 0;
    EXPECT_EQ(ScanStatus::NoStreamFacts,
              ScanTrackStart(tavrix_test::MediaPath("tone440.mp3").c_str(), settings, nullptr, &result));
}

TEST(DeckScanFiles, WaveColumnsFitTheStrip)
{
    tavrix_test::TempDir dir;
    struct Case
    {
        const char* name;
        bool wav;
        int seconds;
    } cases[] = {{"tone440.mp3", false, 3}, {"tone440.wav", true, 3}, {"tempo_loop_128.mp3", false, 15}};
    for (const Case& c : cases) {
        std::string bytes;
        ASSERT_TRUE(tavrix_test::ReadFileBytes(tavrix_test::MediaPath(c.name), bytes)) << c.name;
        Columns columns;
        const int count = DecodeWaveColumns(reinterpret_cast<const uint8_t*>(bytes.data()),
                                            static_cast<uint32_t>(bytes.size()), c.wav, 400, -1, &columns);
        // One column for each 1/38 s, whatever the format's block size.
        EXPECT_NEAR(c.seconds * 38, count, 2) << c.name;
        EXPECT_EQ(count, static_cast<int>(columns.levels.size()));
        int loudest = 0;
        for (int level : columns.levels) {
            EXPECT_GE(level, 0);
            EXPECT_LE(level, 100);
            loudest = level > loudest ? level : loudest;
        }
        EXPECT_GT(loudest, 0) << c.name;
        // A limit holds.
        Columns limited;
        EXPECT_EQ(50, DecodeWaveColumns(reinterpret_cast<const uint8_t*>(bytes.data()),
                                        static_cast<uint32_t>(bytes.size()), c.wav, 400, 50, &limited));
    }
    const std::string junk(3000, '\0');
    EXPECT_EQ(-1, DecodeWaveColumns(nullptr, 0, false, 400, -1, nullptr));
    EXPECT_LE(DecodeWaveColumns(reinterpret_cast<const uint8_t*>(junk.data()), 3000, true, 400, -1, nullptr), 0);
}
