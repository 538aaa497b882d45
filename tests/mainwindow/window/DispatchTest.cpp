// Commands by area, the key rules on real child windows of the main
// window, and the two main menus through the fake menu runner.
#include "MainWindowFixture.h"

#include "mainwindow/dispatch/MainMenus.h"
#include "skin/file/Skin.h"
#include "widgets/menus/NewMenu.h"

using namespace tavrix_test;
using namespace main_menus;

namespace {

class Dispatch : public MainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(WriteSettings("MenuStyle=1\r\nMenuTitle=1\r\n"));
        ASSERT_NO_FATAL_FAILURE(OpenMainWindow());
        m_parts.Clear();
    }
    std::vector<std::string> Command(UINT id)
    {
        m_parts.Clear();
        m_dialog->SendMessage(WM_COMMAND, id, 0);
        return Drain();
    }
    // A child of the main window with a skin control's id.
    HWND Child(const char* name)
    {
        const int id = name ? TheSkin().LookupControlName(name) : 4444;
        HWND child = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 20, 20, m_dialog->m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_NE(nullptr, child) << (name ? name : "other");
        return child;
    }
};

std::string ExpectedEvent(const MenuItem& item)
{
    switch (item.action) {
    case MenuAction::Command: return "";   // checked by its command's area
    case MenuAction::Show: return std::string("ShowModeless ") + ModelessWindowName(static_cast<ModelessWindow>(item.value));
    case MenuAction::Handler: {
        const MenuHandler h = static_cast<MenuHandler>(item.value);
        if (h == MenuHandler::AddMusicWizard)
            return "RunAddMusicWizard";
        return std::string("RunMenuHandler ") + MenuHandlerName(h);
    }
    case MenuAction::Exit: return "";
    }
    return "";
}

} // namespace

TEST_F(Dispatch, CommandsGoToTheirAreasAndIdsWithoutAnEntryDoNothing)
{
    const struct { UINT id; const char* event; } rows[] = {
        {27001, "RunCommand program 27001"}, {27121, "RunCommand deck 27121"},   {28446, "RunCommand deck 28446"},
        {27110, "RunCommand preset 27110"},  {27301, "RunCommand mixer 27301"},  {27306, "RunCommand AutoMix 27306"},
        {27611, "RunCommand library view 27611"}, {28119, "RunCommand dAredero 28119"},
        {32812, "RunCommand track list menu 32812"}, {32813, "RunCommand track list menu 32813"},
        {28001, nullptr}, {28029, nullptr}, {27805, nullptr}, {28508, nullptr}, {27402, nullptr}, {28511, nullptr},
    };
    for (const auto& row : rows) {
        const std::vector<std::string> events = Command(row.id);
        if (row.event) {
            EXPECT_EQ(std::vector<std::string>{row.event}, events) << row.id;
        } else {
            EXPECT_TRUE(events.empty()) << row.id;
        }
    }
}

TEST_F(Dispatch, TheKeyRulesAsATableOfMessages)
{
    struct Row { const char* target; UINT message; WPARAM key; int result; const char* event; };
    const int kAny = -1;   // handed to the dialog's own key handling
    const Row rows[] = {
        {"editsearch", WM_KEYDOWN, VK_SPACE, FALSE, nullptr},
        {"editfilter", WM_KEYDOWN, VK_SPACE, FALSE, nullptr},
        {"a-queue", WM_KEYDOWN, VK_SPACE, TRUE, nullptr},
        {nullptr, WM_KEYUP, VK_SPACE, TRUE, nullptr},
        {"a-queue", WM_KEYDOWN, VK_DELETE, TRUE, "DeleteSelectedQueueItems 4005"},
        {"b-queue", WM_KEYDOWN, VK_DELETE, TRUE, "DeleteSelectedQueueItems 4006"},
        {"mx-queue", WM_KEYDOWN, VK_DELETE, TRUE, "DeleteSelectedQueueItems 4011"},
        {"mylibrary", WM_KEYDOWN, VK_DELETE, TRUE, "DeletePlaylist"},
        {"a-queue", WM_KEYUP, VK_DELETE, TRUE, nullptr},
        {"a-queue", WM_CHAR, '.', kAny, nullptr},
        {"mylibrary", WM_CHAR, '.', kAny, nullptr},
        {"tracklist", WM_KEYDOWN, VK_DELETE, kAny, nullptr},
        {nullptr, WM_KEYDOWN, VK_ESCAPE, TRUE, nullptr},
        {"editsearch", WM_KEYUP, VK_ESCAPE, TRUE, nullptr},
        {"editsearchlist", WM_KEYDOWN, VK_RETURN, TRUE, "FilterTrackList"},
        {"jukelist", WM_KEYDOWN, VK_RETURN, TRUE, "OpenJukeListItem"},
        {"jukelist", WM_KEYUP, VK_RETURN, TRUE, nullptr},
        {"editfilter", WM_KEYDOWN, VK_RETURN, TRUE, nullptr},
        {"editsearch", WM_KEYDOWN, VK_RETURN, TRUE, "RunCommand library view 27611"},
        {"editsearch", WM_KEYUP, VK_RETURN, TRUE, nullptr},
        {nullptr, WM_KEYDOWN, 'A', kAny, nullptr},
    };
    for (const Row& row : rows) {
        HWND child = Child(row.target);
        MSG msg = {};
        msg.hwnd = child;
        msg.message = row.message;
        msg.wParam = row.key;
        m_parts.Clear();
        const BOOL result = m_dialog->PreTranslateMessage(&msg);
        const std::string what = std::string(row.target ? row.target : "other") + " message " +
                                 std::to_string(row.message) + " key " + std::to_string(row.key);
        if (row.result != kAny) {
            EXPECT_EQ(row.result, result) << what;
        }
        if (row.event) {
            EXPECT_EQ(std::vector<std::string>{row.event}, Drain()) << what;
        } else {
            EXPECT_TRUE(Drain().empty()) << what;
        }
        ::DestroyWindow(child);
    }
}

TEST_F(Dispatch, TheMainMenuCarriesOutEachItem)
{
    for (size_t i = 0; i < kMainMenuItemCount; ++i) {
        const MenuItem& item = kMainMenuItems[i];
        if (item.action == MenuAction::Exit)
            continue;
        m_parts.menuChoices = {item.id};
        const std::vector<std::string> events = Command(27007);
        ASSERT_FALSE(events.empty()) << item.text;
        EXPECT_EQ("RunMenu Main Menu", events.front()) << item.text;
        const std::string expected = item.action == MenuAction::Command
            ? std::string("RunCommand ") + command_areas::AreaName(command_areas::AreaOfCommand(item.value)) + " " +
                  std::to_string(item.value)
            : ExpectedEvent(item);
        ASSERT_GE(events.size(), 2u) << item.text;
        EXPECT_EQ(expected, events[1]) << item.text;
    }
    // The menu as the user sees it: the resource's items with the title band.
    // MAIN/MenuStyle=1 is style 8 (as the menus take it under this loader).
    const UINT opened = m_parts.menuStyle;
    CNewMenu::SetDrawStyle(4);
    CNewMenu::SetDrawStyle(8);
    EXPECT_EQ(CNewMenu::GetDrawStyle(), opened);
    CNewMenu::SetDrawStyle(4);
    EXPECT_NE(CNewMenu::GetDrawStyle(), opened);
    EXPECT_EQ(static_cast<UINT>(TPM_RIGHTBUTTON | TPM_RETURNCMD), m_parts.menuFlags);
    EXPECT_EQ("Main Menu", m_parts.menuTitle);
    ASSERT_EQ(kMainMenuItemCount, m_parts.menuItems.size());
    for (size_t i = 0; i < kMainMenuItemCount; ++i) {
        EXPECT_EQ(kMainMenuItems[i].id, m_parts.menuItems[i].first) << i;
        EXPECT_EQ(kMainMenuItems[i].text, m_parts.menuItems[i].second) << i;
    }
}

TEST_F(Dispatch, TheAddMusicWizardItemRefreshesTheTree)
{
    m_parts.menuChoices = {32906};
    EXPECT_EQ((std::vector<std::string>{"RunMenu Main Menu", "RunAddMusicWizard", "DisplayTreeSelection",
                                        "BuildLibraryTree"}),
              Command(27007));
    m_parts.menuChoices = {32965};
    EXPECT_EQ((std::vector<std::string>{"RunMenu File Menu", "RunMenuHandler new playlist", "BuildLibraryTree"}),
              Command(28503));
    // Choosing nothing does nothing.
    m_parts.menuChoices = {};
    EXPECT_EQ(std::vector<std::string>{"RunMenu Main Menu"}, Command(27007));
}

TEST_F(Dispatch, TheFileMenuCarriesOutEachItem)
{
    for (size_t i = 0; i < kFileMenuItemCount; ++i) {
        const MenuItem& item = kFileMenuItems[i];
        if (item.action == MenuAction::Exit)
            continue;
        m_parts.menuChoices = {item.id};
        const std::vector<std::string> events = Command(28503);
        ASSERT_GE(events.size(), 2u) << item.text;
        EXPECT_EQ("RunMenu File Menu", events[0]) << item.text;
        EXPECT_EQ(ExpectedEvent(item), events[1]) << item.text;
    }
    EXPECT_EQ(static_cast<UINT>(TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_VERPOSANIMATION), m_parts.menuFlags);
    EXPECT_EQ("File Menu", m_parts.menuTitle);
    ASSERT_EQ(kFileMenuItemCount, m_parts.menuItems.size());
    for (size_t i = 0; i < kFileMenuItemCount; ++i)
        EXPECT_EQ(kFileMenuItems[i].text, m_parts.menuItems[i].second) << i;
}

TEST_F(Dispatch, ExitInTheFileMenuShutsDown)
{
    m_parts.menuChoices = {32926};
    m_dialog->SendMessage(WM_COMMAND, 28503, 0);
    EXPECT_TRUE(InOrder(LogLines(), {"Main window shown", "Shutdown started", "Shutdown complete"}));
    EXPECT_FALSE(::IsWindow(m_parts.window));
}
