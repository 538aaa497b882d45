// The key editor on its real template: what it shows, what Save and Reset
// do to the shortcut table, the accelerator table and the file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "RecordingMessages.h"
#include "input/commands/CommandVocabulary.h"
#include "input/shortcuts/KeyEdit.h"
#include "input/shortcuts/Shortcuts.h"
#include "tests/framework/ui/UiTestSupport.h"
#include "ShortcutTestFixture.h"

namespace {

class KeyEditTest : public ShortcutTableTest
{
protected:
    void SetUp() override
    {
        ShortcutTableTest::SetUp();
        BuildKeyNameMap();
        m_file = m_dir.File("shortcuts.key");
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        ShortcutTableTest::TearDown();
    }

    // Opens the editor for an action (modeless, so the test can drive it).
    void Open(const char* action)
    {
        m_dialog.SetActionName(action);
        m_dialog.SetShortcutFile(m_file.c_str());
        ASSERT_TRUE(m_dialog.Create(IDD_KEYEDIT));
        m_dialog.ShowWindow(SW_SHOW);
    }
    HWND Item(int id) { return ::GetDlgItem(m_dialog.GetSafeHwnd(), id); }
    std::string Text(int id)
    {
        char text[256] = {};
        ::GetWindowTextA(Item(id), text, sizeof(text));
        return text;
    }
    bool Checked(int id) { return ::SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    void ChooseKey(const char* name)
    {
        ::SendMessageA(Item(IDC_KEYEDIT_KEYS), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        ::SendMessageA(m_dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_KEYEDIT_KEYS, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_KEYEDIT_KEYS)));
    }
    std::string SelectedKey()
    {
        const LRESULT index = ::SendMessageA(Item(IDC_KEYEDIT_KEYS), CB_GETCURSEL, 0, 0);
        if (index < 0)
            return "";
        char text[32] = {};
        ::SendMessageA(Item(IDC_KEYEDIT_KEYS), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    bool SaveEnabled() { return ::IsWindowEnabled(Item(IDOK)) != FALSE; }
    std::string FileText()
    {
        std::string text;
        tavrix_test::ReadFileBytes(m_file, text);
        return text;
    }

    KeyEdit m_dialog;
    RecordingMessages m_messages;
    std::string m_file;
};

TEST_F(KeyEditTest, AMappedActionShowsItsShortcut)
{
    ShortcutTable = {ShortcutEntry("F2", "b-play", 0x01), ShortcutEntry("num3", "a-play", 0x1D)};
    Open("a-play");
    char caption[64] = {};
    ::GetWindowTextA(m_dialog.GetSafeHwnd(), caption, sizeof(caption));
    EXPECT_STREQ("Edit Keyboard Shortcut", caption);
    EXPECT_EQ(71, ::SendMessageA(Item(IDC_KEYEDIT_KEYS), CB_GETCOUNT, 0, 0));
    EXPECT_EQ("a-play", Text(IDC_KEYEDIT_COMMAND));
    EXPECT_EQ("Key is mapped", Text(IDC_KEYEDIT_STATE));
    EXPECT_TRUE(Checked(IDC_KEYEDIT_CTRL));
    EXPECT_TRUE(Checked(IDC_KEYEDIT_ALT));
    EXPECT_TRUE(Checked(IDC_KEYEDIT_SHIFT));
    EXPECT_EQ("num3", SelectedKey());
    EXPECT_FALSE(SaveEnabled());
}

TEST_F(KeyEditTest, SaveStoresTheShortcutAndWritesTheFile)
{
    ShortcutTable = {ShortcutEntry("F2", "b-play", 0x01), ShortcutEntry("num3", "a-play", 0x1D)};
    Open("a-play");
    Click(IDC_KEYEDIT_ALT);
    EXPECT_TRUE(SaveEnabled());
    ChooseKey("home");
    Click(IDOK);
    EXPECT_FALSE(::IsWindowVisible(m_dialog.GetSafeHwnd()));
    ASSERT_EQ(2u, ShortcutTable.size());
    EXPECT_EQ("home", std::string(ShortcutTable[1].keyName));
    EXPECT_EQ(0x0D, ShortcutTable[1].flags);
    ASSERT_NE(nullptr, m_table);
    ACCEL rows[2];
    ASSERT_EQ(2, ::CopyAcceleratorTableA(m_table, rows, 2));
    EXPECT_EQ(36, rows[1].key);
    EXPECT_EQ(27101, rows[1].cmd);
    EXPECT_NE(std::string::npos, FileText().find("<sc key=\"home\" ctrl=\"1\" alt=\"0\" shift=\"1\" action=\"a-play\"/>"));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(KeyEditTest, LookupIsCaseSensitiveButStoringIsNot)
{
    ShortcutTable = {ShortcutEntry("x", "A-PLAY", 0x01)};
    Open("a-play");
    EXPECT_EQ("Not mapped", Text(IDC_KEYEDIT_STATE));
    EXPECT_FALSE(Checked(IDC_KEYEDIT_CTRL));
    ChooseKey("F12");
    Click(IDOK);
    ASSERT_EQ(1u, ShortcutTable.size());
    EXPECT_EQ("F12", std::string(ShortcutTable[0].keyName));
    EXPECT_EQ("a-play", std::string(ShortcutTable[0].actionName));
}

TEST_F(KeyEditTest, SaveWithoutAKeyIsRefused)
{
    ShortcutTable = {ShortcutEntry("F2", "b-play", 0x01)};
    Open("a-stop");
    EXPECT_EQ("Not mapped", Text(IDC_KEYEDIT_STATE));
    Click(IDC_KEYEDIT_CTRL);
    EXPECT_TRUE(SaveEnabled());
    Click(IDOK);
    EXPECT_TRUE(::IsWindowVisible(m_dialog.GetSafeHwnd()));
    ASSERT_EQ(1u, m_messages.shown.size());
    ASSERT_EQ(1u, ShortcutTable.size());
    EXPECT_EQ("", FileText());
    Click(IDCANCEL);
    EXPECT_FALSE(::IsWindowVisible(m_dialog.GetSafeHwnd()));
    EXPECT_EQ(1u, ShortcutTable.size());
}

TEST_F(KeyEditTest, ResetRemovesAMappedShortcutAndLeavesAnUnmappedOneAlone)
{
    struct Case
    {
        const char* action;
        size_t rowsAfter;
    } cases[] = {{"a-play", 1u}, {"c-play", 2u}};
    for (const Case& c : cases) {
        ShortcutTable = {ShortcutEntry("F2", "b-play", 0x01), ShortcutEntry("num3", "a-play", 0x1D)};
        StoreShortcut(ShortcutTable[0]);
        const HACCEL before = m_table;
        ::DeleteFileA(m_file.c_str());
        Open(c.action);
        Click(IDC_KEYEDIT_RESET);
        EXPECT_FALSE(Checked(IDC_KEYEDIT_SHIFT));
        EXPECT_EQ("", SelectedKey());
        EXPECT_TRUE(SaveEnabled());
        Click(IDOK);
        EXPECT_EQ(c.rowsAfter, ShortcutTable.size()) << c.action;
        if (c.rowsAfter == 2u) {
            EXPECT_EQ(before, m_table);
        }
        EXPECT_NE(std::string::npos, FileText().find("Items=\"" + std::to_string(c.rowsAfter) + "\"")) << c.action;
        m_dialog.DestroyWindow();
    }
}

} // namespace
