// MIDI learn without windows: the phases of each control type, the entry
// they record, the map file text and the map-name check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/commands/CommandVocabulary.h"
#include "input/controllermap/ControllerMap.h"
#include "input/learn/LearnSteps.h"
#include "input/midi/MidiBytes.h"

namespace {

uint32_t Msg(int command, int channel, int data1, int data2)
{
    return midi::PackShortMessage(command, channel, data1, data2);
}

struct Sequence
{
    const char* type;
    std::vector<uint32_t> phase1;
    std::vector<uint32_t> phase2; // empty: one phase
    int chan, command, midikey, rlow, rhigh;
    std::vector<std::string> prompts; // at choice, and after the first Finished
};

TEST(LearnStepsTest, EachControlTypeLearnsItsRange)
{
    const Sequence cases[] = {
        {"button", {Msg(0x90, 0, 36, 127), Msg(0x80, 0, 36, 0)}, {}, 0, 0x90, 36, 0, 127,
         {"Press and release the button now. Click Finished when complete."}},
        {"slider", {Msg(0xB0, 2, 7, 20), Msg(0xB0, 2, 7, 0)}, {Msg(0xB0, 2, 7, 90), Msg(0xB0, 2, 7, 127)}, 2, 0xB0, 7, 127, 0,
         {"Pull the slider all the way to the left (horz), or top (vert), then click Finished.",
          "Pull the slider all the way to the right (horz), or bottom (vert), then click Finished."}},
        {"knob", {Msg(0xB0, 0, 8, 0)}, {Msg(0xB0, 0, 8, 127)}, 0, 0xB0, 8, 0, 127,
         {"Rotate the knob all the way to the left now. Click Finished when complete.",
          "Rotate the knob all the way to the right, then click Finished."}},
        {"scrollknob", {Msg(0xB0, 1, 9, 127)}, {Msg(0xB0, 1, 9, 1)}, 1, 0xB0, 9, 127, 1,
         {"Turn the knob to the left slowly. Click Finished when complete.",
          "Turn the knob slowly to the right, then click Finished."}},
        {"WHEEL", {Msg(0xB0, 0, 25, 63)}, {Msg(0xB0, 0, 25, 65)}, 0, 0xB0, 25, 63, 65,
         {"Move the wheel to the left now (slowly), then click Finished",
          "Turn the knob slowly to the right, then click Finished."}},
    };
    for (const Sequence& c : cases) {
        LearnSteps steps;
        CString prompt;
        ASSERT_TRUE(steps.ChooseType(c.type, prompt)) << c.type;
        EXPECT_EQ(c.prompts[0], std::string(prompt)) << c.type;
        bool finishable = false;
        for (uint32_t message : c.phase1)
            finishable = steps.Receive(message);
        EXPECT_TRUE(finishable) << c.type;
        LearnSteps::FinishResult result = steps.Finish(prompt);
        if (!c.phase2.empty()) {
            ASSERT_EQ(LearnSteps::FinishResult::NextPhase, result) << c.type;
            EXPECT_EQ(c.prompts[1], std::string(prompt)) << c.type;
            for (uint32_t message : c.phase2)
                EXPECT_TRUE(steps.Receive(message)) << c.type;
            result = steps.Finish(prompt);
            EXPECT_TRUE(prompt.IsEmpty()) << c.type;
        }
        EXPECT_EQ(LearnSteps::FinishResult::Done, result) << c.type;
        EXPECT_FALSE(steps.IsLearning()) << c.type;
        const LearnEntry& entry = steps.Entry();
        EXPECT_EQ(std::string(c.type), std::string(entry.type));
        EXPECT_EQ(c.chan, entry.chan) << c.type;
        EXPECT_EQ(c.command, entry.command) << c.type;
        EXPECT_EQ(c.midikey, entry.midikey) << c.type;
        EXPECT_EQ(c.rlow, entry.rlow) << c.type;
        EXPECT_EQ(c.rhigh, entry.rhigh) << c.type;
        EXPECT_EQ(0, entry.lit);
        EXPECT_EQ(0, entry.lkey);
        EXPECT_EQ(0, entry.hd);
    }
}

TEST(LearnStepsTest, AButtonIsFinishableOnlyAfterItsRelease)
{
    LearnSteps steps;
    CString prompt;
    ASSERT_TRUE(steps.ChooseType("button", prompt));
    EXPECT_FALSE(steps.Receive(Msg(0x90, 0, 36, 127)));
    EXPECT_TRUE(steps.IsLearning());
    EXPECT_TRUE(steps.Receive(Msg(0x90, 0, 36, 0)));
    // Further messages of the phase change nothing.
    EXPECT_FALSE(steps.Receive(Msg(0x90, 0, 99, 55)));
    EXPECT_EQ(36, steps.Entry().midikey);
    EXPECT_EQ(127, steps.Entry().rhigh);
    EXPECT_EQ(0, steps.Entry().rlow);
    EXPECT_EQ(127, steps.Entry().value);
}

TEST(LearnStepsTest, AnUnknownTypeDoesNotListen)
{
    LearnSteps steps;
    CString prompt = "old";
    EXPECT_FALSE(steps.ChooseType("fader", prompt));
    EXPECT_TRUE(prompt.IsEmpty());
    EXPECT_FALSE(steps.IsLearning());
    EXPECT_FALSE(steps.Receive(Msg(0x90, 0, 1, 1)));
    EXPECT_EQ(0, steps.Entry().midikey);
}

TEST(LearnStepsTest, ChoosingATypeClearsTheNumbers)
{
    LearnSteps steps;
    CString prompt;
    steps.ChooseType("knob", prompt);
    steps.Receive(Msg(0xB1, 1, 40, 3));
    steps.ChooseType("slider", prompt);
    EXPECT_EQ(0, steps.Entry().midikey);
    EXPECT_EQ(0, steps.Entry().chan);
    EXPECT_EQ(0, steps.Entry().rlow);
    EXPECT_EQ("slider", std::string(steps.Entry().type));
}

TEST(LearnStepsTest, TheMapTextListsRowsInOrderWithTheLearnedAttributes)
{
    LearnedRow b;
    b.action = "b-play";
    b.type = "button";
    b.chan = 1;
    b.midikey = 20;
    b.rlow = 0;
    b.rhigh = 127;
    LearnedRow a;
    a.action = "a-gain";
    a.type = "slider";
    a.chan = 0;
    a.midikey = 7;
    a.rlow = 127;
    a.rhigh = 0;
    const CString text = FormatLearnedMapText("My <Map>", {b, a});
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
              "<ControllerMapper name=\"My &lt;Map&gt;\" version=\"1.0\">\r\n"
              "<cm action=\"b-play\" type=\"button\" chan=\"1\" midikey=\"20\" rlow=\"0\" rhigh=\"127\" lit=\"0\" lkey=\"0\" hd=\"0\"/>\r\n"
              "<cm action=\"a-gain\" type=\"slider\" chan=\"0\" midikey=\"7\" rlow=\"127\" rhigh=\"0\" lit=\"0\" lkey=\"0\" hd=\"0\"/>\r\n"
              "</ControllerMapper>\r\n",
              std::string(text));

    // The loader reads it back: channel 1's key is 120.
    BuildActionNameMap();
    ControllerMapRows items;
    LightMapRows lights;
    ASSERT_TRUE(ParseControllerMapText(text, items, lights));
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ(27201, items[120].commandId);
    EXPECT_EQ(127, items[7].rlow);
    EXPECT_TRUE(items[7].outstring.IsEmpty());
    ClearCommandMaps();
}

TEST(LearnStepsTest, MapNamesThatCannotBeAFileNameAreRefused)
{
    struct Case
    {
        const char* name;
        bool ok;
    } cases[] = {{"denon", true},      {"My Map 2", true},   {"a.b", true},       {"", false},
                 {"..", false},        {"a..b", false},      {"..\\up", false},   {"sub/map", false},
                 {"sub\\map", false},  {"c:map", false},     {"a*", false},       {"a?", false},
                 {"a\"b", false},      {"a<b", false},       {"a>b", false},      {"a|b", false},
                 {"tab\there", false}, {"trailing.", false}, {"trailing ", false}};
    for (const Case& c : cases) {
        CString reason;
        EXPECT_EQ(c.ok, CheckMapName(c.name, reason)) << c.name;
        EXPECT_EQ(c.ok, reason.IsEmpty()) << c.name;
    }
}

} // namespace
