// The sampler's, the audio jukebox's and the dAredero's players against
// recording owners: their set-up, devices, volume, state mapping, time
// codes, the jukebox's feedback and queue chaining, the dAredero's track
// list, and the jukebox queue's loading rules.
#include <windows.h>

#include <gtest/gtest.h>

#include "PlayerRecorders.h"
#include "audio/deck/DeckLogic.h"
#include "audio/jukebox/JukeboxQueue.h"
#include "audio/players/PlayerLogic.h"
#include "framework/ui/CComboBox.h"

using Strings = std::vector<std::string>;

namespace {

std::string HandleText(HWND window) { return std::to_string(FeedbackHandleValue(window)); }

struct Window
{
    HWND hwnd;
    explicit Window(const char* cls = "STATIC", DWORD style = WS_POPUP)
        : hwnd(CreateWindowExA(0, cls, "", style, 0, 0, 200, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                               nullptr)) {}
    ~Window() { DestroyWindow(hwnd); }
};

} // namespace

TEST(Players, SetupSelectsTheDeviceAndAddsDirectSound)
{
    struct Case { int device; const char* name; } cases[] = {
        {0, "/dev/dsound/0"}, {1, "/dev/dsound/1"}, {6, "/dev/dsound/6"}, {7, "/dev/dsound/0"}, {-1, "/dev/dsound/0"}};
    for (const Case& c : cases) {
        Recording<SoundEffectsPlayer> player;
        SamplerOwner owner;
        Window w;
        EXPECT_EQ(0, player.Setup(&owner, w.hwnd, c.device, 0, "Effects", 0));
        EXPECT_EQ((Strings{std::string("set_output_name ") + c.name, "output_modules_list", "get_output_name",
                           "output_module_add dk_dsound_output.dll"}),
                  player.sent);
        EXPECT_EQ(DECK_STATE_SETUP, player.GetState());
        EXPECT_EQ(c.device, player.GetDeviceIndex());
        EXPECT_STREQ("Effects", player.GetPlayerName());
    }
}

TEST(Players, DevicesVolumeAndTheDeviceBox)
{
    Recording<AudioJukeboxPlayer> player;
    JukeboxOwner owner;
    player.Setup(&owner, nullptr, 9, 0, "Jukebox", 0);
    player.sent.clear();
    player.Notify(CM_OUTPUT_DEVICE_INFO, 3, 0, 0, "/dev/wave/0", "Primary Sound Driver");
    player.Notify(CM_OUTPUT_DEVICE_INFO, 3, 9, 0, "/dev/dsound/9", "Null Output");
    player.Notify(CM_OUTPUT_DEVICE_INFO, 2, 0, 0, "file.raw", "a file");
    ASSERT_EQ(3u, player.Devices().size());
    EXPECT_STREQ("/dev/dsound/0", player.Devices()[0].name);
    EXPECT_STREQ("file.raw", player.Devices()[2].name); // stored, not offered
    player.SetVolume(40);
    player.SetOutputDevice(12);
    EXPECT_EQ((Strings{"set_output_levels 255 40 255", "set_output_name /dev/dsound/12"}), player.sent);

    Window box("COMBOBOX", WS_POPUP | CBS_DROPDOWNLIST);
    CComboBox combo;
    combo.Attach(box.hwnd);
    // Device 9 sits in the second row: the box selects it by its number.
    EXPECT_EQ(2, player.FillDeviceCombo(&combo));
    ASSERT_EQ(2, combo.GetCount());
    EXPECT_EQ(1, combo.GetCurSel());
    char text[64];
    combo.GetLBText(1, text);
    EXPECT_STREQ("9 : Null Output", text);
    EXPECT_EQ(9u, combo.GetItemData(1));
    EXPECT_EQ(1, OutputDevicePlayer::FindDeviceRow(&combo, 9));
    EXPECT_EQ(-1, OutputDevicePlayer::FindDeviceRow(&combo, 4));
    player.SetDeviceIndex(0);
    player.FillDeviceCombo(&combo);
    EXPECT_EQ(0, combo.GetCurSel());
    combo.Detach();
}

TEST(Players, SamplerStatesAndLooping)
{
    struct Case { bool looping; int engine; Strings sent; int state; Strings calls; } cases[] = {
        {false, PLAYER_STOPPED, {}, DECK_STATE_STOPPED, {"time 0"}},
        // Looping on: Stop starts the effect again.
        {true, PLAYER_STOPPED, {"output_drain", "play"}, DECK_STATE_STOPPED, {"time 0"}},
        {false, PLAYER_PLAYING, {}, DECK_STATE_PLAYING, {"time 75"}},
        {false, PLAYER_PAUSED, {}, DECK_STATE_PAUSED, {"time 75"}},
        {false, PLAYER_END_OF_STREAM, {"output_drain", "stop"}, DECK_STATE_END_OF_STREAM, {"time 0"}},
        {true, PLAYER_END_OF_STREAM, {"output_drain", "play", "output_drain", "stop"}, DECK_STATE_END_OF_STREAM,
         {"time 0"}},
    };
    for (const Case& c : cases) {
        Recording<SoundEffectsPlayer> player;
        SamplerOwner owner;
        owner.looping = c.looping;
        player.Setup(&owner, nullptr, 0, 0, "Effects", 0);
        player.Notify(CM_TIMECODE, 0, 1, 15, 50);
        owner.Take();
        player.sent.clear();
        player.Notify(CM_PLAYER_STATE, c.engine);
        EXPECT_EQ(c.sent, player.sent) << c.engine << " " << c.looping;
        EXPECT_EQ(c.state, player.GetState());
        EXPECT_EQ(c.calls, owner.calls) << c.engine;
    }
}

TEST(Players, PositionsCountHours)
{
    Recording<SoundEffectsPlayer> player;
    SamplerOwner owner;
    player.Setup(&owner, nullptr, 0, 0, "Effects", 0);
    owner.Take();
    player.Notify(CM_TIMECODE, 1, 2, 3, 99);
    player.Notify(CM_STREAM_DURATION, 4000);
    EXPECT_EQ((Strings{"time 3723", "length 4000"}), owner.calls);
    EXPECT_EQ(3723, player.GetPosition());
    EXPECT_EQ(3723, PlayerPosition(1, 2, 3));
}

TEST(Players, JukeboxStartsItsMeterFeedbackWhenReady)
{
    Recording<AudioJukeboxPlayer> player;
    JukeboxOwner owner;
    Window w;
    owner.window = w.hwnd;
    player.Setup(&owner, w.hwnd, 2, 0, "Jukebox", 0);
    player.SetFeedbackRate(25);
    player.sent.clear();
    player.Notify(CM_READY);
    EXPECT_EQ((Strings{"set_pcm_feedback_rate 25", "feedback_env_set_integer CLIENT.FEEDBACK-WINDOW " + HandleText(w.hwnd),
                       std::string("feedback_module_add ") + static_cast<const char*>(FeedbackModuleName()),
                       "feedback_select_name sample-spectrum", "feedback_start",
                       "env_set_integer OUTPUT.DIRECTSOUND.WINDOW " + HandleText(w.hwnd)}),
              player.sent);
}

TEST(Players, JukeboxStatesChainTheQueue)
{
    struct Case { int engine; bool next; Strings sent; int state; Strings calls; } cases[] = {
        {PLAYER_STOPPED, false, {}, DECK_STATE_STOPPED, {"progress 0", "time 0", "status Stopped", "vu 0 0"}},
        {PLAYER_PLAYING, false, {}, DECK_STATE_PLAYING, {"time 42", "status Playing"}},
        {PLAYER_PAUSED, false, {}, DECK_STATE_PAUSED, {"time 42", "status Paused"}},
        {PLAYER_END_OF_STREAM, true, {"play"}, DECK_STATE_END_OF_STREAM,
         {"progress 0", "vu 0 0", "next", "status Playing", "time 0"}},
        {PLAYER_END_OF_STREAM, false, {"output_drain", "stop"}, DECK_STATE_END_OF_STREAM,
         {"progress 0", "vu 0 0", "next", "status Stopped", "time 0"}},
    };
    for (const Case& c : cases) {
        Recording<AudioJukeboxPlayer> player;
        JukeboxOwner owner;
        owner.next = c.next;
        owner.length = 500;
        player.Setup(&owner, nullptr, 0, 0, "Jukebox", 0);
        player.Notify(CM_TIMECODE, 0, 0, 42, 0);
        owner.Take();
        player.sent.clear();
        player.Notify(CM_PLAYER_STATE, c.engine);
        EXPECT_EQ(c.sent, player.sent) << c.engine;
        EXPECT_EQ(c.state, player.GetState());
        EXPECT_EQ(c.calls, owner.calls) << c.engine;
    }
}

TEST(Players, JukeboxPreloadsAtTheLengthLessThePreloadSeconds)
{
    struct Case { int h, m, s; int length; int preload; bool next; } cases[] = {
        {0, 3, 14, 200, 5, false}, {0, 3, 15, 200, 5, true}, {0, 3, 20, 200, 0, true}, {0, 3, 19, 200, 0, false},
        // Over an hour: the position counts the hour, so the preload point
        // is reached and nothing starts early.
        {1, 0, 0, 4000, 5, false}, {1, 6, 35, 4000, 5, true}, {0, 6, 35, 4000, 5, false},
    };
    for (const Case& c : cases) {
        Recording<AudioJukeboxPlayer> player;
        JukeboxOwner owner;
        owner.length = c.length;
        owner.preload = c.preload;
        player.Setup(&owner, nullptr, 0, 0, "Jukebox", 0);
        owner.Take();
        player.Notify(CM_TIMECODE, c.h, c.m, c.s, 0);
        const int position = c.h * 3600 + c.m * 60 + c.s;
        Strings expected = {"time " + std::to_string(position)};
        if (c.next)
            expected.push_back("next");
        EXPECT_EQ(expected, owner.calls) << position;
        EXPECT_EQ(c.next, JukeboxReachedPreload(position, c.length, c.preload));
    }
}

namespace {

// Tag reading for the queue and the dAredero: files named "bad" have none.
bool FakeTags(CString path, TAG_INFO* tags)
{
    if (path.Find("bad") >= 0)
        return false;
    tags->Path = path;
    tags->Title = "T " + path;
    tags->Length = path.GetLength() * 10;
    return true;
}

struct QueueDisplay : JukeboxQueue::Display, CallLog
{
    void TrackLoaded(const TAG_INFO& tags) override { Add("loaded " + std::string(tags.Title)); }
    void TrackTried(const CString& path, const TAG_INFO&) override { Add("tried " + std::string(path)); }
    void QueueRecordTaken(const CString& path) override { Add("taken " + std::string(path)); }
};

} // namespace

TEST(Players, JukeboxQueueSkipsRecordsThatCannotPlay)
{
    Recording<AudioJukeboxPlayer> player;
    QueueDisplay display;
    JukeboxQueue queue(FakeTags, &display);
    queue.SetPlayer(&player);
    EXPECT_FALSE(queue.PlayNext()); // empty queue
    EXPECT_FALSE(queue.LoadFile(""));
    queue.Queue() = {"", "bad.mp3", "a.mp3", "b.wav"};
    EXPECT_TRUE(queue.PlayNext());
    EXPECT_EQ((Strings{"taken ", "taken bad.mp3", "tried bad.mp3", "taken a.mp3", "loaded T a.mp3", "tried a.mp3"}),
              display.Take());
    EXPECT_EQ((Strings{"input_open a.mp3", "set_position_range 50"}), player.sent);
    EXPECT_EQ(50, queue.Tags().Length);
    ASSERT_EQ(1u, queue.Queue().size());
    EXPECT_STREQ("b.wav", queue.Queue().front());
    // Unreadable tags: nothing opened, the previous track's tags stay.
    player.sent.clear();
    EXPECT_FALSE(queue.LoadFile("bad.wav"));
    EXPECT_TRUE(player.sent.empty());
    EXPECT_STREQ("T a.mp3", queue.Tags().Title);
}

namespace {

struct PaneHost : DArederoHost, CallLog
{
    bool showsTracks = true;
    int rowsBelow = 1;
    CString selected = "next.mp3";
    void UpdateJukeboxTimes(int elapsed) override { Add("times " + std::to_string(elapsed)); }
    void SetJukeboxPosition(int seconds) override { Add("position " + std::to_string(seconds)); }
    void SetJukeboxTrackTexts(const char* text) override { Add(std::string("texts '") + text + "'"); }
    void RedrawJukeboxView() override { Add("redraw"); }
    void SetDeckTitle(int deck, const CString& path) override
    {
        Add("title " + std::to_string(deck) + " " + std::string(path));
    }
    void SetJukeboxPositionRange(int length) override { Add("range " + std::to_string(length)); }
    bool JukeboxListShowsTracks() const override { return showsTracks; }
    int StepSelectionDown() override
    {
        Add("step");
        return rowsBelow-- > 0 ? 1 : -1;
    }
    CString GetSelectedPath() const override { return selected; }
    HWND MainWindowHandle() const override { return nullptr; }
};

} // namespace

TEST(Players, DArederoLoadsAndWalksItsTrackList)
{
    Recording<DArederoPlayer> player(&FakeTags);
    PaneHost host;
    Window view;
    player.Setup(&host, nullptr, 3, 0, "dAredero", 0);
    player.SetFeedbackRate(30);
    player.sent.clear();
    player.SetupSpectrum(view.hwnd, 300, 60);
    EXPECT_EQ((Strings{"set_pcm_feedback_rate 30", "feedback_env_set_integer CLIENT.FEEDBACK-WINDOW " + HandleText(view.hwnd),
                       "feedback_env_set_integer CLIENT.FEEDBACK-WIDTH 300",
                       "feedback_env_set_integer CLIENT.FEEDBACK-HEIGHT 60",
                       "feedback_env_set_integer CLIENT.MAINWINDOW 0",
                       std::string("feedback_module_add ") + static_cast<const char*>(FeedbackModuleName()),
                       "feedback_select_name sample-spectrum2", "feedback_start"}),
              player.sent);
    player.sent.clear();
    EXPECT_FALSE(player.LoadFile(""));
    // Unreadable tags: the title shows the path, nothing opens.
    EXPECT_TRUE(player.LoadFile("bad.mp3"));
    EXPECT_FALSE(player.IsLoaded());
    EXPECT_TRUE(player.sent.empty());
    EXPECT_EQ((Strings{"title 4 bad.mp3"}), host.Take());
    EXPECT_TRUE(player.LoadFile("first.mp3"));
    EXPECT_TRUE(player.IsLoaded());
    EXPECT_EQ((Strings{"input_open first.mp3"}), player.sent);
    EXPECT_EQ((Strings{"texts ''", "range 90", "position 0", "title 4 first.mp3"}), host.Take());

    // End of a track: the next row plays; after the last row the player stops.
    player.sent.clear();
    player.Notify(CM_PLAYER_STATE, PLAYER_END_OF_STREAM);
    EXPECT_EQ((Strings{"input_open next.mp3", "play"}), player.sent);
    EXPECT_EQ((Strings{"times 0", "position 0", "step", "texts ''", "range 80", "position 0", "title 4 next.mp3"}),
              host.Take());
    player.sent.clear();
    player.Notify(CM_PLAYER_STATE, PLAYER_END_OF_STREAM);
    EXPECT_EQ((Strings{"output_drain", "stop"}), player.sent);
    EXPECT_EQ((Strings{"times 0", "position 0", "step", "redraw"}), host.Take());
    // No item opened: only the times and position go back to 0.
    host.showsTracks = false;
    player.sent.clear();
    player.Notify(CM_PLAYER_STATE, PLAYER_END_OF_STREAM);
    EXPECT_TRUE(player.sent.empty());
    EXPECT_EQ((Strings{"times 0", "position 0"}), host.Take());
    // Paused leaves the pane alone; time codes count hours.
    player.Notify(CM_PLAYER_STATE, PLAYER_PAUSED);
    EXPECT_EQ(DECK_STATE_PAUSED, player.GetState());
    player.Notify(CM_TIMECODE, 2, 0, 1, 0);
    EXPECT_EQ((Strings{"times 7201", "position 7201"}), host.Take());
}
