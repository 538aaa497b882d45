// Command ids to the parts that handle them, and the two main menus' items
// and drawing style.
#include "mainwindow/dispatch/CommandAreas.h"
#include "mainwindow/dispatch/MainMenus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace command_areas;
using namespace main_menus;
using C = CommandArea;

TEST(CommandAreas, EachIdGoesToItsPart)
{
    const struct { unsigned id; CommandArea area; } cases[] = {
        {27001, C::Program},       {27002, C::Help},          {27003, C::Program},     {27004, C::Config},
        {27005, C::Close},         {27006, C::ProgramDump},   {27007, C::MainMenu},    {27008, C::Program},
        {28503, C::FileMenu},      {27101, C::Deck},          {27121, C::Deck},        {27146, C::Deck},
        {27201, C::Deck},          {28030, C::Deck},          {28122, C::Deck},        {28301, C::Deck},
        {28446, C::Deck},          {27110, C::Preset},        {27213, C::Preset},      {27105, C::Mixer},
        {28305, C::Mixer},         {28406, C::Mixer},         {27301, C::Mixer},       {27322, C::Mixer},
        {27131, C::AutoMix},       {27316, C::AutoMix},       {27308, C::AutoMixSettings},
        {27108, C::ListLoading},   {28143, C::ListLoading},   {27611, C::LibraryView}, {28114, C::LibraryView},
        {27408, C::LibraryManager}, {27601, C::ListEditing},  {28113, C::ListEditing}, {27612, C::Windows},
        {28144, C::Windows},       {27801, C::VideoDeck},     {27807, C::VideoDeck},   {27903, C::Sampler},
        {28103, C::Sampler},       {28104, C::AudioJukebox},  {28115, C::DAredero},    {28140, C::DAredero},
        {28016, C::JogMode},       {28509, C::UnloadDeck},    {28501, C::ThumbScroll}, {28505, C::PopupMenu},
        {28507, C::PopupMenu},     {32812, C::TrackListMenu}, {32813, C::TrackListMenu},
        // Entries that do nothing.
        {27805, C::DoesNothing},   {27806, C::DoesNothing},   {28141, C::DoesNothing}, {28142, C::DoesNothing},
        {28504, C::DoesNothing},   {28508, C::DoesNothing},
        // No entry: values, scroll messages, and ids nothing handles.
        {28001, C::NoEntry},       {28015, C::NoEntry},       {27318, C::NoEntry},     {28028, C::NoEntry},
        {28029, C::NoEntry},       {27402, C::NoEntry},       {27505, C::NoEntry},     {27603, C::NoEntry},
        {27701, C::NoEntry},       {28121, C::NoEntry},       {28125, C::NoEntry},     {28325, C::NoEntry},
        {28341, C::NoEntry},       {28426, C::NoEntry},       {28440, C::NoEntry},     {27000, C::NoEntry},
        {28511, C::NoEntry},       {32814, C::NoEntry},       {0, C::NoEntry},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.area, AreaOfCommand(c.id)) << c.id << " is " << AreaName(AreaOfCommand(c.id));
}

TEST(MainMenus, TheDrawingStyleAndTitleOfTheSettings)
{
    const struct { int setting, style; } styles[] = {{0, 4}, {1, 8}, {2, 6}, {3, 2}, {4, 10}, {5, 0}, {7, 0}, {-1, 0}};
    for (const auto& s : styles)
        EXPECT_EQ(s.style, MenuDrawStyle(s.setting)) << s.setting;
    EXPECT_EQ(0x40, MenuTitleFlags(0));
    EXPECT_EQ(0x42, MenuTitleFlags(1));
    EXPECT_EQ(0x42, MenuTitleFlags(-3));
}

TEST(MainMenus, EveryItemIsOnceInItsMenuAndItsCommandsHaveHandlers)
{
    const struct { const MenuItem* items; size_t count; size_t expected; } menus[] = {
        {kMainMenuItems, kMainMenuItemCount, 28}, {kFileMenuItems, kFileMenuItemCount, 7}};
    for (const auto& m : menus) {
        ASSERT_EQ(m.expected, m.count);
        std::set<unsigned> ids;
        size_t exits = 0;
        for (size_t i = 0; i < m.count; ++i) {
            const MenuItem& item = m.items[i];
            EXPECT_TRUE(ids.insert(item.id).second) << item.text;
            EXPECT_EQ(&item, FindMenuItem(m.items, m.count, item.id));
            if (item.action == MenuAction::Command) {
                EXPECT_NE(C::NoEntry, AreaOfCommand(item.value)) << item.text;
            }
            if (item.action == MenuAction::Exit)
                ++exits;
        }
        EXPECT_EQ(1u, exits);
        EXPECT_EQ(nullptr, FindMenuItem(m.items, m.count, 1));
    }
}
