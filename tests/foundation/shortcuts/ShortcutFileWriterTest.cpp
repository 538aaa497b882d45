#include "foundation/shortcuts/ShortcutFileWriter.h"
#include "tests/support/ProgramFolder.h"
#include "tests/support/TestSupport.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/CComboBox.h"
#include "framework/ui/CListCtrl.h"
#include "framework/win/CTime.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using tavrix_test::ReadFileBytes;
using tavrix_test::TempDir;
using tavrix_test::WriteFileBytes;

namespace {

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::string(data.cFileName) != "." && std::string(data.cFileName) != "..")
            names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

TEST(ShortcutFileWriter, WritesTheTableDatedToday)
{
    TempDir dir;
    ShortcutRows table;
    table.push_back(ShortcutEntry("home", "a-play", kShortcutVirtKey | kShortcutControl));
    table.push_back(ShortcutEntry("pgup", "b-play", kShortcutVirtKey));
    const std::string path = dir.File("TavrixShortcuts.key");
    ASSERT_TRUE(WriteFileBytes(path, std::string(5000, 'o')));   // longer old content
    const CString before = CTime::GetCurrentTime().Format("%m/%d/%y");
    EXPECT_EQ(2, WriteShortcutFile(path.c_str(), table));
    const CString after = CTime::GetCurrentTime().Format("%m/%d/%y");
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_TRUE(bytes == BuildShortcutFileText(table, before).GetString() ||
                bytes == BuildShortcutFileText(table, after).GetString())
        << bytes;
    EXPECT_EQ(0u, bytes.find("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<TavrixShortCuts Date=\""));
    EXPECT_EQ(std::vector<std::string>{"TavrixShortcuts.key"}, FolderEntries(dir.Path()));
}

int g_delivered = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 7)
        ++g_delivered;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ShortcutFileWriter, WaitingMessagesAreDispatchedWhileWriting)
{
    TempDir dir;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ShortcutWriterPumpTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    ShortcutRows table;
    table.push_back(ShortcutEntry("up", "a-pitchup", kShortcutVirtKey));
    g_delivered = 0;
    PostMessageA(window, WM_APP + 7, 0, 0);
    PostMessageA(window, WM_APP + 7, 0, 0);
    EXPECT_EQ(1, WriteShortcutFile(dir.File("pump.key").c_str(), table));
    EXPECT_EQ(2, g_delivered);
    // An empty table dispatches nothing (there is no row to wait before).
    PostMessageA(window, WM_APP + 7, 0, 0);
    ShortcutRows none;
    EXPECT_EQ(0, WriteShortcutFile(dir.File("none.key").c_str(), none));
    EXPECT_EQ(2, g_delivered);
    DestroyWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

TEST(ShortcutFileWriter, AFailedWriteKeepsTheOldFile)
{
    TempDir dir;
    ShortcutRows table;
    table.push_back(ShortcutEntry("del", "tl-loadtob", kShortcutVirtKey));
    // Into a folder that does not exist.
    EXPECT_THROW(WriteShortcutFile(dir.File("no\\such.key").c_str(), table), CFileException);
    // Over a read-only file: it stays as it was, and nothing is left beside.
    const std::string path = dir.File("locked.key");
    ASSERT_TRUE(WriteFileBytes(path, "old shortcuts"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(WriteShortcutFile(path.c_str(), table), CFileException);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ("old shortcuts", bytes);
    EXPECT_EQ(std::vector<std::string>{"locked.key"}, FolderEntries(dir.Path()));
}

// A combo box and a report list view in a window of their own.
class ListWindows
{
public:
    ListWindows()
    {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        m_hCombo = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 200, 200,
                                   nullptr, nullptr, nullptr, nullptr);
        m_hList = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 400, 200, nullptr,
                                  nullptr, nullptr, nullptr);
        m_combo.Attach(m_hCombo);
        m_list.Attach(m_hList);
        for (int i = 0; i < 2; ++i) {
            LVCOLUMNA column = {};
            column.mask = LVCF_WIDTH;
            column.cx = 100;
            ListView_InsertColumn(m_hList, i, &column);
        }
    }
    ~ListWindows()
    {
        m_combo.Detach();
        m_list.Detach();
        DestroyWindow(m_hCombo);
        DestroyWindow(m_hList);
    }

    std::multiset<std::string> ComboTexts()
    {
        std::multiset<std::string> texts;
        for (int i = 0; i < m_combo.GetCount(); ++i) {
            CString text;
            m_combo.GetLBText(i, text);
            texts.insert(text.GetString());
        }
        return texts;
    }

    HWND m_hCombo, m_hList;
    CComboBox m_combo;
    CListCtrl m_list;
};

TEST(ShortcutFileWriter, ListsShortcutFilesWithOrWithoutATrailingBackslash)
{
    TempDir dir;
    for (const char* name : {"Default.key", "Club.key", "notes.txt", "keys.xml"})
        ASSERT_TRUE(WriteFileBytes(dir.File(name), "x"));
    ASSERT_TRUE(CreateDirectoryA(dir.File("folder.key").c_str(), nullptr));
    ListWindows windows;
    for (const std::string& folder : {dir.Path(), dir.Path() + "\\"}) {
        windows.m_combo.AddString("stale");
        EXPECT_EQ(2, ListShortcutFiles(folder.c_str(), windows.m_combo)) << folder;
        EXPECT_EQ((std::multiset<std::string>{"Default.key", "Club.key"}), windows.ComboTexts());
        for (int k = 0; k < 2; ++k)
            EXPECT_EQ(static_cast<DWORD_PTR>(k), windows.m_combo.GetItemData(k));
    }
    TempDir empty;
    EXPECT_EQ(0, ListShortcutFiles(empty.Path().c_str(), windows.m_combo));
    EXPECT_EQ(0, windows.m_combo.GetCount());
}

TEST(ShortcutFileWriter, ListsControllerMapsByTitle)
{
    TempDir dir;
    for (const char* name : {"cmap-denondn-hc4500.xml", "cmap-Generic.xml", "skin.xml", "cmap-old.txt"})
        ASSERT_TRUE(WriteFileBytes(dir.File(name), "x"));
    ListWindows windows;
    EXPECT_EQ(2, ListControllerMaps(dir.Path().c_str(), windows.m_combo));
    EXPECT_EQ((std::multiset<std::string>{"cmap-denondn-hc4500", "cmap-Generic"}), windows.ComboTexts());
}

TEST(ShortcutFileWriter, ListsVideoPlaylistsWithTheirPaths)
{
    TempDir dir;
    for (const char* name : {"Party.txp", "Intro Loops.txp", "audio.txl"})
        ASSERT_TRUE(WriteFileBytes(dir.File(name), "x"));
    ListWindows windows;
    windows.m_list.InsertItem(0, "stale row");
    EXPECT_EQ(2, ListVideoPlaylists(windows.m_list, dir.Path().c_str()));
    ASSERT_EQ(2, windows.m_list.GetItemCount());
    std::set<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < 2; ++i)
        rows.insert({windows.m_list.GetItemText(i, 0).GetString(), windows.m_list.GetItemText(i, 1).GetString()});
    EXPECT_EQ((std::set<std::pair<std::string, std::string>>{{"Party", dir.File("Party.txp")},
                                                              {"Intro Loops", dir.File("Intro Loops.txp")}}),
              rows);
}

class ControllerMapHeaderTest : public ProgramFolderTest {};

TEST_F(ControllerMapHeaderTest, ReadsNameAndVersionFromTheFirstTwoLines)
{
    const struct {
        const char* file;
        const char* text;
        const char* given;
        bool found;
        const char* name;
        const char* version;
    } cases[] = {
        {"cmap-denon.xml",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
         "<ControllerMapper name=\"Denon DN-HC4500\" version=\"1.2\">\r\n"
         "<cm id=\"1\"/>\r\n</ControllerMapper>\r\n",
         "cmap-denon", true, "Denon DN-HC4500", "1.2"},
        {"cmap-upper.xml",
         "<ControllerMapper name=\"A &amp; B\" version=\"7\">\n<cm/>\n<cm/>\n</ControllerMapper>\n",
         "cmap-upper.XML", true, "A & B", "7"},
        {"cmap-whole.xml", "<ControllerMapper name=\"Tiny\" version=\"0\"/>\r\n", "cmap-whole", true, "Tiny", "0"},
        {"cmap-spread.xml",
         "<?xml version=\"1.0\"?>\r\n<ControllerMapper\r\n name=\"Late\" version=\"1\">\r\n</ControllerMapper>\r\n",
         "cmap-spread", false, "", ""},
        {"cmap-other.xml", "<?xml version=\"1.0\"?>\r\n<SomethingElse name=\"x\">\r\n", "cmap-other", false, "", ""},
        {"cmap-empty.xml", "", "cmap-empty", false, "", ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileBytes(m_dir.File(c.file), c.text));
        ControllerMapHeader header;
        EXPECT_EQ(c.found, ReadControllerMapHeader(c.given, header)) << c.file;
        if (c.found) {
            EXPECT_EQ(CString(c.name), header.m_strName) << c.file;
            EXPECT_EQ(CString(c.version), header.m_strVersion) << c.file;
            EXPECT_EQ(CString(c.given), header.m_strFile) << c.file;
        }
    }
    ControllerMapHeader header;
    EXPECT_THROW(ReadControllerMapHeader("cmap-missing", header), CFileException);
}

TEST(ShortcutFileWriter, ReadsASkinsSizeAndType)
{
    TempDir dir;
    const struct {
        const char* file;
        const char* text;
        const char* size;
        const char* type;
    } cases[] = {
        {"Club.xml",
         "<?xml version=\"1.0\"?>\r\n<TavrixVJSkin name=\"Club\">\r\n"
         "<background width=\"1024\" height=\"768\" type=\"bitmap\" file=\"bg.bmp\"/>\r\n"
         "<button action=\"a-play\"/>\r\n</TavrixVJSkin>\r\n",
         "1024 x 768", "bitmap"},
        {"Bare.xml", "<TavrixVJSkin>\n<button action=\"a-play\"/>\n</TavrixVJSkin>\n", " x ", ""},
        {"Other.xml", "<SomeOtherSkin>\n<background width=\"1\" height=\"2\" type=\"t\"/>\n</SomeOtherSkin>\n",
         " x ", ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileBytes(dir.File(c.file), c.text));
        SkinHeaderInfo info;
        info.m_strName = "kept";
        info.m_strPath = dir.File(c.file).c_str();
        EXPECT_TRUE(ReadSkinHeader(info)) << c.file;
        EXPECT_EQ(CString(c.size), info.m_strSize) << c.file;
        EXPECT_EQ(CString(c.type), info.m_strType) << c.file;
        EXPECT_EQ(CString("kept"), info.m_strName);
    }
    // ".xml" is added to a path without it.
    SkinHeaderInfo info;
    info.m_strPath = dir.File("Club").c_str();
    EXPECT_TRUE(ReadSkinHeader(info));
    EXPECT_EQ(CString("1024 x 768"), info.m_strSize);
    info.m_strPath = dir.File("Missing.xml").c_str();
    EXPECT_THROW(ReadSkinHeader(info), CFileException);
}

} // namespace
