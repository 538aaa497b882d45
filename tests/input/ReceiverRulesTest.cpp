// The MIDI receiver's rules: which messages one short message posts to the
// main window, for every kind of map entry and the pitch-bend shortcut.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/midi/MidiBytes.h"
#include "input/midi/ReceiverMessages.h"
#include "input/midi/ReceiverRules.h"

namespace {

ControllerMapItem Entry(const char* action, const char* type, int midikey, int chan, int commandId, int rlow = 0,
                        int rhigh = 127, int lit = 0, int lkey = 0, int hd = 0)
{
    ControllerMapItem item;
    item.action = action;
    item.type = type;
    item.key = ControllerKey(midikey, chan);
    item.commandId = commandId;
    item.chan = chan;
    item.rlow = rlow;
    item.rhigh = rhigh;
    item.lit = lit;
    item.lkey = lkey;
    item.hd = hd;
    item.outstring = "text";
    return item;
}

struct Post
{
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    ReceiverItemSlot slot;
};

bool operator==(const Post& a, const Post& b)
{
    return a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam && a.slot == b.slot;
}

std::ostream& operator<<(std::ostream& out, const Post& post)
{
    return out << "{WM_USER+" << static_cast<int>(post.message) - WM_USER << ", " << post.wParam << ", " << post.lParam
               << ", slot " << static_cast<int>(post.slot) << "}";
}

const ReceiverItemSlot kNone = ReceiverItemSlot::None;
const ReceiverItemSlot kW = ReceiverItemSlot::WParam;
const ReceiverItemSlot kL = ReceiverItemSlot::LParam;

struct Case
{
    const char* name;
    std::vector<ControllerMapItem> entries;
    ReceiverFlags flags;
    uint32_t packed;
    std::vector<Post> posts;
    int itemCommand; // the command id of the item the posts carry, -1: none carried
    bool jogWheel;
};

uint32_t Msg(int command, int channel, int data1, int data2)
{
    return midi::PackShortMessage(command, channel, data1, data2);
}

TEST(ReceiverRulesTest, EveryKindOfEntryPostsItsMessages)
{
    const ReceiverFlags plain;
    ReceiverFlags display;
    display.displayController = true;
    ReceiverFlags displaySwapped = display;
    displaySwapped.gainPitchSwapA = true;
    displaySwapped.gainPitchSwapB = true;

    const ControllerMapItem playB = Entry("b-play", "button", 20, 1, 27201);
    const ControllerMapItem playA = Entry("a-play", "button", 20, 0, 27101);
    const Case cases[] = {
        {"channel 1 adds 100 to the key", {playB, playA}, plain, Msg(0xB0, 1, 20, 127), {{WM_COMMAND, 27201, 0, kNone}}, -1, false},
        {"channel 3 uses the plain key", {playB, playA}, plain, Msg(0xB0, 3, 20, 127), {{WM_COMMAND, 27101, 0, kNone}}, -1, false},
        {"note on, note off and controller reach one entry", {playA}, plain, Msg(0x90, 0, 20, 127), {{WM_COMMAND, 27101, 0, kNone}}, -1, false},
        {"a note off reaches it too", {playA}, plain, Msg(0x80, 0, 20, 127), {{WM_COMMAND, 27101, 0, kNone}}, -1, false},
        {"a button's release posts nothing", {playA}, plain, Msg(0x90, 0, 20, 0), {}, -1, false},
        {"a key with no entry posts nothing", {playA}, plain, Msg(0x90, 0, 21, 127), {}, -1, false},
        {"lit 1 toggles the LED", {Entry("a-play", "button", 20, 0, 27101, 0, 127, 1, 0x10042)}, plain, Msg(0x90, 0, 20, 127),
         {{WM_COMMAND, 27101, 0, kNone}, {WM_MIDI_LED_TOGGLE, 0x0042, 0, kNone}}, -1, false},
        {"lit 2 flashes the LED", {Entry("a-play", "button", 20, 0, 27101, 0, 127, 2, 7)}, plain, Msg(0x90, 0, 20, 127),
         {{WM_COMMAND, 27101, 0, kNone}, {WM_MIDI_LED_FLASH, 7, 0, kNone}}, -1, false},
        {"lit 3 sends the entry for the display", {Entry("a-play", "button", 20, 0, 27101, 0, 127, 3, 7)}, plain, Msg(0x90, 0, 20, 127),
         {{WM_COMMAND, 27101, 0, kNone}, {WM_MIDI_DISPLAY_TEXT, 0, 0, kW}}, 27101, false},
        {"lit 4 posts no more", {Entry("a-play", "button", 20, 0, 27101, 0, 127, 4, 7)}, plain, Msg(0x90, 0, 20, 127),
         {{WM_COMMAND, 27101, 0, kNone}}, -1, false},
        {"held b-ff pressed", {Entry("b-ff", "button", 30, 0, 27221, 0, 127, 1, 5, 1)}, plain, Msg(0x90, 0, 30, 127),
         {{WM_MIDI_FAST_FORWARD, 1, 1, kNone}}, -1, false},
        {"held b-ff released", {Entry("b-ff", "button", 30, 0, 27221, 0, 127, 1, 5, 1)}, plain, Msg(0x90, 0, 30, 0),
         {{WM_MIDI_FAST_FORWARD, 1, 0, kNone}}, -1, false},
        {"held a-rw pressed", {Entry("a-rw", "button", 30, 0, 27122, 0, 127, 0, 0, 1)}, plain, Msg(0x90, 0, 30, 127),
         {{WM_MIDI_REWIND, 0, 1, kNone}}, -1, false},
        {"held b-rw released", {Entry("b-rw", "button", 30, 0, 27222, 0, 127, 0, 0, 1)}, plain, Msg(0x90, 0, 30, 64),
         {{WM_MIDI_REWIND, 1, 0, kNone}}, -1, false},
        {"held a-ff pressed", {Entry("a-ff", "button", 30, 0, 27121, 0, 127, 0, 0, 1)}, plain, Msg(0x90, 0, 30, 127),
         {{WM_MIDI_FAST_FORWARD, 0, 1, kNone}}, -1, false},
        {"held a-pitchup pressed", {Entry("a-pitchup", "button", 31, 0, 27129, 0, 127, 0, 0, 1)}, plain, Msg(0x90, 0, 31, 127),
         {{WM_COMMAND, 27129, 0, kNone}}, -1, false},
        {"held a-pitchdown released", {Entry("a-pitchdown", "button", 31, 0, 27130, 0, 127, 0, 0, 1)}, plain, Msg(0x90, 0, 31, 0),
         {{WM_MIDI_PITCH_RELEASE, 0, 0, kNone}}, -1, false},
        {"held b-pitchdown released", {Entry("b-pitchdown", "button", 31, 0, 27230, 0, 127, 0, 0, 1)}, plain, Msg(0x90, 0, 31, 0),
         {{WM_MIDI_PITCH_RELEASE, 1, 0, kNone}}, -1, false},
        {"held b-pitchup pressed", {Entry("b-pitchup", "button", 31, 0, 27229, 0, 127, 0, 0, 1)}, plain, Msg(0x90, 0, 31, 127),
         {{WM_COMMAND, 27229, 0, kNone}}, -1, false},
        {"held other command does nothing", {Entry("a-play", "button", 31, 0, 27101, 0, 127, 1, 4, 1)}, plain, Msg(0x90, 0, 31, 127),
         {}, -1, false},
        {"slider", {Entry("a-gain", "slider", 7, 0, 28001, 127, 0)}, plain, Msg(0xB0, 0, 7, 99), {{WM_MIDI_VALUE, 99, 0, kL}}, 28001, false},
        {"knob, type in capitals", {Entry("a-eqlow", "KNOB", 8, 0, 28003)}, plain, Msg(0xB0, 0, 8, 3), {{WM_MIDI_VALUE, 3, 0, kL}}, 28003, false},
        {"wheel sets the jog-wheel item", {Entry("a-jogwheel", "wheel", 9, 1, 28014, 63, 65)}, plain, Msg(0xB0, 1, 9, 65),
         {{WM_MIDI_WHEEL, 65, 0, kL}}, 28014, true},
        {"scrollknob aq-scroll", {Entry("aq-scroll", "scrollknob", 10, 0, 0, 1, 127)}, plain, Msg(0xB0, 0, 10, 5),
         {{WM_MIDI_SCROLL_AQ, 5, 127, kNone}}, -1, false},
        {"scrollknob BQ-Scroll", {Entry("BQ-Scroll", "scrollknob", 10, 0, 0, 1, 65)}, plain, Msg(0xB0, 0, 10, 1),
         {{WM_MIDI_SCROLL_BQ, 1, 65, kNone}}, -1, false},
        {"tl-scroll turned up", {Entry("tl-scroll", "scrollknob", 10, 0, 0, 1, 127)}, plain, Msg(0xB0, 0, 10, 1),
         {{WM_COMMAND, 27612, 0, kNone}}, -1, false},
        {"tl-scroll turned down", {Entry("tl-scroll", "scrollknob", 10, 0, 0, 1, 127)}, plain, Msg(0xB0, 0, 10, 127),
         {{WM_COMMAND, 27613, 0, kNone}}, -1, false},
        {"scrollknob other action", {Entry("a-play", "scrollknob", 10, 0, 27101, 1, 127)}, plain, Msg(0xB0, 0, 10, 1), {}, -1, false},
        {"type Light is not handled", {Entry("a-play", "Light", 10, 0, 27101)}, plain, Msg(0x90, 0, 10, 127), {}, -1, false},
        {"unknown type", {Entry("a-play", "fader", 10, 0, 27101)}, plain, Msg(0x90, 0, 10, 127), {}, -1, false},
        {"pitch bend on deck A, display controller", {playA}, display, Msg(0xE0, 0, 20, 77), {{WM_MIDI_VALUE, 77, 0, kL}}, 28002, false},
        {"pitch bend on deck B, display controller", {}, display, Msg(0xE0, 1, 0, 10), {{WM_MIDI_VALUE, 10, 0, kL}}, 28008, false},
        {"pitch bend, deck A swapped to gain", {}, displaySwapped, Msg(0xE0, 0, 0, 10), {{WM_MIDI_VALUE, 10, 0, kL}}, 28001, false},
        {"pitch bend, deck B swapped to gain", {}, displaySwapped, Msg(0xE0, 1, 0, 10), {{WM_MIDI_VALUE, 10, 0, kL}}, 28007, false},
        {"pitch bend on channel 2 does nothing", {playA}, display, Msg(0xE0, 2, 20, 10), {}, -1, false},
        {"pitch bend without the flag is looked up", {playA}, plain, Msg(0xE0, 0, 20, 127), {{WM_COMMAND, 27101, 0, kNone}}, -1, false},
    };
    for (const Case& c : cases) {
        ControllerMapRows rows;
        for (const ControllerMapItem& entry : c.entries)
            rows[entry.key] = entry;
        ControllerMapTable map;
        map.Replace(rows);
        const ReceiverPlan plan = PlanShortMessage(c.packed, c.flags, map);
        std::vector<Post> posts;
        for (int i = 0; i < plan.count; ++i)
            posts.push_back({plan.posts[i].message, plan.posts[i].wParam, plan.posts[i].lParam, plan.posts[i].slot});
        EXPECT_EQ(c.posts, posts) << c.name;
        EXPECT_EQ(c.jogWheel, plan.setsJogWheel) << c.name;
        if (c.itemCommand >= 0) {
            EXPECT_EQ(c.itemCommand, plan.item.commandId) << c.name;
        }
    }
}

TEST(ReceiverRulesTest, APitchBendCarriesAnEntryBuiltForIt)
{
    ControllerMapTable map;
    ReceiverFlags flags;
    flags.displayController = true;
    const ReceiverPlan plan = PlanShortMessage(midi::PackShortMessage(0xE0, 1, 5, 90), flags, map);
    ASSERT_EQ(1, plan.count);
    EXPECT_EQ(28008, plan.item.commandId);
    EXPECT_EQ(0, plan.item.rlow);
    EXPECT_EQ(127, plan.item.rhigh);
    EXPECT_EQ(0, plan.item.key);
    EXPECT_EQ(0, plan.item.chan);
    EXPECT_TRUE(plan.item.action.IsEmpty());
    EXPECT_TRUE(plan.item.outstring.IsEmpty());
}

TEST(ReceiverRulesTest, TheCarriedEntryIsACopyOfTheMatchedOne)
{
    ControllerMapItem entry = Entry("a-play", "button", 20, 0, 27101, 0, 127, 3, 9);
    entry.outstring = "PLAY A";
    ControllerMapTable map;
    map.Replace({{entry.key, entry}});
    const ReceiverPlan plan = PlanShortMessage(midi::PackShortMessage(0x90, 0, 20, 127), ReceiverFlags(), map);
    map.RemoveAll();
    EXPECT_EQ("PLAY A", std::string(plan.item.outstring));
    EXPECT_EQ(20, plan.item.key);
    EXPECT_EQ(9, plan.item.lkey);
}

} // namespace
