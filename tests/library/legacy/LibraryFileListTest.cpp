// The list of library files in a folder: the rows and their columns, a
// damaged header, a file that cannot be opened, recursion, and Escape
// answered both ways.
#include "LegacyFixture.h"

#include <functional>
#include <set>

using legacy_test::LegacyTest;

namespace {

// Called with the path each time a row's last column is set (the row is
// then complete); the listing checks for Escape before its next entry.
std::function<void(const std::string&)> g_rowDone;
WNDPROC g_listProc = nullptr;

LRESULT CALLBACK ListProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    const LRESULT result = CallWindowProcA(g_listProc, h, m, w, l);
    if (m == LVM_SETITEMTEXTA && l && g_rowDone) {
        const LVITEMA* item = reinterpret_cast<const LVITEMA*>(l);
        if (item->iSubItem == 4 && item->pszText)
            g_rowDone(item->pszText);
    }
    return result;
}

const char* const kAbortQuestion =
    "ABORT SEARCH?\nPress OK to abort the file search, Cancel to continue searching";

class LibraryFileListTest : public LegacyTest
{
protected:
    // Main.txd (two tracks), Old.TXD (empty), Broken.txd (not a library),
    // notes.txt, and when asked a subfolder with three libraries.
    void MakeFolder(bool withSubfolder)
    {
        tracklist_test::SetLibrary({{"Song", "Band"}, {"Other", "Group"}});
        ASSERT_EQ(2, VIZU::XML_SaveLib(File("Main.txd").c_str()));
        ASSERT_TRUE(VIZU::XML_CreateLib(File("Old.TXD").c_str()));
        ASSERT_TRUE(tavrix_test::WriteFileBytes(File("Broken.txd"), "\x01\x02 not a library"));
        ASSERT_TRUE(tavrix_test::WriteFileBytes(File("notes.txt"), "notes"));
        if (!withSubfolder)
            return;
        ASSERT_TRUE(CreateDirectoryA(File("sub").c_str(), nullptr));
        for (const char* name : {"sub\\A.txd", "sub\\B.txd", "sub\\C.txd"})
            ASSERT_TRUE(VIZU::XML_CreateLib(File(name).c_str()));
    }

    int List(bool recurse, bool* aborted)
    {
        return VIZU::DisplayLibs("txd", m_dir.Path().c_str(), m_list.get(), recurse, aborted,
                                 nullptr);
    }

    int RowOf(const std::string& name) const
    {
        for (int row = 0; row < Rows(); ++row)
            if (Text(row, 0) == name)
                return row;
        return -1;
    }

    void PostKey(WPARAM key)
    {
        ASSERT_TRUE(PostMessageA(m_window.GetSafeHwnd(), WM_KEYDOWN, key, 0));
    }

    // Presses keys as rows are completed.
    void OnRow(std::function<void(const std::string&)> done)
    {
        g_rowDone = std::move(done);
        g_listProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            m_list->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
    }

    void TearDown() override
    {
        g_rowDone = nullptr;
        LegacyTest::TearDown();
    }
};

} // namespace

TEST_F(LibraryFileListTest, OneRowPerLibraryWithItsHeader)
{
    MakeFolder(false);
    bool aborted = false;
    EXPECT_EQ(3, List(false, &aborted));
    EXPECT_FALSE(aborted);
    ASSERT_EQ(3, Rows());
    const struct
    {
        const char* name;
        const char* tracks;
        const char* version;
    } rows[] = {{"Main.txd", "2", "5.00"}, {"Old.TXD", "0", "5.00"}, {"Broken.txd", "0", "N/A"}};
    for (const auto& r : rows) {
        const int row = RowOf(r.name);
        ASSERT_GE(row, 0) << r.name;
        EXPECT_EQ(r.tracks, Text(row, 2)) << r.name;
        EXPECT_EQ(r.version, Text(row, 3)) << r.name;
        EXPECT_EQ(File(r.name), Text(row, 4)) << r.name;
        EXPECT_EQ(row, Data(row)) << r.name;
        EXPECT_EQ(14, Image(row, 0)) << r.name;
        // "%m/%d/%y, %H:%M"
        const std::string date = Text(row, 1);
        ASSERT_EQ(15u, date.size()) << date;
        EXPECT_EQ('/', date[2]);
        EXPECT_EQ(", ", date.substr(8, 2));
        EXPECT_EQ(':', date[12]);
    }
    EXPECT_EQ(-1, RowOf("notes.txt"));
    EXPECT_EQ(-1, List(false, nullptr));
}

TEST_F(LibraryFileListTest, AFileThatCannotBeOpenedGetsARowWithoutHeader)
{
    MakeFolder(false);
    HANDLE locked = CreateFileA(File("Main.txd").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    bool aborted = false;
    EXPECT_EQ(3, List(false, &aborted));
    CloseHandle(locked);
    const int row = RowOf("Main.txd");
    ASSERT_GE(row, 0);
    EXPECT_EQ("0", Text(row, 2));
    EXPECT_EQ("N/A", Text(row, 3));
}

TEST_F(LibraryFileListTest, SubfoldersAreListedDepthFirstAndCountedApart)
{
    MakeFolder(true);
    bool aborted = false;
    EXPECT_EQ(3, List(true, &aborted));
    ASSERT_EQ(6, Rows());
    std::set<std::string> names;
    for (int row = 0; row < Rows(); ++row)
        names.insert(Text(row, 0));
    EXPECT_EQ((std::set<std::string>{"A.txd", "B.txd", "C.txd", "Broken.txd", "Main.txd",
                                     "Old.TXD"}),
              names);
    EXPECT_EQ(File("sub\\B.txd"), Text(RowOf("B.txd"), 4));
    // Without recursion the subfolder adds nothing.
    m_list->DeleteAllItems();
    EXPECT_EQ(3, List(false, &aborted));
    EXPECT_EQ(3, Rows());
}

TEST_F(LibraryFileListTest, EscapeThenCancelGoesOn)
{
    MakeFolder(false);
    // Another key is taken and dropped; Escape asks.
    int rows = 0;
    OnRow([&](const std::string&) {
        ++rows;
        PostKey(rows == 1 ? 'A' : VK_ESCAPE);
    });
    m_prompts.answers = {IDCANCEL, IDCANCEL};
    bool aborted = false;
    EXPECT_EQ(3, List(false, &aborted));
    EXPECT_FALSE(aborted);
    EXPECT_EQ(3, Rows());
    ASSERT_GE(m_prompts.shown.size(), 1u);
    EXPECT_EQ(kAbortQuestion, m_prompts.shown[0].text);
    EXPECT_EQ("Kelvane Library Manager", m_prompts.shown[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), m_prompts.shown[0].type);
}

TEST_F(LibraryFileListTest, EscapeThenOkInASubfolderStopsEveryLevel)
{
    MakeFolder(true);
    // Escape after the first row of the subfolder, answered OK.
    int rowsAtEscape = -1;
    OnRow([&](const std::string& path) {
        if (rowsAtEscape < 0 && path.find("\\sub\\") != std::string::npos) {
            rowsAtEscape = Rows();
            PostKey(VK_ESCAPE);
        }
    });
    m_prompts.answers = {IDOK};
    bool aborted = false;
    EXPECT_EQ(-1, List(true, &aborted));
    EXPECT_TRUE(aborted);
    ASSERT_GT(rowsAtEscape, 0);
    ASSERT_EQ(1u, m_prompts.shown.size());
    // Nothing was listed after the answer, at any level.
    EXPECT_EQ(rowsAtEscape, Rows());
    EXPECT_LT(Rows(), 6);
}

TEST_F(LibraryFileListTest, AnEmptyFolderGivesNoRow)
{
    bool aborted = false;
    EXPECT_EQ(0, List(true, &aborted));
    EXPECT_EQ(0, Rows());
    EXPECT_FALSE(aborted);
}
