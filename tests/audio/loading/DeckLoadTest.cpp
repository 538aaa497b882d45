// Loading tracks into a deck whose player writes down its commands, with
// the library's own tag reader, real MP3 and WAV files, a real waveform
// strip, and a main window that writes down what the load asks of it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/loading/DeckLoadHost.h"
#include "audio/deck/DeckLogic.h"
#include "audio/worker/DeckWorker.h"
#include "decoder/player/control_messages.h"
#include "foundation/app/MessageDialog.h"
#include "framework/ui/AfxWin.h"
#include "library/api/VIZU.h"
#include "tests/audio/deck/DeckRecorders.h"
#include "tests/support/ProgramFolder.h"
#include "widgets/scope/ScopeCtrl.h"

namespace {

using Strings = std::vector<std::string>;

UINT FourMixers() { return 4; }

class NoticeRecorder : public MessageDialog
{
public:
    void ShowModal(const CString& text) override { shown.push_back(text.GetString()); }
    Strings shown;
};

class LoadHost : public DeckLoadHost
{
public:
    Strings calls;
    bool view = false;
    CScopeCtrl* strip = nullptr;
    int progressUpper = -1, progressCalls = 0, lastProgress = -1;
    std::function<void()> onPump;
    int pumps = 0;

    bool HasAlbumArtView(int) override { return view; }
    bool SetDeckTitle(int deck, const CString& path) override { return Add("SetDeckTitle", deck, path.GetString()), false; }
    void AddToHistory(const TAG_INFO& replaced) override { Add("AddToHistory", 0, replaced.Path.GetString()); }
    int IncrementPlayCounter(const CString&, bool) override { return 0; }
    bool GetTagInfo(const CString& path, TAG_INFO* tags) override { return VIZU::GetTagInfo(path, tags); }
    void ProcessMessages() override
    {
        ++pumps;
        if (onPump) {
            std::function<void()> once = onPump;
            onPump = nullptr;
            once();
        }
    }
    void SetDeckProgressRange(int, int upper) override { progressUpper = upper; }
    void SetDeckProgressPos(int, int pos) override
    {
        ++progressCalls;
        lastProgress = pos;
    }
    void SetDeckGainPercent(int deck, int percent) override { Add("SetDeckGainPercent", deck, std::to_string(percent)); }
    CScopeCtrl* DeckWaveStrip(int) override { return strip; }
    void SetDeckInfoText(const CString& text) override { Add("SetDeckInfoText", 0, text.GetString()); }
    void SwitchOffLoopLights(int deck) override { Add("SwitchOffLoopLights", deck, ""); }
    void SetDeckPositionRange(int deck, int length) override { Add("SetDeckPositionRange", deck, std::to_string(length)); }
    void ApplyDeckVolume(int deck) override { Add("ApplyDeckVolume", deck, ""); }
    void RefreshCuePoints(int deck) override { Add("RefreshCuePoints", deck, ""); }

    bool Has(const std::string& call) const
    {
        for (const std::string& c : calls)
            if (c == call)
                return true;
        return false;
    }

private:
    void Add(const char* name, int deck, const std::string& text)
    {
        calls.push_back(std::string(name) + "(" + std::to_string(deck) + (text.empty() ? "" : "," + text) + ")");
    }
};

// A WAV file: `silence` seconds of nothing, then 120 BPM clicks for `seconds`.
std::string ClickWav(double silence, double seconds)
{
    const int rate = 44100;
    const int frames = static_cast<int>((silence + seconds) * rate);
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * 2, 0);
    const int start = static_cast<int>(silence * rate);
    for (int f = start; f < frames; ++f) {
        const int into = (f - start) % (rate / 2);
        if (into < rate / 50) {
            const int16_t v = static_cast<int16_t>(20000 * std::sin(2 * 3.14159265 * 1000.0 * f / rate));
            pcm[static_cast<size_t>(f) * 2] = pcm[static_cast<size_t>(f) * 2 + 1] = v;
        }
    }
    const uint32_t data = static_cast<uint32_t>(pcm.size() * 2);
    std::string out = "RIFF";
    auto put32 = [&out](uint32_t v) { for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF); };
    put32(36 + data);
    out += "WAVEfmt ";
    put32(16);
    put32(0x00020001);   // PCM, two channels
    put32(rate);
    put32(rate * 4);
    put32(0x00100004);   // block 4, 16 bits
    out += "data";
    put32(data);
    out.append(reinterpret_cast<const char*>(pcm.data()), data);
    return out;
}

class DeckLoadTest : public ProgramFolderTest
{
protected:
    void SetUp() override
    {
        m_previousMixers = DeckSetMixerCountSource(FourMixers);
        m_previousDialog = SetMessageDialog(&notices);
    }
    void TearDown() override
    {
        deck.reset();
        DeckSetMixerCountSource(m_previousMixers);
        SetMessageDialog(m_previousDialog);
    }

    // Writes MAIN settings, then makes deck `index` with the load host.
    RecordingDeck& MakeDeck(const std::string& mainSettings = "", int index = 0)
    {
        EXPECT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), "[MAIN]\r\n" + mainSettings));
        deck = std::make_unique<RecordingDeck>(&host);
        host.decks[index] = deck.get();
        EXPECT_TRUE(deck->Init(host.DeckWindow(), index));
        deck->SetLoadHost(&loads);
        deck->Recorder()->ClearSent();
        host.calls.clear();
        return *deck;
    }

    std::string Media(const char* name) { return tavrix_test::MediaPath(name); }

    // The commands sent, those of one name only.
    Strings Sent(const char* prefix) const
    {
        Strings out;
        for (const std::string& s : deck->Recorder()->Sent())
            if (s.compare(0, strlen(prefix), prefix) == 0)
                out.push_back(s);
        return out;
    }

    RecordingHost host;
    LoadHost loads;
    NoticeRecorder notices;
    std::unique_ptr<RecordingDeck> deck;

private:
    DeckMixerCountSource m_previousMixers = nullptr;
    MessageDialog* m_previousDialog = nullptr;
};

} // namespace

TEST_F(DeckLoadTest, LoadsMp3AndWavFiles)
{
    struct Case
    {
        const char* name;
        int length;
        bool wav;
    } cases[] = {{"tone440.mp3", 3, false}, {"tone440.wav", 3, true}, {"l3_m1_stereo_cbr.mp3", 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDeck& d = MakeDeck();
        loads.calls.clear();
        const std::string path = Media(c.name);
        ASSERT_EQ(1, d.LoadTrack(path.c_str()));
        EXPECT_TRUE(d.IsLoaded());
        EXPECT_STREQ(path.c_str(), d.GetCurrentPath().GetString());
        EXPECT_EQ(c.length, d.GetTagInfo().Length);
        Strings expected = {"input_open " + path};
        if (c.wav)
            expected.push_back("input_send (shape 9)");
        const Strings sent = d.Recorder()->Sent();
        ASSERT_GE(sent.size(), 1u);
        EXPECT_EQ(expected[0], sent[0]);
        EXPECT_EQ(c.wav ? 2u : 1u, Sent("input_").size());
        EXPECT_EQ(c.length, d.GetPlayer()->GetSeekRange());
        EXPECT_TRUE(loads.Has("SwitchOffLoopLights(0)"));
        EXPECT_TRUE(loads.Has("ApplyDeckVolume(0)"));
        EXPECT_TRUE(loads.Has("SetDeckPositionRange(0," + std::to_string(c.length) + ")"));
        EXPECT_TRUE(loads.Has("RefreshCuePoints(0)"));
        bool positionBar = false;
        for (const std::string& call : host.calls)
            positionBar = positionBar || call == "InitDeckPositionBar(0," + std::to_string(c.length) + ")";
        EXPECT_TRUE(positionBar);
        EXPECT_TRUE(notices.shown.empty());
    }
}

TEST_F(DeckLoadTest, RefusesWhatItCannotPlay)
{
    tavrix_test::TempDir dir;
    struct Case
    {
        std::string path;
        const char* notice;
    } cases[] = {
        {dir.File("song.ogg"), "Tavrix's main decks can only play MP3 or WAV files."},
        {dir.File("song.mp3x"), "Tavrix's main decks can only play MP3 or WAV files."},
        {dir.File("missing.mp3"), "Unable to load file:\n\n%s\n\nCheck to see if the file was moved or deleted"},
        {"", nullptr},
    };
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File("song.ogg"), "OggS"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File("song.mp3x"), "ID3"));
    for (const Case& c : cases) {
        RecordingDeck& d = MakeDeck();
        notices.shown.clear();
        EXPECT_EQ(-1, d.LoadTrack(c.path.c_str())) << c.path;
        EXPECT_FALSE(d.IsLoaded());
        EXPECT_TRUE(d.Recorder()->Sent().empty());
        if (c.notice) {
            char text[512];
            snprintf(text, sizeof text, c.notice, c.path.c_str());
            ASSERT_EQ(1u, notices.shown.size());
            EXPECT_EQ(text, notices.shown[0]);
        } else {
            EXPECT_TRUE(notices.shown.empty());
        }
    }
}

TEST_F(DeckLoadTest, PausedDeckIsStoppedAndTheReplacedTrackGoesToHistory)
{
    RecordingDeck& d = MakeDeck();
    const std::string first = Media("tone440.mp3"), second = Media("tone440.wav");
    ASSERT_EQ(1, d.LoadTrack(first.c_str()));
    // The first load replaces nothing.
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return d.GetWorker()->Idle(); }, 5000));
    EXPECT_FALSE(loads.Has("AddToHistory(0," + first + ")"));
    d.Recorder()->Notify(CM_PLAYER_STATE, 2);
    ASSERT_EQ(DECK_STATE_PAUSED, d.GetState());
    d.Recorder()->ClearSent();
    ASSERT_EQ(1, d.LoadTrack(second.c_str()));
    const Strings sent = d.Recorder()->Sent();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ("stop", sent[0]);
    EXPECT_EQ("output_drain", sent[1]);
    EXPECT_EQ("input_open " + second, sent[2]);
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return d.GetWorker()->Idle(); }, 5000));
    EXPECT_TRUE(loads.Has("AddToHistory(0," + first + ")"));
}

TEST_F(DeckLoadTest, PreProcessFindsTheStartTempoAndGain)
{
    tavrix_test::TempDir dir;
    const std::string path = dir.File("late start.wav");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, ClickWav(2.5, 8.0)));
    struct Case
    {
        const char* settings;
        const char* seek;       // nullptr: none
        const char* gain;       // nullptr: the slider is not touched
        bool bpm;
    } cases[] = {
        {"PreProcess=1\r\nSampleTime=5\r\nFindStart=1\r\nFindStartLevel=10\r\n", "seek 2 10", nullptr, false},
        {"PreProcess=1\r\nSampleTime=10\r\nCheckBPM=1\r\nFindStartLevel=10\r\n", nullptr, nullptr, true},
        // Any peak of 20 or more is at least twice the target: the gain goes to 0.
        {"PreProcess=1\r\nSampleTime=5\r\nAGC=1\r\nAGCLevel=10\r\nWAVScaleValue=400\r\n", nullptr,
         "SetDeckGainPercent(0,0)", false},
        {"PreProcess=1\r\nSampleTime=5\r\nAGC=1\r\nAGCLevel=0\r\nWAVScaleValue=0\r\n", nullptr, nullptr, false},
        {"PreProcess=1\r\nDecode=0\r\nSampleTime=5\r\nFindStart=1\r\nFindStartLevel=101\r\n", "seek 0 10", nullptr,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        loads.calls.clear();
        RecordingDeck& d = MakeDeck(c.settings);
        ASSERT_EQ(1, d.LoadTrack(path.c_str()));
        const Strings seeks = Sent("seek");
        if (c.seek) {
            ASSERT_EQ(1u, seeks.size());
            EXPECT_EQ(c.seek, seeks[0]);
        } else {
            EXPECT_TRUE(seeks.empty());
        }
        bool gain = false;
        for (const std::string& call : loads.calls)
            if (call.compare(0, 18, "SetDeckGainPercent") == 0) {
                gain = true;
                if (c.gain) {
                    EXPECT_EQ(c.gain, call);
                }
            }
        EXPECT_EQ(c.gain != nullptr, gain);
        if (c.bpm) {
            const CString bpm = d.GetTagInfo().BPMText;
            EXPECT_NEAR(120.0, atof(bpm), 1.0) << bpm.GetString();
            EXPECT_EQ(bpm.GetLength() - 3, bpm.Find('.')) << bpm.GetString();
        }
        EXPECT_EQ(0, loads.lastProgress); // the bar goes back to 0
        EXPECT_GT(loads.pumps, 0);
    }
}

TEST_F(DeckLoadTest, WholeFileDecodeDrawsTheWaveformAndKeepsTheImage)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "strip host", WS_POPUP, 0, 0, 400, 100, nullptr, 0));
    CScopeCtrl strip;
    ASSERT_TRUE(strip.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 60), &parent, 1001));
    loads.strip = &strip;
    RecordingDeck& d = MakeDeck("Decode=1\r\nPreProcess=1\r\nSampleTime=5\r\n");
    host.settings.decode = true;
    const std::string path = Media("tone440.mp3");
    ASSERT_EQ(1, d.LoadTrack(path.c_str()));
    // The strip's bitmap is two columns wider than the track's 3 x 38.
    EXPECT_EQ(3 * 38 + 2, strip.GetStripWidth());
    EXPECT_EQ(3 * 38, loads.progressUpper);
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(path, bytes));
    ASSERT_EQ(bytes.size(), d.GetMemoryFileSize());
    EXPECT_EQ(0, memcmp(bytes.data(), d.GetMemoryFile(), bytes.size()));
    EXPECT_TRUE(d.HasMemoryDecoder());
    EXPECT_TRUE(loads.Has("SetDeckInfoText(0,File Size: " + std::to_string(bytes.size()) + ")"));
    bool lineCount = false;
    for (const std::string& call : loads.calls)
        if (call.compare(0, 27, "SetDeckInfoText(0,LineCount") == 0) {
            lineCount = true;
            const int columns = atoi(call.c_str() + 29);
            EXPECT_NEAR(3 * 38, columns, 2) << call;
        }
    EXPECT_TRUE(lineCount);
    const Strings ranges = Sent("set_position_range");
    ASSERT_EQ(1u, ranges.size());
    EXPECT_EQ("set_position_range " + std::to_string(strip.GetClientWidth()), ranges[0]);
    // No pre-process while the whole file is decoded.
    EXPECT_EQ(3 * 38, loads.progressUpper);
}

TEST_F(DeckLoadTest, ATrackUnderOneSecondLeavesTheDeckUnloaded)
{
    tavrix_test::TempDir dir;
    // Half a second of a 128 kbit/s MP3 (the file's first 8000 bytes).
    const std::string path = dir.File("blip.mp3");
    std::string whole;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(Media("tone440.mp3"), whole));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, whole.substr(0, 8000)));
    RecordingDeck& d = MakeDeck();
    ASSERT_EQ(1, d.LoadTrack(Media("tone440.mp3").c_str()));
    d.Recorder()->ClearSent();
    loads.calls.clear();
    EXPECT_EQ(-1, d.LoadTrack(path.c_str()));
    EXPECT_FALSE(d.IsLoaded());
    EXPECT_TRUE(d.GetCurrentPath().IsEmpty());
    EXPECT_EQ(0, d.GetTagInfo().Length);
    EXPECT_TRUE(loads.Has("SwitchOffLoopLights(0)"));
    const Strings sent = d.Recorder()->Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ("input_open " + path, sent[0]);
    EXPECT_EQ("input_close", sent.back());
    EXPECT_FALSE(loads.Has("RefreshCuePoints(0)"));
}

TEST_F(DeckLoadTest, ALoadDuringAScanWaitsForIt)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "strip host", WS_POPUP, 0, 0, 400, 100, nullptr, 0));
    CScopeCtrl strip;
    ASSERT_TRUE(strip.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 60), &parent, 1001));
    loads.strip = &strip;
    struct Case
    {
        const char* settings;
        bool decode;
    } cases[] = {{"PreProcess=1\r\nSampleTime=3\r\n", false}, {"Decode=1\r\n", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        RecordingDeck& d = MakeDeck(c.settings);
        host.settings.decode = c.decode;
        loads.calls.clear();
        const std::string first = Media("tempo_loop_128.mp3"), second = Media("tone440.wav");
        int nested = 0;
        const unsigned char* imageDuringScan = nullptr;
        loads.onPump = [&] {
            imageDuringScan = d.GetMemoryFile();
            nested = d.LoadTrack(second.c_str());
            // The running load keeps its buffer.
            EXPECT_EQ(imageDuringScan, d.GetMemoryFile());
        };
        ASSERT_EQ(1, d.LoadTrack(first.c_str()));
        EXPECT_EQ(1, nested);
        EXPECT_FALSE(d.IsLoadRunning());
        const Strings opens = Sent("input_open");
        ASSERT_EQ(2u, opens.size());
        EXPECT_EQ("input_open " + first, opens[0]);
        EXPECT_EQ("input_open " + second, opens[1]);
        EXPECT_STREQ(second.c_str(), d.GetCurrentPath().GetString());
        if (c.decode) {
            // The first track's waveform was finished before the second began.
            int lineCounts = 0;
            for (const std::string& call : loads.calls)
                lineCounts += call.compare(0, 27, "SetDeckInfoText(0,LineCount") == 0;
            EXPECT_EQ(2, lineCounts);
        }
        host.settings.decode = false;
    }
}

TEST_F(DeckLoadTest, AlbumArtJobWakesAfterALoad)
{
    loads.view = true;
    RecordingDeck& d = MakeDeck();
    const std::string path = Media("tone440_tags.mp3");
    ASSERT_EQ(1, d.LoadTrack(path.c_str()));
    EXPECT_TRUE(loads.Has("SetDeckTitle(0," + path + ")"));
    EXPECT_STREQ("Scanner Artist", d.GetTagInfo().Artist.GetString());
}
