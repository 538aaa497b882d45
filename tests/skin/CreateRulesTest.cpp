// The choices of the skin's control creators: slider ranges, edit styles
// and modes, bar and meter patterns, and the meter displays.
#include <gtest/gtest.h>

#include "skin/create/CreateRules.h"
#include "skin/file/Skin.h"

namespace {

SkinItem Item(const char* action, const char* orient = "", int visible = 1)
{
    SkinItem item;
    item.action = action;
    item.orient = orient;
    item.visible = visible;
    return item;
}

} // namespace

TEST(CreateRules, CommonStyleFollowsVisibleOne)
{
    EXPECT_EQ(0x50000000u, SkinCommonStyle(Item("x", "", 1)));
    EXPECT_EQ(0x40000000u, SkinCommonStyle(Item("x", "", 0)));
    EXPECT_EQ(0x40000000u, SkinCommonStyle(Item("x", "", 2)));
}

TEST(CreateRules, SliderRangesByOrientationAndAction)
{
    const struct
    {
        const char* action;
        const char* orient;
        bool vertical;
        int minimum, maximum, position;
    } cases[] = {
        {"sldxfader", "horz", false, -100, 100, 0},
        {"SLDXFADER", "HORZ", false, -100, 100, 0},
        {"sldxfader", "", true, 0, 100, 50},
        {"a-sldgain", "horz", false, 0, 100, 50},
        {"a-sldeqmid", "", true, -50, 50, 0},
        {"b-sldeqhigh", "horz", false, -50, 50, 0},
        // Decks C and D: the same EQ range as A and B, flat at the centre.
        {"c-sldeqmid", "", true, -50, 50, 0},
        {"d-sldeqlow", "vert", true, -50, 50, 0},
        {"sld-vd-volume", "", true, 0, 5000, 50},
        {"sld-vd-volume", "horz", false, 0, 100, 50},
        {"jukevolume", "", true, 0, 100, 50},
    };
    for (const auto& c : cases) {
        const SliderSetup s = SkinSliderSetup(Item(c.action, c.orient));
        EXPECT_EQ(c.vertical, s.vertical) << c.action << " " << c.orient;
        EXPECT_EQ(c.minimum, s.minimum) << c.action;
        EXPECT_EQ(c.maximum, s.maximum) << c.action;
        EXPECT_EQ(c.position, s.position) << c.action;
    }
}

TEST(CreateRules, EditStylesAndModes)
{
    SkinItem item = Item("editfilter");
    item.border = 1;
    EXPECT_EQ(0x50810080u, SkinEditStyle(item));
    item.border = 0;
    EXPECT_EQ(0x50010080u, SkinEditStyle(item));
    item.visible = 0;
    item.border = 1;
    EXPECT_EQ(0x40000000u, SkinEditStyle(item));
    EXPECT_EQ(1, SkinEditMode("editsearch"));
    EXPECT_EQ(1, SkinEditMode("EditSearchList"));
    EXPECT_EQ(2, SkinEditMode("editfilter"));
    EXPECT_EQ(2, SkinEditMode("anything"));
}

TEST(CreateRules, PatternsByTheValuesLastCharacter)
{
    const struct
    {
        const char* value;
        int progress, meter;
    } cases[] = {
        {"H1", 161, 161}, {"h2", 162, 162}, {"H3", 163, 163}, {"H4", 164, 164},
        {"H5", 230, 0},   {"H6", 231, 0},   {"H7", 232, 0},   {"H8", 0, 0},
        {"X1", 0, 0},     {"", 0, 0},       {"V1", 0, 175},   {"v2", 0, 176},
        {"V3", 0, 177},   {"V4", 0, 164},   {"V5", 0, 230},   {"V6", 0, 0},
        {"VU", 0, 0},     {"VU1", 0, 0},    {"HIGH2", 162, 162},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.progress, ProgressPattern(c.value)) << c.value;
        EXPECT_EQ(c.meter, MeterPattern(c.value)) << c.value;
    }
}

TEST(CreateRules, MeterDisplaysAndSlots)
{
    EXPECT_EQ(MeterDisplay::Image, SkinMeterDisplay("VU"));
    EXPECT_EQ(MeterDisplay::Image, SkinMeterDisplay("vu"));
    EXPECT_EQ(MeterDisplay::Needle, SkinMeterDisplay("AN"));
    EXPECT_EQ(MeterDisplay::Needle, SkinMeterDisplay("an2"));
    EXPECT_EQ(MeterDisplay::Bar, SkinMeterDisplay("V1"));
    EXPECT_EQ(MeterDisplay::Bar, SkinMeterDisplay(""));
    const char* names[] = {"a-leftmtr", "a-rightmtr", "b-leftmtr", "b-rightmtr",
                           "c-leftmtr", "c-rightmtr", "d-leftmtr", "d-rightmtr"};
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(slot, ImageMeterSlot(names[slot]));
        EXPECT_EQ(slot < 4 ? slot : -1, NeedleMeterSlot(names[slot]));
        EXPECT_EQ(slot % 2 == 0 ? slot / 2 : -1, LeftMeterDeck(names[slot]));
    }
    EXPECT_EQ(-1, ImageMeterSlot("cpuusage"));
    EXPECT_EQ(-1, NeedleMeterSlot("cpuusage"));
}
