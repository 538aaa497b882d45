// Control wrappers filled through their methods and read back through the
// controls' own messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestResources.h"
#include "UiTestSupport.h"

using namespace ui_test;

namespace {

std::string RawListText(HWND hList, int item, int sub)
{
    char buffer[128] = {};
    LVITEMA lvi = {};
    lvi.iSubItem = sub;
    lvi.pszText = buffer;
    lvi.cchTextMax = sizeof buffer;
    ::SendMessageA(hList, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
    return buffer;
}

LPARAM RawListParam(HWND hList, int item)
{
    LVITEMA lvi = {};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = item;
    ::SendMessageA(hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lvi));
    return lvi.lParam;
}

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxSetUnattendedPrompts(TRUE);
        ASSERT_TRUE(CreateTopLevel(m_parent, "Controls"));
    }
    void TearDown() override { m_parent.DestroyWindow(); }
    CWnd m_parent;
};

int CALLBACK CompareParams(LPARAM a, LPARAM b, LPARAM descending)
{
    int r = a < b ? -1 : (a > b ? 1 : 0);
    return descending ? -r : r;
}

struct SortByText
{
    CListCtrl* list;
};

int CALLBACK CompareRowsByText(LPARAM rowA, LPARAM rowB, LPARAM context)
{
    CListCtrl* list = reinterpret_cast<SortByText*>(context)->list;
    return list->GetItemText(static_cast<int>(rowA), 1).Compare(list->GetItemText(static_cast<int>(rowB), 1));
}

} // namespace

TEST_F(ControlsTest, ListCtrlReportColumnsItemsDataSortAndSelection)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 280, 150), &m_parent, 700));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES),
              static_cast<DWORD>(::SendMessageA(list.m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)));

    EXPECT_EQ(0, list.InsertColumn(0, "Title", LVCFMT_LEFT, 100));
    EXPECT_EQ(1, list.InsertColumn(1, "Artist", LVCFMT_LEFT, 80));
    EXPECT_EQ(2, list.InsertColumn(2, "BPM", LVCFMT_RIGHT, 40));
    EXPECT_EQ(80, ::SendMessageA(list.m_hWnd, LVM_GETCOLUMNWIDTH, 1, 0));

    struct Row
    {
        const char* title;
        const char* artist;
        const char* bpm;
        LPARAM data;
    };
    const Row rows[] = {{"Song C", "Zed", "128", 30}, {"Song A", "Abe", "120", 10}, {"Song B", "Mia", "95", 20}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i, list.InsertItem(i, rows[i].title));
        EXPECT_TRUE(list.SetItemText(i, 1, rows[i].artist));
        EXPECT_TRUE(list.SetItemText(i, 2, rows[i].bpm));
        EXPECT_TRUE(list.SetItemData(i, static_cast<DWORD_PTR>(rows[i].data)));
    }
    ASSERT_EQ(3, ::SendMessageA(list.m_hWnd, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rows[i].title, RawListText(list.m_hWnd, i, 0));
        EXPECT_EQ(rows[i].artist, RawListText(list.m_hWnd, i, 1));
        EXPECT_STREQ(rows[i].bpm, list.GetItemText(i, 2));
        EXPECT_EQ(rows[i].data, RawListParam(list.m_hWnd, i));
        EXPECT_EQ(static_cast<DWORD_PTR>(rows[i].data), list.GetItemData(i));
    }
    // A long text comes back whole.
    std::string longText(700, 'x');
    list.SetItemText(0, 1, longText.c_str());
    EXPECT_EQ(700, list.GetItemText(0, 1).GetLength());
    list.SetItemText(0, 1, "Zed");

    // Sub-item images.
    EXPECT_TRUE(list.SetItemImage(1, 2, 3));
    EXPECT_EQ(3, list.GetItemImage(1, 2));

    // Find by data and by text.
    LVFINDINFOA byData = {};
    byData.flags = LVFI_PARAM;
    byData.lParam = 20;
    EXPECT_EQ(2, list.FindItem(&byData));
    LVFINDINFOA byText = {};
    byText.flags = LVFI_STRING;
    byText.psz = "Song A";
    EXPECT_EQ(1, list.FindItem(&byText));
    byText.psz = "Missing";
    EXPECT_EQ(-1, list.FindItem(&byText));

    // Sort by item data, descending, then by the artist column through indexes.
    ASSERT_TRUE(list.SortItems(CompareParams, 1));
    EXPECT_EQ("Song C", RawListText(list.m_hWnd, 0, 0));
    EXPECT_EQ("Song B", RawListText(list.m_hWnd, 1, 0));
    EXPECT_EQ("Song A", RawListText(list.m_hWnd, 2, 0));
    SortByText ctx = {&list};
    ASSERT_TRUE(list.SortItemsEx(CompareRowsByText, reinterpret_cast<DWORD_PTR>(&ctx)));
    EXPECT_EQ("Abe", RawListText(list.m_hWnd, 0, 1));
    EXPECT_EQ("Mia", RawListText(list.m_hWnd, 1, 1));
    EXPECT_EQ("Zed", RawListText(list.m_hWnd, 2, 1));

    // Selection.
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(2u, static_cast<UINT>(::SendMessageA(list.m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0)));
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{0, 2}), selected);

    // Column order.
    int order[3] = {2, 0, 1};
    ASSERT_TRUE(list.SetColumnOrderArray(3, order));
    int raw[3] = {};
    ::SendMessageA(list.m_hWnd, LVM_GETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(raw));
    EXPECT_EQ((std::vector<int>{2, 0, 1}), std::vector<int>(raw, raw + 3));
    int back[3] = {};
    ASSERT_TRUE(list.GetColumnOrderArray(back));
    EXPECT_EQ((std::vector<int>{2, 0, 1}), std::vector<int>(back, back + 3));
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(3, header->GetItemCount());

    // Text width: longer text, wider.
    EXPECT_GT(list.GetStringWidth("WWWWWW"), list.GetStringWidth("W"));
    EXPECT_GT(list.GetStringWidth("W"), 0);

    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, ::SendMessageA(list.m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

namespace {

// Custom draw taken in the list itself.
class CustomDrawList : public CListCtrl
{
    DECLARE_MESSAGE_MAP()
public:
    std::vector<DWORD> m_stages;
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMLVCUSTOMDRAW* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
        m_stages.push_back(cd->nmcd.dwDrawStage);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            *pResult = CDRF_NOTIFYITEMDRAW;
        else
            *pResult = CDRF_DODEFAULT;
    }
};

BEGIN_MESSAGE_MAP(CustomDrawList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CustomDrawList::OnCustomDraw)
END_MESSAGE_MAP()

} // namespace

TEST_F(ControlsTest, ListCtrlCustomDrawReachesTheReflectedHandler)
{
    CustomDrawList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &m_parent, 701));
    list.InsertColumn(0, "Title", LVCFMT_LEFT, 100);
    list.InsertItem(0, "One");
    list.InsertItem(1, "Two");
    list.Invalidate();
    list.UpdateWindow();
    ASSERT_FALSE(list.m_stages.empty());
    EXPECT_EQ(static_cast<DWORD>(CDDS_PREPAINT), list.m_stages[0]);
    int items = 0;
    for (DWORD s : list.m_stages)
        items += s == CDDS_ITEMPREPAINT;
    EXPECT_EQ(2, items);
}

TEST_F(ControlsTest, TreeCtrlHierarchyDataAndImages)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS, CRect(0, 0, 200, 150), &m_parent, 702));
    HTREEITEM lists = tree.InsertItem("Playlists");
    HTREEITEM party = tree.InsertItem("Party", 1, 2, lists);
    HTREEITEM chill = tree.InsertItem("Chill", 1, 2, lists);
    HTREEITEM history = tree.InsertItem("History");
    ASSERT_TRUE(lists && party && chill && history);
    EXPECT_TRUE(tree.SetItemData(chill, 4011));
    EXPECT_EQ(4u, static_cast<UINT>(::SendMessageA(tree.m_hWnd, TVM_GETCOUNT, 0, 0)));

    // Walk with raw messages.
    HTREEITEM root = reinterpret_cast<HTREEITEM>(::SendMessageA(tree.m_hWnd, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    EXPECT_EQ(lists, root);
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree.m_hWnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    EXPECT_EQ(party, child);
    char buffer[64] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = child;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ASSERT_TRUE(::SendMessageA(tree.m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ("Party", buffer);
    EXPECT_EQ(1, item.iImage);
    EXPECT_EQ(2, item.iSelectedImage);

    EXPECT_EQ(chill, tree.GetNextSiblingItem(party));
    EXPECT_EQ(lists, tree.GetParentItem(chill));
    EXPECT_STREQ("Chill", tree.GetItemText(chill));
    EXPECT_EQ(4011u, tree.GetItemData(chill));
    EXPECT_TRUE(tree.ItemHasChildren(lists));
    EXPECT_FALSE(tree.ItemHasChildren(history));
    EXPECT_TRUE(tree.SelectItem(history));
    EXPECT_EQ(history, reinterpret_cast<HTREEITEM>(::SendMessageA(tree.m_hWnd, TVM_GETNEXTITEM, TVGN_CARET, 0)));
    EXPECT_TRUE(tree.DeleteItem(lists));
    EXPECT_EQ(1u, tree.GetCount());
}

TEST_F(ControlsTest, ComboAndListBoxTextsAndData)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 150, 200), &m_parent, 703));
    const char* genres[] = {"Techno", "House", "Trance"};
    for (int i = 0; i < 3; ++i) {
        int at = combo.AddString(genres[i]);
        ASSERT_EQ(i, at);
        combo.SetItemData(at, static_cast<DWORD_PTR>(100 + i));
    }
    EXPECT_EQ(3, ::SendMessageA(combo.m_hWnd, CB_GETCOUNT, 0, 0));
    char buffer[32] = {};
    ::SendMessageA(combo.m_hWnd, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ("House", buffer);
    EXPECT_EQ(102, ::SendMessageA(combo.m_hWnd, CB_GETITEMDATA, 2, 0));
    EXPECT_EQ(2, combo.SelectString(-1, "Tra"));
    EXPECT_EQ(2, ::SendMessageA(combo.m_hWnd, CB_GETCURSEL, 0, 0));
    CString text;
    combo.GetLBText(0, text);
    EXPECT_STREQ("Techno", text);
    EXPECT_EQ(1, combo.FindStringExact(-1, "House"));
    EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, "Jazz"));

    CListBox box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 150, 100), &m_parent, 704));
    box.AddString("First");
    box.InsertString(0, "Zero");
    EXPECT_EQ(2, ::SendMessageA(box.m_hWnd, LB_GETCOUNT, 0, 0));
    box.GetText(1, text);
    EXPECT_STREQ("First", text);
}

TEST_F(ControlsTest, ImageListFromBitmapWithMaskColourAddReplaceAndCount)
{
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_STRIP, 16, 1, RGB(0, 255, 0)));
    EXPECT_EQ(2, ImageList_GetImageCount(images.m_hImageList));
    int cx = 0, cy = 0;
    ASSERT_TRUE(images.GetIconSize(cx, cy));
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);
    IMAGEINFO info = {};
    ASSERT_TRUE(images.GetImageInfo(0, &info));
    EXPECT_NE(nullptr, info.hbmMask);   // masked by the colour

    // Drawn onto white: the mask colour lets the background through.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CBitmap surface;
    ASSERT_TRUE(surface.Attach(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0)));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CDCSelect select(dc, surface);
    dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    ASSERT_TRUE(images.Draw(&dc, 1, CPoint(0, 0), ILD_TRANSPARENT));
    ::GdiFlush();
    const DWORD* px = static_cast<const DWORD*>(bits);
    EXPECT_EQ(0x00FFFFFFu, px[0] & 0x00FFFFFF);          // background kept
    EXPECT_EQ(0x000000FFu, px[8 * 16 + 8] & 0x00FFFFFF); // image 1's blue square

    // Add another from a bitmap, replace one, then resize the list.
    CBitmap more;
    ASSERT_TRUE(more.LoadBitmap(IDB_STRIP));
    EXPECT_EQ(2, images.Add(&more, RGB(0, 255, 0)));   // the strip adds two images
    EXPECT_EQ(4, images.GetImageCount());
    CBitmap single;
    ASSERT_TRUE(single.CreateBitmap(16, 16, 1, 32, nullptr));
    EXPECT_TRUE(images.Replace(0, &single, nullptr));
    EXPECT_TRUE(images.SetImageCount(6));
    EXPECT_EQ(6, ImageList_GetImageCount(images.m_hImageList));

    // A borrowed wrapper does not destroy the list it borrows.
    {
        CImageList* borrowed = CImageList::FromHandle(images.m_hImageList);
        ASSERT_NE(nullptr, borrowed);
        EXPECT_EQ(6, borrowed->GetImageCount());
    }
    CImageList::DeleteTempMap();
    EXPECT_EQ(6, ImageList_GetImageCount(images.m_hImageList));

    // Drag images.
    EXPECT_TRUE(images.BeginDrag(0, CPoint(2, 2)));
    CImageList::EndDrag();
}

TEST_F(ControlsTest, ProgressSliderTabAndToolTip)
{
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 10), &m_parent, 705));
    progress.SetRange32(0, 500);
    progress.SetPos(250);
    EXPECT_EQ(250, ::SendMessageA(progress.m_hWnd, PBM_GETPOS, 0, 0));
    int lo = -1, hi = -1;
    progress.GetRange(lo, hi);
    EXPECT_EQ(0, lo);
    EXPECT_EQ(500, hi);

    CProgressCtrl marquee;
    ASSERT_TRUE(marquee.Create(WS_CHILD | WS_VISIBLE | PBS_MARQUEE, CRect(0, 20, 100, 30), &m_parent, 706));
    EXPECT_TRUE(marquee.SetMarquee(TRUE, 30));
    EXPECT_TRUE(marquee.GetStyle() & PBS_MARQUEE);
    marquee.SetMarquee(FALSE, 0);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(0, 40, 100, 60), &m_parent, 707));
    slider.SetRange(-20, 20, TRUE);
    slider.SetPos(15);
    EXPECT_EQ(-20, ::SendMessageA(slider.m_hWnd, TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(20, ::SendMessageA(slider.m_hWnd, TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(15, ::SendMessageA(slider.m_hWnd, TBM_GETPOS, 0, 0));
    slider.SetPos(99);
    EXPECT_EQ(20, slider.GetPos());   // clamped by the control

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 70, 200, 100), &m_parent, 708));
    tabs.InsertItem(0, "Library");
    tabs.InsertItem(1, "Playlists");
    EXPECT_EQ(2, ::SendMessageA(tabs.m_hWnd, TCM_GETITEMCOUNT, 0, 0));
    tabs.SetCurSel(1);
    EXPECT_EQ(1, ::SendMessageA(tabs.m_hWnd, TCM_GETCURSEL, 0, 0));
    char buffer[32] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ::SendMessageA(tabs.m_hWnd, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ("Playlists", buffer);

    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&m_parent));
    ASSERT_TRUE(tips.AddTool(&slider, "Pitch"));
    EXPECT_EQ(1, ::SendMessageA(tips.m_hWnd, TTM_GETTOOLCOUNT, 0, 0));
    CString tip;
    tips.GetText(tip, &slider);
    EXPECT_STREQ("Pitch", tip);
    tips.UpdateTipText("Tempo", &slider);
    tips.GetText(tip, &slider);
    EXPECT_STREQ("Tempo", tip);
    tips.DestroyWindow();
}
