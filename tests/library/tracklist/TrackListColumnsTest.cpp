// The eleven columns: captions, widths, order, styles and image list read
// back through the list's and header's messages; the column settings of
// "KVLib.ini"; the sort comparison.
#include "TrackListFixture.h"
#include "tests/library/LibraryTestState.h"

#include "library/state/LibrarySettings.h"
#include "library/state/LibraryState.h"
#include "library/tracklist/TrackListColumns.h"

#include <algorithm>
#include <vector>

using namespace tracklist_test;

namespace {

struct ColumnRead
{
    std::string caption;
    int width;
    int fmt;
    int subItem;
};

ColumnRead ReadColumn(HWND list, int index)
{
    char buffer[64] = {};
    LVCOLUMNA c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    c.pszText = buffer;
    c.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c));
    return {buffer, c.cx, c.fmt & LVCFMT_JUSTIFYMASK, c.iSubItem};
}

int HeaderCount(HWND list)
{
    return Header_GetItemCount(ListView_GetHeader(list));
}

std::vector<int> DisplayOrder(HWND list)
{
    std::vector<int> order(HeaderCount(list));
    ListView_GetColumnOrderArray(list, static_cast<int>(order.size()), order.data());
    return order;
}

int StringWidth(HWND list, const char* text)
{
    return static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
}

struct Expected
{
    const char* caption;
    int extra;   // -1: fixed width below
    int fixed;
};

const Expected kListHeader[] = {
    {"Title", 160, 0}, {"Artist", 110, 0}, {"", -1, 16}, {"Album", 100, 0},
    {"Genre", 70, 0}, {"Length", 20, 0}, {"Year", 20, 0}, {"BPM", 30, 0},
    {"Filename", 50, 0}, {"Index", 30, 0}, {"Ctr", 30, 0},
};
const Expected kTrackListHeader[] = {
    {"Title", 160, 0}, {"Artist", 160, 0}, {"P", -1, 20}, {"Album", 160, 0},
    {"Genre", 60, 0}, {"Length", 50, 0}, {"Year", 50, 0}, {"BPM", 50, 0},
    {"Filename", 100, 0}, {"IDX", 50, 0}, {"Ctr", 50, 0},
};

void ExpectColumns(HWND list, const Expected (&expected)[11])
{
    ASSERT_EQ(11, HeaderCount(list));
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        ColumnRead c = ReadColumn(list, i);
        EXPECT_EQ(expected[i].caption, c.caption);
        int width = expected[i].extra < 0 ? expected[i].fixed
                                          : StringWidth(list, expected[i].caption) + expected[i].extra;
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(LVCFMT_LEFT, c.fmt);
        EXPECT_EQ(i, c.subItem);
    }
}

class ColumnsTest : public TrackListTest
{
};

} // namespace

TEST_F(ColumnsTest, ListHeaderReplacesEveryColumnAndKeepsStylesAndImages)
{
    HWND list = m_list->GetSafeHwnd();
    // Columns of some other layout, a style of the caller and an image list.
    for (int i = 0; i < 3; ++i)
        m_list->InsertColumn(0, "old", LVCFMT_RIGHT, 33);
    m_list->SetExtendedStyle(LVS_EX_GRIDLINES);
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 1, 1));
    m_list->SetImageList(&images, LVSIL_SMALL);

    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        EXPECT_EQ(0, VIZU::DisplayListHeader(m_list.get(), false));
        ExpectColumns(list, kListHeader);
        std::vector<int> identity{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        EXPECT_EQ(identity, DisplayOrder(list));
    }
    DWORD style = m_list->GetExtendedStyle();
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES
                                 | LVS_EX_HEADERDRAGDROP),
              style);
    EXPECT_EQ(images.GetSafeHandle(), ListView_GetImageList(list, LVSIL_SMALL));

    EXPECT_EQ(0, VIZU::DisplayListHeader(m_list.get(), true));
    EXPECT_NE(0u, m_list->GetExtendedStyle() & LVS_EX_CHECKBOXES);
    m_list->SetImageList(nullptr, LVSIL_SMALL);
}

TEST_F(ColumnsTest, TrackListHeaderUsesItsCaptionsTheTrackIconsAndTheConfiguredOrder)
{
    HWND list = m_list->GetSafeHwnd();
    EXPECT_EQ(0, VIZU::DisplayTrackListHeader(m_list.get(), false));
    ExpectColumns(list, kTrackListHeader);
    ASSERT_NE(nullptr, LibraryTrackIcons());
    EXPECT_EQ(LibraryTrackIcons()->GetSafeHandle(), ListView_GetImageList(list, LVSIL_SMALL));
    std::vector<int> identity{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(identity, DisplayOrder(list));

    struct Case
    {
        const char* ini;
        int column;     // sub-item index of the column looked at
        int position;   // its display position
    };
    const Case cases[] = {
        {"[KVLIB]\r\nList_Col_Title_Pos=3\r\n", 0, 3},
        {"[KVLIB]\r\nList_Col_PlayCtr_Pos=0\r\nList_Col_Title_Pos=10\r\n", 10, 0},
        {"[KVLIB]\r\nList_Col_Filename_Pos=1\r\nList_Col_Artist_Pos=8\r\n", 8, 1},
        {"[KVLIB]\r\nList_Col_BPM_Pos=2\r\n", 7, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        WriteLibIni(c.ini);
        m_vizu->InitTrackListColumnOrder();
        EXPECT_EQ(0, VIZU::DisplayTrackListHeader(m_list.get(), true));
        ExpectColumns(list, kTrackListHeader);
        std::vector<int> order = DisplayOrder(list);
        ASSERT_EQ(11u, order.size());
        EXPECT_EQ(c.column, order[c.position]);
        // Every column shown exactly once.
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(identity, sorted);
        EXPECT_NE(0u, m_list->GetExtendedStyle() & LVS_EX_CHECKBOXES);
    }
}

TEST_F(ColumnsTest, PositionsAreReadWithTheirDefaults)
{
    WriteLibIni("[KVLIB]\r\nList_Col_Year_Pos=9\r\nList_Col_Index_Pos=-4\r\n");
    m_vizu->InitTrackListColumnOrder();
    const int expected[11] = {0, 1, 2, 3, 4, 5, 9, 7, 8, -4, 10};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(expected[i], TestState().settings.columnPos[i]) << i;
}

TEST_F(ColumnsTest, ColumnDataReadsListColNumPlusOneEntries)
{
    WriteLibIni("[KVLIB]\r\nList_ColNum=2\r\n"
                "List_Col0_Pos=4\r\nList_Col0_Typ=title\r\n"
                "List_Col1_Pos=7\r\nList_Col1_Typ=PlayCtr\r\n"
                "List_Col2_Pos=9\r\nList_Col2_Typ=nonsense\r\n"
                "List_Col3_Pos=5\r\nList_Col3_Typ=ARTIST\r\n");
    KV_LIST_COLUMN_ORDER order;
    order.Title = order.Artist = order.PlayCtr = order.Filename = -7;
    EXPECT_EQ(2, VIZU::GetTrackListColData(&order));
    EXPECT_EQ(4, order.Title);
    EXPECT_EQ(7, order.PlayCtr);
    EXPECT_EQ(-7, order.Artist);     // entry 3 lies beyond List_ColNum
    EXPECT_EQ(-7, order.Filename);   // named by no entry
    EXPECT_EQ(2, TestState().settings.trackListColNum);

    // Entry 2 is read too; an entry with no type names nothing.
    WriteLibIni("[KVLIB]\r\nList_ColNum=2\r\nList_Col2_Pos=6\r\nList_Col2_Typ=filename\r\n"
                "List_Col1_Pos=3\r\n");
    EXPECT_EQ(2, VIZU::GetTrackListColData(&order));
    EXPECT_EQ(6, order.Filename);
    EXPECT_EQ(4, order.Title);

    DeleteFileA(LibIniPath().c_str());
    EXPECT_EQ(0, VIZU::GetTrackListColData(&order));
    EXPECT_EQ(0, TestState().settings.trackListColNum);
}

TEST_F(ColumnsTest, RefreshFlagIsTrueOnlyForOne)
{
    struct Case { const char* ini; bool expected; };
    const Case cases[] = {
        {"", false},
        {"[KVLIB]\r\nList_NeedsRefresh=1\r\n", true},
        {"[KVLIB]\r\nList_NeedsRefresh=2\r\n", false},
        {"[KVLIB]\r\nList_NeedsRefresh=0\r\n", false},
    };
    for (const Case& c : cases) {
        WriteLibIni(c.ini);
        EXPECT_EQ(c.expected, VIZU::GetTrackListNeedsRefresh()) << c.ini;
    }
    EXPECT_TRUE(VIZU::SetTrackListNeedsRefresh(true));
    EXPECT_TRUE(VIZU::GetTrackListNeedsRefresh());
    char value[8] = {};
    GetPrivateProfileStringA("KVLIB", "List_NeedsRefresh", "", value, sizeof value, LibIniPath().c_str());
    EXPECT_STREQ("1", value);
    EXPECT_TRUE(VIZU::SetTrackListNeedsRefresh(false));
    EXPECT_FALSE(VIZU::GetTrackListNeedsRefresh());
    GetPrivateProfileStringA("KVLIB", "List_NeedsRefresh", "", value, sizeof value, LibIniPath().c_str());
    EXPECT_STREQ("0", value);
}

namespace {

// Rows of one column text each, item data 100 + row.
void FillColumn(CListCtrl& list, int column, const std::vector<const char*>& texts)
{
    list.DeleteAllItems();
    for (size_t i = 0; i < texts.size(); ++i) {
        int row = list.InsertItem(LVIF_TEXT | LVIF_PARAM, static_cast<int>(i), "x", 0, 0, 0,
                                  static_cast<LPARAM>(100 + i));
        list.SetItemText(row, column, texts[i]);
    }
}

int Compare(CListCtrl* list, int column, bool ascending, LPARAM a, LPARAM b)
{
    KV_SORT_INFO info;
    info.List = list;
    info.Column = column;
    info.Ascending = ascending;
    return VIZU::KVSort(a, b, reinterpret_cast<LPARAM>(&info));
}

int Sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

std::vector<std::string> ColumnTexts(HWND list, int column)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ListView_GetItemCount(list); ++i)
        texts.push_back(TrackListTest::Text(list, i, column));
    return texts;
}

} // namespace

TEST_F(ColumnsTest, KVSortComparesNumbersInColumnsNineAndTenAndTextElsewhere)
{
    struct Case
    {
        int column;
        const char* first;
        const char* second;
        int ascending;   // sign of KVSort(first, second) ascending
    };
    const Case cases[] = {
        {9, "9", "10", -1},  {10, "9", "10", -1}, {8, "9", "10", 1},
        {5, "003:45", "010:20", -1}, {9, "7", "7", 0}, {0, "Same", "Same", 0},
        {0, "apple", "Banana", -1}, {10, "12abc", "12", 0}, {9, "", "1", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.column) + " " + c.first + " " + c.second);
        FillColumn(*m_list, c.column, {c.first, c.second});
        EXPECT_EQ(c.ascending, Sign(Compare(m_list.get(), c.column, true, 100, 101)));
        EXPECT_EQ(-c.ascending, Sign(Compare(m_list.get(), c.column, false, 100, 101)));
    }
    // Item data that no row has reads as an empty text.
    FillColumn(*m_list, 1, {"b"});
    EXPECT_GT(Compare(m_list.get(), 1, true, 100, 555), 0);
    EXPECT_EQ(0, Compare(m_list.get(), 1, true, 556, 555));
}

TEST_F(ColumnsTest, KVSortOrdersARealListByTheClickedColumn)
{
    HWND list = m_list->GetSafeHwnd();
    KV_SORT_INFO info;
    info.List = m_list.get();

    FillColumn(*m_list, 9, {"10", "9", "100", "2"});
    info.Column = 9;
    info.Ascending = true;
    ASSERT_TRUE(m_list->SortItems(&VIZU::KVSort, reinterpret_cast<DWORD_PTR>(&info)));
    EXPECT_EQ((std::vector<std::string>{"2", "9", "10", "100"}), ColumnTexts(list, 9));
    info.Ascending = false;
    m_list->SortItems(&VIZU::KVSort, reinterpret_cast<DWORD_PTR>(&info));
    EXPECT_EQ((std::vector<std::string>{"100", "10", "9", "2"}), ColumnTexts(list, 9));

    FillColumn(*m_list, 8, {"9", "10", "100", "2"});
    info.Column = 8;
    info.Ascending = true;
    m_list->SortItems(&VIZU::KVSort, reinterpret_cast<DWORD_PTR>(&info));
    EXPECT_EQ((std::vector<std::string>{"10", "100", "2", "9"}), ColumnTexts(list, 8));
}

namespace {
std::string g_tabText;
int g_tabCalls = 0;
void RecordTabHeader(const CString& text)
{
    g_tabText = text.GetString();
    ++g_tabCalls;
}
} // namespace

TEST_F(ColumnsTest, TabHeaderGoesToTheInstalledBuilderOnly)
{
    g_tabCalls = 0;
    TabHeaderBuilder previous = SetTabHeaderBuilder(nullptr);
    VIZU::SetTabHeader("nobody");
    EXPECT_EQ(0, g_tabCalls);
    SetTabHeaderBuilder(&RecordTabHeader);
    VIZU::SetTabHeader("Library Tracks");
    EXPECT_EQ(1, g_tabCalls);
    EXPECT_EQ("Library Tracks", g_tabText);
    SetTabHeaderBuilder(previous);
}
