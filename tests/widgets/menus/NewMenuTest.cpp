// The owner-drawn menu: conversion of a loaded menu, its records, titles,
// captions, removal, the drawing style switch, and the sizes each style
// measures.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "MenuTestSupport.h"
#include "tests/widgets/menus/MenuTestIds.h"
#include "widgets/menus/MenuMath.h"
#include "widgets/menus/MenuStyle.h"
#include "widgets/menus/MenuWindows.h"
#include "widgets/menus/NewMenu.h"

using namespace menu_test;

TEST_F(MenuTest, ConversionGivesEveryItemARecordAndEverySubMenuAnObject)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    EXPECT_FALSE(menu.IsPopup()) << "the converted top-level menu";
    CNewMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(popup->IsPopup());
    EXPECT_EQ(menu.GetSafeHmenu(), popup->GetParentMenu());
    ASSERT_EQ(::GetMenuItemCount(*popup), popup->GetRecordCount());
    for (int i = 0; i < popup->GetRecordCount(); ++i) {
        ItemFacts f = Facts(*popup, i);
        EXPECT_TRUE(f.type & MFT_OWNERDRAW) << i;
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(popup->GetRecord(i)), f.data) << i;
    }
    EXPECT_EQ(CString("&Play\tCtrl+P"), popup->GetRecord(0)->m_szMenuText);
    EXPECT_TRUE(popup->GetRecord(2)->IsSeparator());
    CNewMenu* send = popup->GetSubMenu(5);
    ASSERT_NE(nullptr, send);
    EXPECT_EQ(popup->GetSafeHmenu(), send->GetParentMenu());
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(send->GetSafeHmenu()), popup->GetRecord(5)->m_nID);
    ASSERT_NE(nullptr, send->GetSubMenu(2)) << "converted at any depth";
    EXPECT_EQ(CString("Send to"), popup->GetRecord(5)->GetDisplayText()) << "a sub-menu caption is cut at its tab";
    EXPECT_EQ(CString("&Play\tCtrl+P"), popup->GetRecord(0)->GetDisplayText()) << "others keep the shortcut";
}

TEST_F(MenuTest, AMenuIsConvertedOnceAndItsTreeGoesWithIt)
{
    HMENU top = nullptr, sub = nullptr;
    {
        CNewMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
        top = menu.GetSafeHmenu();
        sub = menu.GetSubMenu(0)->GetSafeHmenu();
        const int records = menu.GetSubMenu(0)->GetRecordCount();
        EXPECT_FALSE(menu.LoadMenu(IDR_TEST_MENU)) << "a second load into the same object";
        CNewMenu other;
        EXPECT_FALSE(other.LoadMenu(top)) << "a handle another object holds";
        EXPECT_FALSE(other.LoadMenu(sub));
        EXPECT_FALSE(other.LoadMenu(static_cast<HMENU>(nullptr)));
        EXPECT_EQ(records, menu.GetSubMenu(0)->GetRecordCount());
        EXPECT_EQ(menu.GetSubMenu(0), CNewMenu::FromHandleNew(sub));
    }
    EXPECT_FALSE(::IsMenu(top));
    EXPECT_FALSE(::IsMenu(sub));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(sub));
}

TEST_F(MenuTest, TitleIsInsertedAtTheTopAndVerticalTitlesStartANewColumn)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CNewMenu* popup = menu.GetSubMenu(0);
    const int items = ::GetMenuItemCount(*popup);
    EXPECT_FALSE(popup->SetTitleColors(0xffffff, 0xffffff, 0xd54600)) << "no title yet";
    ASSERT_TRUE(popup->SetMenuTitle("Deck A", 66, -1));
    ASSERT_EQ(items + 1, ::GetMenuItemCount(*popup));
    CNewMenuItemDataTitle* title = popup->GetTitleItem();
    ASSERT_NE(nullptr, title);
    EXPECT_EQ(CString("Deck A"), title->m_szMenuText);
    EXPECT_EQ(67, title->m_nTitleFlags);
    EXPECT_EQ(-1, title->m_nMenuIconOffset);
    EXPECT_EQ(nullptr, title->m_pMenuIcon);
    ItemFacts f = Facts(*popup, 0);
    EXPECT_TRUE((f.type & MFT_SEPARATOR) && (f.type & MFT_OWNERDRAW));
    EXPECT_TRUE(Facts(*popup, 1).type & MFT_MENUBREAK) << "the first real item starts the second column";
    ASSERT_TRUE(popup->SetTitleColors(0xffffff, 0xfefefe, 0xd54600));
    EXPECT_EQ(0xd54600u, title->m_clrLeft);
    EXPECT_EQ(0xfefefeu, title->m_clrRight);
    EXPECT_EQ(0xffffffu, title->m_clrTitle);

    ASSERT_TRUE(popup->SetMenuTitle("Deck B", 64, -1));
    EXPECT_EQ(items + 1, ::GetMenuItemCount(*popup)) << "the title is reused";
    EXPECT_FALSE(Facts(*popup, 1).type & MFT_MENUBREAK) << "64 removes the break";
    EXPECT_EQ(CString("Deck B"), popup->GetTitleItem()->m_szMenuText);
    EXPECT_EQ(0xd54600u, popup->GetTitleItem()->m_clrLeft) << "colours stay";
    ASSERT_NE(nullptr, MenuLibrary().TitleLists()) << "the shared title list exists";
    EXPECT_TRUE(MenuLibrary().TitleLists()->empty()) << "and stays empty with image -1";
}

TEST_F(MenuTest, ASeparatorAtTheTopBecomesTheTitleAndATitleAloneIsRefused)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU_SEPARATOR_FIRST));
    CNewMenu* popup = menu.GetSubMenu(0);
    ASSERT_TRUE(popup->SetMenuTitle("Top", 64, -1));
    EXPECT_EQ(2, ::GetMenuItemCount(*popup)) << "no new item";
    CNewMenuItemData* record = popup->GetRecord(0);
    EXPECT_TRUE(record->IsTitle());
    EXPECT_EQ(CString("Top"), record->m_szMenuText);
    EXPECT_EQ(nullptr, popup->GetTitleItem()) << "a plain separator record is no title record";
    EXPECT_FALSE(popup->SetTitleColors(1, 2, 3));

    CNewMenu empty;
    ASSERT_TRUE(empty.LoadMenu(IDR_TEST_MENU_EMPTY));
    EXPECT_FALSE(empty.GetSubMenu(0)->SetMenuTitle("Alone", 64, -1)) << "only the separator turned title";

    HMENU bare = ::CreateMenu();
    ::AppendMenuA(bare, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), "Empty");
    CNewMenu made;
    ASSERT_TRUE(made.LoadMenu(bare));
    CNewMenu* nothing = made.GetSubMenu(0);
    EXPECT_FALSE(nothing->SetMenuTitle("Alone", 64, -1));
    EXPECT_EQ(1, ::GetMenuItemCount(*nothing)) << "the title was inserted";
    EXPECT_NE(nullptr, nothing->GetTitleItem());
}

TEST_F(MenuTest, CaptionsChangeByCommandAtAnyDepthAndLeaveTheItemEnabledAndUnchecked)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CNewMenu* popup = menu.GetSubMenu(0);
    popup->SetMenuTitle("T", 64, -1);
    ::CheckMenuItem(*popup, ID_PLAY, MF_CHECKED);
    ASSERT_TRUE(menu.SetItemText(ID_DEEP, "Deeper", MF_BYCOMMAND));
    ASSERT_TRUE(menu.SetItemText(ID_CHECKED, "Loop off", MF_BYCOMMAND));
    ASSERT_TRUE(menu.SetItemText(ID_GREY, "Now here", MF_BYCOMMAND));
    EXPECT_FALSE(menu.SetItemText(9999, "Nowhere", MF_BYCOMMAND));
    EXPECT_EQ(CString("Deeper"), menu.GetItemDataForCommand(ID_DEEP)->m_szMenuText);
    EXPECT_EQ(CString("Loop off"), menu.GetItemDataForCommand(ID_CHECKED)->m_szMenuText);
    const UINT checked = ::GetMenuState(*popup, ID_CHECKED, MF_BYCOMMAND);
    EXPECT_FALSE(checked & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(*popup, ID_GREY, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(*popup, ID_PLAY, MF_BYCOMMAND) & MF_CHECKED) << "others keep their state";
    int pos = -1;
    CNewMenu* holder = menu.FindPopupForCommand(ID_DEEP, &pos);
    ASSERT_NE(nullptr, holder);
    EXPECT_EQ(0, pos);
    ItemFacts f = Facts(*holder, 0);
    EXPECT_TRUE(f.type & MFT_OWNERDRAW);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(holder->GetRecord(0)), f.data);
    EXPECT_EQ(nullptr, menu.FindPopupForCommand(9999, &pos));
    EXPECT_EQ(-1, pos);
}

TEST_F(MenuTest, RemovingItemsRemovesTheirRecordsAndSubMenuObjects)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CNewMenu* popup = menu.GetSubMenu(0);
    HMENU send = popup->GetSubMenu(5)->GetSafeHmenu();
    const int subs = popup->GetSubMenuCount();
    ASSERT_TRUE(popup->DeleteMenu(5, MF_BYPOSITION));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(send)) << "the sub-menu's object is deleted";
    EXPECT_FALSE(::IsMenu(send));
    EXPECT_EQ(subs - 1, popup->GetSubMenuCount());
    ASSERT_EQ(::GetMenuItemCount(*popup), popup->GetRecordCount());
    // "Twin" twice in a row: removing one by position removes both records.
    const int before = popup->GetRecordCount();
    ASSERT_TRUE(popup->DeleteMenu(5, MF_BYPOSITION));
    EXPECT_EQ(before - 2, popup->GetRecordCount());
    EXPECT_EQ(nullptr, popup->GetItemDataForCommand(ID_TWIN));
    // By command, through the top-level menu.
    ASSERT_TRUE(menu.DeleteMenu(ID_PAUSE, MF_BYCOMMAND));
    EXPECT_EQ(nullptr, menu.GetItemDataForCommand(ID_PAUSE));
    EXPECT_EQ(static_cast<UINT>(-1), ::GetMenuState(*popup, ID_PAUSE, MF_BYCOMMAND));
    // A separator by position.
    ASSERT_TRUE(popup->GetRecord(1)->IsSeparator());
    ASSERT_TRUE(popup->DeleteMenu(1, MF_BYPOSITION));
    EXPECT_FALSE(popup->GetRecord(1)->IsSeparator());
    // After removing the twin, rebuilding finds the lone item again.
    popup->RebuildItemData();
    EXPECT_EQ(::GetMenuItemCount(*popup), popup->GetRecordCount());
}

TEST_F(MenuTest, ItemsWithoutRecordsAreMeasuredPlainAndNotPainted)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CNewMenu* popup = menu.GetSubMenu(0);
    ASSERT_TRUE(::AppendMenuA(*popup, MF_OWNERDRAW, 7999, nullptr));
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 7999, 0, 0, 0};
    popup->MeasureItem(&mis);
    EXPECT_EQ(0u, mis.itemWidth);
    EXPECT_EQ(static_cast<UINT>(::GetSystemMetrics(SM_CYMENU)), mis.itemHeight);
    widget_test::DibSurface s(100, 20, RGB(1, 2, 3));
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, 7999, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(popup->GetSafeHmenu()),
                          s.Dc(), {0, 0, 100, 20}, 0x1234};
    popup->DrawItem(&dis);
    EXPECT_EQ(100 * 20, s.Count(RECT{0, 0, 100, 20}, RGB(1, 2, 3))) << "a stray item data is not taken for a record";
    popup->RebuildItemData();
    EXPECT_EQ(::GetMenuItemCount(*popup), popup->GetRecordCount()) << "the rebuild gives it a record";
}

TEST_F(MenuTest, DrawStyleSwitchKeepsUnknownNumbersOutAndMapsOwnBordersUnderWine)
{
    ASSERT_NE(-1, CNewMenu::SetDrawStyle(1));
    EXPECT_EQ(1, CNewMenu::SetDrawStyle(1)) << "the same call twice changes nothing";
    EXPECT_EQ(-1, CNewMenu::SetDrawStyle(12));
    EXPECT_EQ(1u, CNewMenu::GetDrawStyle());
    {
        WineSeam wine(TRUE);
        const struct
        {
            UINT asked, got;
        } cases[] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}, {11, 11}, {3, 3}};
        for (const auto& c : cases) {
            CNewMenu::SetDrawStyle(c.asked);
            EXPECT_EQ(c.got, CNewMenu::GetDrawStyle()) << c.asked;
            EXPECT_FALSE(MenuLibrary().CurrentStyle()->HasOwnBorder()) << c.asked;
        }
    }
    {
        WineSeam windows(FALSE);
        for (UINT s = 0; s < 12; ++s) {
            CNewMenu::SetDrawStyle(s);
            EXPECT_EQ(s, CNewMenu::GetDrawStyle());
            EXPECT_EQ(s % 2 == 0, MenuLibrary().CurrentStyle()->HasOwnBorder() != FALSE) << s;
        }
    }
}

TEST_F(MenuTest, ItemSizesPerStyle)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CNewMenu* popup = menu.GetSubMenu(0);
    ASSERT_TRUE(popup->SetMenuTitle("Deck A", 64, -1));
    const int cyMenu = ::GetSystemMetrics(SM_CYMENU);
    const SIZE play = MenuTextSize("&Play\tCtrl+P", false);
    const SIZE playN = MenuTextSize("&Playnnn" "Ctrl+P", false);
    const SIZE send = MenuTextSize("Send to", false);
    const SIZE title = TitleTextSize("Deck A");
    const struct
    {
        UINT style;
        int pos;
        LONG cx, cy;
    } cases[] = {
        {1, 1, play.cx + 34, std::max<LONG>({cyMenu, 19, play.cy})},
        {5, 1, play.cx + 34, std::max<LONG>({cyMenu, 19, play.cy})},
        {7, 1, playN.cx + 34, std::max<LONG>({cyMenu, 21, playN.cy})},
        {3, 1, playN.cx + 22 + cyMenu / 2, std::max<LONG>(cyMenu > 23 ? cyMenu : 22, playN.cy)},
        {9, 6, send.cx + 22 + cyMenu, std::max<LONG>(cyMenu > 23 ? cyMenu : 22, send.cy)},
        {1, 3, 3, 3},
        {7, 0, title.cx, title.cy},
    };
    for (const auto& c : cases) {
        CNewMenu::SetDrawStyle(c.style);
        CNewMenuItemData* record = popup->GetRecord(c.pos);
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, static_cast<UINT>(record->m_nID), 0, 0,
                                 reinterpret_cast<ULONG_PTR>(record)};
        popup->MeasureItem(&mis);
        EXPECT_EQ(static_cast<UINT>(c.cx), mis.itemWidth) << "style " << c.style << " position " << c.pos;
        EXPECT_EQ(static_cast<UINT>(c.cy), mis.itemHeight) << "style " << c.style << " position " << c.pos;
    }
    // A vertical title is a column as wide as the text is high (under Wine
    // without the check width taken off).
    ASSERT_TRUE(popup->SetMenuTitle("Deck A", 66, -1));
    CNewMenuItemData* record = popup->GetRecord(0);
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(record)};
    popup->MeasureItem(&mis);
    const LONG check = MenuLibrary().IsWine() ? 0 : ::GetSystemMetrics(SM_CXMENUCHECK);
    EXPECT_EQ(static_cast<UINT>(title.cy - check), mis.itemWidth);
    EXPECT_EQ(MenuLibrary().IsWine() ? 1u : 0u, mis.itemHeight) << "Wine draws no item 0 pixels high";
    {
        WineSeam windows(FALSE);
        popup->MeasureItem(&mis);
        EXPECT_EQ(static_cast<UINT>(title.cy - ::GetSystemMetrics(SM_CXMENUCHECK)), mis.itemWidth);
        EXPECT_EQ(0u, mis.itemHeight);
    }
}

TEST_F(MenuTest, TheOwnerWindowRoutesMeasuringToTheMenuHoldingTheItem)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CNewMenu* popup = menu.GetSubMenu(0);
    CNewMenu* deep = popup->GetSubMenu(5)->GetSubMenu(2);
    ASSERT_NE(nullptr, deep);
    CNewMenu::SetDrawStyle(1);
    MenuOwner owner;
    ASSERT_TRUE(owner.Make());
    CMenu::SetTrackingMenu(popup->GetSafeHmenu());
    CNewMenuItemData* record = deep->GetRecord(0);
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, ID_DEEP, 0, 0, reinterpret_cast<ULONG_PTR>(record)};
    owner.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    const SIZE text = MenuTextSize("Deep item", false);
    EXPECT_EQ(static_cast<UINT>(text.cx + 34), mis.itemWidth);
    CMenu::SetTrackingMenu(nullptr);
}
