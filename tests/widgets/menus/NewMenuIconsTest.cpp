// The menus' image lists: title bitmaps shared by size, each entry's
// normal, shaded and greyed pictures, and the lists' lifetime.
#include <gtest/gtest.h>

#include <windows.h>

#include "MenuTestSupport.h"
#include "tests/widgets/menus/MenuTestIds.h"
#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/MenuWindows.h"
#include "widgets/menus/NewMenu.h"
#include "widgets/menus/NewMenuIcons.h"

using namespace menu_test;
using namespace menu_math;
using widget_test::DibSurface;

namespace {

const COLORREF kRed = RGB(200, 40, 40), kGreen = RGB(40, 180, 60);

size_t SharedLists()
{
    auto* lists = MenuLibrary().TitleLists();
    return lists ? lists->size() : 0;
}

} // namespace

TEST_F(MenuTest, TitleBitmapsOfOneSizeShareAListAndAnotherSizeStartsOne)
{
    const size_t before = SharedLists();
    {
        CNewMenu a, b, c;
        ASSERT_TRUE(a.LoadMenu(IDR_TEST_MENU));
        ASSERT_TRUE(b.LoadMenu(IDR_TEST_MENU));
        ASSERT_TRUE(c.LoadMenu(IDR_TEST_MENU));
        ASSERT_TRUE(a.GetSubMenu(0)->SetMenuTitle("Red", 64, IDB_TITLE_RED));
        ASSERT_TRUE(b.GetSubMenu(0)->SetMenuTitle("Green", 64, IDB_TITLE_GREEN));
        ASSERT_TRUE(c.GetSubMenu(0)->SetMenuTitle("Blue", 64, IDB_TITLE_BLUE));
        CNewMenuItemData* ta = a.GetSubMenu(0)->GetRecord(0);
        CNewMenuItemData* tb = b.GetSubMenu(0)->GetRecord(0);
        CNewMenuItemData* tc = c.GetSubMenu(0)->GetRecord(0);
        ASSERT_NE(nullptr, ta->m_pMenuIcon);
        EXPECT_EQ(ta->m_pMenuIcon, tb->m_pMenuIcon) << "16 x 16 twice: one list";
        EXPECT_NE(ta->m_pMenuIcon, tc->m_pMenuIcon) << "24 x 24: a list of its own";
        EXPECT_EQ(0, ta->m_nMenuIconOffset);
        EXPECT_EQ(3, tb->m_nMenuIconOffset) << "entry i starts at 3i";
        EXPECT_EQ(0, tc->m_nMenuIconOffset);
        EXPECT_EQ(2, ta->m_pMenuIcon->GetRefCount()) << "two titles hold it";
        EXPECT_EQ(6, ta->m_pMenuIcon->ImageList().GetImageCount()) << "three pictures an entry";
        EXPECT_EQ(CSize(24, 24), tc->m_pMenuIcon->GetImageSize());
        EXPECT_EQ(before + 2, SharedLists());

        // A title set again with the same image keeps one hold.
        ASSERT_TRUE(a.GetSubMenu(0)->SetMenuTitle("Red", 64, IDB_TITLE_RED));
        EXPECT_EQ(2, ta->m_pMenuIcon->GetRefCount());
    }
    EXPECT_EQ(before, SharedLists()) << "the last menu's title takes its list along";
}

TEST_F(MenuTest, EachEntryKeepsItsNormalShadedAndGreyedPicture)
{
    CNewMenu::SetDrawStyle(7);
    CNewMenuBitmaps list;
    ASSERT_EQ(0, list.AddBitmapById(IDB_TITLE_RED, CLR_DEFAULT));
    ASSERT_EQ(3, list.AddBitmapById(IDB_TITLE_GREEN, CLR_DEFAULT));
    EXPECT_EQ(0, list.AddBitmapById(IDB_TITLE_RED, CLR_DEFAULT)) << "an id already there";
    EXPECT_EQ(-1, list.AddBitmapById(IDB_TITLE_BLUE, CLR_DEFAULT)) << "another size";
    EXPECT_EQ(-1, list.AddBitmapById(4242, CLR_DEFAULT)) << "no such bitmap";
    EXPECT_EQ(3, list.FindCommand(IDB_TITLE_GREEN));
    EXPECT_EQ(-1, list.FindCommand(IDB_TITLE_BLUE));
    ASSERT_EQ(6, list.ImageList().GetImageCount());
    const COLORREF tint = ScaleTowardWhite(115, MenuBackgroundColor(nullptr));
    const struct
    {
        int image;
        COLORREF want;
    } cases[] = {{0, kRed},
                 {1, ShadedPixel(kRed)},
                 {2, GreyedPixel(kRed, tint)},
                 {3, kGreen},
                 {4, ShadedPixel(kGreen)},
                 {5, GreyedPixel(kGreen, tint)}};
    for (const auto& c : cases) {
        DibSurface s(16, 16, RGB(1, 2, 3));
        ASSERT_TRUE(ImageList_Draw(list.ImageList().GetSafeHandle(), c.image, s.Dc(), 0, 0, ILD_NORMAL));
        EXPECT_EQ(c.want, s.At(8, 8)) << "picture " << c.image;
        EXPECT_EQ(RGB(1, 2, 3), s.At(0, 0)) << "the mask colour stays transparent " << c.image;
    }
}

TEST_F(MenuTest, ATitleWithAnImageIsMeasuredAndDrawnWithIt)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CNewMenu* popup = menu.GetSubMenu(0);
    ASSERT_TRUE(popup->SetMenuTitle("Deck", 64, IDB_TITLE_RED));
    ASSERT_TRUE(popup->SetTitleColors(0xffffff, 0xffffff, 0xd54600));
    CNewMenu::SetDrawStyle(7);
    CNewMenuItemData* title = popup->GetRecord(0);
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(title)};
    popup->MeasureItem(&mis);
    const SIZE text = TitleTextSize("Deck");
    EXPECT_EQ(static_cast<UINT>(text.cx + 18), mis.itemWidth);
    EXPECT_EQ(static_cast<UINT>(std::max<LONG>(18, text.cy)), mis.itemHeight);

    DibSurface s(200, 24, RGB(1, 2, 3));
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, 0, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(popup->GetSafeHmenu()), s.Dc(),
                          {0, 0, 200, 24}, reinterpret_cast<ULONG_PTR>(title)};
    popup->DrawItem(&dis);
    EXPECT_GT(s.Count(RECT{0, 0, 200, 24}, kRed), 50) << "the red picture beside the text";
    EXPECT_EQ(0xd54600u, s.At(0, 0));
}
