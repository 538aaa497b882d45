// Shortcut files as text: reading the "sc" items, the flags, the two edits
// and the written text read back.
#include <gtest/gtest.h>

#include <string>

#include "input/commands/CommandVocabulary.h"
#include "input/shortcuts/ShortcutTable.h"

namespace {

const std::string kProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

class ShortcutTextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BuildActionNameMap();
        BuildKeyNameMap();
    }
    void TearDown() override { ClearCommandMaps(); }
};

TEST_F(ShortcutTextTest, FlagAttributesGiveAcceleratorFlags)
{
    struct Case
    {
        const char* ctrl;
        const char* alt;
        const char* shift;
        int flags;
    } cases[] = {
        {"1", "1", "1", 0x1D}, {"0", "0", "0", 0x01}, {"1", "0", "0", 0x09}, {"0", "1", "0", 0x11},
        {"0", "0", "1", 0x05}, {"2", "-1", "07", 0x1D}, {"yes", "", " 1x", 0x05}, {nullptr, nullptr, nullptr, 0x01},
    };
    for (const Case& c : cases) {
        std::string item = "<sc key=\"a\"";
        if (c.ctrl)
            item += std::string(" ctrl=\"") + c.ctrl + "\" alt=\"" + c.alt + "\" shift=\"" + c.shift + "\"";
        item += " action=\"a-play\"/>";
        ShortcutRows rows;
        ASSERT_TRUE(ParseShortcutText((kProlog + "<TavrixShortCuts>" + item + "</TavrixShortCuts>").c_str(), rows));
        ASSERT_EQ(1u, rows.size()) << item;
        EXPECT_EQ(c.flags, rows[0].flags) << item;
    }
}

TEST_F(ShortcutTextTest, ReadsScItemsInOrderAndSkipsOthers)
{
    const std::string text = kProlog +
                             "<TavrixShortCuts Date=\"01/02/03\" Items=\"9\">"
                             "<sc key=\"F1\" ctrl=\"0\" alt=\"0\" shift=\"0\" action=\"a-play\"/>"
                             "<other key=\"x\" action=\"b-play\"/>"
                             "<sc key=\"nokey\" ctrl=\"1\" alt=\"0\" shift=\"0\" action=\"no-action\"/>"
                             "<sc key=\"sp\" ctrl=\"0\" alt=\"0\" shift=\"1\" action=\"B-unloaddeck\"/>"
                             "</TavrixShortCuts>";
    ShortcutRows rows;
    ASSERT_TRUE(ParseShortcutText(text.c_str(), rows));
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("F1", std::string(rows[0].keyName));
    EXPECT_EQ("no-action", std::string(rows[1].actionName));
    const std::vector<ShortcutAccelRow> accel = ShortcutAccelRows(rows);
    const ShortcutAccelRow expected[] = {{0x01, 112, 27101}, {0x09, 0, 0}, {0x05, 32, 28510 & 0xFFFF}};
    ASSERT_EQ(3u, accel.size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i].fVirt, accel[i].fVirt) << i;
        EXPECT_EQ(expected[i].key, accel[i].key) << i;
        EXPECT_EQ(expected[i].cmd, accel[i].cmd) << i;
    }
    // Nothing was added to the maps by the look-ups.
    EXPECT_FALSE(ActionNameMap.Contains("no-action"));
    EXPECT_FALSE(KeyNameMap.Contains("nokey"));
}

TEST_F(ShortcutTextTest, NotXmlKeepsRowsWrongRootOrNoItemsEmptiesThem)
{
    const ShortcutRows before = {ShortcutEntry("a", "a-play", 0x01)};
    struct Case
    {
        std::string text;
        bool parses;
    } cases[] = {
        {"", false},
        {"not xml at all", false},
        {kProlog + "<TavrixShortCuts><sc key=\"a\"", false},
        {kProlog + "<OtherRoot><sc key=\"a\" action=\"a-play\"/></OtherRoot>", true},
        {kProlog + "<TavrixShortCuts Items=\"0\"/>", true},
        {kProlog + "<tavrixshortcuts><sc key=\"a\" action=\"a-play\"/></tavrixshortcuts>", true},
    };
    for (const Case& c : cases) {
        ShortcutRows rows = before;
        EXPECT_EQ(c.parses, ParseShortcutText(c.text.c_str(), rows)) << c.text;
        EXPECT_EQ(c.parses ? 0u : 1u, rows.size()) << c.text;
    }
}

TEST_F(ShortcutTextTest, StoreReplacesTheLastMatchRemoveTheFirstIgnoringCase)
{
    ShortcutRows rows = {ShortcutEntry("a", "a-play", 0x01), ShortcutEntry("b", "x-other", 0x01), ShortcutEntry("c", "A-PLAY", 0x09)};
    StoreShortcutRow(rows, ShortcutEntry("d", "a-play", 0x11));
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("a", std::string(rows[0].keyName));
    EXPECT_EQ("d", std::string(rows[2].keyName));
    EXPECT_EQ("a-play", std::string(rows[2].actionName));
    StoreShortcutRow(rows, ShortcutEntry("e", "b-play", 0x01));
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ("e", std::string(rows[3].keyName));

    EXPECT_TRUE(RemoveShortcutRow(rows, ShortcutEntry("", "A-Play", 0)));
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("b", std::string(rows[0].keyName));
    EXPECT_FALSE(RemoveShortcutRow(rows, ShortcutEntry("", "c-play", 0)));
    EXPECT_EQ(3u, rows.size());

    ShortcutRows capitals = {ShortcutEntry("c", "A-PLAY", 0x09)};
    EXPECT_EQ(nullptr, FindShortcutRow(capitals, "a-play"));
    EXPECT_EQ(&capitals[0], FindShortcutRow(capitals, "A-PLAY"));
}

TEST_F(ShortcutTextTest, WrittenTextReadsBackTheSameRows)
{
    ShortcutRows rows;
    for (int i = 0; i < 300; ++i)
        rows.push_back(ShortcutEntry(kKeyListOrder[i % 71], i % 2 ? "a-play" : "x<&>\"'", static_cast<uint8_t>(0x01 | (((i % 8) << 2) & 0x1C))));
    const CString text = BuildShortcutFileText(rows, "12/31/26");
    EXPECT_EQ(0, std::string(text).find(kProlog + "<TavrixShortCuts Date=\"12/31/26\" Items=\"300\">"));
    ShortcutRows back;
    ASSERT_TRUE(ParseShortcutText(text, back));
    ASSERT_EQ(rows.size(), back.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(std::string(rows[i].keyName), std::string(back[i].keyName));
        EXPECT_EQ(std::string(rows[i].actionName), std::string(back[i].actionName));
        EXPECT_EQ(rows[i].flags & 0x1D, back[i].flags) << i;
    }
}

} // namespace
