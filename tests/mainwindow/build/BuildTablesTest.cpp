// The builders' tables and rules, window-free.
#include "mainwindow/build/BuildTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace main_build;

namespace {

// Every name of a table once, and its index found again by name.
template <class NameOf, class IndexOf>
void ExpectTable(int count, NameOf nameOf, IndexOf indexOf)
{
    std::set<std::string> names;
    for (int i = 0; i < count; ++i) {
        const std::string name = nameOf(i);
        EXPECT_FALSE(name.empty()) << i;
        EXPECT_TRUE(names.insert(name).second) << name << " twice";
        EXPECT_EQ(i, indexOf(name.c_str())) << name;
    }
    EXPECT_EQ(static_cast<size_t>(count), names.size());
    EXPECT_STREQ("", nameOf(count));
    EXPECT_STREQ("", nameOf(-1));
}

} // namespace

TEST(BuildTables, EachTableNamesItsElementsOnce)
{
    ExpectTable(kButtonCount, ButtonAction, ButtonIndex);
    ExpectTable(kTextFieldCount, TextFieldName, TextFieldIndex);
    ExpectTable(kStatusFieldCount, StatusFieldName, StatusFieldIndex);
    ExpectTable(kLightCount, LightName, LightIndex);
    ExpectTable(kTrackListCount, TrackListName, TrackListIndex);
    EXPECT_EQ(218, kButtonCount);
    EXPECT_EQ(73, kTextFieldCount);
    EXPECT_EQ(11, kStatusFieldCount);
    EXPECT_EQ(61, kLightCount);
}

TEST(BuildTables, NamesOutsideTheTablesMakeNothing)
{
    const struct
    {
        const char* name;
        int button, text, status, light, list;
    } cases[] = {
        {"a-play", 6, -1, -1, -1, -1},
        {"A-PLAY", 6, -1, -1, -1, -1},   // actions compare without case
        {"fx-20", ButtonIndex("fx-19") + 1, -1, -1, -1, -1},
        {"c-next", -1, -1, -1, -1, -1},  // decks C and D have no next
        {"c-viewqueue", -1, -1, -1, -1, -1},
        {"a-status", -1, 12, -1, -1, -1},
        {"A-STATUS", -1, -1, -1, -1, -1}, // control names compare with case
        {"s-clist", -1, -1, -1, -1, -1},
        {"s-vdstatus", -1, -1, 10, -1, -1},
        {"lt-c-preset1", -1, -1, -1, -1, -1},
        {"lt-vd-exmon", -1, -1, -1, 60, -1},
        {"c-queue", -1, -1, -1, -1, -1},
        {"j-queue", -1, -1, -1, -1, -1},
        {"jukequeue", -1, -1, -1, -1, 7},
        {"", -1, -1, -1, -1, -1},
        {nullptr, -1, -1, -1, -1, -1},
    };
    for (const auto& c : cases) {
        const std::string label = c.name ? c.name : "(null)";
        EXPECT_EQ(c.button, ButtonIndex(c.name)) << label;
        EXPECT_EQ(c.text, TextFieldIndex(c.name)) << label;
        EXPECT_EQ(c.status, StatusFieldIndex(c.name)) << label;
        EXPECT_EQ(c.light, LightIndex(c.name)) << label;
        EXPECT_EQ(c.list, TrackListIndex(c.name)) << label;
    }
}

TEST(BuildTables, TrackListTypes)
{
    const int types[] = {8, 6, 7, 5, 1, 2, 4, 14};
    for (int i = 0; i < kTrackListCount; ++i)
        EXPECT_EQ(types[i], TrackListType(i)) << TrackListName(i);
    EXPECT_EQ(0, TrackListType(8));
}

TEST(BuildTables, MiscItemsByName)
{
    const struct
    {
        const char* name;
        MiscKind kind;
        int slot;
    } cases[] = {
        {"tl-splitter", MiscKind::Splitter, 0},   {"tl-infownd", MiscKind::InfoWindow, 0},
        {"j1", MiscKind::JukePane, 0},            {"j10", MiscKind::JukePane, 9},
        {"j11", MiscKind::None, 0},               {"j0", MiscKind::None, 0},
        {"jukespectrum", MiscKind::Spectrum, 0},  {"jukevolume", MiscKind::JukeVolume, 0},
        {"jukeprog", MiscKind::JukeProgress, 0},  {"artbuddy", MiscKind::AlbumArt, 1},
        {"artd", MiscKind::AlbumArt, 5},          {"editsearchlist", MiscKind::Edit, 2},
        {"cpuusage", MiscKind::CpuMeter, 0},      {"d-rightmtr", MiscKind::LevelMeter, 7},
        {"c-progress", MiscKind::DeckProgress, 2}, {"vp-b", MiscKind::PeakView, 1},
        {"videop", MiscKind::VideoOnSkin, 0},     {"videoa", MiscKind::None, 0},
        {"knb-a-jog", MiscKind::Knob, 0},         {"knb-d-eqhigh", MiscKind::Knob, 15},
        {"sldxfader", MiscKind::Slider, 0},       {"sld-vd-volume", MiscKind::Slider, 23},
        {"a-sldseek", MiscKind::SeekSlider, 24},  {"sld-vd-seek", MiscKind::SeekSlider, 28},
        {"tracklist", MiscKind::None, 0},         {nullptr, MiscKind::None, 0},
    };
    for (const auto& c : cases) {
        int slot = -5;
        EXPECT_EQ(c.kind, ClassifyMisc(c.name, &slot)) << (c.name ? c.name : "(null)");
        EXPECT_EQ(c.slot, slot) << (c.name ? c.name : "(null)");
    }
    EXPECT_STREQ("knb-c-jog", KnobName(8));
    EXPECT_EQ(1050, KnobTemplateId(8));
    EXPECT_EQ(1042, KnobTemplateId(0));
    EXPECT_EQ(1057, KnobTemplateId(15));
    EXPECT_EQ(0, KnobTemplateId(16));
}

TEST(BuildTables, StylesScrollBarsAndItemHeights)
{
    EXPECT_EQ(0x500100A7u, TreeStyle(0));
    EXPECT_EQ(0x508100A7u, TreeStyle(1));
    EXPECT_EQ(0x500100A7u, TreeStyle(2));
    EXPECT_EQ(0x50010001u, ListStyle(0));
    EXPECT_EQ(0x50810001u, ListStyle(1));
    EXPECT_EQ(3, ScrollBarsToHide(1, 1));
    EXPECT_EQ(0, ScrollBarsToHide(1, 0));
    EXPECT_EQ(1, ScrollBarsToHide(0, 1));
    EXPECT_EQ(-1, ScrollBarsToHide(0, 0));
    EXPECT_EQ(-1, ScrollBarsToHide(2, 2));
    EXPECT_EQ(19, TreeItemHeight(90));
    EXPECT_EQ(20, TreeItemHeight(105));
    EXPECT_EQ(10, TreeItemHeight(0));
}

TEST(BuildTables, SoundEffectOfAButton)
{
    EXPECT_EQ(2, SoundEffectIndexOf("fx-3"));
    EXPECT_EQ(2, SoundEffectIndexOf("FX-3"));
    EXPECT_EQ(19, SoundEffectIndexOf("fx-20"));
    EXPECT_EQ(-1, SoundEffectIndexOf("fx-stop"));
    EXPECT_EQ(-1, SoundEffectIndexOf("FX-Play"));
    EXPECT_EQ(-1, SoundEffectIndexOf("a-play"));
    EXPECT_EQ(-1, SoundEffectIndexOf("fx-"));   // atoi of nothing is 0
    EXPECT_EQ(-1, SoundEffectIndexOf(nullptr));
}

TEST(BuildTables, QueueCaptionFields)
{
    const struct
    {
        int code;
        const char* field;
        int slot;
    } cases[] = {
        {1, "s-alist", TL_DECKA},          {4005, "s-alist", TL_DECKA},
        {2, "s-blist", TL_DECKB},          {4006, "s-blist", TL_DECKB},
        {4, "s-mxlist", TL_AUTOMIX},       {4011, "s-mxlist", TL_AUTOMIX},
        {5, "s-requestlist", TL_REQUEST},  {4009, "s-requestlist", TL_REQUEST},
        {6, "s-historylist", TL_HISTORY},  {4008, "s-historylist", TL_HISTORY},
        {3, nullptr, -1}, {7, nullptr, -1}, {4007, nullptr, -1}, {0, nullptr, -1},
    };
    for (const auto& c : cases) {
        int slot = -5;
        const char* field = QueueCaptionField(c.code, &slot);
        if (c.field)
            EXPECT_STREQ(c.field, field) << c.code;
        else
            EXPECT_EQ(nullptr, field) << c.code;
        EXPECT_EQ(c.slot, slot) << c.code;
    }
    EXPECT_EQ("AutoMix:: 3 Items, Time: 00:10:05", FormatQueueCaption("AutoMix", 3, "00:10:05"));
    EXPECT_EQ(":: 0 Items, Time: ", FormatQueueCaption(nullptr, 0, nullptr));
    EXPECT_EQ("Search - 12 items", FormatListCaption("Search", 12));
}
