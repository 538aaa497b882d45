// The audio jukebox playing a queue of generated WAV files through its own
// player, the DirectSound output module and the null sink: tracks follow
// one another in queue order, the meters move with the sound through the
// visualisation feedback module, and the end of the queue stops the player.
#include <windows.h>

#include <atomic>
#include <mutex>

#include <gtest/gtest.h>

#include "audio/deck/DeckLogic.h"
#include "audio/jukebox/AudioJukeboxPlayer.h"
#include "audio/jukebox/JukeboxQueue.h"
#include "library/api/VIZU.h"
#include "tests/decoder/dkplayer/DsoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

// The window side of the jukebox as far as the player and the queue see it.
class TestJukebox : public AudioJukeboxOwner, public JukeboxQueue::Display
{
public:
    TestJukebox() : queue(&VIZU::GetTagInfo, this)
    {
        window = CreateWindowExA(0, "STATIC", "jukebox", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    ~TestJukebox() override { DestroyWindow(window); }

    HWND FeedbackWindowHandle() const override { return window; }
    void SetVULevels(int left, int right) override // feedback thread
    {
        if (left > peak)
            peak = left;
        if (right > peak)
            peak = right;
    }
    void UpdateTime(int) override {}
    bool PlayNext() override { return queue.PlayNext(); }
    void SetStatusText(const char* text) override { statuses.push_back(text); }
    void SetProgressPosition(int) override {}
    int TrackLength() const override { return queue.Tags().Length; }
    int PreloadSeconds() const override { return preload; }
    void SetTrackLength(int seconds) override { queue.Tags().Length = seconds; }

    void TrackLoaded(const TAG_INFO& tags) override { loaded.push_back(std::string(tags.Path)); }
    void TrackTried(const CString&, const TAG_INFO&) override {}
    void QueueRecordTaken(const CString&) override {}

    HWND window;
    JukeboxQueue queue;
    int preload = 0;
    std::atomic<int> peak{0};
    std::vector<std::string> loaded;
    std::vector<std::string> statuses;
};

std::string MakeTrack(const tavrix_test::TempDir& dir, const char* name, double frequency, double seconds)
{
    const std::vector<int16_t> tone = Tone(frequency, seconds, 16000, 44100, 2);
    const uint32_t data = static_cast<uint32_t>(tone.size() * sizeof(int16_t));
    // A canonical 16-bit stereo 44.1 kHz WAVE file.
    struct Header
    {
        char riff[4]; uint32_t riffSize; char wave[4];
        char fmt[4]; uint32_t fmtSize; uint16_t format, channels; uint32_t rate, byteRate;
        uint16_t align, bits; char dataId[4]; uint32_t dataSize;
    } header = {{'R', 'I', 'F', 'F'}, 36 + data, {'W', 'A', 'V', 'E'}, {'f', 'm', 't', ' '}, 16, 1, 2,
                44100, 44100 * 4, 4, 16, {'d', 'a', 't', 'a'}, data};
    static_assert(sizeof(Header) == 44, "a packed WAVE header");
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes.append(reinterpret_cast<const char*>(tone.data()), data);
    const std::string path = dir.File(name);
    EXPECT_TRUE(tavrix_test::WriteFileBytes(path, bytes));
    return path;
}

} // namespace

TEST(JukeboxSound, QueueProgressesThroughTheNullSink)
{
    if (!HasDirectSound())
        GTEST_SKIP() << "no DirectSound device (no sound server)";
    tavrix_test::TempDir dir;
    const std::string first = MakeTrack(dir, "one.wav", 440, 2.2);
    const std::string second = MakeTrack(dir, "two.wav", 660, 2.2);
    const std::string third = MakeTrack(dir, "three.wav", 880, 2.2);

    TestJukebox jukebox;
    AudioJukeboxPlayer player(GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, player.Player());
    jukebox.queue.SetPlayer(&player);
    player.Setup(&jukebox, jukebox.window, 0, 0, "Jukebox", 0);
    player.SetFeedbackRate(20);
    player.SetVolume(100);
    // A record without a path and a missing file are passed over.
    jukebox.queue.Queue() = {CString(second.c_str()), CString(""), CString(dir.File("missing.wav").c_str()),
                             CString(third.c_str())};
    ASSERT_TRUE(jukebox.queue.LoadFile(first.c_str()));
    EXPECT_EQ(2, jukebox.TrackLength());
    player.Command(CM_PLAY);

    const bool ended = tavrix_test::PumpUntil(
        [&] { return !jukebox.statuses.empty() && jukebox.statuses.back() == "Stopped"; }, 30000);
    ASSERT_TRUE(ended) << "the queue never reached its end";
    EXPECT_EQ((std::vector<std::string>{first, second, third}), jukebox.loaded);
    EXPECT_TRUE(jukebox.queue.Queue().empty());
    EXPECT_TRUE(tavrix_test::PumpUntil([&] { return player.GetState() == DECK_STATE_STOPPED; }, 5000));
    EXPECT_EQ("Playing", jukebox.statuses.front());
    // The meters followed the sound (16000 of 32767 is level 62).
    EXPECT_GE(jukebox.peak.load(), 55);
    EXPECT_LE(jukebox.peak.load(), 63);
}
