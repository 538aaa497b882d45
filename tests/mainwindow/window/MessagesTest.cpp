// The private messages posted to a created main window reach their
// handlers with their parameters; payloads from other threads are the
// message's own copies, freed by the handler. The timers run on the fake
// clock: the test sends each tick.
#include "MainWindowFixture.h"

#include <cstring>
#include <memory>
#include <thread>

#include "foundation/app/PostedText.h"
#include "input/midi/MIDIControlReceiver.h"
#include "mainwindow/messages/PrivateMessages.h"
#include "mainwindow/timers/TimerRules.h"

using namespace tavrix_test;

namespace {

class Messages : public MainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(WriteSettings("AutoRepeatSpeed=75\r\n"));
        ASSERT_NO_FATAL_FAILURE(OpenMainWindow());
        m_parts.Clear();
    }
    HWND Window() const { return m_dialog->m_hWnd; }
    std::vector<std::string> Tick(UINT id)
    {
        m_parts.Clear();
        m_dialog->SendMessage(WM_TIMER, id, 0);
        return Drain();
    }
};

ControllerMapItem Entry(const char* action, int32_t command, const char* light = "")
{
    ControllerMapItem entry;
    entry.action = action;
    entry.commandId = command;
    entry.outstring = light;
    return entry;
}

} // namespace

TEST_F(Messages, EveryPlainMessageReachesItsHandler)
{
    const struct { UINT message; WPARAM wParam; LPARAM lParam; const char* event; } rows[] = {
        {WM_SLIDER_TRACKING, static_cast<WPARAM>(-101), 37, "OnSliderNotify -101 37"},
        {WM_SLIDER_CHANGED, static_cast<WPARAM>(-101), 0, "OnSliderNotify -101 0"},
        {WM_DECK_TIME, 2, 185, "OnDeckTime 2 185"},
        {WM_CONTROLLER_TIME, 1, 61, "SendDenonTime 1 61"},
        {WM_ART_FOUND, 3, 0, "OnArtFound 3"},
        {WM_CONTROLLER_LED, 117, 0, "ToggleControllerLight 117"},
        {WM_CONTROLLER_FLASH, 18, 0, "FlashControllerLight 18"},
        {WM_QUEUE_A_SCROLL, 65, 3, "OnQueueScroll 0 65 3"},
        {WM_QUEUE_B_SCROLL, 63, 4, "OnQueueScroll 1 63 4"},
        {WM_PITCH_NUDGE_HOLD, 1, 0, "OnPitchNudgeReleased 1"},
        {WM_COMM_SOCKET_EVENT, 2, 0, "OnCommSocketEvent 2 null"},
    };
    for (const auto& row : rows) {
        m_parts.Clear();
        ASSERT_TRUE(::PostMessageA(Window(), row.message, row.wParam, row.lParam)) << row.event;
        EXPECT_TRUE(WaitForEvent(row.event)) << row.event;
        EXPECT_EQ(1u, Drain().size()) << row.event;
    }
}

TEST_F(Messages, PayloadsFromOtherThreadsAreOwnedCopiesFreedByTheHandler)
{
    const long itemsBefore = GetPostedItemCount();
    std::thread sender([&] {
        // Every payload is copied as it is posted; the sender's own
        // strings are changed at once, as a deck's path or the receiver's
        // entry would be by the next track or the next MIDI message.
        std::string path = "C:\\Music\\first.mp3";
        EXPECT_TRUE(PostOwnedText(Window(), WM_DECK_TEXT, 1, path.c_str()));
        path = "C:\\Music\\second.mp3";
        ControllerMapItem entry = Entry("a-gain", 28001);
        ReceiverPost post;
        post.message = WM_CONTROLLER_VALUE;
        post.wParam = 100;
        post.slot = ReceiverItemSlot::LParam;
        EXPECT_TRUE(PostItemMessage(Window(), post, entry));
        entry = Entry("b-gain", 28002);
        post.message = WM_CONTROLLER_WHEEL;
        post.wParam = 66;
        EXPECT_TRUE(PostItemMessage(Window(), post, entry));
        entry = Entry("a-play", 27101, "PLAY");
        post.message = WM_CONTROLLER_DISPLAY;
        post.wParam = 0;
        post.slot = ReceiverItemSlot::WParam;
        EXPECT_TRUE(PostItemMessage(Window(), post, entry));
        entry = Entry("overwritten", 1);
        // A request block: the bytes and a zero byte the length leaves out.
        const char text[] = ">reqi:1";
        char* block = new char[sizeof text];
        std::memcpy(block, text, sizeof text);
        EXPECT_TRUE(::PostMessageA(Window(), WM_COMM_REQUEST, sizeof text - 1, reinterpret_cast<LPARAM>(block)));
    });
    sender.join();
    ASSERT_TRUE(WaitForEvent("OnCommRequest >reqi:1"));
    EXPECT_EQ((std::vector<std::string>{"OnShowDeckArt 1 C:\\Music\\first.mp3", "OnControllerValue 100 a-gain 28001",
                                        "OnControllerWheel 66 b-gain 28002",
                                        "OnControllerLightString a-play 27101 PLAY", "OnCommRequest >reqi:1"}),
              Drain());
    EXPECT_EQ(itemsBefore, GetPostedItemCount());   // every entry copy was taken and freed
}

TEST_F(Messages, TheSentMessagesLendTheirDataForTheCall)
{
    ControllerMapItem entry = Entry("jog-a", 28016);
    m_dialog->SendMessage(WM_JOG_MOVED, reinterpret_cast<WPARAM>(&entry), 70);
    std::string path = "C:\\Music\\tagged.mp3";
    m_dialog->SendMessage(WM_TAG_ART, 2, reinterpret_cast<LPARAM>(path.c_str()));
    EXPECT_EQ((std::vector<std::string>{"OnJogWheel jog-a 28016 70", "OnTagArt 2 C:\\Music\\tagged.mp3"}), Drain());
}

TEST_F(Messages, AHeldFastForwardRepeatsTheDeckCommandUntilReleased)
{
    const struct { UINT message; WPARAM deck; UINT timer; const char* command; } holds[] = {
        {WM_HOLD_FORWARD, 0, 15, "RunCommand deck 27121"},
        {WM_HOLD_REWIND, 0, 15, "RunCommand deck 27122"},
        {WM_HOLD_FORWARD, 1, 16, "RunCommand deck 27221"},
        {WM_HOLD_REWIND, 1, 16, "RunCommand deck 27222"},
    };
    for (const auto& h : holds) {
        m_parts.Clear();
        ASSERT_TRUE(::PostMessageA(Window(), h.message, h.deck, 1));
        ASSERT_TRUE(WaitForEvent("StartTimer " + std::to_string(h.timer) + " 75")) << h.command;
        EXPECT_EQ(std::vector<std::string>{h.command}, Tick(h.timer));
        EXPECT_EQ(std::vector<std::string>{h.command}, Tick(h.timer));
        ASSERT_TRUE(::PostMessageA(Window(), h.message, h.deck, 0));
        ASSERT_TRUE(WaitForEvent("StopTimer " + std::to_string(h.timer))) << h.command;
        EXPECT_TRUE(Tick(h.timer).empty()) << "a late tick after the release does nothing";
    }
    // A deck other than A or B is ignored.
    m_parts.Clear();
    m_dialog->SendMessage(WM_HOLD_FORWARD, 2, 1);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(Messages, HeldScrollButtonsSpeedUpOnTheFakeClock)
{
    const struct { UINT message; UINT timer; const main_timers::RepeatRule* rule; const char* action; } rows[] = {
        {WM_JUKE_SCROLL_UP, 18, &main_timers::kJukeListRepeat, "JukeListSelect previous"},
        {WM_JUKE_SCROLL_DOWN, 19, &main_timers::kJukeListRepeat, "JukeListSelect next"},
        {WM_THUMB_SCROLL_LEFT, 22, &main_timers::kThumbListRepeat, "ThumbListScroll left"},
        {WM_THUMB_SCROLL_RIGHT, 23, &main_timers::kThumbListRepeat, "ThumbListScroll right"},
        {WM_TRACKLIST_SCROLL_UP, 30, &main_timers::kTrackListRepeat, "RunCommand windows 27612"},
        {WM_TRACKLIST_SCROLL_DOWN, 31, &main_timers::kTrackListRepeat, "RunCommand windows 27613"},
    };
    for (const auto& row : rows) {
        const int ticks = 16;
        const std::vector<int> waits = main_timers::RepeatWaits(*row.rule, ticks + 1);
        m_parts.Clear();
        ASSERT_TRUE(::PostMessageA(Window(), row.message, 0, 1));
        const std::string id = std::to_string(row.timer);
        ASSERT_TRUE(WaitForEvent("StartTimer " + id + " " + std::to_string(waits[0]))) << row.action;
        // Each tick restarts the timer with the next, shorter period, then acts.
        for (int i = 1; i <= ticks; ++i)
            EXPECT_EQ((std::vector<std::string>{"StartTimer " + id + " " + std::to_string(waits[i]), row.action}),
                      Tick(row.timer))
                << row.action << " tick " << i;
        m_parts.Clear();
        m_dialog->SendMessage(row.message, 0, 0);
        EXPECT_EQ(std::vector<std::string>{"StopTimer " + id}, Drain());
        EXPECT_TRUE(Tick(row.timer).empty()) << row.action;
        // Pressed again, it starts over at the first period.
        m_dialog->SendMessage(row.message, 0, 1);
        EXPECT_EQ(std::vector<std::string>{"StartTimer " + id + " " + std::to_string(waits[0])}, Drain());
        m_dialog->SendMessage(row.message, 0, 0);
    }
}

TEST_F(Messages, TheClockAndUptimeShowTheTimeAndTheWholeRun)
{
    m_parts.now = m_dialog->GetStartTime() + 25 * 3600 + 3 * 60 + 59;
    m_parts.hour = 13;
    m_parts.minute = 5;
    EXPECT_EQ((std::vector<std::string>{"SetTextField clock 01:05", "SetTextField uptime 25:03"}), Tick(20));
}

TEST_F(Messages, TheCpuMeterShowsThisProgramsLoadWhenItChanges)
{
    EXPECT_EQ((std::vector<std::string>{"TotalCpuUsage", "SetCpuMeter 7"}), Tick(21));
    EXPECT_EQ("mainwindow_dispatch_tests", m_parts.cpuInstance);
    EXPECT_EQ(std::vector<std::string>{"TotalCpuUsage"}, Tick(21));   // unchanged: not set again
    m_parts.cpuValue = 12;
    EXPECT_EQ((std::vector<std::string>{"TotalCpuUsage", "SetCpuMeter 12"}), Tick(21));
    m_parts.cpuMeter = false;
    EXPECT_TRUE(Tick(21).empty());
}

TEST_F(Messages, TheDAredeoAdvancesOnlyFromSetUpStoppedOrEnded)
{
    for (int state = 4000; state <= 4004; ++state) {
        const bool idle = state == 4000 || state == 4002 || state == 4004;
        m_parts.juke_state = state;
        m_parts.juke_rows = 2;
        EXPECT_EQ(idle ? std::vector<std::string>{"PlayNextJukeboxTrack"} : std::vector<std::string>{}, Tick(32))
            << state;
        m_parts.juke_rows = 0;
        EXPECT_TRUE(Tick(32).empty()) << state;
    }
}

TEST_F(Messages, TheMixerTimersGoToTheMixerAndUnusedIdsDoNothing)
{
    for (UINT id : {2u, 3u, 6u, 7u, 10u, 11u, 12u, 24u, 27u})
        EXPECT_EQ(std::vector<std::string>{"MixerTimerTick " + std::to_string(id)}, Tick(id));
    for (UINT id : {0u, 8u, 9u, 13u, 14u, 17u, 28u, 29u, 33u, 35u})
        EXPECT_TRUE(Tick(id).empty()) << id;
}
