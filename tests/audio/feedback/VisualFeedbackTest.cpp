// The visualisation feedback module through its operations table, as the
// feedback server drives it: the module's answers, handler creation from the
// client variables, and the handlers' calls into a recording main window and
// jukebox meters, with real windows for the drawing handlers.
#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "audio/feedback/VisualFeedback.h"
#include "decoder/engine/decoder.h"

namespace {

// The client variables the fake feedback server hands out.
struct Variables
{
    std::map<std::string, int32_t> values;
};

int GetInteger(feedback_server* server, const char* name, int32_t* value)
{
    const Variables* v = reinterpret_cast<const Variables*>(server);
    auto it = v->values.find(name);
    if (it == v->values.end())
        return -900;
    *value = it->second;
    return 0;
}

const feedback_services kServices = {GetInteger, nullptr, nullptr, nullptr, nullptr};

struct RecordingMainWindow : FeedbackMainWindow
{
    HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(0x1234));
    bool playing[4] = {false, false, false, false};
    bool scopeShown[4] = {false, false, false, false};
    bool decode = false;
    std::vector<std::string> calls;

    HWND FeedbackWindowHandle() const override { return window; }
    bool IsDeckPlaying(int deck) const override { return playing[deck]; }
    void SetDeckLevel(int deck, int level) override
    {
        calls.push_back("level " + std::to_string(deck) + " " + std::to_string(level));
    }
    void SetDeckVuLevels(int deck, int left, int right) override
    {
        calls.push_back("vu " + std::to_string(deck) + " " + std::to_string(left) + " " + std::to_string(right));
    }
    bool IsDeckScopeShown(int deck) const override { return scopeShown[deck]; }
    bool DecodesInMemory() const override { return decode; }
    void AppendDeckScopeValue(int deck, int value) override
    {
        calls.push_back("scope " + std::to_string(deck) + " " + std::to_string(value));
    }
    void GetSpectrumColours(uint32_t* bar, uint32_t* peak) const override
    {
        *bar = 0x00ff8000;
        *peak = 0x000000ff;
    }
};

struct RecordingMeters : FeedbackLevelMeters
{
    HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(0x5678));
    std::vector<std::pair<int, int>> levels;
    HWND FeedbackWindowHandle() const override { return window; }
    void SetVULevels(int left, int right) override { levels.push_back({left, right}); }
};

struct StereoBlock
{
    std::vector<int8_t> samples;
    pcm_block pcm = {};
    StereoBlock(int n, int8_t leftPeak, int8_t rightPeak) : samples(static_cast<size_t>(2 * n), 0)
    {
        samples[3] = leftPeak;
        samples[n + 7] = rightPeak;
        pcm.sample_rate = 44100;
        pcm.channels = 2;
        pcm.samples_per_channel = static_cast<uint16_t>(n);
        pcm.samples = samples.data();
    }
};

class VisualFeedback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, sample_feedback_module_register(&ops));
        mainKey = FeedbackHandleValue(main.window);
        FeedbackRegisterMainWindow(mainKey, &main);
        FeedbackRegisterLevelMeters(FeedbackHandleValue(meters.window), &meters);
    }
    void TearDown() override
    {
        for (void* h : handlers)
            ops.delete_instance(h);
        FeedbackRegisterMainWindow(mainKey, nullptr);
        FeedbackRegisterLevelMeters(FeedbackHandleValue(meters.window), nullptr);
        for (HWND w : windows)
            DestroyWindow(w);
    }
    void* New(const char* name, int expected = 0)
    {
        void* instance = reinterpret_cast<void*>(1);
        EXPECT_EQ(expected, ops.new_instance(&instance, name, nullptr,
                                             reinterpret_cast<feedback_server*>(&vars), &kServices))
            << name;
        if (instance)
            handlers.push_back(instance);
        return instance;
    }
    HWND MakeWindow(int width, int height)
    {
        HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        windows.push_back(w);
        return w;
    }

    feedback_handler_module_ops ops = {};
    RecordingMainWindow main;
    RecordingMeters meters;
    int32_t mainKey = 0;
    Variables vars;
    std::vector<void*> handlers;
    std::vector<HWND> windows;
};

} // namespace

TEST_F(VisualFeedback, ModuleAnswersItsNamesAndHandlers)
{
    EXPECT_EQ(0x30801u, ops.version);
    struct Probe { const char* name; int result; } probes[] = {
        {"sample-spectrum", 0}, {"sample-spectrumX", 0}, {"sample-vu", 0}, {"sample-vub", 0},
        {"sample-oscilloscope", 0}, {"sample-osc", -1}, {"sample-v", -1}, {"vu", -1}, {"", -1}};
    for (const Probe& p : probes)
        EXPECT_EQ(p.result, ops.probe(p.name)) << p.name;
    module_info info = {};
    ASSERT_EQ(0, ops.query(&info, MODULE_QUERY_NAME));
    EXPECT_STREQ("Sample Feedback Module", info.name);
    EXPECT_STREQ("Version 1.0", info.description);
    info = {};
    ASSERT_EQ(0, ops.query(&info, MODULE_QUERY_DEVICE_COUNT));
    EXPECT_EQ(1, info.index);
    const char* names[] = {"sample-spectrum", "sample-spectrum2", "sample-spectruma", "sample-spectrumb",
                           "sample-vu", "sample-vua", "sample-vub", "sample-oscilloscope"};
    for (int i = 0; i < 8; ++i) {
        info = {};
        info.index = i;
        ASSERT_EQ(0, ops.query(&info, MODULE_QUERY_DEVICE));
        EXPECT_STREQ(names[i], info.name);
        EXPECT_STREQ("sample feedback handler", info.description);
    }
    info.index = 8;
    EXPECT_EQ(-102, ops.query(&info, MODULE_QUERY_DEVICE));
    EXPECT_EQ(0, ops.start(nullptr));
    EXPECT_EQ(0, ops.stop(nullptr));
    EXPECT_EQ(0, ops.delete_instance(nullptr));
}

TEST_F(VisualFeedback, NewNeedsTheFeedbackWindowAndAKnownName)
{
    EXPECT_EQ(nullptr, New("sample-vua", -900));
    vars.values["CLIENT.FEEDBACK-WINDOW"] = mainKey;
    EXPECT_EQ(nullptr, New("sample-vux", -1));
    EXPECT_EQ(nullptr, New("sample-spectrum3", -1));
    EXPECT_NE(nullptr, New("sample-vua"));
    EXPECT_NE(nullptr, New("sample-spectrum"));
}

TEST_F(VisualFeedback, DeckMetersAndScopeOnlyWhileTheDeckPlays)
{
    vars.values["CLIENT.FEEDBACK-WINDOW"] = mainKey;
    void* vua = New("sample-vua");
    ASSERT_NE(nullptr, vua);
    StereoBlock block(512, 90, 120);
    // Paused deck A: the meters are left alone.
    ops.event(vua, &block.pcm);
    EXPECT_TRUE(main.calls.empty());
    main.playing[0] = true;
    ops.event(vua, &block.pcm);
    EXPECT_EQ((std::vector<std::string>{"level 0 95", "vu 0 90 100"}), main.calls);
    // With the scope shown a scope value follows (at least 1 for deck A).
    main.calls.clear();
    main.scopeShown[0] = true;
    ops.event(vua, &block.pcm);
    ASSERT_EQ(3u, main.calls.size());
    EXPECT_EQ("scope 0 ", main.calls[2].substr(0, 8));
    EXPECT_GE(std::stoi(main.calls[2].substr(8)), 1);
    // In-memory decoding: no scope value.
    main.calls.clear();
    main.decode = true;
    ops.event(vua, &block.pcm);
    EXPECT_EQ(2u, main.calls.size());
    // An empty block: meters at 0, no scope value.
    main.calls.clear();
    main.decode = false;
    pcm_block empty = {};
    empty.channels = 2;
    ops.event(vua, &empty);
    EXPECT_EQ((std::vector<std::string>{"level 0 0", "vu 0 0 0"}), main.calls);
    // A main window without its window gets nothing.
    main.calls.clear();
    main.window = nullptr;
    ops.event(vua, &block.pcm);
    EXPECT_TRUE(main.calls.empty());
}

TEST_F(VisualFeedback, SampleVuTakesItsDeckFromThePlayerVariable)
{
    vars.values["CLIENT.FEEDBACK-WINDOW"] = mainKey;
    vars.values["CLIENT.PLAYER"] = 2;
    void* vu = New("sample-vu");
    void* vub = New("sample-vub");
    main.playing[1] = main.playing[2] = true;
    StereoBlock block(256, 40, 20);
    ops.event(vu, &block.pcm);
    ops.event(vub, &block.pcm);
    EXPECT_EQ((std::vector<std::string>{"level 2 30", "vu 2 40 20", "level 1 30", "vu 1 40 20"}), main.calls);
    // Out of range: no deck.
    vars.values["CLIENT.PLAYER"] = 7;
    main.calls.clear();
    ops.event(New("sample-vu"), &block.pcm);
    EXPECT_TRUE(main.calls.empty());
}

TEST_F(VisualFeedback, JukeboxMetersGetTheBlockLevels)
{
    vars.values["CLIENT.FEEDBACK-WINDOW"] = FeedbackHandleValue(meters.window);
    void* jb = New("sample-spectrum");
    StereoBlock block(512, 127, 33);
    ops.event(jb, &block.pcm);
    meters.window = nullptr; // the window is gone: no update
    ops.event(jb, &block.pcm);
    ASSERT_EQ(1u, meters.levels.size());
    EXPECT_EQ(100, meters.levels[0].first);
    EXPECT_EQ(33, meters.levels[0].second);
    // Unregistered: nothing is called.
    meters.window = reinterpret_cast<HWND>(static_cast<intptr_t>(0x5678));
    FeedbackRegisterLevelMeters(FeedbackHandleValue(meters.window), nullptr);
    ops.event(jb, &block.pcm);
    EXPECT_EQ(1u, meters.levels.size());
}

TEST_F(VisualFeedback, SpectrumViewsDrawAndTheDeckViewsMoveTheirMeters)
{
    HWND view = MakeWindow(130, 40);
    ASSERT_NE(nullptr, view);
    vars.values["CLIENT.FEEDBACK-WINDOW"] = FeedbackHandleValue(view);
    vars.values["CLIENT.FEEDBACK-WIDTH"] = 130;
    vars.values["CLIENT.FEEDBACK-HEIGHT"] = 40;
    vars.values["CLIENT.MAINWINDOW"] = mainKey;
    main.playing[0] = main.playing[1] = true;
    void* a = New("sample-spectruma");
    void* b = New("sample-spectrumb");
    void* dared = New("sample-spectrum2");
    void* osc = New("sample-oscilloscope");
    ASSERT_TRUE(a && b && dared && osc);
    StereoBlock block(512, 80, 60);
    for (void* h : {a, b, dared, osc})
        EXPECT_EQ(0, ops.event(h, &block.pcm));
    // The dAredero view moves no deck meters.
    EXPECT_EQ((std::vector<std::string>{"level 0 70", "vu 0 80 60", "level 1 70", "vu 1 80 60"}), main.calls);
    // A view whose window went away draws nowhere and does not fail.
    void* gone = New("sample-spectrum2");
    DestroyWindow(view);
    windows.clear();
    EXPECT_EQ(0, ops.event(gone, &block.pcm));
}
