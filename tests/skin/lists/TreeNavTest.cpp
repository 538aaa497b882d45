// The tree's click selection and drag notice, and the navigation list's
// entries, selection and drawing.
#include "ListTestSupport.h"
#include "WidgetTestSupport.h"
#include "skin/navlist/TXVNavList.h"
#include "skin/res/SkinListIds.h"
#include "skin/tree/TXVTreeCtrl.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Make(40, 40, 300, 300));
        m_tree = std::make_unique<TXVTreeCtrl>();
        ASSERT_TRUE(m_tree->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                                   CRect(0, 0, 280, 280), &m_parent, 1003));
        m_tree->SetOwner(&m_owner);
        m_tree->LoadImageList();
        m_root = m_tree->InsertItem("My Library", 5, 5);
        m_items[0] = m_tree->InsertItem("Albums", 3, 3, m_root);
        m_items[1] = m_tree->InsertItem("Artists", 4, 4, m_root);
        m_items[2] = m_tree->InsertItem("Genres", 7, 7, m_root);
        m_tree->Expand(m_root, TVE_EXPAND);
        m_tree->SelectItem(m_items[0]);
    }

    void TearDown() override
    {
        m_tree.reset();
        m_parent.DestroyWindow();
    }

    // A click of that button on the item, with the cursor there, through
    // the message queue as the mouse makes it.
    void ClickOn(HTREEITEM item, UINT down, UINT up)
    {
        RECT r = {};
        ASSERT_TRUE(m_tree->GetItemRect(item, &r, TRUE));
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        widget_test::PutCursorAt(m_tree->GetSafeHwnd(), x, y);
        PostMessageA(m_tree->GetSafeHwnd(), down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON,
                     MAKELPARAM(x, y));
        PostMessageA(m_tree->GetSafeHwnd(), up, 0, MAKELPARAM(x, y));
        widget_test::PumpFor(200);
    }

    widget_test::RecordingParent m_parent;
    list_test::RecordingOwner m_owner;
    std::unique_ptr<TXVTreeCtrl> m_tree;
    HTREEITEM m_root = nullptr;
    HTREEITEM m_items[3] = {};
};

} // namespace

TEST_F(TreeTest, ARightClickSelectsTheItemUnderTheMouseBeforeTheOwnerHearsOfIt)
{
    ASSERT_EQ(m_items[0], m_tree->GetSelectedItem());
    ClickOn(m_items[2], WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(m_items[2], m_tree->GetSelectedItem());
    ClickOn(m_items[1], WM_RBUTTONDOWN, WM_RBUTTONUP);
    EXPECT_EQ(m_items[1], m_tree->GetSelectedItem());
}

TEST_F(TreeTest, ALeftClickSelectsToo)
{
    ClickOn(m_items[2], WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(m_items[2], m_tree->GetSelectedItem());
}

TEST_F(TreeTest, SelectingAtAPointWithoutAnItemKeepsTheSelection)
{
    EXPECT_EQ(nullptr, m_tree->SelectItemAt(CPoint(270, 270)));
    EXPECT_EQ(m_items[0], m_tree->GetSelectedItem());
}

TEST_F(TreeTest, TheImageListHasTheProgramsSixteenBySeventeenIcons)
{
    HIMAGELIST images = TreeView_GetImageList(m_tree->GetSafeHwnd(), TVSIL_NORMAL);
    ASSERT_EQ(m_tree->GetImages().GetSafeHandle(), images);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(17, cy);
    EXPECT_GE(ImageList_GetImageCount(images), 16);
    m_tree->SetExplorerTheme(true);
    EXPECT_TRUE(m_tree->IsExplorerTheme());
}

TEST_F(TreeTest, TheSelectedItemKeepsTheSkinsSelectionColoursWithoutTheFocus)
{
    // A dark tree with light text, as the skins set it; the focus elsewhere.
    m_tree->SetBkColor(RGB(16, 20, 28));
    m_tree->SetTextColor(RGB(230, 230, 230));
    ::SetFocus(m_parent.GetSafeHwnd());
    ASSERT_NE(m_tree->GetSafeHwnd(), ::GetFocus());
    RECT selected = {}, other = {};
    ASSERT_TRUE(m_tree->GetItemRect(m_items[0], &selected, TRUE));
    ASSERT_TRUE(m_tree->GetItemRect(m_items[1], &other, TRUE));
    widget_test::WindowShot shot(m_tree->GetSafeHwnd());
    EXPECT_GT(shot.Count(selected, TXVTreeCtrl::kSelectedBack), (selected.right - selected.left) * 4);
    EXPECT_GT(shot.Count(selected, TXVTreeCtrl::kSelectedText), 4);
    EXPECT_EQ(0, shot.Count(other, TXVTreeCtrl::kSelectedBack));
    EXPECT_GT(shot.Count(other, RGB(230, 230, 230)), 4);
}

TEST_F(TreeTest, ADragStartGoesToTheOwnerWithTheItem)
{
    NMTREEVIEWA nm = {};
    nm.hdr.hwndFrom = m_tree->GetSafeHwnd();
    nm.hdr.idFrom = 1003;
    nm.hdr.code = TVN_BEGINDRAGA;
    nm.itemNew.hItem = m_items[1];
    m_parent.SendMessage(WM_NOTIFY, 1003, reinterpret_cast<LPARAM>(&nm));
    ASSERT_EQ(1u, m_owner.treeDrags.size());
    EXPECT_EQ(m_tree.get(), m_owner.treeDrags[0]);
    EXPECT_EQ(m_items[1], m_owner.dragItems[0]);
}

namespace {

class NavListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Make(40, 40, 300, 300));
        m_list = std::make_unique<TXVNavList>();
        ASSERT_TRUE(m_list->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL,
                                   CRect(0, 0, 280, 280), &m_parent, 1004));
        m_list->InsertColumn(0, "", LVCFMT_LEFT, 270);
        m_list->CreateImageList(16, 17, IDB_LIST_TRACKICONS);
        m_list->SetFonts(100, "Arial", 80, "Arial");
    }

    void TearDown() override
    {
        m_list.reset();
        m_parent.DestroyWindow();
    }

    widget_test::RecordingParent m_parent;
    std::unique_ptr<TXVNavList> m_list;
};

} // namespace

TEST_F(NavListTest, EntriesAreAppendedWithTheirFirstLineAndImage)
{
    EXPECT_EQ(0, m_list->InsertNavItem({7, "Decks", "Outputs and pitch", 5, 70}));
    EXPECT_EQ(1, m_list->InsertNavItem({8, "Library", "Folders and tags", 2, 80}));
    EXPECT_EQ(2, m_list->GetItemCount());
    EXPECT_STREQ("Library", m_list->GetItemText(1, 0).GetString());
    EXPECT_EQ(2, m_list->GetItemImage(1, 0));
    EXPECT_EQ(8, m_list->GetNavItem(1).id);
    EXPECT_STREQ("Folders and tags", m_list->GetNavItem(1).line2.GetString());
    EXPECT_EQ(10, m_list->GetFontPoints());
}

TEST_F(NavListTest, SelectItemLeavesExactlyOneRowSelectedAndFocused)
{
    for (int i = 0; i < 3; ++i)
        m_list->InsertNavItem({i, "Entry", "Second line", 5, 0});
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    m_list->SelectItem(0);
    m_list->SelectItem(2);
    EXPECT_EQ(0u, m_list->GetItemState(0, both));
    EXPECT_EQ(0u, m_list->GetItemState(1, both));
    EXPECT_EQ(both, m_list->GetItemState(2, both));
}

TEST_F(NavListTest, SelectedRowsGetTheFrameAndGradientOthersWhite)
{
    m_list->InsertNavItem({0, "Decks", "Outputs and pitch", 5, 0});
    m_list->InsertNavItem({1, "Library", "Folders and tags", 2, 0});
    m_list->SelectItem(1);
    widget_test::WindowShot shot(m_list->GetSafeHwnd());
    CRect row0, row1;
    m_list->GetItemRect(0, &row0, LVIR_BOUNDS);
    m_list->GetItemRect(1, &row1, LVIR_BOUNDS);
    EXPECT_EQ(RGB(255, 255, 255), shot.At(row0.right - 20, row0.top + 1));
    EXPECT_EQ(RGB(128, 128, 255), shot.At(row1.left + 5, row1.top + 3));
    EXPECT_EQ(RGB(238, 238, 238), shot.At(row1.right - 20, row1.top + 1));
    // Black text of the first line somewhere right of the icon.
    const RECT text = {row1.left + 43, row1.top, row1.right - 10, row1.top + 14};
    EXPECT_GT(shot.Count(text, RGB(0, 0, 0)), 0);
}
