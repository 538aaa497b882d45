// Controller maps as text: keys, channels, light entries and the
// replacement of earlier entries.
#include <gtest/gtest.h>

#include <string>

#include "input/commands/CommandVocabulary.h"
#include "input/commands/DecimalText.h"
#include "input/controllermap/ControllerMap.h"

namespace {

std::string Map(const std::string& items)
{
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<ControllerMapper name=\"t\" version=\"1.0\">" +
           items + "</ControllerMapper>";
}

class ControllerMapTextTest : public ::testing::Test
{
protected:
    void SetUp() override { BuildActionNameMap(); }
    void TearDown() override { ClearCommandMaps(); }
};

TEST_F(ControllerMapTextTest, KeysFollowMidikeyAndChannel)
{
    struct Case
    {
        int midikey;
        int chan;
        int key;
    } cases[] = {{20, 0, 20}, {20, 1, 120}, {20, 2, 20}, {127, 15, 127}, {0, 1, 100}, {5, -1, 5},
                   {2147483647, 1, -2147483549}, {2147483647, 0, 2147483647}};
    for (const Case& c : cases)
        EXPECT_EQ(c.key, ControllerKey(c.midikey, c.chan)) << c.midikey << "/" << c.chan;
}

TEST_F(ControllerMapTextTest, ReadsEveryAttribute)
{
    ControllerMapRows items;
    LightMapRows lights;
    ASSERT_TRUE(ParseControllerMapText(
        Map("<cm action=\"a-play\" type=\"button\" chan=\"1\" midikey=\"20\" rlow=\"3\" rhigh=\"127\" lit=\"2\" "
            "lkey=\"45\" hd=\"1\" cmd=\"9\" outstring=\"PLAY &amp; GO\"/>")
            .c_str(),
        items, lights));
    ASSERT_EQ(1u, items.size());
    const ControllerMapItem& item = items.at(120);
    EXPECT_EQ("a-play", std::string(item.action));
    EXPECT_EQ("button", std::string(item.type));
    EXPECT_EQ(120, item.key);
    EXPECT_EQ(27101, item.commandId);
    EXPECT_EQ(1, item.chan);
    EXPECT_EQ(3, item.rlow);
    EXPECT_EQ(127, item.rhigh);
    EXPECT_EQ(2, item.lit);
    EXPECT_EQ(45, item.lkey);
    EXPECT_EQ(1, item.hd);
    EXPECT_EQ(9, item.cmd);
    EXPECT_EQ("PLAY & GO", std::string(item.outstring));
    EXPECT_TRUE(lights.empty());
}

TEST_F(ControllerMapTextTest, LaterEntriesOnTheSameKeyWinAndLightsGoApart)
{
    ControllerMapRows items;
    LightMapRows lights;
    ASSERT_TRUE(ParseControllerMapText(Map("<cm action=\"a-play\" midikey=\"20\" chan=\"0\" type=\"button\"/>"
                                           "<cm action=\"a-stop\" midikey=\"20\" chan=\"2\" type=\"button\"/>"
                                           "<cm action=\"b-play\" midikey=\"120\" chan=\"0\" type=\"knob\"/>"
                                           "<cm action=\"b-stop\" midikey=\"20\" chan=\"1\" type=\"slider\"/>"
                                           "<cm action=\"unknown\" midikey=\"30\" type=\"Light\" outstring=\"x\"/>"
                                           "<cm midikey=\"40\" chan=\"1\" type=\"light\" outstring=\"HELLO\"/>"
                                           "<cm midikey=\"junk\" action=\"a-pause\"/>")
                                           .c_str(),
                                       items, lights));
    ASSERT_EQ(4u, items.size());
    EXPECT_EQ(27102, items.at(20).commandId);
    EXPECT_EQ(27202, items.at(120).commandId);
    EXPECT_EQ("slider", std::string(items.at(120).type));
    EXPECT_EQ("Light", std::string(items.at(30).type));
    EXPECT_EQ(0, items.at(30).commandId);
    EXPECT_EQ(27103, items.at(0).commandId);
    ASSERT_EQ(1u, lights.size());
    EXPECT_EQ("HELLO", std::string(lights.at(140)));
    EXPECT_FALSE(ActionNameMap.Contains("unknown"));
}

TEST_F(ControllerMapTextTest, NotXmlFailsWrongRootOrNoItemsGivesNothing)
{
    struct Case
    {
        std::string text;
        bool parses;
    } cases[] = {
        {"", false},
        {"<ControllerMapper><cm midikey=\"1\"", false},
        {Map(""), true},
        {"<Other><cm midikey=\"1\" action=\"a-play\"/></Other>", true},
    };
    for (const Case& c : cases) {
        ControllerMapRows items;
        LightMapRows lights;
        items[1].action = "stale";
        EXPECT_EQ(c.parses, ParseControllerMapText(c.text.c_str(), items, lights)) << c.text;
        EXPECT_TRUE(items.empty()) << c.text;
    }
}

TEST_F(ControllerMapTextTest, TheTableCopiesEntriesUnderItsLock)
{
    ControllerMapRows rows;
    rows[120].action = "b-play";
    rows[120].commandId = 27201;
    ControllerMap.Replace(rows);
    ControllerMapItem item;
    EXPECT_TRUE(ControllerMap.Lookup(120, item));
    EXPECT_EQ(27201, item.commandId);
    EXPECT_FALSE(ControllerMap.Lookup(20, item));
    EXPECT_EQ(1u, ControllerMap.GetCount());
}

TEST(DecimalText, ReadsLikeAtoiWithoutOverflow)
{
    struct Case
    {
        const char* text;
        int32_t value;
    } cases[] = {{"", 0},         {"12", 12},   {" 7x", 7},   {"-3", -3},          {"+4", 4},
                 {"x1", 0},       {"0012", 12}, {"1 2", 1},   {"99999999999", INT32_MAX},
                 {"-99999999999", INT32_MIN}, {nullptr, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.value, ReadDecimal(c.text)) << (c.text ? c.text : "(null)");
}

} // namespace
