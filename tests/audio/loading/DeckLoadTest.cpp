// Loading tracks into a deck whose player writes down its commands, with
// the library's own tag reader, real MP3 and WAV files, a real waveform
// strip, and a main window that writes down what the load asks of it.
// (winsock2.h before windows.h)
#include "tests/foundation/download/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/loading/DeckLoadHost.h"
#include "audio/deck/DeckLogic.h"
#include "audio/worker/DeckWorker.h"
#include "decoder/engine/decoder.h"
#include "decoder/player/control_messages.h"
#include "tests/decoder/dkplayer/DsoundTestSupport.h"
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
    // Dispatch the thread's messages in ProcessMessages, as the library's
    // pump does (a real player's notifications arrive that way).
    bool dispatch = false;
    // The URL prompt: shown how often, its answer and whether OK was chosen.
    int urlPrompts = 0;
    bool urlOk = true;
    std::string url;
    // The tag reader fails; or runs a step after reading.
    bool failTags = false;
    std::function<void(const CString&)> afterTags;

    bool HasAlbumArtView(int) override { return view; }
    bool SetDeckTitle(int deck, const CString& path) override { return Add("SetDeckTitle", deck, path.GetString()), false; }
    void AddToHistory(const TAG_INFO& replaced) override { Add("AddToHistory", 0, replaced.Path.GetString()); }
    int IncrementPlayCounter(const CString& path, bool inLibrary) override
    {
        Add("IncrementPlayCounter", inLibrary ? 1 : 0, path.GetString());
        return 0;
    }
    bool GetTagInfo(const CString& path, TAG_INFO* tags) override
    {
        if (failTags)
            return false;
        const bool read = VIZU::GetTagInfo(path, tags);
        if (afterTags)
            afterTags(path);
        return read;
    }
    bool AskInternetUrl(CString* answer) override
    {
        ++urlPrompts;
        *answer = url.c_str();
        return urlOk;
    }
    void ProcessMessages() override
    {
        ++pumps;
        MSG msg;
        while (dispatch && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
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

// A load whose open never reaches the player (its queue refused the post)
// is a failed load: the deck is left unloaded, not showing a track that
// would play nothing.
TEST_F(DeckLoadTest, AnOpenThatDoesNotReachThePlayerFailsTheLoad)
{
    RecordingDeck& d = MakeDeck();
    ASSERT_EQ(1, d.LoadTrack(Media("tone440.mp3").c_str()));
    d.Recorder()->FailCommand(CM_INPUT_OPEN);
    EXPECT_EQ(-1, d.LoadTrack(Media("tone440.wav").c_str()));
    EXPECT_FALSE(d.IsLoaded());
    EXPECT_TRUE(d.GetCurrentPath().IsEmpty());
    EXPECT_EQ(0, d.GetTagInfo().Length);
    EXPECT_EQ("input_close", d.Recorder()->Sent().back());
    // Once the player takes the open again, the deck loads.
    d.Recorder()->FailCommand(0);
    EXPECT_EQ(1, d.LoadTrack(Media("tone440.mp3").c_str()));
    EXPECT_TRUE(d.IsLoaded());
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

// --- player mode 1: the direct-mode decoder ------------------------------------------

namespace {

// One block decoded from the deck's direct-mode decoder: its format.
struct Block
{
    int status = -1;
    int rate = 0;
    int channels = 0;
    int samples = 0;
};

Block DecodeOne(decoder* dec)
{
    Block b;
    if (!dec)
        return b;
    b.status = decoder_decode(dec, nullptr);
    if (b.status >= 0) {
        b.rate = dec->pcm->sample_rate;
        b.channels = dec->pcm->channels;
        b.samples = dec->pcm->sample_count;
    }
    return b;
}

} // namespace

TEST_F(DeckLoadTest, DirectLoadOpensGeneratedFilesOnTheDirectDecoder)
{
    struct Case
    {
        const char* name;
        int rate, channels;
    } cases[] = {{"tone440.mp3", 44100, 2}, {"tone440.wav", 44100, 2}, {"l3_m1_mono_48k.mp3", 48000, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDeck& d = MakeDeck("UpdatePlayCounter=1\r\n");
        loads.calls.clear();
        const std::string path = Media(c.name);
        ASSERT_TRUE(d.LoadTrackDirect(path.c_str()));
        ASSERT_NE(nullptr, d.GetDirectDecoder());
        const Block block = DecodeOne(d.GetDirectDecoder());
        EXPECT_GE(block.status, 0);
        EXPECT_EQ(c.rate, block.rate);
        EXPECT_EQ(c.channels, block.channels);
        EXPECT_GT(block.samples, 0);
        EXPECT_TRUE(d.IsLoaded());
        EXPECT_STREQ(path.c_str(), d.GetCurrentPath().GetString());
        const int length = d.GetTagInfo().Length;
        EXPECT_EQ(3, length);
        // The player is not asked to open anything.
        EXPECT_TRUE(Sent("input_open").empty());
        EXPECT_EQ(length, d.GetPlayer()->GetSeekRange());
        EXPECT_TRUE(loads.Has("ApplyDeckVolume(0)"));
        EXPECT_TRUE(loads.Has("SetDeckPositionRange(0,3)"));
        EXPECT_TRUE(loads.Has("RefreshCuePoints(0)"));
        bool display = false, bar = false;
        for (const std::string& call : host.calls) {
            display = display || call == "UpdateDeckDisplay(0)";
            bar = bar || call == "InitDeckPositionBar(0,3)";
        }
        EXPECT_TRUE(display);
        EXPECT_TRUE(bar);
        // A play of an MP3 file is counted at once, in the library too.
        const bool mp3 = std::string(c.name).find(".mp3") != std::string::npos;
        EXPECT_EQ(mp3, loads.Has("IncrementPlayCounter(1," + path + ")"));
        EXPECT_TRUE(notices.shown.empty());
    }
}

TEST_F(DeckLoadTest, DirectLoadPutsTheReplacedTrackInTheHistoryUnlessTheDeckKeepsNone)
{
    for (bool noHistory : {false, true}) {
        SCOPED_TRACE(noHistory);
        EXPECT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"),
                                              std::string("[MAIN]\r\n[DECKB]\r\nNoHistory=") + (noHistory ? "1" : "0") +
                                                  "\r\n"));
        deck = std::make_unique<RecordingDeck>(&host);
        host.decks[1] = deck.get();
        ASSERT_TRUE(deck->Init(host.DeckWindow(), 1));
        deck->SetLoadHost(&loads);
        loads.calls.clear();
        const std::string first = Media("tone440.mp3"), second = Media("tone440.wav");
        ASSERT_TRUE(deck->LoadTrackDirect(first.c_str()));
        EXPECT_FALSE(loads.Has("AddToHistory(0," + first + ")"));
        ASSERT_TRUE(deck->LoadTrackDirect(second.c_str()));
        // Synchronously, on the window's thread.
        EXPECT_EQ(!noHistory, loads.Has("AddToHistory(0," + first + ")"));
        EXPECT_STREQ(second.c_str(), deck->GetCurrentPath().GetString());
        EXPECT_TRUE(loads.Has("RefreshCuePoints(1)"));
        EXPECT_TRUE(loads.Has("SetDeckPositionRange(1,3)"));
        deck.reset();
        host.decks[1] = nullptr;
    }
}

TEST_F(DeckLoadTest, DirectLoadFailures)
{
    tavrix_test::TempDir dir;
    const std::string good = Media("tone440.mp3");
    // Empty and missing paths: true, nothing done (the missing file is told).
    {
        RecordingDeck& d = MakeDeck();
        EXPECT_TRUE(d.LoadTrackDirect(""));
        EXPECT_TRUE(notices.shown.empty());
        const std::string missing = dir.File("gone.mp3");
        EXPECT_TRUE(d.LoadTrackDirect(missing.c_str()));
        ASSERT_EQ(1u, notices.shown.size());
        EXPECT_EQ("Unable to load file:\n\n" + missing + "\n\nCheck to see if the file was moved or deleted",
                  notices.shown[0]);
        EXPECT_FALSE(d.IsLoaded());
        EXPECT_EQ(nullptr, d.GetDirectDecoder());
    }
    // Tags that cannot be read: nothing is opened, the deck keeps its track
    // and no play is counted.
    {
        RecordingDeck& d = MakeDeck("UpdatePlayCounter=1\r\n");
        ASSERT_TRUE(d.LoadTrackDirect(good.c_str()));
        decoder* before = d.GetDirectDecoder();
        loads.calls.clear();
        loads.failTags = true;
        const std::string other = Media("tone440_tags.mp3");
        EXPECT_TRUE(d.LoadTrackDirect(other.c_str()));
        loads.failTags = false;
        EXPECT_EQ(before, d.GetDirectDecoder());
        EXPECT_STREQ(good.c_str(), d.GetCurrentPath().GetString());
        EXPECT_FALSE(loads.Has("IncrementPlayCounter(1," + other + ")"));
    }
    // The decoder refuses the file (it went between the tag read and the
    // open): false, and the deck is left unloaded.
    {
        RecordingDeck& d = MakeDeck();
        ASSERT_TRUE(d.LoadTrackDirect(good.c_str()));
        const std::string vanishing = dir.File("vanishing.mp3");
        ASSERT_TRUE(tavrix_test::CopyFileTo(good, vanishing));
        loads.afterTags = [](const CString& path) { ::DeleteFileA(path); };
        EXPECT_FALSE(d.LoadTrackDirect(vanishing.c_str()));
        loads.afterTags = nullptr;
        EXPECT_EQ(nullptr, d.GetDirectDecoder());
        EXPECT_FALSE(d.IsLoaded());
        EXPECT_TRUE(d.GetCurrentPath().IsEmpty());
    }
}

TEST_F(DeckLoadTest, PlayerModeOneLoadsThroughTheDirectDecoder)
{
    RecordingDeck& d = MakeDeck("AudioDeckPlayerMode=1\r\n");
    host.settings.playerMode = 1;
    const std::string first = Media("tone440.mp3"), second = Media("tone440.wav");
    ASSERT_EQ(1, d.LoadTrack(first.c_str()));
    ASSERT_NE(nullptr, d.GetDirectDecoder());
    EXPECT_TRUE(Sent("input_open").empty());
    EXPECT_EQ(3, d.GetPlayer()->GetSeekRange());
    ASSERT_EQ(1, d.LoadTrack(second.c_str()));
    EXPECT_EQ(44100, DecodeOne(d.GetDirectDecoder()).rate);
    // The replaced track reaches the history once, through the worker.
    ASSERT_TRUE(tavrix_test::PumpUntil([&] { return d.GetWorker()->Idle(); }, 5000));
    tavrix_test::PumpUntil([] { return false; }, 50);
    int entries = 0;
    for (const std::string& call : loads.calls)
        entries += call == "AddToHistory(0," + first + ")";
    EXPECT_EQ(1, entries);
    // A file the direct decoder refuses is a failed load.
    tavrix_test::TempDir dir;
    const std::string vanishing = dir.File("vanishing.wav");
    ASSERT_TRUE(tavrix_test::CopyFileTo(second, vanishing));
    loads.afterTags = [](const CString& path) { ::DeleteFileA(path); };
    EXPECT_EQ(-1, d.LoadTrack(vanishing.c_str()));
    loads.afterTags = nullptr;
    EXPECT_FALSE(d.IsLoaded());
    EXPECT_EQ(nullptr, d.GetDirectDecoder());
    host.settings.playerMode = 0;
}

// --- an Internet stream through the player's network input -------------------------

class DeckUrlTest : public DeckLoadTest
{
protected:
    void SetUp() override
    {
        DeckLoadTest::SetUp();
        ASSERT_TRUE(server.Started());
        ASSERT_TRUE(tavrix_test::ReadFileBytes(Media("tone440.mp3"), mp3));
        loads.dispatch = true;
    }
    void TearDown() override
    {
        real.reset();
        host.decks[0] = nullptr;
        DeckLoadTest::TearDown();
    }
    // Deck A with a real player, ready.
    Deck& MakeRealDeck()
    {
        EXPECT_TRUE(tavrix_test::WriteIniFile(m_dir.File("TavrixVJ.INI"), "[MAIN]\r\n"));
        real = std::make_unique<Deck>(&host);
        host.decks[0] = real.get();
        EXPECT_TRUE(real->Init(host.DeckWindow(), 0));
        EXPECT_TRUE(tavrix_test::PumpUntil([&] { return real->GetPlayer()->IsReady(); }, 10000));
        real->SetLoadHost(&loads);
        host.calls.clear();
        return *real;
    }
    bool Displayed() const
    {
        for (const std::string& call : host.calls)
            if (call == "UpdateDeckDisplay(0)")
                return true;
        return false;
    }

    LocalHttpServer server;
    std::string mp3;
    std::unique_ptr<Deck> real;
};

TEST_F(DeckUrlTest, OpensAStreamAndNamesItAfterTheAddress)
{
    server.SetReply("/radio/live.mp3", LocalHttpServer::Ok(mp3));
    server.SetReply("/stream/", LocalHttpServer::Ok(mp3));
    struct Case
    {
        const char* path;
        const char* title;
    } cases[] = {{"/radio/live.mp3", "live.mp3"}, {"/stream/", ""}};
    Deck& d = MakeRealDeck();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        host.calls.clear();
        loads.url = server.Url(c.path);
        ASSERT_TRUE(d.OpenInternetUrl());
        EXPECT_TRUE(d.GetPlayer()->GetInputOpen());
        const TAG_INFO& tags = d.GetTagInfo();
        EXPECT_STREQ(c.title, tags.Title.GetString());
        EXPECT_STREQ("Loaded via Internet URL", tags.Artist.GetString());
        EXPECT_TRUE(tags.Album.IsEmpty());
        EXPECT_STREQ("000.00", tags.BPMText.GetString());
        EXPECT_EQ(0, tags.Bitrate);
        EXPECT_STREQ(loads.url.c_str(), d.GetCurrentPath().GetString());
        EXPECT_TRUE(Displayed());
        EXPECT_TRUE(notices.shown.empty());
    }
    const Strings asked = server.Requests();
    ASSERT_GE(asked.size(), 2u);
    EXPECT_EQ("/radio/live.mp3", asked[0]);
    EXPECT_EQ("/stream/", asked[1]);
    // The stream plays to its end through the deck's output.
    if (!HasDirectSound())
        return;
    host.calls.clear();
    d.Play();
    EXPECT_TRUE(tavrix_test::PumpUntil([&] { return d.GetState() == DECK_STATE_PLAYING; }, 10000));
    EXPECT_TRUE(tavrix_test::PumpUntil(
        [&] {
            for (const std::string& call : host.calls)
                if (call == "RunDeckStopCommand(0)")
                    return true;
            return false;
        },
        20000))
        << "the stream never ended";
}

TEST_F(DeckUrlTest, AnAddressThatDoesNotOpenIsToldAndChangesNothing)
{
    server.SetReply("/good.mp3", LocalHttpServer::Ok(mp3));
    server.SetReply("/missing.mp3", LocalHttpServer::Status(404, "not here"));
    const unsigned short closed = ClosedLoopbackPort();
    ASSERT_NE(0, closed);
    const std::string refused = "http://127.0.0.1:" + std::to_string(closed) + "/x.mp3";
    const std::string cases[] = {server.Url("/missing.mp3"), refused, "gopher://127.0.0.1/x.mp3"};
    Deck& d = MakeRealDeck();
    for (const std::string& url : cases) {
        SCOPED_TRACE(url);
        // The player's flag says open from the stream before: the outcome is
        // the answer to this address, not the flag as it stood.
        loads.url = server.Url("/good.mp3");
        ASSERT_TRUE(d.OpenInternetUrl());
        ASSERT_TRUE(d.GetPlayer()->GetInputOpen());
        host.calls.clear();
        notices.shown.clear();
        loads.url = url;
        EXPECT_FALSE(d.OpenInternetUrl());
        ASSERT_EQ(1u, notices.shown.size());
        EXPECT_EQ("Unable to open Internet URL", notices.shown[0]);
        EXPECT_FALSE(d.GetPlayer()->GetInputOpen());
        EXPECT_STREQ("good.mp3", d.GetTagInfo().Title.GetString());
        EXPECT_FALSE(Displayed());
    }
}

TEST_F(DeckLoadTest, AnUnansweredUrlPromptOpensNothing)
{
    struct Case
    {
        bool ok;
        const char* answer;
    } cases[] = {{false, "http://127.0.0.1/x.mp3"}, {true, ""}};
    for (const Case& c : cases) {
        RecordingDeck& d = MakeDeck();
        loads.urlPrompts = 0;
        loads.urlOk = c.ok;
        loads.url = c.answer;
        EXPECT_FALSE(d.OpenInternetUrl());
        EXPECT_EQ(1, loads.urlPrompts);
        EXPECT_TRUE(d.Recorder()->Sent().empty());
        EXPECT_TRUE(notices.shown.empty());
    }
    loads.urlOk = true;
}

TEST_F(DeckUrlTest, ALoadAskedForWhileTheAddressOpensRunsAfterIt)
{
    // The reply's head comes slowly: the window's messages are pumped meanwhile.
    const LocalHttpServer::Reply slowHead = {{"HTTP/1.0 200 OK\r\n", 0},
                                              {"Content-Type: audio/mpeg\r\n", 300},
                                              {"Content-Length: " + std::to_string(mp3.size()) + "\r\n\r\n", 300},
                                              {mp3, 0}};
    server.SetReply("/slow.mp3", slowHead);
    Deck& d = MakeRealDeck();
    const std::string file = Media("tone440.wav");
    int nested = 0;
    loads.onPump = [&] {
        // A URL while this one opens is refused without a prompt.
        const int prompts = loads.urlPrompts;
        EXPECT_FALSE(d.OpenInternetUrl());
        EXPECT_EQ(prompts, loads.urlPrompts);
        nested = d.LoadTrack(file.c_str());
    };
    loads.url = server.Url("/slow.mp3");
    EXPECT_TRUE(d.OpenInternetUrl());
    EXPECT_EQ(1, nested);
    // The file's load ran when the address had opened.
    EXPECT_STREQ(file.c_str(), d.GetCurrentPath().GetString());
    EXPECT_EQ(3, d.GetTagInfo().Length);
}
