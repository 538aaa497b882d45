// The controller receiver on a MIDI input: packed messages enter through the
// driver seam on a thread of their own, and a stand-in main window records
// what arrives, owning every entry copy it is given.
#include <gtest/gtest.h>

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FakeMidiApi.h"
#include "input/commands/CommandVocabulary.h"
#include "input/controllermap/ControllerMap.h"
#include "input/midi/MIDIControlReceiver.h"
#include "input/midi/MIDIInDevice.h"
#include "input/midi/MidiBytes.h"
#include "input/midi/ReceiverMessages.h"
#include "tests/framework/ui/UiTestSupport.h"

namespace {

using midi::PackShortMessage;

struct Arrival
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool hasItem;
    ControllerMapItem item;
};

// The main window as the receiver sees it: its flags, its jog-wheel item
// under a lock, and handlers that record and free what they are given.
class StandInMainWindow : public CWnd, public MidiReceiverHost
{
public:
    HWND GetMainWindow() const override { return target; }
    ReceiverFlags GetReceiverFlags() const override { return flags; }
    void SetJogWheelItem(const ControllerMapItem& item) override
    {
        std::lock_guard<std::mutex> hold(m_jogLock);
        m_jog = item;
        ++jogSets;
    }
    ControllerMapItem JogWheelItem()
    {
        std::lock_guard<std::mutex> hold(m_jogLock);
        return m_jog;
    }

    HWND target = nullptr; // the window handle the receiver is given
    ReceiverFlags flags;
    std::vector<Arrival> arrivals;
    int jogSets = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || (message >= WM_MIDI_LED_TOGGLE && message <= WM_MIDI_DISPLAY_TEXT)) {
            Arrival arrival{message, wParam, lParam, false, ControllerMapItem()};
            std::unique_ptr<ControllerMapItem> item;
            if (message == WM_MIDI_VALUE || message == WM_MIDI_WHEEL)
                item = TakePostedItem(lParam);
            else if (message == WM_MIDI_DISPLAY_TEXT)
                item = TakePostedItem(static_cast<LPARAM>(wParam));
            if (item) {
                arrival.hasItem = true;
                arrival.item = *item;
            }
            if (message == WM_MIDI_WHEEL) {
                // The handler works on the current jog-wheel item.
                arrival.item = JogWheelItem();
            }
            arrivals.push_back(arrival);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::mutex m_jogLock;
    ControllerMapItem m_jog;
};

ControllerMapItem Entry(const char* action, const char* type, int midikey, int chan, int rlow, int rhigh, int lit = 0,
                        int lkey = 0, int hd = 0, const char* outstring = "")
{
    ControllerMapItem item;
    item.action = action;
    item.type = type;
    item.key = ControllerKey(midikey, chan);
    item.commandId = ActionNameMap.Lookup(action);
    item.chan = chan;
    item.rlow = rlow;
    item.rhigh = rhigh;
    item.lit = lit;
    item.lkey = lkey;
    item.hd = hd;
    item.outstring = outstring;
    return item;
}

class MIDIReceiverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BuildActionNameMap();
        ASSERT_TRUE(ui_test::CreateTopLevel(m_window, "MIDI receiver test"));
        m_window.target = m_window.GetSafeHwnd();
        m_receiver.reset(new CMIDIControlReceiver(m_window));
        m_device.SetReceiver(m_receiver.get());
        m_device.Open(0);
        m_device.StartReceiving();
    }
    void TearDown() override
    {
        m_device.Close();
        ui_test::PumpPending();
        m_window.DestroyWindow();
        ControllerMap.RemoveAll();
        ClearCommandMaps();
        EXPECT_EQ(0, GetPostedItemCount());
    }

    void Load(const std::vector<ControllerMapItem>& entries)
    {
        ControllerMapRows rows;
        for (const ControllerMapItem& entry : entries)
            rows[entry.key] = entry;
        ControllerMap.Replace(rows);
    }
    // Delivers the messages on a driver thread, then waits for count arrivals.
    void Play(const std::vector<uint32_t>& messages, size_t count)
    {
        std::thread driver([&] {
            for (uint32_t message : messages)
                m_driver.DeliverShort(message);
        });
        driver.join();
        ui_test::PumpUntil([&] { return m_window.arrivals.size() >= count; }, 5000);
        ui_test::PumpPending();
    }

    FakeMidiApi m_driver;
    StandInMainWindow m_window;
    std::unique_ptr<CMIDIControlReceiver> m_receiver;
    midi::CMIDIInDevice m_device;
};

TEST_F(MIDIReceiverTest, ControlsOfAMapPostTheirMessages)
{
    Load({Entry("a-play", "button", 20, 0, 0, 127, 1, 33),
          Entry("b-cue1", "button", 20, 1, 0, 127, 3, 0, 0, "CUE 1"),
          Entry("a-gain", "slider", 7, 0, 127, 0),
          Entry("b-ff", "button", 30, 0, 0, 127, 1, 5, 1),
          Entry("tl-scroll", "scrollknob", 10, 0, 1, 127),
          Entry("aq-scroll", "scrollknob", 11, 0, 1, 65)});
    Play({PackShortMessage(0x90, 0, 20, 127), PackShortMessage(0x80, 0, 20, 0), PackShortMessage(0x90, 1, 20, 127),
          PackShortMessage(0xB0, 0, 7, 42), PackShortMessage(0x90, 0, 30, 127), PackShortMessage(0x90, 0, 30, 0),
          PackShortMessage(0xB0, 0, 10, 1), PackShortMessage(0xB0, 0, 10, 127), PackShortMessage(0xB0, 0, 11, 3),
          PackShortMessage(0x90, 0, 99, 127)},
         10);
    const std::vector<Arrival>& got = m_window.arrivals;
    ASSERT_EQ(10u, got.size());
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), got[0].message);
    EXPECT_EQ(27101u, got[0].wParam);
    EXPECT_EQ(0, got[0].lParam);
    EXPECT_EQ(static_cast<UINT>(WM_MIDI_LED_TOGGLE), got[1].message);
    EXPECT_EQ(33u, got[1].wParam);
    EXPECT_EQ(27214u, got[2].wParam);
    EXPECT_EQ(static_cast<UINT>(WM_MIDI_DISPLAY_TEXT), got[3].message);
    ASSERT_TRUE(got[3].hasItem);
    EXPECT_EQ("CUE 1", std::string(got[3].item.outstring));
    EXPECT_EQ(120, got[3].item.key);
    EXPECT_EQ(static_cast<UINT>(WM_MIDI_VALUE), got[4].message);
    EXPECT_EQ(42u, got[4].wParam);
    ASSERT_TRUE(got[4].hasItem);
    EXPECT_EQ(28001, got[4].item.commandId);
    EXPECT_EQ(127, got[4].item.rlow);
    EXPECT_EQ(static_cast<UINT>(WM_MIDI_FAST_FORWARD), got[5].message);
    EXPECT_EQ(1u, got[5].wParam);
    EXPECT_EQ(1, got[5].lParam);
    EXPECT_EQ(static_cast<UINT>(WM_MIDI_FAST_FORWARD), got[6].message);
    EXPECT_EQ(0, got[6].lParam);
    EXPECT_EQ(27612u, got[7].wParam);
    EXPECT_EQ(27613u, got[8].wParam);
    EXPECT_EQ(static_cast<UINT>(WM_MIDI_SCROLL_AQ), got[9].message);
    EXPECT_EQ(3u, got[9].wParam);
    EXPECT_EQ(65, got[9].lParam);
}

// The edge cases of the receiver, each through the seam on a fresh map.
TEST_F(MIDIReceiverTest, EdgeCasesThroughTheSeam)
{
    struct Expected
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int itemCommand; // -1: no entry carried
    };
    struct Case
    {
        const char* name;
        std::vector<ControllerMapItem> entries;
        bool displayController;
        std::vector<uint32_t> messages;
        std::vector<Expected> posts;
    };
    const UINT cmd = WM_COMMAND;
    const Case cases[] = {
        {"channel 1, data 1 20 is key 120", {Entry("b-play", "button", 20, 1, 0, 127), Entry("a-play", "button", 20, 0, 0, 127)},
         false, {PackShortMessage(0xB0, 1, 20, 127)}, {{cmd, 27201, 0, -1}}},
        {"channel 3, data 1 20 is key 20", {Entry("b-play", "button", 20, 1, 0, 127), Entry("a-play", "button", 20, 0, 0, 127)},
         false, {PackShortMessage(0xB0, 3, 20, 127)}, {{cmd, 27101, 0, -1}}},
        {"a button posts on its press only", {Entry("a-play", "button", 20, 0, 0, 127)}, false,
         {PackShortMessage(0x90, 0, 20, 127), PackShortMessage(0x90, 0, 20, 0)}, {{cmd, 27101, 0, -1}}},
        {"a held b-ff posts one 9512 per message", {Entry("b-ff", "button", 30, 0, 0, 127, 1, 4, 1)}, false,
         {PackShortMessage(0x90, 0, 30, 127), PackShortMessage(0x90, 0, 30, 0)},
         {{WM_MIDI_FAST_FORWARD, 1, 1, -1}, {WM_MIDI_FAST_FORWARD, 1, 0, -1}}},
        {"lit 3 posts the command, then the entry", {Entry("a-cue1", "button", 20, 0, 0, 127, 3, 0, 0, "CUE")}, false,
         {PackShortMessage(0x90, 0, 20, 127)}, {{cmd, 27114, 0, -1}, {WM_MIDI_DISPLAY_TEXT, 0, 0, 27114}}},
        {"tl-scroll with rlow 1", {Entry("tl-scroll", "scrollknob", 10, 0, 1, 127)}, false,
         {PackShortMessage(0xB0, 0, 10, 1), PackShortMessage(0xB0, 0, 10, 127)}, {{cmd, 27612, 0, -1}, {cmd, 27613, 0, -1}}},
        {"pitch bend of a display controller", {Entry("a-play", "button", 0, 0, 0, 127)}, true,
         {PackShortMessage(0xE0, 0, 0, 127)}, {{WM_MIDI_VALUE, 127, 0, 28002}}},
        {"pitch bend looked up by data 1", {Entry("a-play", "button", 0, 0, 0, 127)}, false,
         {PackShortMessage(0xE0, 0, 0, 127)}, {{cmd, 27101, 0, -1}}},
        {"a key with no entry", {Entry("a-play", "button", 0, 0, 0, 127)}, false, {PackShortMessage(0x90, 0, 1, 127)}, {}},
    };
    for (const Case& c : cases) {
        m_window.arrivals.clear();
        m_window.flags.displayController = c.displayController;
        // A marker after the case's messages shows that all have been handled.
        Load([&] {
            std::vector<ControllerMapItem> entries = c.entries;
            entries.push_back(Entry("about", "button", 127, 1, 0, 127));
            return entries;
        }());
        std::vector<uint32_t> messages = c.messages;
        messages.push_back(PackShortMessage(0x90, 1, 127, 127));
        Play(messages, c.posts.size() + 1);
        ASSERT_EQ(c.posts.size() + 1, m_window.arrivals.size()) << c.name;
        for (size_t i = 0; i < c.posts.size(); ++i) {
            const Arrival& got = m_window.arrivals[i];
            EXPECT_EQ(c.posts[i].message, got.message) << c.name << " #" << i;
            EXPECT_EQ(c.posts[i].wParam, got.message == WM_MIDI_DISPLAY_TEXT ? 0 : got.wParam) << c.name << " #" << i;
            if (c.posts[i].itemCommand < 0) {
                EXPECT_EQ(c.posts[i].lParam, got.lParam) << c.name << " #" << i;
                EXPECT_FALSE(got.hasItem) << c.name << " #" << i;
            } else {
                ASSERT_TRUE(got.hasItem) << c.name << " #" << i;
                EXPECT_EQ(c.posts[i].itemCommand, got.item.commandId) << c.name << " #" << i;
            }
        }
        EXPECT_EQ(27001u, m_window.arrivals.back().wParam) << c.name;
    }
}

TEST_F(MIDIReceiverTest, AWheelSetsTheJogWheelItemBeforeItsMessage)
{
    Load({Entry("a-jogwheel", "wheel", 25, 0, 63, 65), Entry("b-jogwheel", "wheel", 25, 1, 1, 127)});
    Play({midi::PackShortMessage(0xB0, 0, 25, 65), midi::PackShortMessage(0xB0, 1, 25, 1)}, 2);
    ASSERT_EQ(2u, m_window.arrivals.size());
    EXPECT_EQ(2, m_window.jogSets);
    EXPECT_EQ(static_cast<UINT>(WM_MIDI_WHEEL), m_window.arrivals[1].message);
    EXPECT_EQ(1u, m_window.arrivals[1].wParam);
    EXPECT_EQ(28015, m_window.arrivals[1].item.commandId);
}

TEST_F(MIDIReceiverTest, PitchBendOfADisplayControllerMovesThePitch)
{
    Load({Entry("a-play", "button", 0, 0, 0, 127)});
    m_window.flags.displayController = true;
    m_window.flags.gainPitchSwapB = true;
    Play({midi::PackShortMessage(0xE0, 0, 0, 100), midi::PackShortMessage(0xE0, 1, 0, 20),
          midi::PackShortMessage(0xE0, 5, 0, 20)},
         2);
    ui_test::PumpPending();
    ASSERT_EQ(2u, m_window.arrivals.size());
    EXPECT_EQ(28002, m_window.arrivals[0].item.commandId);
    EXPECT_EQ(100u, m_window.arrivals[0].wParam);
    EXPECT_EQ(28007, m_window.arrivals[1].item.commandId);
    EXPECT_EQ(127, m_window.arrivals[1].item.rhigh);
}

TEST_F(MIDIReceiverTest, ACopyWhosePostFailsIsFreed)
{
    Load({Entry("a-gain", "slider", 7, 0, 127, 0), Entry("a-play", "button", 20, 0, 0, 127, 3)});
    m_window.DestroyWindow(); // the posts to its old handle now fail
    m_driver.DeliverShort(midi::PackShortMessage(0xB0, 0, 7, 42));
    m_driver.DeliverShort(midi::PackShortMessage(0x90, 0, 20, 127));
    EXPECT_EQ(0, GetPostedItemCount());
    // No window at all: nothing lands in the driver thread's own queue.
    m_window.target = nullptr;
    std::thread driver([&] {
        m_driver.DeliverShort(midi::PackShortMessage(0xB0, 0, 7, 42));
        MSG msg;
        EXPECT_FALSE(::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    });
    driver.join();
    EXPECT_EQ(0, GetPostedItemCount());
}

TEST_F(MIDIReceiverTest, TheEntryCarriedIsAFreshCopy)
{
    Load({Entry("a-gain", "slider", 7, 0, 127, 0)});
    m_driver.DeliverShort(midi::PackShortMessage(0xB0, 0, 7, 1));
    // The map changes before the window handles the message.
    Load({Entry("b-gain", "slider", 7, 0, 0, 127)});
    m_driver.DeliverShort(midi::PackShortMessage(0xB0, 0, 7, 2));
    EXPECT_EQ(2, GetPostedItemCount());
    ui_test::PumpUntil([&] { return m_window.arrivals.size() >= 2; });
    ASSERT_EQ(2u, m_window.arrivals.size());
    EXPECT_EQ(28001, m_window.arrivals[0].item.commandId);
    EXPECT_EQ(28007, m_window.arrivals[1].item.commandId);
}

} // namespace
